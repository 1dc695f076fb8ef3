// The window's files on a failing disk (an injected fault in the n-th write step of the one
// file writer): Save, print to PDF and the tune sheet keep an existing file and say why; a
// close that cannot keep the set offers to save it first. At start, a damaged stored set is
// kept aside and among the earlier sets, and a pipe or a huge file in place of the settings
// or the stored set is refused, all said in the status line.
#include "CommandFixture.h"

#include "features/history/HistoryFeature.h"

#include "params/ParameterFileLoader.h"
#include "settings/ImageCache.h"
#include "storage/SetHistory.h"

#include <QAction>
#include <QFile>

#include <sys/stat.h>

namespace kordana {
namespace {

// A map cell of the last page, far behind the bad word.
const std::size_t kLate = layout::mapCell(8, 5, 5);
const QString kNoSpace = "No space left on device";
const std::string kOldBytes = std::string("an earlier file\0\r\n", 18);

struct FaultGuard {
    explicit FaultGuard(int step) { fileWriteFault::failStep(step); }
    ~FaultGuard() { fileWriteFault::failStep(0); }
};

ParameterImage defaultImage() {
    ParameterImage image;
    applyDefaultSet(image);
    return image;
}

QString statusText(const TFormHlav& f) {
    return childNamed<QLabel>(f, "LabelHlaseni")->text();
}

class FileWriteFaultWindow : public testing::CommandFixture {
protected:
    QString cachePath() const { return m_configDir + "/_Kordana_R_2006.ini"; }
    QString settingsPath() const { return m_configDir + "/Kordana_R_2006.ini"; }
};

TEST_F(FileWriteFaultWindow, SaveKeepsTheFileAndAddsTheReason) {
    TFormHlav& f = openCommandForm();
    for (const int step : {1, 2}) {
        SCOPED_TRACE(step);
        writeText(path("kept.ign"), kOldBytes);
        messages.clear();
        messageDetails.clear();
        chosenPath = path("kept.ign");
        {
            FaultGuard fault(step);
            f.action("MenuSave")->trigger();
        }
        EXPECT_EQ(messages, std::vector<QString>{"Open file error!"});
        ASSERT_EQ(messageDetails.size(), 1u);
        EXPECT_EQ(messageDetails[0].details, kNoSpace);
        EXPECT_EQ(readWholeFile(path("kept.ign")), kOldBytes);
        EXPECT_EQ(QDir(m_dir.path()).entryList({"kept.ign*"}, QDir::Files | QDir::Hidden),
                  QStringList{"kept.ign"});
    }
}

TEST_F(FileWriteFaultWindow, PrintToPdfAndTuneSheetKeepTheFileAndSayWhy) {
    TFormHlav& f = openCommandForm();
    desktop().pdfDialog = [this](const QString&) { return path("out.pdf"); };
    struct Case {
        const char* action;
        QString status;
    };
    for (const Case& c :
         {Case{"MenuPrintPdf", "Open file error! " + kNoSpace},
          Case{"MenuTuneSheet", "Tune sheet error! " + path("out.pdf") + ": " + kNoSpace}}) {
        SCOPED_TRACE(c.action);
        writeText(path("out.pdf"), kOldBytes);
        {
            FaultGuard fault(1);
            f.action(c.action)->trigger();
        }
        EXPECT_EQ(statusText(f), c.status);
        EXPECT_EQ(readWholeFile(path("out.pdf")), kOldBytes);
    }
}

TEST_F(FileWriteFaultWindow, ACloseThatCannotKeepTheSetOffersToSaveItFirst) {
    struct Case {
        int step; // settings: steps 1 and 2; the stored set: steps 3 and 4
        TFormHlav::Answer answer;
        bool cacheFails;
    };
    for (const Case& c :
         {Case{3, TFormHlav::Answer::Yes, true}, Case{4, TFormHlav::Answer::No, true},
          Case{1, TFormHlav::Answer::Yes, false}}) {
        SCOPED_TRACE(c.step);
        TFormHlav& f = openCommandForm();
        ASSERT_TRUE(writeFileAtomically(cachePath(), kOldBytes));
        setImageByte(f, layout::kLimiter, 99); // an edit that no file holds
        std::string shownSet;
        desktop().saveDialog = [&](const QString&) {
            shownSet = IgnWriter::write(f.session().image(), f.session().extMon());
            return path("rescued.ign");
        };
        QFile::remove(path("rescued.ign"));
        messages.clear();
        messageDetails.clear();
        nextAnswer = c.answer;
        {
            FaultGuard fault(c.step);
            closeForm();
        }
        const QString failed = c.cacheFails ? cachePath() : settingsPath();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], "The set and the settings could not be kept for the next start: " +
                                   failed + "\nSave the set to a parameter file before closing?");
        ASSERT_EQ(messageDetails.size(), 1u);
        EXPECT_EQ(messageDetails[0].details, kNoSpace);
        EXPECT_EQ(messageDetails[0].buttons, "Save | Close without saving");
        if (c.cacheFails) {
            EXPECT_EQ(readWholeFile(cachePath()), kOldBytes) << "the old stored set survives";
        }
        if (c.answer == TFormHlav::Answer::Yes) {
            ASSERT_FALSE(shownSet.empty());
            EXPECT_EQ(readWholeFile(path("rescued.ign")), shownSet);
        } else {
            EXPECT_TRUE(shownSet.empty()) << "no file dialog after Close without saving";
            EXPECT_FALSE(QFile::exists(path("rescued.ign")));
        }
    }
}

