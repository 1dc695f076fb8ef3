// kordana-cli --fast: in-process on a simulated clock (an exchange between two ticks), and end
// to end against kordana-unit-sim on a pty, where replies are taken in as they arrive.

#include "CliInProcess.h"
#include "CliTestProcess.h"

#include "params/DefaultSet.h"
#include "params/IgnWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace kordana {
namespace {

using clitest::CliRun;
using clitest::InProcessUnit;
using clitest::LoggedUnit;
using clitest::readText;
using clitest::runCli;
using clitest::ScratchDir;
using clitest::writeText;
using Lines = std::vector<std::string>;

const Lines kProgramOk{"Program device:", "Verify:", "Verify: OK", "Program device: OK"};

std::vector<unsigned> programmingRequests() {
    std::vector<unsigned> expected;
    for (unsigned n = 0; n < 20; ++n) {
        expected.push_back(n);
    }
    for (unsigned c = 0x41; c <= 0x53; ++c) {
        expected.push_back(c);
    }
    return expected;
}

std::string presetFile(const ScratchDir& dir) {
    ParameterImage image;
    applyDefaultSet(image);
    const std::string path = dir.file("set.ign");
    writeText(path, IgnWriter::write(image, false));
    return path;
}

std::size_t csvRows(const std::string& path) {
    const std::string text = readText(path);
    const auto lines = static_cast<std::size_t>(std::ranges::count(text, '\n'));
    return lines > 0 ? lines - 1 : 0; // the header row
}

TEST(CliFastLink, FastProgrammingTakesHalfTheTicksWithTheSameRequests) {
    ScratchDir dir;
    const std::string set = presetFile(dir);
    InProcessUnit paced;
    const CliRun slow = clitest::runCliInProcess({"program", "--port", "sim-unit", set}, paced);
    InProcessUnit fast;
    const CliRun quick =
        clitest::runCliInProcess({"program", "--fast", "--port", "sim-unit", set}, fast);
    ASSERT_EQ(slow.exitCode, 0) << slow.err;
    ASSERT_EQ(quick.exitCode, 0) << quick.err;
    EXPECT_EQ(quick.outLines(), kProgramOk);
    EXPECT_EQ(fast.blockRequests(), programmingRequests());
    EXPECT_EQ(paced.blockRequests(), programmingRequests());
    // Tick pace: one exchange a tick, 39 of them. Fast: two a tick here.
    EXPECT_GE(paced.unit().clockMs(), 39u * kCliTickMs);
    EXPECT_LE(fast.unit().clockMs(), 22u * kCliTickMs);
}

TEST(CliFastLink, FastMonitorLogsEveryFrameAtTwiceAFrameATick) {
    ScratchDir dir;
    InProcessUnit unit;
    const std::string csv = dir.file("fast.csv");
    const CliRun run = clitest::runCliInProcess(
        {"monitor", "--fast", "--port", "sim-unit", "--seconds", "2", "--csv", csv}, unit);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto asked = static_cast<std::size_t>(std::ranges::count(unit.requests(), 0x30u));
    // 2 s are 37 ticks; at least one frame on each, against one every sixth tick paced.
    EXPECT_GE(csvRows(csv), 37u);
    EXPECT_TRUE(csvRows(csv) == asked || csvRows(csv) + 1 == asked) << asked;
}

TEST(CliFastLink, FastIsRefusedWhereNoLinkRuns) {
    ScratchDir dir;
    InProcessUnit unit;
    const CliRun run = clitest::runCliInProcess({"check", "--fast", presetFile(dir)}, unit);
    EXPECT_EQ(run.exitCode, kExitUsage);
    EXPECT_NE(run.err.find("--fast"), std::string::npos) << run.err;
}

TEST(CliFastLink, HelpOfTheLinkCommandsExplainsFast) {
    for (const CliCommand command :
         {CliCommand::Program, CliCommand::Read, CliCommand::Verify, CliCommand::Monitor}) {
        EXPECT_NE(commandHelp(command).find("  --fast       fast link"), std::string::npos);
    }
    EXPECT_EQ(commandHelp(CliCommand::Check).find("--fast"), std::string::npos);
}

class CliFastLinkEndToEnd : public ::testing::Test {
public:
    void startUnit(std::vector<std::string> args = {}) {
        ASSERT_TRUE(m_unit.start(std::move(args))) << m_unit.error();
    }
    CliRun cli(std::vector<std::string> args) { return runCli(args, m_dir.path()); }

