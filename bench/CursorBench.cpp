// Marking the operating point, the last step of every tick: budget 0.5 ms on any page. The live
// values alternate between two operating points, so every call moves the marks.
#include "app/TFormHlav.h"
#include "monitor/MonitorFrame.h"

#include <QApplication>
#include <QTabWidget>

#include "BenchWindow.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>

namespace kordana {
namespace {

// Part throttle in the mid range, then near full speed: each cursor of every page moves.
std::array<Frame, 2> twoOperatingPoints() {
    MonitorFrame low;
    low.command = 0xB0;
    low.engineSpeed = 3000;
    low.throttleOpening = 10;
    low.pressure = 900;
    low.coolantByte = 194;
    low.airByte = 125;
    low.timeSinceStart = 26;
    low.version = 51;
    MonitorFrame high = low;
    high.engineSpeed = 7300;
    high.throttleOpening = 60;
    high.pressure = 1500;
    high.coolantByte = 195;
    high.airByte = 150;
    high.timeSinceStart = 100;
    return {encodeMonitorFrame(low), encodeMonitorFrame(high)};
}

// The argument is the page: 0 "Ign 1", 9 position, 10 servo, 11 knock, 13 corrections. Only
// MarkOperatingPoint() is timed; the frame that sets the live values and the repaint it
// causes run outside the measurement. A fixed count of ticks keeps the run short, since the
// untimed repaint costs more than the timed part.
void BM_MarkOperatingPoint(benchmark::State& state) {
    TFormHlav& form = benchWindow();
    childNamed<QTabWidget>(form, "PageControl1")->setCurrentIndex(static_cast<int>(state.range(0)));
    QApplication::processEvents();
    const std::array<Frame, 2> frames = twoOperatingPoints();
    std::size_t next = 0;
    for (auto _ : state) {
        form.ShowMonitorFrame(frames[next]);
        next = 1 - next;
        const auto start = std::chrono::steady_clock::now();
        form.MarkOperatingPoint();
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        QApplication::processEvents();
    }
}
BENCHMARK(BM_MarkOperatingPoint)
    ->Arg(0)
    ->Arg(9)
    ->Arg(10)
    ->Arg(11)
    ->Arg(13)
    ->UseManualTime()
    ->Iterations(1000)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace kordana
