#pragma once

#include "shell/Feature.h"

#include <memory>
#include <vector>

namespace kordana {

/// The features of the window, in the order they are installed, get their settings and the
/// language, and shut down.
std::vector<std::unique_ptr<Feature>> installedFeatures();

} // namespace kordana
