// The monitor log: recording every monitor frame, the log window and its replay of the
// operating point.
#include "app/TFormHlav.h"

#include "app/LogWindow.h"
#include "app/MonitorRecording.h"
#include "lang/LogTexts.h"
#include "storage/MonitorLogFile.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>

namespace kordana {

void TFormHlav::buildLog() {
    m_recording = std::make_unique<MonitorRecording>();
    m_recIndicator = new QLabel(m_statusBar);
    m_recIndicator->setObjectName("LabelRecording");
    m_recIndicator->setStyleSheet("color: white; background: red; font-weight: bold; "
                                  "padding: 0 4px");
    m_recIndicator->hide();
    m_statusBar->addPermanentWidget(m_recIndicator);
    if (QAction* record = action("MenuRecordLog")) {
        record->setCheckable(true);
    }
    m_logWindow = new LogWindow(this);
    m_logWindow->setReplayHandler(
        [this](const MonitorLiveValues& live) { replayOperatingPoint(live); });
    // Closing the log gives the cursor back to the unit's live values.
    m_logWindow->setClosedHandler([this] {
        m_replay.reset();
        MarkOperatingPoint();
    });
}

bool TFormHlav::recordingLog() const {
    return m_recording->active();
}

QString TFormHlav::recordedLogPath() const {
    return m_recording->path();
}

void TFormHlav::MenuRecordLogClick() {
    if (m_recording->active()) {
        stopRecording();
        return;
    }
    if (m_logFolder.isEmpty() || !m_recording->start(m_logFolder)) {
        m_statusBar->showMessage(QString::fromStdString(
            std::string(logTextsFor(m_languageIndex).recordError) + m_logFolder.toStdString()));
    }
    showRecordingIndicator();
}

void TFormHlav::stopRecording() {
    m_recording->stop();
    showRecordingIndicator();
}

void TFormHlav::recordFrame(std::span<const std::uint8_t, kFrameSize> frame) {
    if (!m_recording->active()) {
        return;
    }
    const auto decoded = decodeMonitorFrame(frame);
    if (decoded && !m_recording->record(*decoded)) {
        // The recording has stopped; the rows before the failed one stay in the log.
        m_statusBar->showMessage(
            QString::fromStdString(std::string(logTextsFor(m_languageIndex).recordError) +
                                   m_recording->path().toStdString()) +
            ": " + m_recording->errorString());
        showRecordingIndicator();
    }
}

void TFormHlav::showRecordingIndicator() {
    const bool on = m_recording->active();
    if (QAction* record = action("MenuRecordLog")) {
        record->setChecked(on);
    }
    if (on) {
        // Set only when the second changes: a label's text change relayouts the status bar.
        const QString text = m_recording->indicatorText();
        if (m_recIndicator->text() != text) {
            m_recIndicator->setText(text);
        }
    }
    m_recIndicator->setVisible(on);
}

void TFormHlav::MenuOpenLogClick() {
    const QString folder = m_logFolder.isEmpty() ? MonitorLogFile::defaultFolder() : m_logFolder;
    const QString path = m_desktop->logFileName(this, folder);
    if (!path.isEmpty()) {
        openMonitorLog(path);
    }
}

bool TFormHlav::openMonitorLog(const QString& path) {
    return m_logWindow->openLog(path, m_languageIndex);
}

void TFormHlav::replayOperatingPoint(const MonitorLiveValues& live) {
    m_replay = live;
    MarkOperatingPoint();
}

} // namespace kordana
