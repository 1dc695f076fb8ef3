#pragma once

#include "analysis/AnalysisSettings.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kordana::analysis {

/// The words a tally is written with; "%1" in each stands for its count. The defaults are the
/// English ones; the window fills them from the language tables.
struct TallyWords {
    std::string_view samples = "%1 samples";
    std::string_view used = "%1 used";
    /// One per rejection, in the order of `Rejection`.
    std::array<std::string_view, kRejectionCount> rejected{
        "%1 not running",      "%1 sensor error", "%1 tacho input", "%1 lambda railed",
        "%1 no earlier frame", "%1 not steady",   "%1 cold",        "%1 post-start",
        "%1 overrun",          "%1 limiter"};
    /// Between the used samples and the first rejection.
    std::string_view beforeRejected = "; ";
    /// Groups the thousands of every count; empty leaves the digits plain.
    std::string_view thousands = ",";
};

/// `count` with its thousands grouped by `separator` ("1,840"); an empty separator leaves
/// the digits plain.
std::string groupedCount(std::uint64_t count, std::string_view separator = ",");

/// What a tally says: "1,840 samples, 1,203 used; 311 not steady, 210 cold" (the reasons that
/// rejected any sample, in their order), in the words given.
std::string tallyText(const Tally& tally, const TallyWords& words = {});

} // namespace kordana::analysis
