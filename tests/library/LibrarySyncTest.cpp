// Two workshop PCs as two data folders sharing a bare repository on the local disk: entries on
// both, syncs both ways, a PC offline, and the remote's credentials as git's helper gives them.

#include "LibraryScratch.h"

#include "library/CredentialHelper.h"
#include "library/LibrarySync.h"

#include <gtest/gtest.h>

namespace kordana {
namespace {

using librarytest::entryOf;
using librarytest::openLibrary;
using librarytest::Scratch;

const LibraryIdentity kBench{"bench-1", "anna"};
const LibraryIdentity kLaptop{"laptop", "ben"};

class LibrarySyncTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_bench = openLibrary(benchFolder(), kBench);
        m_laptop = openLibrary(laptopFolder(), kLaptop);
        ASSERT_TRUE(m_bench && m_laptop);
    }
    std::filesystem::path benchFolder() const { return m_scratch.path("bench/library"); }
    std::filesystem::path laptopFolder() const { return m_scratch.path("laptop/library"); }
    std::filesystem::path share() const { return m_scratch.path("share/tunes.git"); }
    std::string shareUrl() const { return "file://" + share().string(); }
    void makeShare() const { ASSERT_TRUE(TuneLibrary::open(share(), {"share", "admin"}).ok()); }

    LibrarySyncResult sync(const std::filesystem::path& folder, const LibraryIdentity& who,
                           std::int64_t now) const {
        LibrarySyncOptions options;
        options.who = who;
        options.now = now;
        options.credentialHelper = {"false"}; // a local remote asks for none
        return syncLibrary(folder, options);
    }
    static std::vector<std::string> listed(const TuneLibrary& library) {
        std::vector<std::string> lines;
        const auto all = library.entries();
        for (const LibraryEntry& e : *all.value) {
            lines.push_back(std::to_string(e.time) + " " + e.pc + " " + *library.setText(e).value);
        }
        return lines;
    }

    Scratch m_scratch;
    std::unique_ptr<TuneLibrary> m_bench;
    std::unique_ptr<TuneLibrary> m_laptop;
};

TEST_F(LibrarySyncTest, TwoPcsShareTheUnionInTimeOrder) {
    makeShare();
    ASSERT_TRUE(m_bench->setRemote(shareUrl()).ok());
    ASSERT_TRUE(m_laptop->setRemote(shareUrl()).ok());
    m_bench->add(entryOf(LibraryEvent::Read, "b1", 1000, "ABC-12"));
    m_laptop->add(entryOf(LibraryEvent::Saved, "l1", 2000));
    m_bench->add(entryOf(LibraryEvent::Programmed, "b2", 3000, "ABC-12"));
    m_laptop->add(entryOf(LibraryEvent::Programmed, "l2", 4000, "ABC-12"));

    const LibrarySyncResult first = sync(benchFolder(), kBench, 5000);
    EXPECT_EQ(first.outcome, LibrarySyncOutcome::Synced) << first.message;
    EXPECT_EQ(first.sent, 2u);
    EXPECT_EQ(first.received, 0u);
    // The laptop has entries of its own as well as the bench's to take: a merge, then a push.
    const LibrarySyncResult second = sync(laptopFolder(), kLaptop, 5100);
    EXPECT_EQ(second.outcome, LibrarySyncOutcome::Synced) << second.message;
    EXPECT_EQ(second.received, 2u);
    EXPECT_EQ(second.sent, 2u);
    EXPECT_EQ(second.unshared, 0u);
    EXPECT_EQ(second.lastSync, 5100);
    const LibrarySyncResult third = sync(benchFolder(), kBench, 5200);
    EXPECT_EQ(third.outcome, LibrarySyncOutcome::Synced) << third.message;
    EXPECT_EQ(third.received, 2u);
    EXPECT_EQ(third.sent, 0u);

    const std::vector<std::string> expected{"4000 laptop l2", "3000 bench-1 b2", "2000 laptop l1",
                                            "1000 bench-1 b1"};
    EXPECT_EQ(listed(*m_bench), expected);
    EXPECT_EQ(listed(*m_laptop), expected);
    EXPECT_EQ(m_bench->unsharedCount().value, 0u);
    EXPECT_EQ(m_bench->lastSync(), 5200);
}

TEST_F(LibrarySyncTest, NotesTravelAndTheNewestWinsOnBoth) {
    makeShare();
    m_bench->setRemote(shareUrl());
    m_laptop->setRemote(shareUrl());
    const std::string id = *m_bench->add(entryOf(LibraryEvent::Programmed, "s", 100, "A-1")).value;
    sync(benchFolder(), kBench, 150);
    sync(laptopFolder(), kLaptop, 160);
    ASSERT_TRUE(m_laptop->addNote(id, "from the track", 300).ok());
    ASSERT_TRUE(m_bench->addNote(id, "from the bench", 200).ok());
    sync(laptopFolder(), kLaptop, 400);
    sync(benchFolder(), kBench, 410);
    sync(laptopFolder(), kLaptop, 420);
    EXPECT_EQ(m_bench->entries().value->at(0).note, "from the track");
    EXPECT_EQ(m_laptop->entries().value->at(0).note, "from the track");
}

