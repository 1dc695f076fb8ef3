#include "features/log/LogFeature.h"

#include "editors/MapGrid.h"
#include "features/log/LogAnalysisWindow.h"
#include "features/log/LogWindow.h"
#include "features/log/MonitorRecording.h"
#include "features/log/ReplayIndicator.h"
#include "lang/LogTexts.h"
#include "lang/LogToolTexts.h"
#include "monitor/LogRuns.h"
#include "session/EditSession.h"
#include "settings/IniFile.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"
#include "storage/MonitorLogFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QShortcut>

namespace kordana {

namespace {

const char* const kSectionKordana = "KORDANA";
const char* const kLogPanesKey = "LogPanes";

} // namespace

LogFeature::LogFeature() = default;
LogFeature::~LogFeature() = default;

void LogFeature::install(Shell& shell) {
    m_shell = &shell;
    m_recording = std::make_unique<MonitorRecording>();
    m_indicator = new QLabel(&shell.mainWindow());
    m_indicator->setObjectName("LabelRecording");
    m_indicator->setStyleSheet("color: white; background: red; font-weight: bold; "
                               "padding: 0 4px");
    m_indicator->hide();
    shell.addStatusBarWidget(m_indicator);
    if (QAction* item = shell.addMenuItem({"MenuRecordLog", "&Record monitor log", "Ctrl+R",
                                           /*checkable=*/true})) {
        QObject::connect(item, &QAction::triggered, m_indicator, [this] { MenuRecordLogClick(); });
    }
    if (QAction* item = shell.addMenuItem({"MenuOpenLog", "&Open log..."})) {
        QObject::connect(item, &QAction::triggered, m_indicator, [this] { MenuOpenLogClick(); });
    }
    connectLogWindow(shell);
    EventHub& hub = shell.hub();
    QObject::connect(&hub, &EventHub::monitorFrameDecoded, m_indicator,
                     [this](const MonitorFrame& frame) { record(frame); });
    QObject::connect(&hub, &EventHub::tick, m_indicator, [this] {
        if (recordingLog()) {
            showRecordingIndicator();
        }
    });
    // A log holds one unit's frames: the port may now lead to another unit.
    QObject::connect(&hub, &EventHub::unitReplaced, m_indicator, [this] { stopRecording(); });
    installMarker(shell);
    installReplay(shell);
    QObject::connect(m_window, &LogWindow::analysisRequested, m_indicator,
                     [this] { showAnalysis(); });
    QObject::connect(&hub, &EventHub::pageShown, m_indicator, [this](int page) {
        if (m_analysis != nullptr) {
            m_analysis->followPage(page);
        }
    });
    showRecordingIndicator();
}

void LogFeature::installMarker(Shell& shell) {
    if (QAction* item = shell.addMenuItem({"MenuLogMarker", "Set &marker", "Ctrl+M"})) {
        QObject::connect(item, &QAction::triggered, m_indicator, [this] { MenuLogMarkerClick(); });
    }
    if (QAbstractButton* button =
            shell.addToolButton({"SpeedButtonMarker", nullptr, ToolBarGlyph::Marker})) {
        QObject::connect(button, &QAbstractButton::clicked, m_indicator,
                         [this] { MenuLogMarkerClick(); });
    }
}

// While a log's row stands in for the unit's values the map cursor takes the replay colour
// and the status bar says "Replay"; a click on it, Esc or closing the log window end it.
void LogFeature::installReplay(Shell& shell) {
    EventHub& hub = shell.hub();
    m_replay = new ReplayIndicator(&shell.mainWindow());
    shell.addStatusBarWidget(m_replay);
    QObject::connect(m_replay, &ReplayIndicator::clicked, m_replay, [this] { returnToLive(); });
    for (QWidget* window : {&shell.mainWindow(), static_cast<QWidget*>(m_window)}) {
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
        escape->setObjectName("ShortcutReplayEscape");
        escape->setEnabled(false);
        QObject::connect(escape, &QShortcut::activated, m_replay, [this] { returnToLive(); });
    }
    QObject::connect(m_window, &LogWindow::replayTurnedOff, m_replay, [&hub] { hub.endReplay(); });
    QObject::connect(&hub, &EventHub::replayChanged, m_replay, [this](bool on) {
        m_shell->mapGrid().setReplayMark(on);
        m_replay->setVisible(on);
        for (QShortcut* escape :
             m_shell->mainWindow().findChildren<QShortcut*>("ShortcutReplayEscape")) {
            escape->setEnabled(on);
        }
    });
}

void LogFeature::returnToLive() {
    m_shell->hub().endReplay();
}

void LogFeature::applyLanguage(std::uint8_t index) {
    m_window->setLanguage(index);
    m_replay->setToolTip(QString::fromUtf8(logToolTextsFor(index).replayHint.data()));
    if (m_analysis != nullptr) {
        m_analysis->applyLanguage(index);
    }
}

LogAnalysisWindow* LogFeature::showAnalysis() {
    if (m_analysis == nullptr) {
        m_analysis = new LogAnalysisWindow(*m_shell, *m_window, m_window);
        QObject::connect(m_window, &LogWindow::logShown, m_analysis,
                         [this] { m_analysis->takeLog(); });
        QObject::connect(m_window, &LogWindow::timeRangeShown, m_analysis,
                         [this](double from, double to) { m_analysis->showRange(from, to); });
        m_analysis->takeLog();
    }
    m_analysis->show();
    m_analysis->raise();
    return m_analysis;
}

void LogFeature::MenuLogMarkerClick() {
    if (const unsigned number = m_recording->mark(); number > 0) {
        m_shell->showStatusBarText(
            QString::fromUtf8(logToolTextsFor(m_shell->languageIndex()).markerSet.data())
                .arg(number));
    }
}

void LogFeature::connectLogWindow(Shell& shell) {
    EventHub& hub = shell.hub();
    m_window = new LogWindow(&shell.mainWindow());
    // A replayed row is one more source of live values; closing the log gives the cursor back
    // to the unit's.
    m_window->setReplayHandler([&hub](const MonitorLiveValues& live) { hub.publishReplay(live); });
    m_window->setClosedHandler([&hub] { hub.endReplay(); });
    // The alarm and limiter lines are the set's as it stands now.
    m_window->setThresholdSource([&shell]() -> std::optional<LogThresholds> {
        return logThresholds(shell.session().image());
    });
    QObject::connect(&hub, &EventHub::setChanged, m_window,
                     [this] { m_window->refreshThresholds(); });
    m_window->setCompareChooser([this] {
        const QString folder = m_folder.isEmpty() ? MonitorLogFile::defaultFolder() : m_folder;
        return m_shell->desktop().logFileName(m_window, folder);
    });
}

// The panes are kept only once they differ from the first look, so a settings file of a
// window that never changed them holds no key of the log window.
void LogFeature::loadSettings(const IniFile& settings) {
    if (const auto text = settings.value(kSectionKordana, kLogPanesKey)) {
        const LogLayout layout = LogLayout::parse(*text);
        m_window->setPaneLayout(layout.panes.empty() ? defaultLogLayout() : layout);
    }
}

void LogFeature::saveSettings(IniFile& settings) const {
    const LogLayout& layout = m_window->paneLayout();
    if (layout != defaultLogLayout() || settings.value(kSectionKordana, kLogPanesKey)) {
        settings.write(kSectionKordana, kLogPanesKey, layout.text());
    }
}

void LogFeature::shutDown() {
    stopRecording();
}

bool LogFeature::recordingLog() const {
    return m_recording->active();
}

QString LogFeature::recordedLogPath() const {
    return m_recording->path();
}

void LogFeature::MenuRecordLogClick() {
    if (m_recording->active()) {
        stopRecording();
        return;
    }
    if (m_folder.isEmpty()) {
        showRecordError(m_folder);
    } else if (!m_recording->start(m_folder)) {
        showRecordError(m_folder + ": " + m_recording->errorString());
    }
    showRecordingIndicator();
}

void LogFeature::stopRecording() {
    m_recording->stop();
    showRecordingIndicator();
}

void LogFeature::record(const MonitorFrame& frame) {
    if (m_recording->active() && !m_recording->record(frame)) {
        // The recording has stopped; the rows before the failed one stay in the log.
        showRecordError(m_recording->path() + ": " + m_recording->errorString());
        showRecordingIndicator();
    }
}

void LogFeature::showRecordError(const QString& path) {
    m_shell->showStatusBarText(QString::fromStdString(
        std::string(logTextsFor(m_shell->languageIndex()).recordError) + path.toStdString()));
}

void LogFeature::showRecordingIndicator() {
    const bool on = m_recording->active();
    if (QAction* item = m_shell->mainWindow().findChild<QAction*>("MenuRecordLog")) {
        item->setChecked(on);
    }
    // A marker goes into the log being recorded: without one there is nothing to mark.
    if (QAction* item = m_shell->mainWindow().findChild<QAction*>("MenuLogMarker")) {
        item->setEnabled(on);
    }
    if (auto* button = m_shell->mainWindow().findChild<QAbstractButton*>("SpeedButtonMarker")) {
        button->setEnabled(on);
    }
    if (on) {
        // Set only when the second changes: a label's text change relayouts the status bar.
        const QString text = m_recording->indicatorText();
        if (m_indicator->text() != text) {
            m_indicator->setText(text);
        }
    }
    m_indicator->setVisible(on);
}

void LogFeature::MenuOpenLogClick() {
    const QString folder = m_folder.isEmpty() ? MonitorLogFile::defaultFolder() : m_folder;
    const QString path = m_shell->desktop().logFileName(&m_shell->mainWindow(), folder);
    if (!path.isEmpty()) {
        openMonitorLog(path);
    }
}

bool LogFeature::openMonitorLog(const QString& path) {
    return m_window->openLog(path, m_shell->languageIndex());
}

} // namespace kordana
