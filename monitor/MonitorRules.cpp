#include "monitor/MonitorRules.h"

#include <algorithm>

namespace kordana {

MonitorColour rpmColour(std::uint8_t flagA, std::uint8_t flagB) {
    const bool a = flagA != 0;
    const bool b = flagB != 0;
    if (a && b) {
        return MonitorColour::Red;
    }
    return a || b ? MonitorColour::Fuchsia : MonitorColour::Normal;
}

int lambdaProgress(std::uint32_t lambdaMv) {
    if (lambdaMv < 400) {
        return 0;
    }
    if (lambdaMv > 1000) {
        return 100;
    }
    return static_cast<int>((lambdaMv - 400) / 6);
}

std::uint32_t injectionDuty(std::uint16_t engineSpeed, std::span<const std::uint16_t, 6> timesUs) {
    const std::uint16_t longest = *std::max_element(timesUs.begin(), timesUs.end());
    // 65535 rpm x 65535 us does not fit 32 bits; the quotient (at most 3579) does.
    const std::uint64_t product = std::uint64_t{engineSpeed} * std::uint64_t{longest};
    return static_cast<std::uint32_t>(product / 1200000u);
}

MonitorColour dutyColour(std::uint32_t duty) {
    return duty > 100 ? MonitorColour::Yellow : MonitorColour::Aqua;
}

MonitorColour supplyColour(std::uint32_t supplyMv) {
    if (supplyMv >= 17999 || supplyMv <= 7000) {
        return MonitorColour::Red;
    }
    if (supplyMv >= 14999 || supplyMv <= 11000) {
        return MonitorColour::Yellow;
    }
    return MonitorColour::Normal;
}

bool pressureReadingFaulty(std::uint16_t raw) {
    return raw < 105 || raw > 1006;
}

int clampProgress(long long progress) {
    return static_cast<int>(std::clamp(progress, 0LL, 100LL));
}

float scaledValue(std::uint32_t value, double factor) {
    return static_cast<float>(static_cast<double>(value) * factor);
}

} // namespace kordana
