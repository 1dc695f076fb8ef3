#include "editors/MapColours.h"

#include "params/ImageLayout.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kordana {

namespace {

// Nine evenly spaced samples of a perceptually uniform scale (viridis-like); the steps in
// between are interpolated linearly, which keeps the lightness rising between samples.
constexpr std::array<Rgb, 9> kHeatSamples{{
    {68, 1, 84},
    {71, 44, 122},
    {59, 82, 139},
    {44, 114, 142},
    {33, 145, 140},
    {40, 174, 128},
    {94, 201, 98},
    {173, 220, 48},
    {253, 231, 37},
}};

constexpr int kIgnitionPages = 3;
constexpr int kIgnitionMaxDegrees = 60;

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

HeatRange heatRange(const ParameterImage& image, std::size_t page) {
    if (page < static_cast<std::size_t>(kIgnitionPages)) {
        return {0, kIgnitionMaxDegrees};
    }
    if (page >= kMapPageCount) {
        return {};
    }
    const auto first = image.bytes.begin() + static_cast<std::ptrdiff_t>(layout::mapCells(page));
    const auto [low, high] = std::minmax_element(first, first + 150);
    return {*low, *high};
}

} // namespace kordana
