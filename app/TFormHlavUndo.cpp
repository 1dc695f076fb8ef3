// Undo and redo over the session's steps, and where the set stands against the last file and
// the unit (the status bar's LabelSetState).
#include "app/TFormHlav.h"

#include "app/MonitorPanel.h"
#include "editors/MapGrid.h"
#include "editors/RuznePage.h"
#include "params/ParameterFileLoader.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QStatusBar>

namespace kordana {

void TFormHlav::buildSetStateLabel() {
    m_setState = new QLabel(m_statusBar);
    m_setState->setObjectName("LabelSetState");
    m_statusBar->addPermanentWidget(m_setState);
    // Redo answers to both customary keys.
    if (QAction* redo = action("MenuRedo")) {
        redo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    }
}

// The set the cache brought back is "saved" when the file last named still holds it whole: the
// file is read as Open would read it over the set, into a scratch session, and only remembered.
void TFormHlav::rememberLastFile() {
    const QString path = m_ruzne->fileName();
    if (path.isEmpty()) {
        return;
    }
    const ParameterFileLoad load = ParameterFileLoader::load(QFile::encodeName(path).toStdString(),
                                                             m_session.image(), m_session.extMon());
    // A file that cannot be read or lacks keys does not hold the set on screen.
    if (!load.fileRead() || !load.read.applicable() || !load.read.complete()) {
        m_standing.forgetFile();
        return;
    }
    EditSession scratch;
    scratch.restore(m_session.image(), m_session.allFlags());
    scratch.applyFileRead(load.read);
    m_standing.fileHolds(scratch.image(), scratch.extMon());
}

void TFormHlav::MenuUndoClick() {
    crossUndoStep(m_session.undo());
}

void TFormHlav::MenuRedoClick() {
    crossUndoStep(m_session.redo());
}

// No harvest first: what is typed and not committed is replaced by the refresh, like the
// other commands that change the set from outside the page. The commit tail refreshes the
// page, follows a mode change with tabs and indicators, and programs after change.
void TFormHlav::crossUndoStep(const ChangeSet& changes) {
    if (!changes.any()) {
        ShowWhereSetStands();
        return;
    }
    if (changes.extMon) {
        m_monitorPanel->extMonitorBox()->setChecked(m_session.extMon());
    }
    m_mapGrid->hideGrid();
    CommitTail();
    m_mapGrid->showGrid();
}

void TFormHlav::ShowWhereSetStands() {
    if (QAction* undo = action("MenuUndo")) {
        undo->setEnabled(m_session.canUndo());
    }
    if (QAction* redo = action("MenuRedo")) {
        redo->setEnabled(m_session.canRedo());
    }
    if (m_setState == nullptr) {
        return;
    }
    const ParameterImage& image = m_session.image();
    const std::string* file = &m_texts.TextSetChanged;
    switch (m_standing.file(image, m_session.extMon())) {
    case FileStanding::Saved:
        file = &m_texts.TextSetSaved;
        break;
    case FileStanding::NotSaved:
        file = &m_texts.TextSetNotSaved;
        break;
    case FileStanding::Changed:
        break;
    }
    const std::string* unit = &m_texts.TextUnitUnknown;
    switch (m_standing.unit(image)) {
    case UnitStanding::Same:
        unit = &m_texts.TextUnitSame;
        break;
    case UnitStanding::Differs:
        unit = &m_texts.TextUnitDiffers;
        break;
    case UnitStanding::Unknown:
        break;
    }
    const QString text = QString::fromStdString(*file) + "  |  " + QString::fromStdString(*unit);
    if (m_setState->text() != text) {
        m_setState->setText(text);
    }
}

// What the link's outcome says about the unit's set: a verify that passed (alone, or ending a
// read or a programming run) means the unit holds the parameter bytes on screen; any failure
// leaves them unknown.
void TFormHlav::unitStatus(LinkMessage message, bool ok, StatusColour colour) {
    if (ok && message == LinkMessage::Verify) {
        m_standing.unitHolds(m_session.image());
    } else if (colour == StatusColour::Red) {
        m_standing.forgetUnit();
    } else {
        return;
    }
    ShowWhereSetStands();
}

} // namespace kordana
