#pragma once

#include "analysis/Analysis.h"
#include "analysis/Proposal.h"
#include "tools/cli/CliAnalyzeOptions.h"
#include "tools/cli/CliConsole.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kordana {

/// "Fuel: 1,840 samples, 1,203 used; 311 not steady, 210 cold, 116 overrun": the reasons with
/// a count, in the tally's order.
std::string tallyLine(std::string_view kind, const analysis::Tally& tally);

/// "  row 5 (30%) column 4 (3000 rpm): 5000 µs -> 5500 µs, 9 samples".
std::string changeLine(const ParameterImage& image, const analysis::CellChange& change);

/// Reads the logs of `options` and analyses them against `image`, printing the tallies and,
/// per map, the proposed cells. The image with the changes, repaired; nothing when a log could
/// not be used (said on standard error, `exitCode` set: 2 unreadable, 1 damaged).
std::optional<ParameterImage> analyzeLogs(const CliAnalyzeOptions& options,
                                          const ParameterImage& image, CliConsole& console,
                                          int& exitCode);

} // namespace kordana
