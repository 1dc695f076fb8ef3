#pragma once

#include "params/ParameterImage.h"

#include <cstddef>
#include <cstdint>

namespace kordana {

/// A colour as 8-bit red, green and blue; the map grid turns it into its widgets' palettes.
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
/// through blue and teal to yellow, growing lighter all the way, so equal steps of value look
/// like equal steps of colour and the order survives a grey-scale printout.
Rgb heatColour(double position);

/// Black or white, whichever stands out more from `background` (contrast of relative
/// luminance), so the figures of a coloured cell stay readable.
Rgb textColourOn(Rgb background);

/// `over` laid on `under` with `weight` (0: under alone .. 1: over alone), rounded per channel.
Rgb blend(Rgb over, Rgb under, double weight);

/// The stored values the heat scale spans on one map page.
struct HeatRange {
    int low = 0;
    int high = 0;
    /// Where stored value `value` lies on the scale, 0..1; a range of one value puts it at 0.
    double position(int value) const;
};

/// The span the cells of map page `page` (0..8) are coloured over: the advance maps over the
/// degrees they may hold, 0..60, so the three maps compare at a glance; an injection map over
/// its own lowest..highest stored value, since injection times differ by engine and fuel.
HeatRange heatRange(const ParameterImage& image, std::size_t page);

} // namespace kordana
