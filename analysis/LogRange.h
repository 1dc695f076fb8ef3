#pragma once

#include "monitor/MonitorLog.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace kordana::analysis {

/// The rows of a log inside a time range: first..last inclusive; empty when none lies in it.
struct RowRange {
    std::size_t first = 0;
    std::size_t last = 0;
    bool empty = true;

    std::size_t size() const { return empty ? 0 : last - first + 1; }
};

/// The rows whose elapsed time lies in [from, to] (s).
RowRange rowRange(const MonitorLog& log, double from, double to);

/// One column's figures over a range of rows (empty cells left out).
struct ChannelStats {
    std::size_t column = 0;
    std::size_t values = 0; ///< rows with a value
    double min = std::numeric_limits<double>::quiet_NaN();
    double max = std::numeric_limits<double>::quiet_NaN();
    double mean = std::numeric_limits<double>::quiet_NaN();
};

/// Min, max and mean of every column of `log` over `rows`, in the log's column order.
std::vector<ChannelStats> rangeStatistics(const MonitorLog& log, const RowRange& rows);

/// How often a channel's values fell into each of a row of equal bins with round edges.
struct Histogram {
    double start = 0; ///< the lower edge of the first bin
    double width = 1; ///< 1, 2 or 5 times a power of ten
    std::vector<std::uint32_t> counts;

    /// The lower edge of bin `bin`.
    double edge(std::size_t bin) const { return start + width * static_cast<double>(bin); }
};

/// A round bin width for values spanning `span`, in about `bins` bins: 1, 2 or 5 times a
/// power of ten (1 for a span of 0).
double roundBinWidth(double span, std::size_t bins);

/// The histogram of column `column` over `rows` in about `bins` bins (at most 4 bins more):
/// each bin holds the values from its lower edge up to, not including, the next. A range
/// without values has no bins.
Histogram histogram(const MonitorLog& log, std::size_t column, const RowRange& rows,
                    std::size_t bins);

/// The rows of `rows` as a monitor log file of their own: the header "timestamp,elapsed_s"
/// and the log's columns, each row's timestamp as the log holds it, the elapsed time counted
/// from the range's first row (three decimals), every value in its shortest exact form and an
/// empty cell left empty. Each line ends with "\n".
std::string rangeCsv(const MonitorLog& log, const RowRange& rows);

} // namespace kordana::analysis
