// The tuning assistant's core: analysing an hour's monitor log (11,000 rows at a frame every
// 330 ms) from the read log to the proposals, and one live frame taken in.
#include "analysis/Analysis.h"
#include "analysis/AnalysisSample.h"
#include "analysis/Proposal.h"
#include "monitor/MonitorCsv.h"
#include "monitor/MonitorLog.h"
#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"

#include <benchmark/benchmark.h>

#include <string>

namespace kordana::analysis {
namespace {

ParameterImage presetSet() {
    ParameterImage image;
    applyDefaultSet(image);
    runConsistencyPass(image);
    return image;
}

// A drive: holds of 20 frames at operating points across the map, warm after 3 minutes, a
// lambda that wanders around 1.0 on a wideband output and a knock now and then.
MonitorFrame driveFrame(int r) {
    MonitorFrame frame;
    const int hold = r / 20;
    frame.engineSpeed = static_cast<std::uint16_t>(1200 + (hold * 370) % 8000 + (r % 3) * 20);
    frame.throttleOpening = static_cast<std::uint8_t>((hold * 7) % 101);
    frame.coolantByte = static_cast<std::uint8_t>(r < 540 ? 130 + r / 12 : 185);
    frame.airByte = 125;
    frame.timeSinceStart = static_cast<std::uint16_t>(r * 33 / 10 + 1);
    frame.lambdaRaw = static_cast<std::uint16_t>(480 + (r * 13) % 80);
    frame.knockRaw = {static_cast<std::uint16_t>(200 + r % 300), 250, 300};
    frame.knockAlarm = {static_cast<std::uint8_t>(r % 97 == 0), 0,
                        static_cast<std::uint8_t>(r % 61 == 0)};
    frame.version = 51;
    return frame;
}

MonitorLog hourLog() {
    std::string text = monitorLogHeader() + "\n";
    for (int r = 0; r < 11000; ++r) {
        text += monitorLogRow("2026-12-08T14:03:11.000Z", r * 330LL, driveFrame(r)) + "\n";
    }
    return *parseMonitorLog(text).log;
}

AnalysisSettings wideband() {
    AnalysisSettings settings;
    settings.sensor = SensorModel::Wideband;
    return settings;
}

void BM_AnalysisHourLog(benchmark::State& state) {
    const MonitorLog log = hourLog();
    const ParameterImage image = presetSet();
    const AnalysisSettings settings = wideband();
    for (auto _ : state) {
        const std::vector<std::vector<AnalysisSample>> runs{LogSamples(log).all()};
        const AnalysisResult result = analyze(image, settings, runs);
        const Proposal proposal = propose(image, result, settings);
        benchmark::DoNotOptimize(proposal.changes.size());
        state.counters["used"] = static_cast<double>(result.fuelTally.used);
        state.counters["changes"] = static_cast<double>(proposal.changes.size());
    }
}
BENCHMARK(BM_AnalysisHourLog)->Unit(benchmark::kMillisecond);

// The proposals alone, as a live overlay would redraw them from an hour's statistics.
void BM_AnalysisProposeHour(benchmark::State& state) {
    const MonitorLog log = hourLog();
    const ParameterImage image = presetSet();
    const AnalysisSettings settings = wideband();
    const std::vector<std::vector<AnalysisSample>> runs{LogSamples(log).all()};
    const AnalysisResult result = analyze(image, settings, runs);
    for (auto _ : state) {
        benchmark::DoNotOptimize(propose(image, result, settings).changes.size());
    }
}
BENCHMARK(BM_AnalysisProposeHour)->Unit(benchmark::kMicrosecond);

// One decoded frame made a sample and added to an assistant that has seen a warm engine.
void BM_AnalysisLiveFrame(benchmark::State& state) {
    const ParameterImage image = presetSet();
    Analyzer analyzer(image, wideband());
    int r = 600;
    for (; r < 1200; ++r) {
        analyzer.add(sampleOf(r * 0.33, driveFrame(r)));
    }
    for (auto _ : state) {
        analyzer.add(sampleOf(r * 0.33, driveFrame(r)));
        ++r;
    }
    benchmark::DoNotOptimize(analyzer.result().fuelTally.used);
}
// A fixed count: every accepted frame adds a ratio to six cells.
BENCHMARK(BM_AnalysisLiveFrame)->Unit(benchmark::kMicrosecond)->Iterations(200000);

} // namespace
} // namespace kordana::analysis
