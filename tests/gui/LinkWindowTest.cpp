// The window's Read, Verify and Program against the simulated unit on a real pseudo-terminal.
#include "UnitWindowFixture.h"

#include "features/unit/UnitFeature.h"
#include "link/LinkProtocol.h"
#include "params/ImageLayout.h"
#include "tools/unit-sim/UnitSimProcess.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kordana {
namespace {

using LinkWindow = testing::UnitWindowFixture;

TEST_F(LinkWindow, ProgramVerifyAndReadBackThroughTheWindow) {
    TFormHlav& form = startWithUnit();
    EXPECT_TRUE(messages.empty());
    setImageByte(form, layout::mapCell(0, 2, 3), 33);
    form.PageRefresh(); // the Program command takes the page's values first
    const ParameterImage programmed = form.session().image();

    QTest::mouseClick(form.findChild<QPushButton*>("ButtonProgram"), Qt::LeftButton);
    EXPECT_TRUE(childNamed<QLabel>(form, "LabelHlaseni")->isVisible());
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), "Program device:");
    runToIdle(form);
    form.Timer1Timer();
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), "Program device: OK");
    EXPECT_EQ(childNamed<QProgressBar>(form, "CGauge")->value(), 19);
    EXPECT_EQ(form.findChild<QLabel*>("LabelVerze1")->text(), "KRD07");
    EXPECT_EQ(form.findChild<QLabel*>("LabelVerze3")->text(), "14:30");

    form.action("MenuVerify")->trigger();
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), "Verify:");
    runToIdle(form);
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), "Verify: OK");

    setImageByte(form, layout::mapCell(0, 2, 3), 1);
    form.hub().nameSetFile("/tmp/x.ign");
    form.action("MenuRead")->trigger();
    EXPECT_EQ(childNamed<QLabel>(form, "LabelFile2")->text(), "");
    runToIdle(form);
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), "Verify: OK");
    EXPECT_TRUE(std::equal(programmed.bytes.begin() + 100, programmed.bytes.end(),
                           form.session().image().bytes.begin() + 100));
}

// The error as it is, then what a cut-off run may have left in the unit.
const QString kProgramErrorLine =
    "Program error! The unit may now hold a partly programmed set; program it again.";

TEST_F(LinkWindow, NoUnitGivesProgramErrorInRedAndNoConnection) {
    TFormHlav& form = startWithUnit({"--silent"});
    form.action("MenuProgram")->trigger();
    for (int i = 0; i < 30; ++i) {
        form.Timer1Timer();
    }
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), kProgramErrorLine);
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->palette().color(QPalette::Window),
              QColor(Qt::red));
    EXPECT_TRUE(childNamed<QLabel>(form, "LabelSpojeni")->isVisible());

    const struct {
        const char* language;
        const char* line;
    } languages[] = {
        {"MenuGerman", "Programmierfehler! Die Zündung kann jetzt einen teilweise programmierten "
                       "Satz enthalten; bitte erneut programmieren."},
        {"MenuFrench", "Erreur de programmation! Le boîtier peut contenir un jeu partiellement "
                       "programmé; programmez-le de nouveau."},
        {"MenuCzech", "Chyba programování Zapalování může nyní obsahovat částečně "
                      "naprogramovanou sadu; naprogramujte ho znovu."},
    };
    for (const auto& l : languages) {
        form.action(l.language)->trigger();
        form.action("MenuProgram")->trigger();
        for (int i = 0; i < 30; ++i) {
            form.Timer1Timer();
        }
        EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), QString(l.line)) << l.language;
    }
}

TEST_F(LinkWindow, PortThatCannotOpenShowsTheMessageAndStaysQuiet) {
    TFormHlav& form = createForm();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Com opening error!");
    childNamed<QTimer>(form, "Timer1")->stop();
    form.action("MenuProgram")->trigger();
    for (int i = 0; i < 30; ++i) {
        form.Timer1Timer();
    }
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), kProgramErrorLine);
}

TEST_F(LinkWindow, ComMenuMovesTheCheckMarkAndReopens) {
    TFormHlav& form = startWithUnit();
    writeSettings(""); // the window keeps its own copy of the settings
    form.action("MenuCom2")->trigger();
    EXPECT_EQ(form.feature<UnitFeature>()->comPortIndex(), 1);
    EXPECT_TRUE(form.action("MenuCom2")->isChecked());
    EXPECT_FALSE(form.action("MenuCom1")->isChecked());
    EXPECT_EQ(messages.size(), 1u); // COM2 is a path that does not exist
    form.action("MenuCom1")->trigger();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(form.action("MenuCom1")->isChecked());
}

TEST_F(LinkWindow, ReadProtectedUnit) {
    TFormHlav& form = startWithUnit({"--read-protect"});
    const ParameterImage before = form.session().image();
    form.action("MenuRead")->trigger();
    runToIdle(form);
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), "No reading!");
    EXPECT_TRUE(std::equal(before.bytes.begin() + 100, before.bytes.end(),
                           form.session().image().bytes.begin() + 100));
}

TEST_F(LinkWindow, OtherLayoutVersionShowsTheVersionMessage) {
    TFormHlav& form = startWithUnit({"--layout-version", "50"});
    form.action("MenuProgram")->trigger();
    runToIdle(form);
    QCoreApplication::processEvents(); // the message box is shown once the tick has finished
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Unmatched version of PC and Ignition programs!");
}

TEST_F(LinkWindow, VanishingDeviceBehavesAsASilentUnit) {
    TFormHlav& form = startWithUnit();
    m_unit.stop();
    form.action("MenuProgram")->trigger();
    for (int i = 0; i < 40; ++i) {
        form.Timer1Timer();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), kProgramErrorLine);
    EXPECT_TRUE(childNamed<QLabel>(form, "LabelSpojeni")->isVisible());
}

} // namespace
} // namespace kordana
