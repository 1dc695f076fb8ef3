#include "editors/UpDownEdit.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace kordana {

using Half = TCSpinButton::Half;

UpDownEdit::UpDownEdit(QWidget* parent, int editWidth) : QLineEdit(parent), m_editWidth(editWidth) {
    // The style's frame is replaced by a plain line drawn here: a grid holds many fields.
    setFrame(false);
    setArrowsVisible(true);
    fitFont();
    setText(QString::number(m_position));
}

void UpDownEdit::fitFont() {
    // The widest value any field shows has five digits; QLineEdit keeps 2 pixels each side
    // and one for the cursor. A font too wide for that is made smaller until it fits.
    const int room = m_editWidth - textMargins().left() - 5;
    QFont smaller = font();
    while (QFontMetrics(smaller).horizontalAdvance(QStringLiteral("12500")) > room &&
           smaller.pointSizeF() > 6) {
        smaller.setPointSizeF(smaller.pointSizeF() - 0.5);
    }
    if (smaller != font()) {
        setFont(smaller);
    }
}

QRect UpDownEdit::arrowsRect() const {
    return {m_editWidth, 0, kArrowsWidth, height()};
}

QRect UpDownEdit::arrowRect(bool up) const {
    const QRect all = arrowsRect();
    const int upHeight = all.height() / 2;
    return up ? QRect(all.x(), 0, all.width(), upHeight)
              : QRect(all.x(), upHeight, all.width(), all.height() - upHeight);
}

bool UpDownEdit::isOnArrows(const QPoint& pos) const {
    return m_arrowsVisible && arrowsRect().contains(pos);
}

void UpDownEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    if (m_arrowsVisible) {
        TCSpinButton::paintArrows(painter, this, arrowsRect(), m_pressed);
    }
    // The focused field shows it in its frame, as the style's own frame would.
    painter.setPen(palette().color(hasFocus() ? QPalette::Highlight : QPalette::Mid));
    painter.drawRect(0, 0, m_editWidth - 1, height() - 1);
    if (m_outlined) {
        painter.setPen(QPen(QColor(255, 0, 0), 2));
        painter.drawRect(1, 1, m_editWidth - 2, height() - 2);
    }
}

void UpDownEdit::setOutlined(bool outlined) {
    if (m_outlined != outlined) {
        m_outlined = outlined;
        update();
    }
}

void UpDownEdit::setRange(int minimum, int maximum, int increment) {
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    m_increment = std::max(1, increment);
    m_position = std::clamp(m_position, m_minimum, m_maximum);
}

int UpDownEdit::position() {
    bool ok = false;
    const int typed = text().trimmed().toInt(&ok);
    if (ok && typed >= m_minimum && typed <= m_maximum) {
        m_position = typed;
    }
    return m_position;
}

void UpDownEdit::setPosition(int value) {
    m_position = std::clamp(value, m_minimum, m_maximum);
    showPosition();
}

void UpDownEdit::setArrowsVisible(bool visible) {
    // Without its arrows the field is only as wide as its edit part; the text stays in place.
    m_arrowsVisible = visible;
    stopRepeat();
    // The margins give the text all of the edit part inside the frame line: five digits fit.
    setTextMargins(0, 0, visible ? kArrowsWidth - 1 : -1, 0);
    resize(m_editWidth + (visible ? kArrowsWidth : 0), kHeight);
}

void UpDownEdit::showPosition() {
    // Most refreshes leave a field's value as it was; skipping the rewrite keeps them cheap.
    const QString shown = QString::number(m_position);
    if (text() != shown) {
        setText(shown);
    }
}

void UpDownEdit::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !isOnArrows(pos)) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    m_pressed = TCSpinButton::halfAt(pos.y(), height());
    if (m_repeat == nullptr) {
        m_repeat = new QTimer(this);
        connect(m_repeat, &QTimer::timeout, this, [this] {
            m_repeat->setInterval(TCSpinButton::kRepeatIntervalMs);
            step();
        });
    }
    m_repeat->start(TCSpinButton::kRepeatDelayMs);
    update();
    step();
}

void UpDownEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    // A quick second click on an arrow is one more step, not a word selection.
    if (isOnArrows(event->position().toPoint())) {
        mousePressEvent(event);
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}

void UpDownEdit::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressed == Half::None) {
        QLineEdit::mouseMoveEvent(event);
    }
}

void UpDownEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (m_pressed == Half::None) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    stopRepeat();
    emit arrowsReleased();
}

void UpDownEdit::hideEvent(QHideEvent* event) {
    stopRepeat();
    QLineEdit::hideEvent(event);
}

void UpDownEdit::stopRepeat() {
    if (m_repeat != nullptr) {
        m_repeat->stop();
    }
    if (m_pressed != Half::None) {
        m_pressed = Half::None;
        update();
    }
}

void UpDownEdit::keyPressEvent(QKeyEvent* event) {
    // The cursor keys work the arrows, as on any up-down attached to an edit.
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
        event->modifiers() == Qt::NoModifier && m_arrowsVisible) {
        stepBy(event->key() == Qt::Key_Up ? Half::Up : Half::Down);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void UpDownEdit::step() {
    // A handler may lock the page (arrows hidden, grid disabled); a held arrow stops then.
    if (!m_arrowsVisible || !isEnabled() || m_pressed == Half::None) {
        stopRepeat();
        return;
    }
    stepBy(m_pressed);
}

void UpDownEdit::stepBy(Half half) {
    const int from = position();
    setPosition(half == Half::Up ? from + m_increment : from - m_increment);
    emit upDownClicked();
}

} // namespace kordana
