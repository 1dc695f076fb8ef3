#include "storage/MonitorLogFile.h"

#include "settings/AtomicFile.h"

#include <QStandardPaths>

#include <filesystem>
#include <system_error>

namespace kordana {

QString MonitorLogFile::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/logs");
}

bool MonitorLogFile::open(const QString& folder, const QDateTime& start,
                          const std::string& header) {
    close();
    // The folder and its parents, with the system's reason when one cannot be made.
    std::error_code made;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), made);
    if (made) {
        m_error = QString::fromStdString(made.message());
        return false;
    }
    const QString stem = folder + '/' + start.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    for (int n = 1; n < 1000; ++n) {
        m_file.setFileName(n == 1 ? stem + ".csv" : stem + QString("-%1.csv").arg(n));
        // NewOnly: two windows starting in the same second never share a file.
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            return append(header);
        }
        if (!m_file.exists()) {
            m_error = m_file.errorString();
            return false;
        }
    }
    m_error = m_file.errorString();
    return false;
}

bool MonitorLogFile::openAt(const QString& path, const std::string& header) {
    close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        m_error = m_file.errorString();
        return false;
    }
    return append(header);
}

bool MonitorLogFile::append(const std::string& line) {
    if (!m_file.isOpen()) {
        return false;
    }
    const std::string text = line + '\n';
    const auto size = static_cast<qint64>(text.size());
    if (fileWriteFault::stepFails()) {
        m_error = fileWriteFault::reason();
    } else if (m_file.write(text.data(), size) != size) {
        m_error = m_file.errorString();
    } else {
        return true;
    }
    close();
    return false;
}

void MonitorLogFile::close() {
    if (m_file.isOpen()) {
        m_file.close();
    }
}

} // namespace kordana
