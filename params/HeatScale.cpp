#include "params/HeatScale.h"

#include "params/ImageLayout.h"
#include "params/ParameterTable.h"

#include <algorithm>
#include <cmath>

namespace kordana {

namespace {

// Nine samples of even lightness steps (CIE L* 11.6 to 85.9 by about 9.3) from dark violet
// over purple, crimson, vermilion and orange to pale amber: hues 264..355 and 0..43 degrees,
// far from the yellow-greens and greens (65..170 degrees) of the cursor and its trail. The
// steps in between are interpolated linearly, which keeps the lightness rising.
constexpr std::array<Rgb, 9> kHeatSamples{{
    {40, 11, 85},
    {75, 17, 116},
    {123, 29, 111},
    {168, 44, 95},
    {200, 71, 81},
    {228, 101, 60},
    {244, 136, 42},
    {250, 175, 53},
    {252, 210, 106},
}};

std::uint8_t mix(std::uint8_t over, std::uint8_t under, double weight) {
    const double value = under + (over - under) * weight;
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

// Relative luminance of an sRGB colour (0 black .. 1 white).
double luminance(Rgb colour) {
    auto linear = [](std::uint8_t channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.r) + 0.7152 * linear(colour.g) + 0.0722 * linear(colour.b);
}

} // namespace

Rgb heatColour(double position) {
    const double t = std::clamp(std::isnan(position) ? 0.0 : position, 0.0, 1.0);
    const double scaled = t * static_cast<double>(kHeatSamples.size() - 1);
    const auto lower = std::min(static_cast<std::size_t>(scaled), kHeatSamples.size() - 2);
    return blend(kHeatSamples[lower + 1], kHeatSamples[lower], scaled - static_cast<double>(lower));
}

Rgb textColourOn(Rgb background) {
    // Contrast ratios (L1 + 0.05) / (L2 + 0.05) against white (L = 1) and black (L = 0).
    const double l = luminance(background);
    const double againstWhite = 1.05 / (l + 0.05);
    const double againstBlack = (l + 0.05) / 0.05;
    return againstBlack >= againstWhite ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
}

Rgb blend(Rgb over, Rgb under, double weight) {
    const double w = std::clamp(weight, 0.0, 1.0);
    return {mix(over.r, under.r, w), mix(over.g, under.g, w), mix(over.b, under.b, w)};
}

double HeatRange::position(int value) const {
    if (high <= low) {
        return 0.0;
    }
    return std::clamp(static_cast<double>(value - low) / (high - low), 0.0, 1.0);
}

HeatRange heatRangeOf(std::span<const int> values) {
    if (values.empty()) {
        return {};
    }
    const auto [low, high] = std::ranges::minmax(values);
    return {low, high};
}

std::array<int, 150> mapShownCells(const ParameterImage& image, std::size_t page) {
    std::array<int, 150> cells{};
    if (page >= kMapPageCount) {
        return cells;
    }
    const ParameterTable& table = ParameterTable::instance();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const auto ref = table.findByIndex(layout::mapCells(page) + i);
        if (ref) {
            const ParameterElement& element = ref->key->elements[ref->element];
            cells[i] = clampShown(element, shownValue(image, element));
        }
    }
    return cells;
}

HeatRange heatRange(const ParameterImage& image, std::size_t page) {
    if (page >= kMapPageCount) {
        return {};
    }
    return heatRangeOf(mapShownCells(image, page));
}

std::vector<HeatStop> heatStops(const HeatRange& range, int axisLow, int axisHigh) {
    // One value, or an axis of none: the bottom of the scale throughout.
    if (range.high <= range.low || axisHigh <= axisLow) {
        return {{0.0, kHeatSamples.front()}, {1.0, kHeatSamples.front()}};
    }
    const double span = axisHigh - axisLow;
    const double last = static_cast<double>(kHeatSamples.size() - 1);
    std::vector<HeatStop> stops;
    for (std::size_t k = 0; k < kHeatSamples.size(); ++k) {
        const double value = range.low + (range.high - range.low) * static_cast<double>(k) / last;
        stops.push_back({std::clamp((value - axisLow) / span, 0.0, 1.0), kHeatSamples[k]});
    }
    // Below and above the map's values the axis takes the scale's ends.
    if (stops.front().at > 0.0) {
        stops.insert(stops.begin(), {0.0, kHeatSamples.front()});
    }
    if (stops.back().at < 1.0) {
        stops.push_back({1.0, kHeatSamples.back()});
    }
    return stops;
}

} // namespace kordana
