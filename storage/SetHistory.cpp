#include "storage/SetHistory.h"

#include "params/IgnWriter.h"
#include "settings/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>
#include <utility>

namespace kordana {

namespace {

constexpr std::array<std::pair<SetHistoryCause, const char*>, 5> kCauseNames{{
    {SetHistoryCause::New, "new"},
    {SetHistoryCause::Open, "open"},
    {SetHistoryCause::Read, "read"},
    {SetHistoryCause::Restore, "restore"},
    {SetHistoryCause::Damaged, "damaged"},
}};

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd_HH-mm-ss");

// "2026-12-08_14-03-11_before-read.ign"; a second entry of the same second carries "-2" after
// the time, so that names stay unique and order by time, then by sequence.
const QRegularExpression& entryName() {
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2})(?:-(\\d{1,4}))?"
                       "_before-([a-z]+)\\.ign$"));
    return pattern;
}

QString sourcePathOf(const QString& entryPath) {
    return entryPath.left(entryPath.size() - 4) + QStringLiteral(".source");
}

// A path is short; whatever else sits in a sidecar is not read beyond this.
constexpr qint64 kMaxSourceBytes = 4096;

QString readSource(const QString& sourcePath) {
    QFile file(sourcePath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.read(kMaxSourceBytes));
}

} // namespace

QString setHistoryCauseName(SetHistoryCause cause) {
    for (const auto& [known, name] : kCauseNames) {
        if (known == cause) {
            return QString::fromLatin1(name);
        }
    }
    return {};
}

std::optional<SetHistoryCause> setHistoryCauseFromName(const QString& name) {
    for (const auto& [cause, known] : kCauseNames) {
        if (name == QLatin1String(known)) {
            return cause;
        }
    }
    return std::nullopt;
}

QString SetHistory::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/history");
}

std::vector<SetHistoryEntry> SetHistory::entries() const {
    return scan(true);
}

std::vector<SetHistoryEntry> SetHistory::scan(bool withSources) const {
    std::vector<SetHistoryEntry> found;
    const QDir dir(m_folder);
    const QStringList names = dir.entryList({QStringLiteral("*.ign")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = entryName().match(name);
        if (!match.hasMatch()) {
            continue;
        }
        SetHistoryEntry entry;
        entry.path = dir.filePath(name);
        entry.time = QDateTime::fromString(match.captured(1), kTimeFormat);
        entry.sequence = match.hasCaptured(2) ? match.captured(2).toInt() : 1;
        entry.causeName = match.captured(3);
        if (withSources) {
            entry.sourceFile = readSource(sourcePathOf(entry.path));
        }
        found.push_back(std::move(entry));
    }
    // The name's time text orders as the time does; within a second the sequence decides.
    std::ranges::sort(found, [](const SetHistoryEntry& a, const SetHistoryEntry& b) {
        const QString ta = QFileInfo(a.path).fileName().left(kTimeFormat.size());
        const QString tb = QFileInfo(b.path).fileName().left(kTimeFormat.size());
        return ta != tb ? ta > tb : a.sequence > b.sequence;
    });
    return found;
}

SetHistoryWrite SetHistory::record(const ParameterImage& image, bool extMon, SetHistoryCause cause,
                                   const QString& sourceFile, const QDateTime& now,
                                   QString* reason) const {
    const std::string text = IgnWriter::write(image, extMon);
    const std::vector<SetHistoryEntry> existing = scan(false);
    if (!existing.empty() &&
        QFileInfo(existing.front().path).size() == static_cast<qint64>(text.size()) &&
        readWholeFile(existing.front().path) == text) {
        return SetHistoryWrite::SameAsNewest;
    }
    std::error_code made;
    std::filesystem::create_directories(QFile::encodeName(m_folder).toStdString(), made);
    if (made) {
        if (reason != nullptr) {
            *reason = QString::fromStdString(made.message());
        }
        return SetHistoryWrite::Failed;
    }
    const QString time = now.toString(kTimeFormat);
    int sequence = 1;
    for (const SetHistoryEntry& entry : existing) {
        if (QFileInfo(entry.path).fileName().startsWith(time)) {
            sequence = std::max(sequence, entry.sequence + 1);
        }
    }
    const QString name = time + (sequence > 1 ? QStringLiteral("-%1").arg(sequence) : QString()) +
                         QStringLiteral("_before-") + setHistoryCauseName(cause) +
                         QStringLiteral(".ign");
    const QString path = QDir(m_folder).filePath(name);
    const QString sourcePath = sourcePathOf(path);
    // The sidecar goes first, so that an entry is never listed with another entry's source; a
    // leftover sidecar of a removed entry must not lend its source to this one.
    if (sourceFile.isEmpty()) {
        QFile::remove(sourcePath);
    } else if (!writeFileAtomically(sourcePath, sourceFile.toStdString())) {
        QFile::remove(sourcePath);
    }
    if (!writeFileAtomically(path, text, reason)) {
        QFile::remove(sourcePath);
        return SetHistoryWrite::Failed;
    }
    removeBeyondLimit();
    return SetHistoryWrite::Written;
}

void SetHistory::removeBeyondLimit() const {
    const std::vector<SetHistoryEntry> all = scan(false);
    for (std::size_t i = kKeep; i < all.size(); ++i) {
        QFile::remove(all[i].path);
        QFile::remove(sourcePathOf(all[i].path));
    }
}

} // namespace kordana
