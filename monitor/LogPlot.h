#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace kordana {

/// A value axis: its ends and its ticks, every tick a whole multiple of `step`, the step one
/// of 1, 2 or 5 times a power of ten.
struct AxisScale {
    double low = 0;
    double high = 1;
    double step = 0.5;
    std::vector<double> ticks;
};

/// The smallest of 1, 2, 5 x 10^n that is at least `raw` (raw > 0).
double roundStep(double raw);

/// The axis for values from `low` to `high` with at most about `maxTicks` ticks: the ends
/// the next ticks at or outside the values, so values that are never negative never get a
/// negative axis. Equal ends (a constant channel) get an axis with the value in its middle.
AxisScale niceScale(double low, double high, int maxTicks);

/// The lowest and highest value of `values` that is a number; low > high when there is none.
struct ValueRange {
    double low = 0;
    double high = -1;
    bool empty() const { return low > high; }
    void take(double value);
    void take(const ValueRange& other);
};
ValueRange valueRange(std::span<const double> values);

/// The rows of `values` to draw for rows first..last (inclusive) when `buckets` pixel columns
/// show them: every row holding a number while there are at most two a bucket, otherwise the
/// lowest and the highest of each bucket in the order they happened, so the line looks the
/// same with a fraction of the points.
std::vector<std::size_t> plottedRows(std::span<const double> values, std::size_t first,
                                     std::size_t last, std::size_t buckets);

} // namespace kordana
