#include "analysis/LogCells.h"

#include "analysis/MapCells.h"

#include <algorithm>
#include <cmath>

namespace kordana::analysis {

std::optional<double> CellTable::figure(std::size_t element, CellFigure figure) const {
    const CellStat& cell = cells.at(element);
    if (cell.count == 0) {
        return std::nullopt;
    }
    switch (figure) {
    case CellFigure::Count:
        return cell.count;
    case CellFigure::Seconds:
        return cell.seconds;
    case CellFigure::Events:
        return cell.events;
    case CellFigure::Mean:
        return cell.values == 0 ? std::nullopt : std::optional<double>(cell.mean());
    case CellFigure::Min:
        return cell.values == 0 ? std::nullopt : std::optional<double>(cell.min);
    case CellFigure::Max:
        return cell.values == 0 ? std::nullopt : std::optional<double>(cell.max);
    }
    return std::nullopt;
}

CellTable cellTable(const MonitorLog& log,
                    std::span<const std::uint8_t, layout::kMapCols> breakpoints,
                    std::optional<std::size_t> column, std::size_t first, std::size_t last) {
    CellTable table;
    const std::size_t rows = log.rowCount();
    const auto speedColumn = log.column("engine_speed_rpm");
    const auto throttleColumn = log.column("throttle_pct");
    if (rows == 0 || first >= rows || !speedColumn || !throttleColumn) {
        return table;
    }
    last = std::min(last, rows - 1);
    const std::vector<double>& speeds = log.values[*speedColumn];
    const std::vector<double>& throttles = log.values[*throttleColumn];
    const std::vector<double>* channel = column ? &log.values.at(*column) : nullptr;
    for (std::size_t r = first; r <= last; ++r) {
        // Read as the cursor reads a replayed row: an empty or impossible value is 0.
        const unsigned speed = liveField(speeds[r], 65535).value_or(0);
        if (speed == 0) {
            continue;
        }
        const unsigned throttle = liveField(throttles[r], 255).value_or(0);
        CellStat& cell = table.cells[cellOf(breakpoints, static_cast<std::uint16_t>(speed),
                                            static_cast<std::uint8_t>(throttle))];
        ++table.rows;
        ++cell.count;
        if (r + 1 < rows) {
            cell.seconds += std::min(log.elapsed[r + 1] - log.elapsed[r], kMaxRowSeconds);
        }
        if (channel == nullptr || std::isnan((*channel)[r])) {
            continue;
        }
        const double value = (*channel)[r];
        ++cell.values;
        cell.events += value != 0 ? 1u : 0u;
        cell.sum += value;
        cell.min = std::min(cell.min, value);
        cell.max = std::max(cell.max, value);
    }
    return table;
}

PresetChoice presetChoice(CellPreset preset, std::size_t page) {
    switch (preset) {
    case CellPreset::Hits:
        return {{}, CellFigure::Count};
    case CellPreset::MeanLambda:
        return {"lambda_mv", CellFigure::Mean};
    case CellPreset::KnockEvents:
        return {"knock_alarm_" + std::to_string(page % 3 + 1), CellFigure::Events};
    }
    return {};
}

} // namespace kordana::analysis
