#pragma once

#include <QString>

#include <memory>

class QPagedPaintDevice;
class QUrl;
class QWidget;

namespace kordana {

/// What the window asks of the desktop: message boxes, file dialogs, the document viewer and
/// where the program lives. The window gets one at construction; tests pass their own, so no
/// modal loop or viewer ever starts in a test.
class DesktopServices {
public:
    /// Message box answers, independent of the widget toolkit's enum values.
    enum class Answer { Ok, Yes, No, Cancel };
    /// SaveDiscard: two buttons captioned by the caller, answering Yes (save) or No.
    enum class Buttons { Ok, YesNoCancel, SaveDiscard };

    /// A message box with a line of detail (the system's reason for a failure) under its text,
    /// and for SaveDiscard the captions of its two buttons.
    struct Message {
        QString text;
        QString details;
        Buttons buttons = Buttons::Ok;
        QString yesCaption;
        QString noCaption;
    };

    virtual ~DesktopServices() = default;

    /// Shows `text` in a modal message box over `parent` and returns the answer.
    virtual Answer messageBox(QWidget* parent, const QString& text, Buttons buttons) = 0;
    /// Shows `message` modally; by default as messageBox of the text and the details below it.
    virtual Answer messageBoxWithDetails(QWidget* parent, const Message& message) {
        const QString text =
            message.details.isEmpty() ? message.text : message.text + "\n\n" + message.details;
        return messageBox(parent, text, message.buttons);
    }
    /// Asks for a parameter file to open (`save` false) or save, starting at `startPath`;
    /// returns the chosen path, or empty text on cancel.
    virtual QString parameterFileName(QWidget* parent, const QString& startPath, bool save) = 0;
    /// Asks where to write a PDF document, proposing `startPath`; returns the chosen path (with
    /// the ".pdf" suffix), or empty text on cancel.
    virtual QString pdfFileName(QWidget* parent, const QString& startPath) = 0;
    /// Asks for a monitor log to open, starting in `folder`; empty text on cancel.
    virtual QString logFileName(QWidget* parent, const QString& folder) = 0;
    /// Asks where to write a CSV file, proposing `startPath`; returns the chosen path (with the
    /// ".csv" suffix), or empty text on cancel.
    virtual QString csvFileName(QWidget* parent, const QString& startPath) = 0;
    /// The system's default printer, set for one copy, to print on without a dialog; null when
    /// the system has no printer.
    virtual std::unique_ptr<QPagedPaintDevice> defaultPrinter() = 0;
    /// Opens a document with the desktop's viewer; false when it cannot.
    virtual bool openDocument(const QUrl& url) = 0;
    /// The folder of the program's executable (the help document is looked for there).
    virtual QString programDir() const = 0;
};

/// The real desktop: Qt's message boxes and file dialogs, QDesktopServices.
std::unique_ptr<DesktopServices> makeDesktopServices();

} // namespace kordana
