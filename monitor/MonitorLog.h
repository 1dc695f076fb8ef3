#pragma once

#include "monitor/MonitorLiveValues.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// A monitor log in memory: the seconds since its first row and every numeric column. Values
/// are held as numbers and the timestamp texts one after another in one string, so a log takes
/// about 8 bytes a cell and its timestamps' length a row.
struct MonitorLog {
    std::vector<double> elapsed;              ///< s since the first row, never decreasing
    std::vector<std::string> columns;         ///< numeric column names in file order
    std::vector<std::vector<double>> values;  ///< [column][row]; NaN where a cell is empty
    std::string timestampText;                ///< the timestamp texts of all rows, joined
    std::vector<std::uint32_t> timestampEnds; ///< where each row's text ends in timestampText
    bool lastRowDropped = false; ///< an unfinished last line (a writer that died) was left out

    std::size_t rowCount() const { return elapsed.size(); }
    /// The timestamp text of row `row`, as the log wrote it.
    std::string_view timestamp(std::size_t row) const;
    /// Index of the column `name`, or nothing.
    std::optional<std::size_t> column(std::string_view name) const;
    /// The row shown at `seconds`: the last row at or before it (the first before the start).
    std::size_t rowAt(double seconds) const;
};

/// Why a log was refused.
enum class MonitorLogProblem {
    NotAFile,      ///< a folder, a device or a pipe
    TooLarge,      ///< above kMaxMonitorLogBytes
    Unreadable,    ///< missing, or the system refused to read it; `detail` says why
    NoHeader,      ///< the first line does not begin with "timestamp"
    MissingColumn, ///< `detail` is a column the log needs
    CellCount,     ///< `found` values on the line, `expected` in the header
    BadNumber,     ///< `detail` is the column, `text` the cell
    BadTimestamp,  ///< `text` is the cell
    TimeBack,      ///< elapsed_s smaller than on the line before
    NoRows,        ///< a header and nothing under it
    TooManyValues, ///< `found` rows of `expected` values: more than `detail` values in all
    Cancelled,     ///< the progress handler stopped the read
};

/// What is wrong with a log and where: `line` counts from 1 (0: the file as a whole).
struct MonitorLogError {
    MonitorLogProblem problem = MonitorLogProblem::NoHeader;
    std::size_t line = 0;
    std::string detail;
    std::string text;
    std::size_t found = 0;
    std::size_t expected = 0;
};

struct MonitorLogRead {
    std::optional<MonitorLog> log; ///< set when the log was accepted
    MonitorLogError error;         ///< why not, otherwise
};

/// The largest log file read (a day of monitoring is about 70 MB).
inline constexpr std::uintmax_t kMaxMonitorLogBytes = 256u * 1024u * 1024u;
/// The most cells (rows times the values of a row, the time included) a log may hold. With
/// the file limit this bounds a read log below 1 GB: 384 MiB of values, at most 256 MiB of
/// timestamp text, 4 bytes a row for where each timestamp ends, 1 MiB of read buffer.
inline constexpr std::uintmax_t kMaxMonitorLogValues = 48u * 1024u * 1024u;

/// How a log is read: its limits, and who hears how far the read has come.
struct MonitorLogReadOptions {
    std::uintmax_t maxBytes = kMaxMonitorLogBytes;
    std::uintmax_t maxValues = kMaxMonitorLogValues;
    /// Called now and then with the share of the read done (0 to 1); returning false cancels
    /// the read (MonitorLogProblem::Cancelled).
    std::function<bool(double)> progress;
};

/// Reads a log the window recorded (with "elapsed_s") or a `kordana-cli monitor --csv` file
/// (elapsed time from the timestamps). Needs the columns engine_speed_rpm and throttle_pct;
/// an empty cell reads as NaN. An unfinished last line without a line end is left out; any
/// other damage refuses the whole log.
MonitorLogRead parseMonitorLog(std::string_view text, const MonitorLogReadOptions& options = {});

/// parseMonitorLog of a file, read in pieces: only a regular file of at most maxBytes. A first
/// pass counts the rows, so a log of too many values is refused before any is kept and the
/// columns are allocated once, at their final size.
MonitorLogRead readMonitorLogFile(const std::string& path,
                                  const MonitorLogReadOptions& options = {});

/// The refusal in words of a language: "line 12: ..." (texts of lang/LogTexts).
std::string monitorLogErrorText(const MonitorLogError& error, std::uint8_t languageIndex);

/// Seconds since the Unix epoch of an ISO 8601 time "YYYY-MM-DDTHH:MM:SS[.fff][Z|+HH:MM]"
/// (no zone: read as UTC), or nothing.
std::optional<double> isoTimeSeconds(std::string_view text);

/// A channel the log window can plot: its column and its caption (the monitor's English).
struct LogChannel {
    std::string_view column;
    std::string_view caption;
};

inline constexpr std::array<LogChannel, 19> kLogChannels{{
    {"engine_speed_rpm", "RPM"},
    {"throttle_pct", "TP [%]"},
    {"lambda_mv", "LAMBDA [mV]"},
    {"advance_1_deg", "ADVANCE 1 [°]"},
    {"advance_2_deg", "ADVANCE 2 [°]"},
    {"advance_3_deg", "ADVANCE 3 [°]"},
    {"inj_1a_us", "INJ. TIME 1A [us]"},
    {"inj_1b_us", "INJ. TIME 1B [us]"},
    {"inj_2a_us", "INJ. TIME 2A [us]"},
    {"inj_2b_us", "INJ. TIME 2B [us]"},
    {"inj_3a_us", "INJ. TIME 3A [us]"},
    {"inj_3b_us", "INJ. TIME 3B [us]"},
    {"coolant_c", "TW [°C]"},
    {"air_c", "AT [°C]"},
    {"pressure_kpa", "AP [kPa]"},
    {"knock_1_mv", "Knock Level 1 [mV]"},
    {"knock_2_mv", "Knock Level 2 [mV]"},
    {"knock_3_mv", "Knock Level 3 [mV]"},
    {"supply_v", "U [V]"},
}};

/// The live values the operating-point cursor works with, as the log recorded them at `row`:
/// speed, throttle, pressure, temperatures (a failed coolant sensor as 80 degC, as the monitor
/// keeps it), time since start, throttle and lambda millivolts.
MonitorLiveValues liveValuesAt(const MonitorLog& log, std::size_t row);

} // namespace kordana
