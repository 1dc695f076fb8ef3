// The operating-point cursor on the map pages: the cell, breakpoint and throttle row in use.
#include "FormFixture.h"

#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"
#include "features/editing/EditingFeature.h"
#include "monitor/MonitorFrame.h"
#include "params/ImageLayout.h"

#include <QLabel>
#include <QTabWidget>
#include <QTimer>

namespace kordana {
namespace {

const QColor kLime(0, 255, 0);

class CursorMap : public testing::FormFixture {
protected:
    TFormHlav& form() {
        TFormHlav& f = createForm();
        childNamed<QTimer>(f, "Timer1")->stop();
        // Breakpoints 1000, 1500, 2000, ... rpm on "Ign 1".
        for (std::size_t c = 0; c < 15; ++c) {
            setImageByte(f, layout::mapRpm(0) + c, static_cast<std::uint8_t>(20 + 10 * c));
        }
        f.PageRefresh();
        return f;
    }
    void engineAt(TFormHlav& f, std::uint16_t rpm, std::uint8_t throttle) {
        MonitorFrame frame{};
        frame.command = 0xB0;
        frame.engineSpeed = rpm;
        frame.throttleOpening = throttle;
        frame.coolantByte = 180;
        frame.airByte = 125;
        frame.version = 51;
        const Frame bytes = encodeMonitorFrame(frame);
        f.ShowMonitorFrame(bytes);
        f.Timer1Timer();
    }
    static bool cellMarked(TFormHlav& f, int r, int c) {
        return f.findChild<MapGrid*>()->cell(r, c)->palette().color(QPalette::Base) == kLime;
    }
    static bool breakpointMarked(TFormHlav& f, int c) {
        return f.findChild<MapGrid*>()->breakpoint(c)->palette().color(QPalette::Base) == kLime;
    }
    static bool rowMarked(TFormHlav& f, int r) {
        return f.findChild<MapGrid*>()->rowLabel(r)->palette().color(QPalette::Window) == kLime;
    }
    static int markedCells(TFormHlav& f) {
        int n = 0;
        for (int r = 0; r < 10; ++r) {
            for (int c = 0; c < 15; ++c) {
                n += cellMarked(f, r, c) ? 1 : 0;
            }
        }
        return n;
    }
};

TEST_F(CursorMap, MarksTheNearestCellAndMovesWithTheEngine) {
    TFormHlav& f = form();
    engineAt(f, 1300, 3); // 1300 rpm is nearer 1500; 3 % is nearer the 2 % row
    EXPECT_TRUE(cellMarked(f, 1, 1));
    EXPECT_TRUE(breakpointMarked(f, 1));
    EXPECT_TRUE(rowMarked(f, 1));
    EXPECT_EQ(markedCells(f), 1);
    EXPECT_EQ(f.feature<EditingFeature>()->operatingPoint().mapColumn, 1);
    EXPECT_EQ(f.feature<EditingFeature>()->operatingPoint().mapRow, 1);

    engineAt(f, 1250, 4); // half-way goes to the lower breakpoint; 4 % to the 5 % row
    EXPECT_TRUE(cellMarked(f, 2, 0));
    EXPECT_FALSE(cellMarked(f, 1, 1));
    EXPECT_FALSE(breakpointMarked(f, 1));
    EXPECT_FALSE(rowMarked(f, 1));
    EXPECT_EQ(markedCells(f), 1);

    engineAt(f, 12000, 100);
    EXPECT_TRUE(cellMarked(f, 9, 14));
}

TEST_F(CursorMap, StandingEngineMarksOnlyTheThrottleRow) {
    TFormHlav& f = form();
    engineAt(f, 0, 100);
    EXPECT_TRUE(rowMarked(f, 9));
    EXPECT_EQ(markedCells(f), 0);
    for (int c = 0; c < 15; ++c) {
        EXPECT_FALSE(breakpointMarked(f, c));
    }
}

// The printout whitens the row labels; the next tick paints every one of them again, not only
// one whose mark moves, on this page and on the next map page shown.
TEST_F(CursorMap, AfterPrintingTheNextTickPaintsEveryRowLabel) {
    TFormHlav& f = form();
    engineAt(f, 3000, 45); // row 6 (40 %), since 40 + 60 >= 90
    ASSERT_TRUE(rowMarked(f, 6));
    auto* pages = childNamed<QTabWidget>(f, "PageControl1");
    for (int page : {0, 1}) {
        SCOPED_TRACE(page);
        f.action("MenuPrint")->trigger();
        MapGrid* grid = f.findChild<MapGrid*>();
        ASSERT_EQ(grid->rowLabel(6)->palette().color(QPalette::Window), QColor(Qt::white));
        pages->setCurrentIndex(page);
        engineAt(f, 3000, 45);

        for (int r = 0; r < 10; ++r) {
            const QColor colour = grid->rowLabel(r)->palette().color(QPalette::Window);
            EXPECT_NE(colour, QColor(Qt::white)) << "row " << r;
            EXPECT_EQ(colour == kLime, r == 6) << "row " << r;
        }
    }
}

} // namespace
} // namespace kordana
