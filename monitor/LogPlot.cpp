#include "monitor/LogPlot.h"

#include <algorithm>
#include <cmath>

namespace kordana {

double roundStep(double raw) {
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        // A hair of tolerance: 0.3 / 3 must give 0.1, not 0.2.
        if (factor * power >= raw * (1 - 1e-9)) {
            return factor * power;
        }
    }
    return 10 * power;
}

namespace {

// A tick value without the noise of its multiplication (0.30000000000000004 -> 0.3).
double cleanTick(double index, double step) {
    const double value = index * step;
    const double digits = std::pow(10.0, std::max(0.0, -std::floor(std::log10(step))) + 1);
    return std::round(value * digits) / digits;
}

} // namespace

AxisScale niceScale(double low, double high, int maxTicks) {
    const double ticks = std::max(2, maxTicks);
    AxisScale scale;
    if (!(high > low)) {
        // A constant: one step above and below, the value in the middle.
        const double magnitude = std::abs(low);
        scale.step = magnitude > 0 ? roundStep(magnitude / 10) : 1;
        low -= scale.step;
        high += scale.step;
    } else {
        scale.step = roundStep((high - low) / (ticks - 1));
    }
    double first = std::floor(low / scale.step + 1e-9);
    double last = std::ceil(high / scale.step - 1e-9);
    if (first == last) {
        last = first + 1;
    }
    scale.low = cleanTick(first, scale.step);
    scale.high = cleanTick(last, scale.step);
    for (double i = first; i <= last; ++i) {
        scale.ticks.push_back(cleanTick(i, scale.step));
    }
    return scale;
}

void ValueRange::take(double value) {
    if (std::isnan(value)) {
        return;
    }
    if (empty()) {
        low = value;
        high = value;
    } else {
        low = std::min(low, value);
        high = std::max(high, value);
    }
}

void ValueRange::take(const ValueRange& other) {
    if (!other.empty()) {
        take(other.low);
        take(other.high);
    }
}

ValueRange valueRange(std::span<const double> values) {
    ValueRange range;
    for (const double v : values) {
        range.take(v);
    }
    return range;
}

std::vector<std::size_t> plottedRows(std::span<const double> values, std::size_t first,
                                     std::size_t last, std::size_t buckets) {
    std::vector<std::size_t> rows;
    if (values.empty() || first > last || last >= values.size()) {
        return rows;
    }
    const std::size_t count = last - first + 1;
    if (buckets == 0 || count <= 2 * buckets) {
        rows.reserve(count);
        for (std::size_t r = first; r <= last; ++r) {
            if (!std::isnan(values[r])) {
                rows.push_back(r);
            }
        }
        return rows;
    }
    rows.reserve(2 * buckets);
    for (std::size_t b = 0; b < buckets; ++b) {
        const std::size_t from = first + count * b / buckets;
        const std::size_t to = first + count * (b + 1) / buckets;
        std::size_t lowest = to;
        std::size_t highest = to;
        for (std::size_t r = from; r < to; ++r) {
            const double v = values[r];
            if (std::isnan(v)) {
                continue;
            }
            if (lowest == to || v < values[lowest]) {
                lowest = r;
            }
            if (highest == to || v > values[highest]) {
                highest = r;
            }
        }
        if (lowest == to) {
            continue;
        }
        rows.push_back(std::min(lowest, highest));
        if (lowest != highest) {
            rows.push_back(std::max(lowest, highest));
        }
    }
    return rows;
}

} // namespace kordana
