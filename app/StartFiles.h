#pragma once

#include "params/ParameterImage.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>

namespace kordana {

class EditSession;

/// A file the window could not write, and the system's reason.
struct FileWriteFailure {
    QString path;
    QString reason;
};

/// The window's own files in its settings folder: the settings file and the stored set
/// (the image cache) are read bounded at start (a refused or damaged file is noted, a damaged
/// stored set is kept aside and handed on for the earlier sets) and written atomically at close.
class StartFiles {
public:
    explicit StartFiles(QString configDir);

    QString settingsPath() const;
    QString imageCachePath() const;

    /// The text of the settings file `path`, or nothing (missing: a first start; anything else
    /// there is refused and noted).
    std::optional<std::string> read(const QString& path);
    /// Reads the stored set over the session's set: what it does not hold keeps its value.
    void loadImageCache(EditSession& session);
    /// Writes the session's set as the stored set.
    std::optional<FileWriteFailure> saveImageCache(const EditSession& session) const;
    /// The set a damaged stored set still held, once.
    std::optional<ParameterImage> takeDamagedSet();
    /// What start-up found wrong with its files, in language `language`, once (empty: nothing).
    QString takeNotes(std::uint8_t language);

private:
    void keepDamagedCacheAside(const std::string& text, const EditSession& session);

    QString m_configDir;
    QStringList m_refused;
    QString m_damagedKeptAs;
    std::optional<ParameterImage> m_damagedSet;
};

} // namespace kordana
