// The File and Help commands: New, Open, Save, Help contents, About, and the motor-and-fuel
// preset choice that runs New.
#include "app/TFormHlav.h"

#include "app/MonitorPanel.h"
#include "app/StatusLine.h"
#include "editors/RuznePage.h"
#include "link/LinkProtocol.h"
#include "params/DefaultSet.h"
#include "params/IgnWriter.h"
#include "params/ParameterFileLoader.h"
#include "params/ParameterTable.h"
#include "settings/AtomicFile.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace kordana {

TFormHlav::Answer TFormHlav::ask(const std::string& text, Buttons buttons) {
    return m_desktop->messageBox(this, QString::fromStdString(text), buttons);
}

void TFormHlav::showMessage(const std::string& text) {
    ask(text, Buttons::Ok);
}

void TFormHlav::setFileName(const QString& path) {
    m_ruzne->setFileName(path);
}

void TFormHlav::MenuNewClick() {
    newAfterQuestion(m_session.image());
}

void TFormHlav::newAfterQuestion(const ParameterImage& replaced) {
    if (ask(m_texts.TextDefaultQuery, Buttons::YesNoCancel) != Answer::Yes) {
        return;
    }
    emit m_hub.aboutToReplaceSet(SetHistoryCause::New, replaced);
    // Edits typed on the page and not committed are dropped: the defaults replace them.
    m_session.newDefaultSet();
    // Hidden before the commit tail, so that a programming run it starts shows its progress.
    HideStatusLine();
    CommitTail();
    setFileName(QString());
}

void TFormHlav::ComboBoxBikeChange(int index) {
    if (index < 0 || index >= static_cast<int>(kPresetCount)) {
        return;
    }
    // The preset stays chosen even when the question that follows is not answered Yes. With
    // New it is one step to undo. The set that New then replaces is the one before the choice,
    // with its own preset.
    const EditSession::StepGroup oneStep(m_session);
    const ParameterImage replaced = m_session.image();
    m_session.setPreset(static_cast<std::uint8_t>(index));
    newAfterQuestion(replaced);
}

void TFormHlav::MenuOpenClick() {
    const QString path = m_desktop->parameterFileName(this, m_lastFilePath, false);
    if (path.isEmpty() || !openParameterFile(path)) {
        HideStatusLine();
    }
}

bool TFormHlav::openParameterFile(const QString& path) {
    const QFileInfo info(path);
    // The loader opens only a regular file of sensible size, so a device or a pipe can neither
    // block nor flood the window. It reads over a staging copy; nothing is taken over unless
    // the whole file was read and it carries the right version.
    const ParameterFileLoad load =
        ParameterFileLoader::load(QFile::encodeName(info.absoluteFilePath()).toStdString(),
                                  m_session.image(), m_session.extMon());
    if (!load.fileRead()) {
        showMessage(m_texts.TextOpenFileError);
        return false;
    }
    if (!load.read.applicable()) {
        showMessage(m_texts.TextUnmatchedFile);
        return false;
    }
    emit m_hub.aboutToReplaceSet(SetHistoryCause::Open, m_session.image());
    takeOverFileRead(load.read);
    setFileName(info.absoluteFilePath());
    m_lastFilePath = info.absoluteFilePath();
    if (load.read.complete()) {
        m_standing.fileHolds(m_session.image(), m_session.extMon());
    } else {
        // Part of the set on screen comes from before: the file does not hold it.
        m_standing.forgetFile();
        showIncompleteFile(load.read);
    }
    ShowWhereSetStands();
    return true;
}

void TFormHlav::takeOverSetFromFile(const IgnReadResult& read, const QString& fileName) {
    takeOverFileRead(read);
    setFileName(fileName);
}

void TFormHlav::showIncompleteFile(const IgnReadResult& read) {
    // A programming run started by the commit tail keeps the status line for its progress.
    if (m_link->mode() != LinkMode::Idle) {
        return;
    }
    const std::string text =
        incompleteFileText(m_texts, read.keysHeld, ParameterTable::instance().keys().size(),
                           read.missingKeys, read.shortKeys);
    m_statusLine->showStatus(QString::fromStdString(text), true);
    m_statusLine->setStatusVisible(true);
    // Held and then hidden like any status, and replaced by the link's next message.
    m_link->holdWindowStatus();
}

void TFormHlav::takeOverFileRead(const IgnReadResult& read) {
    m_session.applyFileRead(read);
    m_monitorPanel->extMonitorBox()->setChecked(m_session.extMon());
    // Hidden before the commit tail, so that a programming run it starts shows its progress.
    HideStatusLine();
    CommitTail();
}

void TFormHlav::MenuSaveClick() {
    const QString path = m_desktop->parameterFileName(this, m_lastFilePath, true);
    if (!path.isEmpty()) {
        saveParameterFile(path);
    }
}

bool TFormHlav::saveParameterFile(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) {
        showFileError(QString::fromLocal8Bit(std::strerror(EISDIR)));
        return false;
    }
    PageHarvest();
    ConsistencyPass();
    PageRefresh();
    // Written beside its final place and renamed over it only once every byte is on disk, so
    // a failed save leaves an existing file as it was.
    QString reason;
    if (!writeFileAtomically(info.absoluteFilePath(),
                             IgnWriter::write(m_session.image(), m_session.extMon()), &reason)) {
        showFileError(reason);
        return false;
    }
    setFileName(info.absoluteFilePath());
    m_lastFilePath = info.absoluteFilePath();
    m_standing.fileHolds(m_session.image(), m_session.extMon());
    ShowWhereSetStands();
    return true;
}

// "Open file error!" with the system's reason (a full disk, no permission) below it.
void TFormHlav::showFileError(const QString& reason) {
    DesktopServices::Message message;
    message.text = QString::fromStdString(m_texts.TextOpenFileError);
    message.details = reason;
    m_desktop->messageBoxWithDetails(this, message);
}

} // namespace kordana
