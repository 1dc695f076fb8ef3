#pragma once

#include "params/ParameterImage.h"

#include <QDateTime>
#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

namespace kordana {

/// What replaced a set that the history keeps.
enum class SetHistoryCause {
    New,
    Open,
    Read,
    Restore,
    Damaged, ///< a stored set found damaged at start, kept as far as it could be read
};

/// The word a cause gives the entry's file name ("new", "open", "read", "restore", "damaged").
QString setHistoryCauseName(SetHistoryCause cause);
/// The cause of a file-name word, or nothing for a word no cause gives.
std::optional<SetHistoryCause> setHistoryCauseFromName(const QString& name);

/// One kept set: an ordinary parameter file in the history folder.
struct SetHistoryEntry {
    QString path;       ///< the parameter file of the entry
    QDateTime time;     ///< when it was replaced, local time, from the file name
    int sequence = 1;   ///< 1 for the first entry of its second, 2 for the next, ...
    QString causeName;  ///< the cause word of the file name ("read", ...)
    QString sourceFile; ///< the parameter file the set had come from; empty when none
};

/// How recording a replaced set ended.
enum class SetHistoryWrite {
    Written,      ///< a new entry was written (and the oldest beyond the limit removed)
    SameAsNewest, ///< the newest entry holds this set already; nothing was written
    Failed,       ///< the folder or the file could not be written; nothing was kept
};

/// The history of replaced sets: before a command replaces the parameter set, the set it
/// replaces is written into `folder` as a parameter file named by time and cause
/// ("2026-12-08_14-03-11_before-read.ign"), atomically; the newest kKeep entries are kept.
/// The file the set came from goes into a sidecar file of the same name ending in ".source",
/// as a parameter file has no place for it. Files of other names are never touched.
class SetHistory {
public:
    static constexpr std::size_t kKeep = 50;

    explicit SetHistory(QString folder) : m_folder(std::move(folder)) {}
    const QString& folder() const { return m_folder; }

    /// Where the window keeps the history: "history" in the user's application data folder.
    static QString defaultFolder();

    /// Records the replaced set (`image` with the Extended Monitor state `extMon`) with what
    /// replaced it, the file it came from (empty: none) and the time of the replacement.
    /// Writes nothing when the newest entry holds the same set. Never throws. On Failed,
    /// `reason` (when given) receives the system's reason.
    SetHistoryWrite record(const ParameterImage& image, bool extMon, SetHistoryCause cause,
                           const QString& sourceFile, const QDateTime& now,
                           QString* reason = nullptr) const;

    /// Every entry of the folder, newest first.
    std::vector<SetHistoryEntry> entries() const;

private:
    /// The entries, newest first; their source files only when `withSources`.
    std::vector<SetHistoryEntry> scan(bool withSources) const;
    void removeBeyondLimit() const;

    QString m_folder;
};

} // namespace kordana
