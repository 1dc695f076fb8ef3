// kordana-cli library: log, show, diff, restore, note, remote and sync against hand-written
// sets, and the entries that program and read add.

#include "CliInProcess.h"
#include "CliTestProcess.h"
#include "FreshSetText.h"

#include "library/TuneLibrary.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace kordana {
namespace {

using clitest::CliRun;
using clitest::InProcessUnit;
using clitest::ScratchDir;
using Lines = std::vector<std::string>;

// 2026-12-09 12:48:07 UTC (counted by hand in the library's tests) and an hour later.
constexpr std::int64_t kAt = 1796820487;
const LibraryIdentity kBench{"bench-1", "anna"};

class CliLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("KORDANA_PC_NAME", "bench-1", 1);
        ::setenv("USER", "anna", 1);
        auto opened = TuneLibrary::open(folder(), kBench);
        ASSERT_TRUE(opened.ok()) << opened.error;
        m_library = std::move(*opened.value);
    }
    std::string folder() const { return m_dir.file("library"); }
    CliRun cli(std::vector<std::string> args) {
        args.push_back("--library=" + folder());
        return clitest::runCliInProcess(args, m_unit);
    }
    // Two hand-written whole sets that differ in the second limiter only.
    static std::string setA() { return clitest::freshSetWith({{"LIMITER", "9000 9000 9200"}}); }
    static std::string setB() { return clitest::freshSetWith({{"LIMITER", "9000 9500 9200"}}); }
    std::string add(LibraryEvent event, const std::string& text, std::int64_t time,
                    bool unit = true) {
        LibraryEntryInput input;
        input.event = event;
        input.text = text;
        input.time = time;
        if (unit) {
            input.unit = LibraryUnit{"ABC-12", "7.5.2006 09:05", "ABC12"};
        }
        return m_library->add(input).value.value_or("");
    }

    ScratchDir m_dir;
    InProcessUnit m_unit;
    std::unique_ptr<TuneLibrary> m_library;
};

TEST_F(CliLibrary, LogListsNewestFirstAndFilters) {
    const std::string a = add(LibraryEvent::Programmed, setA(), kAt);
    const std::string b = add(LibraryEvent::Saved, setB(), kAt + 3600, false);
    const CliRun all = cli({"library", "log"});
    EXPECT_EQ(all.exitCode, 0) << all.err;
    const Lines expected{b.substr(0, 12) + "  2026-12-09T13:48:07Z  saved  -  bench-1  anna",
                         a.substr(0, 12) +
                             "  2026-12-09T12:48:07Z  programmed  ABC-12  bench-1  anna"};
    EXPECT_EQ(all.outLines(), expected);
    EXPECT_EQ(cli({"library", "log", "--unit", "ABC-12"}).outLines(), Lines{expected[1]});
    EXPECT_EQ(cli({"library", "log", "--unit", "files"}).outLines(), Lines{expected[0]});
    EXPECT_EQ(cli({"library", "log", "--event", "saved"}).outLines(), Lines{expected[0]});
    EXPECT_EQ(cli({"library", "log", "--event", "lost"}).exitCode, 2);
}

TEST_F(CliLibrary, ShowGivesTheFactsThenTheSet) {
    const std::string a = add(LibraryEvent::Programmed, setA(), kAt);
    const CliRun run = cli({"library", "show", a.substr(0, 8)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const Lines lines = run.outLines();
    ASSERT_GE(lines.size(), 10u);
    const Lines head(lines.begin(), lines.begin() + 10);
    EXPECT_EQ(head, (Lines{"Entry: " + a, "Event: programmed", "Time: 2026-12-09T12:48:07Z",
                           "PC: bench-1", "User: anna", "Unit: ABC-12", "Unit-Date: 7.5.2006 09:05",
                           "Unit-Version: ABC12",
                           "Set: units/ABC-12/2026-12-09T12-48-07Z_bench-1.ign", ""}));
    EXPECT_EQ(lines[10], "VALMORIN_KEY    51 ");
    EXPECT_EQ(run.out.substr(run.out.find("\n\n") + 2), setA());
}

TEST_F(CliLibrary, DiffListsTheParametersInWhichTwoEntriesDiffer) {
    const std::string a = add(LibraryEvent::Programmed, setA(), kAt);
    const std::string b = add(LibraryEvent::Read, setB(), kAt + 60);
    const CliRun run = cli({"library", "diff", a.substr(0, 6), b.substr(0, 6)});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.outLines(), (Lines{"Various: differing values 1, largest change 500 rpm "
                                     "(Ignition Limiter)",
                                     "", "Ignition Limiter: 9000 -> 9500 rpm [LIMITER[1]]"}));
    EXPECT_EQ(cli({"library", "diff", a, a}).exitCode, 0);
}

TEST_F(CliLibrary, RestoreWritesTheSetAndIsAnEntryItself) {
    const std::string a = add(LibraryEvent::Programmed, setA(), kAt);
    add(LibraryEvent::Programmed, setB(), kAt + 60);
    const std::string out = m_dir.file("restored.ign");
    const CliRun run = cli({"library", "restore", a.substr(0, 10), "--out", out});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.outLines(), Lines{"Restored " + a.substr(0, 12) + " into " + out});
    EXPECT_EQ(clitest::readText(out), setA());
    const auto entries = *m_library->entries().value;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].event, LibraryEvent::Restored);
    EXPECT_EQ(entries[0].restoredFrom, a);
    EXPECT_EQ(entries[0].unit->ident, "ABC-12");
    EXPECT_EQ(entries[0].filePath, out);
    EXPECT_EQ(m_library->setText(entries[0]).value, setA());
    EXPECT_EQ(cli({"library", "restore", a}).exitCode, 2); // --out is required
}

