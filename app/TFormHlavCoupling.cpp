// Coupling of the map triples: the six mode commands and the coupling indicators.
#include "app/TFormHlav.h"

#include "editors/MapGrid.h"
#include "session/MapCoupling.h"

#include <QAction>
#include <QTabWidget>

namespace kordana {

void TFormHlav::ShowCouplingIndicators() {
    const ParameterImage& image = m_session.image();
    const struct {
        const char* item;
        int group;
        std::uint8_t mode;
    } items[] = {
        {"Menu_Ign123Normal", coupling::kIgnitionGroup, coupling::kSeparate},
        {"Menu_Ign123Coupled", coupling::kIgnitionGroup, coupling::kCoupled},
        {"Menu_Ign123Stejny", coupling::kIgnitionGroup, coupling::kSame},
        {"Menu_Jet123Normal", coupling::kInjectionGroup, coupling::kSeparate},
        {"Menu_Jet123Coupled", coupling::kInjectionGroup, coupling::kCoupled},
        {"Menu_Jet123Stejny", coupling::kInjectionGroup, coupling::kSame},
    };
    for (const auto& entry : items) {
        if (QAction* item = action(entry.item)) {
            item->setChecked(coupling::modeOf(image, entry.group) == entry.mode);
        }
    }

    // A mode set by a file, a read or the cache may hide the active page's own tab.
    showActiveMasterIfHidden();
    for (int p = 0; p < static_cast<int>(kMapPageCount); ++p) {
        const bool visible = !coupling::isTabHidden(image, p);
        if (m_pageControl->isTabVisible(p) != visible) {
            m_pageControl->setTabVisible(p, visible);
        }
    }
    m_pages.applyVisibilityRules(image);

    const int active = activePageIndex();
    m_mapGrid->setLocked(coupling::isLocked(image, active));
    const coupling::Indicator indicator = coupling::indicatorFor(image, active);
    m_mapGrid->setModeIndicator(indicator.visible, indicator.same);
}

void TFormHlav::showActiveMasterIfHidden() {
    const int active = activePageIndex();
    const int target = coupling::visiblePageFor(m_session.image(), active);
    if (target == active) {
        return;
    }
    selectPageQuietly(target);
    refreshPage(target);
}

void TFormHlav::applyCouplingCommand(int group, std::uint8_t mode) {
    // No harvest first: a value typed into the grid and not committed is lost.
    m_mapGrid->hideGrid();
    m_session.setCouplingMode(group, mode);
    if (mode == coupling::kSame) {
        const int active = activePageIndex();
        if (coupling::isMapPage(active) && coupling::groupOf(active) == group) {
            selectPageQuietly(coupling::masterOf(active));
        }
    }
    // Every command refreshes: a sibling page still showing its old breakpoints would write
    // them back at its next harvest and undo the copy.
    PageRefresh();
    if (mode == coupling::kSame) {
        ProgrammingAfterChangeCheck();
    }
    m_mapGrid->showGrid();
}

void TFormHlav::Menu_Ign123NormalClick() {
    applyCouplingCommand(coupling::kIgnitionGroup, coupling::kSeparate);
}
void TFormHlav::Menu_Ign123CoupledClick() {
    applyCouplingCommand(coupling::kIgnitionGroup, coupling::kCoupled);
}
void TFormHlav::Menu_Ign123StejnyClick() {
    applyCouplingCommand(coupling::kIgnitionGroup, coupling::kSame);
}
void TFormHlav::Menu_Jet123NormalClick() {
    applyCouplingCommand(coupling::kInjectionGroup, coupling::kSeparate);
}
void TFormHlav::Menu_Jet123CoupledClick() {
    applyCouplingCommand(coupling::kInjectionGroup, coupling::kCoupled);
}
void TFormHlav::Menu_Jet123StejnyClick() {
    applyCouplingCommand(coupling::kInjectionGroup, coupling::kSame);
}

} // namespace kordana
