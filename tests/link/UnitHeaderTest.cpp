#include "link/UnitHeader.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kordana {
namespace {

using Header = std::array<std::uint8_t, kBlockSize>;

Header header(std::string_view ident, std::uint8_t number, std::uint8_t day, std::uint8_t month,
              std::uint8_t year, std::uint8_t hour, std::uint8_t minute) {
    Header h{};
    for (std::size_t i = 0; i < 3 && i < ident.size(); ++i) {
        h[i] = static_cast<std::uint8_t>(ident[i]);
    }
    h[3] = number;
    h[4] = day;
    h[5] = month;
    h[6] = year;
    h[7] = hour;
    h[8] = minute;
    h[46] = 'X'; // bytes after the text field must never leak into the version text
    return h;
}

void putText(Header& h, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        h[16 + i] = static_cast<std::uint8_t>(text[i]);
    }
}

struct DateCase {
    std::uint8_t day, monthCode, year;
    const char* date;
};

class UnitHeaderDate : public ::testing::TestWithParam<DateCase> {};

TEST_P(UnitHeaderDate, DayMonthAndYear) {
    const DateCase& c = GetParam();
    const auto texts = DecodeUnitHeader(header("IGN", 1, c.day, c.monthCode, c.year, 12, 0));
    EXPECT_EQ(texts.date, c.date);
}

INSTANTIATE_TEST_SUITE_P(
    MonthCodes, UnitHeaderDate,
    ::testing::Values(DateCase{7, 39, 6, " 7. 5.2006"}, DateCase{9, 25, 10, " 9. 1.2010"},
                      DateCase{10, 13, 6, "10. 2.2006"}, DateCase{31, 32, 99, "31. 3.2099"},
                      DateCase{1, 35, 0, " 1. 4.2000"}, DateCase{15, 45, 7, "15. 6.2007"},
                      DateCase{20, 43, 7, "20. 7.2007"}, DateCase{21, 29, 7, "21. 8.2007"},
                      DateCase{22, 40, 7, "22. 9.2007"}, DateCase{23, 38, 7, "23.10.2007"},
                      DateCase{24, 51, 7, "24.11.2007"}, DateCase{25, 12, 7, "25.12.2007"},
                      DateCase{5, 0, 6, " 5.00.2006"}, DateCase{5, 26, 6, " 5.00.2006"}));

TEST(UnitHeader, ShortVersionIsIdentAndTwoDigitNumber) {
    EXPECT_EQ(DecodeUnitHeader(header("IGN", 5, 1, 25, 6, 0, 0)).version, "IGN05");
    EXPECT_EQ(DecodeUnitHeader(header("ZAP", 42, 1, 25, 6, 0, 0)).version, "ZAP42");
}

TEST(UnitHeader, TimeAlwaysHasTwoDigitFields) {
    EXPECT_EQ(DecodeUnitHeader(header("IGN", 1, 1, 25, 6, 9, 5)).time, "09:05");
    EXPECT_EQ(DecodeUnitHeader(header("IGN", 1, 1, 25, 6, 23, 59)).time, "23:59");
    EXPECT_EQ(DecodeUnitHeader(header("IGN", 1, 1, 25, 6, 0, 0)).time, "00:00");
}

TEST(UnitHeader, TextReplacesVersionWhenItsFirstByteIsSet) {
    Header h = header("IGN", 1, 1, 25, 6, 0, 0);
    putText(h, "Racing 125 2006");
    EXPECT_EQ(DecodeUnitHeader(h).version, "Racing 125 2006");
}

TEST(UnitHeader, ThirtyCharacterTextWithoutZeroByteStopsAtThirty) {
    Header h = header("IGN", 1, 1, 25, 6, 0, 0);
    const std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
    putText(h, text);
    EXPECT_EQ(DecodeUnitHeader(h).version, text);
}

TEST(UnitHeader, TextIsIgnoredWhenItsFirstByteIsZero) {
    Header h = header("IGN", 7, 1, 25, 6, 0, 0);
    putText(h, "?Other");
    h[16] = 0;
    EXPECT_EQ(DecodeUnitHeader(h).version, "IGN07");
}

TEST(UnitHeader, UnitCharactersAreConvertedToUtf8) {
    Header h = header("IGN", 1, 1, 25, 6, 0, 0);
    h[16] = 0xC8; // C with caron in the unit's code page
    h[17] = 'Z';
    EXPECT_EQ(DecodeUnitHeader(h).version, "\xC4\x8CZ");
}

} // namespace
} // namespace kordana
