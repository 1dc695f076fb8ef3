#include "MapFixture.h"
#include "features/editing/EditingFeature.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QScrollBar>

namespace kordana {
namespace {

using MapGridEdit = testing::MapFixture;

// Breakpoints of `page` shown as 300 + 400 x c rpm (stored 6 + 8 c).
void spreadBreakpoints(ParameterImage& image, int page) {
    for (std::size_t c = 0; c < layout::kMapCols; ++c) {
        image[layout::mapRpm(static_cast<std::size_t>(page)) + c] =
            static_cast<std::uint8_t>(6 + 8 * c);
    }
}

TEST_F(MapGridEdit, BreakpointTypedBelowItsLeftNeighbourBecomesNeighbourPlus50) {
    openForm();
    spreadBreakpoints(form().session().imageForLink(), 0);
    form().PageRefresh();
    ASSERT_EQ(text(breakpoint(2)), "1100");
    typeAndEnter(breakpoint(3), "700");
    EXPECT_EQ(text(breakpoint(3)), "1150");
    EXPECT_EQ(storedBreakpoint(0, 3), 23);
    EXPECT_EQ(text(breakpoint(4)), "1900"); // room enough: the right neighbour stays
}

TEST_F(MapGridEdit, TypedValueInsideTheRangeIsTruncatedToTheStep) {
    openForm();
    spreadBreakpoints(form().session().imageForLink(), 0);
    form().PageRefresh();
    typeAndEnter(breakpoint(3), "1234");
    EXPECT_EQ(text(breakpoint(3)), "1200");
    EXPECT_EQ(storedBreakpoint(0, 3), 24);
}

TEST_F(MapGridEdit, TypedTextOutsideTheRangeOrNotANumberIsNotTakenOver) {
    openForm();
    storedCell(0, 4, 4) = 17;
    form().PageRefresh();
    for (const char* typed : {"61", "-1", "abc", "1 2", ""}) {
        SCOPED_TRACE(typed);
        typeAndEnter(cell(4, 4), typed);
        EXPECT_EQ(storedCell(0, 4, 4), 17);
        EXPECT_EQ(text(cell(4, 4)), "17");
    }
    typeAndEnter(cell(4, 4), "60");
    EXPECT_EQ(storedCell(0, 4, 4), 60);
}

TEST_F(MapGridEdit, TabOutOfACellDoesNotCommitButEnterAndAClickDo) {
    openForm();
    storedCell(0, 2, 5) = 10;
    storedCell(0, 2, 6) = 11;
    form().PageRefresh();

    typeInto(cell(2, 5), "33");
    pressKey(cell(2, 5), Qt::Key_Tab);
    EXPECT_EQ(storedCell(0, 2, 5), 10);
    EXPECT_EQ(text(cell(2, 5)), "33");
    EXPECT_EQ(QApplication::focusWidget(), cell(2, 6)->edit());

    // A click anywhere in the grid commits the page, the value left behind included.
    QTest::mouseClick(cell(7, 7)->edit(), Qt::LeftButton);
    EXPECT_EQ(storedCell(0, 2, 5), 33);

    typeInto(cell(2, 6), "44");
    pressKey(cell(2, 6), Qt::Key_Enter);
    EXPECT_EQ(storedCell(0, 2, 6), 44);
    EXPECT_EQ(QApplication::focusWidget(), cell(2, 7)->edit()) << "Enter moves the focus on";
}

TEST_F(MapGridEdit, ArrowsStepByTheIncrementAndCommit) {
    openForm();
    storedCell(3, 0, 0) = 10; // 500 us
    storedCell(0, 0, 0) = 60;
    form().PageRefresh();
    testing::MapFixture::clickArrow(cell(0, 0), true);
    EXPECT_EQ(storedCell(0, 0, 0), 60) << "the position stays at its maximum";

    clickTab(3);
    ASSERT_EQ(text(cell(0, 0)), "500");
    testing::MapFixture::clickArrow(cell(0, 0), true);
    EXPECT_EQ(storedCell(3, 0, 0), 11);
    EXPECT_EQ(text(cell(0, 0)), "550");
    testing::MapFixture::clickArrow(cell(0, 0), false);
    testing::MapFixture::clickArrow(cell(0, 0), false);
    EXPECT_EQ(storedCell(3, 0, 0), 9);

    // The cursor keys work the arrows of the field that has the focus.
    pressKey(cell(0, 0), Qt::Key_Up);
    EXPECT_EQ(storedCell(3, 0, 0), 10);
    EXPECT_EQ(text(cell(0, 0)), "500");
}

TEST_F(MapGridEdit, PageChangeDiscardsTextThatWasNotCommitted) {
    openForm();
    storedCell(0, 1, 1) = 12;
    form().PageRefresh();
    typeInto(cell(1, 1), "33");
    pressKey(cell(1, 1), Qt::Key_Tab);
    clickTab(1);
    ASSERT_EQ(form().activePageIndex(), 1);
    clickTab(0);
    EXPECT_EQ(text(cell(1, 1)), "12");
    EXPECT_EQ(storedCell(0, 1, 1), 12);
}

TEST_F(MapGridEdit, PagesReRangeTheCellsOnEveryRefresh) {
    openForm();
    storedCell(0, 9, 14) = 200; // out of an ignition cell's range until the next pass
    storedCell(3, 9, 14) = 200;
    storedCell(0, 0, 0) = 61;
    {
        // A page change by the program, not by the user: only the refresh of the new page runs.
        const QSignalBlocker quiet(childNamed<QTabWidget>(form(), "PageControl1"));
        childNamed<QTabWidget>(form(), "PageControl1")->setCurrentIndex(3);
    }
    form().PageRefresh();
    EXPECT_EQ(text(cell(9, 14)), "10000");
    EXPECT_EQ(cell(9, 14)->maximum(), 12500);
    EXPECT_EQ(cell(9, 14)->increment(), 50);

    clickTab(0);
    EXPECT_EQ(text(cell(9, 14)), "60");
    EXPECT_EQ(text(cell(0, 0)), "60");
    EXPECT_EQ(cell(9, 14)->maximum(), 60);
    EXPECT_EQ(cell(9, 14)->increment(), 1);
    EXPECT_EQ(storedCell(0, 9, 14), 200) << "a page change stores nothing";

    // The next commit of that page writes the clamped value back.
    typeAndEnter(cell(5, 5), "5");
    EXPECT_EQ(storedCell(0, 9, 14), 60);
}

TEST_F(MapGridEdit, StoredBreakpointZeroShows300AndACommitRepairsTheRow) {
    openForm();
    spreadBreakpoints(form().session().imageForLink(), 0);
    storedBreakpoint(0, 0) = 0;
    storedBreakpoint(0, 1) = 6;
    form().PageRefresh();
    EXPECT_EQ(text(breakpoint(0)), "300");
    EXPECT_EQ(breakpoint(0)->minimum(), 300);

    typeAndEnter(cell(0, 0), "1");
    EXPECT_EQ(storedBreakpoint(0, 0), 6);
    EXPECT_EQ(storedBreakpoint(0, 1), 7);
    EXPECT_EQ(text(breakpoint(1)), "350");
}

TEST_F(MapGridEdit, AllCheckBoxIsKeptPerPage) {
    openForm();
    auto* all = grid().allCheckBox();
    EXPECT_EQ(all->objectName(), "CheckBoxAll_Map");
    clickTab(3);
    QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(8, all->height() / 2));
    EXPECT_TRUE(all->isChecked());
    EXPECT_EQ(form().session().allFlags()[3], 1) << "the click commits at once";
    clickTab(6);
    EXPECT_FALSE(all->isChecked());
    clickTab(3);
    EXPECT_TRUE(all->isChecked());
    clickTab(6);
    EXPECT_FALSE(all->isChecked());
    EXPECT_EQ(form().session().allFlags()[6], 0);
}

TEST_F(MapGridEdit, ColumnStepOnASiblingInSeparateChangesOnlyThatMap) {
    // Coupled at an earlier step on Ign 1 does not carry over once the mode is Separate.
    openForm(1, 0);
    for (int r = 0; r < 10; ++r) {
        for (int p = 0; p < 3; ++p) {
            storedCell(p, r, 4) = static_cast<std::uint8_t>(20 + r);
        }
    }
    form().PageRefresh();
    testing::MapFixture::clickArrow(grid().columnSpinButton(4), true);
    EXPECT_EQ(storedCell(1, 0, 4), 21) << "Coupled: the step reaches the siblings";
    form().feature<EditingFeature>()->Menu_Ign123NormalClick();
    clickTab(1);
    testing::MapFixture::clickArrow(grid().columnSpinButton(4), true);
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(storedCell(0, r, 4), 21 + r);
        EXPECT_EQ(storedCell(1, r, 4), 22 + r);
        EXPECT_EQ(storedCell(2, r, 4), 21 + r);
        EXPECT_EQ(text(cell(r, 4)), QString::number(22 + r));
    }
}

