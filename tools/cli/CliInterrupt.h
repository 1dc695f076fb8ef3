#pragma once

namespace kordana {

/// Catches SIGINT, SIGTERM and SIGHUP from now on, so that a running command can end in order
/// (close the port, finish the CSV file) on its next tick instead of dying mid-write.
void installInterruptHandler();

/// True once one of those signals has arrived.
bool interruptRequested();

} // namespace kordana
