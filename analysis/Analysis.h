#pragma once

#include "analysis/AnalysisSample.h"
#include "analysis/AnalysisSettings.h"
#include "params/ParameterImage.h"

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

namespace kordana::analysis {

/// What the accepted lambda samples of one cell of an injection map say.
struct FuelCell {
    std::uint32_t samples = 0;
    double sumMv = 0;
    double sumLambda = 0;       ///< wideband: the lambdas read
    std::vector<double> ratios; ///< wideband: lambda measured / lambda target, one per sample

    double meanMv() const { return samples == 0 ? 0.0 : sumMv / samples; }
    double meanLambda() const { return samples == 0 ? 0.0 : sumLambda / samples; }
};

/// What the accepted samples of one cell of "Ign n" say about cylinder n's knock.
struct KnockCell {
    std::uint32_t samples = 0;
    std::uint32_t events = 0; ///< samples with the cylinder's knock alarm set
    std::uint16_t peakMv = 0;
    std::uint64_t sumMv = 0;
    /// The smallest distance of a knock level below the alarm level of the knock point in use,
    /// mV (negative: above it); INT_MAX without samples.
    int marginMv = INT_MAX;

    double meanMv() const { return samples == 0 ? 0.0 : static_cast<double>(sumMv) / samples; }
};

using FuelMap = std::array<FuelCell, kCellCount>;
using KnockMap = std::array<KnockCell, kCellCount>;

/// Everything the samples said: a tally per kind, and per map the cell statistics. Fuel
/// samples are judged at the operating point one transport delay earlier, knock samples where
/// they were taken (a knock is heard at once).
struct AnalysisResult {
    Tally fuelTally;
    Tally ignitionTally;
    std::array<FuelMap, 6> fuel;      ///< map pages 3..8 ("Jet 1A" .. "Jet 3B")
    std::array<KnockMap, 3> ignition; ///< map pages 0..2 ("Ign 1" .. "Ign 3")

    const FuelMap& fuelMap(std::size_t page) const { return fuel[page - kFirstJetPage]; }
};

/// The lambda of a wideband voltage: linear between the lambdas at 0 and 5000 mV.
double widebandLambda(const AnalysisSettings& settings, std::uint16_t millivolts);

/// Accumulates samples as they arrive (a live monitor, or the rows of one log after another)
/// against the breakpoints, limits and knock alarm levels of one parameter set. Deterministic:
/// the same samples give the same result.
class Analyzer {
public:
    Analyzer(const ParameterImage& image, const AnalysisSettings& settings);

    /// Takes in the next sample; its time is not before the previous one's of the same run.
    void add(const AnalysisSample& sample);
    /// Ends a run (a log): the next sample has no earlier frames to look back to.
    void endRun();

    const AnalysisResult& result() const { return m_result; }
    const AnalysisSettings& settings() const { return m_settings; }

private:
    std::optional<Rejection> judge(const AnalysisSample& before, const AnalysisSample& after,
                                   const AnalysisSample& at) const;
    void addFuel(const AnalysisSample& sample);
    void addKnock(const AnalysisSample& sample);
    /// The element of the cursor's cell of map page `page` at `live`.
    std::size_t cellAt(std::size_t page, const MonitorLiveValues& live) const;

    ParameterImage m_image;
    AnalysisSettings m_settings;
    AnalysisResult m_result;
    std::deque<AnalysisSample> m_history; ///< back to the first frame before t - delay
    unsigned m_revLimitRpm = 0;           ///< the lower rev limiter, 0: none
    unsigned m_postStartTenths = 0;       ///< the post-start period in tenths of its unit
};

/// The analysis of whole runs (logs), one after another.
AnalysisResult analyze(const ParameterImage& image, const AnalysisSettings& settings,
                       std::span<const std::vector<AnalysisSample>> runs);

} // namespace kordana::analysis
