#pragma once

#include "analysis/LogRange.h"
#include "monitor/MonitorLog.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace kordana::analysis {

/// The closed range a set of values spans (empty: low above high).
struct Span {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();

    bool empty() const { return low > high; }
    void take(double value) {
        low = value < low ? value : low;
        high = value > high ? value : high;
    }
};

/// The points of a scatter: one per row with both an X and a Y value, and its colour value
/// (NaN: none).
struct ScatterData {
    std::vector<float> x, y, colour;
    Span xSpan, ySpan, colourSpan;

    std::size_t size() const { return x.size(); }
};

/// The rows of `rows` as points of column `x` across and column `y` up, coloured by column
/// `colour` (nothing: no colour).
ScatterData scatterData(const MonitorLog& log, std::size_t x, std::size_t y,
                        std::optional<std::size_t> colour, const RowRange& rows);

} // namespace kordana::analysis
