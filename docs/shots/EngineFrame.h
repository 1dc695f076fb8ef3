#pragma once

#include "link/Frame.h"

#include <cstdint>

namespace kordana {

/// The monitor frame the simulated unit with its built-in engine sends `ms` into its dyno run.
/// Kept apart from the window's headers: the simulator has a member the toolkit's `emit`
/// keyword would rewrite.
Frame simulatedEngineFrame(std::uint32_t ms);

} // namespace kordana
