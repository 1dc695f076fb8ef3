#pragma once

#include <span>
#include <string_view>

// The row captions of the knock page, the same in every language; the knock page and the tune
// sheet show the same words. The option lists live with the parameters (params/KnockLists.h).
namespace kordana {

/// The seven row captions, top to bottom: rpm, frequency, gain, time constant, start, end,
/// alarm level.
std::span<const std::string_view> knockRowCaptions();

} // namespace kordana
