#pragma once

#include "monitor/MonitorFrame.h"
#include "storage/MonitorLogFile.h"

#include <QElapsedTimer>
#include <QString>

namespace kordana {

/// Log > Record monitor log: every intact monitor frame as one row of a log file, with the
/// time since recording began.
class MonitorRecording {
public:
    /// Begins a new log in `folder`. False when it cannot be written.
    bool start(const QString& folder);
    /// Writes the row of an intact frame. False (and recording stops) when the write failed.
    bool record(const MonitorFrame& frame);
    void stop();

    bool active() const { return m_file.isOpen(); }
    /// The log being written, or the last one.
    QString path() const { return m_file.path(); }
    /// Why the last write failed, in the system's words.
    QString errorString() const { return m_file.errorString(); }
    /// The status-bar indicator: "REC mm:ss" of the time since recording began.
    QString indicatorText() const;
    /// Whole seconds since recording began.
    qint64 elapsedSeconds() const;

private:
    MonitorLogFile m_file;
    QElapsedTimer m_clock;
};

} // namespace kordana
