#include "CommandFixture.h"

#include "features/unit/UnitFeature.h"
#include "link/LinkProtocol.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QProgressBar>
#include <QTimer>

#include <sys/resource.h>

#include <csignal>
#include <functional>

namespace kordana {
namespace {

using CommandOpen = testing::CommandFixture;
using CommandSave = testing::CommandFixture;

/// A parameter set that differs from the defaults in a map, a limiter and the preset.
ParameterImage tunedImage(ParameterImage image) {
    image[layout::kBike] = 2;
    image[layout::kLimiter + 2] = 190;
    image[layout::mapCell(0, 4, 7)] = 41;
    runConsistencyPass(image);
    return image;
}

TEST_F(CommandOpen, GoodFileIsAppliedAndRemembered) {
    TFormHlav& f = openCommandForm();
    const ParameterImage tuned = tunedImage(f.session().image());
    writeText(path("tuned.ign"), IgnWriter::write(tuned, true));
    f.setLastFilePath(path("earlier.ign"));
    chosenPath = path("tuned.ign");

    press(Qt::Key_F3);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(openDialogs, 1);
    EXPECT_EQ(dialogStarts.front(), path("earlier.ign")) << "the dialog starts at the last file";
    EXPECT_EQ(f.session().image(), tuned);
    EXPECT_TRUE(childNamed<QCheckBox>(f, "CheckBoxExtMonitor")->isChecked());
    EXPECT_EQ(text(cell(4, 7)), "41") << "the active page shows the file";
    EXPECT_EQ(childNamed<QLabel>(f, "LabelFile2")->text(), path("tuned.ign"));
    EXPECT_EQ(f.lastFilePath(), path("tuned.ign"));

    // The next Save offers the opened file.
    chosenPath.clear();
    press(Qt::Key_F2);
    EXPECT_EQ(dialogStarts.back(), path("tuned.ign"));
}

TEST_F(CommandOpen, RealDialogsOfferTheParameterFilesAndEveryFile) {
    TFormHlav& f = openCommandForm();
    desktop().openDialog = nullptr;
    desktop().saveDialog = nullptr;
    writeText(path("start.ign"), IgnWriter::write(f.session().image(), false));
    writeText(path("tuned.ign"), IgnWriter::write(tunedImage(f.session().image()), false));
    f.setLastFilePath(path("start.ign"));

    // Once the dialog is on screen: reads it, then chooses `file` in it.
    std::function<void()> answer;
    int attempts = 0;
    const auto answerDialog = [&](const QString& file, QStringList& filters, QString& suffix,
                                  QStringList& preselected) {
        answer = [&, file] {
            QFileDialog* dialog = nullptr;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* candidate = qobject_cast<QFileDialog*>(top);
                    candidate != nullptr && candidate->isVisible()) {
                    dialog = candidate;
                }
            }
            if (dialog == nullptr) {
                // Never wait forever: after a generous number of turns the test fails instead.
                if (++attempts < 5000) {
                    QTimer::singleShot(1, &f, answer);
                } else if (QWidget* modal = QApplication::activeModalWidget()) {
                    modal->close();
                }
                return;
            }
            filters = dialog->nameFilters();
            suffix = dialog->defaultSuffix();
            preselected = dialog->selectedFiles();
            dialog->selectFile(file);
            static_cast<QDialog*>(dialog)->accept(); // as the Open or Save button does
        };
        QTimer::singleShot(0, &f, answer);
    };
    QStringList filters;
    QString suffix;
    QStringList preselected;
    answerDialog(path("tuned.ign"), filters, suffix, preselected);
    press(Qt::Key_F3);
    EXPECT_EQ(filters, (QStringList{"Ignition Parametrs(*.ign)", "All Files (*)"}));
    EXPECT_EQ(suffix, "ign");
    EXPECT_EQ(preselected, QStringList{path("start.ign")});
    EXPECT_EQ(f.session().image(), tunedImage(f.session().image()));
    EXPECT_EQ(childNamed<QLabel>(f, "LabelFile2")->text(), path("tuned.ign"));

    answerDialog(path("copy"), filters, suffix, preselected);
    press(Qt::Key_F2);
    EXPECT_EQ(filters, QStringList{"Ignition Parametrs(*.ign)"});
    EXPECT_EQ(suffix, "ign");
    EXPECT_EQ(preselected, QStringList{path("tuned.ign")});
    EXPECT_EQ(readWholeFile(path("copy.ign")), IgnWriter::write(f.session().image(), false))
        << "the default suffix is added";
    EXPECT_TRUE(messages.empty());
}

