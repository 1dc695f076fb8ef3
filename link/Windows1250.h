#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kordana {

/// Converts single-byte Windows-1250 text (as the unit stores it) to UTF-8; stops at a zero byte.
/// Byte values that code page leaves undefined become U+FFFD.
std::string windows1250ToUtf8(std::span<const std::uint8_t> text);

} // namespace kordana
