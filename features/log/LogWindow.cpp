#include "features/log/LogWindow.h"

#include "features/log/LogChannelList.h"
#include "features/log/LogPanes.h"
#include "lang/LogTexts.h"
#include "shell/QtText.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace kordana {

LogWindow::LogWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("FormLog");
    setWindowTitle("Monitor log");
    auto* layout = new QVBoxLayout(this);
    m_file = new QLabel(this);
    m_file->setObjectName("LabelLogFile");
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_file);
    m_message = new QLabel(this);
    m_message->setObjectName("LabelLogMessage");
    m_message->setWordWrap(true);
    m_message->setStyleSheet("color: red");
    m_message->hide();
    layout->addWidget(m_message);

    auto* splitter = new QSplitter(this);
    auto* side = new QWidget(splitter);
    m_side = new QVBoxLayout(side);
    m_side->setContentsMargins(0, 0, 0, 0);
    m_list = new LogChannelList(side);
    m_list->setObjectName("ListLogChannels");
    m_side->addWidget(m_list, 1);
    m_splitter = splitter;
    splitter->addWidget(side);
    layout->addWidget(splitter, 1);

    auto* bottom = new QHBoxLayout();
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName("SliderLogTime");
    m_slider->setRange(0, 0);
    bottom->addWidget(m_slider, 1);
    m_time = new QLabel(this);
    m_time->setObjectName("LabelLogTime");
    m_time->setMinimumWidth(260);
    bottom->addWidget(m_time);
    auto* reset = new QPushButton("Whole log", this);
    reset->setObjectName("ButtonLogWhole");
    addAnalysisControls(bottom, reset);
    layout->addLayout(bottom);

    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        if (!m_filling) {
            setCursorRow(static_cast<std::size_t>(std::max(0, value)));
        }
    });
    connect(reset, &QPushButton::clicked, this,
            [this] { setTimeRange(0, m_log ? m_log->elapsed.back() : 1.0); });
    connectList();
    resize(1100, 680);
}

LogWindow::~LogWindow() = default;

// "Whole log", the replay switch and the analysis window's button, beside the time slider.
void LogWindow::addAnalysisControls(QHBoxLayout* row, QPushButton* whole) {
    row->addWidget(whole);
    m_replayOn = new QCheckBox("Replay on the map", this);
    m_replayOn->setObjectName("CheckBoxLogReplay");
    m_replayOn->setChecked(true);
    row->addWidget(m_replayOn);
    auto* analysis = new QPushButton("Analysis...", this);
    analysis->setObjectName("ButtonLogAnalysis");
    row->addWidget(analysis);
    connect(analysis, &QPushButton::clicked, this, &LogWindow::analysisRequested);
    connect(m_replayOn, &QCheckBox::toggled, this, [this](bool on) {
        if (!on) {
            emit replayTurnedOff();
        } else if (m_log && m_replay) {
            m_replay(liveValuesAt(*m_log, m_cursorRow));
        }
    });
}

bool LogWindow::replayOn() const {
    return m_replayOn->isChecked();
}

// The plot and the tools come with the first log: until then the window holds no filled
// list and no plot whose scroll bars the toolkit would lay out later, behind the main window's
// back (the print view restores every widget as it was).
void LogWindow::ensureView() {
    if (m_panes != nullptr) {
        return;
    }
    m_panes = new LogPanes(this);
    m_panes->setObjectName("ChartLog");
    m_panes->setPaneLayout(m_layout);
    m_splitter->addWidget(m_panes);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({260, 840});
    connect(m_panes, &LogPanes::cursorRequested, this,
            [this](double seconds) { setCursorRow(nearestRow(seconds)); });
    connect(m_panes, &LogPanes::rangeRequested, this,
            [this](double from, double to) { setTimeRange(from, to); });
    connect(m_panes, &LogPanes::columnDropped, this,
            [this](const QString& column, std::size_t pane) {
                m_layout.moveTo(column.toStdString(), pane);
                showLayout();
            });
    buildTools();
    showTexts();
}

bool LogWindow::openLog(const QString& path, std::uint8_t languageIndex) {
    ensureView();
    setLanguage(languageIndex);
    MonitorLogRead read = readWithProgress(path);
    if (!read.log && read.error.problem == MonitorLogProblem::Cancelled) {
        return false; // the technician's choice: what was shown stays
    }
    m_file->setText(path);
    if (!read.log) {
        clearLog();
        const LogTexts texts = logTextsFor(languageIndex);
        m_message->setText(toQString(texts.openError) + path + ": " +
                           QString::fromStdString(monitorLogErrorText(read.error, languageIndex)));
        m_message->show();
        show();
        raise();
        return false;
    }
    m_message->hide();
    m_path = path;
    std::error_code ec;
    m_readBytes = std::filesystem::file_size(path.toStdString(), ec);
    takeLog(std::move(*read.log));
    show();
    raise();
    return true;
}

