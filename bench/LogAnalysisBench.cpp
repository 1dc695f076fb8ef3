// The log analysis of a 10-hour log (110,000 rows) in the window: the scatter of every row
// worked out and drawn (budget 100 ms), and the per-cell table with its notes on the map
// (budget 50 ms).
#include "analysis/LogCells.h"
#include "app/TFormHlav.h"
#include "features/log/LogAnalysisWindow.h"
#include "features/log/LogCellPanel.h"
#include "features/log/LogFeature.h"
#include "features/log/LogScatterView.h"
#include "features/log/LogWindow.h"
#include "monitor/MonitorCsv.h"
#include "settings/AtomicFile.h"

#include <QApplication>
#include <QTemporaryDir>

#include "BenchWindow.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace kordana {
namespace {

MonitorFrame runFrame(int r) {
    MonitorFrame frame;
    const int hold = r / 20;
    frame.command = 0xB0;
    frame.engineSpeed = static_cast<std::uint16_t>(1200 + (hold * 370) % 8000 + (r % 3) * 20);
    frame.throttleOpening = static_cast<std::uint8_t>((hold * 7) % 101);
    frame.lambdaRaw = static_cast<std::uint16_t>(80 + (r * 13) % 120);
    frame.coolantByte = 185;
    frame.airByte = 125;
    frame.knockAlarm = {static_cast<std::uint8_t>(r % 97 == 0), 0, 0};
    return frame;
}

// The window with the 10-hour log shown in the log window and its analysis open.
LogAnalysisWindow& tenHourAnalysis() {
    static QTemporaryDir dir;
    static LogAnalysisWindow* window = [] {
        const QString path = dir.path() + "/ten-hours.csv";
        std::string text = markedLogHeader() + "\n";
        for (int r = 0; r < 110000; ++r) {
            text += markedLogRow("2026-12-08T14:03:11.000Z", r * 330LL, runFrame(r), 0) + "\n";
        }
        writeFileAtomically(path, text);
        LogFeature& log = *benchWindow().feature<LogFeature>();
        log.openMonitorLog(path);
        return log.showAnalysis();
    }();
    return *window;
}

void BM_ScatterTenHours(benchmark::State& state) {
    LogAnalysisWindow& window = tenHourAnalysis();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        window.chooseScatter("engine_speed_rpm", "throttle_pct", "lambda_mv");
        const QImage picture = window.scatter()->picture(QSize(800, 500));
        const auto stop = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(picture.width());
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    state.counters["points"] = static_cast<double>(window.scatter()->data().size());
}
BENCHMARK(BM_ScatterTenHours)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_CellTableTenHours(benchmark::State& state) {
    LogAnalysisWindow& window = tenHourAnalysis();
    LogCellPanel& cells = *window.cells();
    cells.setShownOnMap(true);
    bool lambda = false;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        cells.applyPreset(lambda ? analysis::CellPreset::MeanLambda : analysis::CellPreset::Hits);
        const auto stop = std::chrono::steady_clock::now();
        lambda = !lambda;
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        QApplication::processEvents();
    }
    cells.setShownOnMap(false);
    state.counters["rows"] = static_cast<double>(cells.table().rows);
}
BENCHMARK(BM_CellTableTenHours)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kordana
