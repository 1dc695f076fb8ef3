#pragma once

#include <cstdint>
#include <span>

namespace kordana {

/// Background and gauge colours the live monitor uses; Normal is the window's button face.
enum class MonitorColour : std::uint8_t { Normal, Red, Yellow, Lime, Aqua, Fuchsia, White };

/// Speed label colour from the unit's two speed flags: both set red, one set fuchsia.
MonitorColour rpmColour(std::uint8_t flagA, std::uint8_t flagB);

/// Lambda gauge position: 0 below 400 mV, 100 above 1000 mV, else (mV - 400) / 6.
int lambdaProgress(std::uint32_t lambdaMv);

/// Injection duty in %: speed x longest of the six injection times / 1200000 (64-bit product).
std::uint32_t injectionDuty(std::uint16_t engineSpeed, std::span<const std::uint16_t, 6> timesUs);

/// Duty gauge colour: aqua up to 100 %, yellow above.
MonitorColour dutyColour(std::uint32_t duty);

/// Supply colour from the supply in mV (11 x input): red outside 7001..17998, yellow outside
/// 11001..14998, else normal.
MonitorColour supplyColour(std::uint32_t supplyMv);

/// True when the raw pressure reading lies outside the sensor's sound range 105..1006.
bool pressureReadingFaulty(std::uint16_t raw);

/// Clamps a gauge position into the gauges' range 0..100.
int clampProgress(long long progress);

/// value x factor computed in double and rounded to single precision, as the labels show it.
float scaledValue(std::uint32_t value, double factor);

} // namespace kordana
