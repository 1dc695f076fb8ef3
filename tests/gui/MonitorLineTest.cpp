// The monitor panel on a small screen: one line of the values a dyno run is watched by, or a
// window of its own; both kept in the KORDANA section once chosen.
#include "FormFixture.h"

#include "features/monitor/MonitorFeature.h"
#include "features/monitor/MonitorPanel.h"
#include "monitor/MonitorFrame.h"
#include "settings/IniFile.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>

namespace kordana {
namespace {

MonitorFrame dynoRun(std::array<std::uint8_t, 3> knockAlarm) {
    MonitorFrame f;
    f.command = 0xB0;
    f.engineSpeed = 6500;
    f.throttleOpening = 42;
    f.lambdaRaw = 160; // 782 mV
    f.advance = {2450, 2400, 2475};
    f.injectionTime = {3200, 3150, 3250, 3100, 3300, 3120};
    f.knockAlarm = knockAlarm;
    f.coolantByte = 185;
    f.airByte = 125;
    f.version = 51;
    return f;
}

class MonitorLine : public testing::FormFixture {
protected:
    MonitorPanel& panel(TFormHlav& f) { return *f.feature<MonitorFeature>()->panel(); }
    QWidget* named(TFormHlav& f, const char* name) { return f.findChild<QWidget*>(name); }
};

TEST_F(MonitorLine, OneLineSaysSpeedThrottleLambdaAdvanceInjectionAndKnock) {
    TFormHlav& f = createForm();
    MonitorPanel& p = panel(f);
    EXPECT_FALSE(p.oneLine());
    EXPECT_FALSE(p.lineValues()->isVisible());
    EXPECT_EQ(p.lineValues()->text(),
              "RPM = ---  |  TP= ---  |  LAMBDA= ---  |  ADVANCE 1= ---  |  INJ. TIME 1A= ---");

    QTest::mouseClick(p.oneLineButton(), Qt::LeftButton);
    EXPECT_TRUE(p.oneLine());
    EXPECT_TRUE(p.lineValues()->isVisible());
    EXPECT_FALSE(named(f, "PanelMonWhole")->isVisible());
    EXPECT_FALSE(named(f, "LabelRpm")->isVisible());
    // One line tall: the line and its toggles, no group of the whole panel.
    EXPECT_LE(named(f, "PanelMonitor")->sizeHint().height(),
              p.oneLineButton()->sizeHint().height() + 8);

    const struct {
        std::array<std::uint8_t, 3> alarms;
        const char* knock;
        bool red;
    } cases[] = {
        {{0, 0, 0}, "Knock: -", false},
        {{0, 1, 1}, "Knock: 2, 3", true},
        {{1, 0, 0}, "Knock: 1", true},
    };
    for (const auto& c : cases) {
        f.ShowMonitorFrame(encodeMonitorFrame(dynoRun(c.alarms)));
        EXPECT_EQ(p.lineValues()->text(),
                  QString::fromUtf8("RPM = 6500  |  TP= 42 %  |  LAMBDA= 782 "
                                    "mV  |  ADVANCE 1= 24.5 °  |  INJ. "
                                    "TIME 1A= 3200 us"));
        EXPECT_EQ(p.lineKnock()->text(), c.knock);
        EXPECT_EQ(MonitorPanel::backgroundOf(p.lineKnock()) == QColor(255, 0, 0), c.red) << c.knock;
    }

    QTest::mouseClick(p.oneLineButton(), Qt::LeftButton);
    EXPECT_TRUE(named(f, "LabelRpm")->isVisible());
    EXPECT_FALSE(p.lineValues()->isVisible());
}

TEST_F(MonitorLine, DetachesIntoAWindowOfItsOwnAndComesBackWhenItCloses) {
    TFormHlav& f = createForm();
    MonitorFeature& monitor = *f.feature<MonitorFeature>();
    QTest::mouseClick(panel(f).detachButton(), Qt::LeftButton);
    ASSERT_TRUE(monitor.detached());
    EXPECT_EQ(monitor.window()->objectName(), "FormMonitor");
    EXPECT_TRUE(monitor.window()->isAncestorOf(named(f, "LabelRpm")));
    EXPECT_FALSE(named(f, "PanelMonitor")->isVisible());

    f.ShowMonitorFrame(encodeMonitorFrame(dynoRun({0, 0, 0})));
    EXPECT_EQ(qobject_cast<QLabel*>(named(f, "LabelRpm"))->text(), "RPM = 6500 ");

    monitor.window()->close();
    EXPECT_FALSE(monitor.detached());
    EXPECT_FALSE(panel(f).detachButton()->isChecked());
    EXPECT_TRUE(named(f, "PanelMonitor")->isAncestorOf(named(f, "LabelRpm")));
    EXPECT_TRUE(named(f, "PanelMonitor")->isVisible());
}

TEST_F(MonitorLine, ChoicesAreKeptOnceMade) {
    createForm();
    closeForm();
    const std::string untouched = readFile("Kordana_R_2006.ini");
    EXPECT_EQ(untouched.find("MonitorOneLine"), std::string::npos) << "nothing chosen";
    EXPECT_EQ(untouched.find("MonitorDetached"), std::string::npos) << "nothing written";

    TFormHlav& f = createForm();
    QTest::mouseClick(panel(f).oneLineButton(), Qt::LeftButton);
    QTest::mouseClick(panel(f).detachButton(), Qt::LeftButton);
    closeForm();
    IniFile ini = IniFile::parse(readFile("Kordana_R_2006.ini"));
    EXPECT_EQ(ini.value("KORDANA", "MonitorOneLine"), "1");
    EXPECT_EQ(ini.value("KORDANA", "MonitorDetached"), "1");

    TFormHlav& again = createForm();
    EXPECT_TRUE(panel(again).oneLine());
    EXPECT_TRUE(again.feature<MonitorFeature>()->detached()) << "opened with the window";
    QTest::mouseClick(panel(again).oneLineButton(), Qt::LeftButton);
    QTest::mouseClick(panel(again).detachButton(), Qt::LeftButton);
    closeForm();
    // Back to the defaults: still written, so the next start does not guess.
    ini = IniFile::parse(readFile("Kordana_R_2006.ini"));
    EXPECT_EQ(ini.value("KORDANA", "MonitorOneLine"), "0");
    EXPECT_EQ(ini.value("KORDANA", "MonitorDetached"), "0");
}

} // namespace
} // namespace kordana
