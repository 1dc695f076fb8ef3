#pragma once

#include "monitor/MonitorFrame.h"
#include "monitor/MonitorLiveValues.h"
#include "monitor/MonitorLog.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kordana::analysis {

/// One moment of the running engine as the assistant reads it: a monitor log row or a live
/// frame with the time it arrived.
struct AnalysisSample {
    double seconds = 0;     ///< time of the sample, s (only differences count)
    MonitorLiveValues live; ///< speed, throttle, lambda mV, temperatures, time since start
    bool coolantError = false;
    bool airError = false;
    bool tachoInput = false;   ///< the lambda input is set to tacho
    bool startLimiter = false; ///< the unit reports its start limiter active
    std::array<std::uint16_t, 3> knockMv{};
    std::array<bool, 3> knockAlarm{};

    friend bool operator==(const AnalysisSample&, const AnalysisSample&) = default;
};

/// A sample of the live values alone (no knock, no flags): what the cursor sees.
AnalysisSample sampleOf(double seconds, const MonitorLiveValues& live);
/// A sample of a decoded frame received at `seconds`: its live values plus the flags and the
/// knock levels the analysis reads.
AnalysisSample sampleOf(double seconds, const MonitorFrame& frame);

/// Reads the samples of a monitor log with its columns looked up once. A column the log lacks
/// reads as the monitor's live values read it (liveValuesAt): speed, throttle and lambda 0, a
/// failed coolant sensor as 80 degC; flags and knock as 0.
class LogSamples {
public:
    explicit LogSamples(const MonitorLog& log);

    std::size_t size() const { return m_log.rowCount(); }
    /// The sample of row `row` (0..size() - 1); its time is the log's elapsed seconds.
    AnalysisSample at(std::size_t row) const;
    /// Every row's sample in order.
    std::vector<AnalysisSample> all() const;

private:
    struct Column {
        std::optional<std::size_t> index;
    };
    double value(const Column& column, std::size_t row) const;

    const MonitorLog& m_log;
    Column m_speed, m_throttle, m_throttleMv, m_lambdaMv, m_pressure, m_coolant, m_air,
        m_sinceStart, m_saving, m_programming, m_coolantError, m_airError, m_tacho, m_startLimiter;
    std::array<Column, 3> m_knock{}, m_knockAlarm{};
};

} // namespace kordana::analysis
