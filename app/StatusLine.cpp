#include "app/StatusLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace kordana {

StatusLine::StatusLine(QWidget* parent) : QWidget(parent) {
    setObjectName("StatusLine");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    m_message = new QLabel(this);
    m_message->setObjectName("LabelHlaseni");
    m_message->setAutoFillBackground(true);
    m_message->setMinimumWidth(240);
    m_message->setFrameShape(QFrame::Panel);
    m_message->setFrameShadow(QFrame::Sunken);
    row->addWidget(m_message);

    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName("CGauge");
    m_gauge->setRange(0, 19);
    m_gauge->setValue(0);
    m_gauge->setTextVisible(false);
    m_gauge->setFixedWidth(160);
    row->addWidget(m_gauge);

    // Shown from creation until the first tick has looked at the link.
    m_noConnection = new QLabel("No connection with PC", this);
    m_noConnection->setObjectName("LabelSpojeni");
    m_noConnection->setStyleSheet("QLabel { background: red; color: white; padding: 2px 6px; }");
    row->addWidget(m_noConnection);
}

void StatusLine::showStatus(const QString& text, bool red) {
    m_message->setText(text);
    QPalette palette = m_message->palette();
    palette.setColor(QPalette::Window,
                     red ? QColor(Qt::red) : this->palette().color(QPalette::Button));
    m_message->setPalette(palette);
}

void StatusLine::showStamp(const QString& text) {
    m_message->setText(text);
    QPalette palette = m_message->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_message->setPalette(palette);
}

void StatusLine::setStatusVisible(bool visible) {
    m_message->setVisible(visible);
}

void StatusLine::setProgress(int progress) {
    m_gauge->setValue(std::clamp(progress, 0, 19));
}

void StatusLine::setGaugeVisible(bool visible) {
    m_gauge->setVisible(visible);
}

void StatusLine::setNoConnection(bool shown) {
    m_noConnection->setVisible(shown);
}

bool StatusLine::noConnectionShown() const {
    return !m_noConnection->isHidden();
}

} // namespace kordana
