#include "monitor/MonitorDisplay.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace kordana {

namespace {

enum Sets : std::uint8_t { kText = 1, kColour = 2, kVisible = 4 };

struct LabelTraits {
    std::string_view objectName;
    std::uint8_t sets;
};

// Indexed by MonitorLabelId.
constexpr std::array<LabelTraits, kMonitorLabelCount> kLabelTraits{{
    {"LabelRpm", kText | kColour},
    {"LabelLambda", kText},
    {"LabelTpsMon", kText | kColour},
    {"LabelMon_Ign1", kText},
    {"LabelMon_Ign2", kText},
    {"LabelMon_Ign3", kText},
    {"LabelMon_Jet1A", kText},
    {"LabelMon_Jet1B", kText},
    {"LabelMon_Jet2A", kText},
    {"LabelMon_Jet2B", kText},
    {"LabelMon_Jet3A", kText},
    {"LabelMon_Jet3B", kText},
    {"LabelMaxInjProcent", kText},
    {"LabelMon_PolohaA", kText},
    {"LabelMon_PolohaB", kText},
    {"LabelTlak", kText | kColour},
    {"LabelVoda", kText | kColour},
    {"LabelVzduch", kText | kColour},
    {"LabelNapeti", kText | kColour},
    {"LabelServoPoz", kText | kColour | kVisible},
    {"LabelServoMer", kText | kColour | kVisible},
    {"LabelLimiter1", kText | kColour},
    {"LabelTacho_Lambda", kText | kColour},
    {"LabelTlakOleje", kText | kColour},
    {"LabelKorVoda", kText},
    {"LabelKorVzduch", kText},
    {"LabelKorTlak", kText},
    {"LabelKorSytic", kText},
    {"LabelKorNapeti", kText},
    {"LabelKnockMon1", kText | kColour},
    {"LabelKnockMon2", kText | kColour},
    {"LabelKnockMon3", kText | kColour},
    {"LabelPowerOut1", kColour},
    {"LabelPowerOut2", kColour},
    {"LabelPowerOut3", kColour},
    {"LabelPocetProgramovani", kText},
    {"LabelVersion", kText | kVisible},
    {"LabelEeDataErr", kVisible},
    {"LabelTest1", kText | kVisible},
    {"LabelTest2", kText | kVisible},
    {"LabelTest3", kText | kVisible},
    {"LabelTest4", kText | kVisible},
    {"LabelTest5", kText | kVisible},
    {"LabelTest6", kText | kVisible},
    {"LabelTest7", kText | kVisible},
    {"LabelTest8", kText | kVisible},
}};

// Indexed by MonitorGaugeId; the second member tells whether the monitor sets the fore colour.
constexpr std::array<std::pair<std::string_view, bool>, kMonitorGaugeCount> kGaugeTraits{{
    {"CGaugeRpm", false},
    {"CGaugeLambda", false},
    {"CGaugeTps", false},
    {"CGaugeDuty", true},
    {"CGaugeVoda", true},
}};

// Per-channel formats; the three advance formats really do differ in their spacing.
constexpr std::array<const char*, 3> kAdvanceBase{"ADVANCE 1= BASE", "ADVANCE 2= BASE",
                                                  "ADVANCE 3= BASE"};
constexpr std::array<const char*, 3> kAdvanceFormat{"ADVANCE 1=% 4.1f °", "ADVANCE 2 =%4.1f °",
                                                    "ADVANCE 3= %4.1f °"};
constexpr std::array<const char*, 6> kJetFormat{"INJ. TIME 1A= %d us", "INJ. TIME 1B= %d us",
                                                "INJ. TIME 2A= %d us", "INJ. TIME 2B= %d us",
                                                "INJ. TIME 3A= %d us", "INJ. TIME 3B= %d us"};
constexpr std::array<const char*, 3> kKnockFormat{"Knock Level 1 = %d mV", "Knock Level 2 = %d mV",
                                                  "Knock Level 3 = %d mV"};
constexpr std::array<const char*, 8> kTestFormat{"Test1= %d", "Test2= %d", "Test3= %d ",
                                                 "Test4=%d",  "Test5= %d", "Test6= %d",
                                                 "Test7= %d", "Test8= %d"};

constexpr std::uint8_t kExpectedVersion = 51;

// Integers printed with %d: every value here fits an int.
int asInt(std::uint32_t value) {
    return static_cast<int>(value);
}

int mv(std::uint16_t raw) {
    return asInt(rawToMillivolts(raw));
}

} // namespace

