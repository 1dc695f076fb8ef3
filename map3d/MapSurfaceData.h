#pragma once

#include "params/HeatScale.h"
#include "params/ParameterImage.h"

#include <array>
#include <cstddef>

namespace kordana {

/// A closed range of one axis of the 3D view, in shown units.
struct AxisRange {
    int min = 0;
    int max = 0;

    friend bool operator==(const AxisRange&, const AxisRange&) = default;
};

/// One map page as a surface over its rpm breakpoints (x) and throttle rows (z), everything in
/// the units and within the ranges the map page shows: rpm, %, degrees or microseconds. Plain
/// data: building it needs no display.
struct MapSurfaceData {
    static constexpr std::size_t kRows = 10;
    static constexpr std::size_t kCols = 15;

    std::size_t page = 0;
    bool injection = false;             ///< microseconds (pages 3..8), else degrees of advance
    std::array<int, kCols> speeds{};    ///< rpm of each column's breakpoint
    std::array<int, kRows> throttles{}; ///< throttle opening (%) of each row
    std::array<std::array<int, kCols>, kRows> values{}; ///< [row][column]
    AxisRange speedRange;
    AxisRange throttleRange;
    /// From the lowest to the highest value, widened to whole ticks (5 degrees, 500 us), at
    /// least one tick tall and never beyond the map's range.
    AxisRange valueRange;
    int valueTick = 1;
    /// The map's lowest..highest value, which the heat colours span as on the map grid.
    HeatRange heat;
};

/// The surface of map page `page` (0..8) of `image`: breakpoints and cells clamped to the
/// page's ranges as its fields show them.
MapSurfaceData mapSurfaceData(const ParameterImage& image, std::size_t page);

} // namespace kordana
