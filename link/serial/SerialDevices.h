#pragma once

#include <QString>

#include <vector>

namespace kordana {

/// One serial device present on this system, as the device assignment lists it.
struct SerialDevice {
    QString location;     // the device path, such as /dev/ttyUSB0
    QString manufacturer; // empty when the device does not say
    QString product;
    QString serialNumber;
    bool usb = false;   // a USB adapter (it reports a vendor identifier)
    QString stablePath; // the /dev/serial/by-id/ link that resolves to `location`, or empty
};

/// Where the system keeps links named after each USB serial adapter's maker, product and serial
/// number; they survive re-plugging, when /dev/ttyUSBn may change.
inline constexpr const char* kSerialByIdFolder = "/dev/serial/by-id";

/// The serial devices present, with their stable paths from kSerialByIdFolder, in the order
/// of orderSerialDevices().
std::vector<SerialDevice> listSerialDevices();

/// Gives each device the link of `byIdFolder` that resolves to its location (symbolic links
/// followed to the end); a device without one keeps an empty stable path.
void attachStablePaths(std::vector<SerialDevice>& devices, const QString& byIdFolder);

/// USB adapters first (the unit's cable is one), each group by location.
void orderSerialDevices(std::vector<SerialDevice>& devices);

} // namespace kordana
