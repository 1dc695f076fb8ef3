// One PC's library: entries in, listed newest first with their facts, sets read back, notes,
// finding by id, the remote setting, and a damaged library reported.

#include "LibraryScratch.h"

#include <gtest/gtest.h>

namespace kordana {
namespace {

using librarytest::entryOf;
using librarytest::openLibrary;
using librarytest::Scratch;

const LibraryIdentity kBench{"bench-1", "anna"};

class TuneLibraryTest : public ::testing::Test {
protected:
    std::filesystem::path folder() const { return m_scratch.path("library"); }
    Scratch m_scratch;
};

TEST_F(TuneLibraryTest, EntriesListNewestFirstWithTheirFactsAndSets) {
    auto library = openLibrary(folder(), kBench);
    ASSERT_TRUE(library);
    EXPECT_TRUE(library->entries().value->empty());
    auto read = entryOf(LibraryEvent::Read, "set one\n", 1000, "ABC-12");
    read.programmingCount = 4;
    ASSERT_TRUE(library->add(read).ok());
    auto saved = entryOf(LibraryEvent::Saved, "set two\n", 2000);
    saved.filePath = "/tmp/two.ign";
    ASSERT_TRUE(library->add(saved).ok());

    const auto entries = library->entries();
    ASSERT_TRUE(entries.ok()) << entries.error;
    ASSERT_EQ(entries.value->size(), 2u);
    const LibraryEntry& newest = entries.value->at(0);
    const LibraryEntry& oldest = entries.value->at(1);
    EXPECT_EQ(newest.event, LibraryEvent::Saved);
    EXPECT_EQ(newest.setPath, "files/1970-01-01T00-33-20Z_bench-1.ign");
    EXPECT_EQ(newest.filePath, "/tmp/two.ign");
    EXPECT_EQ(newest.subject, "Saved two.ign");
    EXPECT_EQ(oldest.event, LibraryEvent::Read);
    EXPECT_EQ(oldest.setPath, "units/ABC-12/1970-01-01T00-16-40Z_bench-1.ign");
    EXPECT_EQ(oldest.pc, "bench-1");
    EXPECT_EQ(oldest.user, "anna");
    EXPECT_EQ(oldest.programmingCount, 4u);
    EXPECT_EQ(oldest.unit->ident, "ABC-12");
    EXPECT_EQ(library->setText(oldest).value, "set one\n");
    EXPECT_EQ(library->setText(newest).value, "set two\n");
    EXPECT_EQ(oldest.id.size(), 40u);
}

TEST_F(TuneLibraryTest, EntriesOfTheSameSecondGetFilesOfTheirOwn) {
    auto library = openLibrary(folder(), kBench);
    ASSERT_TRUE(library->add(entryOf(LibraryEvent::Saved, "a", 60)).ok());
    ASSERT_TRUE(library->add(entryOf(LibraryEvent::Saved, "b", 60)).ok());
    const auto entries = *library->entries().value;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].setPath, "files/1970-01-01T00-01-00Z_bench-1-2.ign");
    EXPECT_EQ(entries[1].setPath, "files/1970-01-01T00-01-00Z_bench-1.ign");
    EXPECT_EQ(library->setText(entries[0]).value, "b");
    EXPECT_EQ(library->setText(entries[1]).value, "a");
}

TEST_F(TuneLibraryTest, ANoteIsACommitOfItsOwnAndTheNewestWins) {
    auto library = openLibrary(folder(), kBench);
    const std::string id = *library->add(entryOf(LibraryEvent::Programmed, "s", 100, "A-1")).value;
    ASSERT_TRUE(library->addNote(id, "first words", 200).ok());
    ASSERT_TRUE(library->addNote(id, "leaner at idle", 300).ok());
    const auto entries = *library->entries().value;
    ASSERT_EQ(entries.size(), 1u); // notes are not entries of their own
    EXPECT_EQ(entries[0].id, id);
    EXPECT_EQ(entries[0].note, "leaner at idle");
    EXPECT_EQ(library->setText(entries[0]).value, "s");
    EXPECT_EQ(library->unsharedCount().value, 3u);
    // Two notes of the same second: the one made later.
    ASSERT_TRUE(library->addNote(id, "same second, first", 400).ok());
    ASSERT_TRUE(library->addNote(id, "same second, second", 400).ok());
    EXPECT_EQ(library->entries().value->at(0).note, "same second, second");
}

