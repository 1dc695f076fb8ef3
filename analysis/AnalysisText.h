#pragma once

#include "analysis/AnalysisSettings.h"

#include <cstdint>
#include <string>

namespace kordana::analysis {

/// `count` with its thousands grouped by commas ("1,840").
std::string groupedCount(std::uint64_t count);

/// What a tally says, in English: "1,840 samples, 1,203 used; 311 not steady, 210 cold"
/// (the reasons that rejected any sample, in their order).
std::string tallyText(const Tally& tally);

} // namespace kordana::analysis
