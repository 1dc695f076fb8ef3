#include "analysis/AnalysisText.h"

namespace kordana::analysis {

std::string groupedCount(std::uint64_t count) {
    std::string digits = std::to_string(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, ",");
    }
    return digits;
}

std::string tallyText(const Tally& tally) {
    std::string text =
        groupedCount(tally.samples) + " samples, " + groupedCount(tally.used) + " used";
    std::string separator = "; ";
    for (std::size_t r = 0; r < kRejectionCount; ++r) {
        if (tally.rejected[r] > 0) {
            text += separator + groupedCount(tally.rejected[r]) + " " +
                    std::string(rejectionName(static_cast<Rejection>(r)));
            separator = ", ";
        }
    }
    return text;
}

} // namespace kordana::analysis
