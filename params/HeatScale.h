#pragma once

#include "params/ParameterImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kordana {

/// A colour as 8-bit red, green and blue; each display turns it into its own colour type.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// The operating-point cursor's colour.
inline constexpr Rgb kLimeRgb{0, 255, 0};
/// The cursor's colour while it shows a replayed log row instead of the unit's values.
inline constexpr Rgb kReplayRgb{255, 0, 255};

/// The colour at `position` (0 lowest .. 1 highest, clamped) of the heat scale: dark violet
/// through crimson and orange to a pale amber, growing lighter all the way, so equal steps of
/// value look like equal steps of colour and the order survives a grey-scale printout. The
/// scale holds no green, yellow-green or lime: the cursor and its trail stand out on it.
/// The map grid, the 3D view and the tune sheet all colour with it.
Rgb heatColour(double position);

/// Black or white, whichever stands out more from `background` (contrast of relative
/// luminance), so the figures of a coloured cell stay readable.
Rgb textColourOn(Rgb background);

/// `over` laid on `under` with `weight` (0: under alone .. 1: over alone), rounded per channel.
Rgb blend(Rgb over, Rgb under, double weight);

/// The values the heat scale spans on one map.
struct HeatRange {
    int low = 0;
    int high = 0;
    /// Where value `value` lies on the scale, 0..1; a range of one value puts it at 0.
    double position(int value) const;
    /// The colour of value `value`.
    Rgb colour(int value) const { return heatColour(position(value)); }
};

/// From the lowest to the highest of `values`; an empty range for no values.
HeatRange heatRangeOf(std::span<const int> values);

/// The values the cells of map page `page` (0..8) show, row by row: converted and clamped to
/// the field's range as its up-down does (degrees of advance, microseconds of injection).
std::array<int, 150> mapShownCells(const ParameterImage& image, std::size_t page);

/// The span the cells of map page `page` (0..8) are coloured over: the map's own lowest..
/// highest shown value, so each map uses the whole scale whatever its values; an empty range
/// for a page that is no map page.
HeatRange heatRange(const ParameterImage& image, std::size_t page);

/// One colour stop of a linear gradient, `at` 0..1 along it.
struct HeatStop {
    double at = 0.0;
    Rgb colour;
    friend bool operator==(const HeatStop&, const HeatStop&) = default;
};

/// The stops of a gradient laid over the values `axisLow`..`axisHigh` that gives every value
/// of `range` the colour `range.colour()` gives it (interpolated linearly between the stops,
/// as the heat scale is between its samples); values outside `range` take its end colours.
std::vector<HeatStop> heatStops(const HeatRange& range, int axisLow, int axisHigh);

} // namespace kordana
