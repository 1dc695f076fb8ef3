#include "storage/MonitorLogFile.h"

#include <QDir>
#include <QStandardPaths>

namespace kordana {

QString MonitorLogFile::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/logs");
}

bool MonitorLogFile::open(const QString& folder, const QDateTime& start,
                          const std::string& header) {
    close();
    if (!QDir().mkpath(folder)) {
        return false;
    }
    const QString stem = folder + '/' + start.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    for (int n = 1; n < 1000; ++n) {
        m_file.setFileName(n == 1 ? stem + ".csv" : stem + QString("-%1.csv").arg(n));
        // NewOnly: two windows starting in the same second never share a file.
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            if (append(header)) {
                return true;
            }
            close();
            return false;
        }
        if (!m_file.exists()) {
            return false;
        }
    }
    return false;
}

bool MonitorLogFile::append(const std::string& line) {
    const std::string text = line + '\n';
    const auto size = static_cast<qint64>(text.size());
    return m_file.isOpen() && m_file.write(text.data(), size) == size;
}

void MonitorLogFile::close() {
    if (m_file.isOpen()) {
        m_file.close();
    }
}

} // namespace kordana
