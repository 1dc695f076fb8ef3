#include "link/serial/ComPortName.h"

namespace kordana {

namespace {
constexpr int kMaxComNumber = 255;
}

std::optional<int> parseComName(const QString& name) {
    if (name.size() < 4 || name.size() > 6 ||
        !name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    const QString digits = name.mid(3);
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    const int number = digits.toInt();
    if (digits.startsWith(QLatin1Char('0')) || number < 1 || number > kMaxComNumber) {
        return std::nullopt;
    }
    return number;
}

bool looksLikeComName(const QString& name) {
    return parseComName(name).has_value();
}

QString resolveComPort(int comNumber, const PortsLookup& portsLookup) {
    if (comNumber < 1 || comNumber > kMaxComNumber) {
        return {};
    }
    const QString key = QStringLiteral("COM%1").arg(comNumber);
#ifdef Q_OS_WIN
    // Windows names its serial ports COMn itself: the port opens under its own name.
    (void)portsLookup;
    return key;
#else
    if (portsLookup) {
        const QString configured = portsLookup(key).trimmed();
        if (!configured.isEmpty()) {
            return configured;
        }
    }
    return QStringLiteral("/dev/ttyS%1").arg(comNumber - 1);
#endif
}

QString resolvePortName(const QString& name, const PortsLookup& portsLookup) {
    if (const auto number = parseComName(name)) {
        return resolveComPort(*number, portsLookup);
    }
    return name;
}

} // namespace kordana
