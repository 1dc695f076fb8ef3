// The one ordered list of the window's features. Adding a feature is one line here.
#include "app/InstalledFeatures.h"

#include "features/help/HelpFeature.h"
#include "features/history/HistoryFeature.h"
#include "features/log/LogFeature.h"
#include "features/map3d/Map3DFeature.h"
#include "features/tunesheet/TuneSheetFeature.h"
#include "features/view/ViewFeature.h"

namespace kordana {

std::vector<std::unique_ptr<Feature>> installedFeatures() {
    std::vector<std::unique_ptr<Feature>> features;
    features.push_back(std::make_unique<HistoryFeature>());
    features.push_back(std::make_unique<ViewFeature>());
    features.push_back(std::make_unique<Map3DFeature>());
    features.push_back(std::make_unique<LogFeature>());
    features.push_back(std::make_unique<TuneSheetFeature>());
    features.push_back(std::make_unique<HelpFeature>());
    return features;
}

} // namespace kordana
