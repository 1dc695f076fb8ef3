#pragma once

#include "editors/CursorTrail.h"
#include "editors/FieldTable.h"
#include "editors/MapGridCells.h"
#include "editors/MapGridLayers.h"
#include "editors/MapOverlay.h"
#include "params/ParameterDiff.h"
#include "session/MapBlock.h"

#include <QPointer>
#include <QScrollArea>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace kordana {

class FrozenHeaders;
class MapSelection;
class TCSpinButton;
class UpDownEdit;

/// The one grid shared by the nine map pages: breakpoint row, 10 x 15 cells, row labels,
/// column spin buttons, "-", "+", "All" and the mode indicator in a group box. It sits in a
/// scroll area that moves to whichever map page is refreshed. Builds no connections itself.
/// The block selection is `MapSelection`'s, the colours over the fields `MapGridLayers`'.
class MapGrid : public QScrollArea {
    Q_OBJECT

public:
    static constexpr int kRows = mapgrid::kRows;
    static constexpr int kCols = mapgrid::kCols;

    explicit MapGrid(QWidget* parent = nullptr);
    ~MapGrid() override;

    /// The group box holding every control of the grid.
    QGroupBox* box() const { return m_box; }
    /// Breakpoint field of column c (0..14).
    UpDownEdit* breakpoint(int c) const { return m_breakpoints.at(idx(c)); }
    /// Cell field of row r (0..9), column c (0..14).
    UpDownEdit* cell(int r, int c) const { return m_cells.at(idx(r * kCols + c)); }
    /// Row label r ("0%".."100%").
    QLabel* rowLabel(int r) const { return m_rowLabels.at(idx(r)); }
    /// Column spin button c.
    TCSpinButton* columnSpinButton(int c) const { return m_spinButtons.at(idx(c)); }
    QPushButton* minusButton() const { return m_minus; }
    QPushButton* plusButton() const { return m_plus; }
    /// The "All" check box (objectName CheckBoxAll_Map).
    QCheckBox* allCheckBox() const { return m_all; }
    QLabel* modeIndicator() const { return m_indicator; }

    /// The field table of map page `page` (0..8): 15 breakpoints, then 150 cells row by row.
    std::vector<Field> fieldTable(int page) const;

    /// Makes `sheet` (the tab of map page `page`) the grid's parent, filling it.
    void showOnPage(QWidget* sheet, int page);
    /// The map page the grid was last put on, or -1.
    int shownPage() const { return m_shownPage; }

    /// The column of a column spin button: the first c in 0..13 whose button is `sender`,
    /// else 14.
    int columnOf(const QObject* sender) const;

    /// A locked page: grid disabled, arrows, spin buttons, "-", "+" and "All" hidden.
    void setLocked(bool locked);
    bool isLocked() const { return m_locked; }
    /// The unit of the map's values in the grid's corner, above the throttle labels ("deg",
    /// "µs"); empty hides it.
    void setCornerText(const QString& text);
    QLabel* cornerLabel() const { return m_corner; }
    /// Shows "  1=2=3  " on aqua (`same`) or "  1->2->3  " on yellow, or hides the indicator.
    void setModeIndicator(bool visible, bool same);

    /// Hides the grid for a change of page or mode, remembering a focused field in it.
    void hideGrid();
    /// Shows the grid again; a field that had the focus gets it back if it can take it.
    void showGrid();
    /// Outlines these cells of the nine maps (a comparison's differences) until the next call;
    /// an empty list takes every outline away. The shown page is outlined at once, the others
    /// when the grid moves to them.
    void setOutlinedCells(const std::vector<MapCellRef>& cells);
    /// Marks throttle row `row` lime, and the cell and the breakpoint of column `column` too when
    /// `cellAndBreakpoint`; -1 marks nothing. Only the fields whose mark moves are repainted.
    void showMark(int row, int column, bool cellAndBreakpoint);
    /// Marks the cursor in the replay colour while it shows a log's row (`on`), else in lime.
    void setReplayMark(bool on) { m_layers->setReplayMark(on); }
    bool replayMark() const { return m_layers->replayMark(); }
    /// Gives every row label a white background (the printout's look). The next showMark()
    /// then paints every row label and breakpoint again, not only those whose mark moves.
    void whitenRowLabels();

