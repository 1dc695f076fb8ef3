#include "monitor/MonitorLiveValues.h"

#include <algorithm>

namespace kordana {

namespace {

// A reading outside the converter's 10-bit range would not fit; keep the top instead of
// wrapping to a small, plausible-looking voltage.
std::uint16_t millivolts16(std::uint16_t raw) {
    return static_cast<std::uint16_t>(std::min<std::uint32_t>(rawToMillivolts(raw), 0xFFFFu));
}

} // namespace

MonitorLiveValues liveValuesOf(const MonitorFrame& frame) {
    MonitorLiveValues live;
    live.engineSpeed = frame.engineSpeed;
    live.throttleOpening = frame.throttleOpening;
    live.throttleMv = millivolts16(frame.throttleRaw);
    live.lambdaMv = millivolts16(frame.lambdaRaw);
    live.pressure = frame.pressure;
    live.coolantByte = frame.coolantByte == 0 ? kCoolantSubstitute : frame.coolantByte;
    live.airByte = frame.airByte;
    live.timeSinceStart = frame.timeSinceStart;
    live.savingCount = frame.savingCount;
    live.programmingCount = frame.programmingCount;
    return live;
}

} // namespace kordana
