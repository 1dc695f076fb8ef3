// File > Export tune sheet: the current parameter set as a multi-page PDF.
#include "app/TFormHlav.h"

#include "app/StatusLine.h"
#include "editors/RuznePage.h"
#include "lang/SheetTexts.h"
#include "link/LinkProtocol.h"
#include "sheet/TuneSheet.h"
#include "sheet/TuneSheetPdf.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace kordana {

namespace {

// The set's own file with the suffix ".pdf"; for a set never saved, the folder of the last
// parameter file.
QString sheetStartPath(const QString& setFile, const QString& lastFile) {
    if (!setFile.isEmpty()) {
        const QFileInfo file(setFile);
        return file.dir().filePath(file.completeBaseName() + ".pdf");
    }
    return lastFile.isEmpty() ? QString() : QFileInfo(lastFile).absolutePath() + "/";
}

} // namespace

void TFormHlav::MenuTuneSheetClick() {
    const QString setFile = m_ruzne->fileName();
    const QString path = m_desktop->pdfFileName(this, sheetStartPath(setFile, m_lastFilePath));
    if (path.isEmpty()) {
        return;
    }
    // As Save does: what the page shows is what the sheet shows.
    PageHarvest();
    ConsistencyPass();
    PageRefresh();
    SheetSource source;
    source.fileName = QFileInfo(setFile).fileName().toStdString();
    source.date = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm").toStdString();
    source.languageIndex = m_languageIndex;
    const TuneSheetWrite written =
        writeTuneSheetPdf(buildTuneSheet(m_session.image(), source), path);
    const SheetTexts texts = sheetTextsFor(m_languageIndex);
    const std::string_view message = written.ok ? texts.written : texts.writeError;
    const QString reason = written.ok ? QString() : ": " + written.error;
    m_statusLine->showStatus(
        QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())) +
            QDir::toNativeSeparators(path) + reason,
        !written.ok);
    m_statusLine->setStatusVisible(true);
    // Held and then hidden like any status, and replaced by the link's next message.
    m_link->holdWindowStatus();
}

} // namespace kordana
