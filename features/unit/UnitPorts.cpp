// The serial port: which device each "Com n" opens, the Com menu, Com > Assign serial device,
// and the watch that says when the port is lost and when it is back.
#include "features/unit/UnitFeature.h"

#include "editors/MapGrid.h"
#include "features/unit/AssignDeviceDialog.h"
#include "features/unit/CompareWindow.h"
#include "features/unit/ConnectionField.h"
#include "link/LinkProtocol.h"
#include "link/serial/ComPortName.h"
#include "link/serial/PortWatch.h"
#include "link/serial/SerialPort.h"
#include "settings/IniFile.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"
#include "shell/StatusLine.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <utility>

namespace kordana {

namespace {
constexpr int kComPortCount = 20;
const char* const kSectionForm = "FORM_HLAV";
const char* const kSectionPorts = "PORTS";
// Options this program adds, in a section of its own.
const char* const kSectionKordana = "KORDANA";
const char* const kFastLinkKey = "FastLink";
const char* const kQuickProgrammingKey = "QuickProgramming";
} // namespace

void UnitFeature::buildPortMenu() {
    m_menuCom = m_shell->mainWindow().findChild<QMenu*>("MenuCom");
    auto* group = new QActionGroup(m_menuCom);
    for (int i = 1; i <= kComPortCount; ++i) {
        QAction* item = m_menuCom->addAction(QString("Com %1").arg(i));
        item->setObjectName(QString("MenuCom%1").arg(i));
        item->setCheckable(true);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, item, [this, item] { MenuCom1Click(item); });
    }
    // Outside the group: assigning a device is a command, not a port to check.
    m_menuCom->addSeparator()->setObjectName("NComAssign");
    QAction* assign = m_menuCom->addAction("Assign serial device...");
    assign->setObjectName("MenuAssignDevice");
    QObject::connect(assign, &QAction::triggered, assign, [this] { MenuAssignDeviceClick(); });
    buildLinkOptions();
}

void UnitFeature::buildLinkOptions() {
    m_menuCom->addSeparator()->setObjectName("NComLink");
    m_fastLink = m_menuCom->addAction("Fast link");
    m_fastLink->setObjectName("MenuFastLink");
    m_fastLink->setCheckable(true);
    QObject::connect(m_fastLink, &QAction::triggered, m_fastLink, [this] { MenuFastLinkClick(); });
    m_quickProgramming = m_menuCom->addAction("Quick programming");
    m_quickProgramming->setObjectName("MenuQuickProgramming");
    m_quickProgramming->setCheckable(true);
    QObject::connect(m_quickProgramming, &QAction::triggered, m_quickProgramming,
                     [this] { MenuQuickProgrammingClick(); });
}

void UnitFeature::MenuFastLinkClick() {
    m_link->setFastLink(m_fastLink->isChecked());
}

void UnitFeature::MenuQuickProgrammingClick() {
    m_link->setQuickProgramming(m_quickProgramming->isChecked());
}

void UnitFeature::loadSettings(const IniFile& settings) {
    const int com = settings.readInteger(kSectionForm, "ComPort", m_comPortIndex) - 1;
    m_comPortIndex = static_cast<std::uint8_t>(com >= 0 && com < kComPortCount ? com : 0);
    m_fastLink->setChecked(settings.readInteger(kSectionKordana, kFastLinkKey, 0) != 0);
    m_quickProgramming->setChecked(settings.readInteger(kSectionKordana, kQuickProgrammingKey, 0) !=
                                   0);
    MenuFastLinkClick();
    MenuQuickProgrammingClick();
}

void UnitFeature::saveSettings(IniFile& settings) const {
    settings.writeInteger(kSectionForm, "ComPort", m_comPortIndex + 1);
    // The link options go into the file once set, so a file that never had them keeps its
    // bytes.
    for (const auto& [item, key] : {std::pair{m_fastLink, kFastLinkKey},
                                    std::pair{m_quickProgramming, kQuickProgrammingKey}}) {
        if (item->isChecked() || settings.value(kSectionKordana, key)) {
            settings.writeInteger(kSectionKordana, key, item->isChecked() ? 1 : 0);
        }
    }
}

