// View > View map in 3D: the window that shows a map as a surface, fed after every refresh and
// every tick while it is open.
#include "app/TFormHlav.h"

#include "editors/MapGrid.h"
#include "map3d/MapSurfaceWindow.h"

#include <QTabWidget>

#include <algorithm>

namespace kordana {

std::size_t TFormHlav::map3DPage() const {
    // On another page the surface stays on the map page last shown, which the grid remembers.
    const int active = activePageIndex();
    if (active < static_cast<int>(kMapPageCount)) {
        return static_cast<std::size_t>(active);
    }
    return static_cast<std::size_t>(std::max(0, m_mapGrid->shownPage()));
}

void TFormHlav::MenuMap3DClick() {
    m_map3D->show();
    m_map3D->raise();
    m_map3D->activateWindow();
    refreshMap3D();
    markMap3D();
}

void TFormHlav::refreshMap3D() {
    if (m_map3D == nullptr || !m_map3D->isVisible()) {
        return;
    }
    const std::size_t page = map3DPage();
    m_map3D->showMap(m_session.image(), page, m_pageControl->tabText(static_cast<int>(page)));
}

void TFormHlav::markMap3D() {
    if (m_map3D == nullptr || !m_map3D->isVisible()) {
        return;
    }
    // The map page's own cursor arithmetic, for the map shown even while another page is active.
    // A replayed log row moves it like the live values do.
    m_map3D->showMark(mapMark(m_session.image(), map3DPage(), m_replay ? *m_replay : m_liveValues));
}

} // namespace kordana
