#include "FormFixture.h"

#include "features/language/LanguageFeature.h"
#include "features/monitor/GaugeBar.h"
#include "features/monitor/MonitorFeature.h"
#include "features/monitor/MonitorPanel.h"
#include "monitor/MonitorFrame.h"
#include "params/ImageLayout.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QSet>

namespace kordana {
namespace {

// Counts the repaints and palette changes of the monitor widgets it watches, by objectName.
class RepaintCounter : public QObject {
public:
    explicit RepaintCounter(QWidget* panel) {
        for (QWidget* w : panel->findChildren<QWidget*>()) {
            if (qobject_cast<QLabel*>(w) != nullptr || qobject_cast<QProgressBar*>(w) != nullptr) {
                w->installEventFilter(this);
            }
        }
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint || event->type() == QEvent::PaletteChange) {
            touched.insert(watched->objectName());
        }
        return false;
    }
    QSet<QString> touched;
};

// A running engine as the unit reports it: 6500 rpm, warm, lambda input, version 51.
MonitorFrame runningEngine() {
    MonitorFrame f;
    f.engineSpeed = 6500;
    f.pressureRaw = 420;
    f.pressure = 1013;
    f.throttleRaw = 600;
    f.lambdaRaw = 160;
    f.coolantRaw = 300;
    f.airRaw = 500;
    f.supplyRaw = 270;
    f.injectionTime = {3200, 3150, 3250, 3100, 3300, 3120};
    f.servoMeasuredRaw = 400;
    f.servoDesiredRaw = 410;
    f.programmingCount = 27;
    f.testValue = {1, 2, 3, 4, 5, 6, 7, 8};
    f.throttleOpening = 42;
    f.coolantByte = 185;
    f.airByte = 125;
    f.version = 51;
    f.servoInOrder = 1;
    f.tachoLambda = 1;
    f.knockRaw = {80, 95, 120};
    f.advance = {2450, 2400, 2475};
    f.positionA = 120;
    f.positionB = 125;
    f.coolantCorrection = 1000;
    f.airCorrection = 985;
    f.pressureCorrection = 1012;
    f.startCorrection = 1100;
    f.voltageCorrection = 1040;
    return f;
}

class MonitorPanelTest : public testing::FormFixture {
protected:
    TFormHlav& form() { return m_form ? *m_form : createForm(); }

    void show(const MonitorFrame& frame) { form().ShowMonitorFrame(encodeMonitorFrame(frame)); }

