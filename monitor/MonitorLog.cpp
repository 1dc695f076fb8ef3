#include "monitor/MonitorLog.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

namespace kordana {

namespace {

constexpr std::string_view kRequired[] = {"engine_speed_rpm", "throttle_pct"};

// The piece a log is read and reported in.
constexpr std::size_t kChunkBytes = 1u << 20;
// The share of the progress the first pass of a file (counting its lines) takes.
constexpr double kCountShare = 0.1;

MonitorLogRead refused(MonitorLogProblem problem, std::size_t line = 0) {
    MonitorLogRead read;
    read.error.problem = problem;
    read.error.line = line;
    return read;
}

// The fields of one line, split at commas (the log never quotes: no field holds a comma).
void splitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

std::optional<double> number(std::string_view text) {
    if (text.empty()) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

/// Reads a log a piece at a time: whole lines are taken where they lie, a line cut by the end
/// of a piece waits for the rest. `lines` (the line ends counted beforehand, plus an unfinished
/// last line) sizes the columns once, so they never grow by copying; `bytes` (the log's
/// length) bounds the room taken for the timestamps.
class LogParser {
public:
    LogParser(std::size_t lines, std::uintmax_t bytes, const MonitorLogReadOptions& options)
        : m_lines(lines), m_bytes(bytes), m_options(options) {}

    /// Takes the next bytes; false once the log is refused (finish() says why).
    bool feed(std::string_view bytes);
    /// The log after the last piece.
    MonitorLogRead finish();

private:
    bool takeLine(std::string_view line, bool finished);
    std::optional<MonitorLogError> readHeader(std::string_view line);
    std::optional<MonitorLogError> readRow(std::string_view line);
    std::optional<MonitorLogError> readElapsed(double& elapsed);
    void keepTimestamp(std::string_view text);
    void dropPartialRow();

    std::size_t m_lines;
    std::uintmax_t m_bytes;
    const MonitorLogReadOptions& m_options;
    MonitorLog m_log;
    std::vector<std::size_t> m_fieldOfColumn; // field index of each numeric column
    std::optional<std::size_t> m_elapsedField;
    std::size_t m_fieldCount = 0;
    std::optional<double> m_firstTime;
    std::vector<std::string_view> m_fields;
    std::string m_pending; // the start of a line the last piece cut
    std::size_t m_lineNumber = 0;
    std::optional<MonitorLogError> m_error;
    bool m_done = false; // a refusal, or an unfinished last row left out
};

bool LogParser::feed(std::string_view bytes) {
    while (!m_done && !bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        if (end == std::string_view::npos) {
            m_pending.append(bytes);
            break;
        }
        if (m_pending.empty()) {
            takeLine(bytes.substr(0, end), true);
        } else {
            m_pending.append(bytes.substr(0, end));
            takeLine(m_pending, true);
            m_pending.clear();
        }
        bytes.remove_prefix(end + 1);
    }
    return !m_error;
}

MonitorLogRead LogParser::finish() {
    if (!m_done && !m_pending.empty()) {
        takeLine(m_pending, false);
    }
    if (m_error) {
        return MonitorLogRead{std::nullopt, std::move(*m_error)};
    }
    if (m_lineNumber == 0) {
        return refused(MonitorLogProblem::NoHeader, 1);
    }
    if (m_log.elapsed.empty()) {
        return refused(MonitorLogProblem::NoRows, 2);
    }
    return MonitorLogRead{std::move(m_log), {}};
}

bool LogParser::takeLine(std::string_view line, bool finished) {
    ++m_lineNumber;
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (m_lineNumber == 1) {
        m_error = readHeader(line);
        m_done = m_error.has_value();
        return !m_done;
    }
    if (line.empty() && !finished) {
        m_done = true;
        return false;
    }
    if (auto error = readRow(line)) {
        dropPartialRow();
        m_done = true;
        // Rows are written with their line end in one go: a last line without one is the
        // row a writer was busy with when it died.
        if (!finished) {
            m_log.lastRowDropped = true;
        } else {
            m_error = std::move(error);
        }
        return false;
    }
    return true;
}

std::optional<MonitorLogError> LogParser::readHeader(std::string_view line) {
    splitFields(line, m_fields);
    if (m_fields.empty() || m_fields.front() != "timestamp") {
        return MonitorLogError{MonitorLogProblem::NoHeader, 1, {}, {}, 0, 0};
    }
    m_fieldCount = m_fields.size();
    for (std::size_t f = 1; f < m_fields.size(); ++f) {
        if (m_fields[f] == "elapsed_s" && !m_elapsedField) {
            m_elapsedField = f;
            continue;
        }
        m_log.columns.emplace_back(m_fields[f]);
        m_fieldOfColumn.push_back(f);
    }
    for (std::string_view required : kRequired) {
        if (!m_log.column(required)) {
            return MonitorLogError{
                MonitorLogProblem::MissingColumn, 1, std::string(required), {}, 0, 0};
        }
    }
    // Each row holds its time and every numeric column: m_fieldCount cells.
    const std::size_t rows = m_lines > 0 ? m_lines - 1 : 0;
    if (rows > m_options.maxValues / m_fieldCount) {
        return MonitorLogError{MonitorLogProblem::TooManyValues,
                               0,
                               std::to_string(m_options.maxValues),
                               {},
                               rows,
                               m_fieldCount};
    }
    m_log.values.resize(m_log.columns.size());
    for (auto& column : m_log.values) {
        column.reserve(rows);
    }
    m_log.elapsed.reserve(rows);
    m_log.timestampEnds.reserve(rows);
    return std::nullopt;
}

std::optional<MonitorLogError> LogParser::readElapsed(double& elapsed) {
    if (m_elapsedField) {
        const std::string_view cell = m_fields[*m_elapsedField];
        const auto value = number(cell);
        if (!value || std::isnan(*value)) {
            return MonitorLogError{
                MonitorLogProblem::BadNumber, m_lineNumber, "elapsed_s", std::string(cell), 0, 0};
        }
        elapsed = *value;
        if (!m_log.elapsed.empty() && elapsed < m_log.elapsed.back()) {
            return MonitorLogError{MonitorLogProblem::TimeBack, m_lineNumber, {}, {}, 0, 0};
        }
        return std::nullopt;
    }
    const auto time = isoTimeSeconds(m_fields[0]);
    if (!time) {
        return MonitorLogError{
            MonitorLogProblem::BadTimestamp, m_lineNumber, {}, std::string(m_fields[0]), 0, 0};
    }
    if (!m_firstTime) {
        m_firstTime = *time;
    }
    // A wall clock set back while the terminal recorded must not make time run backwards.
    // Rounded to microseconds: the epoch seconds carry the noise of their size.
    elapsed = std::round((*time - *m_firstTime) * 1e6) / 1e6;
    if (!m_log.elapsed.empty()) {
        elapsed = std::max(elapsed, m_log.elapsed.back());
    }
    return std::nullopt;
}

std::optional<MonitorLogError> LogParser::readRow(std::string_view line) {
    splitFields(line, m_fields);
    if (m_fields.size() != m_fieldCount) {
        return MonitorLogError{
            MonitorLogProblem::CellCount, m_lineNumber, {}, {}, m_fields.size(), m_fieldCount};
    }
    // A log whose lines outnumber the count taken before (a file still growing) stays bounded.
    if (m_log.rowCount() + 1 > m_options.maxValues / m_fieldCount) {
        return MonitorLogError{MonitorLogProblem::TooManyValues,
                               0,
                               std::to_string(m_options.maxValues),
                               {},
                               m_log.rowCount() + 1,
                               m_fieldCount};
    }
    double elapsed = 0;
    if (auto error = readElapsed(elapsed)) {
        return error;
    }
    for (std::size_t c = 0; c < m_fieldOfColumn.size(); ++c) {
        const std::string_view cell = m_fields[m_fieldOfColumn[c]];
        const auto value = number(cell);
        if (!value) {
            return MonitorLogError{MonitorLogProblem::BadNumber,
                                   m_lineNumber,
                                   m_log.columns[c],
                                   std::string(cell),
                                   0,
                                   0};
        }
        m_log.values[c].push_back(*value);
    }
    keepTimestamp(m_fields[0]);
    m_log.elapsed.push_back(elapsed);
    return std::nullopt;
}

void LogParser::keepTimestamp(std::string_view text) {
    if (m_log.timestampText.empty()) {
        // Timestamps are mostly of one length: room for all of them at once, never more than
        // the log holds.
        const std::uintmax_t room = std::min<std::uintmax_t>(
            std::uintmax_t{text.size()} * m_log.timestampEnds.capacity(), m_bytes);
        m_log.timestampText.reserve(static_cast<std::size_t>(room));
    }
    m_log.timestampText.append(text);
    m_log.timestampEnds.push_back(static_cast<std::uint32_t>(m_log.timestampText.size()));
}

// A row that failed half-way has pushed values into some columns: cut them back.
void LogParser::dropPartialRow() {
    for (auto& column : m_log.values) {
        column.resize(m_log.elapsed.size());
    }
}

bool reportProgress(const MonitorLogReadOptions& options, double share) {
    return !options.progress || options.progress(std::clamp(share, 0.0, 1.0));
}

} // namespace

MonitorLogRead parseMonitorLog(std::string_view text, const MonitorLogReadOptions& options) {
    // The timestamps' ends are 32-bit offsets into their text, which the byte limit keeps.
    if (text.size() > options.maxBytes || text.size() > std::numeric_limits<std::uint32_t>::max()) {
        return refused(MonitorLogProblem::TooLarge);
    }
    const auto lineEnds = static_cast<std::size_t>(std::ranges::count(text, '\n'));
    LogParser parser(lineEnds + (text.empty() || text.back() == '\n' ? 0 : 1), text.size(),
                     options);
    for (std::size_t at = 0; at < text.size(); at += kChunkBytes) {
        if (!reportProgress(options, static_cast<double>(at) / static_cast<double>(text.size()))) {
            return refused(MonitorLogProblem::Cancelled);
        }
        if (!parser.feed(text.substr(at, kChunkBytes))) {
            break;
        }
    }
    return parser.finish();
}

namespace {

MonitorLogRead unreadable(int error) {
    MonitorLogRead read = refused(MonitorLogProblem::Unreadable);
    read.error.detail =
        error != 0 ? std::generic_category().message(error) : std::string("cannot be read");
    return read;
}

// What the first pass over a file found: its line ends, its length, whether it ends a line.
struct LineCount {
    std::size_t lineEnds = 0;
    std::uintmax_t bytes = 0;
    bool endsInLine = true;
};

// Counts the line ends of the file `in` of about `size` bytes; a refusal when reading fails,
// the file is larger than allowed after all, or the read was cancelled.
std::optional<MonitorLogRead> countLines(std::ifstream& in, std::uintmax_t size,
                                         const MonitorLogReadOptions& options,
                                         std::vector<char>& chunk, LineCount& count) {
    const double total = static_cast<double>(std::max<std::uintmax_t>(size, 1));
    for (;;) {
        if (!reportProgress(options, kCountShare * static_cast<double>(count.bytes) / total)) {
            return refused(MonitorLogProblem::Cancelled);
        }
        errno = 0;
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (in.bad()) {
            return unreadable(errno);
        }
        const auto end = chunk.begin() + static_cast<std::ptrdiff_t>(got);
        count.lineEnds += static_cast<std::size_t>(std::count(chunk.begin(), end, '\n'));
        if (got > 0) {
            count.endsInLine = chunk[got - 1] == '\n';
        }
        count.bytes += got;
        // The size taken before opening may be stale (a file still growing).
        if (count.bytes > options.maxBytes) {
            return refused(MonitorLogProblem::TooLarge);
        }
        if (in.eof() || got == 0) {
            return std::nullopt;
        }
    }
}

// Feeds the first `bytes` bytes of `in` to `parser`, reporting progress; a refusal when the
// reader cancels or the file cannot be read.
std::optional<MonitorLogRead> feedCounted(std::ifstream& in, std::uintmax_t bytes,
                                          const MonitorLogReadOptions& options,
                                          std::vector<char>& chunk, LogParser& parser) {
    const double total = static_cast<double>(std::max<std::uintmax_t>(bytes, 1));
    for (std::uintmax_t done = 0; done < bytes;) {
        if (!reportProgress(options,
                            kCountShare + (1 - kCountShare) * static_cast<double>(done) / total)) {
            return refused(MonitorLogProblem::Cancelled);
        }
        errno = 0;
        in.read(chunk.data(),
                static_cast<std::streamsize>(std::min<std::uintmax_t>(chunk.size(), bytes - done)));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (in.bad()) {
            return unreadable(errno);
        }
        if (got == 0) {
            break;
        }
        done += got;
        if (!parser.feed(std::string_view(chunk.data(), got))) {
            break;
        }
    }
    return std::nullopt;
}

} // namespace

MonitorLogRead readMonitorLogFile(const std::string& path, const MonitorLogReadOptions& options) {
    std::error_code ec;
    const std::filesystem::file_status type = std::filesystem::status(path, ec);
    if (ec) {
        MonitorLogRead read = refused(MonitorLogProblem::Unreadable);
        read.error.detail = ec.message();
        return read;
    }
    // Opening a pipe waits for a writer and a device may never end: only a regular file is
    // opened at all.
    if (!std::filesystem::is_regular_file(type)) {
        return refused(MonitorLogProblem::NotAFile);
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > options.maxBytes) {
        return refused(MonitorLogProblem::TooLarge);
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return unreadable(errno);
    }
    std::vector<char> chunk(kChunkBytes);
    LineCount count;
    if (auto refusal = countLines(in, ec ? 0 : size, options, chunk, count)) {
        return std::move(*refusal);
    }
    in.clear();
    in.seekg(0);
    LogParser parser(count.lineEnds + (count.endsInLine ? 0 : 1), count.bytes, options);
    // Only the bytes counted: lines a writer adds meanwhile were not counted.
    if (auto refusal = feedCounted(in, count.bytes, options, chunk, parser)) {
        return std::move(*refusal);
    }
    return parser.finish();
}

} // namespace kordana
