// How the log window's panes are painted and what the mouse does on them.
#include "features/log/LogPanes.h"

#include "shell/QtText.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRubberBand>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace kordana {

namespace {

constexpr double kAxisWidth = 46;
const QColor kGrid(225, 225, 225);
const QColor kMarker(110, 110, 110);

QString tickText(double value, double step) {
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    return QString::number(value, 'f', decimals);
}

double yOf(double value, const AxisScale& scale, const QRectF& rect) {
    const double span = scale.high - scale.low;
    return rect.bottom() - (value - scale.low) / (span > 0 ? span : 1) * rect.height();
}

} // namespace

void LogPanes::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    for (std::size_t p = 0; p < m_panes.size(); ++p) {
        paintPane(painter, p);
    }
    paintTimeAxis(painter);
    paintMarkersAndCursor(painter);
}

void LogPanes::paintPane(QPainter& painter, std::size_t index) const {
    const Pane& pane = m_panes[index];
    const QRectF rect = paneRect(index);
    painter.setPen(QPen(kGrid, 1));
    if (!pane.axes.empty()) {
        for (const double tick : pane.axes.front().scale.ticks) {
            const double y = yOf(tick, pane.axes.front().scale, rect);
            painter.drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
        }
    }
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    painter.drawRect(rect);
    paintAxes(painter, pane, rect);
    painter.save();
    painter.setClipRect(rect.adjusted(0, -1, 1, 1));
    paintSeries(painter, pane, rect);
    painter.restore();
    paintLegend(painter, pane, rect);
}

// Axis k stands left of the panes for even k, right for odd k, the first ones nearest.
void LogPanes::paintAxes(QPainter& painter, const Pane& pane, const QRectF& rect) const {
    const QFontMetricsF metrics(painter.font());
    for (std::size_t a = 0; a < pane.axes.size(); ++a) {
        const Axis& axis = pane.axes[a];
        const bool right = a % 2 == 1;
        const double offset = kAxisWidth * static_cast<double>(a / 2);
        const double x = right ? rect.right() + offset : rect.left() - offset;
        painter.setPen(QPen(axis.colour, 1));
        painter.drawLine(QPointF(x, rect.top()), QPointF(x, rect.bottom()));
        for (const double tick : axis.scale.ticks) {
            const double y = yOf(tick, axis.scale, rect);
            const QString text = tickText(tick, axis.scale.step);
            const double w = metrics.horizontalAdvance(text);
            painter.drawLine(QPointF(x, y), QPointF(right ? x + 3 : x - 3, y));
            const double tx = right ? x + 5 : x - 5 - w;
            const double ty = std::clamp(y + metrics.ascent() / 2 - 1,
                                         rect.top() + metrics.ascent(), rect.bottom() + 1);
            painter.drawText(QPointF(tx, ty), text);
        }
    }
}

void LogPanes::paintSeries(QPainter& painter, const Pane& pane, const QRectF& rect) const {
    for (const Series& s : pane.series) {
        const Axis& axis = pane.axes[s.axis];
        if (!s.alarm.empty()) {
            painter.setPen(QPen(s.colour, 1, Qt::DotLine));
            drawLine(painter, s.alarm, axis.scale, rect, false);
        }
        // Limiters close together would write their names over each other: each name goes
        // at least a line below the one before.
        const double lineHeight = QFontMetricsF(painter.font()).height();
        double lastText = -1e9;
        for (std::size_t l = 0; l < axis.limiters.size(); ++l) {
            const double y = yOf(axis.limiters[l], axis.scale, rect);
            if (y >= rect.top() && y <= rect.bottom()) {
                painter.setPen(QPen(QColor(200, 0, 0), 1, Qt::DashDotLine));
                painter.drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
                if (l < static_cast<std::size_t>(m_limiterTexts.size())) {
                    const double textY = std::max(y - 2, lastText + lineHeight);
                    painter.drawText(QPointF(rect.right() - 120, textY),
                                     m_limiterTexts[static_cast<qsizetype>(l)]);
                    lastText = textY;
                }
            }
        }
        if (!s.compare.empty()) {
            painter.setPen(QPen(s.colour, 1, Qt::DashLine));
            drawLine(painter, s.compare, axis.scale, rect, s.info.flag);
        }
        // Two one-pixel lines a pixel apart: as strong as a wide pen at the speed of a thin one
        // (the toolkit strokes wide pens as polygons).
        painter.setPen(QPen(s.colour, 1));
        drawLine(painter, s.points, axis.scale, rect, s.info.flag);
        painter.translate(0, 1);
        drawLine(painter, s.points, axis.scale, rect, s.info.flag);
        painter.translate(0, -1);
    }
}

