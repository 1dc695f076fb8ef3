// kordana-cli diff: two files, a file against the simulated unit, and its errors.

#include "CliInProcess.h"
#include "CliTestProcess.h"
#include "FreshSetText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kordana {
namespace {

using clitest::CliRun;
using clitest::InProcessUnit;
using clitest::ScratchDir;
using clitest::writeText;
using Lines = std::vector<std::string>;

// A consistent whole set, a fresh start's with a few keys given again; the file differs from
// the other in the marked places.
std::string setText(bool second) {
    const std::string row = "70 70 70 70 70 70 70 70 70 70 70 70 70 70 70\n";
    const std::string changedRow = "70 70 70 70 71 70 70 70 70 70 70 70 70 70 70\n";
    std::string jet = "JET_2B ";
    for (int r = 0; r < 10; ++r) {
        jet += second && r == 3 ? changedRow : row;
    }
    return clitest::freshSetWith({}) + (second ? "EXT_MON 1\n" : "EXT_MON 0\n") +
           (second ? "LIMITER 9000 9500 9200\n" : "LIMITER 9000 9000 9200\n") +
           (second ? "TPS 480 4900\n" : "TPS 480 4470\n") +
           (second ? "RETARD 20 30 40 45 60 70 80 90 100 110\n 0 0 -2 -3 -3 -6 -6 -7 -8 -9\n"
                   : "RETARD 20 30 40 50 60 70 80 90 100 110\n 0 0 -2 -3 -3 -5 -6 -7 -8 -9\n") +
           (second ? "CHOKE 2 5 10 20\n 150 160 130 120\n"
                   : "CHOKE 2 5 10 20\n 150 140 130 120\n") +
           "RPM_JET_2B 1000 2000 3000 4000 5000 6000 7000 8000 8500 9000 9500 10000 10500 11000 "
           "11500\n" +
           jet;
}

// First file against the second: the summary per group, then A's value and B's of each
// parameter, named as the English pages name them, the key in brackets.
const Lines kFirstToSecond{
    "Various: differing values 2, largest change 500 rpm (Ignition Limiter)",
    "Monitor: differing values 1, largest change 1 (Extended Monitor)",
    "Jet 2B: differing cells 1, largest change 50 µs (5000 rpm, 10 %)",
    "Corrections: differing values 3, largest change 20 % (Starting Corrections, Corrections "
    "for -10°C 2)",
    "",
    "Ignition Limiter: 9000 -> 9500 rpm [LIMITER[1]]",
    "Extended Monitor: 0 -> 1 [EXT_MON]",
    "Jet 2B, 5000 rpm, 10 %: 3500 -> 3550 µs [JET_2B[49]]",
    "TPS 100 %: 4470 -> 4900 mV [TPS[1]]",
    "Temperature Correction of Advance, Temperature 4: 50 -> 45 °C [RETARD[3]]",
    "Temperature Correction of Advance, Correction of Advance 6: -5 -> -6 deg [RETARD[15]]",
    "Starting Corrections, Corrections for -10°C 2: 140 -> 160 % [CHOKE[5]]",
};

// The commands in-process; the unit is simulated on a simulated clock.
class CliDiff : public ::testing::Test {
public:
    void SetUp() override {
        writeText(first(), setText(false));
        writeText(second(), setText(true));
    }
    void startUnit(const std::vector<std::string>& args = {}) {
        m_unit = std::make_unique<InProcessUnit>(args);
    }
    CliRun cli(const std::vector<std::string>& args) {
        return clitest::runCliInProcess(args, *m_unit);
    }
    std::string port() const { return clitest::kSimDevice; }
    std::string file(const std::string& name) const { return m_dir.file(name); }
    std::string first() const { return m_dir.file("first.ign"); }
    std::string second() const { return m_dir.file("second.ign"); }

    ScratchDir m_dir;
    std::unique_ptr<InProcessUnit> m_unit = std::make_unique<InProcessUnit>();
};

TEST_F(CliDiff, TwoFilesListTheirDifferencesAsShown) {
    const CliRun run = cli({"diff", first(), second()});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.outLines(), kFirstToSecond);
    EXPECT_EQ(run.err, "");

    const CliRun same = cli({"diff", first(), first()});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, "");
}

// The unit holds the first file; the unit has no Extended Monitor state to compare.
TEST_F(CliDiff, FileAgainstTheSimulatedUnit) {
    startUnit();
    const std::string device = port();
    ASSERT_EQ(cli({"program", "--port", device, first()}).exitCode, 0);

    const CliRun unitFirst = cli({"diff", "--port", device, second()});
    EXPECT_EQ(unitFirst.exitCode, 1) << unitFirst.err;
    // The unit has no Extended Monitor state: its summary line and its line go.
    Lines expected = kFirstToSecond;
    expected.erase(expected.begin() + 6);
    expected.erase(expected.begin() + 1);
    EXPECT_EQ(unitFirst.outLines(), expected);

    const CliRun equal = cli({"diff", first(), "--port", device});
    EXPECT_EQ(equal.exitCode, 0) << equal.err;
    EXPECT_EQ(equal.out, "");
    // The unit's read is reported on standard error, never mixed with the differences.
    EXPECT_NE(equal.err.find("Read: OK"), std::string::npos) << equal.err;
}

TEST_F(CliDiff, ErrorsExitWith2) {
    startUnit({"--read-protect"});
    const std::string otherVersion = m_dir.file("v52.ign");
    writeText(otherVersion, "VALMORIN_KEY 52\n");
    const std::vector<std::vector<std::string>> cases{
        {"diff", first(), m_dir.file("missing.ign")},
        {"diff", otherVersion, first()},
        {"diff", first(), "--port", port()},
        {"diff", first(), "--port", file("no-such-device")},
        {"diff", first()},
    };
    for (const auto& args : cases) {
        const CliRun run = cli(args);
        EXPECT_EQ(run.exitCode, 2) << args.back() << "\n" << run.err;
        EXPECT_EQ(run.out, "") << args.back();
    }
}

} // namespace
} // namespace kordana