TEST_F(CliLibrary, NoteIsShownInTheLogAndTheSetStays) {
    const std::string a = add(LibraryEvent::Programmed, setA(), kAt);
    const CliRun run = cli({"library", "note", a.substr(0, 8), "richer at the top"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.outLines(), Lines{"Noted on " + a.substr(0, 12) + ": richer at the top"});
    EXPECT_EQ(
        cli({"library", "log"}).outLines(),
        Lines{a.substr(0, 12) +
              "  2026-12-09T12:48:07Z  programmed  ABC-12  bench-1  anna  richer at the top"});
    EXPECT_EQ(m_library->setText(*m_library->find(a).value).value, setA());
}

TEST_F(CliLibrary, UnknownEntriesAndActionsAreUsageErrors) {
    add(LibraryEvent::Programmed, setA(), kAt);
    const CliRun unknown = cli({"library", "show", "ffffffff"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err, "Library: no entry starts with ffffffff\n");
    EXPECT_EQ(cli({"library", "frobnicate"}).exitCode, 2);
    EXPECT_EQ(cli({"library", "diff", "abcd"}).exitCode, 2);
    EXPECT_EQ(cli({"library", "note", "abcd"}).exitCode, 2);
}

TEST_F(CliLibrary, RemoteIsShownAndSetAndSyncSharesWithAnotherPc) {
    EXPECT_EQ(cli({"library", "remote"}).outLines(), Lines{"No remote set."});
    const CliRun none = cli({"library", "sync"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.outLines(), Lines{"Not shared (no remote set); 0 not yet shared."});
    const std::string share = m_dir.file("share.git");
    ASSERT_TRUE(TuneLibrary::open(share, {"share", "admin"}).ok());
    const std::string url = "file://" + share;
    EXPECT_EQ(cli({"library", "remote", url}).outLines(), Lines{"Remote set: " + url});
    EXPECT_EQ(cli({"library", "remote"}).outLines(), Lines{url});
    const std::string a = add(LibraryEvent::Programmed, setA(), kAt);
    const CliRun sync = cli({"library", "sync"});
    EXPECT_EQ(sync.exitCode, 0) << sync.err;
    ASSERT_FALSE(sync.outLines().empty());
    EXPECT_EQ(sync.outLines()[0], "Shared: 1 sent, 0 received; 0 not yet shared.");

    // The laptop, another data folder on the same share, gets the bench's entry.
    const std::string laptop = m_dir.file("laptop");
    ::setenv("KORDANA_PC_NAME", "laptop", 1);
    const auto lap = [&](std::vector<std::string> args) {
        args.push_back("--library=" + laptop);
        return clitest::runCliInProcess(args, m_unit);
    };
    lap({"library", "remote", url});
    EXPECT_EQ(lap({"library", "sync"}).outLines().at(0),
              "Shared: 0 sent, 1 received; 0 not yet shared.");
    EXPECT_EQ(lap({"library", "log"}).outLines(),
              Lines{a.substr(0, 12) + "  2026-12-09T12:48:07Z  programmed  ABC-12  bench-1  anna"});
}

TEST_F(CliLibrary, ProgramAndReadAddEntriesOfTheUnit) {
    const std::string file = m_dir.file("tuned.ign");
    clitest::writeText(file, setB());
    const CliRun program = cli({"program", "--port", clitest::kSimDevice, file});
    ASSERT_EQ(program.exitCode, 0) << program.err;
    const std::string back = m_dir.file("back.ign");
    const CliRun read = cli({"read", "--port", clitest::kSimDevice, "--out", back});
    ASSERT_EQ(read.exitCode, 0) << read.err;

    const auto entries = *m_library->entries().value;
    ASSERT_EQ(entries.size(), 2u);
    // The simulated unit's header: "KRD", number 7, 7 May 2006 14:30.
    for (const LibraryEntry& e : entries) {
        ASSERT_TRUE(e.unit.has_value());
        EXPECT_EQ(e.unit->ident, "KRD-7");
        EXPECT_EQ(e.unit->date, "7.5.2006 14:30");
        EXPECT_EQ(e.unit->version, "KRD07");
        EXPECT_EQ(e.pc, "bench-1");
        EXPECT_EQ(m_library->setText(e).value, setB());
    }
    const bool readFirst = entries[0].event == LibraryEvent::Read;
    const LibraryEntry& programmed = entries[readFirst ? 1 : 0];
    const LibraryEntry& wasRead = entries[readFirst ? 0 : 1];
    EXPECT_EQ(programmed.event, LibraryEvent::Programmed);
    EXPECT_EQ(programmed.filePath, file);
    EXPECT_EQ(wasRead.event, LibraryEvent::Read);
    EXPECT_EQ(wasRead.filePath, back);
    EXPECT_NE(program.err.find("Library: kept as " + programmed.id.substr(0, 12) +
                               " (programmed, unit KRD-7)."),
              std::string::npos)
        << program.err;
}

TEST_F(CliLibrary, NoLibraryKeepsNothing) {
    const std::string file = m_dir.file("tuned.ign");
    clitest::writeText(file, setA());
    const CliRun run = cli({"program", "--no-library", "--port", clitest::kSimDevice, file});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(m_library->entries().value->empty());
}

TEST_F(CliLibrary, DamagedLibraryIsSaidAndTheProgrammingStillSucceeds) {
    clitest::writeText(folder() + "/refs/heads/main", "0123456789abcdef0123456789abcdef01234567\n");
    const std::string file = m_dir.file("tuned.ign");
    clitest::writeText(file, setA());
    const CliRun run = cli({"program", "--port", clitest::kSimDevice, file});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("is damaged"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Library: the set was not kept."), std::string::npos) << run.err;
    EXPECT_EQ(cli({"library", "log"}).exitCode, 2);
}

TEST(CliLibraryDefault, DefaultLibraryImportsTheHistoryOfReplacedSetsOnce) {
    // A data folder of its own, with the window's history of replaced sets in it.
    ScratchDir data;
    const std::string before = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    const char* zone = std::getenv("TZ");
    const std::optional<std::string> zoneBefore =
        zone != nullptr ? std::optional<std::string>(zone) : std::nullopt;
    ::setenv("XDG_DATA_HOME", data.path().c_str(), 1);
    ::setenv("TZ", "UTC", 1); // the history names its files by local time
    ::tzset();
    std::filesystem::create_directories(data.file("kordana/history"));
    clitest::writeText(data.file("kordana/history/2026-12-08_14-03-11_before-read.ign"), "old\n");
    InProcessUnit unit;
    const CliRun first = clitest::runCliInProcess({"library", "log", "--event", "replaced"}, unit);
    const CliRun second = clitest::runCliInProcess({"library", "log"}, unit);
    ::setenv("XDG_DATA_HOME", before.c_str(), 1);
    if (zoneBefore) {
        ::setenv("TZ", zoneBefore->c_str(), 1);
    } else {
        ::unsetenv("TZ");
    }
    ::tzset();
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.err, "Library: imported 1 set(s) of the history of replaced sets.\n");
    ASSERT_EQ(first.outLines().size(), 1u);
    EXPECT_NE(first.outLines()[0].find("  2026-12-08T14:03:11Z  replaced  -  "), std::string::npos)
        << first.out;
    EXPECT_EQ(second.err, "");
    EXPECT_EQ(second.outLines(), first.outLines());
    EXPECT_TRUE(
        std::filesystem::exists(data.file("kordana/history/2026-12-08_14-03-11_before-read.ign")));
}

} // namespace
} // namespace kordana
