#pragma once

#include "monitor/MonitorDisplay.h"

#include <QPalette>
#include <QWidget>

#include <array>

class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QToolButton;

namespace kordana {

class GaugeBar;

/// The live monitor of the main window: every monitor label and gauge, grouped for reading at
/// a glance, and their painting from the monitor display model.
class MonitorPanel : public QWidget {
    Q_OBJECT

public:
    /// Builds every monitor control with its objectName, laid out inside `host`.
    explicit MonitorPanel(QWidget* host);
    ~MonitorPanel() override;

    /// Brings every monitor widget in line with `display`, calling a setter only where the
    /// widget differs (text, background, visibility, gauge position or fore colour).
    void paint(const MonitorDisplay& display);

    /// The label of one monitor element.
    QLabel* label(MonitorLabelId id) const { return m_labels[static_cast<std::size_t>(id)]; }
    /// One monitor gauge (range 0..100).
    QProgressBar* gauge(MonitorGaugeId id) const;
    /// The "Extended Monitor" check box.
    QCheckBox* extMonitorBox() const { return m_extMonitor; }

    /// Shows the whole panel, or (`on`) one line of the values a dyno run is watched by:
    /// speed, throttle, lambda, advance, injection 1A and the knock alarms.
    void setOneLine(bool on);
    bool oneLine() const { return m_oneLine; }
    /// The one line's values and its knock alarms (red while a cylinder knocks).
    QLabel* lineValues() const { return m_lineValues; }
    QLabel* lineKnock() const { return m_lineKnock; }
    /// The panel's own toggles: one line, and a window of its own.
    QToolButton* oneLineButton() const { return m_oneLineButton; }
    QToolButton* detachButton() const { return m_detachButton; }

    /// The colour a monitor colour stands for; Normal is the button face of `base`.
    static QColor colourOf(MonitorColour colour, const QPalette& base);
    /// The background a monitor label shows.
    static QColor backgroundOf(const QLabel* label);
    /// The fore (chunk) colour a monitor gauge shows.
    static QColor foreColourOf(const QProgressBar* gauge);

private:
    QLabel* makeLabel(QWidget* parent, MonitorLabelId id, const char* widest);
    QProgressBar* makeGauge(QWidget* parent, MonitorGaugeId id);
    QGridLayout* makeGroup(const char* objectName, const QString& title);
    void addLabelGauge(QGridLayout* grid, int row, MonitorLabelId label, MonitorGaugeId gauge,
                       const char* widest);
    QWidget* buildEngine();
    QWidget* buildOutputs();
    QWidget* buildSensors();
    QWidget* buildCorrections();
    QWidget* buildKnockPowerServo();
    QWidget* buildUnit();
    QWidget* buildTest();
    void buildWhole();
    QWidget* buildLine();
    QWidget* buildToggles();
    void paintLine();
    void setLabelColour(std::size_t index, MonitorColour colour);
    void setGaugeColour(std::size_t index, MonitorColour colour);

    std::array<QLabel*, kMonitorLabelCount> m_labels{};
    std::array<GaugeBar*, kMonitorGaugeCount> m_gauges{};
    std::array<MonitorColour, kMonitorLabelCount> m_labelColours{};
    std::array<MonitorColour, kMonitorGaugeCount> m_gaugeColours{};
    std::array<QPalette, 7> m_labelPalettes;
    std::array<QPalette, 7> m_gaugePalettes;
    QCheckBox* m_extMonitor = nullptr;
    QWidget* m_whole = nullptr;
    QWidget* m_line = nullptr;
    QLabel* m_lineValues = nullptr;
    QLabel* m_lineKnock = nullptr;
    QToolButton* m_oneLineButton = nullptr;
    QToolButton* m_detachButton = nullptr;
    QWidget* m_toggles = nullptr;
    QHBoxLayout* m_unitRow = nullptr;
    QHBoxLayout* m_lineRow = nullptr;
    bool m_oneLine = false;
    MonitorDisplay m_names; ///< objectNames of the elements
};

} // namespace kordana
