// The one ordered list of the window's features. Adding a feature is one line here. The order
// is the order of installing, of the settings, of the language and of every hub signal's
// delivery: the language tables first, the monitor panel before the pages that show its labels,
// the unit before the pages that bind its check box, the pages before the files that use their
// preset box.
#include "app/InstalledFeatures.h"

#include "features/assistant/AssistantFeature.h"
#include "features/editing/EditingFeature.h"
#include "features/files/FilesFeature.h"
#include "features/help/HelpFeature.h"
#include "features/history/HistoryFeature.h"
#include "features/language/LanguageFeature.h"
#include "features/log/LogFeature.h"
#include "features/map3d/Map3DFeature.h"
#include "features/monitor/MonitorFeature.h"
#include "features/print/PrintFeature.h"
#include "features/tunesheet/TuneSheetFeature.h"
#include "features/unit/UnitFeature.h"
#include "features/view/ViewFeature.h"

namespace kordana {

std::vector<std::unique_ptr<Feature>> installedFeatures() {
    std::vector<std::unique_ptr<Feature>> features;
    features.push_back(std::make_unique<LanguageFeature>());
    features.push_back(std::make_unique<MonitorFeature>());
    features.push_back(std::make_unique<UnitFeature>());
    features.push_back(std::make_unique<EditingFeature>());
    features.push_back(std::make_unique<FilesFeature>());
    features.push_back(std::make_unique<HistoryFeature>());
    features.push_back(std::make_unique<ViewFeature>());
    features.push_back(std::make_unique<Map3DFeature>());
    features.push_back(std::make_unique<LogFeature>());
    features.push_back(std::make_unique<AssistantFeature>());
    features.push_back(std::make_unique<PrintFeature>());
    features.push_back(std::make_unique<TuneSheetFeature>());
    features.push_back(std::make_unique<HelpFeature>());
    return features;
}

} // namespace kordana
