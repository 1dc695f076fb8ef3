// kordana-cli program / read / verify against the simulated unit: in-process on a simulated
// clock, and a few runs of the program end to end against kordana-unit-sim on a pty.

#include "CliInProcess.h"
#include "CliTestProcess.h"

#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"
#include "params/IgnReader.h"
#include "params/IgnWriter.h"
#include "params/ImageLayout.h"
#include "params/ParameterTable.h"

#include <gtest/gtest.h>

#include <algorithm>

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
const Lines kReadOk{"Read:", "Verify:", "Verify: OK"};
const std::string kUnmatchedUnit = "Unmatched version of PC and Ignition programs!";

// A calibration that differs from the start-up defaults in many places, already consistent.
ParameterImage tunedImage() {
    ParameterImage image;
    image[layout::kBike] = 1;
    applyDefaultSet(image);
    storeShown(image, "LIMITER", 2, 9500);
    storeShown(image, "TPS", 0, 520);
    storeShown(image, "RETARD", 12, -7);
    storeShown(image, "CHOKE", 5, 175);
    for (std::size_t cell = 0; cell < 150; cell += 7) {
        storeShown(image, "IGN_2", cell, static_cast<int>(10 + cell % 30));
        storeShown(image, "JET_3B", cell, static_cast<int>(50 * (cell % 40)));
    }
    runConsistencyPass(image);
    return image;
}

std::string tunedFileText() {
    return IgnWriter::write(tunedImage(), false);
}

// The commands in-process, their device a simulated unit ticked on a simulated clock.
class CliTransfer : public ::testing::Test {
public:
    void SetUp() override { ASSERT_FALSE(m_dir.path().empty()); }

    void startUnit(const std::vector<std::string>& args = {}) {
        m_unit = std::make_unique<InProcessUnit>(args);
    }
    CliRun cli(const std::vector<std::string>& args) {
        return clitest::runCliInProcess(args, *m_unit);
    }
    std::string port() const { return clitest::kSimDevice; }
    std::string file(const std::string& name) const { return m_dir.file(name); }
    std::string tunedFile() {
        const std::string path = file("tuned.ign");
        writeText(path, tunedFileText());
        return path;
    }
    const InProcessUnit& unit() const { return *m_unit; }

    ScratchDir m_dir;
    std::unique_ptr<InProcessUnit> m_unit = std::make_unique<InProcessUnit>();
};

// The program itself against kordana-unit-sim on a pty, in real time.
class CliTransferEndToEnd : public ::testing::Test {
public:
    void SetUp() override { ASSERT_FALSE(m_dir.path().empty()); }

    void startUnit(std::vector<std::string> args = {}) {
        ASSERT_TRUE(m_unit.start(std::move(args))) << m_unit.error();
    }
    CliRun cli(std::vector<std::string> args) { return runCli(args, m_dir.path()); }
    std::string port() const { return m_unit.devicePath(); }
    std::string file(const std::string& name) const { return m_dir.file(name); }
    std::string tunedFile() {
        const std::string path = file("tuned.ign");
        writeText(path, tunedFileText());
        return path;
    }
    const LoggedUnit& unit() const { return m_unit; }

    ScratchDir m_dir;
    LoggedUnit m_unit{m_dir.file("unit.log")};
};

// A programming run and a read give the file back, with exactly these requests on the line.
template <class Fixture>
void programThenRead(Fixture& f) {
    f.startUnit();
    const std::string tuned = f.tunedFile();
    const CliRun program = f.cli({"program", "--port", f.port(), tuned});
    EXPECT_EQ(program.exitCode, 0) << program.err;
    EXPECT_EQ(program.outLines(), kProgramOk);

    const std::string back = f.file("back.ign");
    const CliRun read = f.cli({"read", "--port", f.port(), "--out", back});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.outLines(), kReadOk);
    EXPECT_EQ(readText(back), readText(tuned));

    // On the line: 20 program blocks, 19 verify blocks, then 20 read blocks and 19 verify blocks.
    std::vector<unsigned> expected;
    for (unsigned n = 0; n < 20; ++n) {
        expected.push_back(n);
    }
    for (unsigned first : {0x41u, 0x40u, 0x41u}) {
        for (unsigned c = first; c <= 0x53; ++c) {
            expected.push_back(c);
        }
    }
    EXPECT_EQ(f.unit().blockRequests(), expected);
}