MonitorDisplay::MonitorDisplay() {
    for (std::size_t i = 0; i < kMonitorLabelCount; ++i) {
        m_labels[i].objectName = kLabelTraits[i].objectName;
        m_labels[i].setsText = (kLabelTraits[i].sets & kText) != 0;
        m_labels[i].setsColour = (kLabelTraits[i].sets & kColour) != 0;
        m_labels[i].setsVisible = (kLabelTraits[i].sets & kVisible) != 0;
    }
    for (std::size_t i = 0; i < kMonitorGaugeCount; ++i) {
        m_gauges[i].objectName = kGaugeTraits[i].first;
        m_gauges[i].setsForeColour = kGaugeTraits[i].second;
    }
}

const MonitorLabel* MonitorDisplay::findLabel(std::string_view objectName) const {
    const auto it = std::find_if(m_labels.begin(), m_labels.end(),
                                 [&](const MonitorLabel& l) { return l.objectName == objectName; });
    return it == m_labels.end() ? nullptr : &*it;
}

const MonitorGauge* MonitorDisplay::findGauge(std::string_view objectName) const {
    const auto it = std::find_if(m_gauges.begin(), m_gauges.end(),
                                 [&](const MonitorGauge& g) { return g.objectName == objectName; });
    return it == m_gauges.end() ? nullptr : &*it;
}

MonitorLabelId MonitorDisplay::offset(MonitorLabelId first, std::size_t n) {
    return static_cast<MonitorLabelId>(static_cast<std::size_t>(first) + n);
}

void MonitorDisplay::update(const MonitorFrame& frame, const MonitorOptions& options) {
    if (!m_firstUpdate) {
        for (auto& l : m_labels) {
            l.changed = false;
        }
        for (auto& g : m_gauges) {
            g.changed = false;
        }
    }
    m_firstUpdate = false;
    showEngine(frame, options);
    showTimes(frame);
    showPressureAndTemperatures(frame, options);
    showSupplyAndServo(frame, options);
    showStates(frame);
    showCorrections(frame);
    showUnit(frame, options);
}

void MonitorDisplay::setText(MonitorLabelId id, const char* format, ...) {
    // The longest monitor text is well under this; vsnprintf truncates safely otherwise.
    char buffer[160];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    const std::size_t length = n < 0 ? 0 : std::min(static_cast<std::size_t>(n), sizeof buffer - 1);
    MonitorLabel& l = m_labels[index(id)];
    if (std::string_view(buffer, length) != l.text) {
        l.text.assign(buffer, length);
        l.changed = true;
    }
}

void MonitorDisplay::setColour(MonitorLabelId id, MonitorColour colour) {
    MonitorLabel& l = m_labels[index(id)];
    l.changed = l.changed || l.colour != colour;
    l.colour = colour;
}

void MonitorDisplay::setVisible(MonitorLabelId id, bool visible) {
    MonitorLabel& l = m_labels[index(id)];
    l.changed = l.changed || l.visible != visible;
    l.visible = visible;
}

void MonitorDisplay::setGauge(MonitorGaugeId id, long long progress) {
    MonitorGauge& g = m_gauges[index(id)];
    const int clamped = clampProgress(progress);
    g.changed = g.changed || g.progress != clamped;
    g.progress = clamped;
}

void MonitorDisplay::setGaugeColour(MonitorGaugeId id, MonitorColour colour) {
    MonitorGauge& g = m_gauges[index(id)];
    g.changed = g.changed || g.foreColour != colour;
    g.foreColour = colour;
}

void MonitorDisplay::showEngine(const MonitorFrame& f, const MonitorOptions& o) {
    setText(MonitorLabelId::Rpm, "RPM = %d ", f.engineSpeed);
    setColour(MonitorLabelId::Rpm, rpmColour(f.speedFlagA, f.speedFlagB));
    setGauge(MonitorGaugeId::Rpm, f.engineSpeed / 100);

    const std::uint32_t lambdaMv = rawToMillivolts(f.lambdaRaw);
    setText(MonitorLabelId::Lambda, "LAMBDA= %d mV", asInt(lambdaMv));
    setGauge(MonitorGaugeId::Lambda, lambdaProgress(lambdaMv));

    const int throttleMv = mv(f.throttleRaw);
    if (f.throttleOpening > 100) {
        setText(MonitorLabelId::TpsMon, "TP=error=%d mV", throttleMv);
        setColour(MonitorLabelId::TpsMon, MonitorColour::Red);
        setGauge(MonitorGaugeId::Tps, 0);
        return;
    }
    if (o.extended) {
        setText(MonitorLabelId::TpsMon, "TP= %d %%=%d mV", f.throttleOpening, throttleMv);
    } else {
        setText(MonitorLabelId::TpsMon, "TP= %d %%", f.throttleOpening);
    }
    setColour(MonitorLabelId::TpsMon, MonitorColour::Normal);
    setGauge(MonitorGaugeId::Tps, f.throttleOpening);
}

