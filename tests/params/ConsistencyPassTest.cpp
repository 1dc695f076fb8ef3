#include "params/ConsistencyPass.h"

#include "params/ImageLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

namespace kordana {
namespace {

using namespace layout;

// rpm breakpoint rows whose elements i lie in i + 3 .. i + 236
const std::array<std::size_t, 12> kBreakpointRows = {mapRpm(0), mapRpm(1), mapRpm(2),  mapRpm(3),
                                                     mapRpm(4), mapRpm(5), mapRpm(6),  mapRpm(7),
                                                     mapRpm(8), kRpmServo, kPositionA, kPositionB};

bool isUntouchable(std::size_t i) {
    return i <= 100 || i == 107 || i == 126 || i == 127 || i == 132 || (i >= 135 && i <= 139) ||
           i == 178 || i == 179 || (i >= 290 && i <= 299) || (i >= 435 && i <= 449) ||
           (i >= 1830 && i <= 1844) || (i >= 1860 && i <= 1874) || i >= 1935;
}

void fill(ParameterImage& image, std::size_t first, std::vector<std::uint8_t> values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        image[first + i] = values[i];
    }
}

std::vector<std::uint8_t> read(const ParameterImage& image, std::size_t first, std::size_t n) {
    return std::vector<std::uint8_t>(image.bytes.begin() + static_cast<std::ptrdiff_t>(first),
                                     image.bytes.begin() + static_cast<std::ptrdiff_t>(first + n));
}

std::vector<std::uint8_t> run(std::uint8_t first, std::size_t n) {
    std::vector<std::uint8_t> v;
    for (std::size_t i = 0; i < n; ++i) {
        v.push_back(static_cast<std::uint8_t>(first + i));
    }
    return v;
}

// A consistent starting image: every check below changes only the bytes it sets.
ParameterImage consistentImage() {
    ParameterImage image;
    image.bytes.fill(0);
    runConsistencyPass(image);
    return image;
}

struct Case {
    const char* name;
    std::size_t first;
    std::vector<std::uint8_t> input;
    std::vector<std::uint8_t> expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class ConsistencyCases : public testing::TestWithParam<Case> {};

TEST_P(ConsistencyCases, RepairsTheImage) {
    const Case& c = GetParam();
    ParameterImage image = consistentImage();
    fill(image, c.first, c.input);
    runConsistencyPass(image);
    EXPECT_EQ(read(image, c.first, c.expected.size()), c.expected);
}

const std::vector<std::uint8_t> k15x100(15, 100);

INSTANTIATE_TEST_SUITE_P(
    Steps, ConsistencyCases,
    testing::Values(
        Case{"LimitersClampedAndRaised", kLimiter, {5, 3, 255}, {10, 10, 250}},
        Case{"LimiterLevelsRaisedToStart", kLimiter, {200, 150, 220}, {200, 200, 220}},
        Case{"LimiterLevelsClampedBeforeRaise", kLimiter, {255, 5, 5}, {250, 250, 250}},
        Case{"ZeroRowBecomesThreeToSeventeen", mapRpm(0), std::vector<std::uint8_t>(15, 0),
             run(3, 15)},
        Case{"FullRowBecomes236To250", mapRpm(8), std::vector<std::uint8_t>(15, 255), run(236, 15)},
        Case{"ServoRowRepaired", kRpmServo, std::vector<std::uint8_t>(15, 255), run(236, 15)},
        Case{"PositionRowRepaired", kPositionB, std::vector<std::uint8_t>(15, 0), run(3, 15)},
        Case{"FlatRowMadeIncreasing", mapRpm(4), k15x100, run(100, 15)},
        Case{"ServoVoltageBounds", kVoltServo, {0, 250, 249, 255, 1}, {1, 249, 249, 249, 1}},
        Case{"PositionAnglesLowered", kPositionA + 15, {241, 255, 240, 0}, {240, 240, 240, 0}},
        Case{"PositionBAnglesLowered", kPositionB + 15, {250}, {240}},
        Case{"KnockWindowEndAfterStart", kStart, {110, 100}, {110, 100}},
        Case{"KnockGroupsIncreaseSeparately",
             kRpmKnock,
             k15x100,
             {100, 101, 102, 103, 104, 100, 101, 102, 103, 104, 100, 101, 102, 103, 104}},
        Case{"KnockBoundsPerElement",
             kRpmKnock,
             std::vector<std::uint8_t>(15, 255),
             {246, 247, 248, 249, 250, 247, 248, 249, 250, 251, 249, 250, 251, 252, 253}},
        Case{"KnockGroupNotComparedWithPrevious",
             kRpmKnock,
             {200, 200, 200, 200, 200, 10, 10, 10, 10, 10, 0, 0, 0, 0, 0},
             {200, 201, 202, 203, 204, 10, 11, 12, 13, 14, 13, 14, 15, 16, 17}},
        Case{"IgnitionCellsLowered", mapCells(2) + 140, {61, 255, 60, 0}, {60, 60, 60, 0}},
        Case{"InjectionCellsLowered", mapCells(8) + 146, {251, 255, 250, 7}, {250, 250, 250, 7}},
        Case{"ThrottleSensorLowered", kTps, {255, 251}, {250, 250}},
        Case{"StartJetLowered", kStartJet, {51}, {50}},
        Case{"PressureBreakpointsIncreasing", kDruck, std::vector<std::uint8_t>(10, 0), run(0, 10)},
        Case{"PressureBreakpointsNeverWrap", kDruck, std::vector<std::uint8_t>(10, 255),
             run(246, 10)},
        Case{"PressureBreakpointsCappedThenIncreasing",
             kDruck,
             {250, 10, 20, 30, 40, 50, 60, 70, 80, 90},
             run(246, 10)},
        Case{"PressureCorrectionsUntouched", kDruck + 10, {0, 255, 0}, {0, 255, 0}},
        Case{"ChokeTimesIncreasing", kChoke, {0, 0, 0, 0}, {0, 1, 2, 3}},
        Case{"ChokeTimesClamped", kChoke, {255, 255, 255, 255}, {247, 248, 249, 250}},
        Case{"ChokeCorrectionsLowered", kChoke + 4, {255, 251, 250, 0}, {250, 250, 250, 0}},
        Case{"RetardBreakpointsIncreasing",
             kRetard,
             {120, 120, 5, 140, 150, 160, 170, 180, 190, 200},
             {120, 121, 122, 140, 150, 160, 170, 180, 190, 200}},
        Case{"RetardBreakpointsNeverWrap", kRetard, std::vector<std::uint8_t>(10, 255),
             run(246, 10)},
        Case{"RetardCorrectionsUntouched", kRetard + 10, {0, 255}, {0, 255}},
        Case{"PowerOutLevel2Raised",
             111,
             {190, 100, 50, 180, 100, 60, 0, 0, 0},
             {190, 100, 50, 190, 100, 60, 0, 0, 0}},
        Case{"BikeLowered", kBike, {7}, {3}}, Case{"BikeKept", kBike, {2}, {2}}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(ConsistencyPass, KnockWindowEndMovesPastStart) {
    struct Window {
        std::uint8_t start, end, startAfter, endAfter;
    };
    const Window cases[] = {
        {110, 110, 110, 111}, // both 10 degrees: end becomes 11 degrees
        {110, 50, 110, 111},  {0, 0, 0, 1},
        {254, 254, 254, 255}, {255, 255, 254, 255}, // no room above 255: the start moves down
        {255, 0, 254, 255},   {100, 160, 100, 160},
    };
    for (const auto& w : cases) {
        ParameterImage image = consistentImage();
        image[kStart + 7] = w.start;
        image[kEnd + 7] = w.end;
        runConsistencyPass(image);
        EXPECT_EQ(image[kStart + 7], w.startAfter) << int(w.start) << "/" << int(w.end);
        EXPECT_EQ(image[kEnd + 7], w.endAfter) << int(w.start) << "/" << int(w.end);
    }
}

TEST(ConsistencyPass, RepairsSettings) {
    struct Settings {
        std::uint8_t language, port, languageAfter, portAfter;
    };
    const Settings cases[] = {{0, 0, 0, 0}, {3, 19, 3, 19}, {4, 20, 0, 0}, {255, 255, 0, 0}};
    for (const auto& s : cases) {
        std::uint8_t language = s.language;
        std::uint8_t port = s.port;
        repairSettings(language, port);
        EXPECT_EQ(language, s.languageAfter);
        EXPECT_EQ(port, s.portAfter);
    }
    int language = -1;
    int port = 25;
    repairSettings(language, port);
    EXPECT_EQ(language, 0);
    EXPECT_EQ(port, 0);
    language = 2;
    port = 7;
    repairSettings(language, port);
    EXPECT_EQ(language, 2);
    EXPECT_EQ(port, 7);
}

ParameterImage randomImage(std::mt19937& rng) {
    ParameterImage image;
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> style(0, 9);
    for (auto& b : image.bytes) {
        // Extremes are where repairs go wrong, so give them extra weight.
        const int s = style(rng);
        b = static_cast<std::uint8_t>(s == 0 ? 0 : s == 1 ? 255 : byte(rng));
    }
    return image;
}

void expectStrictlyIncreasing(const ParameterImage& image, std::size_t first, std::size_t n) {
    for (std::size_t i = first + 1; i < first + n; ++i) {
        ASSERT_GT(image[i], image[i - 1]) << "byte " << i;
    }
}

void expectInvariants(const ParameterImage& image) {
    ASSERT_TRUE(image[kLimiter] >= 10 && image[kLimiter] <= 250);
    for (std::size_t i = 1; i < 3; ++i) {
        ASSERT_TRUE(image[kLimiter + i] >= image[kLimiter] && image[kLimiter + i] <= 250);
    }
    for (std::size_t row : kBreakpointRows) {
        expectStrictlyIncreasing(image, row, 15);
        for (std::size_t i = 0; i < 15; ++i) {
            ASSERT_TRUE(image[row + i] >= i + 3 && image[row + i] <= i + 236) << row + i;
        }
    }
    for (std::size_t g = 0; g < 3; ++g) {
        expectStrictlyIncreasing(image, kRpmKnock + 5 * g, 5);
    }
    for (std::size_t i = 0; i < 15; ++i) {
        ASSERT_TRUE(image[kVoltServo + i] >= 1 && image[kVoltServo + i] <= 249);
        ASSERT_LE(image[kPositionA + 15 + i], 240);
        ASSERT_LE(image[kPositionB + 15 + i], 240);
        ASSERT_GE(image[kRpmKnock + i], i + 3);
        ASSERT_GT(image[kEnd + i], image[kStart + i]);
    }
    for (std::size_t p = 0; p < kMapPageCount; ++p) {
        for (std::size_t c = 0; c < 150; ++c) {
            ASSERT_LE(image[mapCells(p) + c], p < 3 ? 60 : 250);
        }
    }
    ASSERT_TRUE(image[kTps] <= 250 && image[kTps + 1] <= 250 && image[kStartJet] <= 50);
    expectStrictlyIncreasing(image, kDruck, 10);
    expectStrictlyIncreasing(image, kRetard, 10);
    expectStrictlyIncreasing(image, kChoke, 4);
    for (std::size_t i = 0; i < 4; ++i) {
        ASSERT_TRUE(image[kChoke + i] >= i && image[kChoke + i] <= i + 247);
        ASSERT_LE(image[kChoke + 4 + i], 250);
    }
    for (std::size_t o = 0; o < 3; ++o) {
        ASSERT_GE(image[powerOut(3 * o + 1)], image[powerOut(3 * o)]);
    }
    ASSERT_LE(image[kBike], 3);
}

TEST(ConsistencyPass, HoldsItsInvariantsOnRandomImages) {
    std::mt19937 rng(20061);
    for (int n = 0; n < 3000; ++n) {
        const ParameterImage original = randomImage(rng);
        ParameterImage once = original;
        runConsistencyPass(once);
        for (std::size_t i = 0; i < kImageSize; ++i) {
            if (isUntouchable(i)) {
                ASSERT_EQ(once[i], original[i]) << "byte " << i << " image " << n;
            }
        }
        expectInvariants(once);
        ParameterImage twice = once;
        runConsistencyPass(twice);
        ASSERT_EQ(twice, once) << "image " << n;
    }
}

TEST(ConsistencyPass, LeavesAConsistentImageAlone) {
    const ParameterImage image = consistentImage();
    ParameterImage again = image;
    runConsistencyPass(again);
    EXPECT_EQ(again, image);
}

} // namespace
} // namespace kordana
