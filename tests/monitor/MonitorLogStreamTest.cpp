// Monitor logs read in pieces: larger than one piece of the reader, with its progress, its
// cancel, and its limit on the values a log may hold.
#include "monitor/MonitorLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace kordana {
namespace {

const std::string kHeader = "timestamp,elapsed_s,engine_speed_rpm,throttle_pct\n";

// Row r of a log of short rows: its timestamp text, time, speed and throttle.
std::string shortRow(int r) {
    return "t" + std::to_string(r) + "," + std::to_string(r) + ".5," +
           std::to_string(800 + r % 5000) + "," + std::to_string(r % 101) + "\n";
}

class MonitorLogStream : public ::testing::Test {
protected:
    std::string write(const std::string& text) {
        const std::string path = std::filesystem::temp_directory_path().string() +
                                 "/kordana-log-stream-" + std::to_string(getpid()) + "-" +
                                 std::to_string(m_paths.size()) + ".csv";
        std::ofstream(path, std::ios::binary) << text;
        m_paths.push_back(path);
        return path;
    }
    ~MonitorLogStream() override {
        for (const std::string& path : m_paths) {
            std::filesystem::remove(path);
        }
    }

    std::vector<std::string> m_paths;
};

// 120,000 rows of 20 to 30 bytes: about 2.7 MB, so rows lie across the reader's 1 MiB pieces.
constexpr int kRows = 120000;

std::string shortLog(int rows) {
    std::string text = kHeader;
    for (int r = 0; r < rows; ++r) {
        text += shortRow(r);
    }
    return text;
}

TEST_F(MonitorLogStream, EveryRowOfALogOfManyPiecesIsReadAsWritten) {
    const std::string text = shortLog(kRows);
    ASSERT_GT(text.size(), 2u << 20);
    const std::string path = write(text);
    for (const MonitorLogRead& read : {readMonitorLogFile(path), parseMonitorLog(text)}) {
        ASSERT_TRUE(read.log) << monitorLogErrorText(read.error, 0);
        const MonitorLog& log = *read.log;
        ASSERT_EQ(log.rowCount(), static_cast<std::size_t>(kRows));
        const std::vector<double>& rpm = log.values[*log.column("engine_speed_rpm")];
        const std::vector<double>& tp = log.values[*log.column("throttle_pct")];
        int wrong = 0;
        for (int r = 0; r < kRows; ++r) {
            const auto row = static_cast<std::size_t>(r);
            wrong += log.elapsed[row] != r + 0.5 || rpm[row] != 800 + r % 5000 ||
                     tp[row] != r % 101 || log.timestamp(row) != "t" + std::to_string(r);
        }
        EXPECT_EQ(wrong, 0);
        // Columns allocated once for the rows counted: nothing held twice while growing.
        EXPECT_EQ(rpm.capacity(), static_cast<std::size_t>(kRows));
        EXPECT_EQ(log.elapsed.capacity(), static_cast<std::size_t>(kRows));
    }
}

TEST_F(MonitorLogStream, TheLastLineOfAFileKeepsItsMeaning) {
    const std::string complete = shortLog(40000); // about 1 MB: the last row in a second piece
    const std::string last = shortRow(40000);
    const struct {
        const char* name;
        std::string text;
        std::size_t rows;
        bool dropped;
    } cases[] = {
        {"complete", complete, 40000, false},
        {"without its line end", complete + last.substr(0, last.size() - 1), 40001, false},
        {"cut inside the row", complete + last.substr(0, 4), 40000, true},
        {"CRLF", kHeader.substr(0, kHeader.size() - 1) + "\r\n" + shortRow(0).insert(12, "\r"), 1,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MonitorLogRead read = readMonitorLogFile(write(c.text));
        ASSERT_TRUE(read.log) << monitorLogErrorText(read.error, 0);
        EXPECT_EQ(read.log->rowCount(), c.rows);
        EXPECT_EQ(read.log->lastRowDropped, c.dropped);
    }
    // A damaged row far into the file is found on its line.
    std::string damaged = complete;
    damaged.insert(damaged.size() - 3, "x");
    const MonitorLogRead refused = readMonitorLogFile(write(damaged));
    ASSERT_FALSE(refused.log);
    EXPECT_EQ(refused.error.line, 40001u);
    EXPECT_EQ(refused.error.problem, MonitorLogProblem::BadNumber);
}

TEST_F(MonitorLogStream, ProgressRunsForwardToTheEndAndFalseCancels) {
    const std::string path = write(shortLog(kRows));
    std::vector<double> shares;
    MonitorLogReadOptions options;
    options.progress = [&](double share) {
        shares.push_back(share);
        return true;
    };
    ASSERT_TRUE(readMonitorLogFile(path, options).log);
    ASSERT_GE(shares.size(), 6u); // two passes over 3 pieces
    EXPECT_EQ(shares.front(), 0.0);
    EXPECT_GT(shares.back(), 0.7);
    EXPECT_LE(shares.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));

    for (const std::size_t cancelAt : {std::size_t{0}, std::size_t{4}}) {
        SCOPED_TRACE(cancelAt);
        std::size_t calls = 0;
        options.progress = [&](double) { return calls++ < cancelAt; };
        const MonitorLogRead read = readMonitorLogFile(path, options);
        EXPECT_FALSE(read.log);
        EXPECT_EQ(read.error.problem, MonitorLogProblem::Cancelled);
        EXPECT_EQ(calls, cancelAt + 1); // nothing read after the cancel
    }
}

TEST_F(MonitorLogStream, ALogOfMoreValuesThanTheLimitIsRefusedBeforeItIsKept) {
    // 10 rows of 4 values (the time and three numeric columns): 40 values.
    const std::string text = shortLog(10);
    const std::string path = write(text);
    MonitorLogReadOptions options;
    options.maxValues = 40;
    EXPECT_TRUE(readMonitorLogFile(path, options).log);
    EXPECT_TRUE(parseMonitorLog(text, options).log);

    options.maxValues = 39;
    for (const MonitorLogRead& read :
         {readMonitorLogFile(path, options), parseMonitorLog(text, options)}) {
        ASSERT_FALSE(read.log);
        EXPECT_EQ(read.error.problem, MonitorLogProblem::TooManyValues);
        EXPECT_EQ(monitorLogErrorText(read.error, 0),
                  "10 rows of 4 values each: more than the 39 values a log can hold");
        EXPECT_EQ(
            monitorLogErrorText(read.error, 1),
            "10 Zeilen mit je 4 Werten: mehr als die 39 Werte, die ein Protokoll fassen kann");
        EXPECT_EQ(monitorLogErrorText(read.error, 2),
                  "10 lignes de 4 valeurs: plus que les 39 valeurs qu´un journal peut contenir");
        EXPECT_EQ(monitorLogErrorText(read.error, 3),
                  "10 řádků po 4 hodnotách: více než 39 hodnot, které záznam pojme");
    }

    options = {};
    options.maxBytes = text.size() - 1;
    EXPECT_EQ(readMonitorLogFile(path, options).error.problem, MonitorLogProblem::TooLarge);
    EXPECT_EQ(parseMonitorLog(text, options).error.problem, MonitorLogProblem::TooLarge);
}

} // namespace
} // namespace kordana
