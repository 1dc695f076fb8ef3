// kordana-cli defaults, check, usage errors and help.

#include "CliInProcess.h"
#include "CliTestProcess.h"
#include "FreshSetText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace kordana {
namespace {

using clitest::CliRun;
using clitest::readText;
using clitest::runCli;
using clitest::ScratchDir;
using clitest::writeText;

// The commands run in-process: the same command line code as the program's, without starting
// a process per case.
class CliFileCommands : public ::testing::Test {
protected:
    CliRun cli(const std::vector<std::string>& args) {
        return clitest::runCliInProcess(args, m_unit);
    }
    std::string file(const std::string& name) const { return m_dir.file(name); }

    ScratchDir m_dir;
    clitest::InProcessUnit m_unit;
};

std::vector<std::string> linesOf(const std::string& text) {
    return CliRun{0, text, {}}.outLines();
}

// Lines of every preset's file: keys padded to 13 columns, numbers right-aligned in five
// columns and followed by a space.
const std::vector<std::string> kLinesOfEveryPreset{
    "LIMITER       9000  9000  9200 ",
    "RPM_IGN_1     1000  2000  3000  4000  6000  6500  7000  7250  7500  7750  8000  8250  8500"
    "  8750  9000 ",
    "TPS            480  4470 ",
    "RETARD          20    30    40    50    60    70    80    90   100   110 ",
    "RPM_KNOCK     6000  7000  8000  8250  8700  6000  7000  8000  8250  8700  6000  7000  8000"
    "  8250  8700 ",
};

// Lines that differ by preset: six injectors for 0 and 1, three for 2 and 3; the first row of
// the ignition map, the advance corrections (the line below RETARD's temperatures) and the
// knock alarm levels (the table's millivolts less 400) from each preset's tables.
const std::vector<std::string> kLinesOfPreset[4] = {
    {
        "BIKE             0 ",
        "MODE             1     1 ",
        "IGN_1           18    13    20    30    31    30    30    32    36    34    36    35    34"
        "    40    34 ",
        "ACCEL          300   700 ",
        "START_JET       11 ",
        // Injection cells are written as the unit's byte (50 us steps).
        "JET_1A          69    79    83    86   111   134   140   145   145   147   145   145   149"
        "   144   153 ",
        "WATER_TEMP     113   107   102   103   100 ",
        "AIR_TEMP       104   100   102   102   104 ",
        "                 0     0    -2    -3    -3    -5    -6    -7    -8    -9 ",
        "ALARM         1400  1700  1580  1540  1500  1620  1860  1580  1540  1500  1400  1700  1580"
        "  1540  1500 ",
    },
    {
        "BIKE             1 ",
        "MODE             1     1 ",
        "IGN_1           18    13    20    30    30    30    30    30    30    30    30    30    27"
        "    28    26 ",
        "ACCEL          300   700 ",
        "START_JET       11 ",
        "WATER_TEMP     113   107   102   103   100 ",
        "AIR_TEMP       104   100   102   103   105 ",
        "                 0     0    -3    -4    -4    -7   -11   -10    -9    -9 ",
        "ALARM         1400  1700  1580  1520  1600  1640  1780  1580  1520  1600  1400  1700  1580"
        "  1520  1600 ",
    },
    {
        "BIKE             2 ",
        "MODE             1     2 ",
        "IGN_1           16    16    15    33    31    33    30    36    35    31    36    37    39"
        "    36    36 ",
        "ACCEL          300   800 ",
        "START_JET        7 ",
        "WATER_TEMP     113   104   103   102   100 ",
        "AIR_TEMP       109   100   103   103   105 ",
        "                 0     0    -2    -3    -5    -6    -7    -8    -9   -10 ",
        "ALARM         1680  1900  1680  1540  1880  1640  2100  1820  1760  1860  1600  1860  1680"
        "  1540  1720 ",
    },
    {
        "BIKE             3 ",
        "MODE             1     2 ",
        "IGN_1           16    16    15    18    22    26    26    30    22    26    32    30    28"
        "    27    27 ",
        "ACCEL          300   800 ",
        "START_JET        7 ",
        "WATER_TEMP     113   104   103   102   100 ",
        "AIR_TEMP       109   100   103   103   105 ",
        "                 0     0    -2    -4    -6    -7    -8    -9   -10   -12 ",
        "ALARM         1600  1860  1680  1480  1720  1600  2000  1800  1480  1720  1600  1860  1680"
        "  1480  1720 ",
    },
};

// The magic line, the empty line after it and the first key.
std::string fileStart(int preset) {
    return "VALMORIN_KEY    51 \n\nBIKE             " + std::to_string(preset) + " \n";
}

TEST_F(CliFileCommands, DefaultsWriteThePresetsValues) {
    for (int preset = 0; preset < 4; ++preset) {
        SCOPED_TRACE(preset);
        const std::string path = file("preset" + std::to_string(preset) + ".ign");
        const CliRun run = cli({"defaults", "--preset", std::to_string(preset), "--out", path});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::string text = readText(path);
        EXPECT_TRUE(text.starts_with(fileStart(preset))) << text.substr(0, 60);
        EXPECT_TRUE(text.ends_with(" \n")) << "the last key line ends with the final line break";
        const std::vector<std::string> lines = linesOf(text);
        const std::set<std::string> written(lines.begin(), lines.end());
        for (const auto* expected : {&kLinesOfEveryPreset, &kLinesOfPreset[preset]}) {
            for (const std::string& line : *expected) {
                EXPECT_TRUE(written.contains(line)) << "missing: \"" << line << '"';
            }
        }
    }
}

TEST_F(CliFileCommands, DefaultsReplaceAnExistingFile) {
    const std::string path = file("old.ign");
    writeText(path, "old contents that are much longer than nothing at all\n");
    ASSERT_EQ(cli({"defaults", "--preset", "2", "--out", path}).exitCode, 0);
    const std::string text = readText(path);
    EXPECT_TRUE(text.starts_with(fileStart(2))) << text.substr(0, 60);
    EXPECT_EQ(text.find("old contents"), std::string::npos);
    const CliRun noDir = cli({"defaults", "--preset", "2", "--out", file("no-dir/x.ign")});
    EXPECT_EQ(noDir.exitCode, 2);
    EXPECT_NE(noDir.err.find("Open file error!"), std::string::npos) << noDir.err;
}

// The start-up defaults with values the consistency pass must repair.
std::string outOfRange() {
    return clitest::freshSetWith({{"LIMITER", "300 9000 9000"},
                                  {"BIKE", "9"},
                                  {"START_JET", "60"},
                                  {"IGN_1", "61"},
                                  {"RPM_IGN_1", "1000 2000 2000 4000 6000 6500 7000 7250 7500 7750"
                                                " 8000 8250 8500 8750 9000"},
                                  {"RETARD", "20 30 40 40 60 70 80 90 100 110"}});
}

TEST_F(CliFileCommands, CheckListsExactlyTheRepairedParameters) {
    const std::string path = file("range.ign");
    writeText(path, outOfRange());
    const CliRun run = cli({"check", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // By the rules: preset at most 3, limiter at least 500 rpm, breakpoint rows strictly
    // increasing, ignition cells at most 60 degrees, start injection at most 50 ms, retard
    // temperatures strictly increasing; listed in the order of the file's keys.
    EXPECT_EQ(run.outLines(),
              (std::vector<std::string>{"BIKE: 9 -> 3", "LIMITER[0]: 300 -> 500",
                                        "RPM_IGN_1[2]: 2000 -> 2050", "IGN_1[0]: 61 -> 60",
                                        "START_JET: 60 -> 50", "RETARD[3]: 40 -> 41",
                                        "6 value(s) repaired."}));
    EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST_F(CliFileCommands, CheckOfACleanFileListsNothing) {
    const std::string path = file("clean.ign");
    // Values within every rule, over the defaults of preset 0.
    writeText(path, clitest::freshSetWith(
                        {{"BIKE", "1"}, {"LIMITER", "9000 9000 9200"}, {"TPS", "480 4470"}}));
    const CliRun run = cli({"check", path});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.outLines(), (std::vector<std::string>{"No value needs repair."}));
}

TEST_F(CliFileCommands, CheckListsValuesThatDoNotFitTheirByte) {
    const std::string path = file("micro.ign");
    // Injection cells in microseconds, as a wrong writer would put them.
    writeText(path, clitest::freshSetWith({{"JET_1A", "3450 4150 250"}}));
    const CliRun run = cli({"check", path});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.outLines(), (std::vector<std::string>{
                                  "JET_1A[0] = 3450 does not fit its byte; stored as 122",
                                  "JET_1A[1] = 4150 does not fit its byte; stored as 54",
                                  "2 value(s) do not fit their byte.", "No value needs repair."}));
}

TEST_F(CliFileCommands, UnreadableFilesExitWithTwoAndOtherVersionsWithOne) {
    const std::string v50 = file("v50.ign");
    writeText(v50, "BIKE 2\nVALMORIN_KEY 50\nBIKE 2\n");
    std::filesystem::create_directory(file("folder.ign"));
    const std::string fifo = file("fifo.ign");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string big = file("big.ign");
    writeText(big, "VALMORIN_KEY 51\nBIKE 2\n" + std::string(1024 * 1024, ' '));

    const struct {
        std::string path;
        int exitCode;
        std::string message;
    } cases[] = {
        {v50, 1, "Unmatched version of *.ign file!\n"},
        {file("missing.ign"), 2,
         "Open file error! " + file("missing.ign") + ": No such file or directory\n"},
        {file("folder.ign"), 2,
         "Open file error! " + file("folder.ign") + " is not a regular file\n"},
        {"/dev/zero", 2, "Open file error! /dev/zero is not a regular file\n"},
        {fifo, 2, "Open file error! " + fifo + " is not a regular file\n"},
        {big, 2,
         "Open file error! " + big + " is larger than 1 MB (a parameter file is about 10 KB)\n"},
    };
    // The file is read before the port is opened, so every command meets it the same way.
    const std::vector<std::string> commands[] = {
        {"check"}, {"program", "--port", "/dev/null"}, {"verify", "--port", "/dev/null"}};
    for (const auto& c : cases) {
        for (std::vector<std::string> args : commands) {
            SCOPED_TRACE(args.front() + " " + c.path);
            args.push_back(c.path);
            const CliRun run = cli(args);
            EXPECT_EQ(run.exitCode, c.exitCode);
            EXPECT_EQ(run.err, c.message);
            EXPECT_TRUE(run.out.empty()) << run.out;
        }
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

// The program itself, once: main hands its command line to the same code.
TEST(CliProgram, AnswersHelpAndUsageErrorsOnItsOwnStreams) {
    ScratchDir dir;
    const CliRun help = runCli({"check", "--help"}, dir.path());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: kordana-cli check")) << help.out;
    EXPECT_TRUE(help.out.ends_with("\n") && !help.out.ends_with("\n\n")) << help.out;
    const CliRun bogus = runCli({"bogus"}, dir.path());
    EXPECT_EQ(bogus.exitCode, 2);
    EXPECT_TRUE(bogus.out.empty());
    EXPECT_TRUE(bogus.err.starts_with("kordana-cli: ")) << bogus.err;
    EXPECT_TRUE(bogus.err.ends_with("--help'.\n")) << bogus.err;
}

} // namespace
} // namespace kordana
