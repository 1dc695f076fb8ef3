#pragma once

#include "tools/cli/CliCommandLine.h"
#include "tools/cli/CliConsole.h"

namespace kordana {

/// Runs the command in options (already checked by the parser) and returns its exit code.
/// The device commands need a QCoreApplication with the application name "kordana".
int runCliCommand(const CliOptions& options, CliConsole& console);

} // namespace kordana
