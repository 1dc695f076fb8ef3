#include "features/history/HistoryFeature.h"

#include "features/history/EarlierSetsDialog.h"
#include "params/ParameterFileLoader.h"
#include "session/EditSession.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"

#include <QAction>
#include <QDateTime>
#include <QFile>

namespace kordana {

HistoryFeature::HistoryFeature() = default;
HistoryFeature::~HistoryFeature() = default;

void HistoryFeature::install(Shell& shell) {
    m_shell = &shell;
    m_dialog = new EarlierSetsDialog(&shell.mainWindow());
    QObject::connect(m_dialog, &EarlierSetsDialog::restoreRequested, m_dialog,
                     [this](const QString& entryPath) {
                         // Hidden first: the restore records the set it replaces, and a shown
                         // list would be rebuilt under the click that asked for the restore.
                         m_dialog->hide();
                         if (!restoreEarlierSet(entryPath)) {
                             MenuEarlierSetsClick();
                         }
                     });
    if (QAction* item = shell.addMenuItem({"MenuEarlierSets", "&Earlier sets..."})) {
        QObject::connect(item, &QAction::triggered, m_dialog, [this] { MenuEarlierSetsClick(); });
    }
    QObject::connect(
        &shell.hub(), &EventHub::aboutToReplaceSet, m_dialog,
        [this](SetHistoryCause cause, const ParameterImage& before) { record(cause, before); });
    subscribeLibraryEvents();
    connectTimeline();
}

void HistoryFeature::setHistoryFolder(const QString& folder) {
    m_history = folder.isEmpty() ? nullptr : std::make_unique<SetHistory>(folder);
    if (m_history && m_pendingDamaged) {
        const ParameterImage kept = *m_pendingDamaged;
        m_pendingDamaged.reset();
        record(SetHistoryCause::Damaged, kept);
    }
    reload();
}

void HistoryFeature::record(SetHistoryCause cause, const ParameterImage& replaced) {
    recordReplaced(cause, replaced);
    if (!m_history) {
        if (cause == SetHistoryCause::Damaged) {
            m_pendingDamaged = replaced;
        }
        return;
    }
    // The command goes on whatever happens here: the history is a safety net, and a question
    // in the middle of New, Open or Read would change those commands.
    QString reason;
    const SetHistoryWrite written =
        m_history->record(replaced, m_shell->session().extMon(), cause, m_shell->setFilePath(),
                          QDateTime::currentDateTime(), &reason);
    if (written == SetHistoryWrite::Failed) {
        m_shell->showStatusBarText(QString::fromStdString(m_shell->texts().TextHistoryWriteError) +
                                   " " + m_history->folder() + ": " + reason);
    }
    reload();
}

void HistoryFeature::MenuEarlierSetsClick() {
    m_dialog->show();
    reload();
    m_dialog->raise();
    m_dialog->activateWindow();
}

bool HistoryFeature::restoreEarlierSet(const QString& entryPath) {
    EditSession& session = m_shell->session();
    const ParameterFileLoad load = ParameterFileLoader::load(
        QFile::encodeName(entryPath).toStdString(), session.image(), session.extMon());
    if (!load.fileRead()) {
        m_shell->showMessage(m_shell->texts().TextOpenFileError);
        return false;
    }
    if (!load.read.applicable()) {
        m_shell->showMessage(m_shell->texts().TextUnmatchedFile);
        return false;
    }
    emit m_shell->hub().aboutToReplaceSet(SetHistoryCause::Restore, session.image());
    // The restored set comes from no file the user chose; the Open and Save dialogs keep
    // starting where the user last was.
    m_shell->takeOverSetFromFile(load.read, QString());
    return true;
}

} // namespace kordana
