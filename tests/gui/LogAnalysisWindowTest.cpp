// The log analysis: a scatter's points over the map's grid, the per-cell table and its numbers
// on the map page, the histogram, the statistics and export of a range, and the markers of a
// log, with and without the marker column.
#include "FormFixture.h"

#include "editors/MapGrid.h"
#include "features/language/LanguageFeature.h"
#include "features/log/LogAnalysisWindow.h"
#include "features/log/LogCellPanel.h"
#include "features/log/LogFeature.h"
#include "features/log/LogHistogramView.h"
#include "features/log/LogRangePanel.h"
#include "features/log/LogScatterView.h"
#include "features/log/LogWindow.h"
#include "monitor/MonitorCsv.h"
#include "params/ImageLayout.h"
#include "settings/AtomicFile.h"

#include <QCheckBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

namespace kordana {
namespace {

// 900 rpm, 0 %: Ign 1's cell (0, 0); 1300 rpm (R 26, nearer 30 than 20), 4 %: row 2, column 1;
// 2400 rpm (R 48: 40 + 50 < 96), 100 %: row 9, column 3; 0 rpm: no cell.
constexpr const char* kLog =
    "timestamp,elapsed_s,engine_speed_rpm,throttle_pct,lambda_mv,knock_alarm_1,marker\n"
    "T0,0.000,900,0,400,0,0\n"
    "T1,0.330,1300,4,500,1,0\n"
    "T2,0.660,1300,4,600,0,1\n"
    "T3,0.990,2400,100,700,1,0\n"
    "T4,1.320,0,0,800,0,2\n";

class LogAnalysis : public testing::FormFixture {
protected:
    TFormHlav& f() { return *m_form; }

