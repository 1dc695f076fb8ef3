// The File commands New, Open and Save, the motor-and-fuel preset choice that runs New, and the

#include "shell/QtText.h"
// offer to save the set when the settings cannot be written at close.
#include "features/files/FilesFeature.h"

#include "lang/FileTexts.h"
#include "params/DefaultSet.h"
#include "params/IgnWriter.h"
#include "params/ParameterFileLoader.h"
#include "params/ParameterTable.h"
#include "session/EditSession.h"
#include "settings/AtomicFile.h"
#include "settings/IniFile.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"
#include "shell/StatusLine.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include <cerrno>
#include <cstring>

namespace kordana {

namespace {

const char* const kSectionForm = "FORM_HLAV";

} // namespace

void FilesFeature::install(Shell& shell) {
    m_shell = &shell;
    installCommands();
    if (auto* bike = shell.mainWindow().findChild<QComboBox*>("ComboBoxBike")) {
        QObject::connect(bike, &QComboBox::activated, bike,
                         [this](int index) { ComboBoxBikeChange(index); });
    }
    // The set-state field: the set's file, then where the set stands.
    m_setFile = new QLabel(&shell.mainWindow());
    m_setFile->setObjectName("LabelSetFile");
    shell.addStatusBarWidget(m_setFile);
    m_setState = new QLabel(&shell.mainWindow());
    m_setState->setObjectName("LabelSetState");
    shell.addStatusBarWidget(m_setState);
    subscribe();
}

void FilesFeature::installCommands() {
    const struct {
        MenuItemSpec item;
        const char* button;
        ToolBarGlyph glyph;
        void (FilesFeature::*handler)();
    } commands[] = {
        {{"MenuNew", "&New", "Ctrl+N"},
         "SpeedButton6",
         ToolBarGlyph::New,
         &FilesFeature::MenuNewClick},
        {{"MenuOpen", "&Open", "F3"},
         "SpeedButton5",
         ToolBarGlyph::Open,
         &FilesFeature::MenuOpenClick},
        {{"MenuSave", "&Save", "F2"},
         "SpeedButton7",
         ToolBarGlyph::Save,
         &FilesFeature::MenuSaveClick},
    };
    for (const auto& command : commands) {
        const auto run = [this, handler = command.handler] { (this->*handler)(); };
        QAction* item = m_shell->addMenuItem(command.item);
        QObject::connect(item, &QAction::triggered, item, run);
        QAbstractButton* button = m_shell->addToolButton({command.button, nullptr, command.glyph});
        QObject::connect(button, &QAbstractButton::clicked, button, run);
    }
}

void FilesFeature::subscribe() {
    EventHub& hub = m_shell->hub();
    QObject* context = m_setState;
    QObject::connect(&hub, &EventHub::setChanged, context, [this] { ShowWhereSetStands(); });
    QObject::connect(&hub, &EventHub::setFileNamed, context, [this](const QString& path) {
        m_setFile->setText(QFileInfo(path).fileName());
        m_setFile->setToolTip(QDir::toNativeSeparators(path));
    });
    QObject::connect(&hub, &EventHub::pageShown, context, [this] { ShowWhereSetStands(); });
    QObject::connect(&hub, &EventHub::languageChanged, context, [this] { ShowWhereSetStands(); });
    QObject::connect(&hub, &EventHub::unitHoldsSet, context, [this](const ParameterImage& image) {
        m_standing.unitHolds(image);
        ShowWhereSetStands();
    });
    QObject::connect(&hub, &EventHub::unitSetUnknown, context, [this] {
        m_standing.forgetUnit();
        ShowWhereSetStands();
    });
}

void FilesFeature::loadSettings(const IniFile& settings) {
    m_shell->hub().nameSetFile(
        QString::fromStdString(settings.readString(kSectionForm, "File", "")));
    m_shell->hub().setLastFilePath(
        QString::fromStdString(settings.readString(kSectionForm, "IniDir", "")));
}

void FilesFeature::saveSettings(IniFile& settings) const {
    // A path with a line break is refused by the INI writer: the file keeps the path it had.
    settings.write(kSectionForm, "File", m_shell->hub().setFile().toStdString());
    settings.write(kSectionForm, "IniDir", m_shell->hub().lastFilePath().toStdString());
}

void FilesFeature::started() {
    rememberLastFile();
    ShowWhereSetStands();
}

void FilesFeature::MenuNewClick() {
    newAfterQuestion(m_shell->session().image());
}

void FilesFeature::newAfterQuestion(const ParameterImage& replaced) {
    if (m_shell->ask(m_shell->texts().TextDefaultQuery, DesktopServices::Buttons::YesNoCancel) !=
        DesktopServices::Answer::Yes) {
        return;
    }
    emit m_shell->hub().aboutToReplaceSet(SetHistoryCause::New, replaced);
    // Edits typed on the page and not committed are dropped: the defaults replace them.
    m_shell->session().newDefaultSet();
    // Hidden before the commit tail, so that a programming run it starts shows its progress.
    emit m_shell->hub().statusHideRequested();
    m_shell->CommitTail();
    m_shell->hub().nameSetFile(QString());
}

void FilesFeature::ComboBoxBikeChange(int index) {
    if (index < 0 || index >= static_cast<int>(kPresetCount)) {
        return;
    }
    // The preset stays chosen even when the question that follows is not answered Yes. With
    // New it is one step to undo. The set that New then replaces is the one before the choice,
    // with its own preset.
    EditSession& session = m_shell->session();
    const EditSession::StepGroup oneStep(session);
    const ParameterImage replaced = session.image();
    session.setPreset(static_cast<std::uint8_t>(index));
    newAfterQuestion(replaced);
}

void FilesFeature::MenuOpenClick() {
    const QString path = m_shell->desktop().parameterFileName(&m_shell->mainWindow(),
                                                              m_shell->hub().lastFilePath(), false);
    if (path.isEmpty() || !openParameterFile(path)) {
        emit m_shell->hub().statusHideRequested();
    }
}

bool FilesFeature::openParameterFile(const QString& path) {
    const QFileInfo info(path);
    EditSession& session = m_shell->session();
    // The loader opens only a regular file of sensible size, so a device or a pipe can neither
    // block nor flood the window. It reads over a staging copy; nothing is taken over unless
    // the whole file was read and it carries the right version.
    const ParameterFileLoad load =
        ParameterFileLoader::load(QFile::encodeName(info.absoluteFilePath()).toStdString(),
                                  session.image(), session.extMon());
    if (!load.fileRead()) {
        m_shell->showMessage(m_shell->texts().TextOpenFileError);
        return false;
    }
    if (!load.read.applicable()) {
        m_shell->showMessage(m_shell->texts().TextUnmatchedFile);
        return false;
    }
    emit m_shell->hub().aboutToReplaceSet(SetHistoryCause::Open, session.image());
    m_shell->takeOverSetFromFile(load.read, info.absoluteFilePath());
    fileChosen(info.absoluteFilePath());
    emit m_shell->hub().setOpened(info.absoluteFilePath());
    if (load.read.complete()) {
        m_standing.fileHolds(session.image(), session.extMon());
    } else {
        // Part of the set on screen comes from before: the file does not hold it.
        m_standing.forgetFile();
        showIncompleteFile(load.read);
    }
    ShowWhereSetStands();
    return true;
}

void FilesFeature::showIncompleteFile(const IgnReadResult& read) {
    // A programming run started by the commit tail keeps the status line for its progress.
    if (m_shell->hub().unitBusy()) {
        return;
    }
    const std::string text = incompleteFileText(m_shell->texts(), read.keysHeld,
                                                ParameterTable::instance().keys().size(),
                                                read.missingKeys, read.shortKeys);
    m_shell->showStatus(QString::fromStdString(text), true);
}

void FilesFeature::MenuSaveClick() {
    const QString path = m_shell->desktop().parameterFileName(&m_shell->mainWindow(),
                                                              m_shell->hub().lastFilePath(), true);
    if (!path.isEmpty()) {
        saveParameterFile(path);
    }
}

bool FilesFeature::saveParameterFile(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) {
        showFileError(QString::fromLocal8Bit(std::strerror(EISDIR)));
        return false;
    }
    m_shell->harvestShownPage();
    const EditSession& session = m_shell->session();
    // Written beside its final place and renamed over it only once every byte is on disk, so
    // a failed save leaves an existing file as it was.
    QString reason;
    if (!writeFileAtomically(info.absoluteFilePath(),
                             IgnWriter::write(session.image(), session.extMon()), &reason)) {
        showFileError(reason);
        return false;
    }
    m_shell->hub().nameSetFile(info.absoluteFilePath());
    fileChosen(info.absoluteFilePath());
    m_standing.fileHolds(session.image(), session.extMon());
    ShowWhereSetStands();
    emit m_shell->hub().setSaved(info.absoluteFilePath());
    return true;
}

