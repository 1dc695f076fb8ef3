// Which device each "Com n" opens: the hints of the Com menu and Com > Assign serial device.
#include "app/TFormHlav.h"

#include "app/AssignDeviceDialog.h"
#include "link/serial/ComPortName.h"

#include <QAction>
#include <QMenu>

namespace kordana {

namespace {
constexpr int kComPortCount = 20;
const char* const kSectionPorts = "PORTS";
} // namespace

QString TFormHlav::comDevice(int comNumber) const {
    return resolveComPort(comNumber, [this](const QString& key) {
        return QString::fromStdString(m_settings.readString(kSectionPorts, key.toStdString(), ""));
    });
}

QList<QAction*> TFormHlav::comPortItems() const {
    // The Com menu holds the ports first, then the device assignment after a separator.
    return m_menuCom->actions().mid(0, kComPortCount);
}

void TFormHlav::ShowComPortHints() {
    const QString opens = QString::fromStdString(m_texts.TextComOpens);
    const auto items = comPortItems();
    for (int i = 0; i < items.size(); ++i) {
        items[i]->setStatusTip(opens + comDevice(i + 1));
    }
}

void TFormHlav::MenuAssignDeviceClick() {
    m_assignDevice->showDevices(m_serialDevices ? m_serialDevices() : std::vector<SerialDevice>{},
                                m_comPortIndex + 1);
    m_assignDevice->open();
}

void TFormHlav::assignDevice(int comNumber, const QString& devicePath) {
    const std::string key = QStringLiteral("COM%1").arg(comNumber).toStdString();
    if (!m_settings.write(kSectionPorts, key, devicePath.toStdString())) {
        return;
    }
    ShowComPortHints();
    // The port in use now leads elsewhere: it is opened again on the new device, as a pick
    // from the Com menu would.
    if (comNumber == m_comPortIndex + 1) {
        ReopenComPort();
    }
}

} // namespace kordana
