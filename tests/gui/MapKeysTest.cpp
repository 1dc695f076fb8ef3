// The map grid's keys: Ctrl+arrows commit and move (the breakpoint row included), Home and End
// go to the row's ends, Ctrl+Shift+Up / Down step the block or the cell as one step for Undo.
#include "MapFixture.h"

#include <QAction>
#include <QApplication>

namespace kordana {
namespace {

class MapKeysWindow : public testing::MapFixture {
protected:
    void key(QWidget* field, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(field, k, mods);
    }
    QWidget* focused() { return QApplication::focusWidget(); }
};

TEST_F(MapKeysWindow, CtrlArrowsCommitAndMoveThroughCellsAndBreakpoints) {
    TFormHlav& f = openForm();
    f.ConsistencyPass();
    f.PageRefresh();
    const struct {
        int row; // -1: the breakpoint row
        int column;
        Qt::Key key;
        int toRow;
        int toColumn;
    } moves[] = {
        {2, 3, Qt::Key_Right, 2, 4},   {2, 3, Qt::Key_Left, 2, 2}, {2, 3, Qt::Key_Down, 3, 3},
        {2, 3, Qt::Key_Up, 1, 3},      {0, 5, Qt::Key_Up, -1, 5},  {-1, 5, Qt::Key_Down, 0, 5},
        {9, 14, Qt::Key_Right, 9, 14}, // at the edge: committed, stays
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(std::to_string(m.row) + "," + std::to_string(m.column));
        UpDownEdit* from = m.row < 0 ? breakpoint(m.column) : cell(m.row, m.column);
        if (m.row >= 0) {
            typeInto(from, "25");
        } else {
            from->setFocus();
        }
        key(from, m.key, Qt::ControlModifier);
        if (m.row >= 0) {
            EXPECT_EQ(storedCell(0, m.row, m.column), 25) << "committed as Enter does";
        }
        QWidget* to = m.toRow < 0 ? breakpoint(m.toColumn) : cell(m.toRow, m.toColumn);
        EXPECT_EQ(focused(), to);
    }
}

TEST_F(MapKeysWindow, HomeAndEndGoToTheRowsEnds) {
    openForm();
    typeInto(cell(4, 6), "31");
    key(cell(4, 6), Qt::Key_Home);
    EXPECT_EQ(storedCell(0, 4, 6), 31);
    EXPECT_EQ(focused(), cell(4, 0));
    key(cell(4, 0), Qt::Key_End);
    EXPECT_EQ(focused(), cell(4, 14));
    breakpoint(7)->setFocus();
    key(breakpoint(7), Qt::Key_Home);
    EXPECT_EQ(focused(), breakpoint(0));
}

TEST_F(MapKeysWindow, CtrlShiftUpAndDownStepTheBlockOrTheCellAsOneUndoStep) {
    TFormHlav& f = openForm();
    for (int c = 2; c <= 4; ++c) {
        storedCell(0, 1, c) = 20; // degrees
        storedCell(3, 1, c) = 60; // 3000 us
    }
    f.ConsistencyPass();
    f.session().clearUndoHistory();
    f.PageRefresh();
    grid().setSelection({1, 2, 1, 3});
    cell(1, 2)->setFocus();
    key(cell(1, 2), Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(storedCell(0, 1, 2), 21);
    EXPECT_EQ(storedCell(0, 1, 3), 21);
    EXPECT_EQ(storedCell(0, 1, 4), 20) << "outside the block";
    f.action("MenuUndo")->trigger();
    EXPECT_EQ(storedCell(0, 1, 2), 20);
    EXPECT_EQ(storedCell(0, 1, 3), 20);

    // Without a block the focused cell alone, by the map's own step (50 us on Jet 1A).
    f.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(3);
    grid().clearSelection();
    cell(1, 4)->setFocus();
    key(cell(1, 4), Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(storedCell(3, 1, 4), 59);
    EXPECT_EQ(storedCell(3, 1, 3), 60);
}

} // namespace
} // namespace kordana
