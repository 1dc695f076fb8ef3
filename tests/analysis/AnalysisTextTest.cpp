// The tally as text: counts grouped by thousands, the rejections in their order, and other
// words (a language that puts the count after its word, one that leaves the digits plain).
#include "analysis/AnalysisText.h"

#include <gtest/gtest.h>

#include <string>

namespace kordana::analysis {
namespace {

TEST(AnalysisText, CountsAreGroupedByTheSeparatorGiven) {
    const struct {
        std::uint64_t count;
        const char* separator;
        const char* text;
    } cases[] = {
        {0, ",", "0"},
        {999, ",", "999"},
        {1000, ",", "1,000"},
        {1840, ",", "1,840"},
        {123456, ",", "123,456"},
        {1234567, ",", "1,234,567"},
        {1234567, "", "1234567"},
        {1234567, ".", "1.234.567"},
        {12, "", "12"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(groupedCount(c.count, c.separator), c.text) << c.count;
    }
}

Tally handMade() {
    Tally tally;
    tally.samples = 1840;
    tally.used = 1203;
    tally.rejected[static_cast<std::size_t>(Rejection::Cold)] = 210;
    tally.rejected[static_cast<std::size_t>(Rejection::NotSteady)] = 311;
    return tally;
}

TEST(AnalysisText, TheEnglishTallyNamesOnlyTheReasonsThatRejectedASample) {
    EXPECT_EQ(tallyText(handMade()), "1,840 samples, 1,203 used; 311 not steady, 210 cold");
    Tally clean;
    clean.samples = 5;
    clean.used = 5;
    EXPECT_EQ(tallyText(clean), "5 samples, 5 used");
}

TEST(AnalysisText, EveryReasonHasItsWordInTheOrderOfTheRejections) {
    Tally tally;
    tally.samples = 55;
    for (std::size_t r = 0; r < kRejectionCount; ++r) {
        tally.rejected[r] = r + 1;
    }
    EXPECT_EQ(tallyText(tally), "55 samples, 0 used; 1 not running, 2 sensor error, 3 tacho input, "
                                "4 lambda railed, 5 no earlier frame, 6 not steady, 7 cold, "
                                "8 post-start, 9 overrun, 10 limiter");
}

TEST(AnalysisText, OtherWordsPlaceTheCountWhereTheirPatternSays) {
    TallyWords words;
    words.samples = "vzorků: %1";
    words.used = "použito: %1";
    words.rejected[static_cast<std::size_t>(Rejection::Cold)] = "studený motor: %1";
    words.rejected[static_cast<std::size_t>(Rejection::NotSteady)] = "neustálený stav: %1";
    words.beforeRejected = " ; ";
    words.thousands = "";
    EXPECT_EQ(tallyText(handMade(), words),
              "vzorků: 1840, použito: 1203 ; neustálený stav: 311, studený motor: 210");
}

} // namespace
} // namespace kordana::analysis
