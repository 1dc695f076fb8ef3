// Where the set stands, in the status bar, through save, edit, program, read and a port change,
// with the simulated unit on a real pseudo-terminal.
#include "UnitWindowFixture.h"

#include "editors/MapGrid.h"
#include "editors/TCSpinButton.h"
#include "features/files/FilesFeature.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace kordana {
namespace {

using SetStateWindow = testing::UnitWindowFixture;

// One column step on the active map page, as a click on the column's upper arrow.
void stepColumn(TFormHlav& form, int column) {
    TCSpinButton* button = form.findChild<MapGrid*>()->columnSpinButton(column);
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(button->width() / 2, button->height() / 4));
}

TEST_F(SetStateWindow, FollowsSaveEditProgramReadAndPort) {
    TFormHlav& form = startWithUnit();
    const QLabel* state = childNamed<QLabel>(form, "LabelSetState");
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->text(), "not saved  |  unit: unknown");

    ASSERT_TRUE(form.feature<FilesFeature>()->saveParameterFile(m_dir.path() + "/set.ign"));
    EXPECT_EQ(state->text(), "saved  |  unit: unknown");

    stepColumn(form, 3);
    EXPECT_EQ(state->text(), "changed  |  unit: unknown");
    form.action("MenuUndo")->trigger();
    EXPECT_EQ(state->text(), "saved  |  unit: unknown");
    form.action("MenuRedo")->trigger();

    QTest::mouseClick(form.findChild<QPushButton*>("ButtonProgram"), Qt::LeftButton);
    runToIdle(form);
    EXPECT_EQ(state->text(), "changed  |  unit: same");

    stepColumn(form, 5);
    EXPECT_EQ(state->text(), "changed  |  unit: differs");
    form.action("MenuUndo")->trigger();
    form.action("MenuUndo")->trigger();
    EXPECT_EQ(state->text(), "saved  |  unit: differs");

    form.action("MenuRead")->trigger();
    runToIdle(form);
    EXPECT_EQ(state->text(), "changed  |  unit: same") << "the read brought the programmed set";
    form.action("MenuUndo")->trigger();
    EXPECT_EQ(state->text(), "saved  |  unit: differs") << "the read was one step";

    form.action("MenuGerman")->trigger();
    EXPECT_EQ(state->text(), "gespeichert  |  Zündung: abweichend");
    form.action("MenuCom2")->trigger();
    EXPECT_EQ(state->text(), "gespeichert  |  Zündung: unbekannt");
}

TEST_F(SetStateWindow, CompareWithUnitTellsWhatTheUnitHolds) {
    TFormHlav& form = startWithUnit();
    const QLabel* state = childNamed<QLabel>(form, "LabelSetState");
    form.action("MenuProgram")->trigger();
    runToIdle(form);
    form.action("MenuCom1")->trigger(); // the port may now lead to another unit
    EXPECT_EQ(state->text(), "not saved  |  unit: unknown");
    form.action("MenuCompare")->trigger();
    runToIdle(form);
    EXPECT_EQ(state->text(), "not saved  |  unit: same");

    form.action("MenuCom1")->trigger();
    stepColumn(form, 2);
    EXPECT_EQ(state->text(), "not saved  |  unit: unknown");
    form.action("MenuCompare")->trigger();
    runToIdle(form);
    EXPECT_EQ(state->text(), "not saved  |  unit: differs");
}

TEST_F(SetStateWindow, NextStartIsSavedWhileTheLastFileHoldsTheSet) {
    TFormHlav& form = createForm();
    ASSERT_TRUE(form.feature<FilesFeature>()->saveParameterFile(m_dir.path() + "/set.ign"));
    closeForm();
    EXPECT_EQ(childNamed<QLabel>(createForm(), "LabelSetState")->text(), "saved  |  unit: unknown");

    stepColumn(*m_form, 0);
    closeForm();
    EXPECT_EQ(childNamed<QLabel>(createForm(), "LabelSetState")->text(),
              "changed  |  unit: unknown");
}

} // namespace
} // namespace kordana
