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

constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 80;

} // namespace

TCSpinButton::TCSpinButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize TCSpinButton::sizeHint() const {
    return {16, 21};
}

void TCSpinButton::paintEvent(QPaintEvent*) {
    // A grid holds many of these; each look is drawn once and then copied from the cache.
    const qreal ratio = devicePixelRatioF();
    const QString key = QString("kordana-spin-%1x%2-%3-%4-%5-%6")
                            .arg(width())
                            .arg(height())
                            .arg(static_cast<int>(m_pressed))
                            .arg(isEnabled() ? 1 : 0)
                            .arg(ratio)
                            .arg(palette().cacheKey());
    QPixmap look;
    if (!QPixmapCache::find(key, &look)) {
        look = QPixmap(size() * ratio);
        look.setDevicePixelRatio(ratio);
        QPainter painter(&look);
        drawLook(painter);
        painter.end();
        QPixmapCache::insert(key, look);
    }
    QPainter(this).drawPixmap(0, 0, look);
}

void TCSpinButton::drawLook(QPainter& painter) const {
    const int upHeight = height() / 2;
    const QRect halves[] = {QRect(0, 0, width(), upHeight),
                            QRect(0, upHeight, width(), height() - upHeight)};
    const QStyle::PrimitiveElement arrows[] = {QStyle::PE_IndicatorArrowUp,
                                               QStyle::PE_IndicatorArrowDown};
    const Half which[] = {Half::Up, Half::Down};
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        button.state |= m_pressed == which[i] ? QStyle::State_Sunken : QStyle::State_Raised;
        painter.fillRect(halves[i], palette().button());
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = halves[i].adjusted(2, 1, -2, -1);
        style()->drawPrimitive(arrows[i], &arrow, &painter, this);
    }
}

void TCSpinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = event->position().y() < height() / 2 ? Half::Up : Half::Down;
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
