// The heat scale every display colours a map with, and the span of a map it covers.
#include "params/HeatScale.h"
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

// Relative luminance, CIE lightness L* (0..100) and HSV hue (degrees) of an sRGB colour, from
// the published formulas.
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

double hue(Rgb c) {
    const int high = std::max({c.r, c.g, c.b});
    const int low = std::min({c.r, c.g, c.b});
    if (high == low) {
        return 0.0;
    }
    const double span = high - low;
    double h = 0.0;
    if (high == c.r) {
        h = 60.0 * (c.g - c.b) / span;
    } else if (high == c.g) {
        h = 60.0 * (2.0 + (c.b - c.r) / span);
    } else {
        h = 60.0 * (4.0 + (c.r - c.g) / span);
    }
    return h < 0.0 ? h + 360.0 : h;
}

double contrast(Rgb a, Rgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

// The scale's nine samples, at 0, 1/8, ... 1.
constexpr Rgb kSamples[] = {{40, 11, 85},   {75, 17, 116},  {123, 29, 111},
                            {168, 44, 95},  {200, 71, 81},  {228, 101, 60},
                            {244, 136, 42}, {250, 175, 53}, {252, 210, 106}};

TEST(HeatScale, EndpointsSamplesAndClamping) {
    const struct {
        double position;
        Rgb expected;
    } cases[] = {
        {0.0, {40, 11, 85}},     // dark violet
        {-0.5, {40, 11, 85}},    // below the scale: its bottom
        {0.25, {123, 29, 111}},  // the third sample, purple
        {0.5, {200, 71, 81}},    // crimson, the middle sample
        {0.5625, {214, 86, 71}}, // half-way to the next sample (214, 86, 70.5 rounded up)
        {1.0, {252, 210, 106}},  // pale amber
        {7.0, {252, 210, 106}},  // above the scale: its top
        {std::nan(""), {40, 11, 85}},
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

TEST(HeatScale, HoldsNoLimeNorYellowGreenAnywhere) {
    // The cursor is lime (120 degrees) and its trail lime faded into the cells: the scale
    // keeps away from yellow (60) over yellow-green and green to spring green (150), with room
    // to spare, at every value it can give.
    for (int i = 0; i <= 1024; ++i) {
        const Rgb colour = heatColour(i / 1024.0);
        const double h = hue(colour);
        EXPECT_TRUE(h < 50.0 || h > 250.0) << "hue " << h << " at " << i << "/1024";
        EXPECT_LT(colour.g, std::max(colour.r, colour.b)) << "green leads at " << i << "/1024";
    }
    EXPECT_NEAR(hue(kLimeRgb), 120.0, 1e-9);
    EXPECT_NEAR(hue({154, 205, 50}), 80.0, 0.5); // yellow-green itself, for the formula
}

TEST(HeatScale, TextColourKeepsFiguresReadable) {
    const struct {
        Rgb background;
        Rgb text;
    } cases[] = {
        {{40, 11, 85}, kWhite},    // the dark end of the scale
        {{200, 71, 81}, kWhite},   // crimson, the middle: 4.69 against white, 4.48 against black
        {{228, 101, 60}, kBlack},  // vermilion: 6.2 against black, 3.4 against white
        {{168, 44, 95}, kWhite},   // 3.2 against black, 6.6 against white
        {{252, 210, 106}, kBlack}, // the light end
        {{0, 255, 0}, kBlack},     // the cursor's lime
        {{0, 0, 128}, kWhite},     // navy
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

ParameterImage mapsOf(std::uint8_t value) {
    ParameterImage image;
    for (std::size_t page = 0; page < kMapPageCount; ++page) {
        for (std::size_t i = 0; i < 150; ++i) {
            image[layout::mapCells(page) + i] = value;
        }
    }
    return image;
}

TEST(HeatRangeTest, EachMapSpansItsOwnLowestToHighestShownValue) {
    ParameterImage image = mapsOf(20);
    image[layout::mapCell(1, 2, 3)] = 5;
    image[layout::mapCell(1, 9, 14)] = 40;
    image[layout::mapCell(2, 4, 4)] = 75;  // above the 60 degrees a field shows: 60
    image[layout::mapCell(4, 0, 0)] = 10;  // 500 us
    image[layout::mapCell(4, 9, 14)] = 70; // 3500 us
    image[layout::mapCell(5, 0, 0)] = 200; // 10000 us
    image[layout::mapCell(5, 0, 1)] = 255; // 12750 us stored, 12500 shown

    const struct {
        std::size_t page;
        int low;
        int high;
    } cases[] = {
        {0, 20, 20},      // one value throughout
        {1, 5, 40},       // advance: its own span, not 0..60
        {2, 20, 60},      // as the field shows it
        {4, 500, 3500},   // injection in microseconds
        {5, 1000, 12500}, // clamped as the field's up-down
        {9, 0, 0},        // no map page
    };
    for (const auto& c : cases) {
        const HeatRange range = heatRange(image, c.page);
        EXPECT_EQ(range.low, c.low) << "page " << c.page;
        EXPECT_EQ(range.high, c.high) << "page " << c.page;
    }

    const HeatRange ignition = heatRange(image, 1);
    EXPECT_DOUBLE_EQ(ignition.position(5), 0.0);
    EXPECT_DOUBLE_EQ(ignition.position(12), 0.2);
    EXPECT_DOUBLE_EQ(ignition.position(40), 1.0);
    EXPECT_DOUBLE_EQ(ignition.position(75), 1.0); // out of range: the top
    EXPECT_EQ(ignition.colour(12), heatColour(0.2));
    const HeatRange injection = heatRange(image, 4);
    EXPECT_DOUBLE_EQ(injection.position(2000), 0.5);
    EXPECT_EQ(injection.colour(2000), kSamples[4]);
    // A flat map spans nothing: every cell at the bottom of the scale.
    EXPECT_DOUBLE_EQ(heatRange(image, 0).position(20), 0.0);

    const auto cells = mapShownCells(image, 5);
    EXPECT_EQ(cells[0], 10000);
    EXPECT_EQ(cells[1], 12500);
    EXPECT_EQ(cells[149], 1000);
}

TEST(HeatStopsTest, PutTheMapsSpanWhereTheAxisShowsIt) {
    // Values 12..28 on an axis of 10..30: the samples every 2 from 0.1 to 0.9 of the axis,
    // the ends of the axis in the scale's end colours.
    const std::vector<HeatStop> stops = heatStops({12, 28}, 10, 30);
    ASSERT_EQ(stops.size(), 11u);
    EXPECT_DOUBLE_EQ(stops.front().at, 0.0);
    EXPECT_EQ(stops.front().colour, kSamples[0]);
    for (std::size_t k = 0; k < 9; ++k) {
        EXPECT_NEAR(stops[k + 1].at, 0.1 + 0.1 * static_cast<double>(k), 1e-12) << k;
        EXPECT_EQ(stops[k + 1].colour, kSamples[k]) << k;
    }
    EXPECT_DOUBLE_EQ(stops.back().at, 1.0);
    EXPECT_EQ(stops.back().colour, kSamples[8]);

    // A map that fills its axis needs no end stops.
    const std::vector<HeatStop> full = heatStops({0, 40}, 0, 40);
    ASSERT_EQ(full.size(), 9u);
    EXPECT_DOUBLE_EQ(full.front().at, 0.0);
    EXPECT_DOUBLE_EQ(full[4].at, 0.5);
    EXPECT_DOUBLE_EQ(full.back().at, 1.0);

    // One value: the bottom colour along the whole axis.
    const std::vector<HeatStop> flat = heatStops({20, 20}, 15, 25);
    ASSERT_EQ(flat.size(), 2u);
    EXPECT_EQ(flat[0], (HeatStop{0.0, kSamples[0]}));
    EXPECT_EQ(flat[1], (HeatStop{1.0, kSamples[0]}));
}

} // namespace
} // namespace kordana
