#include "analysis/AnalysisSample.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace kordana::analysis {

AnalysisSample sampleOf(double seconds, const MonitorLiveValues& live) {
    AnalysisSample sample;
    sample.seconds = seconds;
    sample.live = live;
    return sample;
}

AnalysisSample sampleOf(double seconds, const MonitorFrame& frame) {
    AnalysisSample sample = sampleOf(seconds, liveValuesOf(frame));
    sample.coolantError = frame.coolantByte == 0;
    sample.airError = frame.airByte == 0;
    sample.tachoInput = frame.tachoLambda != 0;
    sample.startLimiter = frame.startLimiter != 0;
    for (std::size_t c = 0; c < 3; ++c) {
        sample.knockMv[c] = static_cast<std::uint16_t>(
            std::min<std::uint32_t>(rawToMillivolts(frame.knockRaw[c]), 0xFFFFu));
        sample.knockAlarm[c] = frame.knockAlarm[c] != 0;
    }
    return sample;
}

LogSamples::LogSamples(const MonitorLog& log) : m_log(log) {
    auto find = [&](std::string_view name) { return Column{log.column(name)}; };
    m_speed = find("engine_speed_rpm");
    m_throttle = find("throttle_pct");
    m_throttleMv = find("throttle_sensor_mv");
    m_lambdaMv = find("lambda_mv");
    m_pressure = find("pressure_kpa");
    m_coolant = find("coolant_c");
    m_air = find("air_c");
    m_sinceStart = find("time_since_start_s");
    m_saving = find("saving_count");
    m_programming = find("programming_count");
    m_coolantError = find("coolant_sensor_error");
    m_airError = find("air_sensor_error");
    m_tacho = find("tacho_input");
    m_startLimiter = find("start_limiter");
    for (std::size_t c = 0; c < 3; ++c) {
        const std::string n = std::to_string(c + 1);
        m_knock[c] = find("knock_" + n + "_mv");
        m_knockAlarm[c] = find("knock_alarm_" + n);
    }
}

double LogSamples::value(const Column& column, std::size_t row) const {
    if (!column.index || row >= m_log.values[*column.index].size()) {
        return NAN;
    }
    return m_log.values[*column.index][row];
}

namespace {

// A value scaled into a field: `fallback` when empty or outside 0..maximum, else rounded, as
// the monitor reads a log row's live values.
template <typename T>
T field(double value, double scale, double offset, double maximum, double fallback) {
    const double v = value * scale + offset;
    return static_cast<T>(std::isnan(v) || v < 0 || v > maximum ? fallback : std::round(v));
}

bool flag(double value) {
    return !std::isnan(value) && value != 0;
}

} // namespace

AnalysisSample LogSamples::at(std::size_t row) const {
    AnalysisSample s;
    s.seconds = row < m_log.elapsed.size() ? m_log.elapsed[row] : 0.0;
    MonitorLiveValues& l = s.live;
    l.engineSpeed = field<std::uint16_t>(value(m_speed, row), 1, 0, 65535, 0);
    l.throttleOpening = field<std::uint8_t>(value(m_throttle, row), 1, 0, 255, 0);
    l.throttleMv = field<std::uint16_t>(value(m_throttleMv, row), 1, 0, 65535, 0);
    l.lambdaMv = field<std::uint16_t>(value(m_lambdaMv, row), 1, 0, 65535, 0);
    l.pressure = field<std::uint16_t>(value(m_pressure, row), 10, 0, 65535, 0);
    const double coolant = value(m_coolant, row);
    l.coolantByte = field<std::uint8_t>(coolant, 1, 100, 255, kCoolantSubstitute);
    const double air = value(m_air, row);
    l.airByte = field<std::uint8_t>(air, 1, 100, 255, 0);
    l.timeSinceStart = field<std::uint16_t>(value(m_sinceStart, row), 10, 0, 65535, 0);
    l.savingCount = field<std::uint16_t>(value(m_saving, row), 1, 0, 65535, 0);
    l.programmingCount = field<std::uint16_t>(value(m_programming, row), 1, 0, 65535, 0);
    // The log leaves a failed sensor's temperature empty and says so in its own column.
    s.coolantError = flag(value(m_coolantError, row)) || (m_coolant.index && std::isnan(coolant));
    s.airError = flag(value(m_airError, row)) || (m_air.index && std::isnan(air));
    s.tachoInput = flag(value(m_tacho, row));
    s.startLimiter = flag(value(m_startLimiter, row));
    for (std::size_t c = 0; c < 3; ++c) {
        s.knockMv[c] = field<std::uint16_t>(value(m_knock[c], row), 1, 0, 65535, 0);
        s.knockAlarm[c] = flag(value(m_knockAlarm[c], row));
    }
    return s;
}

std::vector<AnalysisSample> LogSamples::all() const {
    std::vector<AnalysisSample> samples;
    samples.reserve(size());
    for (std::size_t row = 0; row < size(); ++row) {
        samples.push_back(at(row));
    }
    return samples;
}

} // namespace kordana::analysis
