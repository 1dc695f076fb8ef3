#pragma once

#include "params/ParameterImage.h"
#include "tools/unit-sim/lib/DriveProfile.h"
#include "tools/unit-sim/lib/EngineDescription.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <random>

namespace kordana {

/// The sensor's output voltage for a lambda: a wideband controller's 0.5 at 0 mV to 1.5 at
/// 5000 mV (held at the ends), a narrowband sensor's switching curve (500 mV at lambda 1).
double widebandMillivolts(double lambda);
double narrowbandMillivolts(double lambda);

/// The path from the cylinders to the sensor: the exhaust's transport delay, then the sensor's
/// first-order response, stepped every EngineModel::kStepMs.
class LambdaSensorPath {
public:
    /// A path that has long carried `initial` (no transient at start).
    LambdaSensorPath(unsigned delayMs, unsigned lagMs, double initial);
    /// One step with the lambda leaving the cylinders now; the sensor's lambda after it.
    double step(double lambdaAtCylinders);
    double output() const { return m_output; }

private:
    std::deque<double> m_transit; ///< one entry per step of the delay, oldest first
    double m_keep = 0;            ///< share of the old output kept per step
    double m_output = 0;
};

/// The cell a unit uses at a point: the nearest of the page's rpm breakpoints and the nearest
/// throttle row, half-way the lower (the cell the operating-point cursor marks).
struct EngineCell {
    std::size_t row = 0;
    std::size_t column = 0;

    std::size_t index() const { return 15 * row + column; }
};
EngineCell engineCell(const ParameterImage& memory, std::size_t page, unsigned rpm,
                      unsigned throttle);

/// What the engine gives the unit's inputs at one moment.
struct EngineReadings {
    DrivePoint point;
    std::uint16_t lambdaMv = 0;
    double coolantC = 0;
    std::uint64_t sinceStartMs = 0;
    unsigned postStartTenths = 0;  ///< post-start correction applied, 0.1 %
    unsigned coolantPercent = 100; ///< coolant correction applied (stored %, 100 = none)
    std::array<std::uint16_t, 3> knockMv{};
    std::array<bool, 3> knockAlarm{};
};

/// The engine behind the simulated unit: the drive profile moves speed and throttle, the
/// unit's held parameters give the fuel and advance of the cell in use, and the engine answers
/// with a lambda (fuel needed / fuel delivered, over the three cylinders, each delivered as its
/// bank A plus bank B cell), a coolant temperature and knock per cylinder. Moves in steps of
/// kStepMs; its noise comes from `seed`, so the same clock gives the same readings.
class EngineModel {
public:
    static constexpr std::uint32_t kStepMs = 10;

    EngineModel(EngineDescription engine, DriveProfile profile, std::uint32_t seed,
                const ParameterImage& memory);

    /// Steps the engine up to the simulator's clock time (whole steps) with the held set.
    void advanceTo(std::uint64_t clockMs, const ParameterImage& memory);
    const EngineReadings& readings() const { return m_readings; }
    const EngineDescription& description() const { return m_engine; }
    const DriveProfile& profile() const { return m_profile; }

    /// Lambda leaving the cylinders at a point, with the held set, coolant and time since start.
    double cylinderLambda(const ParameterImage& memory, DrivePoint point, double coolantC,
                          std::uint64_t sinceStartMs) const;
    /// The same once warm and long after the start: what a steady hold settles at.
    double steadyLambda(const ParameterImage& memory, DrivePoint point) const;
    /// Coolant temperature `sinceStartMs` after the start.
    double coolantAt(std::uint64_t sinceStartMs) const;
    /// Knock limit of cylinder 0..2 in a cell, degrees of advance.
    int knockLimitDeg(std::size_t cylinder, std::size_t cell) const;
    /// Post-start correction (share of the fuel added) of a set at a time and coolant.
    static double postStartShare(const ParameterImage& memory, std::uint64_t sinceStartMs,
                                 double coolantC);
    /// Closed throttle above 1600 rpm: the unit cuts the fuel.
    static bool fuelCut(DrivePoint point);

private:
    EngineReadings readingsAt(std::uint64_t timeMs, const ParameterImage& memory, double lambda);
    double noise();

    EngineDescription m_engine;
    DriveProfile m_profile;
    std::mt19937 m_dice;
    /// Fuel each cylinder needs per cell warm, in bytes of the injection maps (x 50 us).
    std::array<std::array<double, kEngineCells>, 3> m_need{};
    std::array<std::uint8_t, kEngineCells> m_presetAdvance{};
    std::uint64_t m_timeMs = 0;
    LambdaSensorPath m_sensor;
    EngineReadings m_readings;
};

} // namespace kordana
