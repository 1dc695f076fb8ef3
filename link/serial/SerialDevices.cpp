#include "link/serial/SerialDevices.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace kordana {

std::vector<SerialDevice> listSerialDevices() {
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        devices.push_back({info.systemLocation(),
                           info.manufacturer(),
                           info.description(),
                           info.serialNumber(),
                           info.hasVendorIdentifier(),
                           {}});
    }
    attachStablePaths(devices, QString::fromLatin1(kSerialByIdFolder));
    orderSerialDevices(devices);
    return devices;
}

void attachStablePaths(std::vector<SerialDevice>& devices, const QString& byIdFolder) {
    const QDir folder(byIdFolder);
    const QFileInfoList links = folder.entryInfoList(QDir::System | QDir::Files, QDir::Name);
    for (SerialDevice& device : devices) {
        const QString target = QFileInfo(device.location).canonicalFilePath();
        if (target.isEmpty()) {
            continue;
        }
        for (const QFileInfo& link : links) {
            if (link.isSymLink() && link.canonicalFilePath() == target) {
                device.stablePath = link.absoluteFilePath();
                break;
            }
        }
    }
}

void orderSerialDevices(std::vector<SerialDevice>& devices) {
    std::stable_sort(devices.begin(), devices.end(),
                     [](const SerialDevice& a, const SerialDevice& b) {
                         if (a.usb != b.usb) {
                             return a.usb;
                         }
                         return a.location < b.location;
                     });
}

} // namespace kordana
