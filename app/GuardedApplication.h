#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>

namespace kordana {

/// The program's application object. An exception cannot travel on through the toolkit's
/// event loop: one that escapes an event handler is shown and the program ends with exit
/// code 1, instead of aborting without a word.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    /// Delivers `event`; an exception from its handler is reported and every running event
    /// loop is told to exit with code 1.
    bool notify(QObject* receiver, QEvent* event) override;
    /// Reports the exception being handled; call it from a catch block (main's own, for
    /// construction and the creation handler).
    void reportCurrentException();
    /// True once an exception has been reported.
    bool failed() const { return m_failed; }

    /// Shows the text of a failure; a critical message box unless replaced (tests).
    std::function<void(const QString& text)> showError;

private:
    bool m_failed = false;
    bool m_reporting = false;
};

/// The text shown for an exception: its what(), or "Unknown error" for anything that is not
/// a std::exception.
QString exceptionText(const std::exception_ptr& error);

} // namespace kordana
