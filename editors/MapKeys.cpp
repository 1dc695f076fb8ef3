#include "editors/MapKeys.h"

#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"

#include <QKeyEvent>

#include <algorithm>

namespace kordana {

MapKeys::MapKeys(MapGrid& grid, Handlers handlers, QObject* parent)
    : QObject(parent), m_grid(grid), m_handlers(std::move(handlers)) {}

void MapKeys::watch() {
    for (int c = 0; c < MapGrid::kCols; ++c) {
        m_grid.breakpoint(c)->installEventFilter(this);
        for (int r = 0; r < MapGrid::kRows; ++r) {
            m_grid.cell(r, c)->installEventFilter(this);
        }
    }
}

bool MapKeys::placeOf(const QObject* field, Place& place) const {
    for (int c = 0; c < MapGrid::kCols; ++c) {
        if (field == m_grid.breakpoint(c)) {
            place = {-1, c};
            return true;
        }
        for (int r = 0; r < MapGrid::kRows; ++r) {
            if (field == m_grid.cell(r, c)) {
                place = {r, c};
                return true;
            }
        }
    }
    return false;
}

QWidget* MapKeys::fieldAt(const Place& place) const {
    return place.row < 0 ? static_cast<QWidget*>(m_grid.breakpoint(place.column))
                         : m_grid.cell(place.row, place.column);
}

void MapKeys::moveTo(const Place& place) {
    QWidget* field = fieldAt(place);
    field->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<UpDownEdit*>(field)) {
        edit->selectAll();
    }
}

bool MapKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    Place at;
    if (!placeOf(watched, at)) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const int k = key->key();
    if (mods == (Qt::ControlModifier | Qt::ShiftModifier) &&
        (k == Qt::Key_Up || k == Qt::Key_Down)) {
        m_handlers.step(at.row, at.column, k == Qt::Key_Up ? +1 : -1);
        return true;
    }
    Place to = at;
    if (mods == Qt::ControlModifier) {
        switch (k) {
        case Qt::Key_Left:
            to.column = std::max(0, at.column - 1);
            break;
        case Qt::Key_Right:
            to.column = std::min(MapGrid::kCols - 1, at.column + 1);
            break;
        case Qt::Key_Up:
            to.row = std::max(-1, at.row - 1);
            break;
        case Qt::Key_Down:
            to.row = std::min(MapGrid::kRows - 1, at.row + 1);
            break;
        default:
            return false;
        }
    } else if (mods == Qt::NoModifier && (k == Qt::Key_Home || k == Qt::Key_End)) {
        to.column = k == Qt::Key_Home ? 0 : MapGrid::kCols - 1;
    } else {
        return false;
    }
    m_handlers.commit();
    moveTo(to);
    return true;
}

} // namespace kordana
