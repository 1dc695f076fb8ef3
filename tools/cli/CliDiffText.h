#pragma once

#include "params/ParameterDiff.h"

#include <vector>

namespace kordana {

class CliConsole;

/// Prints a comparison on standard output: the summary per map and group, an empty line, and
/// one line per difference, named by the English captions of the pages.
void printDifferences(const std::vector<ParameterDifference>& differences, CliConsole& console);

} // namespace kordana