    ScratchDir m_dir;
    LoggedUnit m_unit{m_dir.file("unit.log")};
};

TEST_F(CliFastLinkEndToEnd, FastProgrammingRunThenFastReadGiveTheSetBack) {
    startUnit();
    const std::string set = presetFile(m_dir);
    const CliRun program = cli({"program", "--fast", "--port", m_unit.devicePath(), set});
    EXPECT_EQ(program.exitCode, 0) << program.err;
    EXPECT_EQ(program.outLines(), kProgramOk);
    EXPECT_EQ(m_unit.blockRequests(), programmingRequests());
    const std::string back = m_dir.file("back.ign");
    const CliRun read = cli({"read", "--fast", "--port", m_unit.devicePath(), "--out", back});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(readText(back), readText(set));
}

TEST_F(CliFastLinkEndToEnd, FastMonitorSessionLogsMoreThan15FramesASecond) {
    startUnit({"--reply-ms", "20"}); // a unit that takes its time: about 40 frames a second
    const std::string csv = m_dir.file("live.csv");
    const CliRun run =
        cli({"monitor", "--fast", "--port", m_unit.devicePath(), "--seconds", "2", "--csv", csv});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto asked = static_cast<std::size_t>(std::ranges::count(m_unit.requests(), 0x30u));
    EXPECT_GE(csvRows(csv), 30u);
    EXPECT_TRUE(csvRows(csv) == asked || csvRows(csv) + 1 == asked)
        << csvRows(csv) << " rows, " << asked << " requests";
    EXPECT_EQ(run.out.find("does not keep up"), std::string::npos) << run.out;
}

TEST_F(CliFastLinkEndToEnd, UnitNeedingAGapGetsTheTickPaceAndStillTheSet) {
    startUnit({"--min-gap-ms", "30"});
    const std::string set = presetFile(m_dir);
    const CliRun program = cli({"program", "--fast", "--port", m_unit.devicePath(), set});
    EXPECT_EQ(program.exitCode, 0) << program.err;
    const std::string back = m_dir.file("back.ign");
    ASSERT_EQ(cli({"read", "--port", m_unit.devicePath(), "--out", back}).exitCode, 0);
    EXPECT_EQ(readText(back), readText(set));
    const CliRun monitor =
        cli({"monitor", "--fast", "--port", m_unit.devicePath(), "--seconds", "2"});
    EXPECT_EQ(monitor.exitCode, 0) << monitor.err;
    EXPECT_NE(monitor.out.find("The unit does not keep up with the fast monitor"),
              std::string::npos)
        << monitor.out;
}

// The faulty lines of the tick pace's fault runs, with --fast over a pty: a run may fail, but a
// run that reports success has put exactly the set into the unit.
TEST_F(CliFastLinkEndToEnd, FaultyLineNeverGivesAFalseSuccess) {
    const std::string set = presetFile(m_dir);
    int successes = 0;
    int failures = 0;
    int falseSuccesses = 0;
    for (const auto& fault :
         std::vector<std::vector<std::string>>{{"--corrupt", "20", "--seed", "1"},
                                               {"--corrupt", "20", "--seed", "2"},
                                               {"--truncate", "15", "--seed", "4"},
                                               {"--drop", "20", "--seed", "5"},
                                               {"--corrupt", "8", "--drop", "10", "--seed", "6"}}) {
        startUnit(fault);
        const CliRun program = cli({"program", "--fast", "--port", m_unit.devicePath(), set});
        ASSERT_TRUE(program.exitCode == 0 || program.exitCode == 1) << program.err;
        if (program.exitCode != 0) {
            ++failures;
            continue;
        }
        ++successes;
        const std::string back = m_dir.file("back.ign");
        std::filesystem::remove(back);
        for (int attempt = 0; attempt < 6 && !std::filesystem::exists(back); ++attempt) {
            cli({"read", "--port", m_unit.devicePath(), "--out", back});
        }
        ASSERT_TRUE(std::filesystem::exists(back)) << "no read got through";
        falseSuccesses += readText(back) == readText(set) ? 0 : 1;
    }
    std::printf("fast program over a faulty pty: %d ok, %d failed, %d false\n", successes, failures,
                falseSuccesses);
    EXPECT_EQ(falseSuccesses, 0);
    EXPECT_GT(successes, 0);
}

} // namespace
} // namespace kordana
