#pragma once

#include "monitor/MonitorFrame.h"
#include "shell/Feature.h"

#include <QString>

#include <memory>

class QLabel;

namespace kordana {

class LogAnalysisWindow;
class LogWindow;
class MonitorRecording;
class ReplayIndicator;
class Shell;

/// The monitor log: Log > Record monitor log writes every intact monitor frame as a row,
/// Log > Open log... shows a log whose time cursor replays the operating point.
class LogFeature final : public Feature {
public:
    LogFeature();
    ~LogFeature() override;

    void install(Shell& shell) override;
    void loadSettings(const IniFile& settings) override;
    void saveSettings(IniFile& settings) const override;
    void applyLanguage(std::uint8_t index) override;
    void shutDown() override;

    /// Records monitor logs into `folder` from now on (main passes
    /// MonitorLogFile::defaultFolder()); empty: Record monitor log fails, as until it is set.
    void setLogFolder(const QString& folder) { m_folder = folder; }
    /// True while Log > Record monitor log writes a log.
    bool recordingLog() const;
    /// The log being recorded, or the last one recorded.
    QString recordedLogPath() const;
    /// Log > Open log... after its dialog: shows the log at `path` in the log window (or why it
    /// was refused). True when shown.
    bool openMonitorLog(const QString& path);
    /// The window of Log > Open log..., made at install.
    LogWindow* logWindow() const { return m_window; }
    /// The log window's analysis, made when first asked for (null until then).
    LogAnalysisWindow* analysisWindow() const { return m_analysis; }
    /// Shows the analysis of the log shown (ButtonLogAnalysis).
    LogAnalysisWindow* showAnalysis();

    /// Log > Record monitor log (Ctrl+R): starts a new log, or stops the one being recorded.
    void MenuRecordLogClick();
    /// Log > Open log...: asks for a log and shows it in the log window (not modal).
    void MenuOpenLogClick();
    /// Log > Set marker (Ctrl+M, the tool bar's flag): the next row of the log being recorded
    /// carries the next marker number.
    void MenuLogMarkerClick();
    /// The cursor shows the unit's values again (the replay indicator clicked, Esc).
    void returnToLive();

private:
    void record(const MonitorFrame& frame);
    void stopRecording();
    void showRecordingIndicator();
    void showRecordError(const QString& path);
    void connectLogWindow(Shell& shell);
    void installMarker(Shell& shell);
    void installReplay(Shell& shell);

    Shell* m_shell = nullptr;
    QString m_folder;
    std::unique_ptr<MonitorRecording> m_recording;
    QLabel* m_indicator = nullptr;
    LogWindow* m_window = nullptr;
    LogAnalysisWindow* m_analysis = nullptr;
    ReplayIndicator* m_replay = nullptr;
};

} // namespace kordana
