#pragma once

#include "monitor/LogColumns.h"
#include "monitor/LogRuns.h"
#include "monitor/MonitorLiveValues.h"
#include "monitor/MonitorLog.h"

#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QSplitter;
class QTimer;
class QVBoxLayout;

namespace kordana {

class LogChannelList;
class LogPanes;

/// The window "Monitor log" (objectName FormLog, not modal): a log's channels plotted in
/// panes over one time axis, a time cursor (click or drag on the plot, or the slider) whose
/// row's values the channel list shows, zoom (wheel, Shift + drag) and pan (right drag).
/// Moving the time cursor hands the row's live values to the replay handler. A log that grows
/// while shown (the recording in progress) is read on, and with "Follow" its newest rows stay
/// in view; a second log can lie dashed over the first, aligned at the start or at a marker.
class LogWindow : public QWidget {
    Q_OBJECT

public:
    explicit LogWindow(QWidget* parent);
    ~LogWindow() override;

    /// Reads the log at `path` and shows it with the cursor on its first row; a refused log
    /// empties the window and shows why in `LabelLogMessage`, in the language
    /// `languageIndex`. A long read shows its progress (`LogReadProgress`); cancelling it leaves
    /// the window as it was. True when the log is shown.
    bool openLog(const QString& path, std::uint8_t languageIndex);
    /// The log shown, or null.
    const MonitorLog* log() const { return m_log ? &*m_log : nullptr; }

    /// Puts the time cursor on row `row` (clamped) and replays it.
    void setCursorRow(std::size_t row);
    std::size_t cursorRow() const { return m_cursorRow; }
    /// Plots channel `channel` of kLogChannels (with the first pane of its unit, else in a new
    /// pane) or takes it off the plot.
    void setChannelShown(std::size_t channel, bool shown);
    bool channelShown(std::size_t channel) const;
    /// The channel list's text of a channel's value at the cursor ("" when the log lacks it).
    QString valueText(std::size_t channel) const;
    /// Shows the time range [from, to] (s), kept inside the log.
    void setTimeRange(double from, double to);
    double timeFrom() const;
    double timeTo() const;
    /// Points plotted for `channel` at present (at most a few per pixel column).
    qsizetype plottedPoints(std::size_t channel) const;

    /// Which columns the panes show; a column the log lacks keeps its place, drawn empty.
    void setPaneLayout(const LogLayout& layout);
    const LogLayout& paneLayout() const { return m_layout; }
    /// The plot itself, made with the first log (null until then).
    const LogPanes* panes() const { return m_panes; }
    /// Applies language `index` to the window's own texts.
    void setLanguage(std::uint8_t index);

    /// Reads what was added to the log file since (a recording in progress) and, with
    /// "Follow" on, shows the newest rows; the window's timer calls it twice a second.
    /// The rows added.
    std::size_t checkForNewRows();
    void setFollowing(bool follow);
    bool following() const;

    /// Shows the log at `path` dashed over the log shown, aligned at the start. False (and
    /// nothing compared) when it cannot be read.
    bool openCompareLog(const QString& path);
    void closeCompareLog();
    /// The second log, or null.
    const MonitorLog* compareLog() const { return m_compare ? &*m_compare : nullptr; }
    /// Aligns the second log at the first rows (nothing) or at marker number `marker`; false
    /// when a log lacks that marker (the alignment stays).
    bool setCompareAlignment(std::optional<unsigned> marker);
    /// Seconds added to the second log's times.
    double compareOffset() const { return m_compareOffset; }
    /// Puts the time cursor on marker `index` of the log's markers (markerRows order).
    void jumpToMarker(std::size_t index);

    /// Called for the set's alarm and limiter lines whenever a log is shown.
    void setThresholdSource(std::function<std::optional<LogThresholds>()> source) {
        m_thresholdSource = std::move(source);
    }
    /// Draws the set's lines again (the set changed).
    void refreshThresholds();
    /// Asks for the file of the second log ("" when the technician cancelled).
    void setCompareChooser(std::function<QString()> chooser) {
        m_chooseCompare = std::move(chooser);
    }

    /// The limits a log is read with (kMaxMonitorLog* unless changed).
    void setReadLimits(std::uintmax_t maxBytes, std::uintmax_t maxValues) {
        m_readOptions.maxBytes = maxBytes;
        m_readOptions.maxValues = maxValues;
    }
    /// How long a read runs before its progress window appears (ms).
    void setProgressDelay(int milliseconds) { m_progressDelayMs = milliseconds; }

    /// Called with the live values of the cursor's row whenever the cursor moves.
    void setReplayHandler(std::function<void(const MonitorLiveValues&)> handler) {
        m_replay = std::move(handler);
    }
    /// Called when the window is closed.
    void setClosedHandler(std::function<void()> handler) { m_closed = std::move(handler); }
    /// True while moving the time cursor replays its row (`CheckBoxLogReplay`).
    bool replayOn() const;

signals:
    /// A log was opened and shown.
    void logShown();
    /// The plot now shows the time range [from, to] (s).
    void timeRangeShown(double from, double to);
    /// `ButtonLogAnalysis` was clicked.
    void analysisRequested();
    /// `CheckBoxLogReplay` was unchecked: the cursor should show the unit's values again.
    void replayTurnedOff();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addAnalysisControls(QHBoxLayout* row, QPushButton* whole);
    void ensureView();
    void buildTools();
    void connectList();
    MonitorLogRead readWithProgress(const QString& path);
    void clearLog();
    void takeLog(MonitorLog log);
    void showLayout();
    void showCursorValues();
    void showMarkers();
    void showAlignments();
    void showTexts();
    void compareClicked();
    std::size_t nearestRow(double seconds) const;
    QString columnValueText(const std::string& column) const;

    std::optional<MonitorLog> m_log;
    std::optional<MonitorLog> m_compare;
    std::optional<unsigned> m_compareMarker;
    double m_compareOffset = 0;
    LogLayout m_layout = defaultLogLayout();
    MonitorLogTail m_tail;
    QString m_path;
    std::uintmax_t m_readBytes = 0; // the file's size when it was read
    std::size_t m_cursorRow = 0;
    std::uint8_t m_languageIndex = 0;
    MonitorLogReadOptions m_readOptions;
    int m_progressDelayMs = 500;

    QLabel* m_file = nullptr;
    QLabel* m_message = nullptr;
    QSplitter* m_splitter = nullptr;
    QVBoxLayout* m_side = nullptr;
    LogChannelList* m_list = nullptr;
    LogPanes* m_panes = nullptr;
    QLineEdit* m_search = nullptr;
    QCheckBox* m_follow = nullptr;
    QPushButton* m_compareButton = nullptr;
    QComboBox* m_align = nullptr;
    QLabel* m_markersLabel = nullptr;
    QListWidget* m_markers = nullptr;
    QPushButton* m_defaultPanes = nullptr;
    QTimer* m_followTimer = nullptr;
    QSlider* m_slider = nullptr;
    QLabel* m_time = nullptr;
    QCheckBox* m_replayOn = nullptr;
    bool m_filling = false;
    bool m_opening = false;

    std::function<std::optional<LogThresholds>()> m_thresholdSource;
    std::function<QString()> m_chooseCompare;

    std::function<void(const MonitorLiveValues&)> m_replay;
    std::function<void()> m_closed;
};

} // namespace kordana
