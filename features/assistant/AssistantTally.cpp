#include "features/assistant/AssistantTally.h"

#include "lang/AssistantTexts.h"

#include <string>

namespace kordana {

static_assert(kAssistRejectionCount == analysis::kRejectionCount,
              "one tally word for every rejection");

QString assistantText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

analysis::TallyWords tallyWordsFor(std::uint8_t languageIndex) {
    const AssistantTexts texts = assistantTextsFor(languageIndex);
    analysis::TallyWords words;
    words.samples = texts.samples;
    words.used = texts.used;
    words.rejected = texts.rejected;
    words.beforeRejected = texts.beforeRejected;
    words.thousands = texts.thousands;
    return words;
}

QString tallyLabelText(const analysis::AnalysisResult& result, std::size_t proposedCells,
                       std::uint8_t languageIndex) {
    const AssistantTexts texts = assistantTextsFor(languageIndex);
    const analysis::TallyWords words = tallyWordsFor(languageIndex);
    const auto line = [&](std::string_view name, const analysis::Tally& tally) {
        return assistantText(texts.tally)
            .arg(assistantText(name), QString::fromStdString(analysis::tallyText(tally, words)));
    };
    return line(texts.fuel, result.fuelTally) + "\n" + line(texts.knock, result.ignitionTally) +
           "\n" + assistantText(texts.proposed).arg(proposedCells);
}

} // namespace kordana
