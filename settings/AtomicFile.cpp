#include "settings/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <atomic>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace kordana {

namespace fileWriteFault {

namespace {
std::atomic<int> g_stepsToFailure{0};
} // namespace

void failStep(int n) {
    g_stepsToFailure = n > 0 ? n : 0;
}

bool stepFails() {
    int left = g_stepsToFailure.load();
    while (left > 0 && !g_stepsToFailure.compare_exchange_weak(left, left - 1)) {
    }
    return left == 1;
}

QString reason() {
    return QString::fromLocal8Bit(std::strerror(ENOSPC));
}

} // namespace fileWriteFault

namespace {

bool fail(QString* reason, const QString& why) {
    if (reason != nullptr) {
        *reason = why.isEmpty() ? fileWriteFailedReason() : why;
    }
    return false;
}

} // namespace

QString fileWriteFailedReason() {
    return QStringLiteral("the file could not be written");
}

bool writeFileAtomically(const QString& path, const std::string& contents, QString* reason) {
    const QFileInfo target(path);
    if (target.isDir()) {
        return fail(reason, QString::fromLocal8Bit(std::strerror(EISDIR)));
    }
    // A pipe or a device in the file's place would be written to directly, and a pipe waits
    // for a reader: only a regular file (or none) is replaced.
    if (target.exists() && !target.isFile()) {
        return fail(reason, QStringLiteral("not a regular file"));
    }
    QSaveFile file(path);
    // Unbuffered, so that every write reaches the system here and a short write is seen at
    // once, not lost inside the flush of the commit.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return fail(reason, file.errorString());
    }
    const auto size = static_cast<qint64>(contents.size());
    if (fileWriteFault::stepFails()) {
        file.cancelWriting();
        return fail(reason, fileWriteFault::reason());
    }
    if (file.write(contents.data(), size) != size) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(reason, why);
    }
    // A file system that allocates late reports a full disk only when the data goes to disk.
    if (fileWriteFault::stepFails()) {
        file.cancelWriting();
        return fail(reason, fileWriteFault::reason());
    }
    if (::fsync(file.handle()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        file.cancelWriting();
        return fail(reason, why);
    }
    // The commit closes the temporary file (a close that fails counts as a failed write) and
    // renames it only then; a failed commit removes it.
    if (!file.commit()) {
        return fail(reason, file.errorString());
    }
    return true;
}

RegularFileRead readConfigFile(const QString& path) {
    return readRegularFile(std::filesystem::path(QFile::encodeName(path).toStdString()),
                           kMaxConfigFileBytes);
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
