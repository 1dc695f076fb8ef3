#include "tools/cli/CliDiffText.h"

#include "lang/Language.h"
#include "lang/ParameterCaptions.h"
#include "params/DiffText.h"
#include "tools/cli/CliConsole.h"

namespace kordana {

void printDifferences(const std::vector<ParameterDifference>& differences, CliConsole& console) {
    const DiffWords words = diffWordsFor(kLanguageEnglish);
    const DiffNaming naming{
        [](std::string_view key, std::size_t element) {
            return parameterCaption(key, element, kLanguageEnglish);
        },
        [](std::string_view key) { return parameterGroup(key, kLanguageEnglish); },
        std::string(words.cellsDiffer), std::string(words.valuesDiffer),
        std::string(words.largestChange)};
    for (const std::string& line : diffReport(differences, naming)) {
        console.line(line);
    }
}

} // namespace kordana
