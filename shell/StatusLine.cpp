#include "shell/StatusLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QStyle>

#include <algorithm>

namespace kordana {

namespace {

// The status message. It shares its row with the tool bar, the check box beside it, the gauge
// and the no-connection label, whose captions must show whole in every language; so the message
// is the one that gives up room. With room it is as wide as its text (at least kRoomyWidth);
// without, it narrows down to kNarrowestWidth and cuts its text short with an ellipsis. text()
// and the tool tip keep the whole message.
class StatusMessage : public QLabel {
public:
    using QLabel::QLabel;

    QSize sizeHint() const override {
        QSize hint = QLabel::sizeHint();
        hint.setWidth(std::max(hint.width(), kRoomyWidth));
        return hint;
    }

    QSize minimumSizeHint() const override {
        return {kNarrowestWidth, QLabel::minimumSizeHint().height()};
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        drawFrame(&painter);
        const QRect room = contentsRect().marginsRemoved(QMargins(margin(), 0, margin(), 0));
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
        style()->drawItemText(&painter, room,
                              QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                              isEnabled(), shown, foregroundRole());
    }

private:
    static constexpr int kRoomyWidth = 240;
    static constexpr int kNarrowestWidth = 60;
};

// The progress gauge: 160 wide with room, narrower (down to 60) rather than widen the row.
class StatusGauge : public QProgressBar {
public:
    using QProgressBar::QProgressBar;

    QSize sizeHint() const override { return {kRoomyWidth, QProgressBar::sizeHint().height()}; }

    QSize minimumSizeHint() const override {
        return {kNarrowestWidth, QProgressBar::minimumSizeHint().height()};
    }

private:
    static constexpr int kRoomyWidth = 160;
    static constexpr int kNarrowestWidth = 60;
};

} // namespace

StatusLine::StatusLine(QWidget* parent) : QWidget(parent) {
    setObjectName("StatusLine");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    m_message = new StatusMessage(this);
    m_message->setObjectName("LabelHlaseni");
    m_message->setAutoFillBackground(true);
    m_message->setFrameShape(QFrame::Panel);
    m_message->setFrameShadow(QFrame::Sunken);
    row->addWidget(m_message);

    m_gauge = new StatusGauge(this);
    m_gauge->setObjectName("CGauge");
    m_gauge->setRange(0, 19);
    m_gauge->setValue(0);
    m_gauge->setTextVisible(false);
    m_gauge->setMaximumWidth(160);
    row->addWidget(m_gauge);

    // Shown from creation until the first tick has looked at the link.
    m_noConnection = new QLabel("No connection with PC", this);
    m_noConnection->setObjectName("LabelSpojeni");
    m_noConnection->setStyleSheet("QLabel { background: red; color: white; padding: 2px 6px; }");
    row->addWidget(m_noConnection);
}

void StatusLine::showStatus(const QString& text, bool red) {
    m_message->setText(text);
    m_message->setToolTip(text);
    QPalette palette = m_message->palette();
    palette.setColor(QPalette::Window,
                     red ? QColor(Qt::red) : this->palette().color(QPalette::Button));
    m_message->setPalette(palette);
}

void StatusLine::showStamp(const QString& text) {
    m_message->setText(text);
    m_message->setToolTip(text);
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
