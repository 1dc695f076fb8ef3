#include "features/log/LogChartView.h"

#include <QMouseEvent>
#include <QRubberBand>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace kordana {

LogChartView::LogChartView(QChart* chart, QValueAxis* timeAxis, QWidget* parent)
    : QChartView(chart, parent), m_timeAxis(timeAxis) {
    setRubberBand(QChartView::NoRubberBand);
    setRenderHint(QPainter::Antialiasing, false);
    setMouseTracking(false);
}

double LogChartView::timeAtX(double x) const {
    const QRectF area = chart()->plotArea();
    if (area.width() <= 0) {
        return m_timeAxis->min();
    }
    const double scene = mapToScene(QPoint(static_cast<int>(x), 0)).x();
    return m_timeAxis->min() +
           (scene - area.left()) / area.width() * (m_timeAxis->max() - m_timeAxis->min());
}

double LogChartView::xOfTime(double seconds) const {
    const QRectF area = chart()->plotArea();
    const double span = m_timeAxis->max() - m_timeAxis->min();
    const double scene =
        area.left() + (span > 0 ? (seconds - m_timeAxis->min()) / span * area.width() : 0);
    return mapFromScene(QPointF(scene, 0)).x();
}

void LogChartView::mousePressEvent(QMouseEvent* event) {
    m_dragStart = event->position().toPoint();
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier) != 0) {
        m_drag = Drag::Band;
        if (m_band == nullptr) {
            m_band = new QRubberBand(QRubberBand::Rectangle, this);
        }
        m_band->setGeometry(QRect(m_dragStart, QSize()));
        m_band->show();
    } else if (event->button() == Qt::LeftButton) {
        m_drag = Drag::Cursor;
        emit cursorRequested(timeAtX(m_dragStart.x()));
    } else if (event->button() == Qt::RightButton || event->button() == Qt::MiddleButton) {
        m_drag = Drag::Pan;
        m_panFrom = m_timeAxis->min();
        m_panTo = m_timeAxis->max();
    }
    event->accept();
}

void LogChartView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    switch (m_drag) {
    case Drag::Cursor:
        emit cursorRequested(timeAtX(pos.x()));
        break;
    case Drag::Pan: {
        const double width = chart()->plotArea().width();
        if (width > 0) {
            const double shift = (m_dragStart.x() - pos.x()) / width * (m_panTo - m_panFrom);
            emit rangeRequested(m_panFrom + shift, m_panTo + shift);
        }
        break;
    }
    case Drag::Band: {
        const QRectF area = chart()->plotArea();
        m_band->setGeometry(
            QRect(QPoint(std::min(m_dragStart.x(), pos.x()), mapFromScene(area.topLeft()).y()),
                  QPoint(std::max(m_dragStart.x(), pos.x()), mapFromScene(area.bottomLeft()).y())));
        break;
    }
    case Drag::None:
        break;
    }
    event->accept();
}

void LogChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (m_drag == Drag::Band) {
        m_band->hide();
        const int x = event->position().toPoint().x();
        if (std::abs(x - m_dragStart.x()) > 3) {
            emit rangeRequested(timeAtX(std::min(x, m_dragStart.x())),
                                timeAtX(std::max(x, m_dragStart.x())));
        }
    }
    m_drag = Drag::None;
    event->accept();
}

void LogChartView::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) {
        return;
    }
    const double at = timeAtX(event->position().x());
    const double factor = std::pow(0.8, steps);
    emit rangeRequested(at - (at - m_timeAxis->min()) * factor,
                        at + (m_timeAxis->max() - at) * factor);
    event->accept();
}

} // namespace kordana
