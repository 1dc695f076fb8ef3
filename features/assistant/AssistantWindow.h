#pragma once

#include "analysis/AnalysisSettings.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kordana {

/// The tuning assistant's window (`FormAssistant`): where the samples come from (live frames,
/// logs), the analysis settings, the tally of used and rejected samples, and the commands on
/// the proposals the map pages show.
class AssistantWindow : public QWidget {
    Q_OBJECT

public:
    explicit AssistantWindow(QWidget* parent);

    analysis::AnalysisSettings settings() const { return m_settings; }
    /// Shows `settings` in the controls (no settingsChanged()).
    void setSettings(const analysis::AnalysisSettings& settings);
    bool live() const;
    void setLive(bool on);
    void showTally(const QString& text);
    /// The last analysis goes into the tune sheet as a page of its own.
    bool inTuneSheet() const;
    /// The logs analysed so far, by file name.
    void showLogs(const QStringList& names);

signals:
    void settingsChanged();
    void liveToggled(bool on);
    void addLogsClicked();
    void acceptAllClicked();
    void acceptSelectionClicked();
    void lockClicked();
    void unlockClicked();
    void resetClicked();

private:
    QWidget* buildSource();
    QWidget* buildSettings();
    QWidget* buildCommands();
    void takeControls();
    void showTargets();

    analysis::AnalysisSettings m_settings;
    QCheckBox* m_live = nullptr;
    QLabel* m_logs = nullptr;
    QComboBox* m_sensor = nullptr;
    QDoubleSpinBox* m_lambda0 = nullptr;
    QDoubleSpinBox* m_lambda5 = nullptr;
    QSpinBox* m_delay = nullptr;
    QSpinBox* m_minSamples = nullptr;
    QSpinBox* m_authority = nullptr;
    QSpinBox* m_retardStep = nullptr;
    QSpinBox* m_maxRetard = nullptr;
    QComboBox* m_banks = nullptr;
    QLineEdit* m_targets = nullptr;
    QLabel* m_tally = nullptr;
    QCheckBox* m_inSheet = nullptr;
    bool m_showing = false;
};

/// The ten targets of the throttle rows as the window shows them: lambdas ("1.00, 0.95") for
/// a wideband sensor, millivolts ("450, 450") for a narrowband one.
QString targetsText(const analysis::AnalysisSettings& settings);
/// Takes ten comma-separated targets into `settings` (lambdas 0.5..1.5 or millivolts
/// 0..5000, as the sensor reads them); false, and `settings` unchanged, for anything else.
bool readTargets(const QString& text, analysis::AnalysisSettings& settings);

} // namespace kordana
