#include "editors/UpDownEdit.h"

#include "editors/TCSpinButton.h"

#include <QLineEdit>

#include <algorithm>

namespace kordana {

UpDownEdit::UpDownEdit(QWidget* parent, int editWidth) : QWidget(parent) {
    m_edit = new QLineEdit(this);
    m_edit->setGeometry(0, 0, editWidth, kHeight);
    m_edit->setTextMargins(0, 0, 0, 0);
    m_edit->setText(QString::number(m_position));
    m_arrows = new TCSpinButton(this);
    m_arrows->setGeometry(editWidth, 0, kArrowsWidth, kHeight);
    setFocusProxy(m_edit);
    resize(editWidth + kArrowsWidth, kHeight);
    connect(m_arrows, &TCSpinButton::upClick, this, [this] { step(+1); });
    connect(m_arrows, &TCSpinButton::downClick, this, [this] { step(-1); });
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
