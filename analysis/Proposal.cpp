#include "analysis/Proposal.h"

#include "params/ImageLayout.h"
#include "session/MapCoupling.h"

#include <algorithm>
#include <cmath>

namespace kordana::analysis {

namespace {

// Products such as 100 x 1.15 land a hair below the whole number they stand for.
constexpr double kEpsilon = 1e-9;
constexpr unsigned kFuelMax = 250;

bool locked(const ParameterImage& image, const CellLocks& locks, std::size_t page,
            std::size_t cell) {
    const int p = static_cast<int>(page);
    const auto master = static_cast<std::size_t>(coupling::masterOf(p));
    return locks[page][cell] ||
           (coupling::modeForPage(image, p) == coupling::kSame && locks[master][cell]);
}

std::uint8_t u8(unsigned value) {
    return static_cast<std::uint8_t>(value);
}

CellChange changeOf(const ParameterImage& image, std::size_t page, std::size_t cell, unsigned after,
                    std::uint32_t samples) {
    CellChange change;
    change.page = u8(static_cast<unsigned>(page));
    change.row = u8(static_cast<unsigned>(cell / layout::kMapCols));
    change.column = u8(static_cast<unsigned>(cell % layout::kMapCols));
    change.before = image[layout::mapCells(page) + cell];
    change.after = u8(after);
    change.samples = samples;
    return change;
}

// The factor a fuel cell asks for, or none (too few samples, at target).
std::optional<double> fuelFactor(const AnalysisSettings& settings, const FuelCell& cell,
                                 std::size_t row) {
    if (cell.samples < settings.minSamples || cell.samples == 0) {
        return std::nullopt;
    }
    if (settings.sensor == SensorModel::Wideband) {
        return medianRatio(cell.ratios);
    }
    // A narrowband sensor reads high when rich: take fuel away above the target voltage.
    const double mean = cell.meanMv();
    const double target = settings.targetMv[row];
    if (mean == target) {
        return std::nullopt;
    }
    const double step = settings.narrowStepPct / 100.0;
    return mean > target ? 1.0 - step : 1.0 + step;
}

void proposeFuel(const ParameterImage& image, const AnalysisResult& result,
                 const AnalysisSettings& settings, const CellLocks& locks, Proposal& proposal) {
    for (std::size_t page = kFirstJetPage; page < kMapPageCount; ++page) {
        if (!takesFuel(settings.banks, page)) {
            continue;
        }
        const FuelMap& map = result.fuelMap(page);
        for (std::size_t cell = 0; cell < kCellCount; ++cell) {
            const auto factor = fuelFactor(settings, map[cell], cell / layout::kMapCols);
            if (!factor || locked(image, locks, page, cell)) {
                continue;
            }
            const std::uint8_t before = image[layout::mapCells(page) + cell];
            const std::uint8_t after = proposedFuel(before, *factor, settings.authorityPct);
            if (after != before) {
                proposal.changes.push_back(changeOf(image, page, cell, after, map[cell].samples));
            }
        }
    }
}

void proposeIgnition(const ParameterImage& image, const AnalysisResult& result,
                     const AnalysisSettings& settings, const CellLocks& locks, Proposal& proposal) {
    const bool same = coupling::modeOf(image, coupling::kIgnitionGroup) == coupling::kSame;
    for (std::size_t page = 0; page < 3; ++page) {
        for (std::size_t cell = 0; cell < kCellCount; ++cell) {
            const KnockCell& knock = result.ignition[page][cell];
            if (knock.samples >= settings.minSamples && knock.events == 0) {
                proposal.clean[page][cell] = true;
            }
            unsigned retard = proposedRetard(settings, knock.events);
            std::uint32_t samples = knock.samples;
            if (same) {
                // One shared map: the cylinder that knocks most decides.
                for (const KnockMap& other : result.ignition) {
                    retard = std::max(retard, proposedRetard(settings, other[cell].events));
                    samples = std::max(samples, other[cell].samples);
                }
            }
            if (retard == 0 || locked(image, locks, page, cell)) {
                continue;
            }
            const unsigned before = image[layout::mapCells(page) + cell];
            const unsigned after = before > retard ? before - retard : 0;
            if (after != before) {
                proposal.changes.push_back(changeOf(image, page, cell, after, samples));
            }
        }
    }
}

} // namespace

std::optional<double> medianRatio(std::span<const double> ratios) {
    if (ratios.empty()) {
        return std::nullopt;
    }
    std::vector<double> sorted(ratios.begin(), ratios.end());
    const std::size_t mid = sorted.size() / 2;
    std::ranges::nth_element(sorted, sorted.begin() + static_cast<std::ptrdiff_t>(mid));
    const double upper = sorted[mid];
    if (sorted.size() % 2 == 1) {
        return upper;
    }
    const double lower =
        *std::max_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(mid));
    return (lower + upper) / 2.0;
}

std::uint8_t proposedFuel(std::uint8_t stored, double factor, double authorityPct) {
    const double authority = std::max(0.0, authorityPct) / 100.0;
    const double lowest = std::max(0.0, std::ceil(stored * (1.0 - authority) - kEpsilon));
    const double highest = std::floor(stored * (1.0 + authority) + kEpsilon);
    const double wanted = std::floor(stored * factor + 0.5 + kEpsilon);
    const double kept = std::clamp(wanted, lowest, std::max(lowest, highest));
    return u8(static_cast<unsigned>(std::clamp(kept, 0.0, static_cast<double>(kFuelMax))));
}

unsigned proposedRetard(const AnalysisSettings& settings, std::uint32_t events) {
    if (settings.knockEvents == 0 || events < settings.knockEvents) {
        return 0;
    }
    const unsigned steps = events / settings.knockEvents;
    return std::min(steps * settings.retardStepDeg, settings.maxRetardDeg);
}

Proposal propose(const ParameterImage& image, const AnalysisResult& result,
                 const AnalysisSettings& settings, const CellLocks& locks) {
    Proposal proposal;
    proposeIgnition(image, result, settings, locks, proposal);
    proposeFuel(image, result, settings, locks, proposal);
    return proposal;
}

ParameterImage applied(const ParameterImage& image, const Proposal& proposal) {
    ParameterImage result = image;
    for (const CellChange& change : proposal.changes) {
        result[layout::mapCell(change.page, change.row, change.column)] = change.after;
    }
    return result;
}

std::vector<MapCellWrite> cellWrites(const Proposal& proposal) {
    std::vector<MapCellWrite> writes;
    writes.reserve(proposal.changes.size());
    for (const CellChange& change : proposal.changes) {
        writes.push_back({change.page, change.row, change.column, change.after});
    }
    return writes;
}

} // namespace kordana::analysis
