#include "session/ProgramAfterChange.h"

#include <gtest/gtest.h>

namespace kordana {
namespace {

TEST(ProgramAfterChangeRule, FirstCheckAfterSettingAlwaysProgramsLaterOnlyOnAChange) {
    ProgramAfterChange check;
    ParameterImage image;
    const struct {
        bool box;
        int changeAt; // image byte to change before the check, or -1
        bool programs;
    } steps[] = {
        {false, 500, false}, // unchecked: nothing, the shadow is not updated either
        {true, -1, true},    // first check after setting
        {true, -1, false},   {true, 100, true}, // the first compared byte
        {true, 1999, true},                     // the last
        {true, 99, false},                      // the unit header is not compared
        {true, -1, false},   {false, 700, false},
        {true, -1, true}, // set again: programs, whatever changed
        {true, -1, false},
    };
    int n = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(n++);
        if (step.changeAt >= 0) {
            image[static_cast<std::size_t>(step.changeAt)] += 1;
        }
        EXPECT_EQ(check.check(step.box, image), step.programs);
        EXPECT_EQ(check.previouslySet(), step.box);
    }
}

} // namespace
} // namespace kordana
