#pragma once

#include "params/ImageLayout.h"
#include "params/ParameterImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace kordana::analysis {

/// The rpm breakpoints (speed index, rpm / 50) of map page `page` (0..8) of `image`.
std::span<const std::uint8_t, layout::kMapCols> mapBreakpoints(const ParameterImage& image,
                                                               std::size_t page);

/// The element (kMapCols row + column) of the map cell the cursor marks at this engine speed
/// and throttle opening: the nearest of the map's own breakpoints, the nearest throttle row.
std::size_t cellOf(std::span<const std::uint8_t, layout::kMapCols> breakpoints,
                   std::uint16_t engineSpeed, std::uint8_t throttleOpening);

/// A log cell's value as the cursor reads it: rounded, nothing when empty or outside
/// 0..maximum (the monitor reads such a value as 0).
std::optional<unsigned> liveField(double value, double maximum);

} // namespace kordana::analysis
