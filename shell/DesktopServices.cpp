#include "shell/DesktopServices.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QUrl>

namespace kordana {

namespace {

const char* const kOpenFilters = "Ignition Parametrs(*.ign);;All Files (*)";
const char* const kSaveFilters = "Ignition Parametrs(*.ign)";
const char* const kDefaultSuffix = "ign";

class QtDesktopServices final : public DesktopServices {
public:
    Answer messageBox(QWidget* parent, const QString& text, Buttons buttons) override {
        const QString title = parent != nullptr ? parent->windowTitle() : QString();
        if (buttons == Buttons::Ok) {
            QMessageBox::information(parent, title, text);
            return Answer::Ok;
        }
        switch (QMessageBox::question(parent, title, text,
                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
        }
    }

    Answer messageBoxWithDetails(QWidget* parent, const Message& message) override {
        QMessageBox box(parent);
        box.setWindowTitle(parent != nullptr ? parent->windowTitle() : QString());
        box.setText(message.text);
        box.setInformativeText(message.details);
        if (message.buttons != Buttons::SaveDiscard) {
            box.setIcon(QMessageBox::Information);
            box.setStandardButtons(message.buttons == Buttons::Ok
                                       ? QMessageBox::StandardButtons(QMessageBox::Ok)
                                       : QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            switch (box.exec()) {
            case QMessageBox::Ok:
                return Answer::Ok;
            case QMessageBox::Yes:
                return Answer::Yes;
            case QMessageBox::No:
                return Answer::No;
            default:
                return Answer::Cancel;
            }
        }
        box.setIcon(QMessageBox::Warning);
        QPushButton* save = box.addButton(message.yesCaption, QMessageBox::AcceptRole);
        box.addButton(message.noCaption, QMessageBox::DestructiveRole);
        box.setDefaultButton(save);
        box.exec();
        return box.clickedButton() == save ? Answer::Yes : Answer::No;
    }

    QString parameterFileName(QWidget* parent, const QString& startPath, bool save) override {
        QFileDialog dialog(parent);
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

    QString logFileName(QWidget* parent, const QString& folder) override {
        QFileDialog dialog(parent);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters({QStringLiteral("CSV (*.csv)"), QStringLiteral("* (*)")});
        dialog.setDirectory(folder);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        return dialog.selectedFiles().front();
    }
    QString pdfFileName(QWidget* parent, const QString& startPath) override {
        return saveFileName(parent, startPath, QStringLiteral("PDF (*.pdf)"),
                            QStringLiteral("pdf"));
    }
    QString csvFileName(QWidget* parent, const QString& startPath) override {
        return saveFileName(parent, startPath, QStringLiteral("CSV (*.csv)"),
                            QStringLiteral("csv"));
    }

    static QString saveFileName(QWidget* parent, const QString& startPath, const QString& filter,
                                const QString& suffix) {
        QFileDialog dialog(parent);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters({filter});
        dialog.setDefaultSuffix(suffix);
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

    std::unique_ptr<QPagedPaintDevice> defaultPrinter() override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            return nullptr;
        }
        auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer->setCopyCount(1);
        printer->setDocName(QCoreApplication::applicationName());
        return printer;
    }

    bool openDocument(const QUrl& url) override { return QDesktopServices::openUrl(url); }

    QString programDir() const override { return QCoreApplication::applicationDirPath(); }
};

} // namespace

std::unique_ptr<DesktopServices> makeDesktopServices() {
    return std::make_unique<QtDesktopServices>();
}

} // namespace kordana
