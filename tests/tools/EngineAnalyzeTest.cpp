// The tuning assistant's command line on a log of the simulated engine: written from the
// in-process unit's frames on a simulated clock, and once recorded by the real programs over a
// pseudo-terminal, in real time.

#include "CliInProcess.h"
#include "CliTestProcess.h"
#include "FreshSetText.h"

#include "monitor/MonitorCsv.h"
#include "monitor/MonitorFrame.h"

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <string>

namespace kordana {
namespace {

using clitest::CliRun;
using clitest::InProcessUnit;
using clitest::LoggedUnit;
using clitest::runCli;
using clitest::ScratchDir;
using clitest::writeText;

// Warm, long after its start, no noise; cell (5, 2) of preset 0 (3000 rpm, 30 %) needs 12 % more
// fuel, and cylinder 1's knock limit there is 2 degrees below the preset's 25.
constexpr const char* kEngine = "noise 0\n"
                                "running-s 600\n"
                                "coolant 88 88 40\n"
                                "fuel 12 5 2\n"
                                "knock 1 -2 5 2\n";

class EngineAnalyzeEndToEnd : public ::testing::Test {
public:
    ScratchDir m_dir;
    LoggedUnit m_unit{m_dir.file("unit.log")};
};

bool hasLine(const CliRun& run, const std::string& pattern) {
    const std::regex re(pattern);
    for (const std::string& line : run.outLines()) {
        if (std::regex_match(line, re)) {
            return true;
        }
    }
    return false;
}

// A log as the window records it: nine frames 330 ms apart from the in-process unit. The first
// two reach no frame 400 ms before them, the first none before it for knock; cylinder 1 knocks
// in all eight others, so three degrees of retard (the most of one pass). Lambda 1.12 reads
// 3100 mV, 634 on the converter, logged as 3098 mV: 1.1196. Bank A 105 x 1.1196 = 117.6 gives
// 118 (5900 us); bank B's 6 stays, 15 % of it being less than a byte.
const std::vector<std::string> kHeldCellAnalysis{
    "Fuel: 9 samples, 7 used; 2 no earlier frame",
    "Knock: 9 samples, 8 used; 1 no earlier frame",
    "Ign 1: 1 cell",
    "  row 5 (30%) column 2 (3000 rpm): 25 ° -> 22 °, 8 samples",
    "Jet 1A: 1 cell",
    "  row 5 (30%) column 2 (3000 rpm): 5250 µs -> 5900 µs, 7 samples",
    "Jet 2A: 1 cell",
    "  row 5 (30%) column 2 (3000 rpm): 5250 µs -> 5900 µs, 7 samples",
    "Jet 3A: 1 cell",
    "  row 5 (30%) column 2 (3000 rpm): 5250 µs -> 5900 µs, 7 samples",
    "Ign 2: 1 cell clean (enough samples, no knock event)",
    "Ign 3: 1 cell clean (enough samples, no knock event)",
};

TEST(EngineAnalyze, ALogOfTheSimulatedEngineGivesItsCorrections) {
    ScratchDir dir;
    writeText(dir.file("engine.txt"), kEngine);
    writeText(dir.file("hold.txt"), "hold 3000 30 3600\n");
    InProcessUnit unit({"--engine", dir.file("engine.txt"), "--profile", dir.file("hold.txt")});
    // The engine's unit starts with the default set of preset 0, the set of a fresh start.
    ParameterImage fresh = freshImage();
    std::copy_n(unit.unit().memory().bytes.begin(), 100, fresh.bytes.begin());
    EXPECT_EQ(unit.unit().memory().bytes, fresh.bytes);
    const std::string set = dir.file("preset0.ign");
    writeText(set, clitest::freshSetWith({}));
    std::string log = monitorLogHeader() + "\n";
    for (int i = 0; i < 9; ++i) {
        unit.unit().advance(330);
        const auto frame = decodeMonitorFrame(unit.unit().monitorFrame());
        ASSERT_TRUE(frame);
        log += monitorLogRow("2026-12-09T10:00:00.000Z", 330 * i, *frame) + "\n";
    }
    writeText(dir.file("hold.csv"), log);
    const CliRun run =
        clitest::runCliInProcess({"analyze", "--set", set, "--sensor", "wide:0.5,1.5",
                                  "--min-samples", "4", dir.file("hold.csv")},
                                 unit);
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.outLines(), kHeldCellAnalysis);
}

TEST_F(EngineAnalyzeEndToEnd, ALogOfTheSimulatedEngineGivesItsCorrections) {
    writeText(m_dir.file("engine.txt"), kEngine);
    writeText(m_dir.file("hold.txt"), "hold 3000 30 3600\n");
    ASSERT_TRUE(
        m_unit.start({"--engine", m_dir.file("engine.txt"), "--profile", m_dir.file("hold.txt")}))
        << m_unit.error();
    // The engine's unit starts with the default set of preset 0, the set of a fresh start.
    const std::string set = m_dir.file("preset0.ign");
    writeText(set, clitest::freshSetWith({}));
    const std::string log = m_dir.file("hold.csv");
    const CliRun monitor = runCli(
        {"monitor", "--port", m_unit.devicePath(), "--seconds", "3", "--csv", log}, m_dir.path());
    ASSERT_EQ(monitor.exitCode, 0) << monitor.err;

    const CliRun run =
        runCli({"analyze", "--set", set, "--sensor", "wide:0.5,1.5", "--min-samples", "4", log},
               m_dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    // As in-process; the real clock may give a frame more or less.
    EXPECT_TRUE(hasLine(run, R"(Fuel: \d+ samples, \d+ used; .*)")) << run.out;
    EXPECT_TRUE(hasLine(run, "Jet 1A: 1 cell")) << run.out;
    const std::string cell = R"(  row 5 \(30%\) column 2 \(3000 rpm\): )";
    EXPECT_TRUE(hasLine(run, cell + R"(5250 µs -> 5900 µs, \d+ samples)")) << run.out;
    EXPECT_FALSE(hasLine(run, "Jet 1B: .*")) << run.out;
    EXPECT_TRUE(hasLine(run, "Ign 1: 1 cell")) << run.out;
    EXPECT_TRUE(hasLine(run, cell + R"(25 ° -> 22 °, \d+ samples)")) << run.out;
    EXPECT_TRUE(hasLine(run, R"(Ign 2: 1 cell clean .*)")) << run.out;
}

} // namespace
} // namespace kordana
