#pragma once

#include "lang/Language.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace kordana {

/// One localised text (caption or hint) and the objectNames of every control that receives it.
struct TextRow {
    std::span<const std::string_view> controls;
    std::array<std::string_view, kLanguageCount> text; // English, German, French, Czech
};
using CaptionRow = TextRow;
using HintRow = TextRow;

/// One localised item list and the controls that receive it; the item order is binding.
struct ItemListRow {
    std::span<const std::string_view> controls;
    std::array<std::span<const std::string_view>, kLanguageCount> items;
};

/// The row's text for a language index (above 3 reads as English).
constexpr std::string_view textFor(const TextRow& row, std::uint8_t languageIndex) {
    return row.text[safeLanguageIndex(languageIndex)];
}

/// The row's items for a language index (above 3 reads as English).
constexpr std::span<const std::string_view> itemsFor(const ItemListRow& row,
                                                     std::uint8_t languageIndex) {
    return row.items[safeLanguageIndex(languageIndex)];
}

} // namespace kordana
