#pragma once

#include "analysis/AnalysisSettings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// What `kordana-cli analyze` was given besides --out.
struct CliAnalyzeOptions {
    std::string set;               ///< --set FILE.ign: the set the logs were driven with
    std::vector<std::string> logs; ///< LOG.csv..., in the order given
    analysis::AnalysisSettings settings;
    /// --target-row: ten lambdas (wideband) or millivolts (narrowband), applied once the sensor
    /// is known
    std::optional<std::array<double, 10>> targetRow;

    friend bool operator==(const CliAnalyzeOptions&, const CliAnalyzeOptions&) = default;
};

/// True for the options of analyze other than --out (--set, --sensor, ...).
bool isAnalyzeOption(std::string_view name);

/// Stores the value of analyze option `name`; the error text when the value is unusable.
std::string storeAnalyzeOption(CliAnalyzeOptions& options, std::string_view name,
                               std::string_view value);

/// Checks what analyze needs once the whole line is read (a set and a log) and puts the target
/// row where the sensor takes it; the error text, or empty.
std::string finishAnalyzeOptions(CliAnalyzeOptions& options);

} // namespace kordana
