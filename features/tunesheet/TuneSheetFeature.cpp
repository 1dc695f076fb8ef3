#include "features/tunesheet/TuneSheetFeature.h"

#include "lang/SheetTexts.h"
#include "session/EditSession.h"
#include "sheet/TuneSheet.h"
#include "sheet/TuneSheetPdf.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace kordana {

namespace {

// The set's own name with "-sheet.pdf" (so a print of a page never takes the sheet's name);
// for a set never saved, the folder of the last parameter file.
QString sheetStartPath(const QString& setFile, const QString& lastFile) {
    if (!setFile.isEmpty()) {
        const QFileInfo file(setFile);
        return file.dir().filePath(file.completeBaseName() + "-sheet.pdf");
    }
    return lastFile.isEmpty() ? QString() : QFileInfo(lastFile).absolutePath() + "/";
}

} // namespace

void TuneSheetFeature::install(Shell& shell) {
    m_shell = &shell;
    if (QAction* item = shell.addMenuItem({"MenuTuneSheet", "Export tune sheet..."})) {
        QObject::connect(item, &QAction::triggered, item, [this] { MenuTuneSheetClick(); });
    }
}

void TuneSheetFeature::MenuTuneSheetClick() {
    Shell& shell = *m_shell;
    const QString setFile = shell.setFilePath();
    const QString path = shell.desktop().pdfFileName(&shell.mainWindow(),
                                                     sheetStartPath(setFile, shell.lastFilePath()));
    if (path.isEmpty()) {
        return;
    }
    // As Save does: what the page shows is what the sheet shows.
    shell.harvestShownPage();
    SheetSource source;
    source.fileName = QFileInfo(setFile).fileName().toStdString();
    source.date = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm").toStdString();
    source.languageIndex = shell.languageIndex();
    TuneSheet sheet = buildTuneSheet(shell.session().image(), source);
    emit shell.hub().tuneSheetBuilding(sheet.blocks);
    const TuneSheetWrite written = writeTuneSheetPdf(sheet, path);
    const SheetTexts texts = sheetTextsFor(shell.languageIndex());
    const std::string_view message = written.ok ? texts.written : texts.writeError;
    const QString reason = written.ok ? QString() : ": " + written.error;
    shell.showStatus(QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())) +
                         QDir::toNativeSeparators(path) + reason,
                     !written.ok);
}

} // namespace kordana
