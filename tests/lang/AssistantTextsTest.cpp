// The tuning assistant's texts: complete in every language, each pattern with the places its
// caller fills, and only English grouping the thousands.
#include "lang/AssistantTexts.h"
#include "lang/Language.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace kordana {
namespace {

std::size_t places(std::string_view text, std::string_view place) {
    std::size_t count = 0;
    for (std::size_t at = text.find(place); at != std::string_view::npos;
         at = text.find(place, at + 1)) {
        ++count;
    }
    return count;
}

// Every text that is filled with exactly one "%1".
std::vector<std::string_view> onePlaceTexts(const AssistantTexts& t) {
    std::vector<std::string_view> texts{
        t.samples,        t.used,         t.proposed,      t.logNotRead,
        t.mapTable,       t.tipSamples,   t.tipMeanLambda, t.tipMeanLambdaMv,
        t.tipKnockEvents, t.tipPeakKnock, t.tipMeanKnock};
    texts.insert(texts.end(), t.rejected.begin(), t.rejected.end());
    return texts;
}

TEST(AssistantTexts, EveryLanguageFillsEveryPattern) {
    for (std::uint8_t language = 0; language < kLanguageCount; ++language) {
        const AssistantTexts t = assistantTextsFor(language);
        for (std::string_view text : onePlaceTexts(t)) {
            EXPECT_EQ(places(text, "%1"), 1u) << int(language) << " " << text;
            EXPECT_EQ(places(text, "%2"), 0u) << int(language) << " " << text;
        }
        EXPECT_EQ(places(t.tally, "%1"), 1u) << int(language);
        EXPECT_EQ(places(t.tally, "%2"), 1u) << int(language);
        EXPECT_FALSE(t.fuel.empty()) << int(language);
        EXPECT_FALSE(t.knock.empty()) << int(language);
        EXPECT_FALSE(t.beforeRejected.empty()) << int(language);
    }
}

TEST(AssistantTexts, TheLanguagesHaveTheirOwnWordsAndOnlyEnglishGroupsThousands) {
    const struct {
        std::uint8_t language;
        const char* samples;
        const char* cold;
        const char* fuel;
        const char* thousands;
    } cases[] = {
        {0, "%1 samples", "%1 cold", "Fuel", ","},
        {1, "%1 Messwerte", "%1 kalt", "Kraftstoff", ""},
        {2, "%1 échantillons", "%1 à froid", "Carburant", ""},
        {3, "vzorků: %1", "studený motor: %1", "Palivo", ""},
        {4, "%1 samples", "%1 cold", "Fuel", ","}, // above 3 reads as English
    };
    for (const auto& c : cases) {
        const AssistantTexts t = assistantTextsFor(c.language);
        EXPECT_EQ(t.samples, c.samples) << int(c.language);
        EXPECT_EQ(t.rejected[6], c.cold) << int(c.language);
        EXPECT_EQ(t.fuel, c.fuel) << int(c.language);
        EXPECT_EQ(t.thousands, c.thousands) << int(c.language);
    }
}

} // namespace
} // namespace kordana
