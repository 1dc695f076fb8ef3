#include "features/view/ViewFeature.h"

#include "settings/IniFile.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"

#include <QAction>

namespace kordana {

namespace {

// Options this program adds, in a section of its own, so the established sections keep
// exactly their keys.
const char* const kSectionKordana = "KORDANA";
const char* const kHeatMapKey = "HeatMap";
const char* const kCursorTrailKey = "CursorTrail";

} // namespace

void ViewFeature::install(Shell& shell) {
    m_shell = &shell;
    m_heatMap = shell.addMenuItem({"MenuHeatMap", "Heat map colours", "", true});
    m_cursorTrail = shell.addMenuItem({"MenuCursorTrail", "Cursor trail", "", true});
    QObject::connect(m_heatMap, &QAction::triggered, m_heatMap, [this] { MenuHeatMapClick(); });
    QObject::connect(m_cursorTrail, &QAction::triggered, m_cursorTrail,
                     [this] { MenuCursorTrailClick(); });
}

void ViewFeature::loadSettings(const IniFile& settings) {
    const auto load = [&settings](QAction* item, const char* key) {
        item->setChecked(settings.readInteger(kSectionKordana, key, item->isChecked() ? 1 : 0) !=
                         0);
    };
    load(m_heatMap, kHeatMapKey);
    load(m_cursorTrail, kCursorTrailKey);
    MenuHeatMapClick();
    MenuCursorTrailClick();
}

void ViewFeature::saveSettings(IniFile& settings) const {
    settings.writeInteger(kSectionKordana, kHeatMapKey, m_heatMap->isChecked() ? 1 : 0);
    settings.writeInteger(kSectionKordana, kCursorTrailKey, m_cursorTrail->isChecked() ? 1 : 0);
}

void ViewFeature::MenuHeatMapClick() {
    emit m_shell->hub().heatMapChosen(m_heatMap->isChecked());
}

void ViewFeature::MenuCursorTrailClick() {
    emit m_shell->hub().cursorTrailChosen(m_cursorTrail->isChecked());
}

} // namespace kordana
