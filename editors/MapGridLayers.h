#pragma once

#include "editors/CursorTrail.h"
#include "editors/MapGridCells.h"
#include "params/HeatScale.h"
#include "params/ParameterDiff.h"
#include "params/ParameterImage.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <vector>

class QLabel;

namespace kordana {

class MapSelection;

/// The colours laid over the map grid's fields, lowest first: the heat of each cell's value
/// (or the field colour), the selection's tint, the cursor's fading trail, and the lime mark of
/// the operating point on its row label, breakpoint and cell; besides, a comparison's outlines.
/// Each change repaints only the fields whose colour it can move.
class MapGridLayers {
public:
    MapGridLayers(const mapgrid::CellFields& cells,
                  const std::array<UpDownEdit*, mapgrid::kCols>& breakpoints,
                  const std::array<QLabel*, mapgrid::kRows>& rowLabels,
                  const MapSelection& selection);

    /// Outlines these cells of the nine maps until the next call; `shownPage` at once.
    void setOutlinedCells(const std::vector<MapCellRef>& cells, int shownPage);
    /// Shows the outlines of map page `shownPage` (none for a page that is no map page).
    void applyOutlines(int shownPage);

    /// Marks throttle row `row` lime, and the cell and breakpoint of `column` too when
    /// `cellAndBreakpoint`; -1 marks nothing. A shown trail records the marked cell.
    void showMark(int row, int column, bool cellAndBreakpoint);
    /// Marks in the replay colour (`on`: the cursor shows a log's row) or in lime again.
    void setReplayMark(bool on);
    bool replayMark() const { return m_markRgb == kReplayRgb; }
    /// Gives every row label a white background (the printout's look); the next showMark()
    /// then paints every row label and breakpoint again, not only those whose mark moves.
    void whitenRowLabels();

    void setHeatMap(bool on) { m_heatMap = on; }
    bool heatMap() const { return m_heatMap; }
    /// Recolours the cells from the values they show on map page `shownPage`.
    void showHeat(const ParameterImage& image, int shownPage);

    void setCursorTrail(bool on);
    bool cursorTrailShown() const { return m_trailShown; }
    /// True when a comparison outlines any cell of map page `page`.
    bool anyOutlined(int page) const {
        return page >= 0 && page < static_cast<int>(m_outlined.size()) &&
               std::any_of(m_outlined[mapgrid::idx(page)].begin(),
                           m_outlined[mapgrid::idx(page)].end(), [](bool on) { return on; });
    }
    void clearTrail();
    const CursorTrail& trail() const { return m_trail; }

    /// Repaints every cell (the selection changed).
    void paintAll();

private:
    struct Mark {
        int row = -1;
        int column = -1;
        bool cellAndBreakpoint = false;
        friend bool operator==(const Mark&, const Mark&) = default;
    };

    void markFields(const Mark& mark, bool marked);
    int markedCell() const;
    std::vector<int> trailCells() const;
    QColor cellBaseColour(int index) const;
    QColor cellColour(int index) const;
    void paintCell(int index);
    void paintCells(const std::vector<int>& indices);

    const mapgrid::CellFields& m_cells;
    const std::array<UpDownEdit*, mapgrid::kCols>& m_breakpoints;
    const std::array<QLabel*, mapgrid::kRows>& m_rowLabels;
    const MapSelection& m_selection;

    std::array<mapgrid::CellFlags, kMapPageCount> m_outlined{};
    Mark m_mark;
    Rgb m_markRgb = kLimeRgb;
    // Set when the row labels were painted without the mark: showMark() repaints them all.
    bool m_markPaintedOver = false;
    bool m_heatMap = false;
    bool m_heatPainted = false; // the cells show heat colours
    std::array<Rgb, mapgrid::kCells> m_heat{};
    bool m_trailShown = false;
    CursorTrail m_trail;
};

} // namespace kordana
