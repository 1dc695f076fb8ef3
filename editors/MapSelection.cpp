#include "editors/MapSelection.h"

#include "editors/UpDownEdit.h"
#include "params/HeatScale.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace kordana {

using mapgrid::idx;
using mapgrid::kCols;
using mapgrid::kRows;

namespace {

const QColor kSelectionColour(0, 90, 220);

// The outline around the selected block: a frame drawn over the grid box in the gaps between
// the cells, transparent to the mouse.
class SelectionFrame : public QWidget {
public:
    static constexpr int kMargin = 3;
    explicit SelectionFrame(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(kSelectionColour, 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
};

Rgb toRgb(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

// The shift of the block's moving corner for a Shift+arrow key, or none for another key.
std::optional<std::pair<int, int>> arrowStep(int key) {
    switch (key) {
    case Qt::Key_Up:
        return std::pair{-1, 0};
    case Qt::Key_Down:
        return std::pair{1, 0};
    case Qt::Key_Left:
        return std::pair{0, -1};
    case Qt::Key_Right:
        return std::pair{0, 1};
    default:
        return std::nullopt;
    }
}

} // namespace

MapSelection::MapSelection(QWidget* box, const mapgrid::CellFields& cells, QObject* parent)
    : QObject(parent), m_cells(cells), m_frame(new SelectionFrame(box)) {}

QColor MapSelection::tint(const QColor& base) {
    const Rgb mixed = blend(toRgb(kSelectionColour), toRgb(base), 0.3);
    return {mixed.r, mixed.g, mixed.b};
}

std::optional<mapblock::CellBlock> MapSelection::selection() const {
    if (!m_selected) {
        return std::nullopt;
    }
    return mapblock::spanning(idx(m_anchor.row), idx(m_anchor.column), idx(m_extent.row),
                              idx(m_extent.column));
}

void MapSelection::setSelection(const mapblock::CellBlock& block) {
    if (!block.valid()) {
        clearSelection();
        return;
    }
    m_selected = true;
    m_anchor = {static_cast<int>(block.top), static_cast<int>(block.left)};
    m_extent = {static_cast<int>(block.bottom), static_cast<int>(block.right)};
    refresh();
}

void MapSelection::clearSelection() {
    m_selected = false;
    refresh();
}

void MapSelection::refresh() {
    mapgrid::CellFlags inBlock{};
    const std::optional<mapblock::CellBlock> block = selection();
    if (block) {
        for (std::size_t r = block->top; r <= block->bottom; ++r) {
            for (std::size_t c = block->left; c <= block->right; ++c) {
                inBlock[r * idx(kCols) + c] = true;
            }
        }
        placeFrame(*block);
    }
    m_frame->setVisible(block.has_value());
    if (inBlock == m_cellInBlock) {
        return;
    }
    m_cellInBlock = inBlock;
    emit changed();
}

void MapSelection::placeFrame(const mapblock::CellBlock& block) {
    const QRect first = m_cells[block.top * idx(kCols) + block.left]->geometry();
    const QRect last = m_cells[block.bottom * idx(kCols) + block.right]->geometry();
    const QPoint margin(SelectionFrame::kMargin, SelectionFrame::kMargin);
    m_frame->setGeometry(QRect(first.topLeft() - margin, last.bottomRight() + margin));
    m_frame->raise();
}

void MapSelection::watchInput() {
    for (UpDownEdit* field : m_cells) {
        field->installEventFilter(this);
    }
}

int MapSelection::cellIndexOf(const QObject* object) const {
    const auto it = std::find(m_cells.begin(), m_cells.end(), object);
    return it == m_cells.end() ? -1 : static_cast<int>(it - m_cells.begin());
}

int MapSelection::focusedCell() const {
    return cellIndexOf(QApplication::focusWidget());
}

bool MapSelection::eventFilter(QObject* watched, QEvent* event) {
    const int cell = cellIndexOf(watched);
    return cell >= 0 ? selectionEvent(cell, event) : QObject::eventFilter(watched, event);
}

// True when the event was the selection's: the cell never sees it.
bool MapSelection::selectionEvent(int cell, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        return mouseEvent(cell, event);
    case QEvent::FocusIn:
        m_previousFocusCell = m_focusCell;
        m_focusCell = cell;
        m_clickFocusCell =
            static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason ? cell : -1;
        return false;
    case QEvent::ShortcutOverride: {
        // With a block selected, copy and paste are the window's block commands; left
        // unaccepted, the override lets the window's shortcut take the key.
        const auto* key = static_cast<QKeyEvent*>(event);
        return m_selected &&
               (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste));
    }
    case QEvent::KeyPress:
        return keyEvent(cell, static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

bool MapSelection::mouseEvent(int cell, QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton ||
        m_cells[idx(cell)]->isOnArrows(mouse->position().toPoint())) {
        return false;
    }
    if (!mouse->modifiers().testFlag(Qt::ShiftModifier)) {
        // A plain click starts afresh in the clicked cell.
        if (event->type() == QEvent::MouseButtonPress) {
            m_clickFocusCell = -1;
            clearSelection();
        }
        return false;
    }
    // Shift+click extends the block from the cell that had the focus, which keeps it; the
    // press, the release and a double click are the selection's alone, so the clicked cell
    // never commits.
    if (event->type() == QEvent::MouseButtonPress) {
        const int from = anchorForClickOn(cell);
        extendSelection(from, posOf(cell));
        if (from != cell) {
            m_cells[idx(from)]->setFocus(Qt::OtherFocusReason);
        }
    }
    return true;
}

bool MapSelection::keyEvent(int cell, const QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (key->matches(QKeySequence::SelectAll)) {
        // The field selects its own text as well, so typing still replaces the value.
        setSelection({0, 0, idx(kRows - 1), idx(kCols - 1)});
        return false;
    }
    if (key->key() == Qt::Key_Escape && mods == Qt::NoModifier && m_selected) {
        clearSelection();
        return true;
    }
    const std::optional<std::pair<int, int>> step = arrowStep(key->key());
    if (mods != Qt::ShiftModifier || !step) {
        return false;
    }
    const CellPos from = m_selected && m_anchor == posOf(cell) ? m_extent : posOf(cell);
    extendSelection(cell, {std::clamp(from.row + step->first, 0, kRows - 1),
                           std::clamp(from.column + step->second, 0, kCols - 1)});
    return true;
}

int MapSelection::anchorForClickOn(int cell) {
    // A press moves the focus to the clicked cell before the cell sees the press: then the
    // cell that had it before is where the block starts.
    const int focused = focusedCell();
    int from = focused;
    if (focused == cell && m_clickFocusCell == cell) {
        from = m_previousFocusCell;
    }
    m_clickFocusCell = -1;
    return from >= 0 ? from : cell;
}

void MapSelection::extendSelection(int fromCell, CellPos to) {
    // The block grows from the focused cell; when the focus has moved since the block was
    // made, a new block starts there.
    const CellPos from = posOf(fromCell);
    if (!m_selected || m_anchor != from) {
        m_anchor = from;
    }
    m_extent = to;
    m_selected = true;
    refresh();
}

} // namespace kordana
