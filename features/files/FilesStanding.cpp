// Where the set stands against the last file and the unit (the status bar's LabelSetState).
#include "features/files/FilesFeature.h"

#include "params/ParameterFileLoader.h"
#include "session/EditSession.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"

#include <QAction>
#include <QFile>
#include <QLabel>

namespace kordana {

// The set the cache brought back is "saved" when the file last named still holds it whole: the
// file is read as Open would read it over the set, into a scratch session, and only remembered.
void FilesFeature::rememberLastFile() {
    const QString path = m_shell->hub().setFile();
    if (path.isEmpty()) {
        return;
    }
    const EditSession& session = m_shell->session();
    const ParameterFileLoad load = ParameterFileLoader::load(QFile::encodeName(path).toStdString(),
                                                             session.image(), session.extMon());
    // A file that cannot be read or lacks keys does not hold the set on screen.
    if (!load.fileRead() || !load.read.applicable() || !load.read.complete()) {
        m_standing.forgetFile();
        return;
    }
    EditSession scratch;
    scratch.restore(session.image(), session.allFlags());
    scratch.applyFileRead(load.read);
    m_standing.fileHolds(scratch.image(), scratch.extMon());
}

void FilesFeature::ShowWhereSetStands() {
    const EditSession& session = m_shell->session();
    QWidget& window = m_shell->mainWindow();
    if (auto* undo = window.findChild<QAction*>("MenuUndo")) {
        undo->setEnabled(session.canUndo());
    }
    if (auto* redo = window.findChild<QAction*>("MenuRedo")) {
        redo->setEnabled(session.canRedo());
    }
    const MessageTexts& texts = m_shell->texts();
    const ParameterImage& image = session.image();
    const std::string* file = &texts.TextSetChanged;
    switch (m_standing.file(image, session.extMon())) {
    case FileStanding::Saved:
        file = &texts.TextSetSaved;
        break;
    case FileStanding::NotSaved:
        file = &texts.TextSetNotSaved;
        break;
    case FileStanding::Changed:
        break;
    }
    const std::string* unit = &texts.TextUnitUnknown;
    switch (m_standing.unit(image)) {
    case UnitStanding::Same:
        unit = &texts.TextUnitSame;
        break;
    case UnitStanding::Differs:
        unit = &texts.TextUnitDiffers;
        break;
    case UnitStanding::Unknown:
        break;
    }
    const QString text = QString::fromStdString(*file) + "  |  " + QString::fromStdString(*unit);
    if (m_setState->text() != text) {
        m_setState->setText(text);
    }
}

} // namespace kordana
