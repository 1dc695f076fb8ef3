#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Constant tables of the default calibration. Engine speeds in rpm and voltages in mV as the
// calibration was written down; the default set converts them to stored bytes.
namespace kordana {

/// One map: 10 throttle rows of 15 cells, cell (r, c) at 15 r + c, stored bytes.
using MapTable = std::array<std::uint8_t, 150>;

namespace defaults {

using Row = std::array<std::uint8_t, 15>;

inline constexpr std::array<int, 15> kSpeeds = {1000, 2000, 3000, 4000, 6000, 6500, 7000, 7250,
                                                7500, 7750, 8000, 8250, 8500, 8750, 9000};
inline constexpr std::array<int, 15> kServoVolts = {2000, 2100, 2200, 2300, 2400, 2500, 2600, 2700,
                                                    2800, 2900, 3000, 3100, 3200, 3300, 3400};
inline constexpr std::array<int, 5> kKnockSpeeds = {6000, 7000, 8000, 8250, 8700};

/// Knock alarm levels in mV per preset, before the 400 mV offset of the default set.
inline constexpr std::array<std::array<int, 15>, 4> kKnockAlarm = {{
    {1800, 2100, 1980, 1940, 1900, 2020, 2260, 1980, 1940, 1900, 1800, 2100, 1980, 1940, 1900},
    {1800, 2100, 1980, 1920, 2000, 2040, 2180, 1980, 1920, 2000, 1800, 2100, 1980, 1920, 2000},
    {2080, 2300, 2080, 1940, 2280, 2040, 2500, 2220, 2160, 2260, 2000, 2260, 2080, 1940, 2120},
    {2000, 2260, 2080, 1880, 2120, 2000, 2400, 2200, 1880, 2120, 2000, 2260, 2080, 1880, 2120},
}};

inline constexpr std::array<std::uint8_t, 10> kPressures = {40,  60,  80,  100, 120,
                                                            140, 160, 180, 200, 210};
inline constexpr std::array<std::uint8_t, 10> kPressureCorrectionSix = {38,  60,  80,  100, 120,
                                                                        140, 160, 180, 200, 210};
inline constexpr std::array<std::uint8_t, 10> kPressureCorrectionThree = {40,  60,  80,  100, 120,
                                                                          140, 160, 180, 200, 210};

/// Advance correction by coolant temperature, degrees, per preset.
inline constexpr std::array<std::array<int, 10>, 4> kAdvanceCorrection = {{
    {0, 0, -2, -3, -3, -5, -6, -7, -8, -9},
    {0, 0, -3, -4, -4, -7, -11, -10, -9, -9},
    {0, 0, -2, -3, -5, -6, -7, -8, -9, -10},
    {0, 0, -2, -4, -6, -7, -8, -9, -10, -12},
}};

/// Share of the way from the 0 % row to the 100 % row for each throttle row, in 1/10000:
/// 1 - (1 - t)^2 at t = 0, 2, 5, 10, 20, 30, 40, 60, 80, 100 %. Cylinder filling grows fastest
/// over the first openings and levels out towards full throttle, and so does the calibration.
inline constexpr std::array<int, 10> kThrottleWeight = {0,    396,  975,  1900, 3600,
                                                        5100, 6400, 8400, 9600, 10000};

/// A map whose rows move from `closed` (0 %) to `open` (100 %) along kThrottleWeight, rounded
/// to the nearest byte; each column is monotone and stays between its two given values.
constexpr MapTable blendRows(const Row& closed, const Row& open) {
    MapTable table{};
    for (std::size_t r = 0; r < 10; ++r) {
        for (std::size_t c = 0; c < 15; ++c) {
            const int span = (open[c] - closed[c]) * kThrottleWeight[r];
            const int step = span >= 0 ? (span + 5000) / 10000 : -((-span + 5000) / 10000);
            table[15 * r + c] = static_cast<std::uint8_t>(closed[c] + step);
        }
    }
    return table;
}

/// An injection B map: columns 0 and 1 rise 0, 1, 2, 3, ..., 4 with the throttle; column 13
/// holds one more at 40 %; every other column keeps its value from `closed` in all rows.
constexpr MapTable injectionBRows(const Row& closed) {
    constexpr std::array<std::uint8_t, 10> kLowSpeeds = {0, 1, 2, 3, 3, 3, 3, 3, 3, 4};
    MapTable table{};
    for (std::size_t r = 0; r < 10; ++r) {
        for (std::size_t c = 0; c < 15; ++c) {
            table[15 * r + c] = c < 2 ? kLowSpeeds[r] : closed[c];
        }
        if (r == 6) {
            table[15 * r + 13] = static_cast<std::uint8_t>(closed[13] + 1);
        }
    }
    return table;
}

inline constexpr std::array<MapTable, 4> kIgnition = {
    blendRows({18, 13, 20, 30, 31, 30, 30, 32, 36, 34, 36, 35, 34, 40, 34},
              {35, 30, 30, 35, 33, 30, 29, 31, 33, 33, 33, 32, 33, 32, 32}),
    blendRows({18, 13, 20, 30, 30, 30, 30, 30, 30, 30, 30, 30, 27, 28, 26},
              {35, 35, 35, 36, 34, 26, 21, 23, 27, 28, 28, 26, 25, 22, 22}),
    blendRows({16, 16, 15, 33, 31, 33, 30, 36, 35, 31, 36, 37, 39, 36, 36},
              {29, 32, 33, 37, 37, 31, 32, 33, 35, 35, 34, 34, 35, 33, 32}),
    blendRows({16, 16, 15, 18, 22, 26, 26, 30, 22, 26, 32, 30, 28, 27, 27},
              {29, 29, 29, 34, 28, 26, 26, 28, 27, 30, 30, 27, 24, 24, 24}),
};

inline constexpr std::array<MapTable, 4> kInjectionA = {
    blendRows({69, 79, 83, 86, 111, 134, 140, 145, 145, 147, 145, 145, 149, 144, 153},
              {108, 123, 127, 128, 146, 155, 158, 154, 156, 155, 151, 153, 155, 153, 152}),
    blendRows({69, 79, 83, 86, 115, 132, 132, 134, 136, 140, 147, 140, 139, 135, 148},
              {102, 114, 116, 129, 160, 163, 164, 157, 160, 156, 158, 157, 157, 153, 146}),
    blendRows({74, 64, 56, 86, 119, 118, 116, 159, 156, 158, 166, 163, 165, 167, 164},
              {107, 123, 124, 130, 163, 175, 178, 175, 179, 176, 174, 170, 172, 186, 201}),
    blendRows({74, 64, 56, 82, 122, 105, 127, 158, 162, 149, 155, 163, 174, 171, 174},
              {92, 133, 127, 130, 169, 176, 191, 181, 188, 182, 179, 175, 187, 216, 220}),
};

inline constexpr std::array<MapTable, 2> kInjectionB = {
    injectionBRows({0, 0, 6, 8, 12, 16, 18, 20, 22, 24, 24, 21, 20, 20, 20}),
    injectionBRows({0, 0, 12, 12, 12, 17, 21, 23, 20, 24, 24, 25, 28, 32, 32}),
};

/// The ignition map of preset 0..3 (degrees).
constexpr const MapTable& ignitionTable(std::size_t preset) {
    return kIgnition[preset < 4 ? preset : 3];
}
/// The injection A map of preset 0..3 (x 50 us).
constexpr const MapTable& injectionATable(std::size_t preset) {
    return kInjectionA[preset < 4 ? preset : 3];
}
/// The injection B map of the six-injector presets 0 and 1 (x 50 us).
constexpr const MapTable& injectionBTable(std::size_t preset) {
    return kInjectionB[preset < 2 ? preset : 1];
}

} // namespace defaults
} // namespace kordana