// A long read shows its progress with a Cancel button; the dialog only appears once the read
// has taken longer than the delay, so a short log opens without a flash.
MonitorLogRead LogWindow::readWithProgress(const QString& path) {
    const LogTexts texts = logTextsFor(m_languageIndex);
    constexpr int kSteps = 1000;
    QProgressDialog progress(toQString(texts.reading), toQString(texts.cancel), 0, kSteps,
                             isVisible() ? this : parentWidget());
    progress.setObjectName("LogReadProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(m_progressDelayMs);
    progress.setAutoReset(false);
    MonitorLogReadOptions options = m_readOptions;
    options.progress = [&progress](double share) {
        progress.setValue(static_cast<int>(share * kSteps));
        return !progress.wasCanceled();
    };
    return readMonitorLogFile(path.toStdString(), options);
}

void LogWindow::clearLog() {
    m_tail.stop();
    m_compare.reset();
    m_panes->setLog(nullptr);
    m_log.reset();
    m_list->setColumns({});
    m_filling = true;
    m_slider->setRange(0, 0);
    m_filling = false;
    m_time->clear();
    showMarkers();
    showAlignments();
}

void LogWindow::takeLog(MonitorLog log) {
    m_tail.stop();
    m_log = std::move(log);
    m_list->setColumns(m_log->columns);
    m_list->showLayout(m_layout);
    m_panes->setThresholds(m_thresholdSource ? m_thresholdSource() : std::nullopt);
    m_panes->setLog(&*m_log);
    if (m_compare) {
        setCompareAlignment(m_compareMarker);
    }
    m_filling = true;
    m_slider->setRange(0, static_cast<int>(m_log->rowCount() - 1));
    m_filling = false;
    setTimeRange(0, m_log->elapsed.back());
    showMarkers();
    showAlignments();
    // The first row without a replay: the map's cursor is taken only by moving the time cursor.
    m_opening = true;
    setCursorRow(0);
    m_opening = false;
    emit logShown();
}

void LogWindow::setTimeRange(double from, double to) {
    if (!m_log) {
        return;
    }
    const double end = std::max(m_log->elapsed.back(), 1e-3);
    double span = std::clamp(to - from, 1e-3, end);
    from = std::clamp(from, 0.0, end - span);
    m_panes->setTimeRange(from, from + span);
    emit timeRangeShown(from, from + span);
}

double LogWindow::timeFrom() const {
    return m_panes != nullptr ? m_panes->timeFrom() : 0;
}

double LogWindow::timeTo() const {
    return m_panes != nullptr ? m_panes->timeTo() : 0;
}

qsizetype LogWindow::plottedPoints(std::size_t channel) const {
    return channel < kLogChannels.size() && m_panes != nullptr
               ? m_panes->pointCount(kLogChannels[channel].column)
               : 0;
}

void LogWindow::setChannelShown(std::size_t channel, bool shown) {
    if (channel >= kLogChannels.size()) {
        return;
    }
    if (shown) {
        m_layout.add(kLogChannels[channel].column);
    } else {
        m_layout.remove(kLogChannels[channel].column);
    }
    showLayout();
}

bool LogWindow::channelShown(std::size_t channel) const {
    return channel < kLogChannels.size() && m_log && m_log->column(kLogChannels[channel].column) &&
           m_layout.paneOf(kLogChannels[channel].column);
}

void LogWindow::setPaneLayout(const LogLayout& layout) {
    m_layout = layout;
    showLayout();
}

void LogWindow::showLayout() {
    m_list->showLayout(m_layout);
    if (m_panes != nullptr) {
        m_panes->setPaneLayout(m_layout);
    }
}

std::size_t LogWindow::nearestRow(double seconds) const {
    if (!m_log) {
        return 0;
    }
    const std::size_t row = m_log->rowAt(seconds);
    if (row + 1 < m_log->rowCount() &&
        m_log->elapsed[row + 1] - seconds < seconds - m_log->elapsed[row]) {
        return row + 1;
    }
    return row;
}

void LogWindow::setCursorRow(std::size_t row) {
    if (!m_log) {
        return;
    }
    m_cursorRow = std::min(row, m_log->rowCount() - 1);
    m_filling = true;
    m_slider->setValue(static_cast<int>(m_cursorRow));
    m_filling = false;
    m_panes->setCursorTime(m_log->elapsed[m_cursorRow]);
    showCursorValues();
    if (m_replay && replayOn() && !m_opening) {
        m_replay(liveValuesAt(*m_log, m_cursorRow));
    }
}

QString LogWindow::columnValueText(const std::string& column) const {
    const auto at = m_log ? m_log->column(column) : std::nullopt;
    if (!at) {
        return {};
    }
    const double value = m_log->values[*at][m_cursorRow];
    return std::isnan(value) ? QStringLiteral("-") : QString::number(value);
}

QString LogWindow::valueText(std::size_t channel) const {
    return channel < kLogChannels.size()
               ? columnValueText(std::string(kLogChannels[channel].column))
               : QString();
}

void LogWindow::showCursorValues() {
    m_list->showValues([this](const std::string& column) { return columnValueText(column); });
    const LogTexts texts = logTextsFor(m_languageIndex);
    m_time->setText(
        toQString(texts.cursorTime)
            .replace("%1", QString::number(m_log->elapsed[m_cursorRow], 'f', 3))
            .replace("%2", QString::fromStdString(std::string(m_log->timestamp(m_cursorRow)))));
}

void LogWindow::closeEvent(QCloseEvent* event) {
    if (m_closed) {
        m_closed();
    }
    QWidget::closeEvent(event);
}

} // namespace kordana
