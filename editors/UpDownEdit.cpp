#include "editors/UpDownEdit.h"

#include "editors/TCSpinButton.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>

namespace kordana {

UpDownEdit::UpDownEdit(QWidget* parent, int editWidth) : QWidget(parent) {
    // The edit draws no frame of its own: a grid holds many fields, and a plain line drawn
    // here costs a fraction of the style's frame.
    m_edit = new QLineEdit(this);
    m_edit->setFrame(false);
    m_edit->setGeometry(1, 1, editWidth - 2, kHeight - 2);
    m_edit->setTextMargins(1, 0, 0, 0);
    m_edit->setText(QString::number(m_position));
    m_arrows = new TCSpinButton(this);
    m_arrows->setGeometry(editWidth, 0, kArrowsWidth, kHeight);
    setFocusProxy(m_edit);
    m_edit->installEventFilter(this);
    m_editWidth = editWidth;
    resize(editWidth + kArrowsWidth, kHeight);
    connect(m_arrows, &TCSpinButton::upClick, this, [this] { step(+1); });
    connect(m_arrows, &TCSpinButton::downClick, this, [this] { step(-1); });
}

void UpDownEdit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The focused field shows it in its frame, as the style's own frame would.
    painter.setPen(palette().color(m_edit->hasFocus() ? QPalette::Highlight : QPalette::Mid));
    painter.drawRect(0, 0, m_editWidth - 1, kHeight - 1);
}

bool UpDownEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        update();
    }
    return false;
}

void UpDownEdit::setRange(int minimum, int maximum, int increment) {
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    m_increment = std::max(1, increment);
    m_position = std::clamp(m_position, m_minimum, m_maximum);
}

int UpDownEdit::position() {
    bool ok = false;
    const int typed = m_edit->text().trimmed().toInt(&ok);
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
    m_arrows->setVisible(visible);
}

void UpDownEdit::showPosition() {
    // Most refreshes leave a field's value as it was; skipping the rewrite keeps them cheap.
    const QString text = QString::number(m_position);
    if (m_edit->text() != text) {
        m_edit->setText(text);
    }
}

void UpDownEdit::step(int direction) {
    const int from = position();
    setPosition(direction > 0 ? from + m_increment : from - m_increment);
    emit upDownClicked();
}

} // namespace kordana
