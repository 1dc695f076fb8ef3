#pragma once

#include "link/serial/SerialDevices.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace kordana {

/// Com > Assign serial device...: the serial devices present (USB adapters first) with maker,
/// product, serial number and stable path, and the COM number 1..20 that shall open the chosen
/// one. OK hands both to the window, which keeps the assignment in the settings. Opened
/// window-modal without a loop of its own.
class AssignDeviceDialog : public QDialog {
    Q_OBJECT

public:
    /// Builds the dialog as a window of `parent`, which owns it.
    explicit AssignDeviceDialog(QWidget* parent);

    /// Lists `devices` and proposes COM number `comNumber`; the first device is selected.
    void showDevices(std::vector<SerialDevice> devices, int comNumber);

    /// The list of devices (`ListSerialDevices`): device, maker, product, serial number,
    /// stable path.
    QTreeWidget* list() const { return m_list; }
    /// The COM number (`SpinAssignCom`), 1..20.
    QSpinBox* comNumber() const { return m_com; }
    QPushButton* okButton() const { return m_ok; }

    /// What COMn shall open for the selected device: its stable path when it has one, since
    /// /dev/ttyUSBn may change on re-plugging; empty when nothing is selected.
    QString chosenPath() const;

signals:
    /// OK: COM number `comNumber` shall open `devicePath`.
    void assigned(int comNumber, const QString& devicePath);

private:
    void accept() override;

    QTreeWidget* m_list = nullptr;
    QSpinBox* m_com = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace kordana
