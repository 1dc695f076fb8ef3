#pragma once

#include "analysis/AnalysisSettings.h"
#include "monitor/MonitorLog.h"
#include "params/ImageLayout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>

namespace kordana::analysis {

/// What the log rows of one map cell say about one channel.
struct CellStat {
    std::uint32_t count = 0;  ///< rows in the cell
    std::uint32_t values = 0; ///< of them, rows with a value of the channel
    std::uint32_t events = 0; ///< of them, rows whose value is not 0 (a flag set)
    double seconds = 0;       ///< time spent in the cell
    double sum = 0;
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();

    double mean() const { return values == 0 ? 0.0 : sum / values; }
};

/// The figure of a cell a table shows.
enum class CellFigure { Count, Seconds, Mean, Min, Max, Events };

/// A log's rows sorted into the cells of one map: per cell, one channel's statistics.
struct CellTable {
    std::array<CellStat, kCellCount> cells{};
    std::uint32_t rows = 0; ///< rows that fell into a cell (the engine turned)

    /// The figure of cell `element`, nothing for a cell without the rows it needs.
    std::optional<double> figure(std::size_t element, CellFigure figure) const;
};

/// A row counts as long as the time to the next row, but no longer than this: a gap in the
/// log (the monitor paused) is not time in a cell.
inline constexpr double kMaxRowSeconds = 1.0;

/// The rows `first`..`last` (inclusive, clamped to the log) of `log` sorted into the cells of
/// the map whose rpm breakpoints are `breakpoints`, by the cursor's rules (the nearest
/// breakpoint, the nearest throttle row; no cell while the speed is 0), with the statistics
/// of the column `column` (nothing: only counts and times).
CellTable cellTable(const MonitorLog& log,
                    std::span<const std::uint8_t, layout::kMapCols> breakpoints,
                    std::optional<std::size_t> column, std::size_t first, std::size_t last);

/// The tables a tuner asks for most, one click away.
enum class CellPreset { Hits, MeanLambda, KnockEvents };

/// The column and figure of a preset on map page `page` (0..8): hits count the rows; mean
/// lambda averages lambda_mv; knock events count the rows with the knock alarm of the map's
/// cylinder (Ign n, Jet nA and Jet nB: cylinder n).
struct PresetChoice {
    std::string column; ///< empty: none (hits)
    CellFigure figure = CellFigure::Count;
};
PresetChoice presetChoice(CellPreset preset, std::size_t page);

} // namespace kordana::analysis