TEST_F(TuneLibraryTest, FindTakesAPrefixOfOneEntry) {
    auto library = openLibrary(folder(), kBench);
    const std::string id = *library->add(entryOf(LibraryEvent::Saved, "s", 100)).value;
    EXPECT_EQ(library->find(id.substr(0, 7)).value->id, id);
    EXPECT_FALSE(library->find("abc").ok());    // too short
    EXPECT_FALSE(library->find("xyz123").ok()); // not hex
    const std::string other = id[0] == '0' ? "1111" : "0000";
    EXPECT_EQ(library->find(other).error, "no entry starts with " + other);
}

TEST_F(TuneLibraryTest, RemoteIsSetShownAndRemovedWithoutContactingIt) {
    auto library = openLibrary(folder(), kBench);
    EXPECT_EQ(library->remote(), "");
    ASSERT_TRUE(library->setRemote("ssh://nowhere.invalid/tunes.git").ok());
    EXPECT_EQ(library->remote(), "ssh://nowhere.invalid/tunes.git");
    ASSERT_TRUE(library->setRemote("file:///srv/share/tunes.git").ok());
    EXPECT_EQ(openLibrary(folder(), kBench)->remote(), "file:///srv/share/tunes.git");
    ASSERT_TRUE(library->setRemote("").ok());
    EXPECT_EQ(library->remote(), "");
    EXPECT_FALSE(library->lastSync().has_value());
}

TEST_F(TuneLibraryTest, FlagsStayWithThisCopy) {
    auto library = openLibrary(folder(), kBench);
    EXPECT_FALSE(library->flag("historyimported"));
    ASSERT_TRUE(library->setFlag("historyimported").ok());
    EXPECT_TRUE(openLibrary(folder(), kBench)->flag("historyimported"));
}

// What a damaged or foreign folder looks like; opening it says so.
struct Damage {
    const char* name;
    bool overALibrary; ///< made over a library of one entry, else over nothing
    void (*make)(const std::filesystem::path& folder);
};

const Damage kDamages[] = {
    {"a folder of other files", false,
     [](const std::filesystem::path& f) { librarytest::writeFile(f / "notes.txt", "mine\n"); }},
    {"a file in the library's place", false,
     [](const std::filesystem::path& f) { librarytest::writeFile(f, "not a folder\n"); }},
    {"a branch naming a commit that is gone", true,
     [](const std::filesystem::path& f) {
         librarytest::writeFile(f / "refs/heads/main",
                                "0123456789abcdef0123456789abcdef01234567\n");
     }},
    {"a branch of garbage", true,
     [](const std::filesystem::path& f) { librarytest::writeFile(f / "refs/heads/main", "??\n"); }},
    {"lost objects", true,
     [](const std::filesystem::path& f) { std::filesystem::remove_all(f / "objects"); }},
};

TEST_F(TuneLibraryTest, DamagedLibraryIsReportedOnOpen) {
    int n = 0;
    for (const Damage& damage : kDamages) {
        SCOPED_TRACE(damage.name);
        const std::filesystem::path f = m_scratch.path("damaged" + std::to_string(++n));
        if (damage.overALibrary) {
            auto library = openLibrary(f, kBench);
            ASSERT_TRUE(library->add(entryOf(LibraryEvent::Saved, "s", 1)).ok());
        }
        damage.make(f);
        const auto opened = TuneLibrary::open(f, kBench);
        EXPECT_FALSE(opened.ok());
        EXPECT_NE(opened.error.find("damaged"), std::string::npos) << opened.error;
    }
}

TEST_F(TuneLibraryTest, LockLeftByAKilledWriterDoesNotStopTheNext) {
    auto library = openLibrary(folder(), kBench);
    ASSERT_TRUE(library->add(entryOf(LibraryEvent::Saved, "a", 1)).ok());
    // A writer killed while it wrote the branch leaves git's lock file behind.
    librarytest::writeFile(folder() / "refs/heads/main.lock", "");
    const auto added = library->add(entryOf(LibraryEvent::Saved, "b", 2));
    ASSERT_TRUE(added.ok()) << added.error;
    EXPECT_EQ(library->entries().value->size(), 2u);
}

