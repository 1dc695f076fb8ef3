#include "analysis/MapCells.h"

#include "monitor/OperatingPoint.h"

#include <cmath>

namespace kordana::analysis {

std::span<const std::uint8_t, layout::kMapCols> mapBreakpoints(const ParameterImage& image,
                                                               std::size_t page) {
    return std::span<const std::uint8_t, layout::kMapCols>(
        image.bytes.data() + layout::mapRpm(page), layout::kMapCols);
}

std::size_t cellOf(std::span<const std::uint8_t, layout::kMapCols> breakpoints,
                   std::uint16_t engineSpeed, std::uint8_t throttleOpening) {
    return layout::kMapCols * mapRow(throttleOpening) +
           nearestBreakpoint(breakpoints, speedIndex(engineSpeed));
}

std::optional<unsigned> liveField(double value, double maximum) {
    if (std::isnan(value) || value < 0 || value > maximum) {
        return std::nullopt;
    }
    return static_cast<unsigned>(std::round(value));
}

} // namespace kordana::analysis
