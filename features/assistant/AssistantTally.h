#pragma once

#include "analysis/Analysis.h"
#include "analysis/AnalysisText.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kordana {

/// A text of the language tables as a QString.
QString assistantText(std::string_view text);

/// The words of a tally in the language `languageIndex` (English groups the thousands, the
/// others leave the digits plain).
analysis::TallyWords tallyWordsFor(std::uint8_t languageIndex);

/// The assistant window's tally, one line each: the fuel tally, the knock tally and how many
/// cells have a proposal ("Fuel: 30 samples, 30 used\nKnock: ...\n6 cells proposed").
QString tallyLabelText(const analysis::AnalysisResult& result, std::size_t proposedCells,
                       std::uint8_t languageIndex);

} // namespace kordana
