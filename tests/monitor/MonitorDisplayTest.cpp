#include "monitor/MonitorDisplay.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kordana {
namespace {

using Id = MonitorLabelId;
using C = MonitorColour;

constexpr std::string_view kUnmatched = "Unmatched version of PC and Ignition programs!";

// A running engine with every sensor sound, so each test changes only what it is about.
MonitorFrame soundFrame() {
    MonitorFrame f;
    f.engineSpeed = 6000;
    f.pressureRaw = 500; // 2443 mV
    f.pressure = 1013;
    f.throttleRaw = 205; // 1001 mV
    f.throttleOpening = 50;
    f.lambdaRaw = 143; // 698 mV
    f.coolantRaw = 300;
    f.coolantByte = 185;
    f.airRaw = 400;
    f.airByte = 125;
    f.supplyRaw = 260; // 1270 mV, 13.97 V
    f.injectionTime = {2000, 1900, 1800, 1700, 1600, 1500};
    f.servoInOrder = 1;
    f.tachoLambda = 1;
    f.version = 51;
    f.voltageCorrection = 1000;
    return f;
}

struct Shown {
    MonitorDisplay display;
    const MonitorLabel& operator[](Id id) const { return display.label(id); }
    const MonitorGauge& operator[](MonitorGaugeId id) const { return display.gauge(id); }
};

Shown show(const MonitorFrame& f, MonitorOptions o = {}) {
    if (o.textUnmatchedUnit.empty()) {
        o.textUnmatchedUnit = kUnmatched;
    }
    Shown s;
    s.display.update(f, o);
    return s;
}

const MonitorOptions kExtended{.extended = true};

TEST(MonitorDisplay, AdvanceBaseAndTheThreeFormats) {
    MonitorFrame f = soundFrame();
    f.advance = {0, 0, 0};
    auto s = show(f);
    EXPECT_EQ(s[Id::MonIgn1].text, "ADVANCE 1= BASE");
    EXPECT_EQ(s[Id::MonIgn2].text, "ADVANCE 2= BASE");
    EXPECT_EQ(s[Id::MonIgn3].text, "ADVANCE 3= BASE");

    f.advance = {1250, 1250, 1250};
    s = show(f);
    EXPECT_EQ(s[Id::MonIgn1].text, "ADVANCE 1= 12.5 °");
    EXPECT_EQ(s[Id::MonIgn2].text, "ADVANCE 2 =12.5 °");
    EXPECT_EQ(s[Id::MonIgn3].text, "ADVANCE 3= 12.5 °");

    f.advance = {100, 100, 100}; // narrower than the field: padded to width 4
    s = show(f);
    EXPECT_EQ(s[Id::MonIgn1].text, "ADVANCE 1= 1.0 °");
    EXPECT_EQ(s[Id::MonIgn2].text, "ADVANCE 2 = 1.0 °");
    EXPECT_EQ(s[Id::MonIgn3].text, "ADVANCE 3=  1.0 °");
}

TEST(MonitorDisplay, InjectionDutyAndItsGauge) {
    MonitorFrame f = soundFrame(); // 6000 rpm, longest time 2000 us
    auto s = show(f);
    EXPECT_EQ(s[Id::MaxInjProcent].text, "INJ. DUTY = 10 [%]");
    EXPECT_EQ(s[MonitorGaugeId::Duty].progress, 10);
    EXPECT_EQ(s[MonitorGaugeId::Duty].foreColour, C::Aqua);

    f.engineSpeed = 12000;
    f.injectionTime[5] = 12500; // the longest may be any channel, here 3B
    s = show(f);
    EXPECT_EQ(s[Id::MaxInjProcent].text, "INJ. DUTY = 125 [%]");
    EXPECT_EQ(s[MonitorGaugeId::Duty].progress, 100);
    EXPECT_EQ(s[MonitorGaugeId::Duty].foreColour, C::Yellow);
}

TEST(MonitorRules, InjectionDuty) {
    struct Case {
        std::uint16_t speed;
        std::uint16_t longest;
        std::uint32_t duty;
        C colour;
    };
    for (const Case& c : {Case{6000, 2000, 10, C::Aqua}, Case{12000, 10000, 100, C::Aqua},
                          Case{12000, 10100, 101, C::Yellow},
                          Case{40000, 60000, 2000, C::Yellow}, // product beyond signed 32 bits
                          Case{65535, 65535, 3579, C::Yellow}, Case{0, 65535, 0, C::Aqua}}) {
        const std::array<std::uint16_t, 6> times{0, 0, c.longest, 0, 0, 1};
        EXPECT_EQ(injectionDuty(c.speed, times), c.duty) << c.speed << " x " << c.longest;
        EXPECT_EQ(dutyColour(c.duty), c.colour) << c.duty;
    }
}

TEST(MonitorRules, LambdaProgress) {
    for (const auto& [mv, progress] :
         std::initializer_list<std::pair<std::uint32_t, int>>{{0, 0},
                                                              {399, 0},
                                                              {400, 0},
                                                              {405, 0},
                                                              {406, 1},
                                                              {700, 50},
                                                              {1000, 100},
                                                              {1001, 100},
                                                              {5000, 100}}) {
        EXPECT_EQ(lambdaProgress(mv), progress) << mv;
    }
    auto s = show(soundFrame());
    EXPECT_EQ(s[Id::Lambda].text, "LAMBDA= 698 mV");
    EXPECT_EQ(s[MonitorGaugeId::Lambda].progress, 49);
}

TEST(MonitorDisplay, SupplyVoltageAndColour) {
    struct Case {
        std::uint16_t raw;
        const char* text;
        C colour;
    };
    for (const Case& c : {Case{204, "U= 11.0 V", C::Yellow}, Case{205, "U= 11.0 V", C::Normal},
                          Case{334, "U= 18.0 V", C::Yellow}, Case{335, "U= 18.0 V", C::Red},
                          Case{260, "U= 14.0 V", C::Normal}, Case{0, "U=  0.0 V", C::Red}}) {
        MonitorFrame f = soundFrame();
        f.supplyRaw = c.raw;
        const auto s = show(f);
        EXPECT_EQ(s[Id::Napeti].text, c.text) << c.raw;
        EXPECT_EQ(s[Id::Napeti].colour, c.colour) << c.raw;
    }
}

TEST(MonitorRules, SupplyColourBoundaries) {
    for (const auto& [mv, colour] :
         std::initializer_list<std::pair<std::uint32_t, C>>{{0, C::Red},
                                                            {7000, C::Red},
                                                            {7001, C::Yellow},
                                                            {11000, C::Yellow},
                                                            {11001, C::Normal},
                                                            {14998, C::Normal},
                                                            {14999, C::Yellow},
                                                            {17998, C::Yellow},
                                                            {17999, C::Red}}) {
        EXPECT_EQ(supplyColour(mv), colour) << mv;
    }
}

TEST(MonitorDisplay, CoolantSensorErrorAndWarning) {
    MonitorFrame f = soundFrame();
    f.coolantByte = 0;
    MonitorDisplay display;
    MonitorLiveValues live;
    ASSERT_TRUE(showMonitorFrame(encodeMonitorFrame(f), {}, display, live));
    EXPECT_EQ(display.label(Id::Voda).text, "TW= ERROR");
    EXPECT_EQ(display.label(Id::Voda).colour, C::Red);
    EXPECT_EQ(display.gauge(MonitorGaugeId::Voda).foreColour, C::Red);
    EXPECT_EQ(display.gauge(MonitorGaugeId::Voda).progress, 80);
    EXPECT_EQ(live.coolantByte, 180);

    f.coolantByte = 185;
    f.coolantWarning = 1;
    auto s = show(f);
    EXPECT_EQ(s[Id::Voda].text, "TW= 85 °C");
    EXPECT_EQ(s[Id::Voda].colour, C::Red);
    EXPECT_EQ(s[MonitorGaugeId::Voda].foreColour, C::Red);
    EXPECT_EQ(s[MonitorGaugeId::Voda].progress, 85);

    f.coolantWarning = 0;
    f.coolantByte = 50; // -50 degC: text negative, gauge clamped
    s = show(f);
    EXPECT_EQ(s[Id::Voda].text, "TW= -50 °C");
    EXPECT_EQ(s[Id::Voda].colour, C::Normal);
    EXPECT_EQ(s[MonitorGaugeId::Voda].foreColour, C::Aqua);
    EXPECT_EQ(s[MonitorGaugeId::Voda].progress, 0);
}

TEST(MonitorDisplay, InletAirSensorErrorShowsFiftyDegrees) {
    MonitorFrame f = soundFrame();
    f.airByte = 0;
    MonitorDisplay display;
    MonitorLiveValues live;
    ASSERT_TRUE(showMonitorFrame(encodeMonitorFrame(f), {}, display, live));
    EXPECT_EQ(display.label(Id::Vzduch).text, "AT= 50 °C");
    EXPECT_EQ(display.label(Id::Vzduch).colour, C::Red);
    EXPECT_EQ(live.airByte, 0);
}

TEST(MonitorDisplay, ThrottleErrorIgnoresExtendedMonitor) {
    MonitorFrame f = soundFrame();
    f.throttleOpening = 101;
    for (const bool extended : {false, true}) {
        const auto s = show(f, {.extended = extended});
        EXPECT_EQ(s[Id::TpsMon].text, "TP=error=1001 mV");
        EXPECT_EQ(s[Id::TpsMon].colour, C::Red);
        EXPECT_EQ(s[MonitorGaugeId::Tps].progress, 0);
    }
    f.throttleOpening = 100;
    const auto s = show(f);
    EXPECT_EQ(s[Id::TpsMon].text, "TP= 100 %");
    EXPECT_EQ(s[Id::TpsMon].colour, C::Normal);
    EXPECT_EQ(s[MonitorGaugeId::Tps].progress, 100);
}

TEST(MonitorDisplay, UnitVersion) {
    MonitorFrame f = soundFrame();
    f.version = 50;
    auto s = show(f);
    EXPECT_TRUE(s[Id::Version].visible);
    EXPECT_EQ(s[Id::Version].text, "Unmatched version of PC and Ignition programs!  PC-51, IGN-50");
    f.version = 51;
    s.display.update(f, {.textUnmatchedUnit = kUnmatched});
    EXPECT_FALSE(s[Id::Version].visible);
    EXPECT_TRUE(s[Id::Version].changed);
}

TEST(MonitorDisplay, DamagedFrameChangesNothing) {
    MonitorDisplay display;
    MonitorLiveValues live;
    ASSERT_TRUE(showMonitorFrame(encodeMonitorFrame(soundFrame()), {}, display, live));
    const MonitorDisplay before = display;
    const MonitorLiveValues liveBefore = live;

    MonitorFrame other = soundFrame();
    other.engineSpeed = 9999;
    other.coolantByte = 0;
    Frame bytes = encodeMonitorFrame(other);
    bytes[101] = static_cast<std::uint8_t>(bytes[101] + 1);
    EXPECT_FALSE(showMonitorFrame(bytes, {}, display, live));
    EXPECT_EQ(live, liveBefore);
    for (std::size_t i = 0; i < kMonitorLabelCount; ++i) {
        EXPECT_EQ(display.labels()[i].text, before.labels()[i].text);
        EXPECT_EQ(display.labels()[i].changed, before.labels()[i].changed);
    }
    EXPECT_EQ(display.gauge(MonitorGaugeId::Rpm).progress, 60);
}

// Elements that read differently with "Extended Monitor" checked.
TEST(MonitorDisplay, ExtendedAndPlainFormats) {
    struct Case {
        const char* what;
        void (*edit)(MonitorFrame&);
        Id id;
        const char* plain;
        const char* extended;
    };
    const Case cases[] = {
        {"throttle", [](MonitorFrame&) {}, Id::TpsMon, "TP= 50 %", "TP= 50 %=1001 mV"},
        {"pressure", [](MonitorFrame&) {}, Id::Tlak, "AP= 101.3 kPa", "AP= 101.3 kPa= 2443 mV"},
        {"low pressure", [](MonitorFrame& f) { f.pressure = 55; }, Id::Tlak, "AP=  5.5 kPa",
         "AP=  5.5 kPa= 2443 mV"},
        {"coolant", [](MonitorFrame&) {}, Id::Voda, "TW= 85 °C", "TW= 85 °C= 1466 mV"},
        {"coolant error", [](MonitorFrame& f) { f.coolantByte = 0; }, Id::Voda, "TW= ERROR",
         "TW= ERROR = 1466 mV"},
        {"air", [](MonitorFrame&) {}, Id::Vzduch, "AT= 25 °C", "AT= 25 °C= 1955 mV"},
        {"air error", [](MonitorFrame& f) { f.airByte = 0; }, Id::Vzduch, "AT= 50 °C",
         "AT= 50 °C= 1955 mV"},
    };
    for (const Case& c : cases) {
        MonitorFrame f = soundFrame();
        c.edit(f);
        EXPECT_EQ(show(f)[c.id].text, c.plain) << c.what;
        EXPECT_EQ(show(f, kExtended)[c.id].text, c.extended) << c.what;
    }
}

TEST(MonitorDisplay, FixedFormatTexts) {
    MonitorFrame f = soundFrame();
    f.positionA = 30;
    f.positionB = 215;
    f.servoDesiredRaw = 205;
    f.servoMeasuredRaw = 204;
    f.knockRaw = {205, 204, 1023};
    f.coolantCorrection = 125;
    f.airCorrection = 1000;
    f.pressureCorrection = 0;
    f.startCorrection = 1505;
    f.voltageCorrection = 980;
    f.programmingCount = 12;
    f.testValue = {1, 2, 3, 4, 5, 6, 7, 65535};
    const auto s = show(f);
    const std::pair<Id, const char*> expected[] = {
        {Id::Rpm, "RPM = 6000 "},
        {Id::MonJet1A, "INJ. TIME 1A= 2000 us"},
        {Id::MonJet1B, "INJ. TIME 1B= 1900 us"},
        {Id::MonJet2A, "INJ. TIME 2A= 1800 us"},
        {Id::MonJet2B, "INJ. TIME 2B= 1700 us"},
        {Id::MonJet3A, "INJ. TIME 3A= 1600 us"},
        {Id::MonJet3B, "INJ. TIME 3B= 1500 us"},
        {Id::MonPolohaA, "POSITION A= 30 °"},
        {Id::MonPolohaB, "POSITION B= 215 °"},
        {Id::ServoPoz, "Servo desired= 1001 mV"},
        {Id::ServoMer, "Servo measured= 997 mV"},
        {Id::Limiter1, "Start limiter = OFF"},
        {Id::TachoLambda, "Tacho/Lambda= Tacho"},
        {Id::TlakOleje, "Oil Pressure= OK"},
        {Id::KorVoda, "TW correction= 12.5 %"},
        {Id::KorVzduch, "AT correction=100.0 %"},
        {Id::KorTlak, "AP correction=  0.0 %"},
        {Id::KorSytic, "Starting corr.= 150.5 %"},
        {Id::KorNapeti, "U correction= -20 us"},
        {Id::KnockMon1, "Knock Level 1 = 1001 mV"},
        {Id::KnockMon2, "Knock Level 2 = 997 mV"},
        {Id::KnockMon3, "Knock Level 3 = 5000 mV"},
        {Id::PocetProgramovani, "Number of Programing = 12"},
        {Id::Test1, "Test1= 1"},
        {Id::Test2, "Test2= 2"},
        {Id::Test3, "Test3= 3 "},
        {Id::Test4, "Test4=4"},
        {Id::Test5, "Test5= 5"},
        {Id::Test6, "Test6= 6"},
        {Id::Test7, "Test7= 7"},
        {Id::Test8, "Test8= 65535"},
    };
    for (const auto& [id, text] : expected) {
        EXPECT_EQ(s[id].text, text) << s[id].objectName;
    }
}

TEST(MonitorDisplay, StateTextsAndColours) {
    MonitorFrame f = soundFrame();
    f.startLimiter = 1;
    f.tachoLambda = 0;
    f.oilPressureError = 7;
    const auto s = show(f);
    EXPECT_EQ(s[Id::Limiter1].text, "Start Limiter = ON");
    EXPECT_EQ(s[Id::Limiter1].colour, C::White);
    EXPECT_EQ(s[Id::TachoLambda].text, "Tacho/Lambda= Lambda");
    EXPECT_EQ(s[Id::TachoLambda].colour, C::Fuchsia);
    EXPECT_EQ(s[Id::TlakOleje].text, "Oil Pressure= ERR");
    EXPECT_EQ(s[Id::TlakOleje].colour, C::Red);
}

// Every colour rule: one frame edit, one element, the colour it must take.
TEST(MonitorDisplay, ColourRules) {
    struct Case {
        const char* what;
        void (*edit)(MonitorFrame&);
        Id id;
        C colour;
    };
    const Case cases[] = {
        {"rpm no flag", [](MonitorFrame&) {}, Id::Rpm, C::Normal},
        {"rpm flag A", [](MonitorFrame& f) { f.speedFlagA = 1; }, Id::Rpm, C::Fuchsia},
        {"rpm flag B", [](MonitorFrame& f) { f.speedFlagB = 9; }, Id::Rpm, C::Fuchsia},
        {"rpm both", [](MonitorFrame& f) { f.speedFlagA = f.speedFlagB = 1; }, Id::Rpm, C::Red},
        {"tps sound", [](MonitorFrame&) {}, Id::TpsMon, C::Normal},
        {"tps error", [](MonitorFrame& f) { f.throttleOpening = 255; }, Id::TpsMon, C::Red},
        {"pressure 104", [](MonitorFrame& f) { f.pressureRaw = 104; }, Id::Tlak, C::Red},
        {"pressure 105", [](MonitorFrame& f) { f.pressureRaw = 105; }, Id::Tlak, C::Normal},
        {"pressure 1006", [](MonitorFrame& f) { f.pressureRaw = 1006; }, Id::Tlak, C::Normal},
        {"pressure 1007", [](MonitorFrame& f) { f.pressureRaw = 1007; }, Id::Tlak, C::Red},
        {"coolant sound", [](MonitorFrame&) {}, Id::Voda, C::Normal},
        {"coolant error", [](MonitorFrame& f) { f.coolantByte = 0; }, Id::Voda, C::Red},
        {"coolant warning", [](MonitorFrame& f) { f.coolantWarning = 1; }, Id::Voda, C::Red},
        {"air sound", [](MonitorFrame&) {}, Id::Vzduch, C::Normal},
        {"air error", [](MonitorFrame& f) { f.airByte = 0; }, Id::Vzduch, C::Red},
        {"servo in order", [](MonitorFrame&) {}, Id::ServoPoz, C::Normal},
        {"servo fault", [](MonitorFrame& f) { f.servoInOrder = 0; }, Id::ServoPoz, C::Red},
        {"servo fault measured", [](MonitorFrame& f) { f.servoInOrder = 0; }, Id::ServoMer, C::Red},
        {"limiter off", [](MonitorFrame&) {}, Id::Limiter1, C::Normal},
        {"limiter on", [](MonitorFrame& f) { f.startLimiter = 1; }, Id::Limiter1, C::White},
        {"tacho", [](MonitorFrame&) {}, Id::TachoLambda, C::Normal},
        {"lambda", [](MonitorFrame& f) { f.tachoLambda = 0; }, Id::TachoLambda, C::Fuchsia},
        {"oil ok", [](MonitorFrame&) {}, Id::TlakOleje, C::Normal},
        {"oil error", [](MonitorFrame& f) { f.oilPressureError = 1; }, Id::TlakOleje, C::Red},
        {"knock 1", [](MonitorFrame& f) { f.knockAlarm[0] = 1; }, Id::KnockMon1, C::Red},
        {"knock 2 quiet", [](MonitorFrame& f) { f.knockAlarm[0] = 1; }, Id::KnockMon2, C::Normal},
        {"knock 2", [](MonitorFrame& f) { f.knockAlarm[1] = 1; }, Id::KnockMon2, C::Red},
        {"knock 3", [](MonitorFrame& f) { f.knockAlarm[2] = 1; }, Id::KnockMon3, C::Red},
        {"power 1 off", [](MonitorFrame&) {}, Id::PowerOut1, C::Lime},
        {"power 1 on", [](MonitorFrame& f) { f.powerOut[0] = 1; }, Id::PowerOut1, C::Yellow},
        {"power 2 on", [](MonitorFrame& f) { f.powerOut[1] = 1; }, Id::PowerOut2, C::Yellow},
        {"power 3 on", [](MonitorFrame& f) { f.powerOut[2] = 1; }, Id::PowerOut3, C::Yellow},
        {"power 3 off", [](MonitorFrame& f) { f.powerOut[1] = 1; }, Id::PowerOut3, C::Lime},
    };
    for (const Case& c : cases) {
        MonitorFrame f = soundFrame();
        c.edit(f);
        const auto s = show(f);
        EXPECT_TRUE(s[c.id].setsColour) << c.what;
        EXPECT_EQ(s[c.id].colour, c.colour) << c.what;
    }
}

TEST(MonitorDisplay, Visibility) {
    MonitorFrame f = soundFrame();
    auto s = show(f);
    EXPECT_FALSE(s[Id::ServoPoz].visible);
    EXPECT_FALSE(s[Id::ServoMer].visible);
    EXPECT_FALSE(s[Id::EeDataErr].visible);
    EXPECT_FALSE(s[Id::Version].visible);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_FALSE(s.display.labels()[static_cast<std::size_t>(Id::Test1) + i].visible);
    }
    f.dataError = 1;
    s = show(f, {.testMode = true, .servoEnabled = true});
    EXPECT_TRUE(s[Id::ServoPoz].visible);
    EXPECT_TRUE(s[Id::ServoMer].visible);
    EXPECT_TRUE(s[Id::EeDataErr].visible);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_TRUE(s.display.labels()[static_cast<std::size_t>(Id::Test1) + i].visible);
    }
}

