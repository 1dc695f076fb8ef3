// The editors' budgets: the commit tail on a full injection map page, and a page switch
// between an ignition and an injection page. The window is shown on the offscreen platform.
#include "app/AtomicFile.h"
#include "app/TFormHlav.h"
#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace kordana {
namespace {

// One window for all cases, in a configuration folder of its own whose ports lead nowhere.
// It is never destroyed: it would outlive the application object as a static.
TFormHlav& window() {
    static QTemporaryDir dir;
    static TFormHlav* form = [] {
        const QString config = dir.path() + "/kordana";
        QDir().mkpath(config);
        const std::string none = (dir.path() + "/no-such-tty").toStdString();
        writeFileAtomically(config + "/Kordana_R_2006.ini", "[PORTS]\nCOM1=" + none + "\n");
        auto* made = new TFormHlav(QStringList{}, config);
        made->messageBox = [](TFormHlav&, const QString&, TFormHlav::Buttons) {
            return TFormHlav::Answer::Ok;
        };
        made->FormCreate();
        made->Timer1->stop();
        made->show();
        QApplication::processEvents();
        return made;
    }();
    return *form;
}

// Harvest of the 165 fields of "Jet 1A", consistency pass, refresh (an Enter in a cell).
// The argument is how many cells hold typed text that the refresh has to rewrite: 1 is one
// edited cell, 150 the whole map.
void BM_CommitTailInjectionPage(benchmark::State& state) {
    TFormHlav& form = window();
    form.PageControl1->setCurrentIndex(3);
    const int typed = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < typed; ++i) {
            form.mapGrid->cell(i / MapGrid::kCols, i % MapGrid::kCols)->edit()->setText("1234");
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
    form.PageControl1->setCurrentIndex(0);
    QApplication::processEvents();
    int target = 3;
    for (auto _ : state) {
        form.PageControl1->setCurrentIndex(target);
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
