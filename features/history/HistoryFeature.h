#pragma once

#include "library/LibrarySync.h"
#include "library/TuneLibrary.h"
#include "shell/Feature.h"
#include "storage/SetHistory.h"

#include <QString>

#include <memory>
#include <optional>

class QLabel;

namespace kordana {

class EarlierSetsDialog;
class LibrarySyncRunner;
class Shell;

/// The history of replaced sets and the tune library: keeps the set that New, Open, Read and a
/// restore are about to replace, makes every set saved, opened, read, programmed, replaced,
/// restored or changed by the assistant an entry of the library, and File > Earlier sets...
/// lists them (the library's timeline when it is open), compares, notes, restores and syncs.
class HistoryFeature final : public Feature {
public:
    HistoryFeature();
    ~HistoryFeature() override;

    void install(Shell& shell) override;
    void loadSettings(const IniFile& settings) override;
    void saveSettings(IniFile& settings) const override;
    void applyLanguage(std::uint8_t index) override;
    void started() override;

    /// Keeps the replaced sets in `folder` from now on (main passes SetHistory::defaultFolder());
    /// empty: none are kept, as until it is set.
    void setHistoryFolder(const QString& folder);
    /// The history of replaced sets, or null while none is kept.
    const SetHistory* history() const { return m_history.get(); }
    /// The dialog of File > Earlier sets..., made at install.
    EarlierSetsDialog* earlierSetsDialog() const { return m_dialog; }
    /// Loads the entry `entryPath`; when it applies, keeps the set it replaces as a "restore"
    /// entry, takes the entry over as one change with no file name and runs the commit tail.
    /// Shows the failure otherwise. True when applied.
    bool restoreEarlierSet(const QString& entryPath);
    /// File > Earlier sets...: shows the list of replaced sets (not modal).
    void MenuEarlierSetsClick();

    /// Keeps the tune library in `folder` (main passes defaultLibraryFolder(); the setting
    /// `[KORDANA] LibraryFolder` points elsewhere); empty: none, as until it is set. The
    /// library is opened (made) when the window has started, at once when it has.
    void setLibraryFolder(const QString& folder);
    /// The folder the library is kept in (the setting's when it names one); empty: none.
    QString libraryFolder() const;
    /// The open library, or null (none kept, or it could not be opened).
    TuneLibrary* library() const { return m_library.get(); }
    /// The worker that syncs the library.
    LibrarySyncRunner* syncRunner() const { return m_sync; }
    /// The status-bar field of the library: entries not yet shared, the last sync.
    QLabel* libraryLabel() const { return m_libraryLabel; }
    /// Takes over the set of the library entry `entry` as a restore does; it becomes an entry
    /// of its own. Shows the failure otherwise. True when applied.
    bool restoreLibraryEntry(const LibraryEntry& entry);
    /// A note on the entry `entryId` (a new commit; the set stays). True when kept.
    bool noteLibraryEntry(const std::string& entryId, const std::string& note);
    /// Sets the library's remote (empty: none); contacts nothing.
    bool setLibraryRemote(const std::string& url);
    /// Starts a sync of the library on the worker (after the running one).
    void syncNow();

private:
    void record(SetHistoryCause cause, const ParameterImage& replaced);
    void reload();
    void subscribeLibraryEvents();
    void openLibrary();
    void importHistory();
    void recordReplaced(SetHistoryCause cause, const ParameterImage& replaced);
    void recordEntry(LibraryEntryInput input);
    void recordSet(LibraryEvent event, const ParameterImage& image, const QString& file);
    void showLibraryState();
    void synced(const LibrarySyncResult& result);
    void showDifferences();
    void clearOutlines();
    void connectTimeline();

    Shell* m_shell = nullptr;
    std::unique_ptr<SetHistory> m_history;
    // A damaged stored set found before the folder was known, kept once it is.
    std::optional<ParameterImage> m_pendingDamaged;
    EarlierSetsDialog* m_dialog = nullptr;

    QString m_libraryFolder;  // main's folder: none until set
    QString m_librarySetting; // [KORDANA] LibraryFolder, empty: main's folder
    bool m_started = false;
    std::unique_ptr<TuneLibrary> m_library;
    std::optional<ParameterImage> m_pendingLibraryDamaged;
    LibrarySyncRunner* m_sync = nullptr;
    QLabel* m_libraryLabel = nullptr;
    std::optional<unsigned> m_programmings; // the connected unit's, from its monitor frames
    bool m_outlining = false;               // the map grid shows a timeline difference
};

} // namespace kordana
