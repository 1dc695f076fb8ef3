#include "tools/unit-sim/lib/EngineDescription.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string_view>

namespace kordana {

namespace {

using Words = std::vector<std::string>;

constexpr int kDefaultKnockMarginDeg = 4;

std::optional<double> number(const std::string& text, double low, double high) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || !(value >= low && value <= high)) {
        return std::nullopt;
    }
    return value;
}

// "5" or "5-7": an inclusive range of indices within 0..last.
std::optional<std::pair<std::size_t, std::size_t>> range(const std::string& text,
                                                         std::size_t last) {
    const auto dash = text.find('-', 1);
    const auto from = number(text.substr(0, dash), 0, static_cast<double>(last));
    const auto to = dash == std::string::npos
                        ? from
                        : number(text.substr(dash + 1), 0, static_cast<double>(last));
    if (!from || !to || *to < *from || std::floor(*from) != *from || std::floor(*to) != *to) {
        return std::nullopt;
    }
    return std::pair{static_cast<std::size_t>(*from), static_cast<std::size_t>(*to)};
}

struct Region {
    std::pair<std::size_t, std::size_t> rows;
    std::pair<std::size_t, std::size_t> cols;

    // Cells outside the region along the nearer axis, 0 inside (the larger of the two
    // distances, so the edge is a frame of cells around the region).
    std::size_t distance(std::size_t row, std::size_t col) const {
        auto away = [](std::size_t i, std::pair<std::size_t, std::size_t> r) -> std::size_t {
            return i < r.first ? r.first - i : (i > r.second ? i - r.second : 0);
        };
        return std::max(away(row, rows), away(col, cols));
    }
};

std::optional<Region> region(const Words& w, std::size_t at) {
    if (w.size() < at + 2) {
        return std::nullopt;
    }
    const auto rows = range(w[at], 9);
    const auto cols = range(w[at + 1], 14);
    if (!rows || !cols) {
        return std::nullopt;
    }
    return Region{*rows, *cols};
}

// fuel PCT ROWS COLS [EDGE]: PCT inside the region, falling in straight steps to 0 over EDGE
// cells around it.
bool addFuel(EngineDescription& e, const Words& w) {
    const auto pct = w.size() >= 4 ? number(w[1], -50, 100) : std::nullopt;
    const auto where = region(w, 2);
    const auto edge = w.size() == 5 ? number(w[4], 0, 14) : std::optional<double>(0);
    if (!pct || !where || !edge || w.size() > 5 || std::floor(*edge) != *edge) {
        return false;
    }
    for (std::size_t cell = 0; cell < kEngineCells; ++cell) {
        const std::size_t d = where->distance(cell / 15, cell % 15);
        if (static_cast<double>(d) <= *edge) {
            e.fuelError[cell] += *pct / 100.0 * (1.0 - static_cast<double>(d) / (*edge + 1.0));
        }
    }
    return true;
}

std::optional<int> integer(const std::string& text, int low, int high) {
    const auto v = number(text, low, high);
    if (!v || std::floor(*v) != *v) {
        return std::nullopt;
    }
    return static_cast<int>(*v);
}

// knock CYL|all DEG ROWS COLS
bool setKnock(EngineDescription& e, const Words& w) {
    if (w.size() != 5) {
        return false;
    }
    const bool all = w[1] == "all";
    const int cylinder = all ? 0 : integer(w[1], 1, 3).value_or(-1);
    const std::optional<int> deg = integer(w[2], -60, 60);
    const auto where = region(w, 3);
    if (cylinder < 0 || !deg || !where) {
        return false;
    }
    for (std::size_t c = 0; c < 3; ++c) {
        if (!all && static_cast<std::size_t>(cylinder) != c + 1) {
            continue;
        }
        for (std::size_t cell = 0; cell < kEngineCells; ++cell) {
            if (where->distance(cell / 15, cell % 15) == 0) {
                e.knockOffsetDeg[c][cell] = *deg;
            }
        }
    }
    return true;
}

template <typename T>
std::function<bool(EngineDescription&, const Words&)> single(T EngineDescription::*field,
                                                             double low, double high) {
    return [field, low, high](EngineDescription& e, const Words& w) {
        const auto v = w.size() == 2 ? number(w[1], low, high) : std::nullopt;
        if (v) {
            e.*field = static_cast<T>(*v);
        }
        return v.has_value();
    };
}

bool setCoolant(EngineDescription& e, const Words& w) {
    const auto start = w.size() == 4 ? number(w[1], -40, 130) : std::nullopt;
    const auto warm = w.size() == 4 ? number(w[2], -40, 130) : std::nullopt;
    const auto tau = w.size() == 4 ? number(w[3], 0.1, 3600) : std::nullopt;
    if (!start || !warm || !tau) {
        return false;
    }
    e.coolantStartC = *start;
    e.coolantWarmC = *warm;
    e.warmUpS = *tau;
    return true;
}

