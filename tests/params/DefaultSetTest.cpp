#include "params/DefaultSet.h"

#include "params/ConsistencyPass.h"
#include "params/ImageLayout.h"
#include "params/ParameterTable.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kordana {
namespace {

using namespace layout;
using Values = std::vector<int>;

// What the calibration of each preset must hold, in shown units.
struct Preset {
    Values choke;
    Values water;
    Values air;
    Values pressureCorrection;
    Values advanceCorrection;
    Values alarm; // before the 400 mV offset
    int accelSize;
    int injectionMode;
    int startJet;
    Values ignitionFirst, ignitionLast;
    int ignitionMin, ignitionMax;
    Values injectionFirst, injectionLast;
    int injectionMin, injectionMax;
    Values injectionBFirst; // empty: the B maps are all 0
};

const Values kPressureSix = {38, 60, 80, 100, 120, 140, 160, 180, 200, 210};
const Values kPressureThree = {40, 60, 80, 100, 120, 140, 160, 180, 200, 210};

const Preset kPresets[4] = {
    {{5, 10, 15, 18, 250, 150, 130, 110},
     {113, 107, 102, 103, 100},
     {104, 100, 102, 102, 104},
     kPressureSix,
     {0, 0, -2, -3, -3, -5, -6, -7, -8, -9},
     {1800, 2100, 1980, 1940, 1900, 2020, 2260, 1980, 1940, 1900, 1800, 2100, 1980, 1940, 1900},
     700,
     1,
     11,
     {18, 13, 20, 30, 31, 30, 30, 32, 36, 34, 36, 35, 34, 40, 34},
     {35, 30, 30, 35, 33, 30, 29, 31, 33, 33, 33, 32, 33, 32, 32},
     13,
     40,
     {69, 79, 83, 86, 111, 134, 140, 145, 145, 147, 145, 145, 149, 144, 153},
     {108, 123, 127, 128, 146, 155, 158, 154, 156, 155, 151, 153, 155, 153, 152},
     69,
     168,
     {0, 0, 6, 8, 12, 16, 18, 20, 22, 24, 24, 21, 20, 20, 20}},
    {{5, 10, 15, 18, 250, 150, 130, 110},
     {113, 107, 102, 103, 100},
     {104, 100, 102, 103, 105},
     kPressureSix,
     {0, 0, -3, -4, -4, -7, -11, -10, -9, -9},
     {1800, 2100, 1980, 1920, 2000, 2040, 2180, 1980, 1920, 2000, 1800, 2100, 1980, 1920, 2000},
     700,
     1,
     11,
     {18, 13, 20, 30, 30, 30, 30, 30, 30, 30, 30, 30, 27, 28, 26},
     {35, 35, 35, 36, 34, 26, 21, 23, 27, 28, 28, 26, 25, 22, 22},
     13,
     36,
     {69, 79, 83, 86, 115, 132, 132, 134, 136, 140, 147, 140, 139, 135, 148},
     {102, 114, 116, 129, 160, 163, 164, 157, 160, 156, 158, 157, 157, 153, 146},
     69,
     167,
     {0, 0, 12, 12, 12, 17, 21, 23, 20, 24, 24, 25, 28, 32, 32}},
    {{5, 10, 15, 20, 250, 150, 130, 110},
     {113, 104, 103, 102, 100},
     {109, 100, 103, 103, 105},
     kPressureThree,
     {0, 0, -2, -3, -5, -6, -7, -8, -9, -10},
     {2080, 2300, 2080, 1940, 2280, 2040, 2500, 2220, 2160, 2260, 2000, 2260, 2080, 1940, 2120},
     800,
     2,
     7,
     {16, 16, 15, 33, 31, 33, 30, 36, 35, 31, 36, 37, 39, 36, 36},
     {29, 32, 33, 37, 37, 31, 32, 33, 35, 35, 34, 34, 35, 33, 32},
     15,
     39,
     {74, 64, 56, 86, 119, 118, 116, 159, 156, 158, 166, 163, 165, 167, 164},
     {107, 123, 124, 130, 163, 175, 178, 175, 179, 176, 174, 170, 172, 186, 201},
     56,
     207,
     {}},
    {{5, 10, 15, 20, 250, 150, 130, 110},
     {113, 104, 103, 102, 100},
     {109, 100, 103, 103, 105},
     kPressureThree,
     {0, 0, -2, -4, -6, -7, -8, -9, -10, -12},
     {2000, 2260, 2080, 1880, 2120, 2000, 2400, 2200, 1880, 2120, 2000, 2260, 2080, 1880, 2120},
     800,
     2,
     7,
     {16, 16, 15, 18, 22, 26, 26, 30, 22, 26, 32, 30, 28, 27, 27},
     {29, 29, 29, 34, 28, 26, 26, 28, 27, 30, 30, 27, 24, 24, 24},
     11,
     36,
     {74, 64, 56, 82, 122, 105, 127, 158, 162, 149, 155, 163, 174, 171, 174},
     {92, 133, 127, 130, 169, 176, 191, 181, 188, 182, 179, 175, 187, 216, 220},
     56,
     232,
     {}},
};

Values shown(const ParameterImage& image, const std::string& key, std::size_t first,
             std::size_t n) {
    Values v;
    for (std::size_t i = first; i < first + n; ++i) {
        v.push_back(shownValue(image, key, i));
    }
    return v;
}

ParameterImage randomImage(unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    ParameterImage image;
    for (auto& b : image.bytes) {
        b = static_cast<std::uint8_t>(byte(rng));
    }
    return image;
}

ParameterImage defaultsFor(std::size_t preset, unsigned seed = 1) {
    ParameterImage image = randomImage(seed);
    image[kBike] = static_cast<std::uint8_t>(preset);
    applyDefaultSet(image);
    return image;
}

class DefaultSetPreset : public testing::TestWithParam<std::size_t> {};

TEST_P(DefaultSetPreset, HoldsTheCommonCalibration) {
    const ParameterImage image = defaultsFor(GetParam());
    const Values speeds = {1000, 2000, 3000, 4000, 6000, 6500, 7000, 7250,
                           7500, 7750, 8000, 8250, 8500, 8750, 9000};
    for (const char* row : {"RPM_IGN_1", "RPM_IGN_2", "RPM_IGN_3", "RPM_JET_1A", "RPM_JET_2A",
                            "RPM_JET_3A", "RPM_JET_1B", "RPM_JET_2B", "RPM_JET_3B", "RPM_SERVO"}) {
        EXPECT_EQ(shown(image, row, 0, 15), speeds) << row;
    }
    EXPECT_EQ(shown(image, "POSITION_A", 0, 15), speeds);
    EXPECT_EQ(shown(image, "POSITION_B", 0, 15), speeds);
    EXPECT_EQ(shown(image, "POSITION_A", 15, 15), Values(15, 360));
    EXPECT_EQ(shown(image, "POSITION_B", 15, 15), Values(15, 360));
    EXPECT_EQ(shown(image, "POSITION_A", 30, 1), Values{1});
    EXPECT_EQ(shown(image, "POSITION_B", 30, 1), Values{1});
    EXPECT_EQ(shown(image, "VOLT_SERVO", 0, 15),
              (Values{2000, 2100, 2200, 2300, 2400, 2500, 2600, 2700, 2800, 2900, 3000, 3100, 3200,
                      3300, 3400}));
    EXPECT_EQ(shown(image, "RPM_KNOCK", 0, 15),
              (Values{6000, 7000, 8000, 8250, 8700, 6000, 7000, 8000, 8250, 8700, 6000, 7000, 8000,
                      8250, 8700}));
    EXPECT_EQ(shown(image, "KNOCK_FREK", 0, 15), Values(15, 63));
    EXPECT_EQ(shown(image, "LEVEL", 0, 15), Values(15, 60));
    EXPECT_EQ(shown(image, "TIME_CONST", 0, 15), Values(15, 20));
    EXPECT_EQ(shown(image, "START", 0, 15), Values(15, 10));
    EXPECT_EQ(shown(image, "END", 0, 15), Values(15, 60));
    EXPECT_EQ(shown(image, "LIMITER", 0, 3), (Values{9000, 9000, 9200}));
    EXPECT_EQ(shown(image, "TPS", 0, 2), (Values{480, 4470}));
    EXPECT_EQ(shown(image, "POWER_OUT", 0, 9),
              (Values{9500, 9600, 0, 9500, 9600, 0, 9500, 9600, 0}));
    EXPECT_EQ(shown(image, "SERVO_HYSTER", 0, 1), Values{200});
    EXPECT_EQ(shown(image, "TEMP_WARNING", 0, 1), Values{90});
    EXPECT_EQ(shown(image, "ACCEL", 0, 1), Values{300});
    EXPECT_EQ(shown(image, "MODE", 0, 1), Values{1});
    EXPECT_EQ(shown(image, "DRUCK", 0, 10),
              (Values{40, 60, 80, 100, 120, 140, 160, 180, 200, 210}));
    EXPECT_EQ(shown(image, "RETARD", 0, 10), (Values{20, 30, 40, 50, 60, 70, 80, 90, 100, 110}));
    EXPECT_EQ(image[kRpm2], 1);
    EXPECT_EQ(image[kNoReading], 0);
    EXPECT_EQ(image[kServoEnable], 0);
    EXPECT_EQ(image[kActOil], 0);
    EXPECT_EQ(image[kActRpm], 1); // shown unchecked, written as 0
    EXPECT_EQ(image[kActLim1], 1);
    EXPECT_EQ(shown(image, "ACT_RPM", 0, 1), Values{0});
    EXPECT_EQ(shown(image, "ACT_LIM1", 0, 1), Values{0});
}

TEST_P(DefaultSetPreset, HoldsThePresetCalibration) {
    const std::size_t p = GetParam();
    const Preset& want = kPresets[p];
    const ParameterImage image = defaultsFor(p);
    EXPECT_EQ(shown(image, "CHOKE", 0, 8), want.choke);
    EXPECT_EQ(shown(image, "WATER_TEMP", 0, 5), want.water);
    EXPECT_EQ(shown(image, "AIR_TEMP", 0, 5), want.air);
    EXPECT_EQ(shown(image, "DRUCK", 10, 10), want.pressureCorrection);
    EXPECT_EQ(shown(image, "RETARD", 10, 10), want.advanceCorrection);
    Values alarm;
    for (int a : want.alarm) {
        alarm.push_back(a - 400);
    }
    EXPECT_EQ(shown(image, "ALARM", 0, 15), alarm);
    EXPECT_EQ(shownValue(image, "ACCEL", 1), want.accelSize);
    EXPECT_EQ(shownValue(image, "MODE", 1), want.injectionMode);
    EXPECT_EQ(shownValue(image, "START_JET", 0), want.startJet);
    EXPECT_EQ(image[kBike], p);
}

// Checks one map against its given first and last rows, and rows 1..8 for a smooth, monotone
// way between them inside the table's range.
void expectBlendedMap(const ParameterImage& image, const std::string& key, int scale,
                      const Values& first, const Values& last, int lo, int hi) {
    EXPECT_EQ(shown(image, key, 0, 15), [&] {
        Values v;
        for (int x : first) {
            v.push_back(x * scale);
        }
        return v;
    }()) << key;
    for (std::size_t c = 0; c < 15; ++c) {
        EXPECT_EQ(shownValue(image, key, 135 + c), last[c] * scale) << key << " column " << c;
        const int direction = last[c] >= first[c] ? 1 : -1;
        for (std::size_t r = 0; r < 10; ++r) {
            const int v = shownValue(image, key, 15 * r + c) / scale;
            EXPECT_TRUE(v >= lo && v <= hi) << key << " cell " << 15 * r + c;
            if (r > 0) {
                const int before = shownValue(image, key, 15 * (r - 1) + c) / scale;
                EXPECT_GE((v - before) * direction, 0) << key << " cell " << 15 * r + c;
            }
        }
    }
}

TEST_P(DefaultSetPreset, FillsTheMaps) {
    const std::size_t p = GetParam();
    const Preset& want = kPresets[p];
    const ParameterImage image = defaultsFor(p);
    for (const char* key : {"IGN_1", "IGN_2", "IGN_3"}) {
        expectBlendedMap(image, key, 1, want.ignitionFirst, want.ignitionLast, want.ignitionMin,
                         want.ignitionMax);
    }
    for (const char* key : {"JET_1A", "JET_2A", "JET_3A"}) {
        expectBlendedMap(image, key, 50, want.injectionFirst, want.injectionLast, want.injectionMin,
                         want.injectionMax);
    }
    const Values lowSpeeds = {0, 1, 2, 3, 3, 3, 3, 3, 3, 4};
    for (const char* key : {"JET_1B", "JET_2B", "JET_3B"}) {
        for (std::size_t r = 0; r < 10; ++r) {
            for (std::size_t c = 0; c < 15; ++c) {
                int expected = 0;
                if (!want.injectionBFirst.empty()) {
                    expected = c < 2 ? lowSpeeds[r] : want.injectionBFirst[c] + (c == 13 && r == 6);
                }
                EXPECT_EQ(shownValue(image, key, 15 * r + c), expected * 50)
                    << key << " row " << r << " column " << c;
            }
        }
    }
}

TEST_P(DefaultSetPreset, NeedsNoRepair) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const ParameterImage image = defaultsFor(GetParam(), seed);
        ParameterImage repaired = image;
        runConsistencyPass(repaired);
        ASSERT_EQ(repaired, image) << "seed " << seed;
    }
}

