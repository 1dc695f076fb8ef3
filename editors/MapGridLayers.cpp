#include "editors/MapGridLayers.h"

#include "editors/MapSelection.h"
#include "editors/UpDownEdit.h"

#include <QApplication>
#include <QLabel>

namespace kordana {

using mapgrid::idx;
using mapgrid::kCells;
using mapgrid::kCols;
using mapgrid::kRows;

namespace {

QColor toQColor(Rgb colour) {
    return {colour.r, colour.g, colour.b};
}

Rgb toRgb(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

void setMarked(QWidget* widget, QPalette::ColorRole role, bool marked, Rgb colour) {
    if (widget == nullptr) {
        return;
    }
    const QColor wanted = marked ? toQColor(colour) : QApplication::palette(widget).color(role);
    if (widget->palette().color(role) == wanted) {
        return;
    }
    QPalette palette = widget->palette();
    palette.setColor(role, wanted);
    widget->setPalette(palette);
}

template <typename Fields>
QWidget* fieldAt(const Fields& fields, int i) {
    return i >= 0 && i < static_cast<int>(fields.size()) ? fields[idx(i)] : nullptr;
}

bool isMapPage(int page) {
    return page >= 0 && idx(page) < kMapPageCount;
}

} // namespace

MapGridLayers::MapGridLayers(const mapgrid::CellFields& cells,
                             const std::array<UpDownEdit*, kCols>& breakpoints,
                             const std::array<QLabel*, kRows>& rowLabels,
                             const MapSelection& selection)
    : m_cells(cells), m_breakpoints(breakpoints), m_rowLabels(rowLabels), m_selection(selection) {}

void MapGridLayers::setOutlinedCells(const std::vector<MapCellRef>& cells, int shownPage) {
    m_outlined = {};
    for (const MapCellRef& cell : cells) {
        if (cell.page < kMapPageCount && cell.row < idx(kRows) && cell.column < idx(kCols)) {
            m_outlined[cell.page][cell.row * idx(kCols) + cell.column] = true;
        }
    }
    applyOutlines(shownPage);
}

void MapGridLayers::applyOutlines(int shownPage) {
    if (!isMapPage(shownPage)) {
        return;
    }
    const auto& outlined = m_outlined[idx(shownPage)];
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        m_cells[i]->setOutlined(outlined[i]);
    }
}

void MapGridLayers::markFields(const Mark& mark, bool marked) {
    setMarked(fieldAt(m_rowLabels, mark.row), QPalette::Window, marked, m_markRgb);
    setMarked(fieldAt(m_breakpoints, mark.column), QPalette::Base, marked && mark.cellAndBreakpoint,
              m_markRgb);
}

void MapGridLayers::showMark(int row, int column, bool cellAndBreakpoint) {
    // The tick runs 18 times a second: only the fields whose mark changes are repainted.
    const Mark mark{row, column, cellAndBreakpoint};
    if (mark == m_mark && !m_markPaintedOver) {
        return;
    }
    if (m_markPaintedOver) {
        m_markPaintedOver = false;
        for (int r = 0; r < kRows; ++r) {
            setMarked(fieldAt(m_rowLabels, r), QPalette::Window, r == row, m_markRgb);
        }
        for (int c = 0; c < kCols; ++c) {
            setMarked(fieldAt(m_breakpoints, c), QPalette::Base,
                      row >= 0 && c == column && cellAndBreakpoint, m_markRgb);
        }
    } else if (m_mark.row >= 0) {
        markFields(m_mark, false);
    }
    if (row >= 0) {
        markFields(mark, true);
    }
    // The cells whose colour may change: the cell left, the cell marked, and every cell of
    // the trail before and after this visit (each one grows older).
    std::vector<int> changed = trailCells();
    changed.push_back(markedCell());
    m_mark = mark;
    changed.push_back(markedCell());
    if (m_trailShown && markedCell() >= 0) {
        m_trail.visit({row, column});
        const std::vector<int> now = trailCells();
        changed.insert(changed.end(), now.begin(), now.end());
    }
    paintCells(changed);
}

void MapGridLayers::setReplayMark(bool on) {
    const Rgb colour = on ? kReplayRgb : kLimeRgb;
    if (colour == m_markRgb) {
        return;
    }
    m_markRgb = colour;
    if (m_mark.row >= 0) {
        markFields(m_mark, true);
        paintCells({markedCell()});
    }
}

void MapGridLayers::whitenRowLabels() {
    for (QLabel* label : m_rowLabels) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, Qt::white);
        label->setPalette(palette);
    }
    m_markPaintedOver = true;
}