TEST_F(FileWriteFaultWindow, ADamagedStoredSetIsKeptAsideAndAmongTheEarlierSets) {
    QDir().mkpath(m_configDir);
    ParameterImage stored = defaultImage();
    ASSERT_NE(stored[kLate], 41);
    stored[kLate] = 41; // after the bad word: lost to the defaults, kept in the history
    AllFlags flags{};
    std::string cache = formatImageCache(stored, flags);
    cache.replace(cache.find("    0 "), 6, "   -1 "); // the first zero becomes a bad word
    ASSERT_TRUE(writeFileAtomically(cachePath(), cache));

    TFormHlav& f = createForm();
    const QStringList aside = QDir(m_configDir).entryList({"_Kordana_R_2006.ini.damaged-*"});
    ASSERT_EQ(aside.size(), 1);
    const QString asidePath = m_configDir + "/" + aside.front();
    EXPECT_EQ(readWholeFile(asidePath), cache) << "kept byte for byte";
    EXPECT_FALSE(QFile::exists(cachePath()));
    EXPECT_EQ(statusText(f), "The stored set was damaged; defaults fill it from the damaged place "
                             "on. The damaged file is kept as: " +
                                 asidePath);
    EXPECT_EQ(f.session().image()[kLate], defaultImage()[kLate]);

    const QString history = m_dir.path() + "/history";
    f.feature<HistoryFeature>()->setHistoryFolder(history);
    const std::vector<SetHistoryEntry> entries = SetHistory(history).entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].causeName, "damaged");
    const ParameterFileLoad kept = ParameterFileLoader::load(
        QFile::encodeName(entries[0].path).toStdString(), defaultImage(), false);
    ASSERT_TRUE(kept.fileRead());
    EXPECT_EQ(kept.read.image[kLate], 41);
    f.feature<HistoryFeature>()->setHistoryFolder(history);
    EXPECT_EQ(SetHistory(history).entries().size(), 1u) << "kept once";
    closeForm();
    EXPECT_EQ(readWholeFile(asidePath), cache) << "the exit writes a new cache beside it";
    EXPECT_TRUE(QFile::exists(cachePath()));
}

TEST_F(FileWriteFaultWindow, APipeOrAHugeFileIsRefusedAtStart) {
    QDir().mkpath(m_configDir);
    ASSERT_EQ(mkfifo(QFile::encodeName(cachePath()).constData(), 0600), 0);
    ASSERT_TRUE(writeFileAtomically(settingsPath(),
                                    "[FORM_HLAV]\nLanguage=1\n" + std::string(1024 * 1024, ';')));
    TFormHlav& f = createForm(); // returns: nothing waits for a writer of the pipe
    const QString refused = "Not read (not a regular file, or larger than 1 MB); the defaults are "
                            "kept: ";
    EXPECT_EQ(statusText(f), refused + settingsPath() + "  " + refused + cachePath());
    EXPECT_EQ(f.languageIndex(), 0) << "the settings' German is not read";
    EXPECT_EQ(f.session().image(), defaultImage());
    // The exit does not write into the pipe (that would wait for a reader): it says so.
    messages.clear();
    closeForm();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains(cachePath())) << messages[0].toStdString();
    QFile::remove(cachePath());
}

} // namespace
} // namespace kordana