TEST_F(CommandOpen, RejectedFilesChangeNothing) {
    TFormHlav& f = openCommandForm();
    std::string otherVersion = IgnWriter::write(tunedImage(f.session().image()), true);
    otherVersion.replace(otherVersion.find(" 51 "), 4, " 52 ");
    writeText(path("v52.ign"), otherVersion);
    // A key before a magic key of another version: never a match.
    writeText(path("words.ign"), "BIKE 2 VALMORIN_KEY 50\n");
    QDir().mkpath(path("folder.ign"));
    // A good file padded past 1 MB with white space: refused by its size alone.
    writeText(path("big.ign"), "VALMORIN_KEY 51\nBIKE 2\n" + std::string(1024 * 1024, ' '));

    const struct {
        QString file;
        const char* message;
    } cases[] = {
        {path("v52.ign"), "Unmatched version of *.ign file!"},
        {path("words.ign"), "Unmatched version of *.ign file!"},
        {path("missing.ign"), "Open file error!"},
        {path("folder.ign"), "Open file error!"},
        {"/dev/zero", "Open file error!"},
        {path("big.ign"), "Open file error!"},
    };
    f.hub().nameSetFile("/kept/as/it/was.ign");
    f.setLastFilePath("/kept/as/it/was.ign");
    const ParameterImage before = f.session().image();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        messages.clear();
        chosenPath = c.file;
        press(Qt::Key_F3);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], c.message);
        EXPECT_EQ(f.session().image(), before);
        EXPECT_FALSE(childNamed<QCheckBox>(f, "CheckBoxExtMonitor")->isChecked());
        EXPECT_EQ(childNamed<QLabel>(f, "LabelFile2")->text(), "/kept/as/it/was.ign");
        EXPECT_EQ(f.lastFilePath(), "/kept/as/it/was.ign");
    }
}

TEST_F(CommandOpen, MessagesFollowTheLanguage) {
    TFormHlav& f = openCommandForm();
    f.action("MenuGerman")->trigger();
    chosenPath = path("missing.ign");
    press(Qt::Key_F3);
    writeText(path("v50.ign"), "VALMORIN_KEY 50\n");
    chosenPath = path("v50.ign");
    press(Qt::Key_F3);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], QString::fromUtf8("Fehler beim öffnen der Datei!"));
    EXPECT_EQ(messages[1], "Datendatei *.ign ist nicht kompatiebel!");
}

TEST_F(CommandOpen, StatusLineIsHiddenAfterEveryOutcome) {
    TFormHlav& f = openCommandForm();
    writeText(path("good.ign"), IgnWriter::write(f.session().image(), false));
    for (const QString& file : {QString(), path("missing.ign"), path("good.ign")}) {
        SCOPED_TRACE(file.toStdString());
        press(Qt::Key_F7); // a read shows the status line and the gauge
        ASSERT_TRUE(childNamed<QLabel>(f, "LabelHlaseni")->isVisible());
        chosenPath = file;
        press(Qt::Key_F3);
        EXPECT_FALSE(childNamed<QLabel>(f, "LabelHlaseni")->isVisible());
        EXPECT_FALSE(childNamed<QProgressBar>(f, "CGauge")->isVisible());
    }
}

TEST_F(CommandOpen, ProgrammingAfterChangeProgramsOnlyAFileThatDiffers) {
    TFormHlav& f = openCommandForm();
    const auto driveToIdle = [&f] {
        for (int tick = 0; tick < 1000 && f.feature<UnitFeature>()->link().mode() != LinkMode::Idle;
             ++tick) {
            f.Timer1Timer();
        }
        ASSERT_EQ(f.feature<UnitFeature>()->link().mode(), LinkMode::Idle);
    };
    QTest::mouseClick(childNamed<QCheckBox>(f, "CheckBoxProgHned"), Qt::LeftButton, {},
                      QPoint(8, childNamed<QCheckBox>(f, "CheckBoxProgHned")->height() / 2));
    ASSERT_TRUE(childNamed<QCheckBox>(f, "CheckBoxProgHned")->isChecked());
    driveToIdle(); // setting the box programs once; no unit answers here
    const int starts = f.feature<UnitFeature>()->programmingAfterChangeStarts();

    writeText(path("same.ign"), IgnWriter::write(f.session().image(), false));
    chosenPath = path("same.ign");
    press(Qt::Key_F3);
    EXPECT_EQ(f.feature<UnitFeature>()->link().mode(), LinkMode::Idle);
    EXPECT_EQ(f.feature<UnitFeature>()->programmingAfterChangeStarts(), starts);

    writeText(path("tuned.ign"), IgnWriter::write(tunedImage(f.session().image()), false));
    chosenPath = path("tuned.ign");
    press(Qt::Key_F3);
    EXPECT_EQ(f.feature<UnitFeature>()->link().mode(), LinkMode::Program);
    EXPECT_EQ(f.feature<UnitFeature>()->programmingAfterChangeStarts(), starts + 1);
    EXPECT_TRUE(childNamed<QLabel>(f, "LabelHlaseni")->isVisible())
        << "the run started by the file shows its progress";
    EXPECT_EQ(childNamed<QLabel>(f, "LabelHlaseni")->text(), "Program device:");
    EXPECT_TRUE(childNamed<QProgressBar>(f, "CGauge")->isVisible());

    // New does the same.
    driveToIdle();
    nextAnswer = TFormHlav::Answer::Yes;
    press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(f.feature<UnitFeature>()->link().mode(), LinkMode::Program);
    EXPECT_TRUE(childNamed<QLabel>(f, "LabelHlaseni")->isVisible());
}

