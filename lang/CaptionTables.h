#pragma once

#include "lang/TextRow.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// Including this header gives every table that the language switch applies: captions here,
// item lists and hints from the two headers below.
#include "lang/HintTables.h"
#include "lang/ItemListTables.h"

namespace kordana {

/// Every localised caption (window title, tab, menu item, button, label, box), one row per text.
std::span<const CaptionRow> captionTable();

/// The caption of one control (by objectName) in a language, or nothing if it is not localised.
std::optional<std::string_view> captionForControl(std::string_view control,
                                                  std::uint8_t languageIndex);

} // namespace kordana
