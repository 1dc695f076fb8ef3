// The history of replaced sets: New, Open, Read and a restore keep the set they replace, and
// File > Earlier sets... lists them and restores one.
#include "app/TFormHlav.h"

#include "app/EarlierSetsDialog.h"
#include "editors/RuznePage.h"
#include "params/ParameterFileLoader.h"

#include <QDateTime>
#include <QFile>
#include <QStatusBar>

namespace kordana {

void TFormHlav::buildEarlierSets() {
    m_earlierSets = new EarlierSetsDialog(this);
    connect(m_earlierSets, &EarlierSetsDialog::restoreRequested, this,
            [this](const QString& entryPath) {
                // Hidden first: the restore records the set it replaces, and a shown list would
                // be rebuilt under the click that asked for the restore.
                m_earlierSets->hide();
                if (!restoreEarlierSet(entryPath)) {
                    MenuEarlierSetsClick();
                }
            });
}

void TFormHlav::setHistoryFolder(const QString& folder) {
    m_history = folder.isEmpty() ? nullptr : std::make_unique<SetHistory>(folder);
    // A damaged stored set found before the folder was known is kept now.
    keepDamagedCacheInHistory();
    reloadEarlierSets();
}

void TFormHlav::recordReplacedSet(SetHistoryCause cause, const ParameterImage& replaced) {
    if (!m_history) {
        return;
    }
    // The command goes on whatever happens here: the history is a safety net, and a question
    // in the middle of New, Open or Read would change those commands.
    const SetHistoryWrite written = m_history->record(
        replaced, m_session.extMon(), cause, m_ruzne->fileName(), QDateTime::currentDateTime());
    if (written == SetHistoryWrite::Failed) {
        m_statusBar->showMessage(QString::fromStdString(m_texts.TextHistoryWriteError));
    }
    reloadEarlierSets();
}

void TFormHlav::reloadEarlierSets() {
    if (m_earlierSets != nullptr && m_earlierSets->isVisible()) {
        m_earlierSets->showEntries(
            m_history ? m_history->entries() : std::vector<SetHistoryEntry>{}, m_texts);
    }
}

void TFormHlav::MenuEarlierSetsClick() {
    m_earlierSets->show();
    reloadEarlierSets();
    m_earlierSets->raise();
    m_earlierSets->activateWindow();
}

bool TFormHlav::restoreEarlierSet(const QString& entryPath) {
    const ParameterFileLoad load = ParameterFileLoader::load(
        QFile::encodeName(entryPath).toStdString(), m_session.image(), m_session.extMon());
    if (!load.fileRead()) {
        showMessage(m_texts.TextOpenFileError);
        return false;
    }
    if (!load.read.applicable()) {
        showMessage(m_texts.TextUnmatchedFile);
        return false;
    }
    recordReplacedSet(SetHistoryCause::Restore, m_session.image());
    takeOverFileRead(load.read);
    // The restored set comes from no file the user chose; the Open and Save dialogs keep
    // starting where the user last was.
    setFileName(QString());
    return true;
}

} // namespace kordana
