#include "app/SignalBridge.h"
#include "app/TFormHlav.h"

#include <QApplication>
#include <QStandardPaths>

#include <clocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // SIGTERM, SIGINT and SIGHUP close the window as Exit does, so settings and cache are
    // saved; a signal that comes during start-up is handled once the window runs.
    kordana::SignalBridge signalBridge;
    // The monitor's number formats are fixed ("%4.1f" with a point) in every language; the
    // toolkit switches to the user's locale, so the C number format is restored.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("kordana");
    QApplication::setOrganizationName(QString());
    QApplication::setWindowIcon(QIcon(":/icons/kordana.png"));

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);

    kordana::TFormHlav form(arguments, configDir);
    bool terminating = false;
    QObject::connect(&signalBridge, &kordana::SignalBridge::terminationRequested, &form, [&] {
        terminating = true;
        // A message box of the start-up (a port that did not open) must not keep us alive.
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
        form.MenuExitClick();
        QApplication::quit();
    });
    form.FormCreate();
    if (terminating) {
        return 0;
    }
    form.show();
    return QApplication::exec();
}
