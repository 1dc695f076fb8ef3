// kordana-cli defaults, check, usage errors and help.

#include "CliTestProcess.h"

#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"
#include "params/IgnReader.h"
#include "params/IgnWriter.h"
#include "params/ImageLayout.h"
#include "params/ParameterTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kordana {
namespace {

using clitest::CliRun;
using clitest::readText;
using clitest::runCli;
using clitest::ScratchDir;
using clitest::writeText;

// What New gives for a preset: BIKE set, its default set, the consistency pass.
ParameterImage windowDefaults(std::uint8_t preset) {
    ParameterImage image;
    image[layout::kBike] = preset;
    applyDefaultSet(image);
    runConsistencyPass(image);
    return image;
}

class CliFileCommands : public ::testing::Test {
protected:
    CliRun cli(std::vector<std::string> args) { return runCli(args, m_dir.path()); }
    std::string file(const std::string& name) const { return m_dir.file(name); }

    ScratchDir m_dir;
};

TEST_F(CliFileCommands, DefaultsOfEveryPresetReadBackToTheWindowsDefaultSet) {
    for (std::uint8_t preset = 0; preset < 4; ++preset) {
        SCOPED_TRACE(int{preset});
        const std::string path = file("preset" + std::to_string(preset) + ".ign");
        const CliRun run = cli({"defaults", "--preset", std::to_string(preset), "--out", path});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::string text = readText(path);
        const ParameterImage expected = windowDefaults(preset);
        EXPECT_EQ(text, IgnWriter::write(expected, false));

        // Read over an image of another preset: every parameter byte comes from the file.
        const IgnReadResult back = IgnReader::read(text, windowDefaults(3 - preset), true);
        ASSERT_TRUE(back.applicable());
        EXPECT_FALSE(back.extMon);
        for (const ParameterKey& key : ParameterTable::instance().keys()) {
            for (const ParameterElement& element : key.elements) {
                if (element.hasImageByte()) {
                    ASSERT_EQ(back.image[element.index], expected[element.index])
                        << elementNameAt(element.index);
                }
            }
        }
    }
}

TEST_F(CliFileCommands, DefaultsReplaceAnExistingFile) {
    const std::string path = file("old.ign");
    writeText(path, "old contents that are much longer than nothing at all\n");
    ASSERT_EQ(cli({"defaults", "--preset", "2", "--out", path}).exitCode, 0);
    EXPECT_EQ(readText(path), IgnWriter::write(windowDefaults(2), false));
    const CliRun noDir = cli({"defaults", "--preset", "2", "--out", file("no-dir/x.ign")});
    EXPECT_EQ(noDir.exitCode, 2);
    EXPECT_NE(noDir.err.find("Open file error!"), std::string::npos) << noDir.err;
}

// A file over the start-up defaults with values the consistency pass must repair.
const char* const kOutOfRange = "VALMORIN_KEY 51\n"
                                "LIMITER 300 9000 9000\n"
                                "BIKE 9\n"
                                "START_JET 60\n"
                                "IGN_1 61\n"
                                "RPM_IGN_1 1000 2000 2000 4000 6000 6500 7000 7250 7500 7750"
                                " 8000 8250 8500 8750 9000\n"
                                "RETARD 20 30 40 40 60 70 80 90 100 110\n";

TEST_F(CliFileCommands, CheckListsExactlyTheRepairedParameters) {
    const std::string path = file("range.ign");
    writeText(path, kOutOfRange);
    const CliRun run = cli({"check", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto lines = run.outLines();
    ASSERT_FALSE(lines.empty());
    const std::string summary = lines.back();
    lines.pop_back();
    const std::set<std::string> listed(lines.begin(), lines.end());

    // By the rules: limiter at least 500 rpm, preset at most 3, start injection at most 50 ms,
    // ignition cells at most 60 degrees, breakpoint rows strictly increasing.
    const std::set<std::string> expected{"LIMITER[0]: 300 -> 500",     "BIKE: 9 -> 3",
                                         "START_JET: 60 -> 50",        "IGN_1[0]: 61 -> 60",
                                         "RPM_IGN_1[2]: 2000 -> 2050", "RETARD[3]: 40 -> 41"};
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(lines.size(), listed.size());
    EXPECT_EQ(summary, "6 value(s) repaired.");

    // The same list as the core gives.
    const ParameterImage fresh = windowDefaults(0);
    const IgnReadResult read = IgnReader::read(std::string(kOutOfRange), fresh, false);
    ParameterImage repaired = read.image;
    runConsistencyPass(repaired);
    std::size_t changedBytes = 0;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        changedBytes += read.image[i] != repaired[i] ? 1 : 0;
    }
    EXPECT_EQ(changedBytes, expected.size());
}

TEST_F(CliFileCommands, CheckOfACleanFileListsNothing) {
    const std::string path = file("clean.ign");
    writeText(path, IgnWriter::write(windowDefaults(1), false));
    const CliRun run = cli({"check", path});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.outLines(), (std::vector<std::string>{"No value needs repair."}));
}

TEST_F(CliFileCommands, CheckRefusesOtherVersionsAndUnreadableFiles) {
    const std::string v50 = file("v50.ign");
    writeText(v50, "BIKE 2\nVALMORIN_KEY 50\nBIKE 2\n");
    const CliRun unmatched = cli({"check", v50});
    EXPECT_EQ(unmatched.exitCode, 1);
    EXPECT_EQ(unmatched.err, "Unmatched version of *.ign file!\n");
    EXPECT_TRUE(unmatched.out.empty());

    for (const std::string& path : {file("missing.ign"), m_dir.path()}) {
        const CliRun unreadable = cli({"check", path});
        EXPECT_EQ(unreadable.exitCode, 1) << path;
        EXPECT_TRUE(unreadable.err.starts_with("Open file error! " + path)) << unreadable.err;
    }
}

TEST_F(CliFileCommands, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> cases{
        {},
        {"bogus"},
        {"program"},
        {"program", "--port", "/dev/null"},
        {"program", "x.ign"},
        {"program", "--port", "/dev/null", "a.ign", "b.ign"},
        {"program", "--port", "/dev/null", "a.ign", "--frobnicate"},
        {"program", "--port"},
        {"read", "--port", "/dev/null"},
        {"read", "--port", "/dev/null", "--out", "x.ign", "extra"},
        {"verify", "--out", "x.ign", "a.ign"},
        {"monitor"},
        {"monitor", "--port", "/dev/null", "--seconds", "0"},
        {"monitor", "--port", "/dev/null", "--seconds", "ten"},
        {"monitor", "--port", "/dev/null", "--csv"},
        {"defaults", "--out", "x.ign"},
        {"defaults", "--preset", "4", "--out", "x.ign"},
        {"defaults", "--preset", "-1", "--out", "x.ign"},
        {"defaults", "--preset", "1"},
        {"check"},
        {"check", "a.ign", "b.ign"},
        {"check", "--port", "/dev/null", "a.ign"},
    };
    for (const auto& args : cases) {
        const CliRun run = cli(args);
        std::string shown;
        for (const auto& a : args) {
            shown += a + " ";
        }
        EXPECT_EQ(run.exitCode, 2) << shown;
        EXPECT_TRUE(run.out.empty()) << shown;
        EXPECT_TRUE(run.err.starts_with("kordana-cli: ")) << shown << run.err;
        EXPECT_NE(run.err.find("--help"), std::string::npos) << shown;
    }
}

TEST_F(CliFileCommands, HelpForEveryCommand) {
    const CliRun general = cli({"--help"});
    EXPECT_EQ(general.exitCode, 0);
    for (const char* command : {"program", "read", "verify", "monitor", "defaults", "check"}) {
        SCOPED_TRACE(command);
        EXPECT_NE(general.out.find(std::string("  ") + command + " "), std::string::npos);
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{command, "--help"}, {"help", command}, {command, "-h"}}) {
            const CliRun run = cli(args);
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_TRUE(run.out.starts_with(std::string("Usage: kordana-cli ") + command))
                << run.out;
            EXPECT_NE(run.out.find("Exit codes"), std::string::npos);
            EXPECT_TRUE(run.err.empty());
        }
    }
}

} // namespace
} // namespace kordana
