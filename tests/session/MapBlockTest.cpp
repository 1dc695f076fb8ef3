// Block operations on a map: each shape and edit on a hand-computed example, propagation to the
// siblings, undo of each, and copy and paste as text. Values are in shown units (degrees on
// pages 0..2, microseconds on 3..8); every expected value is worked out by hand.
#include "session/EditSession.h"

#include "params/ImageLayout.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace kordana {
namespace {

using mapblock::BlockEdit;
using mapblock::CellBlock;
using mapblock::EditKind;
using mapblock::Shape;

struct Cell {
    int page;
    std::size_t row;
    std::size_t column;
    int shown;
};

int scaleOf(int page) {
    return page < 3 ? 1 : 50;
}
std::size_t indexOf(const Cell& cell) {
    return layout::mapCell(static_cast<std::size_t>(cell.page), cell.row, cell.column);
}
void put(ParameterImage& image, const Cell& cell) {
    image[indexOf(cell)] = static_cast<std::uint8_t>(cell.shown / scaleOf(cell.page));
}

// Increasing breakpoints and every cell 40 (40 degrees, 2000 us), then the given cells.
ParameterImage blockImage(std::uint8_t ignitionMode, std::uint8_t injectionMode,
                          const std::vector<Cell>& cells) {
    ParameterImage image;
    for (std::size_t page = 0; page < kMapPageCount; ++page) {
        for (std::size_t c = 0; c < layout::kMapCols; ++c) {
            image[layout::mapRpm(page) + c] = static_cast<std::uint8_t>(20 + 10 * c);
        }
        for (std::size_t i = 0; i < 150; ++i) {
            image[layout::mapCells(page) + i] = 40;
        }
    }
    for (const Cell& cell : cells) {
        put(image, cell);
    }
    image[layout::kMode] = ignitionMode;
    image[layout::kMode + 1] = injectionMode;
    return image;
}

struct BlockCase {
    const char* name;
    std::uint8_t ignitionMode;
    std::uint8_t injectionMode;
    std::vector<Cell> before;
    std::function<ChangeSet(EditSession&)> run;
    std::vector<Cell> after; // every cell that changes, and nothing else
};

std::function<ChangeSet(EditSession&)> shaping(int page, CellBlock block, Shape shape) {
    return [=](EditSession& s) { return s.shapeBlock(page, block, shape); };
}
std::function<ChangeSet(EditSession&)> editing(int page, CellBlock block, EditKind kind,
                                               int value) {
    return [=](EditSession& s) { return s.editBlock(page, block, BlockEdit{kind, value}); };
}

const BlockCase kBlockCases[] = {
    {"rows: 18 .. 31 over five cells, both ways",
     0,
     0,
     {{0, 2, 0, 18}, {0, 2, 4, 31}, {0, 3, 0, 31}, {0, 3, 4, 18}},
     shaping(0, {2, 0, 3, 4}, Shape::Rows),
     {{0, 2, 1, 21}, {0, 2, 2, 25}, {0, 2, 3, 28}, {0, 3, 1, 28}, {0, 3, 2, 25}, {0, 3, 3, 21}}},
    {"columns in microseconds, 900 .. 1550 over 0, 2, 5, 10, 20 % throttle",
     0,
     0,
     {{3, 0, 5, 900}, {3, 4, 5, 1550}},
     shaping(3, {0, 5, 4, 5}, Shape::Columns),
     // 900 + 650 x 2/20 = 965, x 5/20 = 1062.5, x 10/20 = 1225: on the 50 us step, halves up
     {{3, 1, 5, 950}, {3, 2, 5, 1050}, {3, 3, 5, 1250}}},
    // Rows 2, 5, 10 % lie 0, 3/8 and 1 of the way down; columns evenly spaced. The middle row:
    // 5/8 x (10 + 11 t) + 3/8 x (30 + 30 t) for t = 0, 1/4 .. 1: 17.5, 22.03, 26.56, 31.09, 35.63.
    {"bilinear from the corners 10, 21, 30, 60; corners kept",
     0,
     0,
     {{0, 1, 2, 10}, {0, 1, 6, 21}, {0, 3, 2, 30}, {0, 3, 6, 60}},
     shaping(0, {1, 2, 3, 6}, Shape::Bilinear),
     {{0, 1, 3, 13},
      {0, 1, 4, 16},
      {0, 1, 5, 18},
      {0, 2, 2, 18},
      {0, 2, 3, 22},
      {0, 2, 4, 27},
      {0, 2, 5, 31},
      {0, 2, 6, 36},
      {0, 3, 3, 38},
      {0, 3, 4, 45},
      {0, 3, 5, 53}}},
    {"smooth: inner cells from the old values, the edge kept",
     0,
     0,
     {{0, 0, 0, 10},
      {0, 0, 1, 20},
      {0, 0, 2, 30},
      {0, 1, 0, 10},
      {0, 1, 1, 50},
      {0, 1, 2, 0},
      {0, 2, 0, 10},
      {0, 2, 1, 20},
      {0, 2, 2, 30}},
     shaping(0, {0, 0, 2, 3}, Shape::Smooth),
     {{0, 1, 1, 20}, {0, 1, 2, 30}}},
    {"set 3475 us rounds to the 50 us step",
     0,
     0,
     {},
     editing(3, {0, 0, 0, 1}, EditKind::Set, 3475),
     {{3, 0, 0, 3500}, {3, 0, 1, 3500}}},
    {"scale 110 %: 3450 us to 3800, 12000 us clamped at 12500",
     0,
     0,
     {{3, 5, 5, 3450}, {3, 5, 6, 12000}},
     editing(3, {5, 5, 5, 6}, EditKind::Scale, 110),
     {{3, 5, 5, 3800}, {3, 5, 6, 12500}}},
    {"add 10 degrees, clamped at 60",
     0,
     0,
     {{0, 9, 14, 55}},
     editing(0, {9, 13, 9, 14}, EditKind::Add, 10),
     {{0, 9, 13, 50}, {0, 9, 14, 60}}},
    {"subtract 150 us, clamped at 0",
     0,
     0,
     {{6, 0, 0, 100}},
     editing(6, {0, 0, 0, 0}, EditKind::Add, -150),
     {{6, 0, 0, 0}}},
    {"Coupled: the siblings move by the same amount, 58 + 5 capped at 60",
     1,
     0,
     {{0, 2, 3, 20}, {1, 2, 3, 30}, {2, 2, 3, 58}},
     editing(0, {2, 3, 2, 3}, EditKind::Add, 5),
     {{0, 2, 3, 25}, {1, 2, 3, 35}, {2, 2, 3, 60}}},
    {"Coupled, bank B: a shape on Jet 1B moves Jet 2B and Jet 3B",
     0,
     1,
     {{6, 0, 0, 1000}, {6, 0, 2, 2000}, {8, 0, 1, 3000}},
     shaping(6, {0, 0, 0, 2}, Shape::Rows),
     {{6, 0, 1, 1500}, {7, 0, 1, 1500}, {8, 0, 1, 2500}}},
    {"1 = 2 = 3: the siblings take the master's values",
     2,
     0,
     {},
     editing(0, {0, 0, 0, 0}, EditKind::Set, 33),
     {{0, 0, 0, 33}, {1, 0, 0, 33}, {2, 0, 0, 33}}},
};

TEST(MapBlockTest, RowsAreWeightedByTheirBreakpointsAndUnevenBreakpointsFallBackToOrder) {
    const struct {
        const char* name;
        std::vector<std::uint8_t> rpm; // breakpoints of columns 0..4, x 50 rpm
        std::vector<int> shaped;       // the row 16 .. 30 after Interpolate horizontally
    } cases[] = {
        // 2000, 3000, 4000, 6000, 6500 rpm: 16 + 14 x 1000/4500, 2000/4500, 4000/4500.
        {"by rpm", {40, 60, 80, 120, 130}, {16, 19, 22, 28, 30}},
        // A breakpoint row that does not rise (being typed) interpolates by cell order.
        {"not rising", {40, 60, 60, 120, 130}, {16, 20, 23, 27, 30}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ParameterImage image = blockImage(0, 0, {{0, 0, 0, 16}, {0, 0, 4, 30}});
        for (std::size_t col = 0; col < c.rpm.size(); ++col) {
            image[layout::mapRpm(0) + col] = c.rpm[col];
        }
        mapblock::shape(image, 0, {0, 0, 0, 4}, Shape::Rows);
        for (std::size_t col = 0; col < c.shaped.size(); ++col) {
            EXPECT_EQ(image[layout::mapCell(0, 0, col)], c.shaped[col]) << "column " << col;
        }
    }
}

TEST(MapBlockTest, EachOperationOnItsExampleAndUndoRestoresTheImage) {
    for (const BlockCase& test : kBlockCases) {
        SCOPED_TRACE(test.name);
        EditSession session;
        session.restore(blockImage(test.ignitionMode, test.injectionMode, test.before), AllFlags{});
        session.clearUndoHistory();
        const ParameterImage start = session.image();

        ParameterImage expected = start;
        for (const Cell& cell : test.after) {
            put(expected, cell);
        }
        EXPECT_TRUE(test.run(session).any());
        for (std::size_t i = 0; i < kImageSize; ++i) {
            EXPECT_EQ(session.image()[i], expected[i]) << "byte " << i;
        }
        EXPECT_EQ(session.undoHistory().undoCount(), 1u);
        session.undo();
        EXPECT_EQ(session.image().bytes, start.bytes);
    }
}

struct PasteCase {
    const char* name;
    const char* text;
    int page;
    std::size_t row;
    std::size_t column;
    std::vector<Cell> after; // empty: the paste is refused
};

const PasteCase kPasteCases[] = {
    {"a 3 x 4 block of tab-separated text",
     "10\t11\t12\t13\n20\t21\t22\t23\r\n30\t31\t32\t33\n",
     0,
     2,
     3,
     {{0, 2, 3, 10},
      {0, 2, 4, 11},
      {0, 2, 5, 12},
      {0, 2, 6, 13},
      {0, 3, 3, 20},
      {0, 3, 4, 21},
      {0, 3, 5, 22},
      {0, 3, 6, 23},
      {0, 4, 3, 30},
      {0, 4, 4, 31},
      {0, 4, 5, 32},
      {0, 4, 6, 33}}},
    {"over the edge: only what lies on the map",
     "1000 1050  1100\n1150 1200 1250\n1300 1350 1400\n",
     3,
     8,
     13,
     {{3, 8, 13, 1000}, {3, 8, 14, 1050}, {3, 9, 13, 1150}, {3, 9, 14, 1200}}},
    {"commas, fractions rounded to the 50 us step",
     "3475, 3424.9,\n",
     3,
     0,
     0,
     {{3, 0, 0, 3500}, {3, 0, 1, 3400}}},
    {"tabs: a decimal comma, as a German spreadsheet copies",
     "3475,0\t3424,9\n",
     3,
     0,
     0,
     {{3, 0, 0, 3500}, {3, 0, 1, 3400}}},
    {"tabs and semicolons take a decimal comma",
     "10,4\t11,6\n0,4;2,5;\n",
     0,
     0,
     0,
     {{0, 0, 0, 10}, {0, 0, 1, 12}, {0, 1, 0, 0}, {0, 1, 1, 3}}},
    {"a decimal comma followed by a word", "3,5e\t1", 0, 0, 0, {}},
    {"a comma with a point in one field is no number", "3,5.1\t2", 0, 0, 0, {}},
    {"a word refuses the whole paste", "10\t11\nten\t12\n", 0, 0, 0, {}},
    {"61 degrees is out of range", "60 61", 0, 0, 0, {}},
    {"12550 us is out of range", "12550", 3, 0, 0, {}},
    {"an empty field inside a row", "10\t\t12", 0, 0, 0, {}},
    {"nothing to paste", "\n \n", 0, 0, 0, {}},
};

TEST(MapBlockTest, PasteTakesNumbersInRangeOrNothing) {
    for (const PasteCase& test : kPasteCases) {
        SCOPED_TRACE(test.name);
        const std::optional<mapblock::ValueRows> values =
            mapblock::parsePaste(test.text, test.page);
        ASSERT_EQ(values.has_value(), !test.after.empty());
        if (!values) {
            continue;
        }
        EditSession session;
        session.restore(blockImage(0, 0, {}), AllFlags{});
        const ParameterImage start = session.image();
        ParameterImage expected = start;
        for (const Cell& cell : test.after) {
            put(expected, cell);
        }
        session.pasteBlock(test.page, test.row, test.column, *values);
        EXPECT_EQ(session.image().bytes, expected.bytes);
        session.undo();
        EXPECT_EQ(session.image().bytes, start.bytes);
    }
}

TEST(MapBlockTest, CopyGivesTheShownValuesAsTabSeparatedRows) {
    const ParameterImage image = blockImage(0, 0, {{3, 0, 0, 900}, {3, 1, 1, 12500}});
    EXPECT_EQ(mapblock::copyText(image, 3, {0, 0, 1, 2}), "900\t2000\t2000\n2000\t12500\t2000\n");
    EXPECT_EQ(mapblock::copyText(image, 0, {9, 14, 9, 14}), "40\n");
}

} // namespace
} // namespace kordana
