#include "analysis/LogRange.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace kordana::analysis {

RowRange rowRange(const MonitorLog& log, double from, double to) {
    const std::vector<double>& t = log.elapsed;
    const auto begin = std::ranges::lower_bound(t, from);
    const auto end = std::ranges::upper_bound(t, to);
    if (begin >= end) {
        return {};
    }
    return {static_cast<std::size_t>(begin - t.begin()),
            static_cast<std::size_t>(end - t.begin()) - 1, false};
}

std::vector<ChannelStats> rangeStatistics(const MonitorLog& log, const RowRange& rows) {
    std::vector<ChannelStats> stats(log.columns.size());
    for (std::size_t c = 0; c < log.columns.size(); ++c) {
        ChannelStats& s = stats[c];
        s.column = c;
        if (rows.empty) {
            continue;
        }
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        double sum = 0;
        const std::vector<double>& values = log.values[c];
        for (std::size_t r = rows.first; r <= rows.last && r < values.size(); ++r) {
            const double v = values[r];
            if (!std::isnan(v)) {
                ++s.values;
                low = std::min(low, v);
                high = std::max(high, v);
                sum += v;
            }
        }
        if (s.values > 0) {
            s.min = low;
            s.max = high;
            s.mean = sum / static_cast<double>(s.values);
        }
    }
    return stats;
}

double roundBinWidth(double span, std::size_t bins) {
    if (!(span > 0) || bins == 0) {
        return 1.0;
    }
    const double raw = span / static_cast<double>(bins);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double step : {1.0, 2.0, 5.0, 10.0}) {
        // A little slack: 0.30000000000000004 / 3 is one step of 0.1.
        if (raw <= step * power * (1 + 1e-9)) {
            return step * power;
        }
    }
    return 10.0 * power;
}

namespace {

// The bin index of `value` on a grid of `width` starting at 0: values a rounding error below
// an edge count as on it.
double gridIndex(double value, double width) {
    return std::floor(value / width + 1e-9);
}

} // namespace

Histogram histogram(const MonitorLog& log, std::size_t column, const RowRange& rows,
                    std::size_t bins) {
    Histogram result;
    if (rows.empty || column >= log.values.size()) {
        return result;
    }
    const std::vector<double>& values = log.values[column];
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (std::size_t r = rows.first; r <= rows.last; ++r) {
        if (!std::isnan(values[r])) {
            low = std::min(low, values[r]);
            high = std::max(high, values[r]);
        }
    }
    if (low > high) {
        return result;
    }
    result.width = roundBinWidth(high - low, bins);
    const double firstIndex = gridIndex(low, result.width);
    result.start = firstIndex * result.width;
    result.counts.assign(static_cast<std::size_t>(gridIndex(high, result.width) - firstIndex) + 1,
                         0);
    for (std::size_t r = rows.first; r <= rows.last; ++r) {
        if (!std::isnan(values[r])) {
            const double bin = gridIndex(values[r], result.width) - firstIndex;
            ++result.counts[std::min(static_cast<std::size_t>(std::max(bin, 0.0)),
                                     result.counts.size() - 1)];
        }
    }
    return result;
}

namespace {

void appendNumber(std::string& text, double value) {
    if (std::isnan(value)) {
        return;
    }
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::fixed);
    if (ec == std::errc()) {
        text.append(buffer.data(), end);
    }
}

// Seconds with three decimals, as the recorder writes them.
void appendSeconds(std::string& text, double seconds) {
    const auto ms = static_cast<long long>(std::llround(seconds * 1000.0));
    std::string fraction = std::to_string(ms % 1000);
    text += std::to_string(ms / 1000) + '.' + std::string(3 - fraction.size(), '0') + fraction;
}

} // namespace

std::string rangeCsv(const MonitorLog& log, const RowRange& rows) {
    std::string text = "timestamp,elapsed_s";
    for (const std::string& name : log.columns) {
        text += ',' + name;
    }
    text += '\n';
    if (rows.empty) {
        return text;
    }
    const std::size_t last = std::min(rows.last, log.rowCount() - 1);
    const double start = log.elapsed[rows.first];
    for (std::size_t r = rows.first; r <= last; ++r) {
        text += log.timestamp(r);
        text += ',';
        appendSeconds(text, std::max(0.0, log.elapsed[r] - start));
        for (const std::vector<double>& column : log.values) {
            text += ',';
            appendNumber(text, column[r]);
        }
        text += '\n';
    }
    return text;
}

} // namespace kordana::analysis
