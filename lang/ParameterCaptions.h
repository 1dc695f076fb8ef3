#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kordana {

/// How a comparison names a parameter element for the technician: the caption of the field
/// that shows it on its page ("Ignition Limiter", "Pressure Correction, Pressure 3"), in a
/// language. Empty for a key the table does not know.
std::string parameterCaption(std::string_view key, std::size_t element, std::uint8_t languageIndex);

/// The page or panel a key belongs to ("Various", "Corrections", "Ign 1"), in a language;
/// the map pages' names are the same in every language. Empty for an unknown key.
std::string parameterGroup(std::string_view key, std::uint8_t languageIndex);

/// The words of a comparison's summary and of its map cell places, in one language.
struct DiffWords {
    std::string_view cellsDiffer;   ///< "differing cells"
    std::string_view valuesDiffer;  ///< "differing values"
    std::string_view largestChange; ///< "largest change"
    std::string_view breakpoint;    ///< "rpm breakpoint", followed by its number
    std::string_view otherBytes;    ///< the group of bytes no parameter names
};

/// The comparison's words for a language index (0 English .. 3 Czech; above 3 reads as English).
DiffWords diffWordsFor(std::uint8_t languageIndex);

} // namespace kordana
