#pragma once

#include "params/ImageLayout.h"
#include "params/ParameterImage.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kordana::analysis {

/// What the lambda input is wired to.
enum class SensorModel {
    Narrowband, ///< a switching sensor: only rich or lean against a target voltage
    Wideband,   ///< a wideband controller's linear 0..5 V output
};

/// Which injection banks a fuel correction goes to.
enum class Banks { A, B, Both };

/// The first injection map page (Jet 1A) and the first of bank B (Jet 1B).
inline constexpr std::size_t kFirstJetPage = 3;
inline constexpr std::size_t kFirstBankBPage = 6;
/// Cells of one map (10 rows x 15 columns, element 15 row + column).
inline constexpr std::size_t kCellCount = layout::kMapRows * layout::kMapCols;

/// Cells the technician locked, per map page: a locked cell is never proposed.
using CellLocks = std::array<std::bitset<kCellCount>, kMapPageCount>;

/// Everything the technician can set for an analysis. The defaults are the assistant's own.
struct AnalysisSettings {
    SensorModel sensor = SensorModel::Narrowband;
    double lambdaAt0V = 0.5; ///< wideband: lambda at 0 mV
    double lambdaAt5V = 1.5; ///< wideband: lambda at 5000 mV
    /// Narrowband: the target voltage (mV) of each throttle row.
    std::array<std::uint16_t, layout::kMapRows> targetMv{450, 450, 450, 450, 450,
                                                         450, 450, 450, 450, 450};
    /// Narrowband: how far one pass moves a cell toward its target, %.
    double narrowStepPct = 2.0;
    /// Wideband: the target lambda of each throttle row (0, 2, 5, 10, 20, 30, 40, 60, 80, 100 %).
    std::array<double, layout::kMapRows> targetLambda{1.00, 1.00, 1.00, 1.00, 1.00,
                                                      1.00, 0.95, 0.90, 0.87, 0.87};
    /// How long the exhaust takes to reach the sensor, ms (0..2000).
    unsigned delayMs = 400;
    /// Accepted samples a cell needs before it gets a fuel proposal.
    unsigned minSamples = 8;
    /// The largest change of a cell's fuel in one pass, % of its stored value.
    double authorityPct = 15.0;
    /// Steadiness: the largest change of throttle (points) and of engine speed (rpm) between
    /// the two frames around the operating point.
    unsigned steadyThrottle = 5;
    unsigned steadyRpm = 300;
    /// Coolant below this is cold, degC.
    int warmCoolantC = 70;
    /// Engine speeds below this are an engine not running, rpm.
    unsigned runningRpm = 500;
    /// Frames further apart than this do not describe one steady state, ms.
    unsigned maxFrameGapMs = 2000;
    /// Knock events in a cell of "Ign n" for each retard step.
    unsigned knockEvents = 2;
    unsigned retardStepDeg = 1;
    /// The largest retard of one cell in one pass, degrees.
    unsigned maxRetardDeg = 3;
    Banks banks = Banks::Both;

    friend bool operator==(const AnalysisSettings&, const AnalysisSettings&) = default;
};

/// True when injection map page `page` (3..8) takes the corrections of `banks`.
constexpr bool takesFuel(Banks banks, std::size_t page) {
    if (page < kFirstJetPage || page >= kMapPageCount) {
        return false;
    }
    const bool bankB = page >= kFirstBankBPage;
    return banks == Banks::Both || (banks == Banks::B) == bankB;
}

/// Why a sample was not used; each is counted.
enum class Rejection : std::uint8_t {
    NotRunning,   ///< engine speed below the running speed
    SensorError,  ///< throttle above 100, or the coolant or air sensor in error
    TachoInput,   ///< the lambda input is set to tacho
    LambdaRailed, ///< lambda voltage outside the sensor's range
    NoHistory,    ///< no frame as far back as the transport delay (the log's first frames)
    NotSteady,    ///< throttle or speed changed too much around the operating point
    Cold,         ///< coolant below the warm temperature
    PostStart,    ///< the post-start correction still runs
    Overrun,      ///< throttle closed and speed falling
    Limiter,      ///< the start limiter or a rev limiter is active
};
inline constexpr std::size_t kRejectionCount = 10;

/// The English name of a rejection ("not steady"); the tally takes its words from `TallyWords`.
std::string_view rejectionName(Rejection reason);

/// How many samples were looked at, used and rejected (by reason).
struct Tally {
    std::uint64_t samples = 0;
    std::uint64_t used = 0;
    std::array<std::uint64_t, kRejectionCount> rejected{};

    std::uint64_t count(Rejection reason) const {
        return rejected[static_cast<std::size_t>(reason)];
    }
    friend bool operator==(const Tally&, const Tally&) = default;
};

} // namespace kordana::analysis
