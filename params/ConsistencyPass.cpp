#include "params/ConsistencyPass.h"

#include "params/ImageLayout.h"

#include <array>
#include <cstddef>

namespace kordana {

namespace {

using namespace layout;

constexpr std::size_t kRowLength = 15;

// The twelve rpm breakpoint rows, in the order the pass works through them.
constexpr std::array<std::size_t, 12> kBreakpointRows = {
    mapRpm(0), mapRpm(1), mapRpm(2), mapRpm(3), mapRpm(6),  mapRpm(4),
    mapRpm(7), mapRpm(5), mapRpm(8), kRpmServo, kPositionA, kPositionB};

std::uint8_t byteOf(std::size_t value) {
    return static_cast<std::uint8_t>(value & 0xFFu);
}

void raiseTo(ParameterImage& image, std::size_t index, std::uint8_t floor) {
    if (image[index] < floor) {
        image[index] = floor;
    }
}

void lowerTo(ParameterImage& image, std::size_t index, std::uint8_t ceiling) {
    if (image[index] > ceiling) {
        image[index] = ceiling;
    }
}

void clamp(ParameterImage& image, std::size_t index, std::uint8_t floor, std::uint8_t ceiling) {
    raiseTo(image, index, floor);
    lowerTo(image, index, ceiling);
}

// Each element not greater than its (already repaired) predecessor becomes predecessor + 1.
// The bounds applied before every call keep the result at 255 or below; the guard only makes
// sure a byte can never wrap to 0.
void makeStrictlyIncreasing(ParameterImage& image, std::size_t first, std::size_t count) {
    for (std::size_t i = first + 1; i < first + count; ++i) {
        const std::uint8_t previous = image[i - 1];
        if (image[i] <= previous && previous < 255) {
            image[i] = static_cast<std::uint8_t>(previous + 1);
        }
    }
}

void repairLimiters(ParameterImage& image) {
    clamp(image, kLimiter, 10, 250);
    for (std::size_t i = 1; i < 3; ++i) {
        clamp(image, kLimiter + i, 10, 250);
        raiseTo(image, kLimiter + i, image[kLimiter]);
    }
}

void repairKnockWindow(ParameterImage& image, std::size_t i) {
    std::uint8_t& start = image[kStart + i];
    std::uint8_t& end = image[kEnd + i];
    if (end > start) {
        return;
    }
    // A window starting at 255 has no room for its end: move the start down one.
    if (start == 255) {
        start = 254;
    }
    end = static_cast<std::uint8_t>(start + 1);
}

void boundElement(ParameterImage& image, std::size_t i) {
    for (std::size_t row : kBreakpointRows) {
        raiseTo(image, row + i, byteOf(i + 3));
    }
    raiseTo(image, kRpmKnock + i, byteOf(i + 3));
    raiseTo(image, kVoltServo + i, 1);

    for (std::size_t row : kBreakpointRows) {
        lowerTo(image, row + i, byteOf(i + 236));
    }
    // An over-range servo voltage stays at the top of its range.
    lowerTo(image, kVoltServo + i, 249);
    lowerTo(image, kPositionA + 15 + i, 240);
    lowerTo(image, kPositionB + 15 + i, 240);
    lowerTo(image, kRpmKnock + i, byteOf(246 + i / 3));

    repairKnockWindow(image, i);
}

void clampMaps(ParameterImage& image) {
    for (std::size_t page = 0; page < kMapPageCount; ++page) {
        const std::uint8_t ceiling = page < 3 ? 60 : 250;
        for (std::size_t cell = 0; cell < kMapRows * kMapCols; ++cell) {
            lowerTo(image, mapCells(page) + cell, ceiling);
        }
    }
}

// Ten breakpoints whose increasing repair must not wrap: element i is kept at 246 + i or
// below first, which leaves room for the ones after it.
void repairTenBreakpoints(ParameterImage& image, std::size_t first) {
    for (std::size_t i = 0; i < 10; ++i) {
        lowerTo(image, first + i, byteOf(246 + i));
    }
    makeStrictlyIncreasing(image, first, 10);
}

void repairChoke(ParameterImage& image) {
    for (std::size_t i = 0; i < 4; ++i) {
        clamp(image, kChoke + i, byteOf(i), byteOf(i + 247));
        lowerTo(image, kChoke + 4 + i, 250);
    }
    makeStrictlyIncreasing(image, kChoke, 4);
}

void repairPowerOutputs(ParameterImage& image) {
    for (std::size_t output = 0; output < 3; ++output) {
        const std::size_t level1 = powerOut(3 * output);
        raiseTo(image, powerOut(3 * output + 1), image[level1]);
    }
}

} // namespace

void runConsistencyPass(ParameterImage& image) {
    repairLimiters(image);
    for (std::size_t i = 0; i < kRowLength; ++i) {
        boundElement(image, i);
    }
    for (std::size_t row : kBreakpointRows) {
        makeStrictlyIncreasing(image, row, kRowLength);
    }
    for (std::size_t group = 0; group < 3; ++group) {
        makeStrictlyIncreasing(image, kRpmKnock + 5 * group, 5);
    }
    clampMaps(image);
    lowerTo(image, kTps, 250);
    lowerTo(image, kTps + 1, 250);
    lowerTo(image, kStartJet, 50);
    repairTenBreakpoints(image, kDruck);
    repairChoke(image);
    repairTenBreakpoints(image, kRetard);
    repairPowerOutputs(image);
    lowerTo(image, kBike, 3);
}

void repairSettings(std::uint8_t& languageIndex, std::uint8_t& portIndex) {
    if (languageIndex > 3) {
        languageIndex = 0;
    }
    if (portIndex > 19) {
        portIndex = 0;
    }
}

void repairSettings(int& languageIndex, int& portIndex) {
    if (languageIndex < 0 || languageIndex > 3) {
        languageIndex = 0;
    }
    if (portIndex < 0 || portIndex > 19) {
        portIndex = 0;
    }
}

} // namespace kordana
