// What a read monitor log offers besides its reading: its rows by name and time, the times of
// its timestamps, its refusals in words, and the live values of a row.
#include "monitor/MonitorLog.h"

#include "lang/LogTexts.h"

#include <algorithm>
#include <cmath>

namespace kordana {

namespace {

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

std::string filled(std::string_view pattern, const std::string& a, const std::string& b = {},
                   const std::string& c = {}) {
    std::string text(pattern);
    for (const auto& [mark, value] :
         {std::pair{"%1", &a}, std::pair{"%2", &b}, std::pair{"%3", &c}}) {
        if (const auto at = text.find(mark); at != std::string::npos) {
            text.replace(at, 2, *value);
        }
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

std::string_view MonitorLog::timestamp(std::size_t row) const {
    if (row >= timestampEnds.size()) {
        return {};
    }
    const std::size_t begin = row == 0 ? 0 : timestampEnds[row - 1];
    return std::string_view(timestampText).substr(begin, timestampEnds[row] - begin);
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
    case MonitorLogProblem::TooManyValues:
        return text + filled(t.tooManyValues, std::to_string(error.found),
                             std::to_string(error.expected), error.detail);
    case MonitorLogProblem::Cancelled:
        return text + std::string(t.cancelled);
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
