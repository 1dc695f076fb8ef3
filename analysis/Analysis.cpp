#include "analysis/Analysis.h"

#include "analysis/MapCells.h"
#include "monitor/OperatingPoint.h"
#include "params/ImageLayout.h"

#include <algorithm>
#include <cmath>

namespace kordana::analysis {

namespace {

// The range of lambda voltages a sensor can give; outside it the reading is railed (a
// narrowband sensor gives about 0.1 to 0.9 V, a wideband controller its 0..5 V output).
constexpr std::uint16_t kRailLowMv = 20;
constexpr std::uint16_t kNarrowHighMv = 1100;
constexpr std::uint16_t kWideHighMv = 4980;

// Throttle at or below this is closed (overrun when the speed falls).
constexpr std::uint8_t kClosedThrottle = 1;

bool railed(const AnalysisSettings& settings, std::uint16_t millivolts) {
    const std::uint16_t high =
        settings.sensor == SensorModel::Wideband ? kWideHighMv : kNarrowHighMv;
    return millivolts < kRailLowMv || millivolts > high;
}

unsigned difference(unsigned a, unsigned b) {
    return a > b ? a - b : b - a;
}

} // namespace

std::string_view rejectionName(Rejection reason) {
    switch (reason) {
    case Rejection::NotRunning:
        return "not running";
    case Rejection::SensorError:
        return "sensor error";
    case Rejection::TachoInput:
        return "tacho input";
    case Rejection::LambdaRailed:
        return "lambda railed";
    case Rejection::NoHistory:
        return "no earlier frame";
    case Rejection::NotSteady:
        return "not steady";
    case Rejection::Cold:
        return "cold";
    case Rejection::PostStart:
        return "post-start";
    case Rejection::Overrun:
        return "overrun";
    case Rejection::Limiter:
        return "limiter";
    }
    return {};
}

double widebandLambda(const AnalysisSettings& settings, std::uint16_t millivolts) {
    return settings.lambdaAt0V + (settings.lambdaAt5V - settings.lambdaAt0V) * millivolts / 5000.0;
}

Analyzer::Analyzer(const ParameterImage& image, const AnalysisSettings& settings)
    : m_image(image), m_settings(settings) {
    // A limiter byte of 0 (an image the consistency pass has not seen) limits nothing.
    for (const std::size_t at : {layout::kLimiter + 1, layout::kLimiter + 2}) {
        const unsigned rpm = image[at] * 50u;
        if (rpm != 0 && (m_revLimitRpm == 0 || rpm < m_revLimitRpm)) {
            m_revLimitRpm = rpm;
        }
    }
    // The post-start correction runs out at the last CHOKE time; the time since start counts
    // tenths of that unit, as the cursor's post-start rule reads it.
    m_postStartTenths = 10u * image[layout::kChoke + 3];
}

std::size_t Analyzer::cellAt(std::size_t page, const MonitorLiveValues& live) const {
    return cellOf(mapBreakpoints(m_image, page), live.engineSpeed, live.throttleOpening);
}

// The engine filters, on the operating point `at` and the frames `before` and `after` around
// it; the first that applies.
std::optional<Rejection> Analyzer::judge(const AnalysisSample& before, const AnalysisSample& after,
                                         const AnalysisSample& at) const {
    const MonitorLiveValues& live = at.live;
    if (live.engineSpeed < m_settings.runningRpm) {
        return Rejection::NotRunning;
    }
    if (live.throttleOpening > 100 || at.coolantError || at.airError) {
        return Rejection::SensorError;
    }
    const double gapMs = (after.seconds - before.seconds) * 1000.0;
    if (gapMs > m_settings.maxFrameGapMs ||
        difference(before.live.throttleOpening, after.live.throttleOpening) >
            m_settings.steadyThrottle ||
        difference(before.live.engineSpeed, after.live.engineSpeed) > m_settings.steadyRpm) {
        return Rejection::NotSteady;
    }
    if (static_cast<int>(live.coolantByte) - 100 < m_settings.warmCoolantC) {
        return Rejection::Cold;
    }
    if (live.timeSinceStart < m_postStartTenths) {
        return Rejection::PostStart;
    }
    if (live.throttleOpening <= kClosedThrottle &&
        after.live.engineSpeed < before.live.engineSpeed) {
        return Rejection::Overrun;
    }
    if (at.startLimiter || (m_revLimitRpm != 0 && live.engineSpeed >= m_revLimitRpm)) {
        return Rejection::Limiter;
    }
    return std::nullopt;
}

void Analyzer::add(const AnalysisSample& sample) {
    m_history.push_back(sample);
    addFuel(sample);
    addKnock(sample);
    // Later samples look back no further than this one does: keep one frame before its
    // delayed time, and the frame before the newest for the knock judgement.
    const double delayed = sample.seconds - m_settings.delayMs / 1000.0;
    while (m_history.size() > 2 && m_history[1].seconds < delayed) {
        m_history.pop_front();
    }
}

void Analyzer::endRun() {
    m_history.clear();
}

void Analyzer::addFuel(const AnalysisSample& sample) {
    Tally& tally = m_result.fuelTally;
    ++tally.samples;
    auto reject = [&](Rejection reason) { ++tally.rejected[static_cast<std::size_t>(reason)]; };
    // The frames around t - delay: the first at or after it, and the one before.
    const double delayed = sample.seconds - m_settings.delayMs / 1000.0;
    const auto afterIt = std::ranges::find_if(
        m_history, [&](const AnalysisSample& s) { return s.seconds >= delayed; });
    if (afterIt == m_history.begin() || afterIt == m_history.end()) {
        return reject(Rejection::NoHistory);
    }
    const AnalysisSample& after = *afterIt;
    const AnalysisSample& before = *(afterIt - 1);
    const AnalysisSample& at = delayed - before.seconds < after.seconds - delayed ? before : after;
    std::optional<Rejection> reason = judge(before, after, at);
    if (!reason && sample.tachoInput) {
        reason = Rejection::TachoInput;
    } else if (!reason && railed(m_settings, sample.live.lambdaMv)) {
        reason = Rejection::LambdaRailed;
    }
    if (reason) {
        return reject(*reason);
    }
    ++tally.used;
    const std::uint8_t row = mapRow(at.live.throttleOpening);
    const std::uint16_t mv = sample.live.lambdaMv;
    const bool wide = m_settings.sensor == SensorModel::Wideband;
    const double lambda = wide ? widebandLambda(m_settings, mv) : 0.0;
    for (std::size_t page = kFirstJetPage; page < kMapPageCount; ++page) {
        FuelCell& cell = m_result.fuel[page - kFirstJetPage][cellAt(page, at.live)];
        ++cell.samples;
        cell.sumMv += mv;
        if (wide) {
            cell.sumLambda += lambda;
            cell.ratios.push_back(lambda / m_settings.targetLambda[row]);
        }
    }
}

void Analyzer::addKnock(const AnalysisSample& sample) {
    Tally& tally = m_result.ignitionTally;
    ++tally.samples;
    if (m_history.size() < 2) {
        ++tally.rejected[static_cast<std::size_t>(Rejection::NoHistory)];
        return;
    }
    const AnalysisSample& before = m_history[m_history.size() - 2];
    if (const auto reason = judge(before, sample, sample)) {
        ++tally.rejected[static_cast<std::size_t>(*reason)];
        return;
    }
    ++tally.used;
    const std::array<std::uint8_t, 3> points = knockPoints(m_image, sample.live);
    for (std::size_t c = 0; c < 3; ++c) {
        KnockCell& cell = m_result.ignition[c][cellAt(c, sample.live)];
        const std::uint16_t level = sample.knockMv[c];
        const int alarmMv = m_image[layout::kAlarm + 5 * c + points[c]] * 20;
        ++cell.samples;
        cell.events += sample.knockAlarm[c] ? 1u : 0u;
        cell.peakMv = std::max(cell.peakMv, level);
        cell.sumMv += level;
        cell.marginMv = std::min(cell.marginMv, alarmMv - level);
    }
}

AnalysisResult analyze(const ParameterImage& image, const AnalysisSettings& settings,
                       std::span<const std::vector<AnalysisSample>> runs) {
    Analyzer analyzer(image, settings);
    for (const std::vector<AnalysisSample>& run : runs) {
        for (const AnalysisSample& sample : run) {
            analyzer.add(sample);
        }
        analyzer.endRun();
    }
    return analyzer.result();
}

} // namespace kordana::analysis
