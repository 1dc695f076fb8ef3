#include "features/monitor/GaugeBar.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace kordana {

GaugeBar::GaugeBar(QWidget* parent) : QProgressBar(parent) {
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
}

bool GaugeBar::event(QEvent* event) {
    const bool handled = QProgressBar::event(event);
    // A style may clear this when it polishes a progress bar; this one paints every pixel.
    if (event->type() == QEvent::Polish) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    return handled;
}

void GaugeBar::setClampedValue(int value) {
    const int clamped = std::clamp(value, minimum(), maximum());
    if (clamped == this->value()) {
        return;
    }
    // The base class repaints synchronously on every new value; with updates held back the
    // change joins the window's next paint.
    setUpdatesEnabled(false);
    setValue(clamped);
    setUpdatesEnabled(true);
}

void GaugeBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect();
    painter.fillRect(frame, palette().color(QPalette::Base));
    const QRect trough = frame.adjusted(1, 1, -1, -1);
    const int span = std::max(1, maximum() - minimum());
    const int filled =
        static_cast<int>(static_cast<long long>(trough.width()) * (value() - minimum()) / span);
    if (filled > 0) {
        painter.fillRect(QRect(trough.left(), trough.top(), filled, trough.height()),
                         palette().color(QPalette::Highlight));
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
}

} // namespace kordana
