#include "map3d/MapSurfaceData.h"

#include "monitor/OperatingPoint.h"
#include "params/ImageLayout.h"
#include "params/ParameterTable.h"

#include <algorithm>

namespace kordana {

namespace {

constexpr int kDegreeTick = 5;
constexpr int kMicrosecondTick = 500;

// Every byte of a map page and its breakpoint row is an element of the parameter table.
const ParameterElement& elementAt(std::size_t index) {
    const auto ref = ParameterTable::instance().findByIndex(index);
    return ref->key->elements[ref->element];
}

// The value the map page's field shows for image byte `index`: converted, then clamped to the
// field's range as its up-down does.
int shownAt(const ParameterImage& image, std::size_t index) {
    const ParameterElement& element = elementAt(index);
    return clampShown(element, shownValue(image, element));
}

int floorTo(int value, int tick) {
    return value / tick * tick;
}

int ceilTo(int value, int tick) {
    return (value + tick - 1) / tick * tick;
}

} // namespace

MapSurfaceData mapSurfaceData(const ParameterImage& image, std::size_t page) {
    MapSurfaceData data;
    data.page = page;
    data.injection = page >= 3;
    for (std::size_t c = 0; c < MapSurfaceData::kCols; ++c) {
        data.speeds[c] = shownAt(image, layout::mapRpm(page) + c);
    }
    int lowest = shownAt(image, layout::mapCell(page, 0, 0));
    int highest = lowest;
    for (std::size_t r = 0; r < MapSurfaceData::kRows; ++r) {
        data.throttles[r] = kThrottleRows[r];
        for (std::size_t c = 0; c < MapSurfaceData::kCols; ++c) {
            const int value = shownAt(image, layout::mapCell(page, r, c));
            data.values[r][c] = value;
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
        }
    }

    // The consistency pass keeps the breakpoints increasing, but breakpoints stored under the
    // field's minimum all show that minimum.
    data.speedRange = {data.speeds.front(), std::max(data.speeds.back(), data.speeds.front() + 50)};
    data.throttleRange = {kThrottleRows.front(), kThrottleRows.back()};

    // A flat map still gets a range one tick tall, above it unless that passes the map's
    // maximum.
    const int mapMaximum = elementAt(layout::mapCell(page, 0, 0)).maxShown;
    data.valueTick = data.injection ? kMicrosecondTick : kDegreeTick;
    AxisRange range{floorTo(lowest, data.valueTick), ceilTo(highest, data.valueTick)};
    if (range.min == range.max) {
        if (range.max + data.valueTick <= mapMaximum) {
            range.max += data.valueTick;
        } else {
            range.min -= data.valueTick;
        }
    }
    data.valueRange = range;
    data.heat = {lowest, highest};
    return data;
}

} // namespace kordana
