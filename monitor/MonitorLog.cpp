#include "monitor/MonitorLog.h"

#include "lang/LogTexts.h"
#include "params/RegularFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <sstream>

namespace kordana {

namespace {

constexpr std::string_view kRequired[] = {"engine_speed_rpm", "throttle_pct"};

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

// Reads `digits` decimal digits at `at` of `text`.
std::optional<int> digitsAt(std::string_view text, std::size_t at, std::size_t digits) {
    if (at + digits > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long long daysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yoe = year - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<long long>(era) * 146097 + doe - 719468;
}

struct ParseState {
    MonitorLog log;
    std::vector<std::size_t> fieldOfColumn; // field index of each numeric column
    std::optional<std::size_t> elapsedField;
    std::size_t fieldCount = 0;
    std::optional<double> firstTime;
};

std::optional<MonitorLogError> readHeader(std::string_view line, ParseState& state) {
    std::vector<std::string_view> fields;
    splitFields(line, fields);
    if (fields.empty() || fields.front() != "timestamp") {
        return MonitorLogError{MonitorLogProblem::NoHeader, 1, {}, {}, 0, 0};
    }
    state.fieldCount = fields.size();
    for (std::size_t f = 1; f < fields.size(); ++f) {
        if (fields[f] == "elapsed_s" && !state.elapsedField) {
            state.elapsedField = f;
            continue;
        }
        state.log.columns.emplace_back(fields[f]);
        state.fieldOfColumn.push_back(f);
    }
    for (std::string_view required : kRequired) {
        if (!state.log.column(required)) {
            return MonitorLogError{
                MonitorLogProblem::MissingColumn, 1, std::string(required), {}, 0, 0};
        }
    }
    state.log.values.resize(state.log.columns.size());
    return std::nullopt;
}

std::optional<MonitorLogError> readRow(std::string_view line, std::size_t lineNumber,
                                       std::vector<std::string_view>& fields, ParseState& state) {
    splitFields(line, fields);
    if (fields.size() != state.fieldCount) {
        return MonitorLogError{
            MonitorLogProblem::CellCount, lineNumber, {}, {}, fields.size(), state.fieldCount};
    }
    double elapsed = 0;
    if (state.elapsedField) {
        const std::string_view cell = fields[*state.elapsedField];
        const auto value = number(cell);
        if (!value || std::isnan(*value)) {
            return MonitorLogError{
                MonitorLogProblem::BadNumber, lineNumber, "elapsed_s", std::string(cell), 0, 0};
        }
        elapsed = *value;
        if (!state.log.elapsed.empty() && elapsed < state.log.elapsed.back()) {
            return MonitorLogError{MonitorLogProblem::TimeBack, lineNumber, {}, {}, 0, 0};
        }
    } else {
        const auto time = isoTimeSeconds(fields[0]);
        if (!time) {
            return MonitorLogError{MonitorLogProblem::BadTimestamp, lineNumber, {},
                                   std::string(fields[0]),          0,          0};
        }
        if (!state.firstTime) {
            state.firstTime = *time;
        }
        // A wall clock set back while the terminal recorded must not make time run backwards.
        // Rounded to microseconds: the epoch seconds carry the noise of their size.
        elapsed = std::round((*time - *state.firstTime) * 1e6) / 1e6;
        if (!state.log.elapsed.empty()) {
            elapsed = std::max(elapsed, state.log.elapsed.back());
        }
    }
    for (std::size_t c = 0; c < state.fieldOfColumn.size(); ++c) {
        const std::string_view cell = fields[state.fieldOfColumn[c]];
        const auto value = number(cell);
        if (!value) {
            return MonitorLogError{MonitorLogProblem::BadNumber,
                                   lineNumber,
                                   state.log.columns[c],
                                   std::string(cell),
                                   0,
                                   0};
        }
        state.log.values[c].push_back(*value);
    }
    state.log.timestamps.emplace_back(fields[0]);
    state.log.elapsed.push_back(elapsed);
    return std::nullopt;
}

// A row that failed half-way has pushed values into some columns: cut them back.
void dropPartialRow(MonitorLog& log) {
    for (auto& column : log.values) {
        column.resize(log.elapsed.size());
    }
}

std::string filled(std::string_view pattern, const std::string& a, const std::string& b = {}) {
    std::string text(pattern);
    if (const auto at = text.find("%1"); at != std::string::npos) {
        text.replace(at, 2, a);
    }
    if (const auto at = text.find("%2"); at != std::string::npos) {
        text.replace(at, 2, b);
    }
    return text;
}

} // namespace

std::optional<std::size_t> MonitorLog::column(std::string_view name) const {
    const auto it = std::ranges::find(columns, name);
    if (it == columns.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(it - columns.begin());
}

std::size_t MonitorLog::rowAt(double seconds) const {
    const auto after = std::upper_bound(elapsed.begin(), elapsed.end(), seconds);
    if (after == elapsed.begin()) {
        return 0;
    }
    return static_cast<std::size_t>(after - elapsed.begin()) - 1;
}

std::optional<double> isoTimeSeconds(std::string_view text) {
    const auto year = digitsAt(text, 0, 4);
    const auto month = digitsAt(text, 5, 2);
    const auto day = digitsAt(text, 8, 2);
    const auto hour = digitsAt(text, 11, 2);
    const auto minute = digitsAt(text, 14, 2);
    const auto second = digitsAt(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second || text[4] != '-' ||
        text[7] != '-' || (text[10] != 'T' && text[10] != ' ') || text[13] != ':' ||
        text[16] != ':' || *month < 1 || *month > 12 || *day < 1 || *day > 31 || *hour > 23 ||
        *minute > 59 || *second > 60) {
        return std::nullopt;
    }
    double seconds = static_cast<double>(daysFromCivil(*year, *month, *day)) * 86400.0 +
                     *hour * 3600.0 + *minute * 60.0 + *second;
    std::size_t at = 19;
    if (at < text.size() && text[at] == '.') {
        double scale = 0.1;
        for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
            seconds += (text[at] - '0') * scale;
            scale /= 10;
        }
    }
    if (at == text.size()) {
        return seconds;
    }
    if (text.substr(at) == "Z") {
        return seconds;
    }
    const auto zoneHour = digitsAt(text, at + 1, 2);
    const auto zoneMinute = digitsAt(text, at + 4, 2);
    if ((text[at] != '+' && text[at] != '-') || !zoneHour || !zoneMinute || text.size() != at + 6 ||
        text[at + 3] != ':') {
        return std::nullopt;
    }
    const double offset = *zoneHour * 3600.0 + *zoneMinute * 60.0;
    return text[at] == '+' ? seconds - offset : seconds + offset;
}

MonitorLogRead parseMonitorLog(std::string_view text) {
    ParseState state;
    std::vector<std::string_view> fields;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const bool finished = end != std::string_view::npos;
        std::string_view line = text.substr(start, finished ? end - start : std::string_view::npos);
        start = finished ? end + 1 : text.size();
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (lineNumber == 1) {
            if (auto error = readHeader(line, state)) {
                return MonitorLogRead{std::nullopt, std::move(*error)};
            }
            continue;
        }
        if (line.empty() && !finished) {
            break;
        }
        if (auto error = readRow(line, lineNumber, fields, state)) {
            // Rows are written with their line end in one go: a last line without one is the
            // row a writer was busy with when it died.
            if (!finished) {
                dropPartialRow(state.log);
                state.log.lastRowDropped = true;
                break;
            }
            return MonitorLogRead{std::nullopt, std::move(*error)};
        }
    }
    if (lineNumber == 0) {
        return refused(MonitorLogProblem::NoHeader, 1);
    }
    if (state.log.elapsed.empty()) {
        return refused(MonitorLogProblem::NoRows, 2);
    }
    return MonitorLogRead{std::move(state.log), {}};
}

MonitorLogRead readMonitorLogFile(const std::string& path) {
    const RegularFileRead file = readRegularFile(path, kMaxMonitorLogBytes);
    switch (file.status) {
    case RegularFileStatus::Read:
        break;
    case RegularFileStatus::NotRegularFile:
        return refused(MonitorLogProblem::NotAFile);
    case RegularFileStatus::TooLarge:
        return refused(MonitorLogProblem::TooLarge);
    case RegularFileStatus::CannotRead: {
        MonitorLogRead read = refused(MonitorLogProblem::Unreadable);
        read.error.detail = file.reason;
        return read;
    }
    }
    return parseMonitorLog(file.text);
}

std::string monitorLogErrorText(const MonitorLogError& error, std::uint8_t languageIndex) {
    const LogTexts t = logTextsFor(languageIndex);
    std::string text = error.line > 0 ? filled(t.atLine, std::to_string(error.line)) : "";
    switch (error.problem) {
    case MonitorLogProblem::NotAFile:
        return text + std::string(t.notAFile);
    case MonitorLogProblem::TooLarge:
        return text + std::string(t.tooLarge);
    case MonitorLogProblem::Unreadable:
        return text + std::string(t.unreadable) + (error.detail.empty() ? "" : ": " + error.detail);
    case MonitorLogProblem::NoHeader:
        return text + std::string(t.noHeader);
    case MonitorLogProblem::MissingColumn:
        return text + filled(t.missingColumn, error.detail);
    case MonitorLogProblem::CellCount:
        return text +
               filled(t.cellCount, std::to_string(error.found), std::to_string(error.expected));
    case MonitorLogProblem::BadNumber:
        return text + filled(t.badNumber, error.detail, error.text);
    case MonitorLogProblem::BadTimestamp:
        return text + filled(t.badTimestamp, error.text);
    case MonitorLogProblem::TimeBack:
        return text + std::string(t.timeBack);
    case MonitorLogProblem::NoRows:
        return text + std::string(t.noRows);
    }
    return text;
}

MonitorLiveValues liveValuesAt(const MonitorLog& log, std::size_t row) {
    // A value the log lacks, leaves empty or holds out of the field's range reads as `fallback`.
    auto at = [&](std::string_view name, double scale, double offset, double maximum,
                  double fallback) {
        const auto column = log.column(name);
        if (!column || row >= log.values[*column].size()) {
            return fallback;
        }
        const double value = log.values[*column][row] * scale + offset;
        return std::isnan(value) || value < 0 || value > maximum ? fallback : std::round(value);
    };
    MonitorLiveValues live;
    live.engineSpeed = static_cast<std::uint16_t>(at("engine_speed_rpm", 1, 0, 65535, 0));
    live.throttleOpening = static_cast<std::uint8_t>(at("throttle_pct", 1, 0, 255, 0));
    live.throttleMv = static_cast<std::uint16_t>(at("throttle_sensor_mv", 1, 0, 65535, 0));
    live.lambdaMv = static_cast<std::uint16_t>(at("lambda_mv", 1, 0, 65535, 0));
    live.pressure = static_cast<std::uint16_t>(at("pressure_kpa", 10, 0, 65535, 0));
    live.coolantByte = static_cast<std::uint8_t>(at("coolant_c", 1, 100, 255, kCoolantSubstitute));
    live.airByte = static_cast<std::uint8_t>(at("air_c", 1, 100, 255, 0));
    live.timeSinceStart = static_cast<std::uint16_t>(at("time_since_start_s", 10, 0, 65535, 0));
    live.savingCount = static_cast<std::uint16_t>(at("saving_count", 1, 0, 65535, 0));
    live.programmingCount = static_cast<std::uint16_t>(at("programming_count", 1, 0, 65535, 0));
    return live;
}

} // namespace kordana
