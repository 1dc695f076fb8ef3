// The map grid with View > Heat map colours and View > Cursor trail on: the commit tail on a
// full injection map page recolours every cell, and a moving cursor repaints its whole trail.
#include "app/TFormHlav.h"
#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"
#include "monitor/MonitorFrame.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>

#include "BenchWindow.h"
#include "features/editing/EditingFeature.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

namespace kordana {
namespace {

// Switches the options on for one benchmark and off again, so the others run without them.
class ViewOptionsOn {
public:
    explicit ViewOptionsOn(TFormHlav& form) : m_form(form) { toggle(); }
    ~ViewOptionsOn() { toggle(); }
    ViewOptionsOn(const ViewOptionsOn&) = delete;
    ViewOptionsOn& operator=(const ViewOptionsOn&) = delete;

private:
    void toggle() {
        m_form.action("MenuHeatMap")->trigger();
        m_form.action("MenuCursorTrail")->trigger();
    }
    TFormHlav& m_form;
};

// An Enter after typing into every cell of "Jet 1A": harvest, pass, refresh and 150 heat colours.
void BM_CommitTailHeatMap(benchmark::State& state) {
    TFormHlav& form = benchWindow();
    childNamed<QTabWidget>(form, "PageControl1")->setCurrentIndex(3);
    const ViewOptionsOn on(form);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < MapGrid::kRows * MapGrid::kCols; ++i) {
            form.findChild<MapGrid*>()
                ->cell(i / MapGrid::kCols, i % MapGrid::kCols)
                ->edit()
                ->setText(QString::number(50 * (i % 200)));
        }
        state.ResumeTiming();
        form.feature<EditingFeature>()->EditExit();
    }
}
BENCHMARK(BM_CommitTailHeatMap)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Marking on "Ign 1" while the engine sweeps through 24 cells: once the trail is full, each
// tick ages all 20 marks. Only MarkOperatingPoint() is timed.
void BM_MarkOperatingPointTrail(benchmark::State& state) {
    TFormHlav& form = benchWindow();
    childNamed<QTabWidget>(form, "PageControl1")->setCurrentIndex(0);
    const ViewOptionsOn on(form);
    QApplication::processEvents();
    std::vector<Frame> frames;
    for (int i = 0; i < 24; ++i) {
        MonitorFrame frame;
        frame.command = 0xB0;
        frame.engineSpeed = static_cast<std::uint16_t>(1000 + 400 * i);
        frame.throttleOpening = static_cast<std::uint8_t>(4 * i);
        frame.coolantByte = 180;
        frame.airByte = 125;
        frame.version = 51;
        frames.push_back(encodeMonitorFrame(frame));
    }
    std::size_t next = 0;
    for (auto _ : state) {
        form.ShowMonitorFrame(frames[next]);
        next = (next + 1) % frames.size();
        const auto start = std::chrono::steady_clock::now();
        form.MarkOperatingPoint();
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        QApplication::processEvents();
    }
}
BENCHMARK(BM_MarkOperatingPointTrail)
    ->UseManualTime()
    ->Iterations(1000)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace kordana
