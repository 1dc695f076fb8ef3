// The window's own files: the settings file and the stored set are read bounded at start (a
// refused or damaged file is said once in the status line, a damaged stored set is kept aside
// and among the earlier sets).
#include "app/TFormHlav.h"

#include "lang/FileTexts.h"
#include "settings/AtomicFile.h"
#include "settings/ImageCache.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kordana {

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

std::optional<std::string> TFormHlav::readStartFile(const QString& path) {
    RegularFileRead read = readConfigFile(path);
    if (read.status == RegularFileStatus::Read) {
        return std::move(read.text);
    }
    // A missing file is a first start; anything else there is refused and said at start.
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        m_refusedStartFiles.push_back(path);
    }
    return std::nullopt;
}

void TFormHlav::keepDamagedCacheAside(const std::string& text) {
    ParameterImage image = m_session.image();
    AllFlags flags = m_session.allFlags();
    recoverImageCache(text, image, flags);
    m_damagedCacheSet = image;
    // Renamed out of the way, so that the cache written at exit does not replace it.
    const QString aside =
        imageCachePath() + ".damaged-" +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    if (QFile::rename(imageCachePath(), aside) || writeFileAtomically(aside, text)) {
        m_damagedCacheKeptAs = aside;
    } else {
        m_damagedCacheKeptAs = imageCachePath();
    }
}

void TFormHlav::keepDamagedCacheInHistory() {
    // The history keeps it once it has a folder.
    if (m_damagedCacheSet) {
        const ParameterImage kept = *m_damagedCacheSet;
        m_damagedCacheSet.reset();
        emit m_hub.aboutToReplaceSet(SetHistoryCause::Damaged, kept);
    }
}

void TFormHlav::showStartNotes() {
    const FileTexts texts = fileTextsFor(m_languageIndex);
    QStringList notes;
    for (const QString& path : m_refusedStartFiles) {
        notes.push_back(qs(texts.refused) + QDir::toNativeSeparators(path));
    }
    if (!m_damagedCacheKeptAs.isEmpty()) {
        notes.push_back(qs(texts.cacheDamaged) + QDir::toNativeSeparators(m_damagedCacheKeptAs));
    }
    m_refusedStartFiles.clear();
    m_damagedCacheKeptAs.clear();
    if (notes.isEmpty()) {
        return;
    }
    showStatus(notes.join(QStringLiteral("  ")), true);
}

} // namespace kordana
