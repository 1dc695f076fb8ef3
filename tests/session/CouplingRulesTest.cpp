#include "params/ImageLayout.h"
#include "session/MapCoupling.h"

#include <gtest/gtest.h>

namespace kordana {
namespace {

using layout::mapCell;
using layout::mapRpm;

ParameterImage withModes(std::uint8_t ignition, std::uint8_t injection) {
    ParameterImage image;
    image[layout::kMode] = ignition;
    image[layout::kMode + 1] = injection;
    return image;
}

TEST(CouplingRules, HarvestRuleOnAMasterPage) {
    const struct {
        std::uint8_t mode;
        std::uint8_t before, after, sibling1, sibling2;
        std::uint8_t expect1, expect2;
    } cases[] = {
        {coupling::kSeparate, 20, 25, 30, 58, 30, 58},
        {coupling::kCoupled, 20, 25, 30, 58, 35, 63},     // the pass caps 63 later
        {coupling::kCoupled, 20, 10, 5, 200, 0, 190},     // clamped at 0
        {coupling::kCoupled, 10, 250, 100, 30, 255, 255}, // 340 and 270 clamp to 255
        {coupling::kCoupled, 20, 20, 30, 58, 30, 58},
        {coupling::kSame, 20, 20, 30, 58, 20, 20}, // copies even when unchanged
        {7, 20, 25, 30, 58, 30, 58},               // an unknown mode couples nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << int{c.mode} << " " << int{c.before} << "->" << int{c.after});
        ParameterImage image = withModes(c.mode, 0);
        image[mapCell(1, 2, 3)] = c.sibling1;
        image[mapCell(2, 2, 3)] = c.sibling2;
        image[mapCell(0, 2, 3)] = c.after;
        coupling::applyHarvestRule(image, 0, mapCell(0, 2, 3), c.before, c.after);
        EXPECT_EQ(image[mapCell(1, 2, 3)], c.expect1);
        EXPECT_EQ(image[mapCell(2, 2, 3)], c.expect2);
    }
}

TEST(CouplingRules, HarvestRuleReachesTheRightSiblings) {
    ParameterImage image = withModes(coupling::kSame, coupling::kSame);
    coupling::applyHarvestRule(image, 6, mapRpm(6) + 4, 0, 9); // Jet 1B breakpoint 4
    EXPECT_EQ(image[mapRpm(7) + 4], 9);
    EXPECT_EQ(image[mapRpm(8) + 4], 9);
    EXPECT_EQ(image[mapRpm(4) + 4], 0);
    coupling::applyHarvestRule(image, 3, mapCell(3, 9, 14), 0, 8); // Jet 1A last cell
    EXPECT_EQ(image[mapCell(4, 9, 14)], 8);
    EXPECT_EQ(image[mapCell(5, 9, 14)], 8);
    coupling::applyHarvestRule(image, 4, mapCell(4, 0, 0), 0, 5); // a sibling page: nothing
    EXPECT_EQ(image[mapCell(5, 0, 0)], 0);
}

TEST(CouplingRules, StepsPropagateOnlyFromMasterPages) {
    ParameterImage image = withModes(coupling::kCoupled, coupling::kSame);
    image[mapCell(0, 0, 0)] = 250;
    image[mapCell(1, 0, 0)] = 10;
    image[mapCell(2, 0, 0)] = 0;
    coupling::stepElement(image, 0, mapCell(0, 0, 0), +1);
    EXPECT_EQ(image[mapCell(0, 0, 0)], 250) << "up only below 250";
    EXPECT_EQ(image[mapCell(1, 0, 0)], 11);
    EXPECT_EQ(image[mapCell(2, 0, 0)], 1);
    coupling::stepElement(image, 0, mapCell(0, 0, 0), -1);
    coupling::stepElement(image, 0, mapCell(0, 0, 0), -1);
    EXPECT_EQ(image[mapCell(2, 0, 0)], 0) << "down only above 0";
    EXPECT_EQ(image[mapCell(1, 0, 0)], 9);

    image[mapCell(3, 1, 1)] = 40;
    image[mapCell(4, 1, 1)] = 3;
    coupling::stepElement(image, 3, mapCell(3, 1, 1), +1);
    EXPECT_EQ(image[mapCell(4, 1, 1)], 41) << "1 = 2 = 3 copies the new value";
    EXPECT_EQ(image[mapCell(5, 1, 1)], 41);

    coupling::stepElement(image, 1, mapCell(1, 0, 0), +1);
    EXPECT_EQ(image[mapCell(0, 0, 0)], 248);
    EXPECT_EQ(image[mapCell(2, 0, 0)], 0);
}

TEST(CouplingRules, ColumnStepTouchesOneColumnOfTenRows) {
    ParameterImage image = withModes(coupling::kSeparate, coupling::kSeparate);
    coupling::stepColumn(image, 5, 14, +1);
    int changed = 0;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        changed += image[i] != 0 ? 1 : 0;
    }
    EXPECT_EQ(changed, 10);
    EXPECT_EQ(image[mapCell(5, 9, 14)], 1);
    coupling::stepColumn(image, 5, 15, +1); // no such column
    coupling::stepColumn(image, 9, 0, +1);  // not a map page
    EXPECT_EQ(image[mapCell(5, 0, 14)], 1);
}

TEST(CouplingRules, CopiesPerGroup) {
    ParameterImage image;
    for (std::size_t i = layout::kMapRpm; i < layout::mapCells(9); ++i) {
        image[i] = static_cast<std::uint8_t>(i % 251);
    }
    const ParameterImage before = image;
    coupling::copyBreakpoints(image, coupling::kInjectionGroup);
    for (std::size_t c = 0; c < 15; ++c) {
        EXPECT_EQ(image[mapRpm(4) + c], before[mapRpm(3) + c]);
        EXPECT_EQ(image[mapRpm(5) + c], before[mapRpm(3) + c]);
        EXPECT_EQ(image[mapRpm(8) + c], before[mapRpm(6) + c]);
        EXPECT_EQ(image[mapRpm(1) + c], before[mapRpm(1) + c]);
    }
    EXPECT_EQ(image[mapCell(4, 0, 0)], before[mapCell(4, 0, 0)]) << "cells keep their values";
    coupling::copyCells(image, coupling::kIgnitionGroup);
    EXPECT_EQ(image[mapCell(2, 9, 14)], before[mapCell(0, 9, 14)]);
    EXPECT_EQ(image[mapCell(1, 5, 5)], before[mapCell(0, 5, 5)]);
    EXPECT_EQ(image[mapCell(3, 0, 0)], before[mapCell(3, 0, 0)]);
    EXPECT_EQ(image[mapRpm(2)], before[mapRpm(2)]) << "breakpoints are a separate copy";
}

TEST(CouplingRules, LockedHiddenAndIndicatorByPage) {
    // page: locked in Coupled, hidden in 1 = 2 = 3
    const bool sibling[] = {false, true, true, false, true, true, false, true, true};
    for (int p = 0; p < 9; ++p) {
        SCOPED_TRACE(p);
        const bool ign = p < 3;
        const ParameterImage coupled = ign ? withModes(1, 0) : withModes(0, 1);
        const ParameterImage same = ign ? withModes(2, 0) : withModes(0, 2);
        const ParameterImage other = ign ? withModes(0, 2) : withModes(2, 0);
        EXPECT_EQ(coupling::isLocked(coupled, p), sibling[p]);
        EXPECT_FALSE(coupling::isLocked(same, p));
        EXPECT_EQ(coupling::isTabHidden(same, p), sibling[p]);
        EXPECT_FALSE(coupling::isTabHidden(coupled, p));
        EXPECT_FALSE(coupling::isTabHidden(other, p));
        EXPECT_EQ(coupling::visiblePageFor(same, p), sibling[p] ? p / 3 * 3 : p);
        EXPECT_TRUE(coupling::indicatorFor(coupled, p).visible);
        EXPECT_FALSE(coupling::indicatorFor(coupled, p).same);
        EXPECT_TRUE(coupling::indicatorFor(same, p).same);
        EXPECT_FALSE(coupling::indicatorFor(other, p).visible);
    }
    EXPECT_FALSE(coupling::isLocked(withModes(1, 1), 11));
    EXPECT_FALSE(coupling::isTabHidden(withModes(2, 2), 12));
}

} // namespace
} // namespace kordana
