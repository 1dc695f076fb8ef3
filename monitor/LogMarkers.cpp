#include "monitor/LogMarkers.h"

#include <cmath>

namespace kordana {

std::vector<LogMarker> markerRows(const MonitorLog& log) {
    std::vector<LogMarker> markers;
    const auto column = log.column(kMarkerColumn);
    if (!column) {
        return markers;
    }
    const std::vector<double>& values = log.values[*column];
    for (std::size_t r = 0; r < values.size(); ++r) {
        // Only a whole positive number is a marker; an empty cell or 0 is an ordinary row.
        if (values[r] >= 1 && values[r] < 4294967296.0 && std::floor(values[r]) == values[r]) {
            markers.push_back({r, static_cast<unsigned>(values[r])});
        }
    }
    return markers;
}

} // namespace kordana
