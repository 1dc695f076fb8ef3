#pragma once

#include "params/ParameterImage.h"

#include <string>

namespace kordana {

/// The cache file's text: the 2000 image bytes as "%5u " with a line break after every tenth
/// number and an empty line after every hundredth, then the nine All flags on one line with no
/// final line break.
std::string formatImageCache(const ParameterImage& image, const AllFlags& flags);

/// Reads whitespace-separated unsigned decimal numbers into the image bytes 0, 1, ... and then
/// the All flags, each keeping the low eight bits. Reading stops at the end of the text or at the
/// first word that is not an unsigned decimal number; whatever was not read keeps its value.
/// Returns how many numbers were taken.
std::size_t parseImageCache(const std::string& text, ParameterImage& image, AllFlags& flags);

/// How a read of the cache went.
struct ImageCacheRead {
    std::size_t taken = 0; ///< the numbers taken, as parseImageCache counts them
    bool damaged = false;  ///< a word that is not an unsigned decimal number was met
};

/// As parseImageCache, telling also whether a bad word (a NUL byte, a byte that is no digit, a
/// sign) stopped the read: the cache is then damaged, not just short.
ImageCacheRead readImageCache(const std::string& text, ParameterImage& image, AllFlags& flags);

/// What a damaged cache still holds: every number in its own place, a bad word's place
/// keeping its value in `image` or `flags`.
void recoverImageCache(const std::string& text, ParameterImage& image, AllFlags& flags);

} // namespace kordana
