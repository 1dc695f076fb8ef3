#pragma once

#include <cstddef>
#include <string_view>

namespace kordana::fuzz {

/// Number of code points when `text` is well-formed UTF-8 (no overlong forms, no surrogates,
/// nothing above U+10FFFF); -1 otherwise.
inline long utf8Length(std::string_view text) {
    long count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        unsigned long point = 0;
        if (c < 0x80) {
            point = c;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            point = c & 0x1Fu;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            point = c & 0x0Fu;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            point = c & 0x07u;
        } else {
            return -1;
        }
        if (i + extra >= text.size() && extra > 0) {
            return -1;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0u) != 0x80u) {
                return -1;
            }
            point = (point << 6) | (d & 0x3Fu);
        }
        if ((extra == 2 && (point < 0x800 || (point >= 0xD800 && point <= 0xDFFF))) ||
            (extra == 3 && (point < 0x10000 || point > 0x10FFFF))) {
            return -1;
        }
        i += extra + 1;
    }
    return count;
}

} // namespace kordana::fuzz
