#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kordana {

/// How many reasons the tuning assistant rejects a sample for.
inline constexpr std::size_t kAssistRejectionCount = 10;

/// The texts of the tuning assistant that are no control's caption (its tallies, the cell
/// notes' tooltips, the tune sheet's map tables), in one language. "%1" and "%2" are filled
/// by the caller.
struct AssistantTexts {
    std::string_view samples; ///< tally: "%1" samples looked at
    std::string_view used;    ///< tally: "%1" samples used
    /// tally: "%1" samples rejected, by reason: not running, sensor error, tacho input, lambda
    /// railed, no earlier frame, not steady, cold, post-start, overrun, limiter
    std::array<std::string_view, kAssistRejectionCount> rejected;
    std::string_view beforeRejected;  ///< between the used samples and the first rejection
    std::string_view thousands;       ///< groups the thousands of a count; empty: plain digits
    std::string_view fuel;            ///< the fuel tally's name
    std::string_view knock;           ///< the knock tally's name
    std::string_view tally;           ///< "%1" the name, "%2" the tally
    std::string_view proposed;        ///< "%1" cells with a proposal
    std::string_view logNotRead;      ///< status line: "%1" the log's file name
    std::string_view mapTable;        ///< tune sheet: "%1" the map's name
    std::string_view tipSamples;      ///< cell note: "%1" samples
    std::string_view tipMeanLambda;   ///< cell note: "%1" lambda
    std::string_view tipMeanLambdaMv; ///< cell note: "%1" millivolts
    std::string_view tipKnockEvents;  ///< cell note: "%1" events
    std::string_view tipPeakKnock;    ///< cell note: "%1" millivolts
    std::string_view tipMeanKnock;    ///< cell note: "%1" millivolts
};

/// The tuning assistant's texts for a language index (0 English .. 3 Czech; above 3 reads as
/// English).
AssistantTexts assistantTextsFor(std::uint8_t languageIndex);

} // namespace kordana
