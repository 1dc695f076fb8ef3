#include "settings/ImageCache.h"

#include <cctype>
#include <cstdio>

namespace kordana {

std::string formatImageCache(const ParameterImage& image, const AllFlags& flags) {
    std::string out;
    out.reserve(kImageSize * 6 + kImageSize / 10 + 64);
    char buf[16];
    for (std::size_t i = 0; i < kImageSize; ++i) {
        std::snprintf(buf, sizeof buf, "%5u ", static_cast<unsigned>(image.bytes[i]));
        out += buf;
        if ((i + 1) % 10 == 0) {
            out += '\n';
        }
        if ((i + 1) % 100 == 0) {
            out += '\n';
        }
    }
    for (std::uint8_t flag : flags) {
        std::snprintf(buf, sizeof buf, "%5u ", static_cast<unsigned>(flag));
        out += buf;
    }
    return out;
}

namespace {

// Reads the numbers in order; a word that is not an unsigned decimal number stops the read,
// or, when `skipBadWords`, leaves its place unchanged and the read goes on.
ImageCacheRead readCache(const std::string& text, ParameterImage& image, AllFlags& flags,
                         bool skipBadWords) {
    ImageCacheRead read;
    const std::size_t total = kImageSize + flags.size();
    std::size_t& taken = read.taken;
    std::size_t pos = 0;
    while (taken < total) {
        while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
            ++pos;
        }
        if (pos >= text.size()) {
            break;
        }
        // A word of any length is read; only its value modulo 256 matters.
        unsigned value = 0;
        bool number = true;
        while (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos]))) {
            const char c = text[pos++];
            if (c < '0' || c > '9') {
                number = false;
            } else {
                value = (value * 10u + static_cast<unsigned>(c - '0')) & 0xFFu;
            }
        }
        if (!number) {
            read.damaged = true;
            if (!skipBadWords) {
                break;
            }
            ++taken;
            continue;
        }
        const auto byte = static_cast<std::uint8_t>(value);
        if (taken < kImageSize) {
            image.bytes[taken] = byte;
        } else {
            flags[taken - kImageSize] = byte;
        }
        ++taken;
    }
    return read;
}

} // namespace

std::size_t parseImageCache(const std::string& text, ParameterImage& image, AllFlags& flags) {
    return readImageCache(text, image, flags).taken;
}

ImageCacheRead readImageCache(const std::string& text, ParameterImage& image, AllFlags& flags) {
    return readCache(text, image, flags, false);
}

void recoverImageCache(const std::string& text, ParameterImage& image, AllFlags& flags) {
    readCache(text, image, flags, true);
}

} // namespace kordana
