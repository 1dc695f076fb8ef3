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

    /// True when the caller should take `image` and `extMon` over.
    bool applicable() const { return versionMatched && !ioError; }
};

/// Reads a parameter file (`*.ign`) word by word: searches for the magic key with version 51,
/// then stores the values of every known key, in any order, by the parameter table's
/// conversions. Unknown words are skipped; a later value of a key wins. Within a key, the
/// first word that is not a number ends the key (that element and the rest keep their values)
/// and is read again as the next word; the end of the file inside a key ends the key the same
/// way. Ranges are not checked: the caller runs the consistency pass after applying.
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
