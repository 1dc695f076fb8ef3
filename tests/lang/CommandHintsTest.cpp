#include "lang/CommandHints.h"
#include "lang/HintTables.h"

#include <gtest/gtest.h>

#include <set>

namespace kordana {
namespace {

// The added commands' hints: four texts each, status-bar text only, and no control that the
// established hints already give one.
TEST(CommandHintsTest, FourTextsPerCommandAndNoneOfTheEstablishedControls) {
    std::set<std::string_view> seen;
    for (const HintRow& row : commandHintTable()) {
        for (std::string_view control : row.controls) {
            EXPECT_TRUE(seen.insert(control).second) << control << " twice";
            EXPECT_FALSE(hintForControl(control, 0).has_value()) << control;
            EXPECT_FALSE(formHintForControl(control).has_value()) << control;
        }
        for (std::uint8_t language = 0; language < 4; ++language) {
            const std::string_view text = textFor(row, language);
            EXPECT_FALSE(text.empty()) << row.controls.front();
            EXPECT_EQ(text.find('|'), std::string_view::npos) << row.controls.front();
        }
    }
    EXPECT_EQ(commandHintForControl("MenuCompare", 3),
              "Porovnání nastavených parametrů s parametry zapalování hodnotu po hodnotě");
    EXPECT_FALSE(commandHintForControl("MenuNew", 0).has_value());
}

} // namespace
} // namespace kordana
