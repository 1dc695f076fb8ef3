#pragma once

#include "analysis/Analysis.h"
#include "analysis/Proposal.h"
#include "editors/MapOverlay.h"

#include <cstdint>
#include <vector>

namespace kordana {

/// What the analysis shows on map page `page` (0..8): each proposed change in its cell's
/// corner ("+4 %" of the fuel, "-2°" of advance), blue for richer or more advance, red for
/// leaner or retard; "ok" in green on a clean ignition cell; hatching over a cell with samples
/// but too few for a proposal; "L" on a locked cell; a tooltip with the cell's samples, its
/// mean lambda (or lambda voltage), knock events and peak knock, in the language
/// `languageIndex`.
std::vector<CellNote> assistantNotes(int page, const analysis::AnalysisResult& result,
                                     const analysis::Proposal& proposal,
                                     const analysis::AnalysisSettings& settings,
                                     const analysis::CellLocks& locks,
                                     std::uint8_t languageIndex = 0);

/// The corner text of a change from stored byte `before` to `after` on map page `page`:
/// "+4 %" / "-2 %" of an injection cell (rounded to the whole per cent), "-2°" / "+1°" of an
/// ignition cell.
QString changeText(int page, int before, int after);

} // namespace kordana
