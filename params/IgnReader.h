#pragma once

#include "params/ParameterImage.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

class WordReader;

/// A value of the file that does not fit its byte and was stored as its low eight bits.
struct FileValueOverflow {
    std::string element;     ///< "JET_1A[0]"
    int value = 0;           ///< as the file gives it
    std::uint8_t stored = 0; ///< what was stored: the low eight bits of the converted value
};

/// What reading a parameter file gave. `image` and `extMon` are a staging copy: the current
/// values with the file's values stored over them, or the current values unchanged when the
/// file is not applicable.
struct IgnReadResult {
    bool versionMatched = false; ///< the magic key with version 51 was found
    bool ioError = false;        ///< the stream failed before its end
    ParameterImage image;
    bool extMon = false;
    /// Values stored as their low eight bits only, in file order (empty when not applicable).
    std::vector<FileValueOverflow> overflows;
    /// Keys of the parameter table the file does not name after its magic key, in table order;
    /// their bytes keep the current values (empty when not applicable).
    std::vector<std::string> missingKeys;
    /// Keys whose value list, as last given, a non-number or the end of the file cut short, in
    /// table order; their remaining values took the number read last (empty when not
    /// applicable).
    std::vector<std::string> shortKeys;
    /// How many keys of the table the file names (with whole or cut-short value lists).
    std::size_t keysHeld = 0;

    /// True when the caller should take `image` and `extMon` over.
    bool applicable() const { return versionMatched && !ioError; }
    /// True when the file gives every value of every key: nothing on screen stays from before.
    bool complete() const { return missingKeys.empty() && shortKeys.empty(); }
};

/// Reads a parameter file (`*.ign`) word by word: searches for the magic key with version 51,
/// then stores the values of every known key, in any order, by the parameter table's
/// conversions. Unknown words are skipped; a later value of a key wins. Within a key, a word
/// that is not a number leaves the number read last (the version number before any value) as
/// that element's value and the value of every remaining element of the key, and is read
/// again as the next word; the end of the file inside a key fills the key the same way. Which
/// keys were missing or cut short is reported. Ranges are not checked: the caller runs the
/// consistency pass after applying.
class IgnReader {
public:
    /// Reads `text` over the current image and Extended Monitor state.
    static IgnReadResult read(std::string_view text, const ParameterImage& current,
                              bool currentExtMon);
    /// Reads `in` to its end over the current image and Extended Monitor state.
    static IgnReadResult read(std::istream& in, const ParameterImage& current, bool currentExtMon);
    /// Reads the words of `words` to their end over the current image and state.
    static IgnReadResult read(WordReader& words, const ParameterImage& current, bool currentExtMon);
    /// Copies an applicable result into `image` and `extMon`; returns false and changes
    /// nothing when it is not applicable.
    static bool apply(const IgnReadResult& result, ParameterImage& image, bool& extMon);
};

} // namespace kordana
