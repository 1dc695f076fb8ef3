#include "features/unit/ConnectionField.h"

#include "link/serial/SerialPort.h"
#include "shell/QtText.h"

#include <QLabel>

namespace kordana {

namespace {

QString stateText(LinkState state, const MessageTexts& texts) {
    switch (state) {
    case LinkState::NotOpen:
        return toQString(texts.TextLinkNotOpen);
    case LinkState::Closed:
        return toQString(texts.TextLinkClosed);
    case LinkState::NoAnswer:
        return toQString(texts.TextLinkNoAnswer);
    case LinkState::Connected:
        return toQString(texts.TextLinkConnected);
    }
    return {};
}

} // namespace

QString connectionText(const ConnectionFacts& facts, const MessageTexts& texts) {
    QStringList parts{QString("COM%1 %2").arg(facts.comNumber).arg(facts.device),
                      stateText(facts.state, texts)};
    if (facts.state == LinkState::Connected) {
        if (facts.header) {
            parts << (toQString(facts.header->version).trimmed() + "  " +
                      toQString(facts.header->date).trimmed())
                         .trimmed();
        }
        if (facts.programmings) {
            parts << toQString(texts.TextProgrammings) + QString::number(*facts.programmings);
        }
    }
    parts.removeAll(QString());
    return parts.join("  |  ");
}

QString portOpenFailureText(const QString& device, int failure, const MessageTexts& texts) {
    using Failure = SerialPort::OpenFailure;
    QString reason;
    switch (static_cast<Failure>(failure)) {
    case Failure::NotPresent:
        reason = toQString(texts.TextPortNotPresent);
        break;
    case Failure::PermissionDenied:
        reason = toQString(texts.TextPortPermission);
        break;
    case Failure::Busy:
        reason = toQString(texts.TextPortBusy);
        break;
    case Failure::None:
    case Failure::Other:
        break;
    }
    return reason.isEmpty() ? device : device + ": " + reason;
}

ConnectionField::ConnectionField(QWidget* parent) : m_label(new QLabel(parent)) {
    m_label->setObjectName("LabelConnection");
}

void ConnectionField::show(const MessageTexts& texts) {
    const QString text = connectionText(m_facts, texts);
    if (m_label->text() != text) {
        m_label->setText(text);
    }
}

} // namespace kordana
