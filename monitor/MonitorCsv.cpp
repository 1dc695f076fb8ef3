#include "monitor/MonitorCsv.h"

#include "monitor/LogMarkers.h"
#include "monitor/MonitorRules.h"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace kordana {

namespace {

using F = MonitorFrame;

// value / 10^digits written exactly, without going through floating point.
std::string fixed(long long value, int digits) {
    long long divisor = 1;
    for (int i = 0; i < digits; ++i) {
        divisor *= 10;
    }
    const long long whole = std::llabs(value) / divisor;
    std::string fraction = std::to_string(std::llabs(value) % divisor);
    fraction.insert(0, static_cast<std::size_t>(digits) - fraction.size(), '0');
    return (value < 0 ? "-" : "") + std::to_string(whole) + (digits > 0 ? "." + fraction : "");
}

std::string number(long long value) {
    return std::to_string(value);
}

std::string flag(std::uint8_t value) {
    return value != 0 ? "1" : "0";
}

std::string millivolts(std::uint16_t raw) {
    return number(rawToMillivolts(raw));
}

// Temperature bytes hold the temperature + 100 degC; 0 reports a sensor error.
std::string temperature(std::uint8_t byte) {
    return byte == 0 ? std::string() : number(static_cast<int>(byte) - 100);
}

struct Column {
    std::string_view name;
    std::string (*value)(const F&);
};

// clang-format off
constexpr std::array kColumns{
    Column{"engine_speed_rpm", [](const F& f) { return number(f.engineSpeed); }},
    Column{"pressure_kpa", [](const F& f) { return fixed(f.pressure, 1); }},
    Column{"pressure_sensor_mv", [](const F& f) { return millivolts(f.pressureRaw); }},
    Column{"saving_count", [](const F& f) { return number(f.savingCount); }},
    Column{"throttle_pct", [](const F& f) { return number(f.throttleOpening); }},
    Column{"throttle_sensor_error", [](const F& f) { return flag(f.throttleOpening > 100); }},
    Column{"throttle_sensor_mv", [](const F& f) { return millivolts(f.throttleRaw); }},
    Column{"lambda_mv", [](const F& f) { return millivolts(f.lambdaRaw); }},
    Column{"coolant_c", [](const F& f) { return temperature(f.coolantByte); }},
    Column{"coolant_sensor_mv", [](const F& f) { return millivolts(f.coolantRaw); }},
    Column{"air_c", [](const F& f) { return temperature(f.airByte); }},
    Column{"air_sensor_mv", [](const F& f) { return millivolts(f.airRaw); }},
    Column{"supply_v", [](const F& f) { return fixed(rawToMillivolts(f.supplyRaw) * 11, 3); }},
    Column{"inj_1a_us", [](const F& f) { return number(f.injectionTime[0]); }},
    Column{"inj_1b_us", [](const F& f) { return number(f.injectionTime[1]); }},
    Column{"inj_2a_us", [](const F& f) { return number(f.injectionTime[2]); }},
    Column{"inj_2b_us", [](const F& f) { return number(f.injectionTime[3]); }},
    Column{"inj_3a_us", [](const F& f) { return number(f.injectionTime[4]); }},
    Column{"inj_3b_us", [](const F& f) { return number(f.injectionTime[5]); }},
    Column{"inj_duty_pct", [](const F& f) { return number(injectionDuty(f.engineSpeed, f.injectionTime)); }},
    Column{"advance_1_deg", [](const F& f) { return fixed(f.advance[0], 2); }},
    Column{"advance_2_deg", [](const F& f) { return fixed(f.advance[1], 2); }},
    Column{"advance_3_deg", [](const F& f) { return fixed(f.advance[2], 2); }},
    Column{"position_a_deg", [](const F& f) { return number(f.positionA); }},
    Column{"position_b_deg", [](const F& f) { return number(f.positionB); }},
    Column{"servo_measured_mv", [](const F& f) { return millivolts(f.servoMeasuredRaw); }},
    Column{"servo_desired_mv", [](const F& f) { return millivolts(f.servoDesiredRaw); }},
    Column{"coolant_corr_pct", [](const F& f) { return fixed(f.coolantCorrection, 1); }},
    Column{"air_corr_pct", [](const F& f) { return fixed(f.airCorrection, 1); }},
    Column{"pressure_corr_pct", [](const F& f) { return fixed(f.pressureCorrection, 1); }},
    Column{"start_corr_pct", [](const F& f) { return fixed(f.startCorrection, 1); }},
    Column{"voltage_corr_us", [](const F& f) { return number(f.voltageCorrection - 1000); }},
    Column{"knock_1_mv", [](const F& f) { return millivolts(f.knockRaw[0]); }},
    Column{"knock_2_mv", [](const F& f) { return millivolts(f.knockRaw[1]); }},
    Column{"knock_3_mv", [](const F& f) { return millivolts(f.knockRaw[2]); }},
    Column{"time_since_start_s", [](const F& f) { return fixed(f.timeSinceStart, 1); }},
    Column{"start_limiter", [](const F& f) { return flag(f.startLimiter); }},
    Column{"speed_flag_a", [](const F& f) { return flag(f.speedFlagA); }},
    Column{"speed_flag_b", [](const F& f) { return flag(f.speedFlagB); }},
    Column{"power_out_1", [](const F& f) { return flag(f.powerOut[0]); }},
    Column{"power_out_2", [](const F& f) { return flag(f.powerOut[1]); }},
    Column{"power_out_3", [](const F& f) { return flag(f.powerOut[2]); }},
    Column{"servo_in_order", [](const F& f) { return flag(f.servoInOrder); }},
    Column{"data_error", [](const F& f) { return flag(f.dataError); }},
    Column{"tacho_input", [](const F& f) { return flag(f.tachoLambda); }},
    Column{"oil_pressure_error", [](const F& f) { return flag(f.oilPressureError); }},
    Column{"knock_alarm_1", [](const F& f) { return flag(f.knockAlarm[0]); }},
    Column{"knock_alarm_2", [](const F& f) { return flag(f.knockAlarm[1]); }},
    Column{"knock_alarm_3", [](const F& f) { return flag(f.knockAlarm[2]); }},
    Column{"coolant_warning", [](const F& f) { return flag(f.coolantWarning); }},
    Column{"coolant_sensor_error", [](const F& f) { return flag(f.coolantByte == 0); }},
    Column{"air_sensor_error", [](const F& f) { return flag(f.airByte == 0); }},
    Column{"programming_count", [](const F& f) { return number(f.programmingCount); }},
    Column{"unit_version", [](const F& f) { return number(f.version); }},
    Column{"test_1", [](const F& f) { return number(f.testValue[0]); }},
    Column{"test_2", [](const F& f) { return number(f.testValue[1]); }},
    Column{"test_3", [](const F& f) { return number(f.testValue[2]); }},
    Column{"test_4", [](const F& f) { return number(f.testValue[3]); }},
    Column{"test_5", [](const F& f) { return number(f.testValue[4]); }},
    Column{"test_6", [](const F& f) { return number(f.testValue[5]); }},
    Column{"test_7", [](const F& f) { return number(f.testValue[6]); }},
    Column{"test_8", [](const F& f) { return number(f.testValue[7]); }},
};
// clang-format on

// The decoded columns, each after a comma.
std::string columnNames() {
    std::string names;
    for (const Column& c : kColumns) {
        names += ',';
        names += c.name;
    }
    return names;
}

std::string columnValues(const MonitorFrame& frame) {
    std::string values;
    values.reserve(256);
    for (const Column& c : kColumns) {
        values += ',';
        values += c.value(frame);
    }
    return values;
}

} // namespace

std::string monitorCsvHeader() {
    return "timestamp" + columnNames();
}

std::string monitorCsvRow(std::string_view timestamp, const MonitorFrame& frame) {
    return std::string(timestamp) + columnValues(frame);
}

std::string monitorLogHeader() {
    return "timestamp,elapsed_s" + columnNames();
}

std::string monitorLogRow(std::string_view timestamp, std::int64_t elapsedMs,
                          const MonitorFrame& frame) {
    return std::string(timestamp) + ',' + fixed(elapsedMs, 3) + columnValues(frame);
}

std::string markedLogHeader() {
    return monitorLogHeader() + ',' + std::string(kMarkerColumn);
}

std::string markedLogRow(std::string_view timestamp, std::int64_t elapsedMs,
                         const MonitorFrame& frame, unsigned marker) {
    return monitorLogRow(timestamp, elapsedMs, frame) + ',' + std::to_string(marker);
}

} // namespace kordana
