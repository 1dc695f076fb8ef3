#pragma once

#include "library/LibraryEntry.h"
#include "params/ParameterImage.h"
#include "tools/cli/CliConsole.h"
#include "tools/cli/CliLibraryOptions.h"

#include <string>

namespace kordana {

/// Runs `kordana-cli library ACTION`; its exit code.
int runLibraryCommand(const CliLibraryOptions& options, CliConsole& console);

/// Keeps the set of a finished command as an entry of the library in `folder` (empty: the
/// default), then syncs when a remote is set. Says on standard error what it kept; a library
/// that cannot be used is said there too and never changes the command's outcome.
void keepInLibrary(const std::string& folder, LibraryEvent event, const ParameterImage& image,
                   bool extMon, const std::string& filePath, CliConsole& console);

} // namespace kordana
