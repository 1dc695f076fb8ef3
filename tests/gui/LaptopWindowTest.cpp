// The window on a laptop: at 1280 x 720 every page scrolls to its last row with the map's
// breakpoint row and throttle labels in view, and a saved or designed size larger than the
// screen is fitted to it at start.
#include "FormFixture.h"

#include "app/WindowPlacement.h"
#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

namespace kordana {
namespace {

// Where `widget` stands in the viewport of `area`.
QRect inViewport(const QScrollArea& area, const QWidget& widget) {
    return QRect(widget.mapTo(area.viewport(), QPoint(0, 0)), widget.size());
}

// True when all of `widget` shows in the viewport of `area`.
bool wholeInView(const QScrollArea& area, const QWidget& widget) {
    return area.viewport()->rect().contains(inViewport(area, widget));
}

// The lowest control of a page: the one whose bottom edge lies lowest in the page.
QWidget* lowestControl(QWidget& content) {
    QWidget* lowest = nullptr;
    int bottom = -1;
    for (QWidget* w : content.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&content) || w->findChildren<QWidget*>().size() > 2) {
            continue; // a group or a row: its controls count
        }
        const int b = w->mapTo(&content, QPoint(0, w->height())).y();
        if (b > bottom) {
            bottom = b;
            lowest = w;
        }
    }
    return lowest;
}

class LaptopWindow : public testing::FormFixture {
protected:
    void TearDown() override {
        FormFixture::TearDown();
        setAvailableAreas({});
    }
    TFormHlav& laptopForm() {
        TFormHlav& f = createForm();
        f.resize(1280, 720);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        return f;
    }
};

TEST_F(LaptopWindow, MapPagesScrollToTheirLastRowUnderTheirBreakpointRow) {
    TFormHlav& f = laptopForm();
    ASSERT_EQ(f.size(), QSize(1280, 720)) << "the window may be that small";
    auto* pages = childNamed<QTabWidget>(f, "PageControl1");
    MapGrid& grid = *f.findChild<MapGrid*>();
    for (int page = 0; page < 9; ++page) {
        SCOPED_TRACE(::testing::Message() << "page " << page);
        pages->setCurrentIndex(page);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        ASSERT_GT(grid.verticalScrollBar()->maximum(), 0) << "the map does not fit: it scrolls";
        grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
        for (int c : {0, 14}) {
            EXPECT_TRUE(wholeInView(grid, *grid.cell(9, c))) << "the 100 % row, column " << c;
            EXPECT_TRUE(wholeInView(grid, *grid.breakpoint(c))) << "its breakpoint";
            EXPECT_LE(inViewport(grid, *grid.breakpoint(c)).bottom(),
                      inViewport(grid, *grid.cell(8, c)).top())
                << "the breakpoints stand above the rows, not over them";
        }
        EXPECT_TRUE(wholeInView(grid, *grid.rowLabel(9)));
        EXPECT_TRUE(wholeInView(grid, *childNamed<QCheckBox>(f, "CheckBoxAll_Map")));
        EXPECT_FALSE(wholeInView(grid, *grid.rowLabel(0))) << "the first rows scrolled away";
        // Scrolled back, everything stands where the page places it.
        grid.verticalScrollBar()->setValue(0);
        EXPECT_EQ(grid.breakpoint(3)->pos(), QPoint(44 + 62 * 3, 21));
        EXPECT_EQ(grid.cell(9, 3)->pos(), QPoint(44 + 62 * 3, 53 + 30 * 9));
    }
    EXPECT_TRUE(pages->tabBar()->isVisible());
}

TEST_F(LaptopWindow, TheOtherPagesScrollToTheirLowestControl) {
    TFormHlav& f = laptopForm();
    auto* pages = childNamed<QTabWidget>(f, "PageControl1");
    for (int page = 9; page < 14; ++page) {
        SCOPED_TRACE(::testing::Message() << "page " << page);
        pages->setCurrentIndex(page);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        auto* area = pages->widget(page)->findChild<QScrollArea*>();
        ASSERT_NE(area, nullptr);
        // Scrolled, not squeezed: the page keeps the room its layout asks for.
        const QWidget& content = *area->widget();
        EXPECT_GE(content.height(), content.minimumSizeHint().height());
        EXPECT_GE(content.height(), content.childrenRect().bottom());
        QWidget* lowest = lowestControl(*area->widget());
        ASSERT_NE(lowest, nullptr);
        area->ensureWidgetVisible(lowest, 0, 0);
        EXPECT_TRUE(wholeInView(*area, *lowest)) << lowest->objectName().toStdString();
        EXPECT_TRUE(pages->tabBar()->isVisible());
    }
}

TEST_F(LaptopWindow, APlaceLargerThanTheScreenIsFittedAtStart) {
    // 1600 x 1200 pixels at 150 %: 1066 x 800 logical pixels, the panel's 40 at the bottom.
    const QRect screen(0, 0, 1066, 760);
    setAvailableAreas([screen] { return std::vector<QRect>{screen}; });
    const struct {
        const char* saved;
    } cases[] = {
        {""},                                                     // the designed 1033 x 866
        {"[FORM_HLAV]\nLeft=0\nTop=0\nWidth=1033\nHeight=866\n"}, // saved so on a larger screen
        {"[FORM_HLAV]\nLeft=400\nTop=300\nWidth=1550\nHeight=1299\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        writeSettings("[PORTS]\nCOM1=" + noDevice() + "\n" + c.saved);
        TFormHlav& f = createForm();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        EXPECT_TRUE(screen.contains(f.frameGeometry())) << f.width() << " x " << f.height();
        // Nearly as tall as the screen (less its frame), no longer as designed: pages scroll.
        EXPECT_GE(f.height(), 700);
        EXPECT_LT(f.height(), 866);
        closeForm();
    }
}

} // namespace
} // namespace kordana