    QLabel* label(const char* name) {
        auto* widget = form().findChild<QLabel*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString text(const char* name) { return label(name)->text(); }
    bool shown(const char* name) { return label(name)->isVisibleTo(&form()); }
    QColor background(const char* name) { return MonitorPanel::backgroundOf(label(name)); }

    QProgressBar* gauge(const char* name) {
        auto* widget = form().findChild<QProgressBar*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QColor colour(MonitorColour c) { return MonitorPanel::colourOf(c, form().palette()); }
};

TEST_F(MonitorPanelTest, EveryControlExistsWithItsStartState) {
    const char* const labels[] = {
        "LabelRpm",           "LabelLambda",      "LabelTpsMon",       "LabelMon_Ign1",
        "LabelMon_Ign2",      "LabelMon_Ign3",    "LabelMon_Jet1A",    "LabelMon_Jet1B",
        "LabelMon_Jet2A",     "LabelMon_Jet2B",   "LabelMon_Jet3A",    "LabelMon_Jet3B",
        "LabelMaxInjProcent", "LabelMon_PolohaA", "LabelMon_PolohaB",  "LabelTlak",
        "LabelVoda",          "LabelVzduch",      "LabelNapeti",       "LabelServoPoz",
        "LabelServoMer",      "LabelLimiter1",    "LabelTacho_Lambda", "LabelTlakOleje",
        "LabelKorVoda",       "LabelKorVzduch",   "LabelKorTlak",      "LabelKorSytic",
        "LabelKorNapeti",     "LabelKnockMon1",   "LabelKnockMon2",    "LabelKnockMon3",
        "LabelPowerOut1",     "LabelPowerOut2",   "LabelPowerOut3",    "LabelPocetProgramovani",
        "LabelVersion",       "LabelEeDataErr"};
    for (const char* name : labels) {
        EXPECT_EQ(form().findChildren<QLabel*>(name).size(), 1) << name;
    }
    for (const char* name :
         {"CGaugeRpm", "CGaugeLambda", "CGaugeTps", "CGaugeDuty", "CGaugeVoda"}) {
        ASSERT_EQ(form().findChildren<QProgressBar*>(name).size(), 1) << name;
        EXPECT_EQ(gauge(name)->minimum(), 0) << name;
        EXPECT_EQ(gauge(name)->maximum(), 100) << name;
    }
    EXPECT_EQ(childNamed<QCheckBox>(form(), "CheckBoxExtMonitor"),
              form().findChild<QCheckBox*>("CheckBoxExtMonitor"));
    EXPECT_EQ(childNamed<QCheckBox>(form(), "CheckBoxExtMonitor")->text(), "Extended Monitor");
    EXPECT_EQ(childNamed<QLabel>(form(), "LabelEeDataErr"), label("LabelEeDataErr"));
    EXPECT_FALSE(shown("LabelVersion"));
    EXPECT_EQ(background("LabelVersion"), colour(MonitorColour::Red));
    EXPECT_FALSE(shown("LabelEeDataErr"));
    EXPECT_FALSE(shown("LabelTest1"));
    EXPECT_EQ(text("LabelPowerOut2"), "Power Out 2");
    EXPECT_EQ(background("LabelPowerOut2"), colour(MonitorColour::Lime));
}

TEST_F(MonitorPanelTest, RunningEngineIsPaintedInItsFormats) {
    show(runningEngine());
    const std::pair<const char*, const char*> expected[] = {
        {"LabelRpm", "RPM = 6500 "},
        {"LabelTpsMon", "TP= 42 %"},
        {"LabelLambda", "LAMBDA= 782 mV"},
        {"LabelMon_Ign1", "ADVANCE 1= 24.5 °"},
        {"LabelMon_Ign2", "ADVANCE 2 =24.0 °"},
        {"LabelMon_Jet3B", "INJ. TIME 3B= 3120 us"},
        {"LabelMaxInjProcent", "INJ. DUTY = 17 [%]"},
        {"LabelMon_PolohaB", "POSITION B= 125 °"},
        {"LabelTlak", "AP= 101.3 kPa"},
        {"LabelVoda", "TW= 85 °C"},
        {"LabelVzduch", "AT= 25 °C"},
        {"LabelNapeti", "U= 14.5 V"},
        {"LabelKorVzduch", "AT correction=98.5 %"},
        {"LabelKorNapeti", "U correction= 40 us"},
        {"LabelKnockMon3", "Knock Level 3 = 586 mV"},
        {"LabelTacho_Lambda", "Tacho/Lambda= Tacho"},
        {"LabelLimiter1", "Start limiter = OFF"},
        {"LabelPocetProgramovani", "Number of Programing = 27"},
    };
    for (const auto& [name, want] : expected) {
        EXPECT_EQ(text(name), QString::fromUtf8(want)) << name;
    }
    EXPECT_EQ(gauge("CGaugeRpm")->value(), 65);
    EXPECT_EQ(gauge("CGaugeTps")->value(), 42);
    EXPECT_EQ(gauge("CGaugeLambda")->value(), 63);
    EXPECT_EQ(gauge("CGaugeDuty")->value(), 17);
    EXPECT_EQ(gauge("CGaugeVoda")->value(), 85);
    EXPECT_EQ(MonitorPanel::foreColourOf(gauge("CGaugeVoda")), colour(MonitorColour::Aqua));
    EXPECT_EQ(background("LabelRpm"), colour(MonitorColour::Normal));
    EXPECT_FALSE(shown("LabelVersion"));
    EXPECT_EQ(form().liveValues().engineSpeed, 6500);
}

TEST_F(MonitorPanelTest, AdvanceZeroIsBaseAndAdvanceShowsOneDecimal) {
    MonitorFrame f = runningEngine();
    f.advance = {0, 1250, 0};
    show(f);
    EXPECT_EQ(text("LabelMon_Ign1"), "ADVANCE 1= BASE");
    EXPECT_EQ(text("LabelMon_Ign2"), QString::fromUtf8("ADVANCE 2 =12.5 °"));
    EXPECT_EQ(text("LabelMon_Ign3"), "ADVANCE 3= BASE");
    f.advance = {1250, 0, 0};
    show(f);
    EXPECT_EQ(text("LabelMon_Ign1"), QString::fromUtf8("ADVANCE 1= 12.5 °"));
    EXPECT_EQ(text("LabelMon_Ign2"), "ADVANCE 2= BASE");
}

TEST_F(MonitorPanelTest, DutyGaugeFillsAndTurnsYellowAboveHundredThenBack) {
    MonitorFrame f = runningEngine();
    f.engineSpeed = 12000;
    f.injectionTime = {12500, 0, 0, 0, 0, 0};
    show(f);
    EXPECT_EQ(text("LabelMaxInjProcent"), "INJ. DUTY = 125 [%]");
    EXPECT_EQ(gauge("CGaugeDuty")->value(), 100);
    EXPECT_EQ(MonitorPanel::foreColourOf(gauge("CGaugeDuty")), colour(MonitorColour::Yellow));
    EXPECT_EQ(gauge("CGaugeRpm")->value(), 100); // 120 clamped

    f.engineSpeed = 6000;
    f.injectionTime = {0, 0, 0, 2000, 0, 0};
    show(f);
    EXPECT_EQ(text("LabelMaxInjProcent"), "INJ. DUTY = 10 [%]");
    EXPECT_EQ(gauge("CGaugeDuty")->value(), 10);
    EXPECT_EQ(MonitorPanel::foreColourOf(gauge("CGaugeDuty")), colour(MonitorColour::Aqua));
}

TEST_F(MonitorPanelTest, SensorErrorsShowInRed) {
    MonitorFrame f = runningEngine();
    f.coolantByte = 0;
    f.airByte = 0;
    f.throttleOpening = 101;
    f.pressureRaw = 1007;
    f.supplyRaw = 335;
    f.oilPressureError = 1;
    f.knockAlarm = {0, 1, 0};
    f.servoInOrder = 0;
    show(f);
    EXPECT_EQ(text("LabelVoda"), "TW= ERROR");
    EXPECT_EQ(background("LabelVoda"), colour(MonitorColour::Red));
    EXPECT_EQ(MonitorPanel::foreColourOf(gauge("CGaugeVoda")), colour(MonitorColour::Red));
    EXPECT_EQ(gauge("CGaugeVoda")->value(), 80);
    EXPECT_EQ(form().liveValues().coolantByte, 180);
    EXPECT_EQ(text("LabelVzduch"), QString::fromUtf8("AT= 50 °C"));
    EXPECT_EQ(form().liveValues().airByte, 0);
    EXPECT_EQ(text("LabelTpsMon"), "TP=error=2932 mV");
    EXPECT_EQ(gauge("CGaugeTps")->value(), 0);
    for (const char* name : {"LabelVzduch", "LabelTpsMon", "LabelTlak", "LabelNapeti",
                             "LabelTlakOleje", "LabelKnockMon2", "LabelServoPoz"}) {
        EXPECT_EQ(background(name), colour(MonitorColour::Red)) << name;
        EXPECT_TRUE(label(name)->autoFillBackground()) << name;
    }
    EXPECT_EQ(background("LabelKnockMon1"), colour(MonitorColour::Normal));

    // Every alarm cleared: the labels return to the window's background.
    show(runningEngine());
    for (const char* name : {"LabelVoda", "LabelVzduch", "LabelTpsMon", "LabelTlak", "LabelNapeti",
                             "LabelTlakOleje", "LabelKnockMon2"}) {
        EXPECT_EQ(background(name), colour(MonitorColour::Normal)) << name;
    }
    EXPECT_EQ(MonitorPanel::foreColourOf(gauge("CGaugeVoda")), colour(MonitorColour::Aqua));
}

TEST_F(MonitorPanelTest, StateColours) {
    MonitorFrame f = runningEngine();
    f.speedFlagA = 1;
    f.startLimiter = 1;
    f.tachoLambda = 0;
    f.powerOut = {0, 1, 0};
    f.supplyRaw = 204;
    show(f);
    EXPECT_EQ(background("LabelRpm"), colour(MonitorColour::Fuchsia));
    EXPECT_EQ(text("LabelLimiter1"), "Start Limiter = ON");
    EXPECT_EQ(background("LabelLimiter1"), colour(MonitorColour::White));
    EXPECT_EQ(text("LabelTacho_Lambda"), "Tacho/Lambda= Lambda");
    EXPECT_EQ(background("LabelTacho_Lambda"), colour(MonitorColour::Fuchsia));
    EXPECT_EQ(background("LabelPowerOut1"), colour(MonitorColour::Lime));
    EXPECT_EQ(background("LabelPowerOut2"), colour(MonitorColour::Yellow));
    EXPECT_EQ(text("LabelPowerOut2"), "Power Out 2");
    EXPECT_EQ(background("LabelNapeti"), colour(MonitorColour::Yellow));
    f.speedFlagB = 1;
    show(f);
    EXPECT_EQ(background("LabelRpm"), colour(MonitorColour::Red));
}

TEST_F(MonitorPanelTest, ExtendedMonitorAddsMillivoltsFromTheNextFrame) {
    show(runningEngine());
    childNamed<QCheckBox>(form(), "CheckBoxExtMonitor")->setChecked(true);
    EXPECT_EQ(text("LabelTpsMon"), "TP= 42 %"); // nothing repaints until a frame arrives
    show(runningEngine());
    EXPECT_EQ(text("LabelTpsMon"), "TP= 42 %=2932 mV");
    EXPECT_EQ(text("LabelTlak"), "AP= 101.3 kPa= 2052 mV");
    EXPECT_EQ(text("LabelVoda"), QString::fromUtf8("TW= 85 °C= 1466 mV"));
    EXPECT_EQ(text("LabelVzduch"), QString::fromUtf8("AT= 25 °C= 2443 mV"));
    MonitorFrame f = runningEngine();
    f.coolantByte = 0;
    show(f);
    EXPECT_EQ(text("LabelVoda"), "TW= ERROR = 1466 mV");
    childNamed<QCheckBox>(form(), "CheckBoxExtMonitor")->setChecked(false);
    show(f);
    EXPECT_EQ(text("LabelVoda"), "TW= ERROR");
    EXPECT_EQ(text("LabelTpsMon"), "TP= 42 %");
}

TEST_F(MonitorPanelTest, VersionLabelShowsTheUnmatchedVersions) {
    MonitorFrame f = runningEngine();
    f.version = 50;
    show(f);
    EXPECT_TRUE(shown("LabelVersion"));
    EXPECT_EQ(text("LabelVersion"),
              "Unmatched version of PC and Ignition programs!  PC-51, IGN-50");
    form().feature<LanguageFeature>()->MenuGermanClick();
    show(f);
    EXPECT_EQ(text("LabelVersion"), QString::fromUtf8("Programm der Zündung ist nicht kompatibel "
                                                      "mit dem Programm am PC!  PC-51, IGN-50"));
    f.version = 51;
    show(f);
    EXPECT_FALSE(shown("LabelVersion"));
}

TEST_F(MonitorPanelTest, DataErrorLabelFollowsTheFrame) {
    MonitorFrame f = runningEngine();
    f.dataError = 1;
    show(f);
    EXPECT_TRUE(shown("LabelEeDataErr"));
    f.dataError = 0;
    show(f);
    EXPECT_FALSE(shown("LabelEeDataErr"));
}

TEST_F(MonitorPanelTest, ServoLabelsOnlyWithTheServoEnabled) {
    show(runningEngine());
    EXPECT_FALSE(shown("LabelServoPoz"));
    EXPECT_FALSE(shown("LabelServoMer"));
    setImageByte(form(), layout::kServoEnable, 1);
    show(runningEngine());
    EXPECT_TRUE(shown("LabelServoPoz"));
    EXPECT_TRUE(shown("LabelServoMer"));
    EXPECT_EQ(text("LabelServoPoz"), "Servo desired= 2003 mV");
    EXPECT_EQ(text("LabelServoMer"), "Servo measured= 1955 mV");
    setImageByte(form(), layout::kServoEnable, 0);
    show(runningEngine());
    EXPECT_FALSE(shown("LabelServoPoz"));
}

TEST_F(MonitorPanelTest, TestLabelsOnlyInTestMode) {
    show(runningEngine());
    for (int i = 1; i <= 8; ++i) {
        EXPECT_FALSE(shown(QString("LabelTest%1").arg(i).toLatin1().constData())) << i;
    }
    writeFileAtomically(m_configDir + "/test_brenik.txt", "TEST_ENABLE\n");
    closeForm();
    createForm();
    EXPECT_TRUE(form().feature<MonitorFeature>()->testMode());
    EXPECT_TRUE(shown("LabelTest1"));
    show(runningEngine());
    for (int i = 1; i <= 8; ++i) {
        EXPECT_TRUE(shown(QString("LabelTest%1").arg(i).toLatin1().constData())) << i;
    }
    EXPECT_EQ(text("LabelTest3"), "Test3= 3 ");
    EXPECT_EQ(text("LabelTest4"), "Test4=4");
}

TEST_F(MonitorPanelTest, OnlyWhatChangedIsRepainted) {
    form().show();
    show(runningEngine());
    QApplication::processEvents();
    RepaintCounter counter(form().findChild<QWidget*>("PanelMonitor"));
    show(runningEngine());
    QApplication::processEvents();
    EXPECT_TRUE(counter.touched.isEmpty()) << counter.touched.values().join(' ').toStdString();

    MonitorFrame f = runningEngine();
    f.engineSpeed = 6600;
    show(f);
    QApplication::processEvents();
    EXPECT_TRUE(counter.touched.contains("LabelRpm"));
    EXPECT_EQ(gauge("CGaugeRpm")->value(), 66);
    EXPECT_FALSE(counter.touched.contains("LabelLambda"));
    EXPECT_FALSE(counter.touched.contains("LabelVoda"));
}

TEST(GaugeBar, ClampsWhatAProgressBarWouldIgnore) {
    GaugeBar gauge;
    EXPECT_EQ(gauge.minimum(), 0);
    EXPECT_EQ(gauge.maximum(), 100);
    for (const auto& [given, shown] : {std::pair{55, 55}, std::pair{125, 100}, std::pair{-20, 0},
                                       std::pair{100, 100}, std::pair{0, 0}}) {
        gauge.setClampedValue(given);
        EXPECT_EQ(gauge.value(), shown) << given;
    }
    EXPECT_TRUE(gauge.updatesEnabled());
}

TEST_F(MonitorPanelTest, DamagedFrameChangesNothing) {
    show(runningEngine());
    const MonitorLiveValues before = form().liveValues();
    MonitorFrame f = runningEngine();
    f.engineSpeed = 9000;
    f.coolantByte = 0;
    Frame bytes = encodeMonitorFrame(f);
    bytes[101] ^= 0x01;
    form().ShowMonitorFrame(bytes);
    EXPECT_EQ(text("LabelRpm"), "RPM = 6500 ");
    EXPECT_EQ(gauge("CGaugeRpm")->value(), 65);
    EXPECT_EQ(background("LabelVoda"), colour(MonitorColour::Normal));
    EXPECT_EQ(form().liveValues(), before);
}

TEST_F(MonitorPanelTest, CountIsRewrittenAfterTheLanguageSwitchWroteItsPlaceholder) {
    show(runningEngine());
    form().show();
    childNamed<QLabel>(form(), "LabelSpojeni")->show();
    form().feature<LanguageFeature>()->MenuGermanClick();
    EXPECT_EQ(text("LabelPocetProgramovani"), "Programmierungsanzahl= ---");
    childNamed<QLabel>(form(), "LabelSpojeni")->hide();
    show(runningEngine()); // the same count as before
    EXPECT_EQ(text("LabelPocetProgramovani"), "Number of Programing = 27");
}

} // namespace
} // namespace kordana