bool setTunedLambda(EngineDescription& e, const Words& w) {
    if (w.size() != 11) {
        return false;
    }
    for (std::size_t r = 0; r < 10; ++r) {
        const auto v = number(w[r + 1], 0.5, 1.5);
        if (!v) {
            return false;
        }
        e.tunedLambda[r] = *v;
    }
    return true;
}

bool setSensor(EngineDescription& e, const Words& w) {
    if (w.size() != 2 || (w[1] != "wide" && w[1] != "narrow")) {
        return false;
    }
    e.sensor = w[1] == "wide" ? EngineSensorKind::Wideband : EngineSensorKind::Narrowband;
    return true;
}

bool setKnockMargin(EngineDescription& e, const Words& w) {
    const std::optional<int> v = w.size() == 2 ? integer(w[1], -60, 60) : std::nullopt;
    if (!v) {
        return false;
    }
    for (auto& cylinder : e.knockOffsetDeg) {
        cylinder.fill(*v);
    }
    return true;
}

using Setting = std::function<bool(EngineDescription&, const Words&)>;

const std::map<std::string_view, Setting>& settings() {
    static const std::map<std::string_view, Setting> table = {
        {"sensor", setSensor},
        {"delay-ms", single(&EngineDescription::delayMs, 0, 2000)},
        {"lag-ms", single(&EngineDescription::lagMs, 0, 2000)},
        {"noise", single(&EngineDescription::noisePct, 0, 10)},
        {"coolant", setCoolant},
        {"running-s", single(&EngineDescription::runningS, 0, 86400)},
        {"tuned-lambda", setTunedLambda},
        {"knock-margin", setKnockMargin},
        {"fuel", addFuel},
        {"knock", setKnock},
    };
    return table;
}

// The words of each line without its comment; empty lines give no words.
std::vector<Words> lines(const std::string& text) {
    std::vector<Words> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        Words w;
        for (std::string word; words >> word;) {
            w.push_back(word);
        }
        all.push_back(std::move(w));
    }
    return all;
}

EngineDescription neutralEngine() {
    EngineDescription e;
    for (auto& cylinder : e.knockOffsetDeg) {
        cylinder.fill(kDefaultKnockMarginDeg);
    }
    return e;
}

std::string lineError(std::size_t line, const std::string& what) {
    return "line " + std::to_string(line + 1) + ": " + what;
}

} // namespace

EngineFileResult parseEngineDescription(const std::string& text) {
    EngineFileResult result{neutralEngine(), {}};
    const std::vector<Words> all = lines(text);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Words& w = all[i];
        if (w.empty()) {
            continue;
        }
        const auto it = settings().find(w[0]);
        if (it == settings().end()) {
            return {neutralEngine(), lineError(i, "unknown setting " + w[0])};
        }
        if (!it->second(result.engine, w)) {
            return {neutralEngine(), lineError(i, "bad values for " + w[0])};
        }
    }
    return result;
}

ProfileFileResult parseProfile(const std::string& text) {
    ProfileFileResult result;
    const std::vector<Words> all = lines(text);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Words& w = all[i];
        if (w.empty()) {
            continue;
        }
        const bool known = w[0] == "hold" || w[0] == "ramp";
        const auto rpm = w.size() == 4 ? number(w[1], 0, 12000) : std::nullopt;
        const auto throttle = w.size() == 4 ? number(w[2], 0, 100) : std::nullopt;
        const auto seconds = w.size() == 4 ? number(w[3], 0.01, 36000) : std::nullopt;
        if (!known || !rpm || !throttle || !seconds) {
            return {{},
                    lineError(i, known ? "bad values for " + w[0]
                                       : "unknown segment " + w[0] + " (hold or ramp)")};
        }
        result.segments.push_back(
            {w[0] == "hold" ? ProfileSegment::Kind::Hold : ProfileSegment::Kind::Ramp,
             static_cast<unsigned>(std::lround(*rpm)),
             static_cast<unsigned>(std::lround(*throttle)),
             static_cast<std::uint32_t>(std::lround(*seconds * 1000))});
    }
    if (result.segments.empty()) {
        result.error = "no segment (hold RPM THROTTLE SECONDS, ramp RPM THROTTLE SECONDS)";
    }
    return result;
}

EngineDescription builtInEngine() {
    EngineDescription e = parseEngineDescription("fuel 12 5-7 4-8 1\n"
                                                 "knock 1 -2 9 12\n"
                                                 "knock 2 -2 8-9 7\n"
                                                 "knock 3 -2 6 10\n")
                              .engine;
    return e;
}

} // namespace kordana
