#pragma once

#include "link/LinkEvents.h"
#include "link/serial/SerialDevices.h"
#include "params/ParameterDiff.h"
#include "params/ParameterImage.h"
#include "session/ChangeSet.h"
#include "shell/Feature.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class QMenu;

namespace kordana {

class AssignDeviceDialog;
class ConnectionField;
class CompareWindow;
class LinkProtocol;
class PortWatch;
class SerialPort;

/// The unit on the serial line: the port and the Com menu (with the device each "Com n"
/// opens), the link and its ticks, Read / Verify / Program / Compare with the compare window,
/// and programming after change. What the link reports goes to the status line, the session
/// and, through the hub, to every feature.
class UnitFeature final : public Feature {
public:
    UnitFeature();
    ~UnitFeature() override;

    void install(Shell& shell) override;
    void loadSettings(const IniFile& settings) override;
    void saveSettings(IniFile& settings) const override;
    void open() override { OpenComPort(); }
    void applyLanguage(std::uint8_t index) override;
    void shutDown() override { CloseComPort(); }

    LinkProtocol& link() { return *m_link; }
    /// The serial line the link talks through.
    SerialPort& serialPort() { return *m_port; }
    std::uint8_t comPortIndex() const { return m_comPortIndex; }
    /// How many programming runs the programming-after-change check has started.
    int programmingAfterChangeStarts() const { return m_programmingAfterChangeStarts; }

    using SerialDeviceLister = std::function<std::vector<SerialDevice>()>;
    /// Where Com > Assign serial device... finds the devices present (default: the system's).
    void setSerialDeviceLister(SerialDeviceLister lister) { m_serialDevices = std::move(lister); }
    /// The dialog of Com > Assign serial device..., made with the window.
    AssignDeviceDialog* assignDeviceDialog() const { return m_assignDevice; }

    void MenuCom1Click(QAction* item);
    void MenuReadClick();
    void MenuVerifyClick();
    void MenuProgramClick();
    /// Reads the unit's set apart from the set being edited and lists what differs.
    void MenuCompareClick();
    /// Com > Assign serial device...: lists the devices present; OK assigns one to a COM number.
    void MenuAssignDeviceClick();
    /// Com > Fast link: requests go out reply after reply (the port's ready-read) instead of
    /// tick by tick.
    void MenuFastLinkClick();
    /// Com > Quick programming: programming after change sends only the changed blocks.
    void MenuQuickProgrammingClick();

    void OpenComPort();
    void CloseComPort();
    /// Closes and opens the chosen port again after it may have come to lead to another unit
    /// (another number or another device): recording stops, the unit's copy of the set and the
    /// cursor trail are forgotten.
    void ReopenComPort();
    /// Starts a programming run when "Programming after change" is set and the image changed
    /// (or the box was set since the previous check).
    void ProgrammingAfterChangeCheck();

private:
    class Events;
    friend class Events;

    void installCommands();
    void buildPortMenu();
    void buildLinkOptions();
    void watchPort(); // says when the port is lost, and when it is back
    void StartProgramming();
    /// Tells the hub whether the link runs a transfer.
    void tellBusy();
    /// The unit on the line may be another one now: what it holds and the trail are forgotten.
    void forgetUnit();
    /// The device port COMn opens (the settings' PORTS mapping, else the default rule).
    QString comDevice(int comNumber) const;
    /// The 20 "Com n" items of the Com menu, in order.
    QList<QAction*> comPortItems() const;
    /// Each "Com n" item's status-bar hint names the device it opens.
    void ShowComPortHints();
    /// COM number `comNumber` opens `devicePath` from now on; kept in the settings' PORTS.
    void assignDevice(int comNumber, const QString& devicePath);
    /// Lists and outlines how the set being edited differs from `unitSet`: the whole unit after
    /// a compare read (`fromCompareRead`, "No differences" when equal), else what a failed
    /// verify received, shown only when it differs.
    void showComparison(const ParameterImage& unitSet, bool fromCompareRead);
    /// After a read whose verify failed: true when the only bytes in which the unit differs
    /// from the set are those the consistency pass repaired in what the unit sent; the window
    /// then explains the repairs instead.
    bool showReadRepairs(const ParameterImage& unitSet);
    void clearComparison();
    /// The outlines and the compare window follow the set after a command changed it.
    void followComparison(ChangeCause cause);
    /// "Take the unit's values": the chosen parameters as the compared unit holds them, one
    /// command.
    void takeUnitValues(const std::vector<ParameterDifference>& chosen);
    /// The connection field after the link's state changed to `state`.
    void showConnection(std::optional<int> state = std::nullopt);

    Shell* m_shell = nullptr;
    std::uint8_t m_comPortIndex = 1; // COM1 is index 0
    int m_programmingAfterChangeStarts = 0;
    std::unique_ptr<SerialPort> m_port;
    std::unique_ptr<LinkEvents> m_events;
    std::unique_ptr<LinkProtocol> m_link;
    std::unique_ptr<PortWatch> m_portWatch;
    QMenu* m_menuCom = nullptr;
    QAction* m_fastLink = nullptr;
    QAction* m_quickProgramming = nullptr;
    QCheckBox* m_progHned = nullptr;
    CompareWindow* m_compareWindow = nullptr;
    AssignDeviceDialog* m_assignDevice = nullptr;
    SerialDeviceLister m_serialDevices = listSerialDevices;
    std::unique_ptr<ConnectionField> m_connection;
    std::optional<ParameterImage> m_readHeld;     // what the last read got, before the pass
    std::optional<ParameterImage> m_comparedUnit; // the unit side the compare window shows
};

} // namespace kordana
