#pragma once

#include "link/Frame.h"

#include <cstdint>
#include <initializer_list>
#include <string>

namespace kordana {

/// The monitor frame the simulated unit with its built-in engine sends `ms` into its dyno run.
/// Kept apart from the window's headers: the simulator has a member the toolkit's `emit`
/// keyword would rewrite.
Frame simulatedEngineFrame(std::uint32_t ms);

/// A monitor log as Log > Record monitor log writes it: `seconds` of the simulated engine, warm,
/// on its track lap (pulls through the gears, braking, part-throttle corners), a row every
/// `stepMs`, with markers 1, 2, ... on the rows at the seconds in `markerSeconds`.
std::string simulatedTrackLog(unsigned seconds, unsigned stepMs,
                              std::initializer_list<unsigned> markerSeconds);

} // namespace kordana
