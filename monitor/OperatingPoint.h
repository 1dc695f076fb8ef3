#pragma once

#include "monitor/MonitorLiveValues.h"
#include "params/ParameterImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kordana {

/// Throttle openings (%) of the ten map rows.
inline constexpr std::array<std::uint8_t, 10> kThrottleRows{0, 2, 5, 10, 20, 30, 40, 60, 80, 100};
/// Temperature bytes (temperature + 100) from which the next coolant / inlet-air row applies;
/// they lie half-way between the rows -10, 20, 50, 80, 110 degC, the last 15 degC above 110.
inline constexpr std::array<std::uint8_t, 5> kTemperatureThresholds{105, 135, 165, 195, 225};
/// temperatureRow() result when the temperature is past the last row: nothing is marked.
inline constexpr std::uint8_t kNoTemperatureRow = 5;

/// Page indices of the editor pages the cursor marks (0..8 are the map pages).
inline constexpr std::size_t kPagePoloha = 9;
inline constexpr std::size_t kPageServo = 10;
inline constexpr std::size_t kPageKnock = 11;
inline constexpr std::size_t kPageRuzne = 12;
inline constexpr std::size_t kPageKorekce = 13;

/// Speed index R: engine speed / 50 (0..1310), the unit of the stored rpm breakpoints. Held
/// wider than a byte so that speeds from 12800 rpm on stay above every breakpoint.
std::uint16_t speedIndex(std::uint16_t engineSpeed);

/// Nearest of 15 increasing rpm breakpoints to R (exactly half-way: the lower one); 0 below the
/// first, 14 from the last on.
std::uint8_t nearestBreakpoint(std::span<const std::uint8_t, 15> breakpoints, std::uint16_t r);

/// Map row 0..9 nearest to a throttle opening (half-way: the lower); above 100 % gives 9.
std::uint8_t mapRow(std::uint8_t throttleOpening);

/// Row 0..9 of the pressure breakpoints (kPa) nearest to a pressure in 0.1 kPa (half-way: lower).
std::uint8_t pressurePoint(std::span<const std::uint8_t, 10> druck, std::uint16_t pressure);

/// Coolant or inlet-air correction row 0..4 for a temperature byte, kNoTemperatureRow past 125
/// degC.
std::uint8_t temperatureRow(std::uint8_t temperatureByte);

/// Row 0..9 of the retard temperature breakpoints (stored + 100) nearest to the inlet-air byte
/// (half-way: the higher).
std::uint8_t retardPoint(std::span<const std::uint8_t, 10> retard, std::uint8_t airByte);

/// Post-start point 0..4 (time 0, then the four CHOKE times) nearest to the time since start,
/// which counts tenths of the CHOKE unit (half-way: the lower for point 0, else the higher).
std::uint8_t postStartPoint(std::span<const std::uint8_t, 4> choke, std::uint16_t timeSinceStart);

/// Point 0..4 of one cylinder's five knock rpm points nearest to R (half-way: the higher).
std::uint8_t knockPoint(std::span<const std::uint8_t, 5> rpmPoints, std::uint16_t r);

/// The marked cell of a map page: the column and its cell are marked only while the engine turns;
/// the row label is always marked.
struct MapMark {
    std::uint8_t column = 0;
    std::uint8_t row = 0;
    bool cellMarked = false;
};

/// The marked rows of the corrections page.
struct CorrectionMarks {
    std::uint8_t pressureRow = 0;
    std::uint8_t coolantRow = 0; ///< kNoTemperatureRow: none
    std::uint8_t airRow = 0;     ///< kNoTemperatureRow: none
    std::uint8_t retardRow = 0;
    std::uint8_t postStartPoint = 0;
};

/// Map cursor of map page 0..8 (any other page gives the default mark).
MapMark mapMark(const ParameterImage& image, std::size_t page, const MonitorLiveValues& live);
/// How many map marks of a map page mapMark() has computed since the program started: the
/// window computes one per tick and hands it out, which a test checks.
std::uint64_t mapMarksComputed();
/// Marked point 0..14 of the servo curve.
std::uint8_t servoPoint(const ParameterImage& image, const MonitorLiveValues& live);
/// Marked point 0..14 of position curve A (b = false) or B (b = true).
std::uint8_t positionPoint(const ParameterImage& image, bool b, const MonitorLiveValues& live);
/// Marked rows of the corrections page.
CorrectionMarks correctionMarks(const ParameterImage& image, const MonitorLiveValues& live);
/// Marked knock point 0..4 of each of the three cylinders.
std::array<std::uint8_t, 3> knockPoints(const ParameterImage& image, const MonitorLiveValues& live);

/// The cursor positions the window keeps for the single-point tools; zero at start.
struct OperatingPoint {
    std::uint8_t mapColumn = 0;
    std::uint8_t mapRow = 0;
    std::uint8_t servoPoint = 0;
    std::uint8_t positionAPoint = 0;
    std::uint8_t positionBPoint = 0;

    /// Recomputes the positions belonging to the active page; the others keep their values.
    void follow(std::size_t activePage, const ParameterImage& image, const MonitorLiveValues& live);
    /// The same with the active page's map mark already computed (`mapMark` of `activePage`).
    void follow(std::size_t activePage, const ParameterImage& image, const MonitorLiveValues& live,
                const MapMark& mapMark);

    friend bool operator==(const OperatingPoint&, const OperatingPoint&) = default;
};

} // namespace kordana
