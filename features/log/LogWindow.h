#pragma once

#include "monitor/MonitorLiveValues.h"
#include "monitor/MonitorLog.h"

#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QChart;
class QCheckBox;
class QGraphicsLineItem;
class QHBoxLayout;
class QLabel;
class QLineSeries;
class QPushButton;
class QSlider;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;
class QValueAxis;

namespace kordana {

class LogChartView;

/// The window "Monitor log" (objectName FormLog, not modal): the checked channels of a log
/// plotted against time, a time cursor (click or drag on the plot, or the slider) whose row's
/// values the channel list shows, zoom (wheel, Shift + drag) and pan (right drag). Moving the
/// time cursor hands the row's live values to the replay handler.
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
    /// Plots channel `channel` of kLogChannels or takes it off the plot.
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
    struct Channel {
        QLineSeries* series = nullptr;
        QValueAxis* axis = nullptr;
        QTreeWidgetItem* item = nullptr;
        std::optional<std::size_t> column; // in the log
    };

    void addAnalysisControls(QHBoxLayout* row, QPushButton* whole);
    void buildChart();
    void ensureView();
    MonitorLogRead readWithProgress(const QString& path);
    void clearLog();
    void takeLog(MonitorLog log);
    void plotVisibleRange();
    void plotChannel(Channel& channel, std::size_t first, std::size_t last);
    void showCurrentAxis();
    void placeCursorLine();
    void showCursorValues();
    std::size_t nearestRow(double seconds) const;

    std::optional<MonitorLog> m_log;
    std::vector<Channel> m_channels;
    std::size_t m_cursorRow = 0;
    std::uint8_t m_languageIndex = 0;
    MonitorLogReadOptions m_readOptions;
    int m_progressDelayMs = 500;

    QLabel* m_file = nullptr;
    QLabel* m_message = nullptr;
    QSplitter* m_splitter = nullptr;
    QTreeWidget* m_list = nullptr;
    QChart* m_chart = nullptr;
    QValueAxis* m_timeAxis = nullptr;
    LogChartView* m_view = nullptr;
    QGraphicsLineItem* m_cursorLine = nullptr;
    QSlider* m_slider = nullptr;
    QLabel* m_time = nullptr;
    QCheckBox* m_replayOn = nullptr;
    bool m_filling = false;
    bool m_opening = false;

    std::function<void(const MonitorLiveValues&)> m_replay;
    std::function<void()> m_closed;
};

} // namespace kordana
