// kordana-manual-shots: the pictures of the user manual, taken from the real window.
// Usage: kordana-manual-shots FOLDER
// Runs the main window with a settings folder of its own (no serial device, no message box
// waiting for an answer), shows its pages and windows and writes each as FOLDER/NAME.png, so
// the manual always shows the program as it is built.
#include "EngineFrame.h"
#include "app/TFormHlav.h"
#include "features/log/LogAnalysisWindow.h"
#include "features/log/LogFeature.h"
#include "features/log/LogWindow.h"
#include "features/unit/CompareWindow.h"
#include "params/ImageLayout.h"
#include "params/ParameterDiff.h"
#include "settings/AtomicFile.h"
#include "shell/DesktopServices.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPagedPaintDevice>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUrl>

#include <clocale>
#include <cstdio>
#include <memory>

namespace kordana {
namespace {

/// A desktop that answers every question at once and opens nothing.
class QuietDesktop final : public DesktopServices {
public:
    Answer messageBox(QWidget*, const QString&, Buttons) override { return Answer::No; }
    QString parameterFileName(QWidget*, const QString&, bool) override { return {}; }
    QString pdfFileName(QWidget*, const QString&) override { return {}; }
    QString logFileName(QWidget*, const QString&) override { return {}; }
    QString csvFileName(QWidget*, const QString&) override { return {}; }
    std::unique_ptr<QPagedPaintDevice> defaultPrinter() override { return nullptr; }
    bool openDocument(const QUrl&) override { return false; }
    QString programDir() const override { return QApplication::applicationDirPath(); }
};

class Shots {
public:
    explicit Shots(QString folder) : m_folder(std::move(folder)) {}

    bool take(QWidget& widget, const char* name) {
        QApplication::processEvents();
        const QString path = m_folder + "/" + name + ".png";
        if (!widget.grab().save(path, "PNG")) {
            std::fprintf(stderr, "kordana-manual-shots: cannot write %s\n", qPrintable(path));
            m_failed = true;
        }
        return !m_failed;
    }
    bool failed() const { return m_failed; }

private:
    QString m_folder;
    bool m_failed = false;
};

void trigger(TFormHlav& form, const char* item) {
    if (QAction* action = form.action(item)) {
        action->trigger();
    }
}

// The set differs from a unit in a few values; the compare window lists them.
void showComparison(TFormHlav& form) {
    ParameterImage unit = form.session().image();
    unit[layout::kLimiter + 1] = static_cast<std::uint8_t>(unit[layout::kLimiter + 1] - 4);
    unit[layout::mapCell(0, 3, 4)] = static_cast<std::uint8_t>(unit[layout::mapCell(0, 3, 4)] + 2);
    unit[layout::mapCell(0, 4, 4)] = static_cast<std::uint8_t>(unit[layout::mapCell(0, 4, 4)] + 1);
    unit[layout::mapCell(3, 8, 9)] = static_cast<std::uint8_t>(unit[layout::mapCell(3, 8, 9)] + 3);
    auto* window = form.findChild<CompareWindow*>("FormCompare");
    if (window != nullptr) {
        window->showDifferences(diffParameterSets(DiffSide{form.session().image(), std::nullopt},
                                                  DiffSide{unit, std::nullopt}),
                                false);
    }
}

// The monitor and the lime cell as the simulated engine shows them a while into its dyno run
// (warm, holding a cell at part throttle).
void showEngine(TFormHlav& form) {
    const Frame frame = simulatedEngineFrame(95000);
    form.ShowMonitorFrame(frame);
    form.MarkOperatingPoint();
}

void takePages(TFormHlav& form, Shots& shots) {
    auto* pages = form.findChild<QTabWidget*>("PageControl1");
    const struct {
        int page;
        const char* name;
    } shown[] = {{0, "window-ign1"}, {9, "page-position"}, {10, "page-servo"},
                 {11, "page-knock"}, {12, "page-various"}, {13, "page-corrections"}};
    for (const auto& [page, name] : shown) {
        pages->setCurrentIndex(page);
        shots.take(page == 0 ? static_cast<QWidget&>(form) : *pages, name);
    }
    pages->setCurrentIndex(3);
    trigger(form, "MenuHeatMap");
    shots.take(form, "window-jet1a-heat");
    trigger(form, "MenuHeatMap");
    pages->setCurrentIndex(0);
}

void takeWindows(TFormHlav& form, Shots& shots) {
    const struct {
        const char* item;
        const char* window;
        const char* name;
    } windows[] = {
        {"MenuEarlierSets", "FormEarlierSets", "earlier-sets"},
        {"MenuAssignDevice", "FormAssignDevice", "assign-device"},
        {"MenuTuningAssistant", "FormAssistant", "assistant"},
    };
    for (const auto& [item, name, file] : windows) {
        trigger(form, item);
        if (auto* window = form.findChild<QWidget*>(name)) {
            shots.take(*window, file);
            window->close();
        }
    }
    showComparison(form);
    if (auto* window = form.findChild<QWidget*>("FormCompare")) {
        window->resize(640, 300);
        shots.take(*window, "compare");
        window->close();
    }
}

// A minute of the simulated engine on its lap, recorded with two markers, in the log window
// with the time cursor on the second marker, and its analysis on the scatter.
void takeLog(TFormHlav& form, Shots& shots, const QString& folder) {
    const QString path = folder + "/2026-12-08_14-03-11.csv";
    LogFeature* log = form.feature<LogFeature>();
    if (log == nullptr || !writeFileAtomically(path, simulatedTrackLog(60, 100, {14, 38})) ||
        !log->openMonitorLog(path)) {
        std::fprintf(stderr, "kordana-manual-shots: cannot show the log %s\n", qPrintable(path));
        return;
    }
    LogWindow& window = *log->logWindow();
    // The picture names the log where the recording puts it, not the build's passing folder.
    if (auto* file = window.findChild<QLabel*>("LabelLogFile")) {
        file->setText("~/.local/share/kordana/logs/2026-12-08_14-03-11.csv");
    }
    window.resize(1000, 620);
    window.jumpToMarker(1);
    shots.take(window, "log-window");
    if (LogAnalysisWindow* analysis = log->showAnalysis()) {
        analysis->resize(760, 560);
        shots.take(*analysis, "log-analysis");
        analysis->close();
    }
    window.close();
}

} // namespace
} // namespace kordana

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc != 2) {
        std::fprintf(stderr, "usage: kordana-manual-shots FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    QTemporaryDir config;
    // COM1 leads nowhere: the window starts as it does without a unit.
    QFile ini(config.path() + "/Kordana_R_2006.ini");
    if (!ini.open(QIODevice::WriteOnly) ||
        ini.write(("[PORTS]\nCOM1=" + config.path() + "/no-device\n").toUtf8()) < 0) {
        return 1;
    }
    ini.close();
    kordana::TFormHlav form({}, config.path(), std::make_unique<kordana::QuietDesktop>());
    form.FormCreate();
    form.resize(1100, 860);
    form.show();
    kordana::showEngine(form);
    kordana::Shots shots(folder);
    kordana::takePages(form, shots);
    kordana::takeWindows(form, shots);
    kordana::takeLog(form, shots, config.path());
    return shots.failed() ? 1 : 0;
}
