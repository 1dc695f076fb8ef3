#pragma once

#include <span>
#include <string_view>

// The texts of the knock page: its three option lists and its row captions, the same in every
// language. The knock page and the tune sheet show the same words.
namespace kordana {

/// Knock filter centre frequencies in kHz, 64 items; `KNOCK_FREK` holds the item index.
std::span<const std::string_view> knockFrequencyItems();
/// Knock amplifier gains, 64 items; `LEVEL` holds the item index.
std::span<const std::string_view> knockGainItems();
/// Knock integrator time constants in microseconds, 32 items; `TIME_CONST` holds the index.
std::span<const std::string_view> knockTimeConstantItems();
/// The seven row captions, top to bottom: rpm, frequency, gain, time constant, start, end,
/// alarm level.
std::span<const std::string_view> knockRowCaptions();

} // namespace kordana
