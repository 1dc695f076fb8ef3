#include "storage/SetHistory.h"

#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"
#include "params/ImageLayout.h"
#include "params/ParameterFileLoader.h"
#include "settings/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kordana {
namespace {

ParameterImage defaults(std::uint8_t preset) {
    ParameterImage image;
    image[layout::kBike] = preset;
    applyDefaultSet(image);
    runConsistencyPass(image);
    return image;
}

// Set `n` of a series: the defaults of preset 0 with the first map's first cell at n.
ParameterImage numbered(int n) {
    ParameterImage image = defaults(0);
    image[layout::mapCell(0, 0, 0)] = static_cast<std::uint8_t>(n);
    return image;
}

const QDateTime kAt(QDate(2026, 12, 8), QTime(14, 3, 11));

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

class SetHistoryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString folder() const { return m_dir.path() + "/history"; }

    QTemporaryDir m_dir;
};

TEST_F(SetHistoryTest, EntryIsAParameterFileThatReadsBackToTheReplacedSet) {
    ParameterImage replaced = defaults(0);
    replaced[layout::kLimiter] = 180;
    replaced[layout::mapCell(4, 9, 14)] = 77;
    const SetHistory history(folder());

    ASSERT_EQ(history.record(replaced, true, SetHistoryCause::Read, "/tmp/tuned set.ign", kAt),
              SetHistoryWrite::Written);

    const QString path = folder() + "/2026-12-08_14-03-11_before-read.ign";
    EXPECT_EQ(filesIn(folder()), QStringList({"2026-12-08_14-03-11_before-read.ign",
                                              "2026-12-08_14-03-11_before-read.source"}));
    EXPECT_TRUE(readWholeFile(path).value_or("").starts_with("VALMORIN_KEY    51 \n"));
    // Read over another preset's defaults, the entry gives the replaced set back whole.
    const ParameterFileLoad load =
        ParameterFileLoader::load(QFile::encodeName(path).toStdString(), defaults(3), false);
    ASSERT_TRUE(load.fileRead());
    ASSERT_TRUE(load.read.applicable());
    EXPECT_EQ(load.read.image, replaced);
    EXPECT_TRUE(load.read.extMon);

    const std::vector<SetHistoryEntry> entries = history.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].path, path);
    EXPECT_EQ(entries[0].time, kAt);
    EXPECT_EQ(entries[0].causeName, "read");
    EXPECT_EQ(entries[0].sourceFile, "/tmp/tuned set.ign");
}

TEST_F(SetHistoryTest, NothingIsWrittenWhenTheNewestEntryHoldsTheSameSet) {
    const SetHistory history(folder());
    const struct {
        int set;
        SetHistoryWrite expected;
    } steps[] = {
        {1, SetHistoryWrite::Written},
        {1, SetHistoryWrite::SameAsNewest},
        {2, SetHistoryWrite::Written},
        {1, SetHistoryWrite::Written}, // the same as an older entry, not as the newest
        {1, SetHistoryWrite::SameAsNewest},
    };
    int minute = 0;
    for (const auto& step : steps) {
        EXPECT_EQ(history.record(numbered(step.set), false, SetHistoryCause::Open, {},
                                 kAt.addSecs(60 * ++minute)),
                  step.expected)
            << "step " << minute;
    }
    EXPECT_EQ(history.entries().size(), 3u);
}

TEST_F(SetHistoryTest, KeepsTheNewestFiftyInOrderAndLeavesOtherFilesAlone) {
    // Fifty entries of one second, written by hand, the first without a sequence number.
    ASSERT_TRUE(QDir().mkpath(folder()));
    auto put = [&](const QString& name, const QByteArray& contents) {
        QFile file(folder() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    };
    for (int n = 1; n <= 50; ++n) {
        const QString base = "2026-12-08_14-03-11" + (n > 1 ? "-" + QString::number(n) : "");
        put(base + "_before-new.ign", "VALMORIN_KEY 51 BIKE " + QByteArray::number(n));
        put(base + "_before-new.source", "/sets/" + QByteArray::number(n) + ".ign");
    }
    put("my notes.ign", "VALMORIN_KEY 51");
    const SetHistory history(folder());

    for (int n = 51; n <= 53; ++n) {
        ASSERT_EQ(history.record(numbered(n), false, SetHistoryCause::Read, {}, kAt),
                  SetHistoryWrite::Written);
    }

    const std::vector<SetHistoryEntry> entries = history.entries();
    ASSERT_EQ(entries.size(), 50u);
    EXPECT_EQ(QFileInfo(entries.front().path).fileName(), "2026-12-08_14-03-11-53_before-read.ign");
    EXPECT_EQ(QFileInfo(entries.back().path).fileName(), "2026-12-08_14-03-11-4_before-new.ign");
    EXPECT_EQ(entries.back().sourceFile, "/sets/4.ign");
    for (std::size_t i = 1; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].sequence, entries[i - 1].sequence - 1);
    }
    // The three oldest went with their sidecars; the foreign file stays.
    EXPECT_EQ(filesIn(folder()).size(), 47u * 2 + 3 + 1);
    EXPECT_FALSE(QFile::exists(folder() + "/2026-12-08_14-03-11_before-new.source"));
    EXPECT_FALSE(QFile::exists(folder() + "/2026-12-08_14-03-11-3_before-new.ign"));
    EXPECT_TRUE(QFile::exists(folder() + "/my notes.ign"));
}

TEST_F(SetHistoryTest, AFolderThatCannotBeMadeFailsQuietly) {
    ASSERT_TRUE(writeFileAtomically(folder(), "a file where the folder should be"));
    const SetHistory history(folder());
    QString reason;
    EXPECT_EQ(history.record(numbered(1), false, SetHistoryCause::Read, "/x.ign", kAt, &reason),
              SetHistoryWrite::Failed);
    EXPECT_EQ(reason, "Not a directory");
    EXPECT_TRUE(history.entries().empty());
}

} // namespace
} // namespace kordana