TEST_F(CliTransfer, ProgramThenReadGivesTheSameParameters) {
    programThenRead(*this);
}

TEST_F(CliTransferEndToEnd, ProgramThenReadGivesTheSameParametersAndNoDifferences) {
    programThenRead(*this);
    // The unit compared with the file it was programmed from, over the real line too.
    const CliRun diff = cli({"diff", tunedFile(), "--port", port()});
    EXPECT_EQ(diff.exitCode, 0) << diff.err;
    EXPECT_EQ(diff.out, "");
}

TEST_F(CliTransfer, ProgramSendsTheRepairedImageAndSaysSo) {
    startUnit();
    const std::string raw = file("raw.ign");
    writeText(raw, "VALMORIN_KEY 51\nLIMITER 300 9000 9000\nBIKE 9\n");
    const CliRun program = cli({"program", "--partial", "--port", port(), raw});
    EXPECT_EQ(program.exitCode, 0) << program.err;
    EXPECT_NE(program.err.find("consistency pass changed 2 value(s)"), std::string::npos)
        << program.err;

    const std::string back = file("back.ign");
    ASSERT_EQ(cli({"read", "--port", port(), "--out", back}).exitCode, 0);
    const IgnReadResult read = IgnReader::read(readText(back), ParameterImage{}, false);
    ASSERT_TRUE(read.applicable());
    EXPECT_EQ(shownValue(read.image, "LIMITER", 0), 500);
    EXPECT_EQ(shownValue(read.image, "BIKE", 0), 3);
}

TEST_F(CliTransfer, InjectionCellsOfAFileReachTheUnitAsBytes) {
    startUnit();
    // Not the default set's row, so only the file can have put it there.
    const std::string row = "   12    34    56    78    90   100   110   120   130   140   150 "
                            "  160   170   180   190 ";
    const std::string handWritten = file("bytes.ign");
    const std::string line = "\nJET_1A       " + row + "\n"; // the key padded to 13
    writeText(handWritten, "VALMORIN_KEY    51 \n" + line);
    ASSERT_EQ(cli({"program", "--port", port(), "--partial", handWritten}).exitCode, 0);

    const std::string back = file("back.ign");
    ASSERT_EQ(cli({"read", "--port", port(), "--out", back}).exitCode, 0);
    EXPECT_NE(readText(back).find(line), std::string::npos) << readText(back);
}

TEST_F(CliTransfer, VerifyAfterProgramSucceedsAndAnotherSetFails) {
    startUnit();
    const std::string tuned = tunedFile();
    ASSERT_EQ(cli({"program", "--port", port(), tuned}).exitCode, 0);

    const CliRun same = cli({"verify", "--port", port(), tuned});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.outLines(), (Lines{"Verify:", "Verify: OK"}));

    const std::string other = file("other.ign");
    ParameterImage changed = tunedImage();
    storeShown(changed, "LIMITER", 2, 9300);
    writeText(other, IgnWriter::write(changed, false));
    const CliRun differs = cli({"verify", "--port", port(), other});
    EXPECT_EQ(differs.exitCode, 1);
    EXPECT_EQ(differs.outLines(), (Lines{"Verify:", "Verify error!"}));
}

