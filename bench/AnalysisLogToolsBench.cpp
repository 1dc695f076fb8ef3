// The log window's analysis of a 10-hour log (110,000 rows at a frame every 330 ms): the
// per-cell table of a channel over a map, a histogram, the statistics of every channel over
// the whole log and the scatter's points.
#include "analysis/LogCells.h"
#include "analysis/LogRange.h"
#include "analysis/LogScatter.h"
#include "analysis/MapCells.h"
#include "monitor/MonitorCsv.h"
#include "monitor/MonitorLog.h"
#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"

#include <benchmark/benchmark.h>

#include <string>

namespace kordana::analysis {
namespace {

constexpr int kTenHourRows = 110000;

MonitorFrame runFrame(int r) {
    MonitorFrame frame;
    const int hold = r / 20;
    frame.engineSpeed = static_cast<std::uint16_t>(1200 + (hold * 370) % 8000 + (r % 3) * 20);
    frame.throttleOpening = static_cast<std::uint8_t>((hold * 7) % 101);
    frame.coolantByte = 185;
    frame.airByte = 125;
    frame.lambdaRaw = static_cast<std::uint16_t>(480 + (r * 13) % 80);
    frame.knockAlarm = {static_cast<std::uint8_t>(r % 97 == 0), 0, 0};
    return frame;
}

const MonitorLog& tenHourLog() {
    static const MonitorLog log = [] {
        std::string text = markedLogHeader() + "\n";
        for (int r = 0; r < kTenHourRows; ++r) {
            text += markedLogRow("2026-12-08T14:03:11.000Z", r * 330LL, runFrame(r),
                                 r % 5000 == 0 ? static_cast<unsigned>(r / 5000) : 0u) +
                    "\n";
        }
        return *parseMonitorLog(text).log;
    }();
    return log;
}

ParameterImage presetSet() {
    ParameterImage image;
    applyDefaultSet(image);
    runConsistencyPass(image);
    return image;
}

void BM_LogCellTableTenHours(benchmark::State& state) {
    const MonitorLog& log = tenHourLog();
    const ParameterImage image = presetSet();
    const auto lambda = log.column("lambda_mv");
    for (auto _ : state) {
        const CellTable table = cellTable(log, mapBreakpoints(image, 3), lambda, 0, log.rowCount());
        benchmark::DoNotOptimize(table.rows);
    }
    state.counters["rows"] = static_cast<double>(log.rowCount());
}
BENCHMARK(BM_LogCellTableTenHours)->Unit(benchmark::kMillisecond);

void BM_LogHistogramTenHours(benchmark::State& state) {
    const MonitorLog& log = tenHourLog();
    const std::size_t speed = *log.column("engine_speed_rpm");
    const RowRange all = rowRange(log, 0, log.elapsed.back());
    for (auto _ : state) {
        benchmark::DoNotOptimize(histogram(log, speed, all, 40).counts.size());
    }
}
BENCHMARK(BM_LogHistogramTenHours)->Unit(benchmark::kMillisecond);

void BM_LogRangeStatisticsTenHours(benchmark::State& state) {
    const MonitorLog& log = tenHourLog();
    const RowRange all = rowRange(log, 0, log.elapsed.back());
    for (auto _ : state) {
        benchmark::DoNotOptimize(rangeStatistics(log, all).size());
    }
}
BENCHMARK(BM_LogRangeStatisticsTenHours)->Unit(benchmark::kMillisecond);

void BM_LogScatterDataTenHours(benchmark::State& state) {
    const MonitorLog& log = tenHourLog();
    const RowRange all = rowRange(log, 0, log.elapsed.back());
    const std::size_t speed = *log.column("engine_speed_rpm");
    const std::size_t throttle = *log.column("throttle_pct");
    const auto lambda = log.column("lambda_mv");
    for (auto _ : state) {
        benchmark::DoNotOptimize(scatterData(log, speed, throttle, lambda, all).size());
    }
}
BENCHMARK(BM_LogScatterDataTenHours)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kordana::analysis
