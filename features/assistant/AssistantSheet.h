#pragma once

#include "analysis/Analysis.h"
#include "analysis/Proposal.h"
#include "sheet/TuneSheet.h"

#include <cstdint>
#include <vector>

namespace kordana {

/// The tune sheet's page of the last analysis: a heading, the tallies, and per map with any
/// accepted sample a table of its cells ("12" samples, "12: -2 %" with the proposed change),
/// breakpoints over the columns and throttle rows down the side. Nothing without samples. The
/// heading, the tallies and the tables' titles are in the language `languageIndex`.
std::vector<SheetBlock> assistantSheetBlocks(const ParameterImage& image,
                                             const analysis::AnalysisResult& result,
                                             const analysis::Proposal& proposal,
                                             std::uint8_t languageIndex = 0);

} // namespace kordana
