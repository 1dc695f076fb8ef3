#include "CommandFixture.h"

#include "features/unit/UnitFeature.h"
#include "link/LinkProtocol.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QStatusBar>

namespace kordana {
namespace {

using CommandShortcut = testing::CommandFixture;

TEST_F(CommandShortcut, KeysAndButtonsReachTheSameCommands) {
    TFormHlav& f = openCommandForm();
    auto button = [&f](const char* name) { return f.findChild<QAbstractButton*>(name); };
    auto click = [&](const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); };

    // New: both ask the same question (answered Cancel).
    nextAnswer = TFormHlav::Answer::Cancel;
    press(Qt::Key_N, Qt::ControlModifier);
    click("SpeedButton6");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], messages[1]);

    // Open and Save: both open their dialog (answered with cancel).
    press(Qt::Key_F3);
    click("SpeedButton5");
    EXPECT_EQ(openDialogs, 2);
    press(Qt::Key_F2);
    click("SpeedButton7");
    EXPECT_EQ(saveDialogs, 2);

    // Read, Verify, Program: the link starts the same run.
    const struct {
        Qt::Key key;
        const char* button;
        LinkMode mode;
    } runs[] = {{Qt::Key_F7, "ButtonRead", LinkMode::Read},
                {Qt::Key_F8, "ButtonVerify", LinkMode::Verify},
                {Qt::Key_F9, "ButtonProgram", LinkMode::Program}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.button);
        f.hub().nameSetFile("x.ign");
        press(run.key);
        EXPECT_EQ(f.feature<UnitFeature>()->link().mode(), run.mode);
        const bool readClears = run.mode == LinkMode::Read;
        EXPECT_EQ(childNamed<QLabel>(f, "LabelFile2")->text().isEmpty(), readClears);
        f.feature<UnitFeature>()->link().hideStatus();
        for (const auto& other : runs) { // start something else in between
            if (other.mode != run.mode) {
                click(other.button);
                break;
            }
        }
        f.hub().nameSetFile("x.ign");
        click(run.button);
        EXPECT_EQ(f.feature<UnitFeature>()->link().mode(), run.mode);
        EXPECT_EQ(childNamed<QLabel>(f, "LabelFile2")->text().isEmpty(), readClears);
    }

    // Print and the Tools items: the keys trigger the menu items the buttons share.
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* item;
    } items[] = {{Qt::Key_P, Qt::ControlModifier, "MenuPrint"},
                 {Qt::Key_F4, {}, "MenuToolsMinus"},
                 {Qt::Key_F5, {}, "MenuToolsPlus"},
                 {Qt::Key_F1, {}, "MenuContens"}};
    for (const auto& item : items) {
        SCOPED_TRACE(item.item);
        QSignalSpy spy(f.action(item.item), &QAction::triggered);
        press(item.key, item.modifiers);
        EXPECT_EQ(spy.count(), 1);
    }
}

TEST_F(CommandShortcut, ToolBarShowsTooltipsAndTheStatusBarTheLongHint) {
    TFormHlav& f = openCommandForm();
    const struct {
        const char* name;
        const char* hint;
    } controls[] = {{"SpeedButton6", "Set default parametrs"},
                    {"SpeedButton5", "Open file with parametrs"},
                    {"SpeedButton7", "Save parametrs to file"},
                    {"SpeedButtonPrint", "Print parametrs"},
                    {"ButtonRead", "Reading parametrs from ignition"}};
    for (const auto& control : controls) {
        SCOPED_TRACE(control.name);
        auto* widget = f.findChild<QWidget*>(control.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->toolTip(), control.hint);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(widget, &enter);
        EXPECT_EQ(childNamed<QStatusBar>(f, "StatusBar1")->currentMessage(), control.hint);
    }
    // Off the tool bar a control has its hint in the status bar only.
    EXPECT_EQ(childNamed<QCheckBox>(f, "CheckBoxProgHned")->toolTip(), "");
    EXPECT_EQ(childNamed<QCheckBox>(f, "CheckBoxProgHned")->statusTip(),
              "Programing at once after change");
}

TEST_F(CommandShortcut, GlyphButtonsHaveTheirOwnPictures) {
    TFormHlav& f = openCommandForm();
    std::vector<QImage> pictures;
    for (const char* name : {"SpeedButton6", "SpeedButton5", "SpeedButton7", "SpeedButtonPrint"}) {
        auto* button = f.findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr);
        ASSERT_FALSE(button->icon().isNull()) << name;
        pictures.push_back(button->icon().pixmap(24, 24).toImage());
    }
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        for (std::size_t j = i + 1; j < pictures.size(); ++j) {
            EXPECT_NE(pictures[i], pictures[j]) << i << " and " << j;
        }
    }
}

} // namespace
} // namespace kordana
