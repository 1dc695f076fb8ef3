#include "analysis/AnalysisText.h"

namespace kordana::analysis {

namespace {

// `pattern` with its "%1" replaced by the count (the pattern alone when it has none).
std::string filled(std::string_view pattern, std::uint64_t count, std::string_view thousands) {
    std::string text(pattern);
    if (const std::size_t at = text.find("%1"); at != std::string::npos) {
        text.replace(at, 2, groupedCount(count, thousands));
    }
    return text;
}

} // namespace

std::string groupedCount(std::uint64_t count, std::string_view separator) {
    std::string digits = std::to_string(count);
    if (separator.empty()) {
        return digits;
    }
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, separator);
    }
    return digits;
}

std::string tallyText(const Tally& tally, const TallyWords& words) {
    std::string text = filled(words.samples, tally.samples, words.thousands) + ", " +
                       filled(words.used, tally.used, words.thousands);
    std::string_view separator = words.beforeRejected;
    for (std::size_t r = 0; r < kRejectionCount; ++r) {
        if (tally.rejected[r] > 0) {
            text += std::string(separator) +
                    filled(words.rejected[r], tally.rejected[r], words.thousands);
            separator = ", ";
        }
    }
    return text;
}

} // namespace kordana::analysis
