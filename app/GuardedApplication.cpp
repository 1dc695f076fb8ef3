#include "app/GuardedApplication.h"

#include <QMessageBox>

namespace kordana {

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv), showError([](const QString& text) {
          QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), text);
      }) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentException();
        // After the box: the window's state is unknown now, so the program ends without
        // saving settings or the image cache over the good ones of the previous run.
        QCoreApplication::exit(1);
        return false;
    }
}

void GuardedApplication::reportCurrentException() {
    m_failed = true;
    // A further failure while the box of the first one is open is not shown again; the
    // exit that follows ends the box's loop as well.
    if (m_reporting) {
        return;
    }
    m_reporting = true;
    showError(exceptionText(std::current_exception()));
    m_reporting = false;
}

QString exceptionText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

} // namespace kordana
