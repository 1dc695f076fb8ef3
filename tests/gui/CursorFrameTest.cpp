// The operating cell's frame: there while other colours could hide its lime, gone without them.
#include "MapFixture.h"

#include "editors/MapGrid.h"

#include <QAction>

namespace kordana {
namespace {

using CursorFrame = testing::MapFixture;

TEST_F(CursorFrame, FramesTheMarkedCellWhileColourLayersAreOn) {
    TFormHlav& f = openForm();
    grid().showMark(4, 6, true);
    QWidget* frame = grid().cursorFrame();
    EXPECT_FALSE(frame->isVisible()) << "the lime alone is enough on plain cells";

    f.action("MenuHeatMap")->trigger();
    ASSERT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->geometry().contains(cell(4, 6)->geometry()));
    EXPECT_FALSE(frame->geometry().intersects(cell(4, 8)->geometry()));
    grid().showMark(5, 7, true);
    EXPECT_TRUE(frame->geometry().contains(cell(5, 7)->geometry())) << "it follows the mark";
    grid().showMark(5, -1, false);
    EXPECT_FALSE(frame->isVisible()) << "no cell marked";

    grid().showMark(5, 7, true);
    f.action("MenuHeatMap")->trigger();
    EXPECT_FALSE(frame->isVisible());
    f.action("MenuCursorTrail")->trigger();
    EXPECT_TRUE(frame->isVisible()) << "the trail's greens";
    f.action("MenuCursorTrail")->trigger();
    grid().setOutlinedCells({MapCellRef{0, 1, 1}});
    EXPECT_TRUE(frame->isVisible()) << "a comparison's outlines";
    grid().setOutlinedCells({});
    grid().setCellNotes({CellNote{2, 2, "+4 %", QColor(Qt::blue), false, {}}});
    EXPECT_TRUE(frame->isVisible()) << "a tool's notes";
    grid().setCellNotes({});
    EXPECT_FALSE(frame->isVisible());
}

} // namespace
} // namespace kordana
