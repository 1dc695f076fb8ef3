// The timeline window of the history feature: the list (the library's entries, or the plain

#include "shell/QtText.h"
// history without a library), the differences of one or two entries with the maps' differing
// cells outlined on the map grid, restore, note, remote and sync.
#include "features/history/HistoryFeature.h"

#include "editors/MapGrid.h"
#include "features/history/EarlierSetsDialog.h"
#include "features/history/TimelinePane.h"
#include "lang/ItemListTables.h"
#include "params/ConsistencyPass.h"
#include "params/IgnReader.h"
#include "params/ParameterDiff.h"
#include "session/EditSession.h"
#include "shell/DiffWording.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"

#include <QDateTime>

namespace kordana {

void HistoryFeature::connectTimeline() {
    TimelinePane* pane = m_dialog->timeline();
    QObject::connect(m_dialog, &EarlierSetsDialog::entryRestoreRequested, m_dialog,
                     [this](const LibraryEntry& entry) {
                         // Hidden first, as for the plain history: the restore makes entries.
                         m_dialog->hide();
                         if (!restoreLibraryEntry(entry)) {
                             MenuEarlierSetsClick();
                         }
                     });
    QObject::connect(m_dialog, &EarlierSetsDialog::hidden, m_dialog, [this] { clearOutlines(); });
    QObject::connect(pane, &TimelinePane::selectionChanged, m_dialog,
                     [this] { showDifferences(); });
    QObject::connect(pane, &TimelinePane::noteRequested, m_dialog,
                     [this](const QString& id, const QString& note) {
                         noteLibraryEntry(id.toStdString(), note.toStdString());
                     });
    QObject::connect(pane, &TimelinePane::remoteRequested, m_dialog,
                     [this](const QString& url) { setLibraryRemote(url.toStdString()); });
    QObject::connect(pane, &TimelinePane::syncRequested, m_dialog, [this] { syncNow(); });
    // A difference from the set on screen holds only until the set changes.
    QObject::connect(&m_shell->hub(), &EventHub::setChanged, m_dialog, [this, pane] {
        if (m_outlining) {
            clearOutlines();
            pane->clearDifferences();
        }
    });
}

void HistoryFeature::applyLanguage(std::uint8_t index) {
    QStringList headers;
    if (const auto items = itemsForControl("ListTimeline", index)) {
        for (std::string_view item : *items) {
            headers << QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
        }
    }
    m_dialog->timeline()->applyTexts(m_shell->texts(), headers);
    showLibraryState();
    reload();
}

void HistoryFeature::reload() {
    if (m_dialog == nullptr || !m_dialog->isVisible()) {
        return;
    }
    m_dialog->showTimeline(m_library != nullptr);
    if (!m_library) {
        m_dialog->showEntries(m_history ? m_history->entries() : std::vector<SetHistoryEntry>{},
                              m_shell->texts());
        return;
    }
    auto entries = m_library->entries();
    if (!entries.ok()) {
        m_shell->showStatusBarText(toQString(m_shell->texts().TextLibraryWriteError) + " " +
                                   toQString(entries.error));
    }
    clearOutlines();
    m_dialog->timeline()->setEntries(entries.ok() ? std::move(*entries.value)
                                                  : std::vector<LibraryEntry>{});
}

namespace {

// An entry's set over the set on screen, repaired as the window holds a set.
std::optional<DiffSide> entrySide(const TuneLibrary& library, const LibraryEntry& entry,
                                  const EditSession& session) {
    const auto text = library.setText(entry);
    if (!text.ok()) {
        return std::nullopt;
    }
    const IgnReadResult read = IgnReader::read(*text.value, session.image(), session.extMon());
    if (!read.applicable()) {
        return std::nullopt;
    }
    ParameterImage image = read.image;
    runConsistencyPass(image);
    return DiffSide{image, read.extMon};
}

} // namespace

void HistoryFeature::showDifferences() {
    TimelinePane* pane = m_dialog->timeline();
    const std::vector<LibraryEntry> chosen = pane->selectedEntries();
    if (!m_library || chosen.empty() || chosen.size() > 2) {
        pane->clearDifferences();
        clearOutlines();
        return;
    }
    const MessageTexts& texts = m_shell->texts();
    const EditSession& session = m_shell->session();
    // Older -> newer; one entry against the set on screen.
    const std::optional<DiffSide> from = entrySide(*m_library, chosen.back(), session);
    const std::optional<DiffSide> to =
        chosen.size() == 2 ? entrySide(*m_library, chosen.front(), session)
                           : std::optional<DiffSide>(DiffSide{session.image(), session.extMon()});
    if (!from || !to) {
        pane->showDifferences(toQString(texts.TextUnmatchedFile), {},
                              toQString(texts.TextUnmatchedFile));
        clearOutlines();
        return;
    }
    const std::vector<ParameterDifference> differences = diffParameterSets(*from, *to);
    QStringList lines;
    for (const std::string& line :
         diffReport(differences, diffNamingFor(m_shell->languageIndex()))) {
        lines << toQString(line);
    }
    pane->showDifferences(
        toQString(chosen.size() == 2 ? texts.TextDiffOfTwo : texts.TextDiffWithScreen), lines,
        toQString(texts.TextDiffNone));
    m_shell->mapGrid().setOutlinedCells(differingMapCells(differences));
    m_outlining = true;
}

void HistoryFeature::clearOutlines() {
    if (m_outlining) {
        m_shell->mapGrid().setOutlinedCells({});
        m_outlining = false;
    }
}

bool HistoryFeature::restoreLibraryEntry(const LibraryEntry& entry) {
    EditSession& session = m_shell->session();
    const auto text = m_library ? m_library->setText(entry) : LibraryResult<std::string>{};
    if (!text.ok()) {
        m_shell->showMessage(m_shell->texts().TextOpenFileError);
        return false;
    }
    const IgnReadResult read = IgnReader::read(*text.value, session.image(), session.extMon());
    if (!read.applicable()) {
        m_shell->showMessage(m_shell->texts().TextUnmatchedFile);
        return false;
    }
    emit m_shell->hub().aboutToReplaceSet(SetHistoryCause::Restore, session.image());
    // As a restore of the plain history: no file name, the dialogs' start path kept.
    m_shell->takeOverSetFromFile(read, QString());
    LibraryEntryInput input = libraryEntryFor(LibraryEvent::Restored, session.image(),
                                              session.extMon(), QDateTime::currentSecsSinceEpoch());
    input.unit = entry.unit; // the earlier state of the entry's unit
    input.restoredFrom = entry.id;
    recordEntry(std::move(input));
    return true;
}

} // namespace kordana