TEST_P(DefaultSetPreset, LeavesHeaderAndUnnamedBytesExceptOne) {
    const ParameterImage before = randomImage(7);
    ParameterImage image = before;
    image[kBike] = static_cast<std::uint8_t>(GetParam());
    applyDefaultSet(image);
    for (std::size_t i = 0; i < kImageSize; ++i) {
        if (i == kBike) {
            EXPECT_EQ(image[i], GetParam());
        } else if (i == kDefaultOnlyByte) {
            EXPECT_EQ(image[i], 75);
        } else if (!ParameterTable::instance().findByIndex(i)) {
            EXPECT_EQ(image[i], before[i]) << "byte " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllPresets, DefaultSetPreset, testing::Values(0, 1, 2, 3));

TEST(DefaultSet, OverwritesEveryParameterWhateverWasThere) {
    for (std::size_t p = 0; p < kPresetCount; ++p) {
        const ParameterImage a = defaultsFor(p, 3);
        const ParameterImage b = defaultsFor(p, 4);
        for (const auto& key : ParameterTable::instance().keys()) {
            for (std::size_t e = 0; e < key.count(); ++e) {
                const std::size_t index = key.elements[e].index;
                if (key.elements[e].hasImageByte()) {
                    EXPECT_EQ(a[index], b[index]) << elementName(key, e) << " preset " << p;
                }
            }
        }
    }
}

TEST(DefaultSet, TreatsAPresetBeyondTheListAsTheLast) {
    ParameterImage image = randomImage(9);
    image[kBike] = 200;
    applyDefaultSet(image);
    ParameterImage last = image;
    last[kBike] = 3;
    applyDefaultSet(last);
    EXPECT_EQ(image[kBike], 200);
    last[kBike] = 200;
    EXPECT_EQ(image, last);
}

} // namespace
} // namespace kordana
