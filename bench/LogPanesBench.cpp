// The log window's panes with a ten-hour log (110,000 rows of every column): opening it with
// its first plot (budget 1 s) and one frame of panning or zooming (budget 16 ms), the whole
// log in view and a tenth of it.
#include "app/TFormHlav.h"
#include "features/log/LogFeature.h"
#include "features/log/LogWindow.h"
#include "monitor/MonitorCsv.h"
#include "monitor/MonitorFrame.h"
#include "settings/AtomicFile.h"

#include <QApplication>
#include <QTemporaryDir>

#include "BenchWindow.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace kordana {
namespace {

constexpr int kTenHourRows = 110000;

// A dyno-like run: speed sweeps, throttle steps, knock and lambda wander.
MonitorFrame sweepFrame(int n) {
    MonitorFrame frame;
    frame.command = 0xB0;
    frame.engineSpeed = static_cast<std::uint16_t>(900 + (n * 37) % 8100);
    frame.throttleOpening = static_cast<std::uint8_t>((n / 50) % 101);
    frame.pressure = static_cast<std::uint16_t>(985 + n % 30);
    frame.advance = {static_cast<std::uint16_t>(1000 + n % 1500), 1300, 1275};
    frame.injectionTime.fill(static_cast<std::uint16_t>(2000 + n % 3000));
    frame.lambdaRaw = static_cast<std::uint16_t>(80 + n % 120);
    frame.knockRaw = {static_cast<std::uint16_t>(100 + n % 50),
                      static_cast<std::uint16_t>(120 + n % 70), 130};
    frame.supplyRaw = 270;
    frame.coolantByte = 185;
    frame.airByte = 125;
    frame.version = 51;
    return frame;
}

const QString& tenHourLog() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.path() + "/ten-hours.csv";
        std::string text = monitorLogHeader() + "\n";
        text.reserve(static_cast<std::size_t>(kTenHourRows) * 260);
        for (int r = 0; r < kTenHourRows; ++r) {
            text += monitorLogRow("2026-12-08T14:03:11.000Z", r * 330LL, sweepFrame(r)) + "\n";
        }
        writeFileAtomically(file, text);
        return file;
    }();
    return path;
}

LogWindow& shownWindow() {
    TFormHlav& form = benchWindow();
    LogWindow* window = form.feature<kordana::LogFeature>()->logWindow();
    window->setPaneLayout(defaultLogLayout());
    window->resize(1400, 800);
    return *window;
}

void BM_OpenAndPlotTenHourLog(benchmark::State& state) {
    const QString& path = tenHourLog();
    LogWindow& window = shownWindow();
    LogFeature& log = *benchWindow().feature<kordana::LogFeature>();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const bool shown = log.openMonitorLog(path);
        window.repaint();
        const auto stop = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(shown);
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        QApplication::processEvents();
    }
    state.counters["rows"] = static_cast<double>(window.log()->rowCount());
}
BENCHMARK(BM_OpenAndPlotTenHourLog)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// One frame of a drag: the range moves (argument 0) or shrinks (argument 1) and the panes are
// painted (all a pan or zoom changes: the channel list and the slider stay as they are). Argument 2
// of the range: the whole log in view (1) or a tenth (10).
void BM_PanOrZoomOneFrame(benchmark::State& state) {
    LogWindow& window = shownWindow();
    if (window.log() == nullptr || window.log()->rowCount() != kTenHourRows) {
        benchWindow().feature<kordana::LogFeature>()->openMonitorLog(tenHourLog());
    }
    QWidget* panes = window.findChild<QWidget*>("ChartLog");
    const double end = window.log()->elapsed.back();
    const double span = end / static_cast<double>(state.range(1));
    window.setTimeRange(0, span);
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        ++step;
        const double from = state.range(0) == 0 ? (step % 20) * span / 200 : 0;
        const double to = state.range(0) == 0 ? from + span : span * (1 - (step % 20) / 40.0);
        const auto start = std::chrono::steady_clock::now();
        window.setTimeRange(from, to);
        panes->repaint();
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
}
BENCHMARK(BM_PanOrZoomOneFrame)
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({0, 10})
    ->Args({1, 10})
    ->UseManualTime()
    ->Iterations(60)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kordana
