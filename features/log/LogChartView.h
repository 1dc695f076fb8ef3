#pragma once

#include <QChartView>

class QRubberBand;
class QValueAxis;

namespace kordana {

/// The plot of the log window. A left click or drag puts the time cursor; the wheel zooms the
/// time axis around the mouse; a right or middle drag pans it; a left drag with Shift zooms
/// to the stretch it covers.
class LogChartView : public QChartView {
    Q_OBJECT

public:
    LogChartView(QChart* chart, QValueAxis* timeAxis, QWidget* parent);

    /// The time (s) under the view position `x`, or the view position of a time.
    double timeAtX(double x) const;
    double xOfTime(double seconds) const;

signals:
    void cursorRequested(double seconds);
    /// The visible time range should become [from, to].
    void rangeRequested(double from, double to);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    enum class Drag { None, Cursor, Pan, Band };

    QValueAxis* m_timeAxis;
    QRubberBand* m_band = nullptr;
    Drag m_drag = Drag::None;
    QPoint m_dragStart;
    double m_panFrom = 0;
    double m_panTo = 0;
};

} // namespace kordana
