// The editors' budgets: the commit tail on a full injection map page, a page switch between an
// ignition and an injection page, and one F5 on a map page. The window is shown on the
// offscreen platform.
#include "app/TFormHlav.h"
#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"
#include "monitor/MonitorFrame.h"
#include "params/ImageLayout.h"
#include "settings/AtomicFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "BenchWindow.h"
#include "features/editing/EditingFeature.h"

#include <benchmark/benchmark.h>

namespace kordana {
namespace {

TFormHlav& window() {
    return benchWindow();
}

// Harvest of the 165 fields of "Jet 1A", consistency pass, refresh (an Enter in a cell).
// The argument is how many cells hold typed text that the refresh has to rewrite: 1 is one
// edited cell, 150 the whole map.
void BM_CommitTailInjectionPage(benchmark::State& state) {
    TFormHlav& form = window();
    childNamed<QTabWidget>(form, "PageControl1")->setCurrentIndex(3);
    const int typed = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < typed; ++i) {
            form.findChild<MapGrid*>()
                ->cell(i / MapGrid::kCols, i % MapGrid::kCols)
                ->edit()
                ->setText("1234");
        }
        state.ResumeTiming();
        form.feature<EditingFeature>()->EditExit();
    }
}
BENCHMARK(BM_CommitTailInjectionPage)
    ->Arg(1)
    ->Arg(150)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// One page change, alternately "Ign 1" to "Jet 1A" and back, re-ranging and rewriting every
// cell. With a non-zero argument the layout and paint events it posts are processed too, as
// the user sees the change.
void BM_PageSwitch(benchmark::State& state) {
    TFormHlav& form = window();
    const bool paint = state.range(0) != 0;
    childNamed<QTabWidget>(form, "PageControl1")->setCurrentIndex(0);
    QApplication::processEvents();
    int target = 3;
    for (auto _ : state) {
        childNamed<QTabWidget>(form, "PageControl1")->setCurrentIndex(target);
        if (paint) {
            QApplication::processEvents();
        }
        target = target == 3 ? 0 : 3;
    }
}
BENCHMARK(BM_PageSwitch)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// One F5 on "Ign 1" with programming after change off, from the key event to the repainted
// cell: the shortcut, the map tool's step, the commit tail and the paint of what it changed.
// The engine stands at 2500 rpm and 20 %; the cell goes back to 30 between the runs.
void BM_F5OnMapPage(benchmark::State& state) {
    TFormHlav& form = window();
    childNamed<QTabWidget>(form, "PageControl1")->setCurrentIndex(0);
    childNamed<QCheckBox>(form, "CheckBoxProgHned")->setChecked(false);
    form.session().setAllFlag(0, false);
    MonitorFrame frame{};
    frame.command = 0xB0;
    frame.engineSpeed = 2500;
    frame.throttleOpening = 20;
    frame.coolantByte = 180;
    frame.version = 51;
    form.ShowMonitorFrame(encodeMonitorFrame(frame));
    form.MarkOperatingPoint();
    const OperatingPoint point = form.feature<EditingFeature>()->operatingPoint();
    const std::size_t target = layout::mapCell(0, point.mapRow, point.mapColumn);
    UpDownEdit* cell = form.findChild<MapGrid*>()->cell(point.mapRow, point.mapColumn);
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) {
        state.SkipWithError("the window never became active: no shortcut would reach it");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        form.session().imageForLink()[target] = 30;
        state.ResumeTiming();
        QTest::keyClick(&form, Qt::Key_F5);
        QApplication::processEvents();
    }
    if (form.session().image()[target] != 31 || cell->text() != "31") {
        state.SkipWithError("F5 did not step the marked cell");
    }
}
BENCHMARK(BM_F5OnMapPage)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace kordana
