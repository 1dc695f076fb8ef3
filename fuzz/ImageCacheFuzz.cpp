// The image cache reader on arbitrary text: it takes numbers in order and leaves everything
// after the last one it took as it was; and a cache written from any image reads back whole.

#include "FuzzInput.h"

#include "settings/ImageCache.h"

#include <string>

using namespace kordana;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ParameterImage image{};
    image.bytes.fill(0xA5);
    AllFlags flags{};
    flags.fill(0x5A);
    const std::size_t taken = parseImageCache(text, image, flags);
    KORDANA_FUZZ_REQUIRE(taken <= kImageSize + kMapPageCount);
    for (std::size_t i = taken; i < kImageSize; ++i) {
        KORDANA_FUZZ_REQUIRE(image.bytes[i] == 0xA5);
    }
    for (std::size_t i = taken > kImageSize ? taken - kImageSize : 0; i < kMapPageCount; ++i) {
        KORDANA_FUZZ_REQUIRE(flags[i] == 0x5A);
    }

    ParameterImage back{};
    AllFlags backFlags{};
    KORDANA_FUZZ_REQUIRE(parseImageCache(formatImageCache(image, flags), back, backFlags) ==
                         kImageSize + kMapPageCount);
    KORDANA_FUZZ_REQUIRE(back.bytes == image.bytes && backFlags == flags);
    return 0;
}
