// The arithmetic behind the map's heat colours and cursor trail, without widgets.
#include "editors/MapColours.h"
#include "editors/CursorTrail.h"
#include "params/ImageLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

namespace kordana {

void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "(" << int{c.r} << ", " << int{c.g} << ", " << int{c.b} << ")";
}

namespace {

// Relative luminance and CIE lightness L* (0..100) of an sRGB colour, from the published
// formulas.
double luminance(Rgb c) {
    auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double lightness(Rgb c) {
    const double y = luminance(c);
    return y > 216.0 / 24389.0 ? 116.0 * std::cbrt(y) - 16.0 : y * 24389.0 / 27.0;
}

double contrast(Rgb a, Rgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

TEST(HeatScale, EndpointsSamplesAndClamping) {
    const struct {
        double position;
        Rgb expected;
    } cases[] = {
        {0.0, {68, 1, 84}},       // dark violet
        {-0.5, {68, 1, 84}},      // below the scale: its bottom
        {0.25, {59, 82, 139}},    // the third sample
        {0.5, {33, 145, 140}},    // teal, the middle sample
        {0.5625, {37, 160, 134}}, // half-way to the next sample (36.5, 159.5, 134 rounded)
        {1.0, {253, 231, 37}},    // yellow
        {7.0, {253, 231, 37}},    // above the scale: its top
    };
    for (const auto& c : cases) {
        EXPECT_EQ(heatColour(c.position), c.expected) << "at " << c.position;
    }
}

TEST(HeatScale, LightnessRisesEvenly) {
    // Every 1/32 of the scale is lighter than the one before, by steps within a factor of two
    // of each other, so no stretch of values looks flat or jumps.
    double previous = lightness(heatColour(0.0));
    double smallest = 100.0;
    double largest = 0.0;
    for (int i = 1; i <= 32; ++i) {
        const double now = lightness(heatColour(i / 32.0));
        smallest = std::min(smallest, now - previous);
        largest = std::max(largest, now - previous);
        previous = now;
    }
    EXPECT_GT(smallest, 0.0);
    EXPECT_LT(largest, 2.0 * smallest);
}

TEST(HeatScale, TextColourKeepsFiguresReadable) {
    const struct {
        Rgb background;
        Rgb text;
    } cases[] = {
        {{68, 1, 84}, kWhite},    // the dark end of the scale
        {{33, 145, 140}, kBlack}, // teal: 5.5 against black, 3.8 against white
        {{253, 231, 37}, kBlack}, // the light end
        {{0, 255, 0}, kBlack},    // the cursor's lime
        {{0, 0, 128}, kWhite},    // navy
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textColourOn(c.background), c.text);
    }
    for (int i = 0; i <= 64; ++i) {
        const Rgb background = heatColour(i / 64.0);
        EXPECT_GE(contrast(background, textColourOn(background)), 4.5) << "at " << i << "/64";
    }
}

TEST(HeatScale, BlendWeighsTheUpperColour) {
    EXPECT_EQ(blend({0, 255, 0}, {100, 100, 100}, 0.0), (Rgb{100, 100, 100}));
    EXPECT_EQ(blend({0, 255, 0}, {100, 100, 100}, 1.0), (Rgb{0, 255, 0}));
    EXPECT_EQ(blend({0, 255, 0}, {100, 100, 100}, 0.75), (Rgb{25, 216, 25})); // 216.25
}

TEST(HeatRangeTest, AdvanceOverItsDegreesInjectionOverItsOwnSpan) {
    ParameterImage image;
    for (std::size_t page = 0; page < kMapPageCount; ++page) {
        for (std::size_t i = 0; i < 150; ++i) {
            image[layout::mapCells(page) + i] = 20;
        }
    }
    image[layout::mapCell(1, 2, 3)] = 5;
    image[layout::mapCell(1, 9, 14)] = 40;
    image[layout::mapCell(4, 0, 0)] = 10;
    image[layout::mapCell(4, 9, 14)] = 70;

    const HeatRange ignition = heatRange(image, 1);
    EXPECT_EQ(ignition.low, 0);
    EXPECT_EQ(ignition.high, 60);
    EXPECT_DOUBLE_EQ(ignition.position(30), 0.5);
    EXPECT_DOUBLE_EQ(ignition.position(60), 1.0);
    EXPECT_DOUBLE_EQ(ignition.position(75), 1.0); // out of range: the top

    const HeatRange injection = heatRange(image, 4);
    EXPECT_EQ(injection.low, 10);
    EXPECT_EQ(injection.high, 70);
    EXPECT_DOUBLE_EQ(injection.position(10), 0.0);
    EXPECT_DOUBLE_EQ(injection.position(40), 0.5);
    EXPECT_DOUBLE_EQ(injection.position(70), 1.0);

    // A flat injection map spans nothing: every cell at the bottom of the scale.
    const HeatRange flat = heatRange(image, 7);
    EXPECT_EQ(flat.low, 20);
    EXPECT_EQ(flat.high, 20);
    EXPECT_DOUBLE_EQ(flat.position(20), 0.0);
}

TEST(CursorTrailTest, KeepsTheLastTwentyDistinctCellsNewestFirst) {
    CursorTrail trail;
    auto cellNo = [](int i) { return CursorTrail::Cell{i / 15, i % 15}; };
    for (int i = 0; i < 25; ++i) {
        EXPECT_TRUE(trail.visit(cellNo(i)));
    }
    ASSERT_EQ(trail.cells().size(), 20u);
    EXPECT_EQ(trail.ageOf(cellNo(24)), 0u);
    EXPECT_EQ(trail.ageOf(cellNo(5)), 19u);
    EXPECT_EQ(trail.ageOf(cellNo(4)), std::nullopt);

    // Staying on the newest cell changes nothing; a cell visited again moves to the front.
    EXPECT_FALSE(trail.visit(cellNo(24)));
    EXPECT_TRUE(trail.visit(cellNo(10)));
    EXPECT_EQ(trail.cells().size(), 20u);
    EXPECT_EQ(trail.ageOf(cellNo(10)), 0u);
    EXPECT_EQ(trail.ageOf(cellNo(24)), 1u);
    EXPECT_EQ(trail.ageOf(cellNo(11)), 14u); // one place older: 10 now stands before it
    EXPECT_EQ(trail.ageOf(cellNo(5)), 19u);

    trail.clear();
    EXPECT_TRUE(trail.cells().empty());
}

TEST(CursorTrailTest, OlderMarksFade) {
    EXPECT_DOUBLE_EQ(CursorTrail::strength(0), 0.75);
    EXPECT_DOUBLE_EQ(CursorTrail::strength(19), 0.15);
    for (std::size_t age = 1; age < CursorTrail::kLength; ++age) {
        EXPECT_LT(CursorTrail::strength(age), CursorTrail::strength(age - 1)) << age;
    }
}

} // namespace
} // namespace kordana
