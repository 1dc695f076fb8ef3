#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>

#include <string>

namespace kordana {

/// One monitor log being written: a CSV file named after the time recording began
/// ("2026-12-08_14-03-11.csv", "-2" and on when that name is taken). Every line goes to the
/// system in one write, so a program that dies loses at most the line it was writing.
class MonitorLogFile {
public:
    /// Where the window keeps its logs: "logs" in the user's application data folder.
    static QString defaultFolder();

    /// Creates `folder` if needed and a new log named after `start` (local time), and writes
    /// `header` as its first line. False when the folder or the file cannot be made or written;
    /// errorString() then says why.
    bool open(const QString& folder, const QDateTime& start, const std::string& header);
    /// Starts the log at `path`, a file the user named (replaced when it exists), and writes
    /// `header` as its first line. False when the file cannot be written.
    bool openAt(const QString& path, const std::string& header);
    /// Writes `line` and its line end. False when the system did not take all of it; the log
    /// is then closed, as a line written in part would spoil every later row.
    bool append(const std::string& line);
    /// Why the last open or write failed, in the system's words.
    QString errorString() const { return m_error; }
    void close();

    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }

private:
    QFile m_file;
    QString m_error;
};

} // namespace kordana
