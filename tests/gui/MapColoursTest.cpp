// The arithmetic behind the map's cursor trail, without widgets (the heat scale's is in
// tests/params/HeatScaleTest.cpp).
#include "editors/CursorTrail.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

namespace kordana {

namespace {

TEST(CursorTrailTest, KeepsTheLastTwentyDistinctCellsNewestFirst) {
    CursorTrail trail;
    auto cellNo = [](int i) { return CursorTrail::Cell{i / 15, i % 15}; };
    for (int i = 0; i < 25; ++i) {
        EXPECT_TRUE(trail.visit(cellNo(i)));
    }
    ASSERT_EQ(trail.cells().size(), 20u);
    EXPECT_EQ(trail.ageOf(cellNo(24)), 0u);
    EXPECT_EQ(trail.ageOf(cellNo(5)), 19u);
    EXPECT_EQ(trail.ageOf(cellNo(4)), std::nullopt);

    // Staying on the newest cell changes nothing; a cell visited again moves to the front.
    EXPECT_FALSE(trail.visit(cellNo(24)));
    EXPECT_TRUE(trail.visit(cellNo(10)));
    EXPECT_EQ(trail.cells().size(), 20u);
    EXPECT_EQ(trail.ageOf(cellNo(10)), 0u);
    EXPECT_EQ(trail.ageOf(cellNo(24)), 1u);
    EXPECT_EQ(trail.ageOf(cellNo(11)), 14u); // one place older: 10 now stands before it
    EXPECT_EQ(trail.ageOf(cellNo(5)), 19u);

    trail.clear();
    EXPECT_TRUE(trail.cells().empty());
}

TEST(CursorTrailTest, OlderMarksFade) {
    EXPECT_DOUBLE_EQ(CursorTrail::strength(0), 0.75);
    EXPECT_DOUBLE_EQ(CursorTrail::strength(19), 0.15);
    for (std::size_t age = 1; age < CursorTrail::kLength; ++age) {
        EXPECT_LT(CursorTrail::strength(age), CursorTrail::strength(age - 1)) << age;
    }
}

} // namespace
} // namespace kordana