void UnitFeature::applyLanguage(std::uint8_t index) {
    m_compareWindow->setLanguage(index);
    ShowComPortHints();
    showConnection();
}

QString UnitFeature::comDevice(int comNumber) const {
    const IniFile& settings = m_shell->settings();
    return resolveComPort(comNumber, [&settings](const QString& key) {
        return QString::fromStdString(settings.readString(kSectionPorts, key.toStdString(), ""));
    });
}

QList<QAction*> UnitFeature::comPortItems() const {
    // The Com menu holds the ports first, then the device assignment after a separator.
    return m_menuCom->actions().mid(0, kComPortCount);
}

void UnitFeature::ShowComPortHints() {
    const QString opens = QString::fromStdString(m_shell->texts().TextComOpens);
    const auto items = comPortItems();
    for (int i = 0; i < items.size(); ++i) {
        items[i]->setStatusTip(opens + comDevice(i + 1));
    }
}

void UnitFeature::MenuAssignDeviceClick() {
    m_assignDevice->showDevices(m_serialDevices ? m_serialDevices() : std::vector<SerialDevice>{},
                                m_comPortIndex + 1);
    m_assignDevice->open();
}

void UnitFeature::assignDevice(int comNumber, const QString& devicePath) {
    const std::string key = QStringLiteral("COM%1").arg(comNumber).toStdString();
    if (!m_shell->settings().write(kSectionPorts, key, devicePath.toStdString())) {
        return;
    }
    ShowComPortHints();
    // The port in use now leads elsewhere: it is opened again on the new device, as a pick
    // from the Com menu would.
    if (comNumber == m_comPortIndex + 1) {
        ReopenComPort();
    }
}

void UnitFeature::OpenComPort() {
    const QString device = comDevice(m_comPortIndex + 1);
    ConnectionFacts& facts = m_connection->facts();
    facts.comNumber = m_comPortIndex + 1;
    facts.device = device;
    const bool opened = m_port->open(device);
    showConnection(static_cast<int>(opened ? LinkState::NoAnswer : LinkState::NotOpen));
    if (!opened) {
        // The specified text, with the device and the reason under it and in the status bar.
        const MessageTexts& texts = m_shell->texts();
        DesktopServices::Message message;
        message.text = QString::fromStdString(texts.TextComOpenError);
        message.details =
            portOpenFailureText(device, static_cast<int>(m_port->openFailure()), texts);
        m_shell->showStatusBarText(message.text + " " + message.details);
        // At start-up the window comes first, the box over it then.
        m_shell->whenWindowShown([shell = m_shell, message] {
            shell->desktop().messageBoxWithDetails(&shell->mainWindow(), message);
        });
    }
    m_link->portOpened();
    const auto items = comPortItems();
    for (int i = 0; i < items.size(); ++i) {
        items[i]->setChecked(i == m_comPortIndex);
    }
}

void UnitFeature::CloseComPort() {
    m_port->close();
    showConnection(static_cast<int>(LinkState::Closed));
}

void UnitFeature::MenuCom1Click(QAction* item) {
    const int index = static_cast<int>(comPortItems().indexOf(item));
    if (index < 0) {
        return;
    }
    m_comPortIndex = static_cast<std::uint8_t>(index);
    ReopenComPort();
}

void UnitFeature::ReopenComPort() {
    // A log holds one unit's frames, the set's standing and the trail one unit's: the port
    // may now lead to another unit.
    emit m_shell->hub().unitReplaced();
    CloseComPort();
    OpenComPort();
    forgetUnit();
}

void UnitFeature::watchPort() {
    const PortWatchEvent event = m_portWatch->tick();
    if (event == PortWatchEvent::None) {
        return;
    }
    const bool lost = event == PortWatchEvent::Lost;
    const MessageTexts& texts = m_shell->texts();
    m_shell->statusLine().showStatus(
        QString::fromStdString(lost ? texts.TextPortLost : texts.TextPortReconnected), lost);
    m_shell->statusLine().setStatusVisible(true);
    if (!lost) {
        // The device may now lead to another unit: its set and its trail are not known.
        m_link->portOpened();
        forgetUnit();
    }
}

} // namespace kordana
