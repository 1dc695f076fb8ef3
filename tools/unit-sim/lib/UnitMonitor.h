#pragma once

#include "link/Frame.h"
#include "params/ParameterImage.h"
#include "tools/unit-sim/lib/EngineModel.h"

#include <array>
#include <cstdint>

namespace kordana {

/// The unit's state that a monitor frame reports besides its stored parameters.
struct UnitRunState {
    std::uint64_t clockMs = 0;        ///< time since the engine started
    std::uint16_t savingCount = 0;    ///< 0 when not saving
    std::uint16_t programmings = 0;   ///< number of programming runs so far
    std::uint8_t programVersion = 51; ///< the unit program's version
    /// The engine's readings, when the unit runs one: speed, throttle, lambda, coolant, time
    /// since start and knock come from it, and the maps give the cell it uses (the nearest).
    const EngineReadings* engine = nullptr;
};

/// Engine speed of the simulated sweep at a clock time: 800..9000 rpm and back over 40 s.
std::uint16_t sweepRpm(std::uint64_t clockMs);
/// Throttle opening of the simulated sweep at a clock time: 0..100 % and back over 14 s.
std::uint8_t sweepThrottle(std::uint64_t clockMs);

/// The 100 data bytes of a monitor frame (frame byte k is data byte k - 1): the sweep's (or the
/// engine's) speed and throttle, sensors in their normal ranges, and the advance, injection
/// times, positions and outputs that the stored parameters give at that operating point.
std::array<std::uint8_t, kFrameDataSize> composeMonitorData(const ParameterImage& memory,
                                                            const UnitRunState& state);

} // namespace kordana