void FilesFeature::fileChosen(const QString& absolutePath) {
    m_shell->hub().setLastFilePath(absolutePath);
}

// "Open file error!" with the system's reason (a full disk, no permission) below it.
void FilesFeature::showFileError(const QString& reason) {
    DesktopServices::Message message;
    message.text = QString::fromStdString(m_shell->texts().TextOpenFileError);
    message.details = reason;
    m_shell->desktop().messageBoxWithDetails(&m_shell->mainWindow(), message);
}

void FilesFeature::settingsNotWritten(const QString& path, const QString& reason) {
    const FileTexts texts = fileTextsFor(m_shell->languageIndex());
    DesktopServices::Message message;
    message.text = toQString(texts.exitWriteError) + QDir::toNativeSeparators(path) + "\n" +
                   toQString(texts.exitSaveQuery);
    message.details = reason;
    message.buttons = DesktopServices::Buttons::SaveDiscard;
    message.yesCaption = toQString(texts.exitSave);
    message.noCaption = toQString(texts.exitDiscard);
    // Asked again after a save that failed (its own message said why); a cancelled file
    // dialog closes without saving.
    DesktopServices& desktop = m_shell->desktop();
    while (desktop.messageBoxWithDetails(&m_shell->mainWindow(), message) ==
           DesktopServices::Answer::Yes) {
        const QString file =
            desktop.parameterFileName(&m_shell->mainWindow(), m_shell->hub().lastFilePath(), true);
        if (file.isEmpty() || saveParameterFile(file)) {
            return;
        }
    }
}

} // namespace kordana
