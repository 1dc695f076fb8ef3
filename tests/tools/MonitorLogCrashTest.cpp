// A recording killed at any moment leaves a log the reader takes: every row written before
// the kill, at most the row being written lost.

#include "CliTestProcess.h"

#include "monitor/MonitorCsv.h"
#include "monitor/MonitorLog.h"
#include "storage/MonitorLogFile.h"

#include <gtest/gtest.h>

#include <QDir>

#include <csignal>
#include <random>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace kordana {
namespace {

constexpr int kKills = 12;
constexpr int kRowsBeforeKill = 3;

// A forked child that records rows 0, 1, 2, ... (engine speed = row number) until it is
// killed; it says on `ready` once kRowsBeforeKill rows are written.
pid_t forkRecorder(const QString& folder, int ready) {
    const pid_t pid = fork();
    if (pid != 0) {
        return pid;
    }
    MonitorLogFile log;
    if (!log.open(folder, QDateTime(QDate(2026, 12, 8), QTime(14, 3, 11)), monitorLogHeader())) {
        _exit(2);
    }
    MonitorFrame frame;
    for (std::uint16_t n = 0;; ++n) {
        frame.engineSpeed = n;
        if (!log.append(monitorLogRow("2026-12-08T14:03:11.000Z", n * 330, frame))) {
            _exit(1);
        }
        if (n + 1 == kRowsBeforeKill) {
            const char byte = 1;
            (void)!write(ready, &byte, 1);
        }
    }
}

TEST(MonitorLogCrash, AKilledRecordingLeavesAReadableLog) {
    clitest::ScratchDir dir;
    std::mt19937 dice(11);
    std::uniform_int_distribution<long> pause(0, 3000);
    for (int round = 0; round < kKills; ++round) {
        SCOPED_TRACE(round);
        const QString folder = QString::fromStdString(dir.file("round" + std::to_string(round)));
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t pid = forkRecorder(folder, ready[1]);
        ASSERT_GT(pid, 0);
        char byte = 0;
        ASSERT_EQ(read(ready[0], &byte, 1), 1); // the child has its rows out
        close(ready[0]);
        close(ready[1]);
        // Kill at a random point of the following rows, not as a wait for a result.
        const long us = pause(dice);
        const timespec wait{0, us * 1000};
        nanosleep(&wait, nullptr);
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        const QStringList files = QDir(folder).entryList({"*.csv"}, QDir::Files);
        ASSERT_EQ(files, QStringList{"2026-12-08_14-03-11.csv"});
        const MonitorLogRead read =
            readMonitorLogFile((folder + "/" + files.front()).toStdString());
        ASSERT_TRUE(read.log) << monitorLogErrorText(read.error, 0);
        const MonitorLog& log = *read.log;
        ASSERT_GE(log.rowCount(), static_cast<std::size_t>(kRowsBeforeKill));
        const auto rpm = *log.column("engine_speed_rpm");
        for (std::size_t r = 0; r < log.rowCount(); ++r) {
            ASSERT_EQ(log.values[rpm][r], static_cast<double>(r)) << "row " << r;
        }
    }
}

} // namespace
} // namespace kordana
