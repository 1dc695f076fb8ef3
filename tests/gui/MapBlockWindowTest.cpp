// Block selection on the map grid and the Edit menu's block commands in the window: Shift+click
// and Shift+arrows select without committing, the selection survives a refresh and a page
// change, a shortcut shapes the block as one undoable step, "Edit selection..." edits it, and
// Ctrl+C / Ctrl+V go through the clipboard.
#include "CommandFixture.h"

#include "features/editing/EditSelectionDialog.h"
#include "features/editing/EditingFeature.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

#include <map>

namespace kordana {
namespace {

class MapBlockWindow : public testing::CommandFixture {
protected:
    void shiftClick(UpDownEdit* field) {
        QTest::mouseClick(field->edit(), Qt::LeftButton, Qt::ShiftModifier);
    }
    void key(UpDownEdit* field, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(field->edit(), key, modifiers);
    }
    std::vector<int> storedRow(int row, int from, int to) {
        std::vector<int> values;
        for (int c = from; c <= to; ++c) {
            values.push_back(storedCell(0, row, c));
        }
        return values;
    }
};

using Block = mapblock::CellBlock;
using Row = std::vector<int>;

TEST_F(MapBlockWindow, SelectShapeEditCopyAndPasteWithKeysAndMouse) {
    TFormHlav& form = openCommandForm();
    const std::pair<int, Row> rows[] = {
        {2, {18, 40, 40, 40, 31}}, {3, {10, 0, 0, 0, 10}}, {4, {0, 5, 5, 5, 40}}};
    for (const auto& [row, values] : rows) {
        for (int c = 0; c < 5; ++c) {
            storedCell(0, row, 3 + c) = static_cast<std::uint8_t>(values[static_cast<size_t>(c)]);
        }
    }
    // Evenly spaced breakpoints (4000 .. 6000 rpm) over the block, so the shapes below come out
    // as by cell order; the weighting by breakpoint has its own tests.
    for (int c = 3; c <= 7; ++c) {
        storedBreakpoint(0, c) = static_cast<std::uint8_t>(80 + 10 * (c - 3));
    }
    form.ConsistencyPass();
    form.session().clearUndoHistory();
    form.PageRefresh();
    const ParameterImage before = form.session().image();

    // Typed, not committed; Ctrl+A, Shift+click and Shift+arrows only select.
    typeInto(cell(2, 3), "25");
    EXPECT_EQ(grid().selection(), (Block{0, 0, 9, 14}));
    shiftClick(cell(4, 7));
    EXPECT_EQ(grid().selection(), (Block{2, 3, 4, 7}));
    key(cell(2, 3), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(grid().selection(), (Block{2, 3, 4, 6}));
    key(cell(2, 3), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid().selection(), (Block{2, 3, 4, 7}));
    EXPECT_EQ(form.session().image().bytes, before.bytes);

    // Tinted; the lime operating point wins over the tint.
    const QColor lime(0, 255, 0);
    const QColor plain = cell(0, 0)->palette().color(QPalette::Base);
    const QColor tinted = cell(3, 5)->palette().color(QPalette::Base);
    EXPECT_NE(tinted, plain);
    grid().showMark(3, 5, true);
    EXPECT_EQ(cell(3, 5)->palette().color(QPalette::Base), lime);
    grid().showMark(-1, -1, false);
    EXPECT_EQ(cell(3, 5)->palette().color(QPalette::Base), tinted);

    // A refresh drops the typing and keeps the block; so does a page change.
    form.PageRefresh();
    EXPECT_EQ(text(cell(2, 3)), "18");
    EXPECT_EQ(grid().selection(), (Block{2, 3, 4, 7}));
    clickTab(9);
    EXPECT_FALSE(form.action("MenuSmooth")->isEnabled());
    clickTab(0);
    EXPECT_TRUE(form.action("MenuSmooth")->isEnabled());
    EXPECT_EQ(grid().selection(), (Block{2, 3, 4, 7}));
    EXPECT_EQ(form.session().image().bytes, before.bytes);

    // Ctrl+Shift+H in a cell: each row between its ends, one step for Undo.
    key(cell(2, 3), Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(storedRow(2, 3, 7), (Row{18, 21, 25, 28, 31}));
    EXPECT_EQ(storedRow(3, 3, 7), (Row{10, 10, 10, 10, 10}));
    EXPECT_EQ(storedRow(4, 3, 7), (Row{0, 10, 20, 30, 40}));
    EXPECT_EQ(text(cell(2, 5)), "25");
    const ParameterImage shaped = form.session().image();
    key(cell(2, 3), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.session().image().bytes, before.bytes);
    key(cell(2, 3), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(form.session().image().bytes, shaped.bytes);

    // Ctrl+C copies the block; Ctrl+V pastes it at another block's corner, clipped at the edge.
    key(cell(2, 3), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "18\t21\t25\t28\t31\n10\t10\t10\t10\t10\n0\t10\t20\t30\t40\n");
    key(cell(2, 3), Qt::Key_Escape, {});
    EXPECT_FALSE(grid().selection());
    QTest::mouseClick(cell(8, 13)->edit(), Qt::LeftButton);
    shiftClick(cell(8, 13));
    key(cell(8, 13), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(storedRow(8, 13, 14), (Row{18, 21}));
    EXPECT_EQ(storedRow(9, 13, 14), (Row{10, 10}));
    EXPECT_EQ(grid().selection(), (Block{8, 13, 9, 14}));

    // Ctrl+E: subtract 12 degrees from the pasted block, 0 the floor.
    key(cell(8, 13), Qt::Key_E, Qt::ControlModifier);
    ASSERT_TRUE(form.feature<EditingFeature>()->editSelectionDialog()->isVisible());
    form.feature<EditingFeature>()->editSelectionDialog()->choose(
        EditSelectionDialog::Choice::Subtract, 12);
    QTest::mouseClick(childNamed<QPushButton>(form, "ButtonSelectionOk"), Qt::LeftButton);
    EXPECT_EQ(storedRow(8, 13, 14), (Row{6, 9}));
    EXPECT_EQ(storedRow(9, 13, 14), (Row{0, 0}));

    // A word refuses the whole paste, with the reason in the status line.
    const ParameterImage edited = form.session().image();
    QGuiApplication::clipboard()->setText("1\t2\n3\tword\n");
    key(cell(8, 13), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form.session().image().bytes, edited.bytes);
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text().toStdString(),
              form.texts().TextPasteRefused);

    // Without a selection a field copies and pastes its own text.
    key(cell(8, 13), Qt::Key_Escape, {});
    cell(0, 0)->edit()->selectAll();
    key(cell(0, 0), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text(cell(0, 0)));
    QGuiApplication::clipboard()->setText("7");
    cell(0, 1)->edit()->selectAll();
    key(cell(0, 1), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(cell(0, 1)), "7");
    EXPECT_EQ(form.session().image().bytes, edited.bytes);
}

TEST_F(MapBlockWindow, NoTwoCommandsShareAKey) {
    TFormHlav& form = openCommandForm();
    std::map<QString, QString> owner;
    for (const QAction* action : form.findChildren<QAction*>()) {
        for (const QKeySequence& keys : action->shortcuts()) {
            const QString key = keys.toString();
            EXPECT_TRUE(owner.emplace(key, action->objectName()).second)
                << key.toStdString() << ": " << owner[key].toStdString() << " and "
                << action->objectName().toStdString();
        }
    }
    EXPECT_EQ(owner["Ctrl+Shift+S"], "MenuSmooth");
}

} // namespace
} // namespace kordana
