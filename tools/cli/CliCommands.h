#pragma once

#include "tools/cli/CliCommandLine.h"
#include "tools/cli/CliConsole.h"
#include "tools/cli/CliLine.h"

namespace kordana {

/// Runs the command in options (already checked by the parser) and returns its exit code.
/// The device commands open their device with opener; on serial devices they need a
/// QCoreApplication with the application name "kordana".
int runCliCommand(const CliOptions& options, CliConsole& console,
                  const CliLineOpener& opener = serialLineOpener());

} // namespace kordana