TEST_F(CliTransfer, VerifyIgnoresTheRpm2Byte) {
    startUnit({"--byte102", "0"});
    const std::string tuned = tunedFile();
    ASSERT_EQ(tunedImage()[layout::kRpm2], 1);
    EXPECT_EQ(cli({"program", "--port", port(), tuned}).exitCode, 0);
    EXPECT_EQ(cli({"verify", "--port", port(), tuned}).exitCode, 0);
}

TEST_F(CliTransfer, NoUnitGivesProgramErrorAfterFiveSends) {
    startUnit({"--silent"});
    const CliRun run = cli({"program", "--port", port(), tunedFile()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.outLines(), (Lines{"Program device:", "Program error!"}));
    EXPECT_EQ(unit().blockRequests(), (std::vector<unsigned>(5, 0x00)));
}

TEST_F(CliTransfer, ReadProtectionGivesNoReadingAndLeavesTheFileAlone) {
    startUnit({"--read-protect"});
    const std::string out = file("kept.ign");
    writeText(out, "previous contents\n");
    const CliRun run = cli({"read", "--port", port(), "--out", out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.outLines(), (Lines{"Read:", "No reading!"}));
    EXPECT_EQ(readText(out), "previous contents\n");
    EXPECT_EQ(unit().blockRequests(), (std::vector<unsigned>{0x40}));

    const std::string fresh = file("fresh.ign");
    EXPECT_EQ(cli({"read", "--port", port(), "--out", fresh}).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(fresh));
    // Nothing but the two files: no temporary file left behind.
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.path())) {
        files += entry.path().extension() == ".log" ? 0 : 1;
    }
    EXPECT_EQ(files, 1u);
}

TEST_F(CliTransfer, OtherLayoutVersionStopsBeforeAnyParameterBlock) {
    startUnit({"--layout-version", "50"});
    const CliRun program = cli({"program", "--port", port(), tunedFile()});
    EXPECT_EQ(program.exitCode, 1);
    EXPECT_EQ(program.lastLine(), kUnmatchedUnit);
    const CliRun read = cli({"read", "--port", port(), "--out", file("none.ign")});
    EXPECT_EQ(read.exitCode, 1);
    EXPECT_EQ(read.lastLine(), kUnmatchedUnit);
    EXPECT_FALSE(std::filesystem::exists(file("none.ign")));
    EXPECT_EQ(unit().blockRequests(), (std::vector<unsigned>{0x00, 0x40}));
}

TEST_F(CliTransfer, BadEchoFailsTheProgrammingRun) {
    startUnit({"--bad-echo", "7"});
    const CliRun run = cli({"program", "--port", port(), tunedFile()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.outLines(), (Lines{"Program device:", "Program error!"}));
    const auto blocks = unit().blockRequests();
    EXPECT_EQ(std::count(blocks.begin(), blocks.end(), 0x07u), 5);
    EXPECT_EQ(std::count(blocks.begin(), blocks.end(), 0x08u), 0);
}

// A faulty line may make a run fail, but a run that reports success has put exactly the image
// into the unit: a later clean read gives the file back.
struct FaultCase {
    const char* option;
    const char* percent;
    const char* seed;
};

void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.option << " " << c.percent << " --seed " << c.seed;
}

template <class Fixture>
void successOnlyWhenTheUnitHoldsTheImage(Fixture& f, const FaultCase& c) {
    f.startUnit({c.option, c.percent, "--seed", c.seed});
    const std::string tuned = f.tunedFile();
    const CliRun program = f.cli({"program", "--port", f.port(), tuned});
    ASSERT_TRUE(program.exitCode == 0 || program.exitCode == 1) << program.err;
    const Lines lines = program.outLines();
    const bool verified = std::ranges::find(lines, "Verify: OK") != lines.end();
    if (program.exitCode == 1) {
        EXPECT_FALSE(verified);
        EXPECT_TRUE(program.lastLine() == "Program error!" || program.lastLine() == "Verify error!")
            << program.out;
        return;
    }
    EXPECT_TRUE(verified);
    EXPECT_EQ(program.lastLine(), "Program device: OK");
    // The read goes over the same faulty line; a failed read proves nothing, so try again.
    const std::string back = f.file("back.ign");
    for (int attempt = 0; attempt < 4 && !std::filesystem::exists(back); ++attempt) {
        const CliRun read = f.cli({"read", "--port", f.port(), "--out", back});
        EXPECT_EQ(read.exitCode == 0, std::filesystem::exists(back));
    }
    ASSERT_TRUE(std::filesystem::exists(back)) << "no read got through";
    EXPECT_EQ(readText(back), readText(tuned));
}