// What the listing's cache can be found as; the listing is the same every time.
TEST_F(TuneLibraryTest, ListingIsTheSameWhateverItsCacheHolds) {
    auto library = openLibrary(folder(), kBench);
    const std::string a = *library->add(entryOf(LibraryEvent::Saved, "a", 100)).value;
    library->add(entryOf(LibraryEvent::Read, "b", 200, "A-1"));
    const auto ids = [&] {
        std::vector<std::string> listed;
        const auto all = library->entries();
        for (const LibraryEntry& e : *all.value) {
            listed.push_back(std::string(libraryEventName(e.event)) + " " + e.note);
        }
        return listed;
    };
    EXPECT_EQ(ids(), (std::vector<std::string>{"read ", "saved "}));
    const auto cache = folder() / "kordana-timeline";
    ASSERT_TRUE(std::filesystem::exists(cache)); // the listing left it
    // Entries and notes made since the cache are read from their commits.
    library->add(entryOf(LibraryEvent::Programmed, "c", 300, "A-1"));
    library->addNote(a, "later words", 400);
    const std::vector<std::string> expected{"programmed ", "read ", "saved later words"};
    EXPECT_EQ(ids(), expected);
    // A damaged cache, one of another history, or none: the commits are read again.
    const std::string good = librarytest::readFile(cache);
    for (const std::string& bad :
         {std::string("garbage\n"), good.substr(0, good.size() / 2) + "\tx\n",
          std::string("kordana-timeline 1\ntip 0123456789abcdef0123456789abcdef01234567\n"),
          std::string()}) {
        librarytest::writeFile(cache, bad);
        EXPECT_EQ(ids(), expected) << bad;
    }
    std::filesystem::remove(cache);
    EXPECT_EQ(ids(), expected);
}

TEST_F(TuneLibraryTest, CompactPacksEverythingAndTheLibraryGoesOn) {
    auto library = openLibrary(folder(), kBench);
    EXPECT_TRUE(library->compact().ok()); // an empty library: nothing to pack
    std::vector<std::string> ids;
    for (int i = 0; i < 20; ++i) {
        ids.push_back(*library
                           ->add(entryOf(LibraryEvent::Saved, "set " + std::to_string(i), 100 + i,
                                         i % 2 ? "A-1" : ""))
                           .value);
    }
    ASSERT_TRUE(library->addNote(ids[3], "kept", 500).ok());
    const auto compacted = library->compact();
    ASSERT_TRUE(compacted.ok()) << compacted.error;
    std::size_t packs = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder() / "objects")) {
        EXPECT_FALSE(file.path().filename().string().size() == 2) << file.path(); // no loose
    }
    for (const auto& file : std::filesystem::directory_iterator(folder() / "objects/pack")) {
        packs += file.path().extension() == ".pack" ? 1 : 0;
    }
    EXPECT_EQ(packs, 1u);
    EXPECT_FALSE(library->compactionDue());
    // A second packing takes only what came since: one more pack.
    ASSERT_TRUE(library->add(entryOf(LibraryEvent::Saved, "later", 800)).ok());
    ASSERT_TRUE(library->compact().ok());
    packs = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder() / "objects/pack")) {
        packs += file.path().extension() == ".pack" ? 1 : 0;
    }
    EXPECT_EQ(packs, 2u);

    auto reopened = openLibrary(folder(), kBench);
    ASSERT_TRUE(reopened);
    const auto entries = *reopened->entries().value;
    ASSERT_EQ(entries.size(), 21u);
    EXPECT_EQ(reopened->setText(entries[20]).value, "set 0");
    EXPECT_EQ(reopened->setText(entries[0]).value, "later");
    EXPECT_EQ(reopened->find(ids[3]).value->note, "kept");
    ASSERT_TRUE(library->add(entryOf(LibraryEvent::Saved, "after", 900)).ok());
    EXPECT_EQ(reopened->entries().value->size(), 22u);
}

} // namespace
} // namespace kordana
