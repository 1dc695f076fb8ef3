// The history of replaced sets imported into the tune library: once, oldest first, with its
// times, causes and source files, the history left in place; and no library, nothing lost.

#include "storage/LibraryMigration.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace kordana {
namespace {

const LibraryIdentity kBench{"bench-1", "anna"};
// 2026-12-08 14:03:11 UTC: 2026-12-09 12:48:07 (1796820487, counted in the library's tests)
// less one day and 1:15:04 less.
constexpr std::int64_t kAt = 1796738591;

void write(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

class LibraryMigrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The history names its files by local time; the test's local time is UTC.
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(history());
        write(history() + "/2026-12-08_14-03-11_before-read.ign", "older set\n");
        write(history() + "/2026-12-08_14-03-11_before-read.source", "/home/anna/a.ign");
        write(history() + "/2026-12-08_14-03-11-2_before-open.ign", "newer set\n");
        write(history() + "/notes.txt", "not an entry\n");
    }
    QString history() const { return m_dir.path() + "/history"; }
    std::filesystem::path library() const { return (m_dir.path() + "/library").toStdString(); }

    QTemporaryDir m_dir;
};

TEST_F(LibraryMigrationTest, HistoryIsImportedOnceOldestFirstAndKeptInPlace) {
    auto opened = TuneLibrary::open(library(), kBench);
    ASSERT_TRUE(opened.ok()) << opened.error;
    TuneLibrary& lib = **opened.value;
    const SetHistoryImport first = importSetHistory(lib, SetHistory(history()));
    EXPECT_TRUE(first.done) << first.error.toStdString();
    EXPECT_EQ(first.imported, 2u);

    const auto entries = *lib.entries().value;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].event, LibraryEvent::Replaced);
    EXPECT_EQ(entries[0].time, kAt);
    EXPECT_EQ(entries[0].cause, "open");
    EXPECT_EQ(entries[0].importedFrom, "2026-12-08_14-03-11-2_before-open.ign");
    EXPECT_EQ(entries[0].setPath, "files/2026-12-08T14-03-11Z_bench-1-2.ign");
    EXPECT_EQ(lib.setText(entries[0]).value, "newer set\n");
    EXPECT_EQ(entries[1].cause, "read");
    EXPECT_EQ(entries[1].filePath, "/home/anna/a.ign");
    EXPECT_EQ(lib.setText(entries[1]).value, "older set\n");

    const SetHistoryImport again = importSetHistory(lib, SetHistory(history()));
    EXPECT_TRUE(again.done);
    EXPECT_EQ(again.imported, 0u);
    EXPECT_EQ(lib.entries().value->size(), 2u);
    EXPECT_EQ(QDir(history()).entryList(QDir::Files).size(), 4);
}

TEST_F(LibraryMigrationTest, ImportCutShortGoesOnWithoutDoubles) {
    auto opened = TuneLibrary::open(library(), kBench);
    TuneLibrary& lib = **opened.value;
    // An earlier import stopped after the older entry: it is in the library, the flag is not.
    LibraryEntryInput older;
    older.event = LibraryEvent::Replaced;
    older.text = "older set\n";
    older.time = kAt;
    older.importedFrom = "2026-12-08_14-03-11_before-read.ign";
    ASSERT_TRUE(lib.add(older).ok());
    const SetHistoryImport rest = importSetHistory(lib, SetHistory(history()));
    EXPECT_TRUE(rest.done);
    EXPECT_EQ(rest.imported, 1u);
    EXPECT_EQ(lib.entries().value->size(), 2u);
}

TEST_F(LibraryMigrationTest, NoLibraryLosesNothingOfTheHistory) {
    write(m_dir.path() + "/blocked", "a file where the library's folder would go\n");
    const auto opened =
        TuneLibrary::open((m_dir.path() + "/blocked/library").toStdString(), kBench);
    EXPECT_FALSE(opened.ok());
    EXPECT_FALSE(opened.error.empty());
    // The history goes on as before, all its entries there.
    const SetHistory plain(history());
    EXPECT_EQ(plain.entries().size(), 2u);
}

} // namespace
} // namespace kordana
