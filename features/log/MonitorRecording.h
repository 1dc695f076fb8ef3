#pragma once

#include "monitor/MonitorFrame.h"
#include "storage/MonitorLogFile.h"

#include <QElapsedTimer>
#include <QString>

namespace kordana {

/// Log > Record monitor log: every intact monitor frame as one row of a log file, with the
/// time since recording began and the technician's markers in the marker column.
class MonitorRecording {
public:
    /// Begins a new log in `folder`. False when it cannot be written.
    bool start(const QString& folder);
    /// Writes the row of an intact frame. False (and recording stops) when the write failed.
    bool record(const MonitorFrame& frame);
    void stop();
    /// Sets the next marker: the next row written carries its number (1, 2, 3, ... in each
    /// log). Returns the number, or 0 while no log is being written.
    unsigned mark();

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
    unsigned m_markers = 0;       // markers set in this log
    unsigned m_pendingMarker = 0; // the number the next row carries, 0: none
};

} // namespace kordana
