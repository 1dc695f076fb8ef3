#pragma once

#include "monitor/MonitorFrame.h"
#include "monitor/MonitorLiveValues.h"
#include "monitor/MonitorRules.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kordana {

/// The monitor labels, in the order the monitor fills them.
enum class MonitorLabelId : std::uint8_t {
    Rpm,
    Lambda,
    TpsMon,
    MonIgn1,
    MonIgn2,
    MonIgn3,
    MonJet1A,
    MonJet1B,
    MonJet2A,
    MonJet2B,
    MonJet3A,
    MonJet3B,
    MaxInjProcent,
    MonPolohaA,
    MonPolohaB,
    Tlak,
    Voda,
    Vzduch,
    Napeti,
    ServoPoz,
    ServoMer,
    Limiter1,
    TachoLambda,
    TlakOleje,
    KorVoda,
    KorVzduch,
    KorTlak,
    KorSytic,
    KorNapeti,
    KnockMon1,
    KnockMon2,
    KnockMon3,
    PowerOut1,
    PowerOut2,
    PowerOut3,
    PocetProgramovani,
    Version,
    EeDataErr,
    Test1,
    Test2,
    Test3,
    Test4,
    Test5,
    Test6,
    Test7,
    Test8,
    Count
};

/// The monitor gauges (range 0..100).
enum class MonitorGaugeId : std::uint8_t { Rpm, Lambda, Tps, Duty, Voda, Count };

inline constexpr std::size_t kMonitorLabelCount = static_cast<std::size_t>(MonitorLabelId::Count);
inline constexpr std::size_t kMonitorGaugeCount = static_cast<std::size_t>(MonitorGaugeId::Count);

/// What the monitor shows on one label. Only the properties flagged sets* are the monitor's;
/// the others (a fixed caption, a fixed red background) stay as the window made them.
struct MonitorLabel {
    std::string_view objectName;
    bool setsText = false;
    bool setsColour = false; ///< background colour
    bool setsVisible = false;
    std::string text; ///< UTF-8
    MonitorColour colour = MonitorColour::Normal;
    bool visible = true;
    bool changed = true; ///< a property differs from the previous update
};

/// What the monitor shows on one gauge.
struct MonitorGauge {
    std::string_view objectName;
    bool setsForeColour = false;
    int progress = 0; ///< already clamped to 0..100
    MonitorColour foreColour = MonitorColour::Normal;
    bool changed = true; ///< a property differs from the previous update
};

/// Window state the monitor texts depend on.
struct MonitorOptions {
    bool extended = false;     ///< "Extended Monitor" checked: also show sensor millivolts
    bool testMode = false;     ///< test labels visible
    bool servoEnabled = false; ///< the servo group is visible, and so are the servo labels
    std::string_view textUnmatchedUnit{}; ///< current language's unmatched-version text
};

/// Texts, colours, gauge positions and visibility of the whole monitor panel. The window keeps
/// one, feeds it every intact frame and paints the elements flagged changed.
class MonitorDisplay {
public:
    /// Every element named, empty, normal colour, flagged changed.
    MonitorDisplay();

    /// Recomputes every element from one intact frame; flags exactly the ones that changed
    /// (all of them on the first update).
    void update(const MonitorFrame& frame, const MonitorOptions& options);

    /// All labels, in MonitorLabelId order.
    std::span<const MonitorLabel> labels() const { return m_labels; }
    /// All gauges, in MonitorGaugeId order.
    std::span<const MonitorGauge> gauges() const { return m_gauges; }
    /// One label by id.
    const MonitorLabel& label(MonitorLabelId id) const { return m_labels[index(id)]; }
    /// One gauge by id.
    const MonitorGauge& gauge(MonitorGaugeId id) const { return m_gauges[index(id)]; }
    /// A label by its objectName, or nullptr.
    const MonitorLabel* findLabel(std::string_view objectName) const;
    /// A gauge by its objectName, or nullptr.
    const MonitorGauge* findGauge(std::string_view objectName) const;

private:
    static std::size_t index(MonitorLabelId id) { return static_cast<std::size_t>(id); }
    static std::size_t index(MonitorGaugeId id) { return static_cast<std::size_t>(id); }
    static MonitorLabelId offset(MonitorLabelId first, std::size_t n);

    void setText(MonitorLabelId id, const char* format, ...) __attribute__((format(printf, 3, 4)));
    void setColour(MonitorLabelId id, MonitorColour colour);
    void setVisible(MonitorLabelId id, bool visible);
    void setGauge(MonitorGaugeId id, long long progress);
    void setGaugeColour(MonitorGaugeId id, MonitorColour colour);

    void showEngine(const MonitorFrame& f, const MonitorOptions& o);
    void showTimes(const MonitorFrame& f);
    void showPressureAndTemperatures(const MonitorFrame& f, const MonitorOptions& o);
    void showSupplyAndServo(const MonitorFrame& f, const MonitorOptions& o);
    void showStates(const MonitorFrame& f);
    void showCorrections(const MonitorFrame& f);
    void showUnit(const MonitorFrame& f, const MonitorOptions& o);

    std::array<MonitorLabel, kMonitorLabelCount> m_labels;
    std::array<MonitorGauge, kMonitorGaugeCount> m_gauges;
    bool m_firstUpdate = true;
};

/// Caption of LabelPocetProgramovani while the unit is not connected: the count text and "---".
std::string programmingCountUnknownText(std::string_view textProgCount);

/// Handles one received monitor reply: when intact, fills display and live; when rejected,
/// returns false and touches nothing (the caller then must not reset its no-reply ticks).
bool showMonitorFrame(std::span<const std::uint8_t, kFrameSize> bytes,
                      const MonitorOptions& options, MonitorDisplay& display,
                      MonitorLiveValues& live);

} // namespace kordana
