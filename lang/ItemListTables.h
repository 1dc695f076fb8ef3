#pragma once

#include "lang/TextRow.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kordana {

/// Every localised item list: the preset list of ComboBoxBike, then the position references of
/// RadioGroupPolohaA and RadioGroupPolohaB. An item's index is the stored value.
std::span<const ItemListRow> itemListTable();

/// The items of one control (by objectName) in a language, or nothing if it is not localised.
std::optional<std::span<const std::string_view>> itemsForControl(std::string_view control,
                                                                 std::uint8_t languageIndex);

} // namespace kordana
