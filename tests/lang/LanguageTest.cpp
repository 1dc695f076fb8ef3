#include "lang/Language.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace kordana {
namespace {

struct ArgumentCase {
    std::string_view argument;
    std::optional<std::uint8_t> expected;
};

TEST(LanguageTest, CommandLineArgumentSelectsOnlyExactNames) {
    const ArgumentCase cases[] = {
        {"ENGLISH", kLanguageEnglish}, {"DEUTSCH", kLanguageGerman},
        {"FRENCH", kLanguageFrench},   {"english", std::nullopt},
        {"Deutsch", std::nullopt},     {"GERMAN", std::nullopt},
        {"CZECH", std::nullopt},       {"ENGLISH ", std::nullopt},
        {" FRENCH", std::nullopt},     {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(languageFromArgument(c.argument), c.expected) << '"' << c.argument << '"';
    }
}

TEST(LanguageTest, IndicesAndMenuItemsFollowTheFixedOrder) {
    EXPECT_EQ(languageIndex(Language::English), 0);
    EXPECT_EQ(languageIndex(Language::German), 1);
    EXPECT_EQ(languageIndex(Language::French), 2);
    EXPECT_EQ(languageIndex(Language::Czech), 3);
    EXPECT_EQ(kLanguageMenuItems[kLanguageGerman], "MenuGerman");
    EXPECT_EQ(kLanguageMenuItems[kLanguageCzech], "MenuCzech");
}

TEST(LanguageTest, OutOfRangeIndicesReadAsEnglish) {
    for (unsigned i = 0; i < 4; ++i) {
        EXPECT_EQ(safeLanguageIndex(static_cast<std::uint8_t>(i)), i);
        EXPECT_EQ(languageIndexFromSetting(i), i);
    }
    EXPECT_EQ(safeLanguageIndex(4), kLanguageEnglish);
    EXPECT_EQ(safeLanguageIndex(255), kLanguageEnglish);
    EXPECT_EQ(languageIndexFromSetting(7), kLanguageEnglish);
    EXPECT_EQ(languageIndexFromSetting(-1), kLanguageEnglish);
    // A byte truncation would turn 259 into Czech; a stored value out of range is English.
    EXPECT_EQ(languageIndexFromSetting(259), kLanguageEnglish);
}

} // namespace
} // namespace kordana