TEST_F(MapGridEdit, ColumnStepsStopAtTheirLimits) {
    openForm();
    storedCell(0, 0, 14) = 60;
    storedCell(0, 1, 14) = 0;
    const std::uint8_t neighbour = storedCell(0, 0, 13);
    form().PageRefresh();
    testing::MapFixture::clickArrow(grid().columnSpinButton(14), true);
    EXPECT_EQ(storedCell(0, 0, 14), 60) << "61 is capped by the pass at once";
    EXPECT_EQ(storedCell(0, 1, 14), 1);
    testing::MapFixture::clickArrow(grid().columnSpinButton(14), false);
    testing::MapFixture::clickArrow(grid().columnSpinButton(14), false);
    EXPECT_EQ(storedCell(0, 1, 14), 0);
    EXPECT_EQ(storedCell(0, 0, 14), 58);
    EXPECT_EQ(storedCell(0, 0, 13), neighbour);
}

TEST_F(MapGridEdit, GridMovesToTheActivePageAndScrollsWhenSmall) {
    TFormHlav& f = openForm();
    clickTab(5);
    EXPECT_EQ(grid().parentWidget(), childNamed<QTabWidget>(f, "PageControl1")->widget(5));
    EXPECT_TRUE(grid().isVisible());
    clickTab(12);
    clickTab(2);
    EXPECT_EQ(grid().parentWidget(), childNamed<QTabWidget>(f, "PageControl1")->widget(2));
    EXPECT_TRUE(grid().box()->isVisible());
    f.resize(500, 400);
    QApplication::processEvents();
    EXPECT_TRUE(grid().horizontalScrollBar()->isVisible());
}

} // namespace
} // namespace kordana
