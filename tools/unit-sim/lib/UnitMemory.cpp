#include "tools/unit-sim/lib/UnitMemory.h"

#include "params/ImageLayout.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace kordana {

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Breakpoints 1000 .. 9000 rpm in steps of 50 rpm.
constexpr std::array<std::uint8_t, 15> kRpmRow = {20,  40,  60,  80,  120, 130, 140, 145,
                                                  150, 155, 160, 165, 170, 175, 180};
constexpr std::array<std::uint8_t, 5> kKnockRpm = {120, 140, 160, 165, 174};
constexpr std::array<std::uint8_t, 10> kPressures = {40, 60, 80, 100, 120, 140, 160, 180, 200, 210};
constexpr std::array<std::uint8_t, 10> kRetardCorrection = {100, 100, 98, 97, 97,
                                                            95,  94,  93, 92, 91};

void fill(ParameterImage& memory, std::size_t at, std::span<const std::uint8_t> values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        memory[at + i] = values[i];
    }
}

std::uint8_t narrow(std::size_t value) {
    return static_cast<std::uint8_t>(std::min<std::size_t>(value, 255));
}

// Advance rises with speed and falls with load, 14..39 degrees.
std::uint8_t ignitionCell(std::size_t row, std::size_t col) {
    return narrow(14 + col * 16 / 14 + (9 - row));
}

// Injection time rises with load and speed, in steps of 50 us.
std::uint8_t injectionCell(std::size_t row, std::size_t col, std::size_t bank) {
    if (bank == 1) {
        return narrow(row / 2 + col);
    }
    return narrow(70 + row * 6 + col * 3);
}

void writeMaps(ParameterImage& memory) {
    for (std::size_t page = 0; page < kMapPageCount; ++page) {
        fill(memory, layout::mapRpm(page), kRpmRow);
        for (std::size_t row = 0; row < layout::kMapRows; ++row) {
            for (std::size_t col = 0; col < layout::kMapCols; ++col) {
                const std::uint8_t cell =
                    page < 3 ? ignitionCell(row, col) : injectionCell(row, col, (page - 3) / 3);
                memory[layout::mapCell(page, row, col)] = cell;
            }
        }
    }
}

void writeCurves(ParameterImage& memory) {
    fill(memory, layout::kRpmServo, kRpmRow);
    fill(memory, layout::kPositionA, kRpmRow);
    fill(memory, layout::kPositionB, kRpmRow);
    for (std::size_t i = 0; i < 15; ++i) {
        memory[layout::kVoltServo + i] = narrow(100 + 5 * i); // 2000 .. 3400 mV
        memory[layout::kPositionA + 15 + i] = 72;             // 360 degrees
        memory[layout::kPositionB + 15 + i] = 72;
        memory[layout::kRpmKnock + i] = kKnockRpm[i % 5];
        memory[layout::kKnockFrek + i] = 63;
        memory[layout::kLevel + i] = 60;
        memory[layout::kTimeConst + i] = 20;
        memory[layout::kStart + i] = 110;
        memory[layout::kEnd + i] = 160;
        memory[layout::kAlarm + i] = 70; // 1400 mV
    }
    fill(memory, layout::kDruck, kPressures);
    fill(memory, layout::kDruck + 10, kPressures);
    for (std::size_t k = 0; k < 10; ++k) {
        memory[layout::kRetard + k] = narrow(120 + 10 * k);
        memory[layout::kRetard + 10 + k] = kRetardCorrection[k];
    }
    constexpr std::array<std::uint8_t, 8> choke = {5, 10, 15, 18, 150, 50, 30, 10};
    fill(memory, layout::kChoke, choke);
    constexpr std::array<std::uint8_t, 5> water = {113, 107, 102, 103, 100};
    constexpr std::array<std::uint8_t, 5> air = {104, 100, 102, 102, 104};
    fill(memory, layout::kWaterTemp, water);
    fill(memory, layout::kAirTemp, air);
}

void writeSingles(ParameterImage& memory) {
    memory[layout::kNoReading] = 0;
    memory[layout::kRpm2] = 1;
    constexpr std::array<std::uint8_t, 3> limiter = {180, 180, 184};
    fill(memory, layout::kLimiter, limiter);
    memory[layout::kBike] = 0;
    memory[layout::kServoHyster] = 40;
    memory[layout::kActRpm] = 1;
    memory[layout::kServoEnable] = 0;
    // Outputs switch at 4000, 6000 and 8000 rpm so the monitor shows them change.
    constexpr std::array<std::uint8_t, 3> level1 = {80, 120, 160};
    for (std::size_t out = 0; out < 3; ++out) {
        memory[layout::powerOut(3 * out)] = level1[out];
        memory[layout::powerOut(3 * out + 1)] = narrow(level1[out] + 4u);
        memory[layout::powerOut(3 * out + 2)] = 0;
    }
    memory[layout::kActOil] = 0;
    memory[layout::kActLim1] = 1;
    memory[layout::kTps] = 48;      // 480 mV
    memory[layout::kTps + 1] = 197; // 4470 mV
    memory[layout::kAccel] = 30;
    memory[layout::kAccel + 1] = 14;
    memory[layout::kDefaultOnlyByte] = 75;
    memory[layout::kStartJet] = 11;
    memory[layout::kTempWarning] = 90;
    memory[layout::kMode] = 1;
    memory[layout::kMode + 1] = 1;
    memory[layout::kPositionARef] = 1;
    memory[layout::kPositionBRef] = 1;
}

} // namespace

std::uint8_t unitMonthCode(unsigned month) {
    if (month < 1 || month > kMonthNames.size()) {
        return 0;
    }
    unsigned sum = 0;
    for (char c : kMonthNames[month - 1]) {
        sum += static_cast<unsigned char>(c);
    }
    return static_cast<std::uint8_t>(sum & 0xFFu);
}

void writeUnitHeader(ParameterImage& memory, const UnitIdentity& identity) {
    for (auto& b : memory.block(0)) {
        b = 0;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        const char c = i < identity.programId.size() ? identity.programId[i] : ' ';
        memory[i] = static_cast<std::uint8_t>(c);
    }
    memory[3] = static_cast<std::uint8_t>(identity.programNumber % 100);
    memory[4] = identity.day;
    memory[5] = unitMonthCode(identity.month);
    memory[6] = identity.yearInCentury;
    memory[7] = identity.hour;
    memory[8] = identity.minute;
    memory[layout::kHeaderLayoutVersion] = static_cast<std::uint8_t>(layout::kLayoutVersion);
    const std::size_t textLength = std::min<std::size_t>(identity.text.size(), 30);
    for (std::size_t i = 0; i < textLength; ++i) {
        memory[16 + i] = static_cast<std::uint8_t>(identity.text[i]);
    }
}

void writeUnitParameters(ParameterImage& memory) {
    writeSingles(memory);
    writeCurves(memory);
    writeMaps(memory);
}

} // namespace kordana
