#pragma once

#include <cstdint>
#include <string_view>

namespace kordana {

/// The tune sheet's own texts in one language; the rest of the sheet reuses the captions of
/// the pages it shows.
struct SheetTexts {
    std::string_view title;      ///< heading of the first page
    std::string_view date;       ///< label of the date the sheet was made
    std::string_view page;       ///< footer, "%1" the page number and "%2" the page count
    std::string_view written;    ///< status line after writing, followed by the PDF's path
    std::string_view writeError; ///< status line when writing failed, followed by the path
};

/// The sheet's texts for a language index (0 English .. 3 Czech; above 3 reads as English).
SheetTexts sheetTextsFor(std::uint8_t languageIndex);

} // namespace kordana