TEST(MonitorDisplay, GaugePositions) {
    MonitorFrame f = soundFrame();
    f.engineSpeed = 15000; // 150 clamps to the gauge's 100
    auto s = show(f);
    EXPECT_EQ(s[MonitorGaugeId::Rpm].progress, 100);
    EXPECT_EQ(s[MonitorGaugeId::Tps].progress, 50);
    f.engineSpeed = 4250;
    s = show(f);
    EXPECT_EQ(s[MonitorGaugeId::Rpm].progress, 42);
}

TEST(MonitorDisplay, FlagsOnlyWhatChanged) {
    MonitorDisplay display;
    MonitorFrame f = soundFrame();
    display.update(f, {});
    for (const auto& l : display.labels()) {
        EXPECT_TRUE(l.changed) << l.objectName; // first update: paint everything
    }
    display.update(f, {});
    for (const auto& l : display.labels()) {
        EXPECT_FALSE(l.changed) << l.objectName;
    }
    for (const auto& g : display.gauges()) {
        EXPECT_FALSE(g.changed) << g.objectName;
    }
    f.engineSpeed = 6100;
    f.powerOut[1] = 1;
    display.update(f, {});
    std::set<std::string_view> changed;
    for (const auto& l : display.labels()) {
        if (l.changed) {
            changed.insert(l.objectName);
        }
    }
    for (const auto& g : display.gauges()) {
        if (g.changed) {
            changed.insert(g.objectName);
        }
    }
    EXPECT_EQ(changed, (std::set<std::string_view>{"LabelRpm", "CGaugeRpm", "LabelPowerOut2"}));
}