void LogPanes::drawLine(QPainter& painter, const std::vector<QPointF>& points,
                        const AxisScale& scale, const QRectF& rect, bool steps) const {
    if (points.empty()) {
        return;
    }
    const double span = m_to - m_from;
    const double sx = rect.width() / span;
    QList<QPointF> pixels;
    pixels.reserve(static_cast<qsizetype>(points.size() * (steps ? 2 : 1)));
    for (const QPointF& p : points) {
        const QPointF at(rect.left() + (p.x() - m_from) * sx, yOf(p.y(), scale, rect));
        if (steps && !pixels.isEmpty()) {
            pixels.append(QPointF(at.x(), pixels.back().y()));
        }
        pixels.append(at);
    }
    painter.drawPolyline(pixels.constData(), static_cast<int>(pixels.size()));
}

void LogPanes::paintLegend(QPainter& painter, const Pane& pane, const QRectF& rect) const {
    const QFontMetricsF metrics(painter.font());
    double x = rect.left() + 6;
    const double y = rect.top() + metrics.ascent() + 2;
    for (const Series& s : pane.series) {
        QString text = toQString(s.info.caption);
        if (!s.alarm.empty()) {
            text += " (" + m_alarmText + " ···)";
        }
        const double w = metrics.horizontalAdvance(text);
        painter.fillRect(QRectF(x - 2, rect.top() + 1, w + 4, metrics.height() + 2),
                         QColor(255, 255, 255, 220));
        painter.setPen(s.colour);
        painter.drawText(QPointF(x, y), text);
        x += w + 14;
    }
}

void LogPanes::paintTimeAxis(QPainter& painter) const {
    const QRectF area = plotArea();
    const int ticks = std::clamp(static_cast<int>(area.width() / 90), 2, 12);
    const AxisScale scale = niceScale(m_from, m_to, ticks);
    const QFontMetricsF metrics(painter.font());
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    for (const double tick : scale.ticks) {
        if (tick < m_from || tick > m_to) {
            continue;
        }
        const double x = xOfTime(tick);
        const QString text = tickText(tick, scale.step);
        painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + 3));
        // The unit "s" holds the right end; a tick's number there would be written over it.
        if (x + metrics.horizontalAdvance(text) / 2 >
            area.right() - metrics.horizontalAdvance("s") - 4) {
            continue;
        }
        painter.drawText(
            QPointF(x - metrics.horizontalAdvance(text) / 2, area.bottom() + 4 + metrics.ascent()),
            text);
    }
    painter.drawText(QPointF(area.right() - metrics.horizontalAdvance("s"),
                             area.bottom() + 4 + metrics.ascent()),
                     "s");
}

void LogPanes::paintMarkersAndCursor(QPainter& painter) const {
    const QRectF area = plotArea();
    if (m_log != nullptr) {
        painter.setPen(QPen(kMarker, 1, Qt::DashLine));
        for (const LogMarker& m : m_markers) {
            const double t = m_log->elapsed[m.row];
            if (t >= m_from && t <= m_to) {
                const double x = xOfTime(t);
                painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
                painter.drawText(QPointF(x + 2, area.top() + 10), QString::number(m.number));
            }
        }
    }
    if (m_cursor && *m_cursor >= m_from && *m_cursor <= m_to) {
        const double x = xOfTime(*m_cursor);
        painter.setPen(QPen(Qt::red, 2));
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
}

void LogPanes::mousePressEvent(QMouseEvent* event) {
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
        m_panFrom = m_from;
        m_panTo = m_to;
    }
    event->accept();
}

void LogPanes::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QRectF area = plotArea();
    switch (m_drag) {
    case Drag::Cursor:
        emit cursorRequested(timeAtX(pos.x()));
        break;
    case Drag::Pan: {
        const double shift = (m_dragStart.x() - pos.x()) / area.width() * (m_panTo - m_panFrom);
        emit rangeRequested(m_panFrom + shift, m_panTo + shift);
        break;
    }
    case Drag::Band:
        m_band->setGeometry(QRect(QPoint(std::min(m_dragStart.x(), pos.x()), int(area.top())),
                                  QPoint(std::max(m_dragStart.x(), pos.x()), int(area.bottom()))));
        break;
    case Drag::None:
        break;
    }
    event->accept();
}

void LogPanes::mouseReleaseEvent(QMouseEvent* event) {
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

void LogPanes::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) {
        return;
    }
    const double at = timeAtX(event->position().x());
    const double factor = std::pow(0.8, steps);
    emit rangeRequested(at - (at - m_from) * factor, at + (m_to - at) * factor);
    event->accept();
}

} // namespace kordana
