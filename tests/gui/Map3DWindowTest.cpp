// View > View map in 3D: the surface follows committed edits, page changes and the operating
// point, and says so plainly where there is no OpenGL (as on the offscreen platform).
#include "MapFixture.h"

#include "features/editing/EditingFeature.h"
#include "features/map3d/Map3DFeature.h"
#include "map3d/MapSurfaceWindow.h"
#include "monitor/MonitorFrame.h"
#include "monitor/OperatingPoint.h"

#include <QAction>
#include <QLabel>
#include <QSurface3DSeries>
#include <QSurfaceDataProxy>
#include <QTimer>

namespace kordana::testing {
namespace {

class Map3DWindowTest : public MapFixture {
protected:
    void engineAt(std::uint16_t rpm, std::uint8_t throttle) {
        MonitorFrame frame{};
        frame.command = 0xB0;
        frame.engineSpeed = rpm;
        frame.throttleOpening = throttle;
        frame.coolantByte = 180;
        frame.airByte = 125;
        frame.version = 51;
        form().ShowMonitorFrame(encodeMonitorFrame(frame));
        form().Timer1Timer();
    }
    static float seriesValue(MapSurfaceWindow& view, int row, int column) {
        return view.series()->dataProxy()->itemAt(row, column)->y();
    }
};

TEST_F(Map3DWindowTest, FollowsEditsPageChangesAndTheOperatingPoint) {
    TFormHlav& f = openForm();
    childNamed<QTimer>(f, "Timer1")->stop();
    // Breakpoints 1000, 1500, ... 8000 rpm on "Ign 2".
    for (int c = 0; c < 15; ++c) {
        storedBreakpoint(1, c) = static_cast<std::uint8_t>(20 + 10 * c);
    }
    clickTab(3);
    f.action("MenuMap3D")->trigger();
    MapSurfaceWindow& view = *f.feature<Map3DFeature>()->window();
    ASSERT_TRUE(view.isVisible());
    EXPECT_EQ(view.data().page, 3u);
    EXPECT_EQ(childNamed<QLabel>(view, "LabelMap3DName")->text(), "Jet 1A");
    // Without OpenGL the window shows its text instead of the graph.
    EXPECT_NE(view.graph() != nullptr, childNamed<QLabel>(view, "LabelMap3DNoGraph")->isVisible());

    typeAndEnter(cell(4, 6), "3450");
    EXPECT_EQ(storedCell(3, 4, 6), 69);
    EXPECT_EQ(view.data().values[4][6], 3450);
    EXPECT_EQ(seriesValue(view, 4, 6), 3450.0f);

    clickTab(1);
    EXPECT_EQ(view.data().page, 1u);
    EXPECT_EQ(childNamed<QLabel>(view, "LabelMap3DName")->text(), "Ign 2");
    EXPECT_EQ(view.series()->dataProxy()->itemAt(0, 14)->x(), 8000.0f);

    // Another page keeps the map last shown, and the point the engine uses on it.
    clickTab(12);
    EXPECT_EQ(view.data().page, 1u);
    engineAt(1300, 3); // nearer 1500 rpm (column 1) and the 2 % row (row 1)
    EXPECT_EQ(view.markedCell(), QPoint(1, 1));
    engineAt(12000, 100);
    EXPECT_EQ(view.markedCell(), QPoint(9, 14));
    engineAt(0, 100); // a stopped engine marks no cell
    EXPECT_EQ(view.markedCell(), QPoint(-1, -1));
}

// One tick computes the map cursor once: the tools, the grid and the 3D view share it.
TEST_F(Map3DWindowTest, OneTickComputesTheMapMarkOnce) {
    TFormHlav& f = openForm();
    childNamed<QTimer>(f, "Timer1")->stop();
    for (int c = 0; c < 15; ++c) {
        storedBreakpoint(1, c) = static_cast<std::uint8_t>(20 + 10 * c);
    }
    clickTab(1);
    f.action("MenuMap3D")->trigger();
    MapSurfaceWindow& view = *f.feature<Map3DFeature>()->window();
    ASSERT_TRUE(view.isVisible());

    const std::uint64_t before = mapMarksComputed();
    engineAt(1300, 3); // nearer 1500 rpm (column 1) and the 2 % row (row 1)
    EXPECT_EQ(mapMarksComputed() - before, 1u);
    EXPECT_EQ(view.markedCell(), QPoint(1, 1));
    EXPECT_EQ(cell(1, 1)->edit()->palette().color(QPalette::Base), QColor(0, 255, 0));
    EXPECT_EQ(f.feature<EditingFeature>()->operatingPoint().mapColumn, 1);
    EXPECT_EQ(f.feature<EditingFeature>()->operatingPoint().mapRow, 1);
}

} // namespace
} // namespace kordana::testing
