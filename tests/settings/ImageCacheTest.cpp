#include "settings/ImageCache.h"

#include <gtest/gtest.h>

#include <string>

namespace kordana {
namespace {

// A cache file written out by hand: "%5u " per number, a line break after every tenth number
// and an empty line after every hundredth; the nine All flags on one last line without a line
// break. Bytes 0, 9, 10, 99, 100 and 1999 hold 255, 7, 100, 1, 12 and 200, every other byte 0.
const std::string kZeros = "    0     0     0     0     0     0     0     0     0     0 \n";
const std::string kFlagLine = "    1     0     1     0     0     0     0     0     1 ";

std::string zeroLines(int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) {
        lines += kZeros;
    }
    return lines;
}

std::string handWrittenImageLines() {
    std::string text;
    // Bytes 0..99.
    text += "  255     0     0     0     0     0     0     0     0     7 \n";
    text += "  100     0     0     0     0     0     0     0     0     0 \n";
    text += zeroLines(7);
    text += "    0     0     0     0     0     0     0     0     0     1 \n\n";
    // Bytes 100..199.
    text += "   12     0     0     0     0     0     0     0     0     0 \n";
    text += zeroLines(9) + "\n";
    // Bytes 200..1899, seventeen blocks of nothing.
    for (int block = 2; block < 19; ++block) {
        text += zeroLines(10) + "\n";
    }
    // Bytes 1900..1999.
    text += zeroLines(9);
    text += "    0     0     0     0     0     0     0     0     0   200 \n\n";
    return text;
}

ParameterImage imageOfHandWrittenCache() {
    ParameterImage image;
    image.bytes.fill(0);
    image[0] = 255;
    image[9] = 7;
    image[10] = 100;
    image[99] = 1;
    image[100] = 12;
    image[1999] = 200;
    return image;
}

constexpr AllFlags kFlagsOfHandWrittenCache{1, 0, 1, 0, 0, 0, 0, 0, 1};

TEST(ImageCache, WritesTheHandWrittenText) {
    const std::string expected = handWrittenImageLines() + kFlagLine;
    ASSERT_EQ(expected.size(), 2000u * 6 + 200 + 20 + 54);
    EXPECT_EQ(formatImageCache(imageOfHandWrittenCache(), kFlagsOfHandWrittenCache), expected);
}

TEST(ImageCache, ReadsTheHandWrittenText) {
    ParameterImage image;
    image.bytes.fill(9);
    AllFlags flags{};
    EXPECT_EQ(parseImageCache(handWrittenImageLines() + kFlagLine, image, flags), 2009u);
    EXPECT_EQ(image, imageOfHandWrittenCache());
    EXPECT_EQ(flags, kFlagsOfHandWrittenCache);
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
    ParameterImage image;
    image.bytes.fill(9);
    AllFlags flags{};
    flags.fill(1);
    EXPECT_EQ(parseImageCache(handWrittenImageLines(), image, flags), 2000u);
    EXPECT_EQ(image, imageOfHandWrittenCache());
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
