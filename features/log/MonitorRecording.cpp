#include "features/log/MonitorRecording.h"

#include "monitor/MonitorCsv.h"

#include <QDateTime>

namespace kordana {

bool MonitorRecording::start(const QString& folder) {
    if (!m_file.open(folder, QDateTime::currentDateTime(), markedLogHeader())) {
        return false;
    }
    m_clock.start();
    m_markers = 0;
    m_pendingMarker = 0;
    return true;
}

bool MonitorRecording::record(const MonitorFrame& frame) {
    // UTC, as kordana-cli writes it, so the two kinds of log read alike.
    const std::string timestamp =
        QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toStdString();
    if (m_file.append(markedLogRow(timestamp, m_clock.elapsed(), frame, m_pendingMarker))) {
        m_pendingMarker = 0;
        return true;
    }
    m_file.close();
    return false;
}

void MonitorRecording::stop() {
    m_file.close();
}

unsigned MonitorRecording::mark() {
    if (!active()) {
        return 0;
    }
    m_pendingMarker = ++m_markers;
    return m_pendingMarker;
}

qint64 MonitorRecording::elapsedSeconds() const {
    return m_clock.isValid() ? m_clock.elapsed() / 1000 : 0;
}

QString MonitorRecording::indicatorText() const {
    const qint64 seconds = elapsedSeconds();
    return QString("REC %1:%2")
        .arg(seconds / 60, 2, 10, QChar('0'))
        .arg(seconds % 60, 2, 10, QChar('0'));
}

} // namespace kordana
