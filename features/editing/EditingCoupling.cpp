// Coupling of the map triples: the six mode commands and the coupling indicators.
#include "features/editing/EditingFeature.h"

#include "editors/MapGrid.h"
#include "session/EditSession.h"
#include "session/MapCoupling.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"

#include <QAction>
#include <QTabWidget>

namespace kordana {

void EditingFeature::installCouplingCommands() {
    const struct {
        MenuItemSpec item;
        void (EditingFeature::*handler)();
    } items[] = {
        {{"Menu_Ign123Normal", "Separate"}, &EditingFeature::Menu_Ign123NormalClick},
        {{"Menu_Ign123Coupled", "Coupled"}, &EditingFeature::Menu_Ign123CoupledClick},
        {{"Menu_Ign123Stejny", "1 = 2 = 3"}, &EditingFeature::Menu_Ign123StejnyClick},
        {{"Menu_Jet123Normal", "Separate"}, &EditingFeature::Menu_Jet123NormalClick},
        {{"Menu_Jet123Coupled", "Coupled"}, &EditingFeature::Menu_Jet123CoupledClick},
        {{"Menu_Jet123Stejny", "1 = 2 = 3"}, &EditingFeature::Menu_Jet123StejnyClick},
    };
    for (const auto& entry : items) {
        QAction* item = m_shell->addMenuItem(entry.item);
        QObject::connect(item, &QAction::triggered, item,
                         [this, handler = entry.handler] { (this->*handler)(); });
    }
}

void EditingFeature::ShowCouplingIndicators() {
    const ParameterImage& image = m_shell->session().image();
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
        if (auto* item = m_shell->mainWindow().findChild<QAction*>(entry.item)) {
            item->setChecked(coupling::modeOf(image, entry.group) == entry.mode);
        }
    }

    // A mode set by a file, a read or the cache may hide the active page's own tab.
    showActiveMasterIfHidden();
    for (int p = 0; p < static_cast<int>(kMapPageCount); ++p) {
        const bool visible = !coupling::isTabHidden(image, p);
        if (m_shell->pageControl().isTabVisible(p) != visible) {
            m_shell->pageControl().setTabVisible(p, visible);
        }
    }
    m_pages.applyVisibilityRules(image);

    const int active = m_shell->activePageIndex();
    m_mapGrid->setLocked(coupling::isLocked(image, active));
    const coupling::Indicator indicator = coupling::indicatorFor(image, active);
    m_mapGrid->setModeIndicator(indicator.visible, indicator.same);
}

void EditingFeature::showActiveMasterIfHidden() {
    const int active = m_shell->activePageIndex();
    const int target = coupling::visiblePageFor(m_shell->session().image(), active);
    if (target == active) {
        return;
    }
    selectPageQuietly(target);
    refreshPage(target);
}

void EditingFeature::applyCouplingCommand(int group, std::uint8_t mode) {
    // No harvest first: a value typed into the grid and not committed is lost.
    m_mapGrid->hideGrid();
    m_shell->session().setCouplingMode(group, mode);
    if (mode == coupling::kSame) {
        const int active = m_shell->activePageIndex();
        if (coupling::isMapPage(active) && coupling::groupOf(active) == group) {
            selectPageQuietly(coupling::masterOf(active));
        }
    }
    // Every command refreshes: a sibling page still showing its old breakpoints would write
    // them back at its next harvest and undo the copy.
    m_shell->PageRefresh();
    if (mode == coupling::kSame) {
        emit m_shell->hub().committed();
    }
    m_mapGrid->showGrid();
}

void EditingFeature::Menu_Ign123NormalClick() {
    applyCouplingCommand(coupling::kIgnitionGroup, coupling::kSeparate);
}
void EditingFeature::Menu_Ign123CoupledClick() {
    applyCouplingCommand(coupling::kIgnitionGroup, coupling::kCoupled);
}
void EditingFeature::Menu_Ign123StejnyClick() {
    applyCouplingCommand(coupling::kIgnitionGroup, coupling::kSame);
}
void EditingFeature::Menu_Jet123NormalClick() {
    applyCouplingCommand(coupling::kInjectionGroup, coupling::kSeparate);
}
void EditingFeature::Menu_Jet123CoupledClick() {
    applyCouplingCommand(coupling::kInjectionGroup, coupling::kCoupled);
}
void EditingFeature::Menu_Jet123StejnyClick() {
    applyCouplingCommand(coupling::kInjectionGroup, coupling::kSame);
}

} // namespace kordana
