#include "editors/MapPage.h"

#include "editors/MapGrid.h"
#include "monitor/OperatingPoint.h"
#include "session/EditSession.h"

#include <QCheckBox>
#include <QSignalBlocker>

namespace kordana {

MapPage::MapPage(int index, QWidget* sheet, MapGrid& grid) : FieldPage(index, sheet), m_grid(grid) {
    addFields(grid.fieldTable(index));
}

bool MapPage::canHarvest() const {
    return m_grid.shownPage() == index();
}

void MapPage::refresh(const EditSession& session) {
    m_grid.showOnPage(sheet(), index());
    FieldPage::refresh(session);
    m_grid.showHeat(session.image());
    const QSignalBlocker block(m_grid.allCheckBox());
    m_grid.allCheckBox()->setChecked(session.allFlags()[static_cast<std::size_t>(index())] != 0);
}

void MapPage::harvest(EditSession& session) {
    if (!canHarvest()) {
        return;
    }
    FieldPage::harvest(session);
    session.setAllFlag(index(), m_grid.allCheckBox()->isChecked());
}

// The window computed the mark of this page once for the tick.
void MapPage::markOperatingPoint(const ParameterImage& /*image*/, const MonitorLiveValues& /*live*/,
                                 const MapMark& mapMark) {
    m_grid.showMark(mapMark.row, mapMark.column, mapMark.cellMarked);
}

bool MapPage::runBulkTool(EditSession& session, int direction, const BulkToolInput& input) {
    // No harvest: text typed into the grid and not committed gives way to the refresh. Without
    // All the tool needs a turning engine, or the marked cell says nothing about the engine.
    const bool wholeMap = session.allFlags()[static_cast<std::size_t>(index())] != 0;
    if (!wholeMap && input.live.engineSpeed == 0) {
        return false;
    }
    session.stepMap(index(), wholeMap, input.point.mapRow, input.point.mapColumn, direction);
    input.commitTail();
    return true;
}

} // namespace kordana
