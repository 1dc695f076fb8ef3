#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kordana {

/// The language-dependent message texts the main window shows in the status line and in
/// message boxes. Members keep their given names; each holds the text of one language.
struct MessageTexts {
    std::string TextHelpFile;
    std::string TextProgramError;
    std::string TextVerifyError;
    std::string TextReadError;
    std::string TextProgramDevice;
    std::string TextUnmatchedUnit;
    std::string TextVerify;
    std::string TextRead;
    std::string TextSaving;
    std::string TextProgCount;
    std::string TextComOpenError;
    std::string TextOpenFileError;
    std::string TextDefaultQuery;
    std::string TextUnmatchedFile;
    std::string TextNoReading;
    std::string TextPrintDate;
    std::string TextHelpOpenError;
    std::string TextPrintError;
};

/// Shown after TextProgCount in LabelPocetProgramovani while the unit is not connected.
inline constexpr std::string_view kProgCountUnknown = "---";

/// Every message text for a language index (0 English .. 3 Czech; above 3 reads as English).
MessageTexts messageTextsFor(std::uint8_t languageIndex);

} // namespace kordana
