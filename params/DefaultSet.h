#pragma once

#include "params/ParameterImage.h"

#include <cstddef>

namespace kordana {

/// Number of motor-and-fuel presets (`BIKE` 0..3); 0 and 1 use six injectors, 2 and 3 three.
inline constexpr std::size_t kPresetCount = 4;

/// Writes the starting calibration of the preset in `BIKE` (values above 3 count as 3) into
/// every parameter and into byte 126; leaves `BIKE`, the header and the other unnamed bytes
/// alone. The caller runs the consistency pass and the page refresh afterwards.
void applyDefaultSet(ParameterImage& image);

} // namespace kordana
