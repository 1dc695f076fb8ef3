#include "tools/cli/CliPort.h"

#include "link/serial/ComPortName.h"
#include "settings/IniFile.h"

#include <QFile>
#include <QStandardPaths>

#include <optional>

namespace kordana {

QString settingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/Kordana_R_2006.ini");
}

// The settings file is read only when a COM name needs it; a missing or unreadable file reads
// as one without a PORTS section.
QString resolveDevice(const QString& name) {
    std::optional<IniFile> settings;
    const PortsLookup lookup = [&settings](const QString& key) {
        if (!settings) {
            QFile file(settingsFilePath());
            settings = file.open(QIODevice::ReadOnly) ? IniFile::parse(file.readAll().toStdString())
                                                      : IniFile{};
        }
        return QString::fromStdString(settings->readString("PORTS", key.toStdString(), ""));
    };
    return resolvePortName(name, lookup);
}

} // namespace kordana
