// The tune library side of the history feature: where it lives, opening it and importing the

#include "shell/QtText.h"
// history of replaced sets once, the entries of the window's events, notes, the remote and the
// sync on its worker with the status-bar field.
#include "features/history/HistoryFeature.h"

#include "features/history/EarlierSetsDialog.h"
#include "features/history/LibrarySyncRunner.h"
#include "features/history/TimelinePane.h"
#include "library/LibraryFolder.h"
#include "session/EditSession.h"
#include "settings/IniFile.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"
#include "shell/StatusLine.h"
#include "storage/LibraryMigration.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QUrl>

namespace kordana {

namespace {

// Options this program adds, in a section of its own, so the established sections keep
// exactly their keys.
const char* const kSectionKordana = "KORDANA";
const char* const kLibraryFolderKey = "LibraryFolder";

std::filesystem::path pathOf(const QString& folder) {
    return std::filesystem::path(QFile::encodeName(folder).toStdString());
}

// "%1" of `text` replaced by `first`, "%2" by `second`.
QString filled(const std::string& text, const QString& first, const QString& second = {}) {
    return toQString(text).replace("%1", first).replace("%2", second);
}

QString outcomeText(LibrarySyncOutcome outcome, const MessageTexts& texts) {
    switch (outcome) {
    case LibrarySyncOutcome::Synced:
        return {};
    case LibrarySyncOutcome::NoRemote:
        return toQString(texts.TextSyncNoRemote);
    case LibrarySyncOutcome::Offline:
        return toQString(texts.TextSyncOffline);
    case LibrarySyncOutcome::Refused:
        return toQString(texts.TextSyncRefused);
    case LibrarySyncOutcome::Conflict:
        return toQString(texts.TextSyncConflict);
    case LibrarySyncOutcome::Damaged:
        break;
    }
    return toQString(texts.TextSyncDamaged);
}

} // namespace

void HistoryFeature::subscribeLibraryEvents() {
    m_sync = new LibrarySyncRunner(m_dialog);
    QObject::connect(m_sync, &LibrarySyncRunner::finished, m_dialog,
                     [this](const LibrarySyncResult& result) { synced(result); });
    m_libraryLabel = new QLabel(&m_shell->mainWindow());
    m_libraryLabel->setObjectName("LabelLibrary");
    m_libraryLabel->hide();
    m_shell->addStatusBarWidget(m_libraryLabel);

    EventHub& hub = m_shell->hub();
    QObject* context = m_dialog;
    const auto current = [this](LibraryEvent event, const QString& file) {
        recordSet(event, m_shell->session().image(), file);
    };
    QObject::connect(&hub, &EventHub::setSaved, context,
                     [current](const QString& path) { current(LibraryEvent::Saved, path); });
    QObject::connect(&hub, &EventHub::setOpened, context,
                     [current](const QString& path) { current(LibraryEvent::Opened, path); });
    QObject::connect(&hub, &EventHub::unitSetRead, context,
                     [current] { current(LibraryEvent::Read, {}); });
    QObject::connect(&hub, &EventHub::proposalsAccepted, context,
                     [current] { current(LibraryEvent::Assistant, {}); });
    QObject::connect(&hub, &EventHub::unitProgrammed, context, [this](const ParameterImage& image) {
        recordSet(LibraryEvent::Programmed, image, m_shell->setFilePath());
    });
    QObject::connect(
        &hub, &EventHub::monitorFrameDecoded, context,
        [this](const MonitorFrame& frame) { m_programmings = frame.programmingCount; });
    // Another unit may answer next; its count is not this one's.
    QObject::connect(&hub, &EventHub::unitReplaced, context, [this] { m_programmings.reset(); });
    QObject::connect(&hub, &EventHub::unitSilent, context, [this] { m_programmings.reset(); });
}

void HistoryFeature::loadSettings(const IniFile& settings) {
    m_librarySetting = toQString(settings.readString(kSectionKordana, kLibraryFolderKey, ""));
}

void HistoryFeature::saveSettings(IniFile& settings) const {
    if (!m_librarySetting.isEmpty() || settings.value(kSectionKordana, kLibraryFolderKey)) {
        settings.write(kSectionKordana, kLibraryFolderKey, m_librarySetting.toStdString());
    }
}

void HistoryFeature::started() {
    m_started = true;
    openLibrary();
}

void HistoryFeature::setLibraryFolder(const QString& folder) {
    m_libraryFolder = folder;
    m_library.reset();
    m_libraryLabel->hide();
    if (m_started) {
        openLibrary();
    }
    reload();
}

QString HistoryFeature::libraryFolder() const {
    if (m_libraryFolder.isEmpty()) {
        return {};
    }
    return m_librarySetting.isEmpty() ? m_libraryFolder : m_librarySetting;
}

void HistoryFeature::openLibrary() {
    const QString folder = libraryFolder();
    if (folder.isEmpty()) {
        return;
    }
    auto opened = TuneLibrary::open(pathOf(folder), libraryIdentityOfThisPc());
    if (!opened.ok()) {
        // Said once; the replaced sets are kept in the plain history as before.
        m_shell->showStatus(toQString(m_shell->texts().TextLibraryUnavailable) + " " + folder +
                                ": " + toQString(opened.error),
                            true);
        return;
    }
    m_library = std::move(*opened.value);
    importHistory();
    m_dialog->timeline()->showRemote(toQString(m_library->remote()));
    showLibraryState();
    m_libraryLabel->show();
}

void HistoryFeature::importHistory() {
    const bool importedBefore = m_library->flag(kSetHistoryImportedFlag);
    if (m_history && !importedBefore) {
        const SetHistoryImport imported = importSetHistory(*m_library, *m_history);
        if (!imported.done) {
            m_shell->showStatusBarText(toQString(m_shell->texts().TextLibraryWriteError) + " " +
                                       imported.error);
        }
    }
    // A damaged stored set found before the library was open, and not among those imported.
    if (m_pendingLibraryDamaged && (importedBefore || !m_history)) {
        const ParameterImage kept = *m_pendingLibraryDamaged;
        m_pendingLibraryDamaged.reset();
        recordReplaced(SetHistoryCause::Damaged, kept);
    }
    m_pendingLibraryDamaged.reset();
}

void HistoryFeature::recordReplaced(SetHistoryCause cause, const ParameterImage& replaced) {
    if (!m_library) {
        if (cause == SetHistoryCause::Damaged && !m_libraryFolder.isEmpty()) {
            m_pendingLibraryDamaged = replaced;
        }
        return;
    }
    LibraryEntryInput input =
        libraryEntryFor(LibraryEvent::Replaced, replaced, m_shell->session().extMon(),
                        QDateTime::currentSecsSinceEpoch());
    input.cause = setHistoryCauseName(cause).toStdString();
    input.filePath = m_shell->setFilePath().toStdString();
    recordEntry(std::move(input));
}

void HistoryFeature::recordSet(LibraryEvent event, const ParameterImage& image,
                               const QString& file) {
    if (!m_library) {
        return;
    }
    LibraryEntryInput input = libraryEntryFor(event, image, m_shell->session().extMon(),
                                              QDateTime::currentSecsSinceEpoch());
    input.filePath = file.toStdString();
    if (event == LibraryEvent::Read || event == LibraryEvent::Programmed) {
        input.programmingCount = m_programmings;
    }
    recordEntry(std::move(input));
}

void HistoryFeature::recordEntry(LibraryEntryInput input) {
    // Like the plain history, the library never stops the command that made the entry.
    const auto added = m_library->add(input);
    if (!added.ok()) {
        m_shell->showStatusBarText(toQString(m_shell->texts().TextLibraryWriteError) + " " +
                                   toQString(added.error));
        return;
    }
    reload();
    showLibraryState();
    if (!m_library->remote().empty()) {
        syncNow();
    }
}

bool HistoryFeature::noteLibraryEntry(const std::string& entryId, const std::string& note) {
    if (!m_library) {
        return false;
    }
    const auto noted = m_library->addNote(entryId, note, QDateTime::currentSecsSinceEpoch());
    if (!noted.ok()) {
        m_shell->showStatusBarText(toQString(m_shell->texts().TextLibraryWriteError) + " " +
                                   toQString(noted.error));
        return false;
    }
    reload();
    showLibraryState();
    if (!m_library->remote().empty()) {
        syncNow();
    }
    return true;
}

bool HistoryFeature::setLibraryRemote(const std::string& url) {
    if (!m_library) {
        return false;
    }
    // The library keeps its remote in its configuration: a password there would be stored.
    if (!QUrl(toQString(url)).password().isEmpty()) {
        m_shell->showStatusBarText(toQString(m_shell->texts().TextRemotePassword));
        m_dialog->timeline()->showRemote(toQString(m_library->remote()));
        return false;
    }
    const auto set = m_library->setRemote(url);
    if (!set.ok()) {
        m_shell->showStatusBarText(toQString(m_shell->texts().TextLibraryWriteError) + " " +
                                   toQString(set.error));
    }
    m_dialog->timeline()->showRemote(toQString(m_library->remote()));
    return set.ok();
}

void HistoryFeature::syncNow() {
    if (!m_library) {
        return;
    }
    LibrarySyncOptions options;
    options.who = m_library->identity();
    options.now = QDateTime::currentSecsSinceEpoch();
    m_sync->start(m_library->folder(), options);
    m_libraryLabel->setText(toQString(m_shell->texts().TextSyncRunning));
}

void HistoryFeature::synced(const LibrarySyncResult& result) {
    if (!m_library) {
        return;
    }
    const MessageTexts& texts = m_shell->texts();
    if (result.outcome == LibrarySyncOutcome::Synced) {
        m_shell->showStatusBarText(filled(texts.TextSyncShared, QString::number(result.sent),
                                          QString::number(result.received)));
    } else {
        const QString why = outcomeText(result.outcome, texts);
        m_shell->showStatusBarText(filled(texts.TextSyncFailed, why) +
                                   (result.message.empty() ? "" : " " + toQString(result.message)));
    }
    if (result.received > 0) {
        reload();
    }
    if (!m_sync->running()) {
        showLibraryState();
    }
}

void HistoryFeature::showLibraryState() {
    if (!m_library) {
        return;
    }
    const MessageTexts& texts = m_shell->texts();
    const auto unshared = m_library->unsharedCount();
    const std::optional<std::int64_t> last = m_library->lastSync();
    const QString when = last ? QDateTime::fromSecsSinceEpoch(*last).toString("yyyy-MM-dd HH:mm")
                              : toQString(texts.TextNeverSynced);
    m_libraryLabel->setText(filled(texts.TextLibraryStatus,
                                   unshared.ok() ? QString::number(*unshared.value) : "?", when));
}

} // namespace kordana
