#include "features/log/LogWindow.h"

#include "features/log/LogChartView.h"
#include "lang/LogTexts.h"

#include <QChart>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGraphicsLineItem>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace kordana {

namespace {

// One colour per channel of kLogChannels, apart enough to tell neighbours on the plot.
const QColor kChannelColours[] = {
    {31, 119, 180},  {255, 127, 14},  {44, 160, 44},   {214, 39, 40},   {148, 103, 189},
    {140, 86, 75},   {227, 119, 194}, {127, 127, 127}, {188, 189, 34},  {23, 190, 207},
    {174, 199, 232}, {255, 152, 150}, {152, 223, 138}, {197, 176, 213}, {196, 156, 148},
    {247, 182, 210}, {219, 219, 141}, {158, 218, 229}, {0, 0, 0}};
static_assert(std::size(kChannelColours) == kLogChannels.size());

// Above this many rows in view a channel is plotted as the lowest and highest value of each
// pixel column: the same picture with a fraction of the points.
constexpr std::size_t kBucketsMin = 400;

QString qstr(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

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
    m_list = new QTreeWidget(splitter);
    m_list->setObjectName("ListLogChannels");
    m_list->setHeaderLabels({"Channel", "Value"});
    m_list->setRootIsDecorated(false);
    m_list->header()->setStretchLastSection(true);
    m_splitter = splitter;
    splitter->addWidget(m_list);
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
    connect(m_list, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        const int channel = m_list->indexOfTopLevelItem(item);
        if (!m_filling && column == 0 && channel >= 0) {
            setChannelShown(static_cast<std::size_t>(channel), item->checkState(0) == Qt::Checked);
        }
    });
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { showCurrentAxis(); });
    resize(980, 560);
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

void LogWindow::buildChart() {
    m_chart = new QChart();
    m_chart->legend()->hide();
    m_chart->setMargins(QMargins(4, 4, 4, 4));
    m_timeAxis = new QValueAxis(m_chart);
    m_timeAxis->setTitleText("s");
    m_timeAxis->setLabelFormat("%.1f");
    m_timeAxis->setRange(0, 1);
    m_chart->addAxis(m_timeAxis, Qt::AlignBottom);

    m_filling = true;
    for (std::size_t c = 0; c < kLogChannels.size(); ++c) {
        Channel channel;
        channel.series = new QLineSeries(m_chart);
        channel.series->setName(qstr(kLogChannels[c].caption));
        channel.series->setColor(kChannelColours[c]);
        m_chart->addSeries(channel.series);
        channel.axis = new QValueAxis(m_chart);
        channel.axis->setLabelFormat("%g");
        channel.axis->setLinePenColor(kChannelColours[c]);
        channel.axis->setLabelsColor(kChannelColours[c]);
        m_chart->addAxis(channel.axis, Qt::AlignLeft);
        channel.series->attachAxis(m_timeAxis);
        channel.series->attachAxis(channel.axis);
        channel.series->setVisible(false);
        channel.axis->setVisible(false);
        channel.item = new QTreeWidgetItem(m_list, {qstr(kLogChannels[c].caption), QString()});
        channel.item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        channel.item->setCheckState(0, c < 2 ? Qt::Checked : Qt::Unchecked);
        channel.item->setForeground(0, kChannelColours[c]);
        m_channels.push_back(channel);
    }
    m_filling = false;
    m_list->resizeColumnToContents(0);

    m_cursorLine = new QGraphicsLineItem(m_chart);
    m_cursorLine->setPen(QPen(Qt::red, 1.5));
    m_cursorLine->setZValue(100);
    m_cursorLine->hide();

    connect(m_chart, &QChart::plotAreaChanged, this, [this] {
        plotVisibleRange();
        placeCursorLine();
    });
    connect(m_timeAxis, &QValueAxis::rangeChanged, this, [this](double from, double to) {
        plotVisibleRange();
        placeCursorLine();
        emit timeRangeShown(from, to);
    });
}

// The plot and the channels come with the first log: until then the window holds no filled
// list and no plot whose scroll bars the toolkit would lay out later, behind the main window's
// back (the print view restores every widget as it was).
void LogWindow::ensureView() {
    if (m_view != nullptr) {
        return;
    }
    buildChart();
    m_view = new LogChartView(m_chart, m_timeAxis, this);
    m_view->setObjectName("ChartLog");
    m_view->setMinimumSize(400, 250);
    m_splitter->addWidget(m_view);
    m_splitter->setStretchFactor(1, 1);
    connect(m_view, &LogChartView::cursorRequested, this,
            [this](double seconds) { setCursorRow(nearestRow(seconds)); });
    connect(m_view, &LogChartView::rangeRequested, this,
            [this](double from, double to) { setTimeRange(from, to); });
}

