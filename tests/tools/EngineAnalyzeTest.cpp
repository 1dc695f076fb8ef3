// The tuning assistant's command line on a log recorded from the simulated engine: the real
// programs over a pseudo-terminal, in real time.

#include "CliTestProcess.h"
#include "FreshSetText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <string>

namespace kordana {
namespace {

using clitest::CliRun;
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
    // Lambda 1.12 reads 3100 mV, 634 on the converter, logged as 3098 mV: 1.1196. Bank A 105 x
    // 1.1196 = 117.6 gives 118 (5900 us); bank B's 6 stays, 15 % of it being less than a byte.
    // Every sample knocks on cylinder 1: six events or more are the most retard of one pass,
    // 3 degrees.
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
