// kordana-cli with parameter files that lack keys or whose values stop short.
#include "CliInProcess.h"
#include "CliTestProcess.h"
#include "FreshSetText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kordana {
namespace {

using clitest::CliRun;
using clitest::ScratchDir;
using clitest::writeText;

const std::string kAllKeys =
    "BIKE, LIMITER, POWER_OUT, NO_READING, RPM2, EXT_MON, MODE, ACT_LIM1, ACT_RPM, ACT_OIL, "
    "RPM_IGN_1, IGN_1, RPM_IGN_2, IGN_2, RPM_IGN_3, IGN_3, RPM_JET_1A, JET_1A, RPM_JET_2A, "
    "JET_2A, RPM_JET_3A, JET_3A, RPM_JET_1B, JET_1B, RPM_JET_2B, JET_2B, RPM_JET_3B, JET_3B, "
    "POSITION_A, POSITION_B, TPS, ACCEL, START_JET, TEMP_WARNING, WATER_TEMP, AIR_TEMP, DRUCK, "
    "RETARD, CHOKE, SERVO_ENABLE, SERVO_HYSTER, RPM_SERVO, VOLT_SERVO, RPM_KNOCK, KNOCK_FREK, "
    "LEVEL, TIME_CONST, START, END, ALARM";

struct LackingFile {
    const char* name;
    std::string text;
    std::vector<std::string> lines; // what check and the refusals say it lacks
};

std::vector<LackingFile> lackingFiles() {
    const std::string whole = clitest::freshSetWith({});
    return {
        {"minus-ign2.ign", clitest::freshSetWithout("IGN_2"), {"Missing keys (1 of 50): IGN_2"}},
        {"alarm-cut.ign",
         whole.substr(0, whole.find("\nALARM")) + "\nALARM 1400 60",
         {"Values cut short, the rest took the number read last: ALARM"}},
        {"magic.ign", "VALMORIN_KEY 51\n", {"Missing keys (50 of 50): " + kAllKeys}},
    };
}

class CliPartialFile : public ::testing::Test {
protected:
    CliRun cli(const std::vector<std::string>& args) {
        return clitest::runCliInProcess(args, m_unit);
    }
    std::string file(const std::string& name) const { return m_dir.file(name); }
    static bool has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    ScratchDir m_dir;
    clitest::InProcessUnit m_unit;
};

TEST_F(CliPartialFile, CheckListsWhatTheFileLacksAndExitsOne) {
    for (const LackingFile& f : lackingFiles()) {
        SCOPED_TRACE(f.name);
        writeText(file(f.name), f.text);
        const CliRun run = cli({"check", file(f.name)});
        EXPECT_EQ(run.exitCode, 1) << run.err;
        const std::vector<std::string> out = run.outLines();
        ASSERT_GE(out.size(), f.lines.size());
        EXPECT_EQ(std::vector<std::string>(out.begin(), out.begin() + 1), f.lines);
    }
    writeText(file("whole.ign"), clitest::freshSetWith({}));
    const CliRun whole = cli({"check", file("whole.ign")});
    EXPECT_EQ(whole.exitCode, 0) << whole.out;
    EXPECT_EQ(whole.outLines(), std::vector<std::string>{"No value needs repair."});
}

TEST_F(CliPartialFile, CommandsRefuseAFileThatLacksKeysUnlessPartial) {
    const std::string pdf = file("sheet.pdf");
    for (const LackingFile& f : lackingFiles()) {
        SCOPED_TRACE(f.name);
        const std::string path = file(f.name);
        writeText(path, f.text);
        const struct {
            std::vector<std::string> args;
            int refused;
        } commands[] = {
            {{"program", "--port", clitest::kSimDevice, path}, 1},
            {{"verify", "--port", clitest::kSimDevice, path}, 1},
            {{"sheet", path, "--pdf", pdf}, 1},
            // For diff, 1 says that the sets differ: a set it cannot compare is an error.
            {{"diff", path, file("whole.ign")}, 2},
        };
        writeText(file("whole.ign"), clitest::freshSetWith({}));
        for (const auto& c : commands) {
            SCOPED_TRACE(c.args.front());
            const CliRun run = cli(c.args);
            EXPECT_EQ(run.exitCode, c.refused) << run.err;
            EXPECT_TRUE(has(run.err, path + " does not hold a whole set")) << run.err;
            EXPECT_TRUE(has(run.err, f.lines.front())) << run.err;
            EXPECT_EQ(run.out, "");
        }
        EXPECT_TRUE(m_unit.blockRequests().empty()) << "nothing of a refused file reaches the unit";
        EXPECT_FALSE(std::filesystem::exists(pdf));
    }
}

TEST_F(CliPartialFile, PartialSaysWhatFillsTheRest) {
    const std::string path = file("minus-ign2.ign");
    writeText(path, clitest::freshSetWithout("IGN_2"));
    const std::string note =
        "Note: " + path +
        " does not hold a whole set; the default set of preset 0 fills what it "
        "lacks.\nMissing keys (1 of 50): IGN_2\n";
    const CliRun program = cli({"program", "--partial", "--port", clitest::kSimDevice, path});
    EXPECT_EQ(program.exitCode, 0) << program.err;
    EXPECT_TRUE(program.err.starts_with(note)) << program.err;
    const CliRun verify = cli({"verify", "--port", clitest::kSimDevice, path, "--partial"});
    EXPECT_EQ(verify.exitCode, 0) << verify.err;
    // The fresh start's set fills IGN_2, so the file is the whole fresh set.
    writeText(file("whole.ign"), clitest::freshSetWith({}));
    const CliRun diff = cli({"diff", "--partial", path, file("whole.ign")});
    EXPECT_EQ(diff.exitCode, 0) << diff.err;
    EXPECT_EQ(diff.err, note);
    // The sheet draws text, which needs the program's own process.
    const CliRun sheet =
        clitest::runCli({"sheet", path, "--pdf", file("s.pdf"), "--partial"}, m_dir.path());
    EXPECT_EQ(sheet.exitCode, 0) << sheet.err;
    EXPECT_TRUE(std::filesystem::exists(file("s.pdf")));
    // Every command that takes --partial says so in its help; check and read do not take it.
    for (const char* command : {"program", "verify", "diff", "sheet"}) {
        EXPECT_TRUE(has(cli({command, "--help"}).out, "--partial")) << command;
    }
    EXPECT_EQ(cli({"check", "--partial", path}).exitCode, 2);
}

} // namespace
} // namespace kordana
