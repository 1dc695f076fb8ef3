#include "params/DiffText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <optional>

namespace kordana {

namespace {

constexpr std::array<int, 10> kThrottlePercent{0, 2, 5, 10, 20, 30, 40, 60, 80, 100};

std::string callerCaption(const ParameterDifference& d, const DiffNaming& naming) {
    if (d.key.empty() || !naming.caption) {
        return {};
    }
    return naming.caption(d.key, d.element);
}

// "3000 rpm, 10 %": the cell's breakpoint (both when the sides' breakpoints differ) and row.
std::string cellPlace(const MapCellPlace& c) {
    std::string text = std::to_string(c.rpmA);
    if (c.rpmB != c.rpmA) {
        text += "/" + std::to_string(c.rpmB);
    }
    return text + " rpm, " + std::to_string(kThrottlePercent.at(c.row)) + " %";
}

std::string valueChange(const ParameterDifference& d) {
    std::string text = d.shownA + " -> " + d.shownB;
    if (!d.unit.empty()) {
        text += " " + std::string(d.unit);
    }
    if (d.storedA && d.storedB) {
        text +=
            " (stored " + std::to_string(*d.storedA) + " -> " + std::to_string(*d.storedB) + ")";
    }
    return text;
}

std::optional<int> wholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc{} || at != end) {
        return std::nullopt;
    }
    return value;
}

// What one group has differing, and its largest change so far.
struct GroupTally {
    std::string name;
    std::size_t cells = 0;
    std::size_t values = 0;
    int largest = -1;
    const ParameterDifference* largestAt = nullptr;
    bool largestIsCell = false;

    void add(const ParameterDifference& d) {
        const bool cell = d.cell.has_value();
        ++(cell ? cells : values);
        const auto a = wholeNumber(d.shownA);
        const auto b = wholeNumber(d.shownB);
        if (!a || !b) {
            return;
        }
        // A map's cells speak for the map; its breakpoints only when no cell differs.
        const int change = std::abs(*b - *a);
        if (change == 0) {
            return;
        }
        if ((cell && (!largestIsCell || change > largest)) ||
            (!cell && !largestIsCell && change > largest)) {
            largest = change;
            largestAt = &d;
            largestIsCell = cell;
        }
    }
};

std::string groupOf(const ParameterDifference& d, const DiffNaming& naming) {
    if (naming.group) {
        const std::string group = naming.group(d.key);
        if (!group.empty()) {
            return group;
        }
    }
    return d.key.empty() ? std::string("byte") : std::string(d.key);
}

std::string summaryLine(const GroupTally& tally, const DiffNaming& naming) {
    std::string line = tally.name + ":";
    std::string sep = " ";
    if (tally.cells > 0) {
        line += sep + naming.cellsDiffer + " " + std::to_string(tally.cells);
        sep = ", ";
    }
    if (tally.values > 0) {
        line += sep + naming.valuesDiffer + " " + std::to_string(tally.values);
        sep = ", ";
    }
    if (tally.largestAt != nullptr) {
        const ParameterDifference& d = *tally.largestAt;
        line += sep + naming.largestChange + " " + std::to_string(tally.largest);
        if (!d.unit.empty()) {
            line += " " + std::string(d.unit);
        }
        const std::string caption = callerCaption(d, naming);
        line += " (" + (d.cell ? cellPlace(*d.cell) : caption.empty() ? d.name : caption) + ")";
    }
    return line;
}

} // namespace

std::string differenceLine(const ParameterDifference& d, const DiffNaming& naming) {
    const std::string caption = callerCaption(d, naming);
    std::string line = caption.empty() ? d.name : caption;
    if (d.cell) {
        line += ", " + cellPlace(*d.cell);
    }
    line += ": " + valueChange(d);
    if (!caption.empty()) {
        line += " [" + d.name + "]";
    }
    return line;
}

std::vector<std::string> diffSummaryLines(const std::vector<ParameterDifference>& differences,
                                          const DiffNaming& naming) {
    std::vector<GroupTally> tallies;
    for (const ParameterDifference& d : differences) {
        const std::string name = groupOf(d, naming);
        auto tally = std::find_if(tallies.begin(), tallies.end(),
                                  [&](const GroupTally& t) { return t.name == name; });
        if (tally == tallies.end()) {
            tallies.push_back(GroupTally{name});
            tally = tallies.end() - 1;
        }
        tally->add(d);
    }
    std::vector<std::string> lines;
    for (const GroupTally& tally : tallies) {
        lines.push_back(summaryLine(tally, naming));
    }
    return lines;
}

std::vector<std::string> diffReport(const std::vector<ParameterDifference>& differences,
                                    const DiffNaming& naming) {
    if (differences.empty()) {
        return {};
    }
    std::vector<std::string> lines = diffSummaryLines(differences, naming);
    lines.emplace_back();
    for (const ParameterDifference& d : differences) {
        lines.push_back(differenceLine(d, naming));
    }
    return lines;
}

} // namespace kordana