class CliFaultyLine : public CliTransfer, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CliFaultyLine, SuccessOnlyWhenTheUnitHoldsTheImage) {
    successOnlyWhenTheUnitHoldsTheImage(*this, GetParam());
}

// A suite of its own, so ctest runs it beside the other end-to-end runs.
class CliFaultEndToEnd : public CliTransferEndToEnd {};

TEST_F(CliFaultEndToEnd, FaultyLineSucceedsOnlyWhenTheUnitHoldsTheImage) {
    successOnlyWhenTheUnitHoldsTheImage(*this, FaultCase{"--truncate", "15", "4"});
}

INSTANTIATE_TEST_SUITE_P(
    CliFaults, CliFaultyLine,
    ::testing::Values(FaultCase{"--corrupt", "20", "1"}, FaultCase{"--corrupt", "20", "2"},
                      FaultCase{"--corrupt", "20", "3"}, FaultCase{"--truncate", "15", "4"},
                      FaultCase{"--drop", "20", "5"}),
    [](const ::testing::TestParamInfo<FaultCase>& info) {
        return std::string(info.param.option + 2) + info.param.percent + "Seed" + info.param.seed;
    });

TEST_F(CliTransferEndToEnd, PortThatCannotBeOpenedIsAnIoError) {
    const CliRun run = cli({"program", "--port", file("no-such-tty"), tunedFile()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_NE(run.err.find("Com opening error!"), std::string::npos) << run.err;
}

TEST_F(CliTransferEndToEnd, FileProblemsComeBeforeThePort) {
    const std::string wrong = file("v52.ign");
    writeText(wrong, "VALMORIN_KEY 52\nBIKE 1\n");
    const CliRun unmatched = cli({"program", "--port", file("no-such-tty"), wrong});
    EXPECT_EQ(unmatched.exitCode, 1);
    EXPECT_NE(unmatched.err.find("Unmatched version of *.ign file!"), std::string::npos);

    const CliRun missing = cli({"verify", "--port", file("no-such-tty"), file("missing.ign")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("Open file error!"), std::string::npos);

    const CliRun unwritable =
        cli({"read", "--port", file("no-such-tty"), "--out", file("no-dir/x.ign")});
    EXPECT_EQ(unwritable.exitCode, 2);
    EXPECT_NE(unwritable.err.find("Open file error!"), std::string::npos);
}

TEST_F(CliTransferEndToEnd, ComNameResolvesThroughTheSettingsFile) {
    startUnit();
    std::filesystem::create_directories(file("kordana"));
    writeText(file("kordana/Kordana_R_2006.ini"),
              "[FORM_HLAV]\nTop=10\n[PORTS]\nCOM7=" + port() + "\n");
    // A second of monitoring is the shortest run that proves the unit answered on that name.
    const CliRun run = cli({"monitor", "--port", "com7", "--seconds", "1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("RPM = "), std::string::npos) << run.out;

    // Without a PORTS entry COMn is the n-th serial device.
    if (std::filesystem::exists("/dev/ttyS18")) {
        return;
    }
    const CliRun unset = cli({"program", "--port", "COM19", tunedFile()});
    EXPECT_EQ(unset.exitCode, 2);
    EXPECT_NE(unset.err.find("/dev/ttyS18"), std::string::npos) << unset.err;
}

} // namespace
} // namespace kordana
