#pragma once

#include "monitor/LogColumns.h"
#include "monitor/LogPlot.h"
#include "monitor/LogRuns.h"
#include "monitor/MonitorLog.h"

#include <QColor>
#include <QPointF>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QRubberBand;

namespace kordana {

/// The plot of the log window: panes stacked over one time axis, each with the value axes of
/// its channels' units and a legend. A left click or drag puts the time cursor; the wheel
/// zooms the time axis around the mouse; a right or middle drag pans it; a left drag with
/// Shift zooms to the stretch it covers. A channel dropped from the channel list goes into
/// the pane under the mouse, or into a new pane below the last.
class LogPanes : public QWidget {
    Q_OBJECT

public:
    /// The drag data of a column: its name.
    static constexpr const char* kColumnMime = "application/x-kordana-log-column";

    explicit LogPanes(QWidget* parent);
    ~LogPanes() override;

    /// The log plotted (null: none); it stays owned by the caller and must outlive its use.
    void setLog(const MonitorLog* log);
    /// A second log drawn dashed over the first, its times moved by `offset` s (null: none).
    void setCompare(const MonitorLog* log, double offset);
    void setPaneLayout(const LogLayout& layout);
    const LogLayout& paneLayout() const { return m_layout; }
    /// The set's alarm and limiter lines (nothing: none drawn).
    void setThresholds(const std::optional<LogThresholds>& thresholds);
    /// The visible time range [from, to] s.
    void setTimeRange(double from, double to);
    double timeFrom() const { return m_from; }
    double timeTo() const { return m_to; }
    /// The red time cursor at `seconds` (nothing: hidden).
    void setCursorTime(std::optional<double> seconds);
    /// Reads the log again after rows were added to it: ranges, scales and points.
    void refresh();

    std::size_t paneCount() const { return m_panes.size(); }
    /// Points drawn for `column` at present (0 when it is not plotted).
    qsizetype pointCount(std::string_view column) const;
    /// What is drawn for `column` (time s, value): its values, the second log's, its alarm.
    enum class Line { Values, Compare, Alarm };
    std::vector<QPointF> linePoints(std::string_view column, Line line) const;
    /// The rev limiters drawn across the pane of `column` (engine speed's), rpm.
    std::vector<double> limitersWith(std::string_view column) const;
    /// The value axis `column` is drawn against, or null.
    const AxisScale* scaleOf(std::string_view column) const;
    /// The colour `column` is drawn in.
    static QColor colourOf(std::string_view column);
    /// The pane under widget position `y`; paneCount() below the last pane.
    std::size_t paneAtY(double y) const;
    /// The time (s) under the widget position `x`, or the position of a time.
    double timeAtX(double x) const;
    double xOfTime(double seconds) const;
    /// The texts of the legend's alarm and limiter lines.
    void setLineTexts(const QString& alarm, const QStringList& limiters);

signals:
    void cursorRequested(double seconds);
    /// The visible time range should become [from, to].
    void rangeRequested(double from, double to);
    /// `column` was dropped onto pane `pane` (paneCount(): a new pane).
    void columnDropped(const QString& column, std::size_t pane);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct Series {
        std::string name;
        LogColumnInfo info;
        QColor colour;
        std::size_t axis = 0;
        std::optional<std::size_t> column;        // in the log
        std::optional<std::size_t> compareColumn; // in the second log
        std::optional<std::size_t> knockCylinder; // a knock level: its alarm line
        std::vector<QPointF> points;
        std::vector<QPointF> compare;
        std::vector<QPointF> alarm;
    };
    struct Axis {
        std::string unit;
        QColor colour;
        ValueRange range;
        AxisScale scale;
        std::vector<double> limiters; // engine speed: the rev limiters
    };
    struct Pane {
        std::vector<Series> series;
        std::vector<Axis> axes;
    };
    enum class Drag { None, Cursor, Pan, Band };

    const Series* seriesOf(std::string_view column, const Pane** pane = nullptr) const;
    void rebuild();
    void takeRanges(Pane& pane);
    void updateScales();
    void plotPoints();
    void plotSeries(Series& series, std::size_t first, std::size_t last, std::size_t buckets);
    void plotCompare(Series& series, std::size_t buckets);
    QRectF plotArea() const;
    QRectF paneRect(std::size_t pane) const;
    std::size_t axesOnSide(bool right) const;
    void paintPane(QPainter& painter, std::size_t index) const;
    void paintAxes(QPainter& painter, const Pane& pane, const QRectF& rect) const;
    void paintSeries(QPainter& painter, const Pane& pane, const QRectF& rect) const;
    void paintLegend(QPainter& painter, const Pane& pane, const QRectF& rect) const;
    void paintTimeAxis(QPainter& painter) const;
    void paintMarkersAndCursor(QPainter& painter) const;
    void drawLine(QPainter& painter, const std::vector<QPointF>& points, const AxisScale& scale,
                  const QRectF& rect, bool steps) const;

    const MonitorLog* m_log = nullptr;
    const MonitorLog* m_compare = nullptr;
    double m_compareOffset = 0;
    LogLayout m_layout;
    std::optional<LogThresholds> m_thresholds;
    std::vector<Pane> m_panes;
    std::vector<LogMarker> m_markers;
    double m_from = 0;
    double m_to = 1;
    std::optional<double> m_cursor;
    QString m_alarmText;
    QStringList m_limiterTexts;

    QRubberBand* m_band = nullptr;
    Drag m_drag = Drag::None;
    QPoint m_dragStart;
    double m_panFrom = 0;
    double m_panTo = 0;
};

} // namespace kordana