TEST(MonitorDisplay, EveryElementIsNamedOnceAndFound) {
    const MonitorDisplay display;
    std::set<std::string_view> names;
    for (const auto& l : display.labels()) {
        EXPECT_TRUE(names.insert(l.objectName).second) << l.objectName;
        EXPECT_EQ(display.findLabel(l.objectName), &l);
    }
    for (const auto& g : display.gauges()) {
        EXPECT_TRUE(names.insert(g.objectName).second) << g.objectName;
        EXPECT_EQ(display.findGauge(g.objectName), &g);
    }
    EXPECT_EQ(names.size(), 51u);
    for (const char* name :
         {"LabelRpm", "LabelMon_Jet3B", "LabelMaxInjProcent", "LabelTacho_Lambda",
          "LabelPocetProgramovani", "LabelEeDataErr", "LabelTest8", "CGaugeVoda", "CGaugeDuty"}) {
        EXPECT_TRUE(names.count(name)) << name;
    }
    EXPECT_EQ(display.findLabel("LabelNope"), nullptr);
    // Captions the window owns are never overwritten.
    EXPECT_FALSE(display.label(Id::PowerOut1).setsText);
    EXPECT_FALSE(display.label(Id::EeDataErr).setsText);
    EXPECT_FALSE(display.label(Id::Version).setsColour);
}

