// The tuning assistant's overlay on a map page: every cell of "Jet 1A" noted (a proposal, a
// lock or hatching) and the grid painted, as each refresh and each tick with new frames does.
#include "app/TFormHlav.h"
#include "editors/MapGrid.h"

#include <QTabWidget>

#include "BenchWindow.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace kordana {
namespace {

std::vector<CellNote> fullMapOfNotes(int pass) {
    std::vector<CellNote> notes;
    for (int r = 0; r < MapGrid::kRows; ++r) {
        for (int c = 0; c < MapGrid::kCols; ++c) {
            const int kind = (r * MapGrid::kCols + c + pass) % 3;
            notes.push_back({r, c, kind == 0 ? QString("+%1 %").arg(c) : QString(),
                             kind == 0 ? QColor(0, 70, 200) : QColor(110, 110, 110), kind == 1,
                             QString("Samples: %1").arg(r * c)});
        }
    }
    return notes;
}

void BM_AssistantOverlayRepaint(benchmark::State& state) {
    TFormHlav& form = benchWindow();
    childNamed<QTabWidget>(form, "PageControl1")->setCurrentIndex(3);
    MapGrid& grid = *form.findChild<MapGrid*>();
    int pass = 0;
    for (auto _ : state) {
        grid.setCellNotes(fullMapOfNotes(++pass));
        grid.repaint();
    }
    grid.setCellNotes({});
}
BENCHMARK(BM_AssistantOverlayRepaint)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace kordana
