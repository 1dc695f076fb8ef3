#include "params/DefaultSet.h"

#include "params/DefaultTables.h"
#include "params/ImageLayout.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kordana {

namespace {

using namespace layout;

std::uint8_t byteOf(int value) {
    return static_cast<std::uint8_t>(static_cast<unsigned>(value) & 0xFFu);
}

// The twelve breakpoint rows that all start from the same engine speeds.
constexpr std::array<std::size_t, 12> kSpeedRows = {mapRpm(8), mapRpm(7),  mapRpm(6),  mapRpm(5),
                                                    mapRpm(4), mapRpm(3),  mapRpm(2),  mapRpm(1),
                                                    mapRpm(0), kPositionB, kPositionA, kRpmServo};

void applyChoke(ParameterImage& image, bool six) {
    constexpr std::array<std::uint8_t, 8> kChokeSix = {5, 10, 15, 18, 150, 50, 30, 10};
    for (std::size_t i = 0; i < kChokeSix.size(); ++i) {
        image[kChoke + i] = kChokeSix[i];
    }
    if (!six) {
        image[kChoke + 3] = 20;
    }
}

void applyRowsAndKnock(ParameterImage& image, std::size_t preset) {
    using namespace defaults;
    for (std::size_t i = 0; i < 15; ++i) {
        for (std::size_t row : kSpeedRows) {
            image[row + i] = byteOf(kSpeeds[i] / 50);
        }
        image[kVoltServo + i] = byteOf(kServoVolts[i] / 20);
        image[kPositionB + 15 + i] = 72;
        image[kPositionA + 15 + i] = 72;
        image[kRpmKnock + i] = byteOf(kKnockSpeeds[i % 5] / 50);
        image[kKnockFrek + i] = 63;
        image[kLevel + i] = 60;
        image[kTimeConst + i] = 20;
        image[kStart + i] = 110;
        image[kEnd + i] = 160;
        image[kAlarm + i] = byteOf((kKnockAlarm[preset][i] - 400) / 20);
    }
}

void applyMaps(ParameterImage& image, std::size_t preset) {
    const MapTable& ignition = defaults::ignitionTable(preset);
    const MapTable& injectionA = defaults::injectionATable(preset);
    const MapTable* injectionB = preset < 2 ? &defaults::injectionBTable(preset) : nullptr;
    for (std::size_t cell = 0; cell < kMapRows * kMapCols; ++cell) {
        for (std::size_t page = 0; page < 3; ++page) {
            image[mapCells(page) + cell] = ignition[cell];
            image[mapCells(3 + page) + cell] = injectionA[cell];
            image[mapCells(6 + page) + cell] = injectionB ? (*injectionB)[cell] : 0;
        }
    }
}

void applyScalars(ParameterImage& image, bool six) {
    image[kServoHyster] = 40;
    image[kTempWarning] = 90;
    image[kAccel] = 30;
    image[kAccel + 1] = byteOf((six ? 700 : 800) / 50);
    image[kRpm2] = 1;
    image[kLimiter] = 180;
    image[kLimiter + 1] = 180;
    image[kLimiter + 2] = 184;
    image[kActOil] = 0;
    for (std::size_t output = 0; output < 3; ++output) {
        image[powerOut(3 * output)] = 190;
        image[powerOut(3 * output + 1)] = 192;
        image[powerOut(3 * output + 2)] = 0;
    }
    image[kMode] = 1;
    image[kMode + 1] = six ? 1 : 2;
    image[kNoReading] = 0;
    image[kServoEnable] = 0;
    image[kActRpm] = 1;
    image[kActLim1] = 1;
    image[kDefaultOnlyByte] = 75;
    image[kPositionARef] = 1;
    image[kPositionBRef] = 1;
    image[kStartJet] = six ? 11 : 7;
}

void applyCorrections(ParameterImage& image, std::size_t preset, bool six) {
    using namespace defaults;
    const std::array<std::uint8_t, 5> water = {113, six ? std::uint8_t{107} : std::uint8_t{104},
                                               six ? std::uint8_t{102} : std::uint8_t{103},
                                               six ? std::uint8_t{103} : std::uint8_t{102}, 100};
    const std::array<std::uint8_t, 5> air = {six ? std::uint8_t{104} : std::uint8_t{109}, 100,
                                             six ? std::uint8_t{102} : std::uint8_t{103},
                                             preset == 0 ? std::uint8_t{102} : std::uint8_t{103},
                                             preset == 0 ? std::uint8_t{104} : std::uint8_t{105}};
    for (std::size_t i = 0; i < 5; ++i) {
        image[kWaterTemp + i] = water[i];
        image[kAirTemp + i] = air[i];
    }
    for (std::size_t k = 0; k < 10; ++k) {
        image[kDruck + k] = kPressures[k];
        image[kDruck + 10 + k] = six ? kPressureCorrectionSix[k] : kPressureCorrectionThree[k];
        image[kRetard + k] = byteOf(120 + 10 * static_cast<int>(k));
        image[kRetard + 10 + k] = byteOf(kAdvanceCorrection[preset][k] + 100);
    }
    image[kTps] = 48;
    image[kTps + 1] = 197;
}

} // namespace

void applyDefaultSet(ParameterImage& image) {
    // A BIKE byte beyond the last preset must never index past the tables.
    const std::size_t preset = std::min<std::size_t>(image[kBike], kPresetCount - 1);
    const bool six = preset <= 1;
    applyChoke(image, six);
    applyRowsAndKnock(image, preset);
    applyMaps(image, preset);
    applyScalars(image, six);
    applyCorrections(image, preset, six);
}

} // namespace kordana
