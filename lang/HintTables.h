#pragma once

#include "lang/TextRow.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kordana {

/// Every localised hint, one row per text. Applied at start-up and on every language change,
/// these replace the form's hints of the same controls.
std::span<const HintRow> hintTable();

/// The localised hint of one control (by objectName) in a language, or nothing if it has none.
std::optional<std::string_view> hintForControl(std::string_view control,
                                               std::uint8_t languageIndex);

/// A hint the window's form carries in English for a group of controls.
struct FormHint {
    std::span<const std::string_view> controls;
    std::string_view hint;
    bool replacedAtStartUp; // the hint table gives these controls their hint at start-up
};

/// The form's English hints, the same in every language until the hint table replaces them.
std::span<const FormHint> formHints();

/// The form's hint of one control (by objectName), or nothing if the form gives it none.
std::optional<std::string_view> formHintForControl(std::string_view control);

/// The two parts of a hint: the tooltip text and the status-bar text.
struct HintParts {
    std::string_view shortPart;
    std::string_view longPart;
};

/// Splits a hint at its first '|': short part before, long part after. A hint without '|' is
/// both its short and its long part.
constexpr HintParts splitHint(std::string_view hint) {
    const std::size_t bar = hint.find('|');
    if (bar == std::string_view::npos) {
        return {hint, hint};
    }
    return {hint.substr(0, bar), hint.substr(bar + 1)};
}

} // namespace kordana
