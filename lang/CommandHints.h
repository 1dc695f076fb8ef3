#pragma once

#include "lang/TextRow.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kordana {

/// The status-bar hints of the commands this program adds to the established menus (the Edit,
/// View and Log menus, the block commands, earlier sets, compare, tune sheet, print to PDF and
/// the serial device assignment), one row per text in the four languages. Applied with the
/// hint table, and like its rows: no '|', the whole text is the status-bar text.
std::span<const HintRow> commandHintTable();

/// The command hint of one control (by objectName) in a language, or nothing if it has none.
std::optional<std::string_view> commandHintForControl(std::string_view control,
                                                      std::uint8_t languageIndex);

} // namespace kordana
