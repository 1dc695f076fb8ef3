#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The four languages of the user interface. The language index is one unsigned byte shared by
// the main window and the about box; every localised text is a group of four in this order.
namespace kordana {

/// The value of the language index for each language.
enum class Language : std::uint8_t { English = 0, German = 1, French = 2, Czech = 3 };

inline constexpr std::uint8_t kLanguageEnglish = 0;
inline constexpr std::uint8_t kLanguageGerman = 1;
inline constexpr std::uint8_t kLanguageFrench = 2;
inline constexpr std::uint8_t kLanguageCzech = 3;
/// Number of languages; every text group has this many members.
inline constexpr std::size_t kLanguageCount = 4;

/// objectNames of the language menu items, by language index (only the current one is checked).
inline constexpr std::array<std::string_view, kLanguageCount> kLanguageMenuItems{
    "MenuEnglish", "MenuGerman", "MenuFrench", "MenuCzech"};

/// The language index as a byte.
constexpr std::uint8_t languageIndex(Language language) {
    return static_cast<std::uint8_t>(language);
}

/// An index usable for a text group: values above 3 read as English.
constexpr std::uint8_t safeLanguageIndex(std::uint8_t index) {
    return index < kLanguageCount ? index : kLanguageEnglish;
}

/// The index a stored settings value ("Language" of FORM_HLAV) gives: 0..3 as is, else English.
constexpr std::uint8_t languageIndexFromSetting(long long stored) {
    return stored >= 0 && stored < static_cast<long long>(kLanguageCount)
               ? static_cast<std::uint8_t>(stored)
               : kLanguageEnglish;
}

/// The index selected by the first command-line argument ("ENGLISH", "DEUTSCH", "FRENCH",
/// exact match); any other argument selects nothing and leaves the index unchanged.
std::optional<std::uint8_t> languageFromArgument(std::string_view argument);

} // namespace kordana
