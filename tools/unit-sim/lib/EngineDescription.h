#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kordana {

/// Cells of one map: 10 throttle rows of 15 engine-speed columns, cell 15 row + column.
inline constexpr std::size_t kEngineCells = 150;

/// What the engine's lambda sensor is.
enum class EngineSensorKind {
    Wideband,   ///< a wideband controller's output: lambda 0.5 at 0 V to 1.5 at 5 V
    Narrowband, ///< a switching sensor: about 0.8 V rich, 0.1 V lean, 0.5 V at lambda 1
};

/// The simulated engine behind the unit. Its fuel need and knock limits are given against the
/// default set of preset 0: with those injection cells and the post-start, coolant and
/// starting corrections of that set the engine runs at `tunedLambda` of each throttle row,
/// times (1 + `fuelError` of the cell); its knock limit is the preset's advance plus
/// `knockOffsetDeg` of the cylinder and cell.
struct EngineDescription {
    EngineSensorKind sensor = EngineSensorKind::Wideband;
    unsigned delayMs = 400;    ///< transport delay from the cylinder to the sensor
    unsigned lagMs = 150;      ///< time constant of the sensor's first-order response
    double noisePct = 0.5;     ///< the sensor's noise: at most this share of lambda either way
    double coolantStartC = 20; ///< coolant when the engine starts
    double coolantWarmC = 88;  ///< coolant once warm
    double warmUpS = 40;       ///< time constant of the coolant's warm-up
    unsigned runningS = 0;     ///< the engine was started this long before the simulator
    /// The lambda each throttle row (0, 2, 5, 10, 20, 30, 40, 60, 80, 100 %) runs at with
    /// preset 0's cells.
    std::array<double, 10> tunedLambda{1.00, 1.00, 1.00, 1.00, 1.00, 1.00, 0.95, 0.90, 0.87, 0.87};
    /// Extra fuel the engine needs in each cell, a share (0.12: preset 0 runs 12 % lean there).
    std::array<double, kEngineCells> fuelError{};
    /// Knock limit of each cylinder and cell against preset 0's advance, degrees (-2: the
    /// preset's advance is 2 degrees above the limit).
    std::array<std::array<int, kEngineCells>, 3> knockOffsetDeg{};
};

/// One piece of a drive profile: hold a point, or move to it in a straight line.
struct ProfileSegment {
    enum class Kind { Hold, Ramp };
    Kind kind = Kind::Hold;
    unsigned rpm = 0;
    unsigned throttle = 0; ///< %
    std::uint32_t ms = 0;  ///< how long the segment lasts

    friend bool operator==(const ProfileSegment&, const ProfileSegment&) = default;
};

/// Which drive profile moves the engine.
struct ProfileChoice {
    enum class Kind {
        Dyno,    ///< steady holds across the map, a light-throttle ramp, a pull and an overrun
        Track,   ///< laps: pulls through the gears, braking on overrun, part-throttle corners
        Segments ///< the segments of a profile file
    };
    Kind kind = Kind::Dyno;
    std::vector<ProfileSegment> segments;
};

/// The built-in engine: preset 0 with a lean region (rows 5..7, columns 4..8 need 12 % more
/// fuel, the cells around them 6 %) and a few cells whose preset advance lies 2 degrees above
/// the knock limit; 4 degrees of knock margin everywhere else.
EngineDescription builtInEngine();

/// An engine description read from text; `error` names the line and the problem.
struct EngineFileResult {
    EngineDescription engine;
    std::string error;
};
/// Reads an engine description: one setting a line, `#` starts a comment. Settings missing from
/// the text keep the values of a neutral engine (no fuel error, 4 degrees knock margin).
EngineFileResult parseEngineDescription(const std::string& text);

/// A profile read from text (`hold RPM THROTTLE SECONDS`, `ramp RPM THROTTLE SECONDS`).
struct ProfileFileResult {
    std::vector<ProfileSegment> segments;
    std::string error;
};
ProfileFileResult parseProfile(const std::string& text);

} // namespace kordana
