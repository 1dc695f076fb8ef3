#pragma once

#include "monitor/MonitorFrame.h"

#include <cstdint>

namespace kordana {

/// The values of the last intact monitor frame that other parts of the program work with
/// (operating-point cursor, throttle calibration, bulk tools, saving display); zero at start.
struct MonitorLiveValues {
    std::uint16_t engineSpeed = 0;    ///< rpm
    std::uint8_t throttleOpening = 0; ///< %, above 100 = sensor error
    std::uint16_t throttleMv = 0;     ///< throttle sensor, mV
    std::uint16_t lambdaMv = 0;       ///< lambda sensor, mV
    std::uint16_t pressure = 0;       ///< 0.1 kPa
    std::uint8_t coolantByte = 0;     ///< temperature + 100; 180 (80 degC) on a sensor error
    std::uint8_t airByte = 0;         ///< temperature + 100; 0 stays 0 on a sensor error
    std::uint16_t timeSinceStart = 0;
    std::uint16_t savingCount = 0;      ///< 0 = not saving
    std::uint16_t programmingCount = 0; ///< number of programmings of the unit

    friend bool operator==(const MonitorLiveValues&, const MonitorLiveValues&) = default;
};

/// Coolant byte kept in place of a failed sensor's 0, so the cursor marks the 80 degC row.
inline constexpr std::uint8_t kCoolantSubstitute = 180;

/// The live values carried by one intact frame (millivolts saturate at 65535).
MonitorLiveValues liveValuesOf(const MonitorFrame& frame);

} // namespace kordana
