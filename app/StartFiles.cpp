#include "app/StartFiles.h"

#include "lang/FileTexts.h"
#include "session/EditSession.h"
#include "settings/AtomicFile.h"
#include "settings/ImageCache.h"
#include "shell/QtText.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kordana {

StartFiles::StartFiles(QString configDir) : m_configDir(std::move(configDir)) {}

QString StartFiles::settingsPath() const {
    return m_configDir + "/Kordana_R_2006.ini";
}

QString StartFiles::imageCachePath() const {
    return m_configDir + "/_Kordana_R_2006.ini";
}

std::optional<std::string> StartFiles::read(const QString& path) {
    RegularFileRead read = readConfigFile(path);
    if (read.status == RegularFileStatus::Read) {
        return std::move(read.text);
    }
    // A missing file is a first start; anything else there is refused and said at start.
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        m_refused.push_back(path);
    }
    return std::nullopt;
}

void StartFiles::loadImageCache(EditSession& session) {
    if (const auto text = read(imageCachePath())) {
        // The cache is read over the defaults: what it does not hold keeps its default.
        ParameterImage image = session.image();
        AllFlags flags = session.allFlags();
        if (readImageCache(*text, image, flags).damaged) {
            keepDamagedCacheAside(*text, session);
        }
        session.restore(image, flags);
    }
}

std::optional<FileWriteFailure> StartFiles::saveImageCache(const EditSession& session) const {
    QString reason;
    if (!writeFileAtomically(imageCachePath(),
                             formatImageCache(session.image(), session.allFlags()), &reason)) {
        return FileWriteFailure{imageCachePath(), reason};
    }
    return std::nullopt;
}

void StartFiles::keepDamagedCacheAside(const std::string& text, const EditSession& session) {
    ParameterImage image = session.image();
    AllFlags flags = session.allFlags();
    recoverImageCache(text, image, flags);
    m_damagedSet = image;
    // Renamed out of the way, so that the cache written at exit does not replace it.
    const QString aside =
        imageCachePath() + ".damaged-" +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    if (QFile::rename(imageCachePath(), aside) || writeFileAtomically(aside, text)) {
        m_damagedKeptAs = aside;
    } else {
        m_damagedKeptAs = imageCachePath();
    }
}

std::optional<ParameterImage> StartFiles::takeDamagedSet() {
    std::optional<ParameterImage> kept;
    kept.swap(m_damagedSet);
    return kept;
}

QString StartFiles::takeNotes(std::uint8_t language) {
    const FileTexts texts = fileTextsFor(language);
    QStringList notes;
    for (const QString& path : m_refused) {
        notes.push_back(toQString(texts.refused) + QDir::toNativeSeparators(path));
    }
    if (!m_damagedKeptAs.isEmpty()) {
        notes.push_back(toQString(texts.cacheDamaged) + QDir::toNativeSeparators(m_damagedKeptAs));
    }
    m_refused.clear();
    m_damagedKeptAs.clear();
    return notes.join(QStringLiteral("  "));
}

} // namespace kordana
