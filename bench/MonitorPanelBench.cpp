// Painting the live monitor panel: budget well under 1 ms per monitor frame. The window is
// shown on the offscreen platform.
#include "app/TFormHlav.h"
#include "features/monitor/MonitorPanel.h"
#include "monitor/MonitorFrame.h"
#include "settings/AtomicFile.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QTemporaryDir>
#include <QTimer>

#include "BenchWindow.h"

#include <benchmark/benchmark.h>

#include <array>

namespace kordana {
namespace {

TFormHlav& monitorWindow() {
    return benchWindow();
}

// One pass of the event loop: posted events, the window's drawing, and the deferred deletions
// that processEvents() alone leaves to the loop (layout animations of the main window).
void runEventLoopOnce() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Two frames of a running engine a few hundred milliseconds apart: speed, throttle, lambda,
// times, advance and knock move; states stay.
std::array<MonitorFrame, 2> runningFrames() {
    MonitorFrame a;
    a.engineSpeed = 6500;
    a.pressureRaw = 420;
    a.pressure = 1013;
    a.throttleRaw = 600;
    a.lambdaRaw = 160;
    a.coolantRaw = 300;
    a.airRaw = 500;
    a.supplyRaw = 270;
    a.injectionTime = {3200, 3150, 3250, 3100, 3300, 3120};
    a.programmingCount = 27;
    a.throttleOpening = 42;
    a.coolantByte = 185;
    a.airByte = 125;
    a.version = 51;
    a.servoInOrder = 1;
    a.tachoLambda = 1;
    a.knockRaw = {80, 95, 120};
    a.advance = {2450, 2400, 2475};
    a.coolantCorrection = 1000;
    a.voltageCorrection = 1040;
    MonitorFrame b = a;
    b.engineSpeed = 6650;
    b.throttleRaw = 640;
    b.throttleOpening = 47;
    b.lambdaRaw = 171;
    b.injectionTime = {3350, 3300, 3400, 3250, 3450, 3270};
    b.knockRaw = {84, 90, 131};
    b.advance = {2500, 2450, 2525};
    return {a, b};
}

// The same engine with every alarm raised in the second frame: every label and gauge of the
// panel changes text or colour on every paint.
std::array<MonitorFrame, 2> alarmFrames() {
    std::array<MonitorFrame, 2> frames = runningFrames();
    MonitorFrame& b = frames[1];
    b.coolantByte = 0;
    b.airByte = 0;
    b.throttleOpening = 101;
    b.pressureRaw = 1010;
    b.supplyRaw = 340;
    b.speedFlagA = 1;
    b.speedFlagB = 1;
    b.startLimiter = 1;
    b.tachoLambda = 0;
    b.oilPressureError = 1;
    b.knockAlarm = {1, 1, 1};
    b.powerOut = {1, 1, 1};
    b.version = 50;
    b.dataError = 1;
    b.programmingCount = 28;
    b.pressure = 1200;
    b.positionA = 5;
    b.positionB = 6;
    b.coolantCorrection = 1100;
    b.airCorrection = 20;
    b.pressureCorrection = 30;
    b.startCorrection = 40;
    b.voltageCorrection = 990;
    b.engineSpeed = 12000;
    b.injectionTime = {12500, 0, 0, 0, 0, 0};
    return frames;
}

std::array<MonitorDisplay, 2> displaysOf(const std::array<MonitorFrame, 2>& frames) {
    MonitorOptions options;
    options.textUnmatchedUnit = "Unmatched version of PC and Ignition programs!";
    std::array<MonitorDisplay, 2> displays;
    displays[0].update(frames[0], options);
    displays[1].update(frames[1], options);
    return displays;
}

void paintAlternating(benchmark::State& state, const std::array<MonitorFrame, 2>& frames,
                      bool render) {
    TFormHlav& form = monitorWindow();
    const std::array<MonitorDisplay, 2> displays = displaysOf(frames);
    std::size_t n = 0;
    for (auto _ : state) {
        form.findChild<MonitorPanel*>()->paint(displays[n++ & 1U]);
        if (render) {
            runEventLoopOnce();
        }
    }
    runEventLoopOnce();
}

// Applying a typical frame's model to the widgets (the drawing is left to the next case).
void BM_MonitorPanelPaintRunning(benchmark::State& state) {
    paintAlternating(state, runningFrames(), false);
}
BENCHMARK(BM_MonitorPanelPaintRunning)->Unit(benchmark::kMicrosecond);

// Every element changes on every paint.
void BM_MonitorPanelPaintEverything(benchmark::State& state) {
    paintAlternating(state, alarmFrames(), false);
}
BENCHMARK(BM_MonitorPanelPaintEverything)->Unit(benchmark::kMicrosecond);

// Applying the model and drawing the changed widgets into the window's backing store.
void BM_MonitorPanelPaintAndDrawRunning(benchmark::State& state) {
    paintAlternating(state, runningFrames(), true);
}
BENCHMARK(BM_MonitorPanelPaintAndDrawRunning)->Unit(benchmark::kMicrosecond);

void BM_MonitorPanelPaintAndDrawEverything(benchmark::State& state) {
    paintAlternating(state, alarmFrames(), true);
}
BENCHMARK(BM_MonitorPanelPaintAndDrawEverything)->Unit(benchmark::kMicrosecond);

// The whole handler: decoding, display model, live values and painting.
void BM_ShowMonitorFrame(benchmark::State& state) {
    TFormHlav& form = monitorWindow();
    const std::array<MonitorFrame, 2> frames = runningFrames();
    const std::array<Frame, 2> bytes{encodeMonitorFrame(frames[0]), encodeMonitorFrame(frames[1])};
    std::size_t n = 0;
    for (auto _ : state) {
        form.ShowMonitorFrame(bytes[n++ & 1U]);
    }
    runEventLoopOnce();
}
BENCHMARK(BM_ShowMonitorFrame)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kordana
