#include "lang/Language.h"

namespace kordana {

std::optional<std::uint8_t> languageFromArgument(std::string_view argument) {
    // Only these three are recognised; there is deliberately no Czech argument, and the
    // match is case-sensitive.
    if (argument == "ENGLISH") {
        return kLanguageEnglish;
    }
    if (argument == "DEUTSCH") {
        return kLanguageGerman;
    }
    if (argument == "FRENCH") {
        return kLanguageFrench;
    }
    return std::nullopt;
}

} // namespace kordana
