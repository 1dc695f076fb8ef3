#include "session/BulkTools.h"

#include "params/ImageLayout.h"
#include "session/MapCoupling.h"

namespace kordana::bulk {

namespace {

struct CurveRange {
    std::size_t first; // image index of point 0
    std::uint8_t lowest;
    std::uint8_t highest;
};

// The position angles stop at 720 degrees, the top of their fields: a byte above it could be
// neither shown nor harvested back, and the next harvest would silently undo the step.
constexpr std::uint8_t kAngleCeiling = 144;
// The servo voltage never reaches 0 or 250: the consistency pass reads both as 1 (20 mV).
constexpr std::uint8_t kVoltFloor = 1;
constexpr std::uint8_t kVoltCeiling = 249;

CurveRange rangeOf(Curve curve) {
    switch (curve) {
    case Curve::PositionA:
        return {layout::kPositionA + 15, 0, kAngleCeiling};
    case Curve::PositionB:
        return {layout::kPositionB + 15, 0, kAngleCeiling};
    case Curve::Servo:
        break;
    }
    return {layout::kVoltServo, kVoltFloor, kVoltCeiling};
}

void stepWithin(std::uint8_t& value, const CurveRange& range, int direction) {
    if (direction < 0 && value > range.lowest) {
        --value;
    } else if (direction > 0 && value < range.highest) {
        ++value;
    }
}

constexpr std::uint16_t kTps0Low = 300;
constexpr std::uint16_t kTps0High = 2500;
constexpr std::uint16_t kTps100Low = 2500;
constexpr std::uint16_t kTps100High = 4900;

} // namespace

void stepMap(ParameterImage& image, int page, bool wholeMap, std::size_t row, std::size_t column,
             int direction) {
    if (!coupling::isMapPage(page)) {
        return;
    }
    const auto p = static_cast<std::size_t>(page);
    if (wholeMap) {
        for (std::size_t i = 0; i < layout::kMapRows * layout::kMapCols; ++i) {
            coupling::stepElement(image, page, layout::mapCells(p) + i, direction);
        }
    } else if (row < layout::kMapRows && column < layout::kMapCols) {
        coupling::stepElement(image, page, layout::mapCell(p, row, column), direction);
    }
}

void stepCurve(ParameterImage& image, Curve curve, bool wholeCurve, std::size_t point,
               int direction) {
    constexpr std::size_t kPoints = 15;
    const CurveRange range = rangeOf(curve);
    for (std::size_t i = 0; i < kPoints; ++i) {
        if (wholeCurve || i == point) {
            stepWithin(image[range.first + i], range, direction);
        }
    }
}

std::optional<std::uint8_t> tps0Byte(std::uint16_t millivolts) {
    if (millivolts < kTps0Low || millivolts > kTps0High) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(millivolts / 10);
}

std::optional<std::uint8_t> tps100Byte(std::uint16_t millivolts) {
    if (millivolts < kTps100Low || millivolts > kTps100High) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>((millivolts / 10 + 6) % 256);
}

} // namespace kordana::bulk
