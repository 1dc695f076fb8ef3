#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace kordana {

/// Looks up a key of the settings file's PORTS section; empty when the key is missing.
using PortsLookup = std::function<QString(const QString& key)>;

/// The number n of a port name "COMn" (any letter case, n = 1..255); nothing otherwise.
std::optional<int> parseComName(const QString& name);

/// True when name has the form "COMn" accepted by parseComName.
bool looksLikeComName(const QString& name);

/// The device of port COMn on this system. On Linux: the PORTS section's value for key "COMn"
/// when it is set, otherwise /dev/ttyS{n-1}. On Windows: "COMn" itself, the port's own name.
/// Empty for n outside 1..255. The only place that knows how the system names its ports.
QString resolveComPort(int comNumber, const PortsLookup& portsLookup);

/// A port as the user names it: "COMn" resolves as above, anything else is taken as a path.
QString resolvePortName(const QString& name, const PortsLookup& portsLookup);

} // namespace kordana
