#pragma once

#include "app/TFormHlav.h"
#include "settings/AtomicFile.h"

#include <QApplication>
#include <QDir>
#include <QPagedPaintDevice>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace kordana {

/// Writes image byte `index` as the link does: straight into the image, no pass; the next
/// command or refresh sees it.
inline void setImageByte(TFormHlav& form, std::size_t index, std::uint8_t value) {
    form.session().imageForLink()[index] = value;
}

/// A stored byte of the window's image that reads and assigns like a plain byte.
class StoredByte {
public:
    StoredByte(TFormHlav& form, std::size_t index) : m_form(form), m_index(index) {}
    operator std::uint8_t() const { return m_form.session().image()[m_index]; }
    StoredByte& operator=(std::uint8_t value) {
        setImageByte(m_form, m_index, value);
        return *this;
    }
    friend void PrintTo(const StoredByte& byte, std::ostream* os) {
        *os << static_cast<int>(static_cast<std::uint8_t>(byte));
    }

private:
    TFormHlav& m_form;
    std::size_t m_index;
};

/// The All flags of the nine map pages set at once, as the image cache would.
inline void setAllFlags(TFormHlav& form, const AllFlags& flags) {
    for (std::size_t p = 0; p < flags.size(); ++p) {
        form.session().setAllFlag(static_cast<int>(p), flags[p] != 0);
    }
}

/// The child of the window called `name`.
template <class T>
T* childNamed(const QWidget& window, const char* name) {
    return window.findChild<T*>(name);
}

} // namespace kordana

namespace kordana::testing {

/// The desktop of a test: message boxes are recorded and answered with `nextAnswer` instead of
/// opening a modal loop; file dialogs and the document viewer answer through the hooks, or
/// are the real ones when a hook is empty.
class TestDesktop final : public DesktopServices {
public:
    TestDesktop(std::vector<QString>& messages, const Answer& nextAnswer)
        : m_messages(messages), m_nextAnswer(nextAnswer) {}

    Answer messageBox(QWidget* parent, const QString& text, Buttons) override {
        if (onMessage) {
            onMessage(parent);
        }
        m_messages.push_back(text);
        return m_nextAnswer;
    }
    /// Records the text among the messages, and its details and captioned buttons ("Save |
    /// Close without saving") in `detailLog`, which outlives the window.
    Answer messageBoxWithDetails(QWidget* parent, const Message& message) override {
        if (detailLog != nullptr) {
            detailLog->push_back(
                {message.details, message.buttons == Buttons::SaveDiscard
                                      ? message.yesCaption + " | " + message.noCaption
                                      : QString()});
        }
        return messageBox(parent, message.text, message.buttons);
    }
    QString parameterFileName(QWidget* parent, const QString& start, bool save) override {
        const auto& hook = save ? saveDialog : openDialog;
        return hook ? hook(start) : m_real->parameterFileName(parent, start, save);
    }
    QString pdfFileName(QWidget* parent, const QString& start) override {
        return pdfDialog ? pdfDialog(start) : m_real->pdfFileName(parent, start);
    }
    QString logFileName(QWidget* parent, const QString& folder) override {
        return logDialog ? logDialog(folder) : m_real->logFileName(parent, folder);
    }
    QString csvFileName(QWidget* parent, const QString& start) override {
        return csvDialog ? csvDialog(start) : m_real->csvFileName(parent, start);
    }
    /// No test ever prints on a real printer: without a hook there is no printer.
    std::unique_ptr<QPagedPaintDevice> defaultPrinter() override {
        return printer ? printer() : nullptr;
    }
    bool openDocument(const QUrl& url) override {
        return documentOpener ? documentOpener(url) : m_real->openDocument(url);
    }
    QString programDir() const override {
        return programDirectory.isEmpty() ? m_real->programDir() : programDirectory;
    }

    struct Detail {
        QString details;
        QString buttons;
    };
    std::vector<Detail>* detailLog = nullptr;
    /// Hears the window every message box is shown over, as the box comes.
    std::function<void(QWidget* parent)> onMessage;
    std::function<QString(const QString& start)> openDialog;
    std::function<QString(const QString& start)> saveDialog;
    std::function<QString(const QString& start)> pdfDialog;
    std::function<QString(const QString& folder)> logDialog;
    std::function<QString(const QString& start)> csvDialog;
    std::function<std::unique_ptr<QPagedPaintDevice>()> printer;
    std::function<bool(const QUrl&)> documentOpener;
    QString programDirectory;

private:
    std::vector<QString>& m_messages;
    const Answer& m_nextAnswer;
    std::unique_ptr<DesktopServices> m_real = makeDesktopServices();
};

/// A main window in a configuration folder of its own. Message boxes are recorded and
/// answered with `nextAnswer` instead of opening a modal loop. COM1 points at a path that
/// does not exist, so no test ever opens a real serial device.
class FormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_configDir = m_dir.path() + "/kordana";
    }

    /// Writes the settings file before the window is created.
    void writeSettings(const std::string& text) {
        QDir().mkpath(m_configDir);
        ASSERT_TRUE(writeFileAtomically(m_configDir + "/Kordana_R_2006.ini", text));
    }

    std::string readFile(const QString& name) const {
        return readWholeFile(m_configDir + "/" + name).value_or("<missing>");
    }

    /// Creates the window and runs its creation handler.
    TFormHlav& createForm(QStringList arguments = {}) {
        QDir().mkpath(m_configDir);
        const QString ini = m_configDir + "/Kordana_R_2006.ini";
        if (!readWholeFile(ini)) {
            writeFileAtomically(ini, "[PORTS]\nCOM1=" + noDevice() + "\nCOM2=" + noDevice() + "\n");
        }
        auto desktop = std::make_unique<TestDesktop>(messages, nextAnswer);
        desktop->detailLog = &messageDetails;
        m_desktop = desktop.get();
        m_form = std::make_unique<TFormHlav>(std::move(arguments), m_configDir, std::move(desktop));
        m_form->FormCreate();
        m_form->show();
        // What waits for the window to stand on the screen (a start-up message) runs now.
        QCoreApplication::sendPostedEvents(m_form.get(), QEvent::MetaCall);
        return *m_form;
    }

    /// Closes the window as the Exit command does (settings and cache are written).
    void closeForm() {
        if (m_form) {
            m_form->close();
            m_form.reset();
        }
    }

    void TearDown() override { closeForm(); }

    std::string noDevice() const { return (m_dir.path() + "/no-such-tty").toStdString(); }

    QTemporaryDir m_dir;
    QString m_configDir;
    std::unique_ptr<TFormHlav> m_form;
    TestDesktop* m_desktop = nullptr;
    std::vector<QString> messages;
    /// The details and buttons of the messages shown with details, in order.
    std::vector<TestDesktop::Detail> messageDetails;
    TFormHlav::Answer nextAnswer = TFormHlav::Answer::Ok;

    TestDesktop& desktop() { return *m_desktop; }
};

} // namespace kordana::testing
