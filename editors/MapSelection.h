#pragma once

#include "editors/MapGridCells.h"
#include "session/MapBlock.h"

#include <QObject>

#include <optional>

class QColor;
class QKeyEvent;
class QWidget;

namespace kordana {

/// The block of cells selected in the map grid. Shift+click and Shift+arrow keys extend a
/// block from the focused cell, Ctrl+A selects every cell, Escape clears. It takes those keys
/// and clicks from the cells through an event filter and outlines the block with a frame over
/// the grid box; the tint of the cells is the grid's colour layers' (`inBlock`).
class MapSelection : public QObject {
    Q_OBJECT

public:
    /// `box` holds the cells and the outline; `cells` are the grid's cell fields.
    MapSelection(QWidget* box, const mapgrid::CellFields& cells, QObject* parent);

    std::optional<mapblock::CellBlock> selection() const;
    /// Selects `block` (an invalid one clears); the anchor is its top-left cell.
    void setSelection(const mapblock::CellBlock& block);
    void clearSelection();
    /// Starts filtering the cells' input (after their commit bindings).
    void watchInput();
    /// Puts the outline around the block again (the cells moved or changed their size).
    void refresh();

    /// Whether cell `index` (row * 15 + column) lies in the block.
    bool inBlock(int index) const { return m_cellInBlock[mapgrid::idx(index)]; }
    /// A selected cell's background: `base` (the cell's own) blended 30 % of the way towards
    /// the selection blue, so the value and the cell's colour stay readable under the tint.
    static QColor tint(const QColor& base);

signals:
    /// The set of selected cells changed.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct CellPos {
        int row = 0;
        int column = 0;
        friend bool operator==(const CellPos&, const CellPos&) = default;
    };
    static CellPos posOf(int cell) { return {cell / mapgrid::kCols, cell % mapgrid::kCols}; }

    int cellIndexOf(const QObject* object) const;
    int focusedCell() const;
    int anchorForClickOn(int cell);
    bool selectionEvent(int cell, QEvent* event);
    bool mouseEvent(int cell, QEvent* event);
    bool keyEvent(int cell, const QKeyEvent* key);
    void extendSelection(int fromCell, CellPos to);
    void placeFrame(const mapblock::CellBlock& block);

    const mapgrid::CellFields& m_cells;
    QWidget* m_frame = nullptr;
    bool m_selected = false;
    CellPos m_anchor;
    CellPos m_extent;
    mapgrid::CellFlags m_cellInBlock{};
    // The cells that took the focus last and before it, and one that took it by a mouse press
    // whose event has not arrived yet (the press gives the focus before the cell sees it).
    int m_focusCell = -1;
    int m_previousFocusCell = -1;
    int m_clickFocusCell = -1;
};

} // namespace kordana
