#pragma once

#include "monitor/LogMarkers.h"
#include "monitor/MonitorLog.h"
#include "params/ParameterImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// Seconds to add to the times of `other` so that it lies over `base`: their first rows
/// together, or (with `marker`) the first rows of both that carry that marker number. Nothing
/// when either log lacks the marker.
std::optional<double> alignmentOffset(const MonitorLog& base, const MonitorLog& other,
                                      std::optional<unsigned> marker = std::nullopt);

/// Appends the rows of `lines` (whole lines under the header line `header`, a log being
/// written) to `log`. Nothing changes and the error says why when the rows do not read, their
/// columns are not those of the log, or their time runs back.
std::optional<MonitorLogError> appendMonitorLogRows(MonitorLog& log, std::string_view header,
                                                    std::string_view lines);

/// A log file still being written, read on as it grows: whole rows only, the row a writer is
/// busy with waits for its line end.
class MonitorLogTail {
public:
    /// Follows the file at `path` after the rows `log` already holds of it (as
    /// readMonitorLogFile read it). False when the file holds fewer rows.
    bool start(const std::string& path, const MonitorLog& log);
    void stop() { m_active = false; }
    bool active() const { return m_active; }
    /// Appends the rows written since the last call to `log`: how many. Rows that do not read
    /// stop the following (none is taken).
    std::size_t readNew(MonitorLog& log);

private:
    std::string m_path;
    std::string m_header;
    std::uintmax_t m_offset = 0;
    bool m_active = false;
};

/// The set's lines drawn with a log: each cylinder's knock alarm curve (five engine speeds and
/// the alarm level at each, mV) and the three rev limiters (start, ignition, injection, rpm).
struct LogThresholds {
    std::array<std::array<double, 5>, 3> knockRpm{};
    std::array<std::array<double, 5>, 3> knockAlarm{};
    std::array<double, 3> limiters{};
};

LogThresholds logThresholds(const ParameterImage& image);

/// Cylinder `cylinder`'s (0..2) knock alarm level at `rpm`: straight between the curve's
/// points, the end points' level outside them.
double knockAlarmAt(const LogThresholds& thresholds, std::size_t cylinder, double rpm);

} // namespace kordana
