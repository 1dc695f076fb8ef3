// Reading a monitor log of an hour (11,000 rows at a frame every 330 ms): the reader's share of
// the log window's 1 s budget for opening and plotting it.
#include "monitor/MonitorCsv.h"
#include "monitor/MonitorLog.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

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

// A file of 32 MB of short rows (time, speed, throttle), read in pieces from the disk cache as
// Log > Open log... reads it: an eighth of the largest log accepted.
void BM_MonitorLogReadShortRowsFile(benchmark::State& state) {
    const std::string path = std::filesystem::temp_directory_path().string() +
                             "/kordana-bench-short-rows-" + std::to_string(getpid()) + ".csv";
    std::size_t bytes = 0;
    {
        std::ofstream out(path, std::ios::binary);
        std::string text = "timestamp,elapsed_s,engine_speed_rpm,throttle_pct\n";
        for (int r = 0; text.size() < (32u << 20); ++r) {
            text += "2026-12-08T14:03:11Z," + std::to_string(r * 0.33) + "," +
                    std::to_string(800 + (r * 37) % 8200) + "," + std::to_string(r % 101) + "\n";
        }
        out << text;
        bytes = text.size();
    }
    for (auto _ : state) {
        const MonitorLogRead read = readMonitorLogFile(path);
        benchmark::DoNotOptimize(read.log->rowCount());
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_MonitorLogReadShortRowsFile)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kordana
