#include "monitor/LogColumns.h"

#include "monitor/MonitorCsv.h"
#include "monitor/MonitorLog.h"

#include <algorithm>
#include <cctype>
#include <span>

namespace kordana {

namespace {

constexpr std::string_view kFlagColumns[] = {
    "throttle_sensor_error", "start_limiter",      "speed_flag_a",
    "speed_flag_b",          "power_out_1",        "power_out_2",
    "power_out_3",           "servo_in_order",     "data_error",
    "tacho_input",           "oil_pressure_error", "coolant_warning",
    "coolant_sensor_error",  "air_sensor_error",
};

constexpr std::string_view kEngineColumns[] = {
    "engine_speed_rpm", "throttle_pct",      "pressure_kpa",      "time_since_start_s",
    "position_a_deg",   "position_b_deg",    "servo_measured_mv", "servo_desired_mv",
    "saving_count",     "programming_count", "unit_version",
};

bool among(std::string_view name, std::span<const std::string_view> list) {
    return std::ranges::find(list, name) != list.end();
}

LogGroup groupOf(std::string_view name) {
    if (among(name, kFlagColumns) || name == "marker") {
        return LogGroup::Flags;
    }
    if (among(name, kEngineColumns)) {
        return LogGroup::Engine;
    }
    if (name.starts_with("knock_")) {
        return LogGroup::Knock;
    }
    if (name.starts_with("test_")) {
        return LogGroup::TestValues;
    }
    if (name.starts_with("advance_")) {
        return LogGroup::Ignition;
    }
    if (name.starts_with("inj_") || name == "lambda_mv") {
        return LogGroup::Fuel;
    }
    if (name.find("_corr_") != std::string_view::npos) {
        return LogGroup::Corrections;
    }
    return LogGroup::Sensors;
}

// The columns of the monitor CSV in their order: a known column's colour follows its place,
// so neighbours (knock 1, 2, 3) never share one.
const std::vector<std::string>& knownColumns() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        const std::string header = monitorCsvHeader();
        std::size_t start = header.find(',');
        while (start != std::string::npos) {
            const std::size_t end = header.find(',', start + 1);
            list.push_back(header.substr(start + 1, end == std::string::npos ? std::string::npos
                                                                             : end - start - 1));
            start = end;
        }
        return list;
    }();
    return names;
}

std::size_t colourOf(std::string_view name) {
    const auto& known = knownColumns();
    const auto at = std::ranges::find(known, name);
    if (at != known.end()) {
        return static_cast<std::size_t>(at - known.begin()) % kLogPaletteSize;
    }
    std::uint32_t hash = 2166136261u; // FNV-1a of the name
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash % kLogPaletteSize;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

} // namespace

LogColumnInfo logColumnInfo(std::string_view column) {
    LogColumnInfo info;
    info.group = groupOf(column);
    info.flag = among(column, kFlagColumns) || column.starts_with("knock_alarm_");
    info.caption = column;
    for (const LogChannel& channel : kLogChannels) {
        if (channel.column == column) {
            info.caption = channel.caption;
        }
    }
    const std::size_t underscore = column.rfind('_');
    if (info.flag) {
        info.unit = "flag";
    } else if (info.group == LogGroup::TestValues) {
        info.unit = "test";
    } else {
        info.unit = underscore == std::string_view::npos ? column : column.substr(underscore + 1);
    }
    info.colourIndex = colourOf(column);
    return info;
}

bool columnMatches(std::string_view column, std::string_view query) {
    if (query.empty()) {
        return true;
    }
    const std::string wanted = lowered(query);
    return lowered(column).find(wanted) != std::string::npos ||
           lowered(logColumnInfo(column).caption).find(wanted) != std::string::npos;
}

std::optional<std::size_t> LogLayout::paneOf(std::string_view column) const {
    for (std::size_t p = 0; p < panes.size(); ++p) {
        if (std::ranges::find(panes[p], column) != panes[p].end()) {
            return p;
        }
    }
    return std::nullopt;
}

void LogLayout::remove(std::string_view column) {
    for (auto& pane : panes) {
        std::erase(pane, column);
    }
    std::erase_if(panes, [](const auto& pane) { return pane.empty(); });
}

void LogLayout::moveTo(std::string_view column, std::size_t pane) {
    if (pane < panes.size() && paneOf(column) == pane) {
        return;
    }
    // Taken out first, the pane numbers after an emptied pane move up by one.
    const auto from = paneOf(column);
    const bool emptied = from && panes[*from].size() == 1;
    remove(column);
    if (emptied && *from < pane) {
        --pane;
    }
    if (pane >= panes.size()) {
        panes.emplace_back();
        pane = panes.size() - 1;
    }
    panes[pane].emplace_back(column);
}

void LogLayout::add(std::string_view column) {
    if (paneOf(column)) {
        return;
    }
    const LogColumnInfo info = logColumnInfo(column);
    for (auto& pane : panes) {
        for (const std::string& other : pane) {
            const LogColumnInfo known = logColumnInfo(other);
            if (known.unit == info.unit && known.group == info.group) {
                pane.emplace_back(column);
                return;
            }
        }
    }
    panes.push_back({std::string(column)});
}

std::string LogLayout::text() const {
    std::string out;
    for (std::size_t p = 0; p < panes.size(); ++p) {
        out += p > 0 ? ";" : "";
        for (std::size_t c = 0; c < panes[p].size(); ++c) {
            out += (c > 0 ? "," : "") + panes[p][c];
        }
    }
    return out;
}

LogLayout LogLayout::parse(std::string_view text) {
    LogLayout layout;
    std::vector<std::string> pane;
    std::string name;
    auto takeName = [&] {
        if (!name.empty() && !layout.paneOf(name) && std::ranges::find(pane, name) == pane.end()) {
            pane.push_back(name);
        }
        name.clear();
    };
    for (const char c : text) {
        if (c == ',' || c == ';') {
            takeName();
            if (c == ';' && !pane.empty()) {
                layout.panes.push_back(std::move(pane));
                pane.clear();
            }
        } else if (c != ' ') {
            name += c;
        }
    }
    takeName();
    if (!pane.empty()) {
        layout.panes.push_back(std::move(pane));
    }
    return layout;
}

LogLayout defaultLogLayout() {
    return LogLayout{{{"engine_speed_rpm", "throttle_pct"},
                      {"lambda_mv"},
                      {"advance_1_deg", "advance_2_deg", "advance_3_deg"},
                      {"knock_1_mv", "knock_2_mv", "knock_3_mv"}}};
}

} // namespace kordana