    // A window with Ign 1's breakpoints at 1000, 1500, ... 8000 rpm and `text` as the log
    // shown, its analysis open.
    LogAnalysisWindow& openAnalysis(const std::string& text = kLog) {
        TFormHlav& f = createForm();
        childNamed<QTimer>(f, "Timer1")->stop();
        for (std::size_t c = 0; c < 15; ++c) {
            setImageByte(f, layout::mapRpm(0) + c, static_cast<std::uint8_t>(20 + 10 * c));
        }
        f.PageRefresh();
        const QString path = m_dir.path() + "/run.csv";
        EXPECT_TRUE(writeFileAtomically(path, text));
        LogFeature& log = *f.feature<LogFeature>();
        EXPECT_TRUE(log.openMonitorLog(path));
        childNamed<QPushButton>(*log.logWindow(), "ButtonLogAnalysis")->click();
        EXPECT_NE(log.analysisWindow(), nullptr);
        EXPECT_TRUE(log.analysisWindow()->isVisible());
        return *log.analysisWindow();
    }
};

TEST_F(LogAnalysis, TheScatterReadsAsTheMap) {
    LogAnalysisWindow& window = openAnalysis();
    const LogScatterView& scatter = *window.scatter();
    // Engine speed across, throttle up, coloured by lambda: every row a point.
    EXPECT_EQ(scatter.data().x, (std::vector<float>{900, 1300, 1300, 2400, 0}));
    EXPECT_EQ(scatter.data().y, (std::vector<float>{0, 4, 4, 100, 0}));
    std::vector<double> breakpoints;
    for (int c = 0; c < 15; ++c) {
        breakpoints.push_back(1000 + 500 * c);
    }
    EXPECT_EQ(scatter.xLines(), breakpoints);
    EXPECT_EQ(scatter.yLines(), (std::vector<double>{0, 2, 5, 10, 20, 30, 40, 60, 80, 100}));

    // Lambda 400 mV is the ramp's dark blue, 800 mV its yellow, 600 mV its middle teal.
    const QImage picture = scatter.picture(QSize(400, 300));
    struct Point {
        double x, y;
        QColor colour;
    } const points[] = {{900, 0, QColor(68, 1, 84)},
                        {0, 0, QColor(253, 231, 37)},
                        {2400, 100, QColor(94, 201, 98)}};
    for (const Point& p : points) {
        const QPoint at = scatter.positionOf(p.x, p.y, picture.size()).toPoint();
        EXPECT_EQ(picture.pixelColor(at), p.colour) << p.x << " " << p.y;
    }
    EXPECT_EQ(scatter.colourOf(600), QColor(33, 145, 140));

    // Only the plot's visible range: 0.3 .. 0.7 s holds rows 1 and 2.
    f().feature<LogFeature>()->logWindow()->setTimeRange(0.3, 0.7);
    EXPECT_EQ(window.scatter()->data().size(), 2u);
    window.chooseScatter("throttle_pct", "lambda_mv", "");
    EXPECT_EQ(window.scatter()->data().y, (std::vector<float>{500, 600}));
    EXPECT_EQ(window.scatter()->yLines(), std::vector<double>{}) << "lambda has no map rows";
}

TEST_F(LogAnalysis, TheCellTableAndItsNumbersOnTheMap) {
    LogAnalysisWindow& window = openAnalysis();
    LogCellPanel& cells = *window.cells();
    MapGrid& grid = *f().findChild<MapGrid*>();
    cells.setShownOnMap(true);
    struct Case {
        const char* button;
        std::vector<std::pair<std::pair<int, int>, QString>> cells;
    } const cases[] = {
        {"ButtonLogHits", {{{0, 0}, "1"}, {{2, 1}, "2"}, {{9, 3}, "1"}}},
        {"ButtonLogMeanLambda", {{{0, 0}, "400"}, {{2, 1}, "550"}, {{9, 3}, "700"}}},
        {"ButtonLogKnockEvents", {{{0, 0}, "0"}, {{2, 1}, "1"}, {{9, 3}, "1"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        childNamed<QPushButton>(cells, c.button)->click();
        std::vector<std::pair<std::pair<int, int>, QString>> shown;
        for (const CellNote& note : grid.cellNotes()) {
            shown.push_back({{note.row, note.column}, note.corner});
        }
        EXPECT_EQ(shown, c.cells);
        for (const auto& [cell, text] : c.cells) {
            EXPECT_EQ(cells.cellText(cell.first, cell.second), text);
        }
        EXPECT_EQ(cells.cellText(5, 5), "");
    }
    // Closing the analysis takes its numbers off the map.
    window.close();
    EXPECT_TRUE(grid.cellNotes().empty());
}

TEST_F(LogAnalysis, TheHistogramOfTheVisibleRange) {
    LogAnalysisWindow& window = openAnalysis();
    childNamed<QTabWidget>(window, "TabLogAnalysis")->setCurrentIndex(2);
    // Lambda 400 .. 800 mV in about 20 bins: bins of 20 mV, one value in every fifth.
    const analysis::Histogram& h = window.histogramView()->histogram();
    EXPECT_EQ(h.start, 400);
    EXPECT_EQ(h.width, 20);
    std::vector<std::uint32_t> expected(21, 0);
    for (const std::size_t bin : {0, 5, 10, 15, 20}) {
        expected[bin] = 1;
    }
    EXPECT_EQ(h.counts, expected);
    // 500 and 600 mV: bins of 5 mV.
    f().feature<LogFeature>()->logWindow()->setTimeRange(0.3, 0.7);
    std::vector<std::uint32_t> two(21, 0);
    two.front() = 1;
    two.back() = 1;
    EXPECT_EQ(window.histogramView()->histogram().width, 5);
    EXPECT_EQ(window.histogramView()->histogram().counts, two);
}

TEST_F(LogAnalysis, RangeStatisticsAndTheRangeExported) {
    LogAnalysisWindow& window = openAnalysis();
    LogRangePanel& range = *window.range();
    range.setRange(0.3, 0.7);
    EXPECT_EQ(range.rows().first, 1u);
    EXPECT_EQ(range.rows().last, 2u);
    const auto& stats = range.statistics();
    ASSERT_EQ(stats.size(), 5u);
    EXPECT_EQ(stats[0].min, 1300);
    EXPECT_EQ(stats[0].max, 1300);
    EXPECT_EQ(stats[2].min, 500);
    EXPECT_EQ(stats[2].max, 600);
    EXPECT_EQ(stats[2].mean, 550);

    const QString target = m_dir.path() + "/part.csv";
    desktop().csvDialog = [&](const QString&) { return target; };
    childNamed<QPushButton>(range, "ButtonLogExportRange")->click();
    EXPECT_EQ(readWholeFile(target),
              "timestamp,elapsed_s,engine_speed_rpm,throttle_pct,lambda_mv,knock_alarm_1,marker\n"
              "T1,0.000,1300,4,500,1,0\n"
              "T2,0.330,1300,4,600,0,1\n");
    EXPECT_EQ(childNamed<QStatusBar>(f(), "StatusBar1")->currentMessage(),
              "Range written to " + target);
}

TEST_F(LogAnalysis, TheMarkersListJumpsToTheirRows) {
    LogAnalysisWindow& window = openAnalysis();
    EXPECT_EQ(window.markers(), (std::vector<LogMarker>{{2, 1}, {4, 2}}));
    auto* list = childNamed<QTreeWidget>(window, "ListLogAnalysisMarkers");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(0), "2");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "1.320");
    LogWindow& log = *f().feature<LogFeature>()->logWindow();
    log.setTimeRange(0, 0.5);
    window.jumpToMarker(1);
    EXPECT_EQ(log.cursorRow(), 4u);
    EXPECT_LE(log.timeFrom(), 1.32);
    EXPECT_GE(log.timeTo(), 1.32);
}

TEST_F(LogAnalysis, ALogWithoutTheMarkerColumnHasNoMarkers) {
    MonitorFrame frame;
    frame.engineSpeed = 3000;
    const std::string text = monitorLogHeader() + "\n" +
                             monitorLogRow("2026-12-08T14:03:11.000Z", 0, frame) + "\n" +
                             monitorLogRow("2026-12-08T14:03:11.330Z", 330, frame) + "\n";
    LogAnalysisWindow& window = openAnalysis(text);
    EXPECT_TRUE(window.markers().empty());
    EXPECT_EQ(childNamed<QTreeWidget>(window, "ListLogAnalysisMarkers")->topLevelItemCount(), 0);
    EXPECT_EQ(window.scatter()->data().size(), 2u);
}

TEST_F(LogAnalysis, TheAnalysisSpeaksTheWindowsLanguage) {
    LogAnalysisWindow& window = openAnalysis();
    f().feature<LanguageFeature>()->MenuGermanClick();
    EXPECT_EQ(window.windowTitle(), "Protokollanalyse");
    auto* tabs = childNamed<QTabWidget>(window, "TabLogAnalysis");
    EXPECT_EQ(tabs->tabText(0), "Streudiagramm");
    EXPECT_EQ(tabs->tabText(4), "Marken");
    EXPECT_EQ(childNamed<QPushButton>(*window.cells(), "ButtonLogKnockEvents")->text(),
              "Klopfereignisse");
    LogWindow& log = *f().feature<LogFeature>()->logWindow();
    EXPECT_EQ(childNamed<QPushButton>(log, "ButtonLogAnalysis")->text(), "Analyse...");
    EXPECT_EQ(childNamed<QCheckBox>(log, "CheckBoxLogReplay")->text(), "Wiedergabe im Kennfeld");
    EXPECT_EQ(f().action("MenuLogMarker")->text(), "&Marke setzen");
}

} // namespace
} // namespace kordana
