#pragma once

#include "analysis/LogCells.h"
#include "analysis/LogRange.h"
#include "editors/MapOverlay.h"
#include "lang/LogToolTexts.h"
#include "monitor/MonitorLog.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace kordana {

class Shell;

/// The per-cell table of the log analysis: the rows of the shown time range sorted into the
/// cells of a chosen map by the cursor's rules, one figure of a channel per cell (rows, time,
/// mean, minimum, maximum, events), as a table and, when chosen, as notes on the map page
/// like the heat map. "Hits", "Mean lambda" and "Knock events" are one click each.
class LogCellPanel : public QWidget {
    Q_OBJECT

public:
    LogCellPanel(Shell& shell, QWidget* parent);

    /// The log whose rows are sorted (null: none); its columns become the channels.
    void setLog(const MonitorLog* log);
    /// The rows counted (the plot's visible range).
    void setRows(analysis::RowRange rows);
    /// Sorts into the cells of map page `page` (0..8; the map page on screen follows it).
    void setMapPage(int page);
    int mapPage() const;
    /// Chooses the channel and figure of `preset`.
    void applyPreset(analysis::CellPreset preset);
    /// Chooses channel `column` of the log (nothing: none, counts only) and `figure`.
    void choose(std::optional<std::size_t> column, analysis::CellFigure figure);
    /// Shows the table on the map page too (`on`), or takes it off.
    void setShownOnMap(bool on);
    bool shownOnMap() const;
    /// Puts the notes on the map grid while chosen and the window is shown, else takes away
    /// the notes this panel put there.
    void updateMap();

    const analysis::CellTable& table() const { return m_table; }
    /// The table's text of map row `row` (0..9), column `column` (0..14); "" for a cell
    /// without rows.
    QString cellText(int row, int column) const;
    /// The notes the map page shows for the table.
    std::vector<CellNote> notes() const;

    void applyTexts(const LogToolTexts& texts);

private:
    void build();
    void buildTable(QVBoxLayout* layout);
    void recompute();
    void showTable();
    std::optional<std::size_t> chosenColumn() const;
    analysis::CellFigure chosenFigure() const;

    Shell& m_shell;
    const MonitorLog* m_log = nullptr;
    analysis::RowRange m_rows;
    analysis::CellTable m_table;
    bool m_notesShown = false; // this panel put notes on the map grid
    bool m_filling = false;

    QLabel* m_mapLabel = nullptr;
    QLabel* m_channelLabel = nullptr;
    QLabel* m_figureLabel = nullptr;
    QComboBox* m_map = nullptr;
    QComboBox* m_channel = nullptr;
    QComboBox* m_figure = nullptr;
    QPushButton* m_hits = nullptr;
    QPushButton* m_meanLambda = nullptr;
    QPushButton* m_knockEvents = nullptr;
    QCheckBox* m_onMap = nullptr;
    QTableWidget* m_cells = nullptr;
};

/// A cell's figure as the table and the map show it: a whole number without decimals, else
/// two decimals below 10, one below 100, none above.
QString cellFigureText(double value);

} // namespace kordana