void MonitorDisplay::showTimes(const MonitorFrame& f) {
    for (std::size_t c = 0; c < 3; ++c) {
        const MonitorLabelId id = offset(MonitorLabelId::MonIgn1, c);
        if (f.advance[c] == 0) {
            setText(id, "%s", kAdvanceBase[c]);
        } else {
            setText(id, kAdvanceFormat[c], static_cast<double>(scaledValue(f.advance[c], 0.01)));
        }
    }
    for (std::size_t j = 0; j < 6; ++j) {
        setText(offset(MonitorLabelId::MonJet1A, j), kJetFormat[j], f.injectionTime[j]);
    }
    const std::uint32_t duty = injectionDuty(f.engineSpeed, f.injectionTime);
    setText(MonitorLabelId::MaxInjProcent, "INJ. DUTY = %d [%%]", asInt(duty));
    setGaugeColour(MonitorGaugeId::Duty, dutyColour(duty));
    setGauge(MonitorGaugeId::Duty, duty);
    setText(MonitorLabelId::MonPolohaA, "POSITION A= %d °", f.positionA);
    setText(MonitorLabelId::MonPolohaB, "POSITION B= %d °", f.positionB);
}

void MonitorDisplay::showPressureAndTemperatures(const MonitorFrame& f, const MonitorOptions& o) {
    const double pressureKpa = static_cast<double>(scaledValue(f.pressure, 0.1));
    if (o.extended) {
        setText(MonitorLabelId::Tlak, "AP= %4.1f kPa= %d mV", pressureKpa, mv(f.pressureRaw));
    } else {
        setText(MonitorLabelId::Tlak, "AP= %4.1f kPa", pressureKpa);
    }
    setColour(MonitorLabelId::Tlak,
              pressureReadingFaulty(f.pressureRaw) ? MonitorColour::Red : MonitorColour::Normal);

    const int coolantMv = mv(f.coolantRaw);
    const bool coolantError = f.coolantByte == 0;
    const int coolant = f.coolantByte - 100;
    if (coolantError) {
        if (o.extended) {
            setText(MonitorLabelId::Voda, "TW= ERROR = %d mV", coolantMv);
        } else {
            setText(MonitorLabelId::Voda, "TW= ERROR");
        }
    } else if (o.extended) {
        setText(MonitorLabelId::Voda, "TW= %d °C= %d mV", coolant, coolantMv);
    } else {
        setText(MonitorLabelId::Voda, "TW= %d °C", coolant);
    }
    const bool coolantRed = coolantError || f.coolantWarning != 0;
    setColour(MonitorLabelId::Voda, coolantRed ? MonitorColour::Red : MonitorColour::Normal);
    setGaugeColour(MonitorGaugeId::Voda, coolantRed ? MonitorColour::Red : MonitorColour::Aqua);
    setGauge(MonitorGaugeId::Voda, (coolantError ? kCoolantSubstitute : f.coolantByte) - 100);

    // A failed air sensor is shown as 50 degC, the value the unit works with then.
    const bool airError = f.airByte == 0;
    const int air = airError ? 50 : f.airByte - 100;
    if (o.extended) {
        setText(MonitorLabelId::Vzduch, "AT= %d °C= %d mV", air, mv(f.airRaw));
    } else {
        setText(MonitorLabelId::Vzduch, "AT= %d °C", air);
    }
    setColour(MonitorLabelId::Vzduch, airError ? MonitorColour::Red : MonitorColour::Normal);
}

