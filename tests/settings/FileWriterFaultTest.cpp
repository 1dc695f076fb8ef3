// The one atomic writer under a failing disk (an injected fault in the n-th write step), and
// the bounded reader of the settings file and the stored set.
#include "settings/AtomicFile.h"
#include "settings/ImageCache.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace kordana {
namespace {

const QString kNoSpace = "No space left on device";

struct FaultGuard {
    ~FaultGuard() { fileWriteFault::failStep(0); }
};

TEST(AtomicFileFault, AFailedWriteOrCommitKeepsTheOldFileByteForByte) {
    const std::string oldBytes = std::string("old\0file\r\n", 10) + std::string(5000, 'x');
    // Step 1 is the write, step 2 the flush to disk before the rename; step 3 hits nothing.
    for (const int step : {1, 2}) {
        SCOPED_TRACE(step);
        QTemporaryDir dir;
        const QString path = dir.filePath("tune.ign");
        ASSERT_TRUE(writeFileAtomically(path, oldBytes));
        FaultGuard guard;
        fileWriteFault::failStep(step);
        QString reason;
        EXPECT_FALSE(writeFileAtomically(path, "VALMORIN_KEY 51\nnew", &reason));
        EXPECT_EQ(reason, kNoSpace);
        EXPECT_EQ(readWholeFile(path), oldBytes);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tune.ign"})
            << "no temporary file is left behind";
    }
    QTemporaryDir dir;
    FaultGuard guard;
    fileWriteFault::failStep(3);
    EXPECT_TRUE(writeFileAtomically(dir.filePath("a"), "one"));
    EXPECT_EQ(readWholeFile(dir.filePath("a")), "one");
}

TEST(AtomicFileFault, AFolderAMissingFolderOrAPipeIsAFailureWithAReason) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {dir.path(), dir.filePath("missing/tune.ign"), fifo}) {
        QString reason;
        EXPECT_FALSE(writeFileAtomically(path, "x", &reason)) << path.toStdString();
        EXPECT_FALSE(reason.isEmpty());
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile()) << "the pipe stays as it was";
}

TEST(ConfigFileRead, OnlyARegularFileOfAtMostOneMegabyteIsRead) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(writeFileAtomically(dir.filePath("limit"), std::string(1024 * 1024, '1')));
    ASSERT_TRUE(writeFileAtomically(dir.filePath("over"), std::string(1024 * 1024 + 1, '1')));
    struct Case {
        QString path;
        RegularFileStatus status;
    };
    for (const Case& c : {Case{fifo, RegularFileStatus::NotRegularFile},
                          Case{dir.path(), RegularFileStatus::NotRegularFile},
                          Case{dir.filePath("limit"), RegularFileStatus::Read},
                          Case{dir.filePath("over"), RegularFileStatus::TooLarge},
                          Case{dir.filePath("none"), RegularFileStatus::CannotRead}}) {
        EXPECT_EQ(readConfigFile(c.path).status, c.status) << c.path.toStdString();
    }
}

TEST(ImageCacheDamage, ABadWordIsDamageAndTheRestIsRecoveredInPlace) {
    struct Case {
        std::string text;
        bool damaged;
        std::size_t taken;
    };
    const Case cases[] = {
        {"1 2 3", false, 3},         {"", false, 0},
        {"1 2 -3 4", true, 2},       {std::string("1 2 \0 4", 7), true, 2},
        {"1 2 \xc3\x28 4", true, 2}, {"1 2 3x 4", true, 2},
    };
    for (const Case& c : cases) {
        ParameterImage image{};
        AllFlags flags{};
        const ImageCacheRead read = readImageCache(c.text, image, flags);
        EXPECT_EQ(read.damaged, c.damaged) << c.text;
        EXPECT_EQ(read.taken, c.taken) << c.text;
    }
    // Recovered: byte 2 keeps its value (9), byte 3 takes the 4 after the bad word.
    ParameterImage image{};
    image.bytes[2] = 9;
    AllFlags flags{};
    recoverImageCache("1 2 -3 4", image, flags);
    EXPECT_EQ(image.bytes[0], 1);
    EXPECT_EQ(image.bytes[1], 2);
    EXPECT_EQ(image.bytes[2], 9);
    EXPECT_EQ(image.bytes[3], 4);
}

} // namespace
} // namespace kordana
