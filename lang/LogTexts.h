#pragma once

#include <cstdint>
#include <string_view>

namespace kordana {

/// The texts of the monitor log (recording and the log window) in one language. "%1" and
/// "%2" are filled by the caller.
struct LogTexts {
    std::string_view recordError;   ///< status bar when the log cannot be written, then the path
    std::string_view openError;     ///< before why a log was refused, then the path
    std::string_view atLine;        ///< "%1" the line number, before what is wrong on it
    std::string_view notAFile;      ///< the path is not a regular file
    std::string_view tooLarge;      ///< the file is larger than a log can be
    std::string_view unreadable;    ///< the system could not read the file
    std::string_view noHeader;      ///< the first line is not a monitor log header
    std::string_view missingColumn; ///< "%1" the column the log needs and lacks
    std::string_view cellCount;     ///< "%1" the values found, "%2" the values expected
    std::string_view badNumber;     ///< "%1" the column, "%2" the text found
    std::string_view badTimestamp;  ///< "%1" the text found
    std::string_view timeBack;      ///< the elapsed time decreases
    std::string_view noRows;        ///< the header has no row under it
    std::string_view cursorTime;    ///< "%1" seconds since the start, "%2" the row's timestamp
    std::string_view tooManyValues; ///< "%1" rows of "%2" values each, above "%3" values in all
    std::string_view cancelled;     ///< the technician cancelled the reading
    std::string_view reading;       ///< the progress window's text while a log is read
    std::string_view cancel;        ///< the progress window's button
};

/// The log texts for a language index (0 English .. 3 Czech; above 3 reads as English).
LogTexts logTextsFor(std::uint8_t languageIndex);

} // namespace kordana
