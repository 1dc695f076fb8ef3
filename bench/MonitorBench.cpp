#include "monitor/MonitorDisplay.h"

#include <benchmark/benchmark.h>

namespace kordana {
namespace {

// Two frames of a running engine that differ in most values, alternated so that every
// iteration really rewrites the texts instead of finding them unchanged.
std::array<Frame, 2> runningFrames() {
    std::array<Frame, 2> frames{};
    for (std::size_t n = 0; n < frames.size(); ++n) {
        MonitorFrame f;
        f.engineSpeed = static_cast<std::uint16_t>(6000 + 150 * n);
        f.pressureRaw = static_cast<std::uint16_t>(500 + n);
        f.pressure = static_cast<std::uint16_t>(1013 - n);
        f.throttleRaw = static_cast<std::uint16_t>(400 + 3 * n);
        f.throttleOpening = static_cast<std::uint8_t>(40 + n);
        f.lambdaRaw = static_cast<std::uint16_t>(150 + n);
        f.coolantByte = static_cast<std::uint8_t>(185 + n);
        f.airByte = static_cast<std::uint8_t>(125 + n);
        f.supplyRaw = static_cast<std::uint16_t>(260 + n);
        f.injectionTime = {2000, 1990, 2010, 2005, 1995, static_cast<std::uint16_t>(2100 + n)};
        f.advance = {static_cast<std::uint16_t>(1250 + n), 1300, static_cast<std::uint16_t>(n)};
        f.coolantCorrection = static_cast<std::uint16_t>(125 + n);
        f.voltageCorrection = static_cast<std::uint16_t>(980 + n);
        f.knockRaw = {static_cast<std::uint16_t>(100 + n), 120, 130};
        f.servoInOrder = 1;
        f.version = static_cast<std::uint8_t>(50 + n);
        frames[n] = encodeMonitorFrame(f);
    }
    return frames;
}

// One received reply: check, decode, build the whole display model and the live values.
void BM_MonitorFrameToDisplay(benchmark::State& state) {
    const std::array<Frame, 2> frames = runningFrames();
    const MonitorOptions options{.extended = true,
                                 .testMode = true,
                                 .servoEnabled = true,
                                 .textUnmatchedUnit =
                                     "Unmatched version of PC and Ignition programs!"};
    MonitorDisplay display;
    MonitorLiveValues live;
    std::size_t n = 0;
    for (auto _ : state) {
        const bool shown = showMonitorFrame(frames[n & 1u], options, display, live);
        benchmark::DoNotOptimize(shown);
        benchmark::DoNotOptimize(display);
        ++n;
    }
}
BENCHMARK(BM_MonitorFrameToDisplay);

// The same frame again: the texts come out unchanged and nothing is flagged for painting.
void BM_MonitorSameFrameAgain(benchmark::State& state) {
    const Frame frame = runningFrames()[0];
    MonitorDisplay display;
    MonitorLiveValues live;
    for (auto _ : state) {
        benchmark::DoNotOptimize(showMonitorFrame(frame, {}, display, live));
        benchmark::DoNotOptimize(display);
    }
}
BENCHMARK(BM_MonitorSameFrameAgain);

} // namespace
} // namespace kordana
