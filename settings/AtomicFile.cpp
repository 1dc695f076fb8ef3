#include "settings/AtomicFile.h"

#include <QFile>
#include <QSaveFile>

namespace kordana {

bool writeFileAtomically(const QString& path, const std::string& contents) {
    QSaveFile file(path);
    // Unbuffered, so that a short write is seen here and not lost inside a later flush.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    const auto size = static_cast<qint64>(contents.size());
    if (file.write(contents.data(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<std::string> readWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return data.toStdString();
}

} // namespace kordana