TEST_F(CommandSave, WritesTheHarvestedSetAndRemembersIt) {
    TFormHlav& f = openCommandForm();
    childNamed<QCheckBox>(f, "CheckBoxExtMonitor")->setChecked(true);
    // Typed but not committed: Save takes the page's controls in first.
    typeInto(cell(1, 1), "33");
    chosenPath = path("saved.ign");
    QTest::mouseClick(f.findChild<QWidget*>("SpeedButton7"), Qt::LeftButton);

    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(storedCell(0, 1, 1), 33);
    EXPECT_EQ(readWholeFile(path("saved.ign")), IgnWriter::write(f.session().image(), true));
    EXPECT_EQ(childNamed<QLabel>(f, "LabelFile2")->text(), path("saved.ign"));
    EXPECT_EQ(f.lastFilePath(), path("saved.ign"));

    // The next Open offers the saved file; reading it back gives the same set.
    const ParameterImage saved = f.session().image();
    storedCell(0, 1, 1) = 20;
    chosenPath = path("saved.ign");
    press(Qt::Key_F3);
    EXPECT_EQ(dialogStarts.back(), path("saved.ign"));
    EXPECT_EQ(f.session().image(), saved);
}

TEST_F(CommandSave, CancelWritesNothing) {
    TFormHlav& f = openCommandForm();
    typeInto(cell(1, 1), "33");
    press(Qt::Key_F2);
    EXPECT_EQ(saveDialogs, 1);
    EXPECT_TRUE(messages.empty());
    EXPECT_NE(storedCell(0, 1, 1), 33) << "no harvest on cancel";
    EXPECT_EQ(childNamed<QLabel>(f, "LabelFile2")->text(), "");
}

TEST_F(CommandSave, FailedSaveKeepsTheFileAndTheRememberedPath) {
    TFormHlav& f = openCommandForm();
    writeText(path("kept.ign"), "the earlier file\n");
    QDir().mkpath(path("folder.ign"));
    f.hub().nameSetFile(path("kept.ign"));
    f.setLastFilePath(path("kept.ign"));

    for (const QString& target : {path("no/such/folder/x.ign"), path("folder.ign")}) {
        SCOPED_TRACE(target.toStdString());
        messages.clear();
        chosenPath = target;
        press(Qt::Key_F2);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], "Open file error!");
        EXPECT_EQ(childNamed<QLabel>(f, "LabelFile2")->text(), path("kept.ign"));
        EXPECT_EQ(f.lastFilePath(), path("kept.ign"));
    }
    EXPECT_FALSE(QFileInfo::exists(path("no")));

    // A write that fails part-way (the file size limit of the process) leaves the old file.
    messages.clear();
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    chosenPath = path("kept.ign");
    press(Qt::Key_F2);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Open file error!");
    EXPECT_EQ(readWholeFile(path("kept.ign")), "the earlier file\n");
    EXPECT_EQ(QDir(m_dir.path()).entryList({"kept.ign*"}, QDir::Files | QDir::Hidden),
              QStringList{"kept.ign"})
        << "no temporary file is left behind";

    // The dialog still starts at the file last saved or opened.
    chosenPath.clear();
    press(Qt::Key_F2);
    EXPECT_EQ(dialogStarts.back(), path("kept.ign"));
}

} // namespace
} // namespace kordana
