#include "analysis/LogScatter.h"

#include <cmath>

namespace kordana::analysis {

ScatterData scatterData(const MonitorLog& log, std::size_t x, std::size_t y,
                        std::optional<std::size_t> colour, const RowRange& rows) {
    ScatterData data;
    if (rows.empty || x >= log.values.size() || y >= log.values.size() ||
        (colour && *colour >= log.values.size())) {
        return data;
    }
    const std::vector<double>& xs = log.values[x];
    const std::vector<double>& ys = log.values[y];
    const std::vector<double>* cs = colour ? &log.values[*colour] : nullptr;
    data.x.reserve(rows.size());
    data.y.reserve(rows.size());
    data.colour.reserve(rows.size());
    for (std::size_t r = rows.first; r <= rows.last && r < xs.size(); ++r) {
        if (std::isnan(xs[r]) || std::isnan(ys[r])) {
            continue;
        }
        data.x.push_back(static_cast<float>(xs[r]));
        data.y.push_back(static_cast<float>(ys[r]));
        data.xSpan.take(xs[r]);
        data.ySpan.take(ys[r]);
        const double c = cs != nullptr ? (*cs)[r] : std::nan("");
        data.colour.push_back(static_cast<float>(c));
        if (!std::isnan(c)) {
            data.colourSpan.take(c);
        }
    }
    return data;
}

} // namespace kordana::analysis
