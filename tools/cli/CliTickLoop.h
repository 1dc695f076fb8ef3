#pragma once

#include <functional>
#include <optional>

namespace kordana {

class LinkProtocol;

/// The link's timer period, as in the window.
inline constexpr int kCliTickMs = 55;

/// Ticks `link` every 55 ms in a local event loop (which also moves the serial bytes) until
/// `afterTick` returns an exit code; returns that code.
int runTickLoop(LinkProtocol& link, const std::function<std::optional<int>()>& afterTick);

} // namespace kordana
