// The editors' budgets: the commit tail on a full injection map page, and a page switch
// between an ignition and an injection page. The window is shown on the offscreen platform.
#include "app/TFormHlav.h"
#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"
#include "settings/AtomicFile.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "BenchWindow.h"

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
        form.EditExit();
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

} // namespace
} // namespace kordana
