#pragma once

#include "app/TFormHlav.h"
#include "settings/AtomicFile.h"

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kordana::testing {

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
        m_form = std::make_unique<TFormHlav>(std::move(arguments), m_configDir);
        m_form->messageBox = [this](TFormHlav&, const QString& text, TFormHlav::Buttons) {
            messages.push_back(text);
            return nextAnswer;
        };
        m_form->FormCreate();
        m_form->show();
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
    std::vector<QString> messages;
    TFormHlav::Answer nextAnswer = TFormHlav::Answer::Ok;
};

} // namespace kordana::testing
