// The operating-point cursor: the map cell, breakpoint and throttle row the engine is using,
// from the latest monitor frame, marked lime on the active map page.
#include "app/TFormHlav.h"

#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"

#include <QApplication>
#include <QLabel>

namespace kordana {

namespace {

constexpr int kLastMapPage = 8;

void setMarked(QWidget* widget, QPalette::ColorRole role, bool marked) {
    if (widget == nullptr) {
        return;
    }
    const QColor wanted = marked ? QColor(0, 255, 0) : QApplication::palette(widget).color(role);
    if (widget->palette().color(role) == wanted) {
        return;
    }
    QPalette palette = widget->palette();
    palette.setColor(role, wanted);
    widget->setPalette(palette);
}

} // namespace

void TFormHlav::MarkOperatingPoint() {
    const int page = activePageIndex();
    operatingPoint.follow(static_cast<std::size_t>(page), image, liveValues);
    if (page > kLastMapPage || mapGrid == nullptr) {
        return;
    }
    const MapMark mark = mapMark(image, static_cast<std::size_t>(page), liveValues);
    showMapMark({mark.row, mark.column, mark.cellMarked});
}

void TFormHlav::showMapMark(const MapMarkShown& mark) {
    // Only the fields whose mark changes are repainted: the tick runs 18 times a second.
    if (mark == m_mapMarkShown) {
        return;
    }
    const MapMarkShown old = m_mapMarkShown;
    if (old.row >= 0) {
        setMarked(mapGrid->rowLabel(old.row), QPalette::Window, false);
        setMarked(mapGrid->breakpoint(old.column), QPalette::Base, false);
        setMarked(mapGrid->cell(old.row, old.column), QPalette::Base, false);
    }
    setMarked(mapGrid->rowLabel(mark.row), QPalette::Window, true);
    setMarked(mapGrid->breakpoint(mark.column), QPalette::Base, mark.cellAndBreakpoint);
    setMarked(mapGrid->cell(mark.row, mark.column), QPalette::Base, mark.cellAndBreakpoint);
    m_mapMarkShown = mark;
}

} // namespace kordana
