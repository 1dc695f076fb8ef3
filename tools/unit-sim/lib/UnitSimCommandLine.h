#pragma once

#include "tools/unit-sim/lib/UnitSimOptions.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kordana {

/// Everything the unit-sim program's command line sets.
struct UnitSimProgramOptions {
    UnitSimOptions unit;
    std::string linkPath;         ///< symlink to the device made at start, removed at exit
    bool exitWithParent = false;  ///< stop when the process that started it ends
    std::optional<long> watchPid; ///< stop when this process ends
    bool verbose = false;         ///< one line on stderr per request
    bool help = false;
};

/// The outcome of parsing: options, or an error text naming the offending argument.
struct UnitSimParseResult {
    std::optional<UnitSimProgramOptions> options;
    std::string error;
};

/// Parses the program's arguments (without the program name); "--opt V" and "--opt=V" both work.
UnitSimParseResult parseUnitSimCommandLine(std::span<const std::string_view> args);

/// The --help text.
std::string unitSimUsage();

} // namespace kordana
