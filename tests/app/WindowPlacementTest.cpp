#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <vector>

namespace kordana {
namespace {

// A primary screen of 1920 x 1040 available (a task bar below) and a second one to its right.
TEST(WindowPlacementTest, KeepsAPlaceOnAnyScreenAndCentresTheRestOnThePrimary) {
    const std::vector<QRect> areas{{0, 0, 1920, 1040}, {1920, 0, 1280, 1024}};
    const struct {
        const char* name;
        SavedPlacement saved;
        QMargins frame;
        QRect placed;
    } cases[] = {
        {"on the second screen", {2000, 100, 1033, 866}, {4, 30, 4, 4}, {2000, 100, 1033, 866}},
        {"across both screens", {1500, 100, 1033, 866}, {}, {443, 87, 1033, 866}},
        {"fits only without its frame", {0, 0, 1920, 1040}, {4, 30, 4, 4}, {0, 0, 1912, 1006}},
        {"below the task bar", {100, 500, 1000, 600}, {}, {460, 220, 1000, 600}},
        {"a negative size takes the designed one", {0, 0, -3, 500}, {}, {443, 270, 1033, 500}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fitPlacement(c.saved, areas, c.frame, {1033, 866}), c.placed);
    }
}

} // namespace
} // namespace kordana
