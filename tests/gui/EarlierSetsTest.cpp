// The history of replaced sets in the window: New, Open and Read keep the set they replace,
// and File > Earlier sets... lists the entries and restores one.
#include "CommandFixture.h"
#include "UnitWindowFixture.h"

#include "features/history/EarlierSetsDialog.h"
#include "features/history/HistoryFeature.h"
#include "params/ParameterFileLoader.h"

#include <QFile>
#include <QStatusBar>
#include <QTreeWidget>

namespace kordana {
namespace {

using Answer = TFormHlav::Answer;

HistoryFeature& historyOf(TFormHlav& form) {
    return *form.feature<HistoryFeature>();
}

/// The entry's set read over `current`, as a restore reads it.
ParameterImage entrySet(const SetHistoryEntry& entry, const ParameterImage& current) {
    const ParameterFileLoad load =
        ParameterFileLoader::load(QFile::encodeName(entry.path).toStdString(), current, false);
    EXPECT_TRUE(load.read.applicable()) << entry.path.toStdString();
    return load.read.image;
}

class EarlierSets : public testing::CommandFixture {
protected:
    TFormHlav& openHistoryForm() {
        TFormHlav& f = openCommandForm();
        historyOf(f).setHistoryFolder(path("history"));
        return f;
    }
    std::vector<SetHistoryEntry> entries() { return historyOf(form()).history()->entries(); }
    QLabel* fileLabel() { return childNamed<QLabel>(form(), "LabelFile2"); }
};

TEST_F(EarlierSets, NewAndOpenKeepTheSetTheyReplace) {
    TFormHlav& f = openHistoryForm();
    storedCell(0, 2, 3) = 55;
    f.PageRefresh();
    f.hub().nameSetFile("/somewhere/tuned.ign");
    const ParameterImage tuned = f.session().image();

    nextAnswer = Answer::Cancel;
    press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(entries().empty()) << "a declined New replaces nothing";

    nextAnswer = Answer::Yes;
    press(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(entries().size(), 1u);
    EXPECT_EQ(entries()[0].causeName, "new");
    EXPECT_EQ(entries()[0].sourceFile, "/somewhere/tuned.ign");
    EXPECT_EQ(entrySet(entries()[0], f.session().image()), tuned);

    const ParameterImage defaults = f.session().image();
    ParameterImage other = defaults;
    other[layout::mapCell(5, 0, 0)] = 40;
    chosenPath = path("other.ign");
    writeText(chosenPath, IgnWriter::write(other, false));
    press(Qt::Key_F3);
    ASSERT_EQ(entries().size(), 2u);
    EXPECT_EQ(entries()[0].causeName, "open");
    EXPECT_EQ(entries()[0].sourceFile, "");
    EXPECT_EQ(entrySet(entries()[0], f.session().image()), defaults);
    EXPECT_EQ(messages.size(), 2u) << "the two questions of New, nothing more";
}

TEST_F(EarlierSets, AHistoryThatCannotBeWrittenNeverStopsNew) {
    TFormHlav& f = openCommandForm();
    writeText(path("history"), "a file where the folder should be");
    historyOf(f).setHistoryFolder(path("history"));
    storedCell(0, 2, 3) = 55;
    nextAnswer = Answer::Yes;
    press(Qt::Key_N, Qt::ControlModifier);

    EXPECT_EQ(f.session().image(), defaultsFor(f.session().image(), 0));
    EXPECT_EQ(messages.size(), 1u) << "the question of New, nothing more";
    EXPECT_EQ(childNamed<QStatusBar>(f, "StatusBar1")->currentMessage(),
              "The replaced set could not be kept among the earlier sets! " + path("history") +
                  ": Not a directory");
}

TEST_F(EarlierSets, TheDialogListsTheEntriesAndRestoresOneAsOneChange) {
    TFormHlav& f = openHistoryForm();
    storedCell(0, 2, 3) = 55;
    f.PageRefresh();
    f.hub().nameSetFile("/somewhere/tuned.ign");
    const ParameterImage tuned = f.session().image();
    nextAnswer = Answer::Yes;
    press(Qt::Key_N, Qt::ControlModifier);
    const ParameterImage defaults = f.session().image();

    f.action("MenuEarlierSets")->trigger();
    auto* dialog = childNamed<EarlierSetsDialog>(f, "FormEarlierSets");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    QTreeWidget* list = childNamed<QTreeWidget>(*dialog, "ListEarlierSets");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    QTreeWidgetItem* row = list->topLevelItem(0);
    EXPECT_EQ(row->text(0), entries()[0].time.toString("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(row->text(1), "New");
    EXPECT_EQ(row->text(2), "/somewhere/tuned.ign");

    f.action("MenuGerman")->trigger();
    EXPECT_EQ(dialog->windowTitle(), "Frühere Sätze");
    EXPECT_EQ(list->headerItem()->text(1), "Ersetzt durch");
    EXPECT_EQ(list->topLevelItem(0)->text(1), "Neu");

    int changes = 0;
    f.session().setChangeListener([&](const ChangeSet&) { ++changes; });
    const QPoint at = list->visualItemRect(list->topLevelItem(0)).center();
    // An item view takes a double click only after the press and release of a first click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);

    EXPECT_EQ(f.session().image(), tuned);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(text(cell(2, 3)), "55");
    EXPECT_EQ(fileLabel()->text(), "");
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(entries().size(), 2u);
    EXPECT_EQ(entries()[0].causeName, "restore");
    EXPECT_EQ(entrySet(entries()[0], f.session().image()), defaults);
}

using EarlierSetsRead = testing::UnitWindowFixture;

TEST_F(EarlierSetsRead, ReadKeepsTheSetBeforeTheFirstBlockLands) {
    TFormHlav& form = startWithUnit();
    historyOf(form).setHistoryFolder(m_dir.path() + "/history");
    setImageByte(form, layout::mapCell(0, 2, 3), 33);
    form.hub().nameSetFile("/tmp/x.ign");

    form.action("MenuRead")->trigger();
    std::vector<SetHistoryEntry> kept = historyOf(form).history()->entries();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].causeName, "read");
    EXPECT_EQ(kept[0].sourceFile, "/tmp/x.ign");

    runToIdle(form);
    EXPECT_NE(form.session().image()[layout::mapCell(0, 2, 3)], 33) << "the unit's set came in";
    EXPECT_EQ(entrySet(kept[0], form.session().image())[layout::mapCell(0, 2, 3)], 33);
    EXPECT_EQ(historyOf(form).history()->entries().size(), 1u);
}

} // namespace
} // namespace kordana
