#include "settings/ImageCache.h"

#include <gtest/gtest.h>

namespace kordana {
namespace {

ParameterImage countingImage() {
    ParameterImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        image.bytes[i] = static_cast<std::uint8_t>(i * 7);
    }
    return image;
}

TEST(ImageCache, ExactLayout) {
    const ParameterImage image = countingImage();
    AllFlags flags{1, 0, 1, 0, 0, 0, 0, 0, 1};
    const std::string text = formatImageCache(image, flags);
    EXPECT_EQ(text.substr(0, 61), "    0     7    14    21    28    35    42    49    56    63 \n");
    // Line break after every tenth number, an empty line after every hundredth.
    EXPECT_EQ(text.substr(60 * 10 + 9, 3), "\n\n ");
    EXPECT_EQ(text.substr(text.size() - 54),
              "    1     0     1     0     0     0     0     0     1 ");
    EXPECT_NE(text.back(), '\n');
    EXPECT_EQ(text.size(), 2000u * 6 + 200 + 20 + 54);
}

TEST(ImageCache, RoundTrip) {
    const ParameterImage image = countingImage();
    const AllFlags flags{1, 1, 0, 0, 1, 0, 1, 0, 1};
    ParameterImage back;
    AllFlags backFlags{};
    EXPECT_EQ(parseImageCache(formatImageCache(image, flags), back, backFlags), 2009u);
    EXPECT_EQ(back, image);
    EXPECT_EQ(backFlags, flags);
}

TEST(ImageCache, ShortCacheReplacesOnlyWhatItHolds) {
    ParameterImage image;
    image.bytes.fill(9);
    AllFlags flags{};
    flags.fill(1);
    EXPECT_EQ(parseImageCache("1 2\n3", image, flags), 3u);
    EXPECT_EQ(image[0], 1);
    EXPECT_EQ(image[2], 3);
    EXPECT_EQ(image[3], 9);
    EXPECT_EQ(flags[0], 1);
}

TEST(ImageCache, CacheWithoutFlagLineKeepsFlags) {
    const ParameterImage image = countingImage();
    std::string text = formatImageCache(image, AllFlags{});
    text.resize(text.size() - 54);
    ParameterImage back;
    AllFlags flags{};
    flags.fill(1);
    EXPECT_EQ(parseImageCache(text, back, flags), 2000u);
    EXPECT_EQ(back, image);
    EXPECT_EQ(flags, (AllFlags{1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST(ImageCache, StopsAtFirstNonNumberAndKeepsTheRest) {
    ParameterImage image;
    image.bytes.fill(9);
    AllFlags flags{};
    EXPECT_EQ(parseImageCache("5 6 -7 8 9", image, flags), 2u);
    EXPECT_EQ(image[1], 6);
    EXPECT_EQ(image[2], 9);
    EXPECT_EQ(image[3], 9);
}

TEST(ImageCache, LongNumbersKeepTheirLowEightBits) {
    ParameterImage image;
    AllFlags flags{};
    const std::string huge = "256 65535 " + std::string(100000, '9') + " 1";
    EXPECT_EQ(parseImageCache(huge, image, flags), 4u);
    EXPECT_EQ(image[0], 0);
    EXPECT_EQ(image[1], 255);
    EXPECT_EQ(image[2], 255); // 10^100000 - 1 modulo 256
    EXPECT_EQ(image[3], 1);
}

} // namespace
} // namespace kordana
