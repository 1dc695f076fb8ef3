#pragma once

#include <cstddef>

// Where each parameter lives in the parameter image. One byte per element.
namespace kordana::layout {

// Unit header (block 0), written only by the unit.
inline constexpr std::size_t kHeaderReadPermission = 9; // 1 = the unit may be read
inline constexpr std::size_t kHeaderLayoutVersion = 10; // 51 for this program
inline constexpr unsigned kLayoutVersion = 51;

inline constexpr std::size_t kNoReading = 101;
inline constexpr std::size_t kRpm2 = 102;    // never compared in a verify
inline constexpr std::size_t kLimiter = 103; // 3 elements
inline constexpr std::size_t kBike = 106;
inline constexpr std::size_t kServoHyster = 108;
inline constexpr std::size_t kActRpm = 109; // holds the inverse of the file value
inline constexpr std::size_t kServoEnable = 110;
inline constexpr std::size_t kActOil = 120;
inline constexpr std::size_t kActLim1 = 121;         // holds the inverse of the file value
inline constexpr std::size_t kTps = 122;             // [0] at 0 %, [1] at 100 % (encoded b + 250)
inline constexpr std::size_t kAccel = 124;           // threshold, size
inline constexpr std::size_t kDefaultOnlyByte = 126; // unnamed; only the default set writes it
inline constexpr std::size_t kStartJet = 128;
inline constexpr std::size_t kTempWarning = 129;
inline constexpr std::size_t kMode = 130; // [0] ignition, [1] injection coupling
inline constexpr std::size_t kPositionARef = 133;
inline constexpr std::size_t kPositionBRef = 134;
inline constexpr std::size_t kWaterTemp = 140; // 5
inline constexpr std::size_t kAirTemp = 145;   // 5
inline constexpr std::size_t kDruck = 150;     // 10 pressures, then 10 corrections
inline constexpr std::size_t kChoke = 170;     // 4 times, then 4 corrections
inline constexpr std::size_t kRetard = 180;    // 10 temperatures, then 10 corrections
inline constexpr std::size_t kRpmServo = 200;  // 15
inline constexpr std::size_t kVoltServo = 215; // 15
inline constexpr std::size_t kPositionA = 230; // 15 breakpoints, then 15 angles
inline constexpr std::size_t kPositionB = 260; // 15 breakpoints, then 15 angles
inline constexpr std::size_t kMapRpm = 300;    // + 15 * page
inline constexpr std::size_t kMap = 450;       // + 150 * page
inline constexpr std::size_t kRpmKnock = 1800; // 15
inline constexpr std::size_t kKnockFrek = 1815;
inline constexpr std::size_t kLevel = 1845;
inline constexpr std::size_t kTimeConst = 1875;
inline constexpr std::size_t kStart = 1890;
inline constexpr std::size_t kEnd = 1905;
inline constexpr std::size_t kAlarm = 1920;

/// POWER_OUT[e], e = 3 * output + k (k: 0 level 1, 1 level 2, 2 reverse flag).
constexpr std::size_t powerOut(std::size_t e) {
    return 111 + e / 3 + 3 * (e % 3);
}
constexpr std::size_t mapRpm(std::size_t page) {
    return kMapRpm + 15 * page;
}
constexpr std::size_t mapCells(std::size_t page) {
    return kMap + 150 * page;
}
constexpr std::size_t mapCell(std::size_t page, std::size_t row, std::size_t col) {
    return kMap + 150 * page + 15 * row + col;
}

inline constexpr std::size_t kMapRows = 10;
inline constexpr std::size_t kMapCols = 15;

} // namespace kordana::layout
