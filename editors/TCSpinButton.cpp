#include "editors/TCSpinButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

namespace kordana {

namespace {

void drawLook(QPainter& painter, const QWidget* widget, QSize size, TCSpinButton::Half pressed) {
    const int upHeight = size.height() / 2;
    const QRect halves[] = {QRect(0, 0, size.width(), upHeight),
                            QRect(0, upHeight, size.width(), size.height() - upHeight)};
    const QStyle::PrimitiveElement arrows[] = {QStyle::PE_IndicatorArrowUp,
                                               QStyle::PE_IndicatorArrowDown};
    const TCSpinButton::Half which[] = {TCSpinButton::Half::Up, TCSpinButton::Half::Down};
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton button;
        button.initFrom(widget);
        button.rect = halves[i];
        button.state |= pressed == which[i] ? QStyle::State_Sunken : QStyle::State_Raised;
        painter.fillRect(halves[i], widget->palette().button());
        widget->style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, widget);
        QStyleOption arrow;
        arrow.initFrom(widget);
        arrow.rect = halves[i].adjusted(2, 1, -2, -1);
        widget->style()->drawPrimitive(arrows[i], &arrow, &painter, widget);
    }
}

} // namespace

TCSpinButton::TCSpinButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize TCSpinButton::sizeHint() const {
    return {16, 21};
}

void TCSpinButton::paintArrows(QPainter& painter, const QWidget* widget, const QRect& rect,
                               Half pressed) {
    const qreal ratio = widget->devicePixelRatioF();
    const QString key = QString("kordana-spin-%1x%2-%3-%4-%5-%6")
                            .arg(rect.width())
                            .arg(rect.height())
                            .arg(static_cast<int>(pressed))
                            .arg(widget->isEnabled() ? 1 : 0)
                            .arg(ratio)
                            .arg(widget->palette().cacheKey());
    QPixmap look;
    if (!QPixmapCache::find(key, &look)) {
        look = QPixmap(rect.size() * ratio);
        look.setDevicePixelRatio(ratio);
        QPainter lookPainter(&look);
        drawLook(lookPainter, widget, rect.size(), pressed);
        lookPainter.end();
        QPixmapCache::insert(key, look);
    }
    painter.drawPixmap(rect.topLeft(), look);
}

void TCSpinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintArrows(painter, this, rect(), m_pressed);
}

void TCSpinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = halfAt(event->position().toPoint().y(), height());
    update();
    if (m_repeat == nullptr) {
        m_repeat = new QTimer(this);
        connect(m_repeat, &QTimer::timeout, this, [this] {
            m_repeat->setInterval(kRepeatIntervalMs);
            fire();
        });
    }
    m_repeat->start(kRepeatDelayMs);
    fire();
}

void TCSpinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        stopRepeat();
    }
    QWidget::mouseReleaseEvent(event);
}

void TCSpinButton::hideEvent(QHideEvent* event) {
    stopRepeat();
    QWidget::hideEvent(event);
}

void TCSpinButton::stopRepeat() {
    if (m_repeat != nullptr) {
        m_repeat->stop();
    }
    if (m_pressed != Half::None) {
        m_pressed = Half::None;
        update();
    }
}

void TCSpinButton::fire() {
    // A handler may hide or disable the button (a locked page); stop repeating then.
    if (isHidden() || !isEnabled()) {
        stopRepeat();
        return;
    }
    if (m_pressed == Half::Up) {
        emit upClick();
    } else if (m_pressed == Half::Down) {
        emit downClick();
    }
}

} // namespace kordana
