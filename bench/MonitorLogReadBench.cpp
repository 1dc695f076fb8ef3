// Reading a monitor log of an hour (11,000 rows at a frame every 330 ms): the reader's share of
// the log window's 1 s budget for opening and plotting it.
#include "monitor/MonitorCsv.h"
#include "monitor/MonitorLog.h"

#include <benchmark/benchmark.h>

#include <string>

namespace kordana {
namespace {

std::string hourLog() {
    std::string text = monitorLogHeader() + "\n";
    MonitorFrame frame;
    frame.coolantByte = 185;
    frame.airByte = 125;
    frame.version = 51;
    for (int r = 0; r < 11000; ++r) {
        frame.engineSpeed = static_cast<std::uint16_t>(800 + (r * 37) % 8200);
        frame.throttleOpening = static_cast<std::uint8_t>(r % 101);
        frame.pressure = static_cast<std::uint16_t>(985 + r % 30);
        frame.advance = {static_cast<std::uint16_t>(1000 + r % 1500), 1300, 1275};
        frame.injectionTime.fill(static_cast<std::uint16_t>(2000 + r % 3000));
        frame.lambdaRaw = static_cast<std::uint16_t>(80 + r % 120);
        text += monitorLogRow("2026-12-08T14:03:11.000Z", r * 330LL, frame) + "\n";
    }
    return text;
}

void BM_MonitorLogParseHour(benchmark::State& state) {
    const std::string text = hourLog();
    for (auto _ : state) {
        const MonitorLogRead read = parseMonitorLog(text);
        benchmark::DoNotOptimize(read.log->rowCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_MonitorLogParseHour)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kordana
