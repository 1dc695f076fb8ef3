#pragma once

#include "editors/MapGridCells.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <vector>

namespace kordana {

/// A note on one cell of the map grid: a short text in its top right corner in `colour`,
/// hatching over the cell when `hatched`, and `toolTip` on the cell.
struct CellNote {
    int row = 0;
    int column = 0;
    QString corner;
    QColor colour;
    bool hatched = false;
    QString toolTip;
};

/// Notes drawn over the map grid's cells (a tool's proposals), above the cells' own colours
/// and below nothing: the overlay lets every click and key through, so the grid works as
/// without it, and it draws only small corner texts and thin hatching, so the value, the
/// heat colours and the cursor stay readable.
class MapOverlay : public QWidget {
    Q_OBJECT

public:
    /// Covers `box`, which holds `cells`.
    MapOverlay(QWidget* box, const mapgrid::CellFields& cells);

    /// Shows `notes` (none: nothing over the grid) and puts their tooltips on the cells.
    void setNotes(std::vector<CellNote> notes);
    const std::vector<CellNote>& notes() const { return m_notes; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const mapgrid::CellFields& m_cells;
    std::vector<CellNote> m_notes;
};

} // namespace kordana