TEST(MonitorDisplay, ProgrammingCountWhileDisconnected) {
    EXPECT_EQ(programmingCountUnknownText("Number of Programing = "), "Number of Programing = ---");
    EXPECT_EQ(programmingCountUnknownText(""), "---");
}

} // namespace
} // namespace kordana

namespace kordana {
namespace {

// Whatever an intact frame holds, the model stays inside its ranges and every text fits.
TEST(MonitorDisplay, AnyIntactFrameGivesSaneElements) {
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<std::uint8_t>(seed >> 24);
    };
    MonitorDisplay display;
    MonitorLiveValues live;
    for (int n = 0; n < 2000; ++n) {
        Frame bytes{};
        bytes[0] = 0xB0;
        for (std::size_t i = 1; i < 101; ++i) {
            bytes[i] = next();
        }
        bytes[101] =
            frameCheckByte(std::span<const std::uint8_t, kFrameSize - 1>(bytes.data(), 101));
        const MonitorOptions options{.extended = (n & 1) != 0,
                                     .testMode = (n & 2) != 0,
                                     .servoEnabled = (n & 4) != 0,
                                     .textUnmatchedUnit = kUnmatched};
        ASSERT_TRUE(showMonitorFrame(bytes, options, display, live));
        for (const auto& g : display.gauges()) {
            ASSERT_GE(g.progress, 0);
            ASSERT_LE(g.progress, 100);
        }
        for (const auto& l : display.labels()) {
            if (l.setsText && l.objectName != "LabelVersion") {
                ASSERT_FALSE(l.text.empty()) << l.objectName;
            }
            ASSERT_LT(l.text.size(), 120u) << l.objectName;
        }
        ASSERT_NE(live.coolantByte, 0);
    }
}

} // namespace
} // namespace kordana
