#pragma once

#include "lang/ParameterCaptions.h"
#include "params/DiffText.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kordana {

/// How the window words a comparison: the pages' captions and groups and the summary's words,
/// in the language `language`.
inline DiffNaming diffNamingFor(std::uint8_t language) {
    const DiffWords words = diffWordsFor(language);
    return DiffNaming{[language](std::string_view key, std::size_t element) {
                          return parameterCaption(key, element, language);
                      },
                      [language](std::string_view key) { return parameterGroup(key, language); },
                      std::string(words.cellsDiffer), std::string(words.valuesDiffer),
                      std::string(words.largestChange)};
}

} // namespace kordana
