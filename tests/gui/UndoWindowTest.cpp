// Edit > Undo and Redo in the window: every kind of command goes back and forth through the
// commit tail, and Ctrl+Z in a field undoes the last committed change, not the typing.
#include "CommandFixture.h"
#include "features/files/FilesFeature.h"
#include "features/unit/UnitFeature.h"

#include <QAction>
#include <QCheckBox>
#include <QMenuBar>

#include <functional>

namespace kordana {
namespace {

class UndoWindow : public testing::CommandFixture {
protected:
    // A window in Separate mode whose start is no step to undo.
    TFormHlav& openUndoForm() {
        TFormHlav& form = openCommandForm();
        form.ConsistencyPass(); // takes in the modes the fixture wrote
        form.session().clearUndoHistory();
        form.feature<FilesFeature>()->ShowWhereSetStands();
        return form;
    }
    void ctrl(Qt::Key key, Qt::KeyboardModifiers more = {}) {
        press(key, Qt::ControlModifier | more);
    }
};

TEST_F(UndoWindow, CtrlZInAMapCellUndoesTheLastCommitAndDropsTheTyping) {
    TFormHlav& form = openUndoForm();
    QAction* undo = form.action("MenuUndo");
    QAction* redo = form.action("MenuRedo");
    EXPECT_EQ(form.menuBar()->actions().at(1)->objectName(), "MenuEditAction");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    const std::uint8_t stored = storedCell(0, 2, 3);
    const QString shown = text(cell(2, 3));
    ASSERT_NE(stored, 25);
    typeAndEnter(cell(2, 3), "25");
    EXPECT_EQ(storedCell(0, 2, 3), 25);
    EXPECT_TRUE(undo->isEnabled());

    typeInto(cell(2, 3), "40");
    QTest::keyClick(cell(2, 3)->edit(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(storedCell(0, 2, 3), stored);
    EXPECT_EQ(text(cell(2, 3)), shown) << "the typed 40 is gone with the refresh";
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());

    QTest::keyClick(cell(2, 3)->edit(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(storedCell(0, 2, 3), 25);
    EXPECT_EQ(text(cell(2, 3)), "25");
    QTest::keyClick(cell(2, 3)->edit(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(cell(2, 3)->edit(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(storedCell(0, 2, 3), 25);
}

struct WindowCommand {
    const char* name;
    std::function<void()> run;
};

TEST_F(UndoWindow, EachKindOfCommandGoesBackAndForthThroughTheCommitTail) {
    TFormHlav& form = openUndoForm();
    QTest::mouseClick(childNamed<QCheckBox>(form, "CheckBoxProgHned"), Qt::LeftButton);
    ParameterImage fromFile = form.session().image();
    fromFile[layout::kLimiter] = 150;
    chosenPath = path("other.ign");
    writeText(chosenPath, IgnWriter::write(fromFile, true));
    nextAnswer = TFormHlav::Answer::Yes;

    const WindowCommand commands[] = {
        {"column step", [this] { clickArrow(grid().columnSpinButton(4), true); }},
        {"map tool, whole map",
         [this] {
             QTest::mouseClick(grid().allCheckBox(), Qt::LeftButton);
             press(Qt::Key_F5);
         }},
        {"1 = 2 = 3", [&form] { form.action("Menu_Ign123Stejny")->trigger(); }},
        {"New", [this] { press(Qt::Key_N, Qt::ControlModifier); }},
        {"Open", [this] { press(Qt::Key_F3); }},
    };
    for (const WindowCommand& command : commands) {
        SCOPED_TRACE(command.name);
        const ParameterImage before = form.session().image();
        const bool tabsBefore = childNamed<QTabWidget>(form, "PageControl1")->isTabVisible(1);
        command.run();
        const ParameterImage after = form.session().image();
        ASSERT_NE(before.bytes, after.bytes);
        const int starts = form.feature<UnitFeature>()->programmingAfterChangeStarts();

        ctrl(Qt::Key_Z);
        EXPECT_EQ(form.session().image().bytes, before.bytes);
        EXPECT_EQ(form.feature<UnitFeature>()->programmingAfterChangeStarts(), starts + 1);
        EXPECT_EQ(childNamed<QTabWidget>(form, "PageControl1")->isTabVisible(1), tabsBefore);
        EXPECT_EQ(form.action("Menu_Ign123Normal")->isChecked(),
                  before[layout::kMode] == coupling::kSeparate);

        ctrl(Qt::Key_Y);
        EXPECT_EQ(form.session().image().bytes, after.bytes);
        EXPECT_EQ(form.feature<UnitFeature>()->programmingAfterChangeStarts(), starts + 2);
    }
    EXPECT_TRUE(childNamed<QCheckBox>(form, "CheckBoxExtMonitor")->isChecked())
        << "the Extended Monitor comes and goes with the file";
    ctrl(Qt::Key_Z);
    EXPECT_FALSE(childNamed<QCheckBox>(form, "CheckBoxExtMonitor")->isChecked());
}

} // namespace
} // namespace kordana
