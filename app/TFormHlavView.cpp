// The View menu: map cells coloured by value, and the trail of the operating point.
#include "app/TFormHlav.h"

#include "editors/MapGrid.h"

#include <QAction>

namespace kordana {

void TFormHlav::MenuHeatMapClick() {
    m_mapGrid->setHeatMap(action("MenuHeatMap")->isChecked());
    m_mapGrid->showHeat(m_session.image());
}

void TFormHlav::MenuCursorTrailClick() {
    m_mapGrid->setCursorTrail(action("MenuCursorTrail")->isChecked());
}

} // namespace kordana
