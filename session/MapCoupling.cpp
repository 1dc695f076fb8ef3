#include "session/MapCoupling.h"

#include "params/ImageLayout.h"

#include <algorithm>

namespace kordana::coupling {

namespace {

constexpr std::uint8_t kStepCeiling = 250;

std::uint8_t toByte(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// Masters of a group: the ignition map, or the first maps of injection banks A and B.
int masterCount(int group) {
    return group == kIgnitionGroup ? 1 : 2;
}
int masterPage(int group, int n) {
    return group == kIgnitionGroup ? 0 : 3 + 3 * n;
}

std::uint8_t stepped(std::uint8_t value, int direction) {
    if (direction < 0 && value > 0) {
        return static_cast<std::uint8_t>(value - 1);
    }
    if (direction > 0 && value < kStepCeiling) {
        return static_cast<std::uint8_t>(value + 1);
    }
    return value;
}

} // namespace

std::uint8_t modeOf(const ParameterImage& image, int group) {
    return image[layout::kMode + (group == kIgnitionGroup ? 0u : 1u)];
}

std::uint8_t modeForPage(const ParameterImage& image, int page) {
    return modeOf(image, groupOf(page));
}

std::size_t siblingIndex(std::size_t masterIndex, int k) {
    const std::size_t stride =
        masterIndex < layout::kMap ? layout::kMapCols : layout::kMapRows * layout::kMapCols;
    return masterIndex + stride * static_cast<std::size_t>(k);
}

void applyHarvestRule(ParameterImage& image, int page, std::size_t index, std::uint8_t before,
                      std::uint8_t after) {
    if (!isMaster(page)) {
        return;
    }
    const std::uint8_t mode = modeForPage(image, page);
    for (int k = 1; k <= 2; ++k) {
        std::uint8_t& sibling = image[siblingIndex(index, k)];
        if (mode == kCoupled && after != before) {
            sibling = toByte(int{sibling} + int{after} - int{before});
        } else if (mode == kSame) {
            sibling = after;
        }
    }
}

void stepElement(ParameterImage& image, int page, std::size_t index, int direction) {
    std::uint8_t& master = image[index];
    master = stepped(master, direction);
    if (!isMaster(page)) {
        return;
    }
    const std::uint8_t mode = modeForPage(image, page);
    for (int k = 1; k <= 2; ++k) {
        std::uint8_t& sibling = image[siblingIndex(index, k)];
        if (mode == kCoupled) {
            sibling = stepped(sibling, direction);
        } else if (mode == kSame) {
            sibling = master;
        }
    }
}

void stepColumn(ParameterImage& image, int page, std::size_t column, int direction) {
    if (!isMapPage(page) || column >= layout::kMapCols) {
        return;
    }
    const auto p = static_cast<std::size_t>(page);
    for (std::size_t r = 0; r < layout::kMapRows; ++r) {
        stepElement(image, page, layout::mapCell(p, r, column), direction);
    }
}

void copyBreakpoints(ParameterImage& image, int group) {
    for (int n = 0; n < masterCount(group); ++n) {
        const auto first = layout::mapRpm(static_cast<std::size_t>(masterPage(group, n)));
        for (std::size_t i = first; i < first + layout::kMapCols; ++i) {
            image[siblingIndex(i, 1)] = image[i];
            image[siblingIndex(i, 2)] = image[i];
        }
    }
}

void copyCells(ParameterImage& image, int group) {
    for (int n = 0; n < masterCount(group); ++n) {
        const auto first = layout::mapCells(static_cast<std::size_t>(masterPage(group, n)));
        for (std::size_t i = first; i < first + layout::kMapRows * layout::kMapCols; ++i) {
            image[siblingIndex(i, 1)] = image[i];
            image[siblingIndex(i, 2)] = image[i];
        }
    }
}

bool isLocked(const ParameterImage& image, int page) {
    return isMapPage(page) && !isMaster(page) && modeForPage(image, page) == kCoupled;
}

bool isTabHidden(const ParameterImage& image, int page) {
    return isMapPage(page) && !isMaster(page) && modeForPage(image, page) == kSame;
}

int visiblePageFor(const ParameterImage& image, int page) {
    return isTabHidden(image, page) ? masterOf(page) : page;
}

Indicator indicatorFor(const ParameterImage& image, int page) {
    // Every page above 2 counts as injection here, the fixed pages included: the indicator
    // only shows there if the grid does, which is never.
    const std::uint8_t mode = modeForPage(image, page);
    return Indicator{mode != kSeparate, mode == kSame};
}

} // namespace kordana::coupling
