#include "features/log/LogFeature.h"

#include "features/log/LogWindow.h"
#include "features/log/MonitorRecording.h"
#include "lang/LogTexts.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"
#include "storage/MonitorLogFile.h"

#include <QAction>
#include <QLabel>

namespace kordana {

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
    EventHub& hub = shell.hub();
    m_window = new LogWindow(&shell.mainWindow());
    // A replayed row is one more source of live values; closing the log gives the cursor back
    // to the unit's.
    m_window->setReplayHandler([&hub](const MonitorLiveValues& live) { hub.publishReplay(live); });
    m_window->setClosedHandler([&hub] { hub.endReplay(); });
    QObject::connect(&hub, &EventHub::monitorFrameDecoded, m_indicator,
                     [this](const MonitorFrame& frame) { record(frame); });
    QObject::connect(&hub, &EventHub::tick, m_indicator, [this] {
        if (recordingLog()) {
            showRecordingIndicator();
        }
    });
    // A log holds one unit's frames: the port may now lead to another unit.
    QObject::connect(&hub, &EventHub::unitReplaced, m_indicator, [this] { stopRecording(); });
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
