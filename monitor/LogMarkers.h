#pragma once

#include "monitor/MonitorLog.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace kordana {

/// The column of a monitor log that holds the technician's markers: 0 on an ordinary row,
/// the marker's number (1, 2, 3, ...) on the row it was set at. Older logs lack it.
inline constexpr std::string_view kMarkerColumn = "marker";

/// A marker of a log: its row and its number.
struct LogMarker {
    std::size_t row = 0;
    unsigned number = 0;

    friend bool operator==(const LogMarker&, const LogMarker&) = default;
};

/// The marked rows of `log` in row order (a log without the marker column has none).
std::vector<LogMarker> markerRows(const MonitorLog& log);

} // namespace kordana
