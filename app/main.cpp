#include "app/SignalBridge.h"
#include "app/TFormHlav.h"

#include <QApplication>
#include <QStandardPaths>

#include <clocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
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
    // SIGTERM, SIGINT and SIGHUP close the window as Exit does, so settings and cache are saved.
    kordana::SignalBridge signalBridge;
    QObject::connect(&signalBridge, &kordana::SignalBridge::terminationRequested, &form,
                     &kordana::TFormHlav::MenuExitClick);
    form.FormCreate();
    form.show();
    return QApplication::exec();
}