void MonitorDisplay::showSupplyAndServo(const MonitorFrame& f, const MonitorOptions& o) {
    const std::uint32_t supplyMv = rawToMillivolts(f.supplyRaw) * 11u;
    setText(MonitorLabelId::Napeti, "U= %4.1f V",
            static_cast<double>(scaledValue(supplyMv, 0.001)));
    setColour(MonitorLabelId::Napeti, supplyColour(supplyMv));

    const MonitorColour servoColour =
        f.servoInOrder != 0 ? MonitorColour::Normal : MonitorColour::Red;
    setText(MonitorLabelId::ServoPoz, "Servo desired= %d mV", mv(f.servoDesiredRaw));
    setText(MonitorLabelId::ServoMer, "Servo measured= %d mV", mv(f.servoMeasuredRaw));
    for (const MonitorLabelId id : {MonitorLabelId::ServoPoz, MonitorLabelId::ServoMer}) {
        setColour(id, servoColour);
        setVisible(id, o.servoEnabled);
    }
}

void MonitorDisplay::showStates(const MonitorFrame& f) {
    const bool limiter = f.startLimiter != 0;
    setText(MonitorLabelId::Limiter1, "%s", limiter ? "Start Limiter = ON" : "Start limiter = OFF");
    setColour(MonitorLabelId::Limiter1, limiter ? MonitorColour::White : MonitorColour::Normal);

    const bool tacho = f.tachoLambda != 0;
    setText(MonitorLabelId::TachoLambda, "%s",
            tacho ? "Tacho/Lambda= Tacho" : "Tacho/Lambda= Lambda");
    setColour(MonitorLabelId::TachoLambda, tacho ? MonitorColour::Normal : MonitorColour::Fuchsia);

    const bool oil = f.oilPressureError != 0;
    setText(MonitorLabelId::TlakOleje, "%s", oil ? "Oil Pressure= ERR" : "Oil Pressure= OK");
    setColour(MonitorLabelId::TlakOleje, oil ? MonitorColour::Red : MonitorColour::Normal);

    for (std::size_t c = 0; c < 3; ++c) {
        const MonitorLabelId knock = offset(MonitorLabelId::KnockMon1, c);
        setText(knock, kKnockFormat[c], mv(f.knockRaw[c]));
        setColour(knock, f.knockAlarm[c] != 0 ? MonitorColour::Red : MonitorColour::Normal);
        setColour(offset(MonitorLabelId::PowerOut1, c),
                  f.powerOut[c] != 0 ? MonitorColour::Yellow : MonitorColour::Lime);
    }
}

void MonitorDisplay::showCorrections(const MonitorFrame& f) {
    const auto tenth = [](std::uint16_t v) { return static_cast<double>(scaledValue(v, 0.1)); };
    setText(MonitorLabelId::KorVoda, "TW correction= %4.1f %%", tenth(f.coolantCorrection));
    setText(MonitorLabelId::KorVzduch, "AT correction=%4.1f %%", tenth(f.airCorrection));
    setText(MonitorLabelId::KorTlak, "AP correction= %4.1f %%", tenth(f.pressureCorrection));
    setText(MonitorLabelId::KorSytic, "Starting corr.= %4.1f %%", tenth(f.startCorrection));
    setText(MonitorLabelId::KorNapeti, "U correction= %d us", f.voltageCorrection - 1000);
}

void MonitorDisplay::showUnit(const MonitorFrame& f, const MonitorOptions& o) {
    setText(MonitorLabelId::PocetProgramovani, "Number of Programing = %d", f.programmingCount);
    if (f.version == kExpectedVersion) {
        setVisible(MonitorLabelId::Version, false);
    } else {
        const std::string_view t = o.textUnmatchedUnit;
        setText(MonitorLabelId::Version, "%.*s  PC-%d, IGN-%d", static_cast<int>(t.size()),
                t.data(), kExpectedVersion, f.version);
        setVisible(MonitorLabelId::Version, true);
    }
    setVisible(MonitorLabelId::EeDataErr, f.dataError != 0);
    for (std::size_t i = 0; i < 8; ++i) {
        const MonitorLabelId id = offset(MonitorLabelId::Test1, i);
        setText(id, kTestFormat[i], f.testValue[i]);
        setVisible(id, o.testMode);
    }
}

std::string programmingCountUnknownText(std::string_view textProgCount) {
    std::string text(textProgCount);
    text += "---";
    return text;
}

bool showMonitorFrame(std::span<const std::uint8_t, kFrameSize> bytes,
                      const MonitorOptions& options, MonitorDisplay& display,
                      MonitorLiveValues& live) {
    const std::optional<MonitorFrame> frame = decodeMonitorFrame(bytes);
    if (!frame) {
        return false;
    }
    live = liveValuesOf(*frame);
    display.update(*frame, options);
    return true;
}

} // namespace kordana
