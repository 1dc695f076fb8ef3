#pragma once

#include "params/ParameterImage.h"

#include <cstdint>

namespace kordana {

/// Clamps the parameter image and makes every breakpoint row strictly increasing; run after
/// every change of the image. Never touches the header (0..99), byte 100 or the unnamed bytes.
void runConsistencyPass(ParameterImage& image);

/// The settings part of the pass: a language index above 3 becomes 0, a port index above 19
/// becomes 0.
void repairSettings(std::uint8_t& languageIndex, std::uint8_t& portIndex);

/// As above for settings held as int: anything outside 0..3 or 0..19 becomes 0.
void repairSettings(int& languageIndex, int& portIndex);

} // namespace kordana
