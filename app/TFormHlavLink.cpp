// The link to the unit: serial port, Read / Verify / Program and the main timer tick.
#include "app/TFormHlav.h"

#include "app/FormLinkEvents.h"

#include "link/LinkEvents.h"
#include "link/LinkProtocol.h"
#include "link/serial/ComPortName.h"
#include "link/serial/SerialPort.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTimer>

namespace kordana {

TFormHlav::~TFormHlav() = default;

void TFormHlav::createLink() {
    m_port = std::make_unique<SerialPort>();
    m_linkEvents = std::make_unique<FormLinkEvents>(*this);
    m_link = std::make_unique<LinkProtocol>(image, *m_port, *m_linkEvents);
}

std::string TFormHlav::linkMessageText(LinkMessage message) const {
    switch (message) {
    case LinkMessage::ProgramDevice:
        return texts.TextProgramDevice;
    case LinkMessage::Verify:
        return texts.TextVerify;
    case LinkMessage::Read:
        return texts.TextRead;
    case LinkMessage::Saving:
        return texts.TextSaving;
    case LinkMessage::ProgramError:
        return texts.TextProgramError;
    case LinkMessage::VerifyError:
        return texts.TextVerifyError;
    case LinkMessage::ReadError:
        return texts.TextReadError;
    case LinkMessage::NoReading:
        return texts.TextNoReading;
    }
    return {};
}

void TFormHlav::setStatusColour(bool red) {
    QPalette palette = LabelHlaseni->palette();
    palette.setColor(QPalette::Window,
                     red ? QColor(Qt::red) : this->palette().color(QPalette::Button));
    LabelHlaseni->setPalette(palette);
}

void TFormHlav::setUnitHeader(const UnitHeaderTexts& header) {
    unitHeader = header;
    const std::string* parts[] = {&header.version, &header.date, &header.time};
    for (int i = 0; i < 3; ++i) {
        if (auto* label = findChild<QLabel*>(QString("LabelVerze%1").arg(i + 1))) {
            label->setText(QString::fromStdString(*parts[i]));
        }
    }
}

QString TFormHlav::comPortDevice() const {
    return resolveComPort(ComPortIndex + 1, [this](const QString& key) {
        return QString::fromStdString(m_settings.readString("PORTS", key.toStdString(), ""));
    });
}

void TFormHlav::OpenComPort() {
    if (!m_port->open(comPortDevice())) {
        messageBox(*this, QString::fromStdString(texts.TextComOpenError), Buttons::Ok);
    }
    const auto items = m_menuCom->actions();
    for (int i = 0; i < items.size(); ++i) {
        items[i]->setChecked(i == ComPortIndex);
    }
}

void TFormHlav::CloseComPort() {
    m_port->close();
}

void TFormHlav::MenuCom1Click() {
    const int index = m_menuCom->actions().indexOf(qobject_cast<QAction*>(sender()));
    if (index < 0) {
        return;
    }
    ComPortIndex = static_cast<std::uint8_t>(index);
    CloseComPort();
    OpenComPort();
}

void TFormHlav::MenuReadClick() {
    m_link->startRead();
    LabelFile2->setText(QString());
}

void TFormHlav::MenuVerifyClick() {
    PageHarvest();
    ConsistencyPass();
    PageRefresh();
    m_link->startVerify();
}

void TFormHlav::MenuProgramClick() {
    PageHarvest();
    ConsistencyPass();
    PageRefresh();
    m_link->startProgram();
}

void TFormHlav::StartProgramming() {
    m_link->startProgram();
}

void TFormHlav::HideStatusLine() {
    m_link->hideStatus();
}

void TFormHlav::Timer1Timer() {
    m_link->tick();
    MarkOperatingPoint();
    if (onTickEnd) {
        onTickEnd();
    }
}

} // namespace kordana