TEST_F(LibrarySyncTest, OfflinePcKeepsItsEntriesAndSharesThemLater) {
    ASSERT_TRUE(m_bench->setRemote(shareUrl()).ok()); // the share is not there yet
    m_bench->add(entryOf(LibraryEvent::Programmed, "p1", 100, "ABC-12"));
    m_bench->add(entryOf(LibraryEvent::Programmed, "p2", 200, "ABC-12"));

    const LibrarySyncResult offline = sync(benchFolder(), kBench, 300);
    EXPECT_EQ(offline.outcome, LibrarySyncOutcome::Offline);
    EXPECT_FALSE(offline.message.empty());
    EXPECT_EQ(offline.unshared, 2u);
    EXPECT_FALSE(offline.lastSync.has_value());
    EXPECT_EQ(listed(*m_bench), (std::vector<std::string>{"200 bench-1 p2", "100 bench-1 p1"}));

    makeShare();
    const LibrarySyncResult back = sync(benchFolder(), kBench, 400);
    EXPECT_EQ(back.outcome, LibrarySyncOutcome::Synced) << back.message;
    EXPECT_EQ(back.sent, 2u);
    EXPECT_EQ(back.unshared, 0u);
    m_laptop->setRemote(shareUrl());
    EXPECT_EQ(sync(laptopFolder(), kLaptop, 500).received, 2u);
    EXPECT_EQ(listed(*m_laptop), listed(*m_bench));
}

TEST_F(LibrarySyncTest, TwoPcsOfOneNameInOneSecondAreNotMergedAndKeepTheirEntries) {
    makeShare();
    m_bench->setRemote(shareUrl());
    auto twin = openLibrary(m_scratch.path("twin/library"), kBench); // the same PC name
    twin->setRemote(shareUrl());
    m_bench->add(entryOf(LibraryEvent::Saved, "mine", 100));
    twin->add(entryOf(LibraryEvent::Saved, "theirs", 100)); // the same file name
    EXPECT_EQ(sync(benchFolder(), kBench, 200).outcome, LibrarySyncOutcome::Synced);
    const LibrarySyncResult clash = sync(m_scratch.path("twin/library"), kBench, 210);
    EXPECT_EQ(clash.outcome, LibrarySyncOutcome::Conflict);
    EXPECT_EQ(clash.unshared, 1u);
    EXPECT_EQ(listed(*twin), std::vector<std::string>{"100 bench-1 theirs"});
}

TEST_F(LibrarySyncTest, NoRemoteSetContactsNothing) {
    m_bench->add(entryOf(LibraryEvent::Saved, "s", 1));
    const LibrarySyncResult result = sync(benchFolder(), kBench, 2);
    EXPECT_EQ(result.outcome, LibrarySyncOutcome::NoRemote);
    EXPECT_EQ(result.unshared, 1u);
    EXPECT_EQ(librarySyncOutcomeText(result.outcome), "no remote set");
}

TEST_F(LibrarySyncTest, DamagedLibraryIsReportedBySync) {
    const LibrarySyncResult result = sync(m_scratch.path("nothing"), kBench, 2);
    EXPECT_EQ(result.outcome, LibrarySyncOutcome::Damaged);
    EXPECT_NE(result.message.find("damaged"), std::string::npos);
}

TEST(CredentialHelper, RequestNamesProtocolHostPathAndUser) {
    EXPECT_EQ(credentialRequest("https://git.example.org:8443/shop/tunes.git", ""),
              "protocol=https\nhost=git.example.org:8443\npath=shop/tunes.git\n\n");
    EXPECT_EQ(credentialRequest("https://anna@git.example.org/tunes.git", ""),
              "protocol=https\nhost=git.example.org\npath=tunes.git\nusername=anna\n\n");
    EXPECT_EQ(credentialRequest("http://server", "ben"),
              "protocol=http\nhost=server\nusername=ben\n\n");
}

TEST(CredentialHelper, ReplyNeedsUserAndPassword) {
    const auto given = credentialReply("protocol=https\nhost=h\nusername=anna\npassword=s3=cret\n");
    ASSERT_TRUE(given.has_value());
    EXPECT_EQ(given->username, "anna");
    EXPECT_EQ(given->password, "s3=cret");
    EXPECT_FALSE(credentialReply("username=anna\n").has_value());
    EXPECT_FALSE(credentialReply("").has_value());
}

TEST(CredentialHelper, HelperRunsWithTheRequestAndNoPrompt) {
    // The helper echoes what it was asked and whether a prompt was allowed.
    const auto reply =
        runCredentialHelper({"sh", "-c", "cat; echo prompt=$GIT_TERMINAL_PROMPT"}, "host=h\n\n");
    EXPECT_EQ(reply, "host=h\n\nprompt=0\n");
    EXPECT_FALSE(runCredentialHelper({"sh", "-c", "exit 1"}, "x").has_value());
    EXPECT_FALSE(runCredentialHelper({"kordana-no-such-helper"}, "x").has_value());
}

} // namespace
} // namespace kordana