    // --- block selection ---------------------------------------------------------------------
    // Shift+click and Shift+arrow keys extend a block from the focused cell, Ctrl+A selects
    // every cell, Escape clears. Selecting commits nothing: the block is a view of which cells
    // the Edit menu's block commands act on. It stays through refreshes and page changes (every
    // map has the same 10 x 15 cells), so a block copied on one map pastes at the same place
    // of the next.
    /// The selected block, or none.
    std::optional<mapblock::CellBlock> selection() const;
    /// Selects `block` (an invalid one clears); the anchor is its top-left cell.
    void setSelection(const mapblock::CellBlock& block);
    void clearSelection();
    /// Starts taking the selection keys and Shift+clicks in the cells. Called once, after the
    /// cells' commit bindings, so that a Shift+click never reaches them and never commits.
    void watchSelectionInput();

    /// Colours the cells by their shown value (`on`), or in the field colour; takes effect
    /// with the next showHeat().
    void setHeatMap(bool on) {
        m_layers->setHeatMap(on);
        placeCursorFrame();
    }
    bool heatMap() const { return m_layers->heatMap(); }
    /// Recolours the cells from the shown values of the page the grid is shown on (every
    /// refresh of a map page, and when the heat map is switched); only changed cells repaint.
    void showHeat(const ParameterImage& image);

    /// Keeps a fading trail of the cells the cursor visits (`on`); off takes it away.
    void setCursorTrail(bool on);
    bool cursorTrailShown() const { return m_layers->cursorTrailShown(); }
    /// Takes the trail away (another page, another port, a silent unit).
    void clearTrail();
    const CursorTrail& trail() const { return m_layers->trail(); }

    /// Notes over the cells (a tool's proposals: corner text, hatching, tooltip); none takes
    /// them away. They stay through refreshes and page changes until replaced.
    void setCellNotes(std::vector<CellNote> notes);
    const std::vector<CellNote>& cellNotes() const;
    /// The strong frame (dark and light) around the operating cell, there while heat colours,
    /// the trail, outlines or notes could hide its lime among other colours.
    QWidget* cursorFrame() const { return m_cursorFrame; }

signals:
    /// The selected block changed (or was cleared).
    void selectionChanged();

private:
    static std::size_t idx(int i) { return mapgrid::idx(i); }
    void buildLabels();
    void placeCursorFrame();
    void keepInView(QWidget* focus);
    void buildFields();
    void buildTools();

    QGroupBox* m_box = nullptr;
    std::array<UpDownEdit*, kCols> m_breakpoints{};
    mapgrid::CellFields m_cells{};
    std::array<QLabel*, kRows> m_rowLabels{};
    std::array<TCSpinButton*, kCols> m_spinButtons{};
    QPushButton* m_minus = nullptr;
    QPushButton* m_plus = nullptr;
    QCheckBox* m_all = nullptr;
    QLabel* m_indicator = nullptr;
    QLabel* m_corner = nullptr;
    int m_shownPage = -1;
    bool m_locked = false;
    int m_indicatorState = -1;
    int m_hideDepth = 0;
    QPointer<QWidget> m_focus;
    MapSelection* m_selection = nullptr;
    MapOverlay* m_overlay = nullptr;
    QWidget* m_cursorFrame = nullptr;
    int m_markRow = -1;
    int m_markColumn = -1;
    std::unique_ptr<MapGridLayers> m_layers;
    std::unique_ptr<FrozenHeaders> m_headers;
    QMetaObject::Connection m_focusWatch;
};

} // namespace kordana
