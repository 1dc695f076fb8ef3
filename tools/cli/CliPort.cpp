#include "tools/cli/CliPort.h"

#include "link/serial/ComPortName.h"
#include "settings/AtomicFile.h"
#include "settings/IniFile.h"

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
            // Bounded and regular files only: a pipe in its place must not hang the command.
            RegularFileRead file = readConfigFile(settingsFilePath());
            settings =
                file.status == RegularFileStatus::Read ? IniFile::parse(file.text) : IniFile{};
        }
        return QString::fromStdString(settings->readString("PORTS", key.toStdString(), ""));
    };
    return resolvePortName(name, lookup);
}

} // namespace kordana
