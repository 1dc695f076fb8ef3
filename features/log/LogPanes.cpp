#include "features/log/LogPanes.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include <algorithm>
#include <cmath>

namespace kordana {

namespace {

// The pixel room of one value axis beside the panes, of the time axis below them, and
// between two panes.
constexpr double kAxisWidth = 46;
constexpr double kTimeAxisHeight = 22;
constexpr double kPaneGap = 8;
// The least number of buckets a visible range is thinned to (a plot not yet laid out).
constexpr std::size_t kBucketsMin = 400;
// Rows drawn on each side of the visible range, so the lines run to the plot's edges.
constexpr std::size_t kEdgeRows = 1;

std::optional<std::size_t> knockCylinder(std::string_view column) {
    for (std::size_t c = 0; c < 3; ++c) {
        if (column == std::string("knock_") + char('1' + c) + "_mv") {
            return c;
        }
    }
    return std::nullopt;
}

} // namespace

LogPanes::LogPanes(QWidget* parent) : QWidget(parent) {
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(400, 250);
}

LogPanes::~LogPanes() = default;

QColor LogPanes::colourOf(std::string_view column) {
    return QColor::fromRgb(kLogPalette[logColumnInfo(column).colourIndex]);
}

void LogPanes::setLog(const MonitorLog* log) {
    m_log = log;
    if (m_log == nullptr) {
        m_compare = nullptr;
        m_cursor.reset();
    }
    rebuild();
}

void LogPanes::setCompare(const MonitorLog* log, double offset) {
    m_compare = log;
    m_compareOffset = offset;
    rebuild();
}

void LogPanes::setPaneLayout(const LogLayout& layout) {
    m_layout = layout;
    rebuild();
}

void LogPanes::setThresholds(const std::optional<LogThresholds>& thresholds) {
    m_thresholds = thresholds;
    rebuild();
}

void LogPanes::setLineTexts(const QString& alarm, const QStringList& limiters) {
    m_alarmText = alarm;
    m_limiterTexts = limiters;
    update();
}

void LogPanes::setTimeRange(double from, double to) {
    m_from = from;
    m_to = std::max(to, from + 1e-6);
    plotPoints();
    update();
}

void LogPanes::setCursorTime(std::optional<double> seconds) {
    m_cursor = seconds;
    update();
}

void LogPanes::refresh() {
    rebuild();
}

// The panes of the layout with what the log holds of them: each channel's column, its axis
// (one per unit in a pane) and the whole log's range of every axis, so zooming in time keeps
// the value scales.
void LogPanes::rebuild() {
    m_panes.clear();
    m_markers = m_log != nullptr ? markerRows(*m_log) : std::vector<LogMarker>{};
    for (const auto& names : m_layout.panes) {
        Pane pane;
        for (const std::string& name : names) {
            Series series;
            series.name = name;
            series.info = logColumnInfo(name);
            series.colour = colourOf(name);
            series.column = m_log != nullptr ? m_log->column(name) : std::nullopt;
            series.compareColumn = m_compare != nullptr ? m_compare->column(name) : std::nullopt;
            series.knockCylinder = m_thresholds ? knockCylinder(name) : std::nullopt;
            auto axis = std::ranges::find(pane.axes, series.info.unit, &Axis::unit);
            if (axis == pane.axes.end()) {
                pane.axes.push_back(Axis{std::string(series.info.unit), series.colour, {}, {}, {}});
                axis = pane.axes.end() - 1;
            }
            series.axis = static_cast<std::size_t>(axis - pane.axes.begin());
            pane.series.push_back(std::move(series));
        }
        takeRanges(pane);
        m_panes.push_back(std::move(pane));
    }
    updateScales();
    plotPoints();
    update();
}

void LogPanes::takeRanges(Pane& pane) {
    for (const Series& s : pane.series) {
        Axis& axis = pane.axes[s.axis];
        if (s.column) {
            axis.range.take(valueRange(m_log->values[*s.column]));
        }
        if (s.compareColumn) {
            axis.range.take(valueRange(m_compare->values[*s.compareColumn]));
        }
        if (s.knockCylinder) {
            axis.range.take(valueRange(m_thresholds->knockAlarm[*s.knockCylinder]));
        }
        if (m_thresholds && s.name == "engine_speed_rpm") {
            axis.limiters.assign(m_thresholds->limiters.begin(), m_thresholds->limiters.end());
        }
    }
    for (Axis& axis : pane.axes) {
        if (axis.range.empty()) {
            axis.range = ValueRange{0, 1};
        }
    }
}

void LogPanes::updateScales() {
    const double height = m_panes.empty() ? 0 : paneRect(0).height();
    const int ticks = std::clamp(static_cast<int>(height / 28), 2, 8);
    for (Pane& pane : m_panes) {
        for (Axis& axis : pane.axes) {
            axis.scale = niceScale(axis.range.low, axis.range.high, ticks);
            if (axis.unit == "flag") {
                // Off and on with room below and above, clear of the frame and the legend.
                axis.scale = AxisScale{-0.25, 1.5, 1, {0, 1}};
            }
        }
    }
}

void LogPanes::plotPoints() {
    if (m_log == nullptr || m_log->rowCount() == 0) {
        for (Pane& pane : m_panes) {
            for (Series& s : pane.series) {
                s.points.clear();
                s.compare.clear();
                s.alarm.clear();
            }
        }
        return;
    }
    const std::size_t first = m_log->rowAt(m_from);
    const std::size_t last = std::min(m_log->rowAt(m_to) + kEdgeRows, m_log->rowCount() - 1);
    const auto buckets = std::max<std::size_t>(
        kBucketsMin, static_cast<std::size_t>(std::max(0.0, plotArea().width())));
    for (Pane& pane : m_panes) {
        for (Series& s : pane.series) {
            plotSeries(s, first, last, buckets);
            plotCompare(s, buckets);
        }
    }
}

void LogPanes::plotSeries(Series& s, std::size_t first, std::size_t last, std::size_t buckets) {
    s.points.clear();
    s.alarm.clear();
    if (!s.column) {
        return;
    }
    const std::vector<double>& values = m_log->values[*s.column];
    const std::vector<std::size_t> rows = plottedRows(values, first, last, buckets);
    s.points.reserve(rows.size());
    for (const std::size_t r : rows) {
        s.points.emplace_back(m_log->elapsed[r], values[r]);
    }
    const auto rpm = m_log->column("engine_speed_rpm");
    if (s.knockCylinder && rpm) {
        const std::vector<double>& speed = m_log->values[*rpm];
        s.alarm.reserve(rows.size());
        for (const std::size_t r : rows) {
            if (!std::isnan(speed[r])) {
                s.alarm.emplace_back(m_log->elapsed[r],
                                     knockAlarmAt(*m_thresholds, *s.knockCylinder, speed[r]));
            }
        }
    }
}

void LogPanes::plotCompare(Series& s, std::size_t buckets) {
    s.compare.clear();
    if (!s.compareColumn || m_compare->rowCount() == 0) {
        return;
    }
    const std::size_t first = m_compare->rowAt(m_from - m_compareOffset);
    const std::size_t last =
        std::min(m_compare->rowAt(m_to - m_compareOffset) + kEdgeRows, m_compare->rowCount() - 1);
    const std::vector<double>& values = m_compare->values[*s.compareColumn];
    for (const std::size_t r : plottedRows(values, first, last, buckets)) {
        s.compare.emplace_back(m_compare->elapsed[r] + m_compareOffset, values[r]);
    }
}

const LogPanes::Series* LogPanes::seriesOf(std::string_view column, const Pane** pane) const {
    for (const Pane& p : m_panes) {
        for (const Series& s : p.series) {
            if (s.name == column) {
                if (pane != nullptr) {
                    *pane = &p;
                }
                return &s;
            }
        }
    }
    return nullptr;
}

qsizetype LogPanes::pointCount(std::string_view column) const {
    const Series* s = seriesOf(column);
    return s != nullptr ? static_cast<qsizetype>(s->points.size()) : 0;
}

std::vector<QPointF> LogPanes::linePoints(std::string_view column, Line line) const {
    const Series* s = seriesOf(column);
    if (s == nullptr) {
        return {};
    }
    return line == Line::Values ? s->points : line == Line::Compare ? s->compare : s->alarm;
}

std::vector<double> LogPanes::limitersWith(std::string_view column) const {
    const Pane* pane = nullptr;
    const Series* s = seriesOf(column, &pane);
    return s != nullptr ? pane->axes[s->axis].limiters : std::vector<double>{};
}

const AxisScale* LogPanes::scaleOf(std::string_view column) const {
    const Pane* pane = nullptr;
    const Series* s = seriesOf(column, &pane);
    return s != nullptr ? &pane->axes[s->axis].scale : nullptr;
}

std::size_t LogPanes::axesOnSide(bool right) const {
    std::size_t most = 0;
    for (const Pane& pane : m_panes) {
        most = std::max(most, right ? pane.axes.size() / 2 : (pane.axes.size() + 1) / 2);
    }
    return most;
}

// The panes' common area: value axes alternate left and right of it, the time axis below.
QRectF LogPanes::plotArea() const {
    const double left =
        kAxisWidth * static_cast<double>(std::max<std::size_t>(1, axesOnSide(false)));
    const double right = std::max(12.0, kAxisWidth * static_cast<double>(axesOnSide(true)));
    return QRectF(left, 6, std::max(1.0, width() - left - right),
                  std::max(1.0, height() - 6 - kTimeAxisHeight));
}

QRectF LogPanes::paneRect(std::size_t pane) const {
    const QRectF area = plotArea();
    const auto count = static_cast<double>(std::max<std::size_t>(1, m_panes.size()));
    const double h = std::max(1.0, (area.height() - kPaneGap * (count - 1)) / count);
    return QRectF(area.left(), area.top() + static_cast<double>(pane) * (h + kPaneGap),
                  area.width(), h);
}

std::size_t LogPanes::paneAtY(double y) const {
    for (std::size_t p = 0; p < m_panes.size(); ++p) {
        if (y < paneRect(p).bottom() + kPaneGap / 2) {
            return p;
        }
    }
    return m_panes.size();
}

double LogPanes::timeAtX(double x) const {
    const QRectF area = plotArea();
    return m_from + (x - area.left()) / area.width() * (m_to - m_from);
}

double LogPanes::xOfTime(double seconds) const {
    const QRectF area = plotArea();
    return area.left() + (seconds - m_from) / (m_to - m_from) * area.width();
}

void LogPanes::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateScales();
    plotPoints();
}

void LogPanes::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kColumnMime)) {
        event->acceptProposedAction();
    }
}

void LogPanes::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasFormat(kColumnMime)) {
        event->acceptProposedAction();
    }
}

void LogPanes::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasFormat(kColumnMime)) {
        return;
    }
    const QString column = QString::fromUtf8(event->mimeData()->data(kColumnMime));
    event->acceptProposedAction();
    emit columnDropped(column, paneAtY(event->position().y()));
}

} // namespace kordana
