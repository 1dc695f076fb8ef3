// kordana-cli on a failing disk (an injected fault in the n-th write step of the one file
// writer): the command exits with 2 and says why, and an existing file survives byte for byte.

#include "CliInProcess.h"
#include "CliTestProcess.h"

#include "settings/AtomicFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kordana {
namespace {

using clitest::CliRun;
using clitest::readText;
using clitest::ScratchDir;
using clitest::writeText;

const std::string kOldFile = "VALMORIN_KEY    51 \nLIMITER       9100  9100  9100 \n";

class CliWriteFault : public ::testing::Test {
protected:
    CliRun cli(const std::vector<std::string>& args, int failingStep) {
        fileWriteFault::failStep(failingStep);
        CliRun run = clitest::runCliInProcess(args, m_unit);
        fileWriteFault::failStep(0);
        return run;
    }
    std::string file(const std::string& name) const { return m_dir.file(name); }

    ScratchDir m_dir;
    clitest::InProcessUnit m_unit;
};

TEST_F(CliWriteFault, DefaultsAndReadKeepTheOldFileAndExitWithTwo) {
    struct Case {
        std::vector<std::string> args;
        int step; // 1: the write, 2: the flush to disk before the rename
    };
    const std::string out = file("tune.ign");
    const Case cases[] = {
        {{"defaults", "--preset", "0", "--out", out}, 1},
        {{"defaults", "--preset", "2", "--out", out}, 2},
        {{"read", "--port", clitest::kSimDevice, "--out", out}, 1},
        {{"read", "--port", clitest::kSimDevice, "--out", out}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front() + " step " + std::to_string(c.step));
        writeText(out, kOldFile);
        const CliRun run = cli(c.args, c.step);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find("Cannot write " + out +
                               ": No space left on device; the file "
                               "was not changed."),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(readText(out), kOldFile);
    }
    // Without a fault the same commands replace the file.
    ASSERT_EQ(cli({"defaults", "--preset", "0", "--out", out}, 0).exitCode, 0);
    EXPECT_NE(readText(out), kOldFile);
}

TEST_F(CliWriteFault, AMonitorLogStopsAtTheFirstFailedRow) {
    const std::string csv = file("live.csv");
    // Step 1 writes the header, steps 2 and 3 two rows; the fourth write fails.
    const CliRun run =
        cli({"monitor", "--port", clitest::kSimDevice, "--seconds", "5", "--csv", csv}, 4);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(
        run.err.find("Cannot write " + csv + ": No space left on device; the recording stopped."),
        std::string::npos)
        << run.err;
    const std::string text = readText(csv);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << "the header and two whole rows";
    EXPECT_TRUE(text.starts_with("timestamp,"));
    EXPECT_TRUE(text.ends_with("\n"));
}

} // namespace
} // namespace kordana
