#include "monitor/LogRuns.h"

#include "params/ParameterTable.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

namespace kordana {

namespace {

std::optional<double> markerTime(const MonitorLog& log, unsigned number) {
    for (const LogMarker& m : markerRows(log)) {
        if (m.number == number) {
            return log.elapsed[m.row];
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<double> alignmentOffset(const MonitorLog& base, const MonitorLog& other,
                                      std::optional<unsigned> marker) {
    if (base.elapsed.empty() || other.elapsed.empty()) {
        return std::nullopt;
    }
    if (!marker) {
        return base.elapsed.front() - other.elapsed.front();
    }
    const auto inBase = markerTime(base, *marker);
    const auto inOther = markerTime(other, *marker);
    if (!inBase || !inOther) {
        return std::nullopt;
    }
    return *inBase - *inOther;
}

std::optional<MonitorLogError> appendMonitorLogRows(MonitorLog& log, std::string_view header,
                                                    std::string_view lines) {
    if (lines.empty()) {
        return std::nullopt;
    }
    MonitorLogRead read = parseMonitorLog(std::string(header) + '\n' + std::string(lines));
    if (!read.log) {
        return read.error;
    }
    MonitorLog& rows = *read.log;
    if (rows.columns != log.columns) {
        return MonitorLogError{MonitorLogProblem::NoHeader, 1, {}, {}, 0, 0};
    }
    if (!log.elapsed.empty() && rows.elapsed.front() < log.elapsed.back()) {
        return MonitorLogError{MonitorLogProblem::TimeBack, 2, {}, {}, 0, 0};
    }
    log.elapsed.insert(log.elapsed.end(), rows.elapsed.begin(), rows.elapsed.end());
    for (std::size_t c = 0; c < log.values.size(); ++c) {
        log.values[c].insert(log.values[c].end(), rows.values[c].begin(), rows.values[c].end());
    }
    const auto base = static_cast<std::uint32_t>(log.timestampText.size());
    log.timestampText += rows.timestampText;
    for (const std::uint32_t end : rows.timestampEnds) {
        log.timestampEnds.push_back(base + end);
    }
    return std::nullopt;
}

bool MonitorLogTail::start(const std::string& path, const MonitorLog& log) {
    m_active = false;
    std::ifstream in(path, std::ios::binary);
    if (!std::getline(in, m_header)) {
        return false;
    }
    if (!m_header.empty() && m_header.back() == '\r') {
        m_header.pop_back();
    }
    // The header's line end, then one line end a row.
    std::uintmax_t offset = static_cast<std::uintmax_t>(in.tellg());
    std::string line;
    for (std::size_t r = 0; r < log.rowCount(); ++r) {
        if (!std::getline(in, line) || in.eof()) {
            return false;
        }
        offset += line.size() + 1;
    }
    m_path = path;
    m_offset = offset;
    m_active = true;
    return true;
}

std::size_t MonitorLogTail::readNew(MonitorLog& log) {
    if (!m_active) {
        return 0;
    }
    std::ifstream in(m_path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(m_offset));
    if (!in) {
        return 0;
    }
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::size_t end = text.rfind('\n');
    if (end == std::string::npos) {
        return 0;
    }
    text.resize(end + 1);
    const std::size_t before = log.rowCount();
    if (appendMonitorLogRows(log, m_header, text)) {
        m_active = false;
        return 0;
    }
    m_offset += text.size();
    return log.rowCount() - before;
}

LogThresholds logThresholds(const ParameterImage& image) {
    LogThresholds t;
    for (std::size_t i = 0; i < 15; ++i) {
        t.knockRpm[i / 5][i % 5] = shownValue(image, "RPM_KNOCK", i);
        t.knockAlarm[i / 5][i % 5] = shownValue(image, "ALARM", i);
    }
    for (std::size_t i = 0; i < 3; ++i) {
        t.limiters[i] = shownValue(image, "LIMITER", i);
    }
    return t;
}

double knockAlarmAt(const LogThresholds& thresholds, std::size_t cylinder, double rpm) {
    const auto& speeds = thresholds.knockRpm[std::min<std::size_t>(cylinder, 2)];
    const auto& levels = thresholds.knockAlarm[std::min<std::size_t>(cylinder, 2)];
    if (rpm <= speeds.front()) {
        return levels.front();
    }
    for (std::size_t i = 1; i < speeds.size(); ++i) {
        if (rpm <= speeds[i]) {
            const double span = speeds[i] - speeds[i - 1];
            if (span <= 0) {
                return levels[i];
            }
            return levels[i - 1] + (levels[i] - levels[i - 1]) * (rpm - speeds[i - 1]) / span;
        }
    }
    return levels.back();
}

} // namespace kordana