bool LogWindow::openLog(const QString& path, std::uint8_t languageIndex) {
    m_languageIndex = languageIndex;
    ensureView();
    MonitorLogRead read = readWithProgress(path);
    if (!read.log && read.error.problem == MonitorLogProblem::Cancelled) {
        return false; // the technician's choice: what was shown stays
    }
    m_file->setText(path);
    if (!read.log) {
        clearLog();
        const LogTexts texts = logTextsFor(languageIndex);
        m_message->setText(qstr(texts.openError) + path + ": " +
                           QString::fromStdString(monitorLogErrorText(read.error, languageIndex)));
        m_message->show();
        show();
        raise();
        return false;
    }
    m_message->hide();
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
    QProgressDialog progress(qstr(texts.reading), qstr(texts.cancel), 0, kSteps,
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
    m_log.reset();
    for (Channel& channel : m_channels) {
        channel.series->clear();
        channel.item->setText(1, QString());
    }
    m_cursorLine->hide();
    m_filling = true;
    m_slider->setRange(0, 0);
    m_filling = false;
    m_time->clear();
}

void LogWindow::takeLog(MonitorLog log) {
    m_log = std::move(log);
    m_filling = true;
    for (std::size_t c = 0; c < m_channels.size(); ++c) {
        Channel& channel = m_channels[c];
        channel.column = m_log->column(kLogChannels[c].column);
        channel.item->setDisabled(!channel.column);
        // Each channel keeps the scale of its whole log while the time axis zooms.
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        if (channel.column) {
            for (const double v : m_log->values[*channel.column]) {
                if (!std::isnan(v)) {
                    low = std::min(low, v);
                    high = std::max(high, v);
                }
            }
        }
        if (low > high) {
            low = 0;
            high = 1;
        }
        const double margin = high > low ? (high - low) * 0.05 : 1.0;
        channel.axis->setRange(low - margin, high + margin);
        channel.axis->applyNiceNumbers();
        channel.series->setVisible(channel.column && channel.item->checkState(0) == Qt::Checked);
    }
    m_filling = false;
    if (m_list->currentItem() == nullptr) {
        m_list->setCurrentItem(m_channels.front().item);
    }
    showCurrentAxis();
    m_filling = true;
    m_slider->setRange(0, static_cast<int>(m_log->rowCount() - 1));
    m_filling = false;
    const double end = m_log->elapsed.back();
    // A range change plots; an unchanged range (the same length again) must plot too.
    const bool same = m_timeAxis->min() == 0 && m_timeAxis->max() == std::max(end, 1e-3);
    setTimeRange(0, end);
    if (same) {
        plotVisibleRange();
    }
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
    m_timeAxis->setRange(from, from + span);
}

double LogWindow::timeFrom() const {
    return m_timeAxis != nullptr ? m_timeAxis->min() : 0;
}

double LogWindow::timeTo() const {
    return m_timeAxis != nullptr ? m_timeAxis->max() : 0;
}

void LogWindow::plotVisibleRange() {
    if (!m_log) {
        return;
    }
    const std::size_t first = m_log->rowAt(m_timeAxis->min());
    const std::size_t last = std::min(m_log->rowAt(m_timeAxis->max()) + 1, m_log->rowCount() - 1);
    for (Channel& channel : m_channels) {
        if (channel.series->isVisible()) {
            plotChannel(channel, first, last);
        }
    }
}

void LogWindow::plotChannel(Channel& channel, std::size_t first, std::size_t last) {
    const std::vector<double>& values = m_log->values[*channel.column];
    const std::vector<double>& time = m_log->elapsed;
    const std::size_t rows = last - first + 1;
    const auto buckets = std::max<std::size_t>(
        kBucketsMin, static_cast<std::size_t>(std::max(0.0, m_chart->plotArea().width())));
    QList<QPointF> points;
    if (rows <= 2 * buckets) {
        points.reserve(static_cast<qsizetype>(rows));
        for (std::size_t r = first; r <= last; ++r) {
            if (!std::isnan(values[r])) {
                points.append(QPointF(time[r], values[r]));
            }
        }
    } else {
        points.reserve(static_cast<qsizetype>(2 * buckets));
        for (std::size_t b = 0; b < buckets; ++b) {
            const std::size_t from = first + rows * b / buckets;
            const std::size_t to = first + rows * (b + 1) / buckets;
            std::size_t low = to;
            std::size_t high = to;
            for (std::size_t r = from; r < to; ++r) {
                if (std::isnan(values[r])) {
                    continue;
                }
                if (low == to || values[r] < values[low]) {
                    low = r;
                }
                if (high == to || values[r] > values[high]) {
                    high = r;
                }
            }
            if (low == to) {
                continue;
            }
            // The two extremes in the order they happened, so the line runs forward in time.
            for (const std::size_t r : {std::min(low, high), std::max(low, high)}) {
                points.append(QPointF(time[r], values[r]));
                if (low == high) {
                    break;
                }
            }
        }
    }
    channel.series->replace(points);
}

qsizetype LogWindow::plottedPoints(std::size_t channel) const {
    return channel < m_channels.size() ? m_channels[channel].series->count() : 0;
}

void LogWindow::setChannelShown(std::size_t channel, bool shown) {
    if (channel >= m_channels.size()) {
        return;
    }
    Channel& c = m_channels[channel];
    m_filling = true;
    c.item->setCheckState(0, shown ? Qt::Checked : Qt::Unchecked);
    m_filling = false;
    c.series->setVisible(shown && m_log && c.column);
    if (c.series->isVisible()) {
        plotChannel(c, m_log->rowAt(m_timeAxis->min()),
                    std::min(m_log->rowAt(m_timeAxis->max()) + 1, m_log->rowCount() - 1));
    } else {
        c.series->clear();
    }
    showCurrentAxis();
}

bool LogWindow::channelShown(std::size_t channel) const {
    return channel < m_channels.size() && m_channels[channel].series->isVisible();
}

void LogWindow::showCurrentAxis() {
    // One value axis at a time: the current channel's, or the first plotted one's.
    const int current = m_list->indexOfTopLevelItem(m_list->currentItem());
    std::optional<std::size_t> shown;
    if (current >= 0 && m_channels[static_cast<std::size_t>(current)].series->isVisible()) {
        shown = static_cast<std::size_t>(current);
    }
    for (std::size_t c = 0; c < m_channels.size() && !shown; ++c) {
        if (m_channels[c].series->isVisible()) {
            shown = c;
        }
    }
    for (std::size_t c = 0; c < m_channels.size(); ++c) {
        m_channels[c].axis->setVisible(shown == c);
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
    placeCursorLine();
    showCursorValues();
    if (m_replay && replayOn() && !m_opening) {
        m_replay(liveValuesAt(*m_log, m_cursorRow));
    }
}

QString LogWindow::valueText(std::size_t channel) const {
    if (!m_log || channel >= m_channels.size() || !m_channels[channel].column) {
        return {};
    }
    const double value = m_log->values[*m_channels[channel].column][m_cursorRow];
    return std::isnan(value) ? QStringLiteral("-") : QString::number(value);
}

void LogWindow::showCursorValues() {
    m_filling = true;
    for (std::size_t c = 0; c < m_channels.size(); ++c) {
        m_channels[c].item->setText(1, valueText(c));
    }
    m_filling = false;
    const LogTexts texts = logTextsFor(m_languageIndex);
    m_time->setText(
        qstr(texts.cursorTime)
            .replace("%1", QString::number(m_log->elapsed[m_cursorRow], 'f', 3))
            .replace("%2", QString::fromStdString(std::string(m_log->timestamp(m_cursorRow)))));
}

void LogWindow::placeCursorLine() {
    if (!m_log) {
        m_cursorLine->hide();
        return;
    }
    const double t = m_log->elapsed[m_cursorRow];
    const QRectF area = m_chart->plotArea();
    const double span = m_timeAxis->max() - m_timeAxis->min();
    if (span <= 0 || t < m_timeAxis->min() || t > m_timeAxis->max()) {
        m_cursorLine->hide();
        return;
    }
    const double x = area.left() + (t - m_timeAxis->min()) / span * area.width();
    m_cursorLine->setLine(x, area.top(), x, area.bottom());
    m_cursorLine->show();
}

void LogWindow::closeEvent(QCloseEvent* event) {
    if (m_closed) {
        m_closed();
    }
    QWidget::closeEvent(event);
}

} // namespace kordana
