// The File and Help commands: New, Open, Save, Help contents, About, and the motor-and-fuel
// preset choice that runs New.
#include "app/TFormHlav.h"

#include "about/TFormAbout.h"
#include "params/DefaultSet.h"
#include "params/IgnWriter.h"
#include "params/ImageLayout.h"
#include "params/ParameterFileLoader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QSaveFile>
#include <QUrl>

namespace kordana {

namespace {

const char* const kOpenFilters = "Ignition Parametrs(*.ign);;All Files (*)";
const char* const kSaveFilters = "Ignition Parametrs(*.ign)";
const char* const kDefaultSuffix = "ign";

/// The file dialog of Open or Save, starting at the remembered file; empty text on cancel.
QString runFileDialog(TFormHlav& form, const QString& startPath, bool save) {
    QFileDialog dialog(&form);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(QString(save ? kSaveFilters : kOpenFilters).split(";;"));
    dialog.selectNameFilter(dialog.nameFilters().front());
    dialog.setDefaultSuffix(kDefaultSuffix);
    if (!startPath.isEmpty()) {
        const QFileInfo start(startPath);
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

} // namespace

void TFormHlav::showMessage(const std::string& text) {
    messageBox(*this, QString::fromStdString(text), Buttons::Ok);
}

void TFormHlav::MenuNewClick() {
    const Answer answer =
        messageBox(*this, QString::fromStdString(texts.TextDefaultQuery), Buttons::YesNoCancel);
    if (answer != Answer::Yes) {
        return;
    }
    // Edits typed on the page and not committed are dropped: the defaults replace them.
    applyDefaultSet(image);
    // Hidden before the commit tail, so that a programming run it starts shows its progress.
    HideStatusLine();
    CommitTail();
    LabelFile2->setText(QString());
}

void TFormHlav::ComboBoxBikeChange(int index) {
    if (index < 0 || index >= static_cast<int>(kPresetCount)) {
        return;
    }
    // The preset stays chosen even when the question that follows is not answered Yes.
    image[layout::kBike] = static_cast<std::uint8_t>(index);
    MenuNewClick();
}

void TFormHlav::MenuOpenClick() {
    const QString path = openFileDialog ? openFileDialog(*this, LastFilePath)
                                        : runFileDialog(*this, LastFilePath, false);
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
        ParameterFileLoader::load(QFile::encodeName(info.absoluteFilePath()).toStdString(), image,
                                  CheckBoxExtMonitor->isChecked());
    if (!load.fileRead()) {
        showMessage(texts.TextOpenFileError);
        return false;
    }
    const IgnReadResult& result = load.read;
    if (!result.applicable()) {
        showMessage(texts.TextUnmatchedFile);
        return false;
    }
    image = result.image;
    CheckBoxExtMonitor->setChecked(result.extMon);
    // Hidden before the commit tail, so that a programming run it starts shows its progress.
    HideStatusLine();
    CommitTail();
    LabelFile2->setText(info.absoluteFilePath());
    LastFilePath = info.absoluteFilePath();
    return true;
}

void TFormHlav::MenuSaveClick() {
    const QString path = saveFileDialog ? saveFileDialog(*this, LastFilePath)
                                        : runFileDialog(*this, LastFilePath, true);
    if (!path.isEmpty()) {
        saveParameterFile(path);
    }
}

bool TFormHlav::saveParameterFile(const QString& path) {
    const QFileInfo info(path);
    // The file is written beside its final place and renamed over it only once every byte is
    // on disk, so a failed save leaves an existing file as it was.
    QSaveFile file(info.absoluteFilePath());
    if (info.isDir() || !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        showMessage(texts.TextOpenFileError);
        return false;
    }
    PageHarvest();
    ConsistencyPass();
    PageRefresh();
    const std::string text = IgnWriter::write(image, CheckBoxExtMonitor->isChecked());
    const auto size = static_cast<qint64>(text.size());
    if (file.write(text.data(), size) != size) {
        file.cancelWriting();
        showMessage(texts.TextOpenFileError);
        return false;
    }
    if (!file.commit()) {
        showMessage(texts.TextOpenFileError);
        return false;
    }
    LabelFile2->setText(info.absoluteFilePath());
    LastFilePath = info.absoluteFilePath();
    return true;
}

void TFormHlav::MenuContensClick() {
    const QString name = QString::fromStdString(texts.TextHelpFile);
    QString dir = programDir;
    if (dir.isEmpty()) {
        // Beside the program in a build; an installed program finds it in its document folder.
        dir = QCoreApplication::applicationDirPath();
        const QString installed = dir + "/../share/doc/kordana";
        if (!QFileInfo(dir + "/" + name).isFile() && QFileInfo(installed + "/" + name).isFile()) {
            dir = installed;
        }
    }
    const QString path = dir + "/" + name;
    const QUrl url = QUrl::fromLocalFile(path);
    const bool opened = QFileInfo(path).isFile() &&
                        (openDocument ? openDocument(url) : QDesktopServices::openUrl(url));
    if (!opened) {
        showMessage(texts.TextHelpOpenError);
    }
}

void TFormHlav::MenuAboutClick() {
    if (FormAbout == nullptr) {
        FormAbout = new TFormAbout(this);
    }
    FormAbout->exec();
}

} // namespace kordana
