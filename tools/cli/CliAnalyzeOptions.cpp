#include "tools/cli/CliAnalyzeOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kordana {

namespace {

using analysis::AnalysisSettings;

constexpr std::array<std::string_view, 9> kNames{
    "--set",        "--sensor",      "--delay-ms",   "--min-samples", "--authority",
    "--target-row", "--retard-step", "--max-retard", "--banks",
};

std::optional<double> parseNumber(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<unsigned> parseWhole(std::string_view text, unsigned low, unsigned high) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

// Numbers separated by commas, exactly `count` of them.
std::optional<std::vector<double>> parseList(std::string_view text, std::size_t count) {
    std::vector<double> values;
    while (true) {
        const std::size_t comma = text.find(',');
        const auto value = parseNumber(text.substr(0, comma));
        if (!value) {
            return std::nullopt;
        }
        values.push_back(*value);
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    return values.size() == count ? std::optional(values) : std::nullopt;
}

// A lambda a sensor or a target may have.
bool plausibleLambda(double lambda) {
    return lambda >= 0.3 && lambda <= 5.0;
}

std::string storeSensor(AnalysisSettings& s, std::string_view text) {
    constexpr std::string_view kError = "--sensor needs narrow or wide:L0,L5 (the lambdas at 0 "
                                        "and 5 V)";
    if (text == "narrow") {
        s.sensor = analysis::SensorModel::Narrowband;
        return {};
    }
    if (!text.starts_with("wide:")) {
        return std::string(kError);
    }
    const auto lambdas = parseList(text.substr(5), 2);
    if (!lambdas || !plausibleLambda((*lambdas)[0]) || !plausibleLambda((*lambdas)[1]) ||
        (*lambdas)[0] == (*lambdas)[1]) {
        return std::string(kError);
    }
    s.sensor = analysis::SensorModel::Wideband;
    s.lambdaAt0V = (*lambdas)[0];
    s.lambdaAt5V = (*lambdas)[1];
    return {};
}

std::string storeWhole(unsigned& member, std::string_view text, unsigned low, unsigned high,
                       std::string_view error) {
    const auto value = parseWhole(text, low, high);
    if (!value) {
        return std::string(error);
    }
    member = *value;
    return {};
}

std::string storeBanks(AnalysisSettings& s, std::string_view text) {
    if (text == "a" || text == "b" || text == "ab") {
        s.banks = text == "a" ? analysis::Banks::A
                              : (text == "b" ? analysis::Banks::B : analysis::Banks::Both);
        return {};
    }
    return "--banks needs a, b or ab";
}

} // namespace

bool isAnalyzeOption(std::string_view name) {
    return std::ranges::find(kNames, name) != kNames.end();
}

std::string storeAnalyzeOption(CliAnalyzeOptions& o, std::string_view name,
                               std::string_view value) {
    AnalysisSettings& s = o.settings;
    if (name == "--set") {
        o.set = value;
        return value.empty() ? "--set needs a parameter file" : "";
    }
    if (name == "--sensor") {
        return storeSensor(s, value);
    }
    if (name == "--delay-ms") {
        return storeWhole(s.delayMs, value, 0, 2000, "--delay-ms needs 0..2000 ms");
    }
    if (name == "--min-samples") {
        return storeWhole(s.minSamples, value, 1, 1000000, "--min-samples needs 1 or more");
    }
    if (name == "--retard-step") {
        return storeWhole(s.retardStepDeg, value, 1, 10, "--retard-step needs 1..10 degrees");
    }
    if (name == "--max-retard") {
        return storeWhole(s.maxRetardDeg, value, 1, 20, "--max-retard needs 1..20 degrees");
    }
    if (name == "--banks") {
        return storeBanks(s, value);
    }
    if (name == "--authority") {
        const auto pct = parseNumber(value);
        if (!pct || *pct <= 0 || *pct > 100) {
            return "--authority needs a percentage above 0, at most 100";
        }
        s.authorityPct = *pct;
        return {};
    }
    // --target-row
    const auto row = parseList(value, 10);
    if (!row) {
        return "--target-row needs ten numbers separated by commas";
    }
    o.targetRow.emplace();
    std::ranges::copy(*row, o.targetRow->begin());
    return {};
}

std::string finishAnalyzeOptions(CliAnalyzeOptions& o) {
    if (o.set.empty()) {
        return "--set FILE.ign is required";
    }
    if (o.logs.empty()) {
        return "a monitor log (LOG.csv) is required";
    }
    if (!o.targetRow) {
        return {};
    }
    AnalysisSettings& s = o.settings;
    for (std::size_t r = 0; r < 10; ++r) {
        const double v = (*o.targetRow)[r];
        if (s.sensor == analysis::SensorModel::Wideband) {
            if (!plausibleLambda(v)) {
                return "--target-row needs ten lambdas of 0.3..5 with a wideband sensor";
            }
            s.targetLambda[r] = v;
        } else {
            if (v < 20 || v > 1100 || v != std::floor(v)) {
                return "--target-row needs ten voltages of 20..1100 mV with a narrowband sensor";
            }
            s.targetMv[r] = static_cast<std::uint16_t>(v);
        }
    }
    return {};
}

} // namespace kordana
