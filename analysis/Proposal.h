#pragma once

#include "analysis/Analysis.h"
#include "analysis/AnalysisSettings.h"
#include "params/ParameterImage.h"
#include "session/EditSession.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kordana::analysis {

/// One cell the analysis would change: its map page, row and column, the stored byte now and
/// proposed, and the accepted samples behind it.
struct CellChange {
    std::uint8_t page = 0;
    std::uint8_t row = 0;
    std::uint8_t column = 0;
    std::uint8_t before = 0;
    std::uint8_t after = 0;
    std::uint32_t samples = 0;

    friend bool operator==(const CellChange&, const CellChange&) = default;
};

/// The proposed changes of one analysis, map page by map page, cells in order, and the cells
/// of "Ign 1" .. "Ign 3" with enough samples and no knock event (clean, for the technician to
/// judge).
struct Proposal {
    std::vector<CellChange> changes;
    std::array<std::bitset<kCellCount>, 3> clean;
};

/// The correction factor of a wideband cell: the median of its ratios (the mean of the two
/// middle ones for an even count); none without ratios.
std::optional<double> medianRatio(std::span<const double> ratios);

/// The stored byte a fuel cell gets: `stored` x `factor` rounded to the byte, kept within the
/// authority (% of `stored`, the bytes inside it) and the injection map's range 0..250.
std::uint8_t proposedFuel(std::uint8_t stored, double factor, double authorityPct);

/// The retard of a cell of "Ign n": one step for every `knockEvents` events, at most the
/// maximum retard; 0 below `knockEvents` events.
unsigned proposedRetard(const AnalysisSettings& settings, std::uint32_t events);

/// The proposals of an analysis of `image` (the set it was made against): fuel cells with at
/// least the minimum samples, on the maps of the chosen banks; ignition cells with enough knock
/// events, the largest retard of the three cylinders on all three maps when the ignition maps
/// are 1 = 2 = 3; never an advance, never a locked cell (in 1 = 2 = 3 the lock of the shown
/// master map counts for its siblings).
Proposal propose(const ParameterImage& image, const AnalysisResult& result,
                 const AnalysisSettings& settings, const CellLocks& locks = {});

/// The set with every change of `proposal` stored (no consistency pass).
ParameterImage applied(const ParameterImage& image, const Proposal& proposal);

/// The changes of `proposal` as the cell writes EditSession::applyCellProposal accepts.
std::vector<MapCellWrite> cellWrites(const Proposal& proposal);

} // namespace kordana::analysis
