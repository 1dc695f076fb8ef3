// Accepting a tool's cell proposal: each cell on its own map, the block filter, the consistency
// pass, the cause, and one undo step for the whole proposal.
#include "session/EditSession.h"

#include "params/ImageLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

// The session starts from the default set of preset 0 (both coupling modes Coupled, so a write
// that went through the harvest rule would move the siblings too).
namespace kordana {
namespace {

using layout::mapCell;

class CellProposal : public ::testing::Test {
protected:
    void SetUp() override {
        session.newDefaultSet();
        session.clearUndoHistory();
        session.setChangeListener([this](const ChangeSet& c) { heard.push_back(c); });
    }
    std::map<std::size_t, std::uint8_t> changed(const ChangeSet& changes) const {
        std::map<std::size_t, std::uint8_t> bytes;
        for (std::size_t i = 0; i < kImageSize; ++i) {
            if (changes.bytes[i]) {
                bytes[i] = session.image()[i];
            }
        }
        return bytes;
    }
    std::uint8_t at(std::size_t page, std::size_t row, std::size_t column) const {
        return session.image()[mapCell(page, row, column)];
    }

    EditSession session;
    std::vector<ChangeSet> heard;
};

// Ign 1 and Ign 2 at (5, 4), Jet 1A at (0, 0), Jet 1B at (9, 14).
const std::vector<MapCellWrite> kProposal{{0, 5, 4, 7}, {1, 5, 4, 6}, {3, 0, 0, 5}, {6, 9, 14, 4}};

TEST_F(CellProposal, EachCellIsStoredOnItsOwnMapAsOneToolStep) {
    const ParameterImage before = session.image();
    for (const MapCellWrite& w : kProposal) {
        ASSERT_NE(before[mapCell(static_cast<std::size_t>(w.page), w.row, w.column)], w.value);
    }
    const ChangeSet changes = session.applyCellProposal(kProposal);
    EXPECT_EQ(changes.cause, ChangeCause::Tool);
    EXPECT_EQ(changed(changes), (std::map<std::size_t, std::uint8_t>{{mapCell(0, 5, 4), 7},
                                                                     {mapCell(1, 5, 4), 6},
                                                                     {mapCell(3, 0, 0), 5},
                                                                     {mapCell(6, 9, 14), 4}}));
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(session.undoHistory().undoCount(), 1u);

    const ChangeSet undone = session.undo();
    EXPECT_EQ(undone.cause, ChangeCause::Undo);
    EXPECT_EQ(session.image(), before);
    EXPECT_FALSE(session.canUndo());
    session.redo();
    EXPECT_EQ(at(0, 5, 4), 7);
    EXPECT_EQ(at(6, 9, 14), 4);
}

TEST_F(CellProposal, OnlyTheCellsInsideTheBlockWhenOneIsGiven) {
    const ParameterImage before = session.image();
    const mapblock::CellBlock block{4, 3, 6, 5};
    const ChangeSet changes = session.applyCellProposal(kProposal, block);
    EXPECT_EQ(changed(changes),
              (std::map<std::size_t, std::uint8_t>{{mapCell(0, 5, 4), 7}, {mapCell(1, 5, 4), 6}}));
    EXPECT_EQ(at(3, 0, 0), before[mapCell(3, 0, 0)]);
}

TEST_F(CellProposal, TheConsistencyPassRepairsAValueOutsideTheMapsRange) {
    const std::vector<MapCellWrite> tooMuch{{2, 1, 1, 70}, {8, 0, 0, 251}};
    const ChangeSet changes = session.applyCellProposal(tooMuch);
    EXPECT_EQ(at(2, 1, 1), 60);
    EXPECT_EQ(at(8, 0, 0), 250);
    EXPECT_TRUE(changes.repaired[mapCell(2, 1, 1)]);
    EXPECT_TRUE(changes.repaired[mapCell(8, 0, 0)]);
}

TEST_F(CellProposal, CellsOutsideTheMapsAreSkipped) {
    const std::vector<MapCellWrite> stray{
        {9, 0, 0, 1}, {-1, 0, 0, 1}, {0, 10, 0, 1}, {0, 0, 15, 1}};
    const ParameterImage before = session.image();
    const ChangeSet changes = session.applyCellProposal(stray);
    EXPECT_FALSE(changes.any());
    EXPECT_EQ(session.image(), before);
    EXPECT_TRUE(heard.empty());
    EXPECT_FALSE(session.canUndo());
}

} // namespace
} // namespace kordana
