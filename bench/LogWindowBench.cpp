// The monitor log in the window: opening and plotting an hour's log (budget 1 s), and one
// monitor frame with and without recording (the tick's budget stays under 1 ms).
#include "app/LogWindow.h"
#include "app/TFormHlav.h"
#include "monitor/MonitorCsv.h"
#include "monitor/MonitorFrame.h"
#include "settings/AtomicFile.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>

#include "BenchWindow.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace kordana {
namespace {

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

MonitorFrame runningFrame(int n) {
    MonitorFrame frame;
    frame.command = 0xB0;
    frame.engineSpeed = static_cast<std::uint16_t>(800 + (n * 37) % 8200);
    frame.throttleOpening = static_cast<std::uint8_t>(n % 101);
    frame.pressure = static_cast<std::uint16_t>(985 + n % 30);
    frame.advance = {static_cast<std::uint16_t>(1000 + n % 1500), 1300, 1275};
    frame.injectionTime.fill(static_cast<std::uint16_t>(2000 + n % 3000));
    frame.lambdaRaw = static_cast<std::uint16_t>(80 + n % 120);
    frame.knockRaw = {static_cast<std::uint16_t>(100 + n % 50), 120, 130};
    frame.supplyRaw = 270;
    frame.coolantByte = 185;
    frame.airByte = 125;
    frame.version = 51;
    return frame;
}

QString hourLogFile() {
    const QString path = scratch().path() + "/hour.csv";
    std::string text = monitorLogHeader() + "\n";
    for (int r = 0; r < 11000; ++r) {
        text += monitorLogRow("2026-12-08T14:03:11.000Z", r * 330LL, runningFrame(r)) + "\n";
    }
    writeFileAtomically(path, text);
    return path;
}

// Read, plot (the default channels and all nineteen) and paint the log window.
void BM_OpenAndPlotHourLog(benchmark::State& state) {
    TFormHlav& form = benchWindow();
    const QString path = hourLogFile();
    LogWindow* window = form.logWindow();
    form.openMonitorLog(path);
    for (std::size_t c = 0; c < kLogChannels.size(); ++c) {
        window->setChannelShown(c, state.range(0) != 0 || c < 2);
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const bool shown = form.openMonitorLog(path);
        window->repaint();
        const auto stop = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(shown);
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        QApplication::processEvents();
    }
    window->close();
}
BENCHMARK(BM_OpenAndPlotHourLog)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

// One monitor frame as a tick takes it in (panel, live values, row of the log when recording)
// and the cursor at the end of the tick; argument 1 records.
void BM_MonitorFrameTick(benchmark::State& state) {
    TFormHlav& form = benchWindow();
    form.setLogFolder(scratch().path() + "/logs");
    const bool record = state.range(0) != 0;
    if (form.recordingLog() != record) {
        form.action("MenuRecordLog")->trigger();
    }
    const std::array<Frame, 2> frames{encodeMonitorFrame(runningFrame(1)),
                                      encodeMonitorFrame(runningFrame(2))};
    std::size_t next = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        form.ShowMonitorFrame(frames[next]);
        form.Timer1Timer();
        const auto stop = std::chrono::steady_clock::now();
        next = 1 - next;
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        QApplication::processEvents();
    }
    if (form.recordingLog()) {
        form.action("MenuRecordLog")->trigger();
    }
}
BENCHMARK(BM_MonitorFrameTick)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(1000)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace kordana
