#include "app/GuardedApplication.h"
#include "app/SignalBridge.h"
#include "app/TFormHlav.h"
#include "features/history/HistoryFeature.h"
#include "features/log/LogFeature.h"
#include "kordana/Version.h"
#include "library/LibraryFolder.h"
#include "storage/MonitorLogFile.h"

#include <QStandardPaths>

#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

int run(kordana::GuardedApplication& app) {
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
    // With the application name above and no organisation, the replaced sets go to
    // $XDG_DATA_HOME/kordana/history.
    form.feature<kordana::HistoryFeature>()->setHistoryFolder(kordana::SetHistory::defaultFolder());
    // ... the tune library to $XDG_DATA_HOME/kordana/library, unless [KORDANA] LibraryFolder
    // names another folder (opened once the window has started) ...
    form.feature<kordana::HistoryFeature>()->setLibraryFolder(
        QString::fromStdString(kordana::defaultLibraryFolder().string()));
    // ... and the monitor logs to $XDG_DATA_HOME/kordana/logs.
    form.feature<kordana::LogFeature>()->setLogFolder(kordana::MonitorLogFile::defaultFolder());
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
    // A handler that failed during start-up has been reported already.
    if (app.failed()) {
        return 1;
    }
    if (terminating) {
        return 0;
    }
    form.show();
    const int code = QApplication::exec();
    return app.failed() ? 1 : code;
}

} // namespace

int main(int argc, char* argv[]) {
    // Answered before the toolkit starts, so it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("kordana %s\n", kordana::kVersion);
        return 0;
    }
    kordana::GuardedApplication app(argc, argv);
    try {
        return run(app);
    } catch (...) {
        // Construction or the creation handler failed outside any event handler.
        app.reportCurrentException();
        return 1;
    }
}
