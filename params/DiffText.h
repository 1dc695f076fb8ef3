#pragma once

#include "params/ParameterDiff.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// The words a comparison is written in: how a parameter element and its group are called
/// (the captions of the pages, in the window's language) and the summary's words. Without
/// a caption an element is called by its key.
struct DiffNaming {
    std::function<std::string(std::string_view key, std::size_t element)> caption;
    std::function<std::string(std::string_view key)> group;
    std::string cellsDiffer = "differing cells";
    std::string valuesDiffer = "differing values";
    std::string largestChange = "largest change";
};

/// The one-line text of a difference, for the terminal and the window alike: the caption, the
/// place of a map cell by breakpoint and throttle row, A's and B's value with the unit, the
/// stored bytes when the shown values agree, and the key in brackets:
/// "Ign 1, 3000 rpm, 10 %: 24 -> 25 deg [IGN_1[49]]",
/// "Ignition Limiter: 9000 -> 9500 rpm [LIMITER[1]]". An unnamed byte: "byte 126: 0 -> 5".
std::string differenceLine(const ParameterDifference& difference, const DiffNaming& naming);

/// One line per map and group in order of their first difference: how many cells (of a map)
/// and values differ, and the largest change with where it is:
/// "Ign 1: differing cells 3, largest change 5 deg (3000 rpm, 10 %)".
std::vector<std::string> diffSummaryLines(const std::vector<ParameterDifference>& differences,
                                          const DiffNaming& naming);

/// The whole report: the summary, an empty line, then one line per difference; empty when
/// nothing differs.
std::vector<std::string> diffReport(const std::vector<ParameterDifference>& differences,
                                    const DiffNaming& naming);

} // namespace kordana
