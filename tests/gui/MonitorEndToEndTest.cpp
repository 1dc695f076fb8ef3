// The monitor panel fed by the simulated unit on a real pseudo-terminal through the window's
// own timer handler and link.
#include "UnitWindowFixture.h"

#include "features/monitor/MonitorPanel.h"
#include "tools/unit-sim/UnitSimProcess.h"

#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>

namespace kordana {
namespace {

class MonitorEndToEnd : public testing::UnitWindowFixture {
protected:
    /// Ticks the window until the speed label shows a speed other than `previous`.
    int nextSpeed(TFormHlav& form, int previous) {
        static const QRegularExpression pattern("^RPM = (\\d+) $");
        for (int i = 0; i < 600; ++i) {
            form.Timer1Timer();
            const auto match = pattern.match(label(form, "LabelRpm")->text());
            if (match.hasMatch() && match.captured(1).toInt() != previous) {
                return match.captured(1).toInt();
            }
            awaitUnit(form);
        }
        ADD_FAILURE() << "speed label stayed at " << previous;
        return previous;
    }

    static QLabel* label(TFormHlav& form, const char* name) {
        return form.findChild<QLabel*>(name);
    }
};

TEST_F(MonitorEndToEnd, PanelFollowsTheSweep) {
    TFormHlav& form = startWithUnit();
    const int first = nextSpeed(form, -1);
    const int second = nextSpeed(form, first);
    EXPECT_NE(first, second);
    EXPECT_GE(second, 800);
    EXPECT_LE(second, 9000);
    EXPECT_EQ(form.liveValues().engineSpeed, second);
    EXPECT_EQ(form.findChild<QProgressBar*>("CGaugeRpm")->value(), second / 100);
    EXPECT_TRUE(label(form, "LabelTpsMon")->text().startsWith("TP= "));
    EXPECT_TRUE(label(form, "LabelMon_Jet1A")->text().startsWith("INJ. TIME 1A= "));
    EXPECT_FALSE(label(form, "LabelVersion")->isVisibleTo(&form));
    EXPECT_FALSE(childNamed<QLabel>(form, "LabelSpojeni")->isVisibleTo(&form));
}

TEST_F(MonitorEndToEnd, UnitOfAnotherProgramVersionIsReported) {
    TFormHlav& form = startWithUnit({"--program-version", "50"});
    nextSpeed(form, -1);
    EXPECT_TRUE(label(form, "LabelVersion")->isVisibleTo(&form));
    EXPECT_EQ(label(form, "LabelVersion")->text(),
              "Unmatched version of PC and Ignition programs!  PC-51, IGN-50");
    EXPECT_EQ(MonitorPanel::backgroundOf(label(form, "LabelVersion")), QColor(255, 0, 0));
}

} // namespace
} // namespace kordana
