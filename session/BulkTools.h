#pragma once

#include "params/ParameterImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>

// The image arithmetic of the bulk tools: one stored step up or down on a map or a curve, and
// the throttle sensor's calibration from its live voltage. No widgets, no live data: the
// callers pass the operating point and the voltage.
namespace kordana::bulk {

/// The curves of the Position and Servo tools.
enum class Curve { PositionA, PositionB, Servo };

/// Steps cell (`row`, `column`) of map page `page` (0..8), or all 150 cells in order when
/// `wholeMap`, by one stored unit (`direction` -1 or +1): down only above 0, up only below 250,
/// propagated to the siblings of a master page by the group's coupling mode.
void stepMap(ParameterImage& image, int page, bool wholeMap, std::size_t row, std::size_t column,
             int direction);

/// Steps point `point` (0..14) of `curve`, or all 15 points when `wholeCurve`, by one stored
/// unit: the position angles within 0..144 (0..720 degrees), the servo voltages within 1..249
/// (20..4980 mV). A point outside 0..14 is left alone.
void stepCurve(ParameterImage& image, Curve curve, bool wholeCurve, std::size_t point,
               int direction);

/// The TPS[0] byte for a live throttle voltage (mV): voltage / 10 within 300..2500 mV, none
/// outside that window.
std::optional<std::uint8_t> tps0Byte(std::uint16_t millivolts);
/// The TPS[1] byte for a live throttle voltage (mV): (voltage / 10 + 6) modulo 256, the
/// encoding of EditTps100, within 2500..4900 mV; none outside that window.
std::optional<std::uint8_t> tps100Byte(std::uint16_t millivolts);

} // namespace kordana::bulk
