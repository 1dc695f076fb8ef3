#pragma once

#include <QString>

namespace kordana {

/// The window's settings file (Kordana_R_2006.ini in the user's configuration folder, which
/// honours XDG_CONFIG_HOME). Needs the application name "kordana" set first.
QString settingsFilePath();

/// The device of a port as the user names it: "COMn" resolves through the settings file's PORTS
/// section as in the window, else to /dev/ttyS{n-1}; anything else is a device path.
QString resolveDevice(const QString& name);

} // namespace kordana
