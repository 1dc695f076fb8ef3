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

/// Runs a parsed command line as the program does: a usage error is two lines on standard
/// error (exit 2), help goes to standard output (exit 0), anything else runs the command.
int runCliCommandLine(const CliParseResult& parsed, CliConsole& console,
                      const CliLineOpener& opener = serialLineOpener());

} // namespace kordana
