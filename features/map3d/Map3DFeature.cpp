#include "features/map3d/Map3DFeature.h"

#include "map3d/MapSurfaceWindow.h"
#include "monitor/OperatingPoint.h"
#include "session/EditSession.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"

#include <QAction>

namespace kordana {

void Map3DFeature::install(Shell& shell) {
    m_shell = &shell;
    m_window = new MapSurfaceWindow(&shell.mainWindow());
    if (QAction* item = shell.addMenuItem({"MenuMap3D", "View map in 3D"})) {
        QObject::connect(item, &QAction::triggered, m_window, [this] { MenuMap3DClick(); });
    }
    EventHub& hub = shell.hub();
    QObject::connect(&hub, &EventHub::pageShown, m_window, [this](int index) {
        if (index < static_cast<int>(kMapPageCount)) {
            m_lastMapPage = index;
        }
        refresh();
    });
    QObject::connect(&hub, &EventHub::cursorMarked, m_window,
                     [this](const MonitorLiveValues&, int mapPage, const MapMark& mapMark) {
                         if (!m_window->isVisible()) {
                             return;
                         }
                         // The window's mark when the map shown is the active page.
                         if (mapPage >= 0 && static_cast<std::size_t>(mapPage) == shownMap()) {
                             m_window->showMark(mapMark);
                         } else {
                             mark();
                         }
                     });
}

std::size_t Map3DFeature::shownMap() const {
    // On another page the surface stays on the map page last shown.
    const int active = m_shell->activePageIndex();
    return static_cast<std::size_t>(active < static_cast<int>(kMapPageCount) ? active
                                                                             : m_lastMapPage);
}

void Map3DFeature::MenuMap3DClick() {
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    refresh();
    mark();
}

void Map3DFeature::refresh() {
    if (!m_window->isVisible()) {
        return;
    }
    const std::size_t page = shownMap();
    m_window->showMap(m_shell->session().image(), page,
                      m_shell->pageCaption(static_cast<int>(page)));
}

void Map3DFeature::mark() {
    if (!m_window->isVisible()) {
        return;
    }
    // The map page's own cursor arithmetic, for the map shown even while another page is
    // active; a replayed log row moves it like the live values do.
    m_window->showMark(
        mapMark(m_shell->session().image(), shownMap(), m_shell->hub().liveValues()));
}

} // namespace kordana
