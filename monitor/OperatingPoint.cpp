#include "monitor/OperatingPoint.h"

#include "params/ImageLayout.h"

#include <atomic>

namespace kordana {

namespace {

// N consecutive image bytes from a fixed layout position.
template <std::size_t N>
std::span<const std::uint8_t, N> row(const ParameterImage& image, std::size_t at) {
    // Every caller passes a layout position whose row lies inside the image.
    return std::span<const std::uint8_t, N>(image.bytes.data() + at, N);
}

std::uint8_t u8(unsigned value) {
    return static_cast<std::uint8_t>(value);
}

} // namespace

std::uint16_t speedIndex(std::uint16_t engineSpeed) {
    // A byte would wrap from 12800 rpm on and send the cursor back to the first column.
    return static_cast<std::uint16_t>(engineSpeed / 50u);
}

std::uint8_t nearestBreakpoint(std::span<const std::uint8_t, 15> breakpoints, std::uint16_t r) {
    unsigned i = 0;
    while (i < 15 && breakpoints[i] <= r) {
        ++i;
    }
    if (i == 0) {
        return 0;
    }
    if (i == 15) {
        return 14;
    }
    const unsigned sum = unsigned{breakpoints[i - 1]} + breakpoints[i];
    return u8(sum >= 2u * r ? i - 1 : i);
}

std::uint8_t mapRow(std::uint8_t throttleOpening) {
    unsigned j = 0;
    while (j < kThrottleRows.size() && kThrottleRows[j] <= throttleOpening) {
        ++j;
    }
    if (j == kThrottleRows.size()) {
        return u8(j - 1);
    }
    // The table starts at 0, so j is at least 1 here.
    const unsigned sum = unsigned{kThrottleRows[j - 1]} + kThrottleRows[j];
    return u8(sum >= 2u * throttleOpening ? j - 1 : j);
}

std::uint8_t pressurePoint(std::span<const std::uint8_t, 10> druck, std::uint16_t pressure) {
    const unsigned p = pressure;
    unsigned k = 0;
    while (k < 10 && druck[k] * 10u < p) {
        ++k;
    }
    if (k == 0) {
        return 0;
    }
    if (k == 10) {
        return 9;
    }
    return u8(druck[k - 1] * 10u + druck[k] * 10u >= 2u * p ? k - 1 : k);
}

std::uint8_t temperatureRow(std::uint8_t temperatureByte) {
    unsigned k = 0;
    for (const std::uint8_t threshold : kTemperatureThresholds) {
        k += temperatureByte >= threshold ? 1u : 0u;
    }
    return u8(k);
}

std::uint8_t retardPoint(std::span<const std::uint8_t, 10> retard, std::uint8_t airByte) {
    unsigned k = 0;
    while (k < 9 && unsigned{retard[k]} + retard[k + 1] <= 2u * airByte) {
        ++k;
    }
    return u8(k);
}

std::uint8_t postStartPoint(std::span<const std::uint8_t, 4> choke, std::uint16_t timeSinceStart) {
    const unsigned twice = 2u * timeSinceStart;
    if (twice <= 10u * choke[0]) {
        return 0;
    }
    unsigned k = 1;
    while (k < 4 && 10u * choke[k - 1] + 10u * choke[k] <= twice) {
        ++k;
    }
    return u8(k);
}

std::uint8_t knockPoint(std::span<const std::uint8_t, 5> rpmPoints, std::uint16_t r) {
    unsigned k = 0;
    while (k < 4 && unsigned{rpmPoints[k]} + rpmPoints[k + 1] <= 2u * r) {
        ++k;
    }
    return u8(k);
}

namespace {
std::atomic<std::uint64_t> mapMarkCount{0};
} // namespace

std::uint64_t mapMarksComputed() {
    return mapMarkCount.load();
}

MapMark mapMark(const ParameterImage& image, std::size_t page, const MonitorLiveValues& live) {
    if (page >= kMapPageCount) {
        return {};
    }
    ++mapMarkCount;
    MapMark mark;
    mark.column =
        nearestBreakpoint(row<15>(image, layout::mapRpm(page)), speedIndex(live.engineSpeed));
    mark.row = mapRow(live.throttleOpening);
    mark.cellMarked = live.engineSpeed != 0;
    return mark;
}

std::uint8_t servoPoint(const ParameterImage& image, const MonitorLiveValues& live) {
    return nearestBreakpoint(row<15>(image, layout::kRpmServo), speedIndex(live.engineSpeed));
}

std::uint8_t positionPoint(const ParameterImage& image, bool b, const MonitorLiveValues& live) {
    const std::size_t at = b ? layout::kPositionB : layout::kPositionA;
    return nearestBreakpoint(row<15>(image, at), speedIndex(live.engineSpeed));
}

CorrectionMarks correctionMarks(const ParameterImage& image, const MonitorLiveValues& live) {
    CorrectionMarks marks;
    marks.pressureRow = pressurePoint(row<10>(image, layout::kDruck), live.pressure);
    marks.coolantRow = temperatureRow(live.coolantByte);
    marks.airRow = temperatureRow(live.airByte);
    marks.retardRow = retardPoint(row<10>(image, layout::kRetard), live.airByte);
    marks.postStartPoint = postStartPoint(row<4>(image, layout::kChoke), live.timeSinceStart);
    return marks;
}

std::array<std::uint8_t, 3> knockPoints(const ParameterImage& image,
                                        const MonitorLiveValues& live) {
    const std::uint16_t r = speedIndex(live.engineSpeed);
    std::array<std::uint8_t, 3> points{};
    for (std::size_t c = 0; c < 3; ++c) {
        points[c] = knockPoint(row<5>(image, layout::kRpmKnock + 5 * c), r);
    }
    return points;
}

void OperatingPoint::follow(std::size_t activePage, const ParameterImage& image,
                            const MonitorLiveValues& live) {
    follow(activePage, image, live, mapMark(image, activePage, live));
}

void OperatingPoint::follow(std::size_t activePage, const ParameterImage& image,
                            const MonitorLiveValues& live, const MapMark& mark) {
    if (activePage < kMapPageCount) {
        mapColumn = mark.column;
        mapRow = mark.row;
    } else if (activePage == kPagePoloha) {
        positionAPoint = positionPoint(image, false, live);
        positionBPoint = positionPoint(image, true, live);
    } else if (activePage == kPageServo) {
        servoPoint = kordana::servoPoint(image, live);
    }
}

} // namespace kordana
