#include "link/UnitHeader.h"

#include "link/Windows1250.h"

#include <array>

namespace kordana {

namespace {

constexpr std::size_t kIdentText = 16;
constexpr std::size_t kIdentTextLength = 30;

char digit(unsigned value) {
    return static_cast<char>('0' + value % 10);
}

// The unit stores the month as the byte sum of its English three-letter abbreviation.
unsigned monthFromCode(std::uint8_t code) {
    constexpr std::array<std::uint8_t, 12> kCodes = {25, 13, 32, 35, 39, 45,
                                                     43, 29, 40, 38, 51, 12};
    for (std::size_t i = 0; i < kCodes.size(); ++i) {
        if (kCodes[i] == code) {
            return static_cast<unsigned>(i + 1);
        }
    }
    return 0;
}

std::string versionText(std::span<const std::uint8_t, kBlockSize> b) {
    if (b[kIdentText] != 0) {
        return windows1250ToUtf8(b.subspan(kIdentText, kIdentTextLength));
    }
    std::string text = windows1250ToUtf8(b.first(3));
    if (text.size() < 3) {
        return text; // a zero byte ends the text, as in the unit's own string
    }
    text += digit(b[3] / 10u);
    text += digit(b[3]);
    return text;
}

std::string dateText(std::span<const std::uint8_t, kBlockSize> b) {
    const unsigned day = b[4];
    const unsigned month = monthFromCode(b[5]);
    std::string text;
    text += day < 10 ? ' ' : digit(day / 10);
    text += digit(day);
    text += '.';
    text += month < 10 ? (month == 0 ? '0' : ' ') : '1';
    text += digit(month);
    text += ".20";
    text += digit(b[6] / 10u);
    text += digit(b[6]);
    return text;
}

std::string timeText(std::span<const std::uint8_t, kBlockSize> b) {
    std::string text;
    text += digit(b[7] / 10u);
    text += digit(b[7]);
    text += ':';
    text += digit(b[8] / 10u);
    text += digit(b[8]);
    return text;
}

} // namespace

UnitHeaderTexts DecodeUnitHeader(std::span<const std::uint8_t, kBlockSize> header) {
    return UnitHeaderTexts{versionText(header), dateText(header), timeText(header)};
}

} // namespace kordana
