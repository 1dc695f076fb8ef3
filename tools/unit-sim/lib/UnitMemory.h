#pragma once

#include "params/ParameterImage.h"
#include "tools/unit-sim/lib/UnitSimOptions.h"

#include <cstdint>

namespace kordana {

/// The month code the unit stores in header byte 5: the sum of the characters of the month's
/// three-letter English abbreviation, modulo 256; 0 for a month outside 1..12.
std::uint8_t unitMonthCode(unsigned month);

/// Writes the unit's header (block 0) from identity; bytes 9 and 10 are left to the replies.
void writeUnitHeader(ParameterImage& memory, const UnitIdentity& identity);

/// Fills blocks 1..19 with the unit's own calibration: a complete, consistent parameter set
/// (strictly increasing breakpoint rows, every value within its range).
void writeUnitParameters(ParameterImage& memory);

} // namespace kordana