void MapGridLayers::showHeat(const ParameterImage& image, int shownPage) {
    // Without heat colours, before or now, no cell's colour depends on the values.
    if (!m_heatMap && !m_heatPainted) {
        return;
    }
    if (m_heatMap && isMapPage(shownPage)) {
        // The values as the cells show them, over the map's own lowest..highest.
        const std::array<int, kCells> values = mapShownCells(image, idx(shownPage));
        const HeatRange range = heatRangeOf(values);
        for (std::size_t i = 0; i < values.size(); ++i) {
            m_heat[i] = range.colour(values[i]);
        }
    }
    paintAll();
    m_heatPainted = m_heatMap;
}

void MapGridLayers::setCursorTrail(bool on) {
    m_trailShown = on;
    if (!on) {
        clearTrail();
    }
}

void MapGridLayers::clearTrail() {
    const std::vector<int> cells = trailCells();
    m_trail.clear();
    paintCells(cells);
}

int MapGridLayers::markedCell() const {
    if (m_mark.row < 0 || !m_mark.cellAndBreakpoint || m_mark.row >= kRows || m_mark.column < 0 ||
        m_mark.column >= kCols) {
        return -1;
    }
    return m_mark.row * kCols + m_mark.column;
}

std::vector<int> MapGridLayers::trailCells() const {
    std::vector<int> cells;
    for (const CursorTrail::Cell& cell : m_trail.cells()) {
        cells.push_back(cell.row * kCols + cell.column);
    }
    return cells;
}

// The colour a cell has where neither the cursor nor its trail is: its value's colour on the
// heat map, else the field colour.
QColor MapGridLayers::cellBaseColour(int index) const {
    if (m_heatMap) {
        return toQColor(m_heat[idx(index)]);
    }
    return QApplication::palette(m_cells[idx(index)]).color(QPalette::Base);
}

// The cursor wins over everything; a selected cell takes the selection's tint over its own
// colour, and a trail mark is lime faded into that.
QColor MapGridLayers::cellColour(int index) const {
    if (index == markedCell()) {
        return toQColor(m_markRgb);
    }
    QColor base = cellBaseColour(index);
    if (m_selection.inBlock(index)) {
        base = MapSelection::tint(base);
    }
    const int row = index / kCols;
    const int column = index % kCols;
    if (const auto age = m_trail.ageOf({row, column})) {
        return toQColor(blend(kLimeRgb, toRgb(base), CursorTrail::strength(*age)));
    }
    return base;
}

void MapGridLayers::paintCell(int index) {
    UpDownEdit* field = m_cells[idx(index)];
    const QPalette plain = QApplication::palette(field);
    const QColor background = cellColour(index);
    // On a coloured cell the figures take black or white, whichever reads better.
    const QColor text = background == plain.color(QPalette::Base)
                            ? plain.color(QPalette::Text)
                            : toQColor(textColourOn(toRgb(background)));
    const QPalette& now = field->palette();
    if (now.color(QPalette::Base) == background && now.color(QPalette::Text) == text) {
        return;
    }
    QPalette palette = now;
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    field->setPalette(palette);
}

void MapGridLayers::paintCells(const std::vector<int>& indices) {
    for (const int index : indices) {
        if (index >= 0 && index < kCells) {
            paintCell(index);
        }
    }
}

void MapGridLayers::paintAll() {
    for (int i = 0; i < kCells; ++i) {
        paintCell(i);
    }
}

} // namespace kordana
