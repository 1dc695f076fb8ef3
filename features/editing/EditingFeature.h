#pragma once

#include "editors/PageDispatcher.h"
#include "monitor/OperatingPoint.h"
#include "session/ChangeSet.h"
#include "session/MapBlock.h"
#include "shell/Feature.h"

#include <optional>

class QAction;
class QObject;
class QWidget;

namespace kordana {

class CommitBindings;
class EditSelectionDialog;
class MapGrid;
class PolohaPage;
class RuznePage;
class ServoPage;
struct BulkToolInput;

/// The fourteen editor pages and everything that edits the set on them: the shared commit
/// handlers, the coupling modes and their indicators, the bulk tools and column steps, the
/// Edit menu (undo, redo and the block commands on the map grid's selection), and the cursor
/// marked on the active page.
class EditingFeature final : public Feature {
public:
    EditingFeature();
    ~EditingFeature() override;

    void install(Shell& shell) override;
    void loadSettings(const IniFile& settings) override;
    void saveSettings(IniFile& settings) const override;
    void started() override;

    /// Where the engine runs on the active page's curves (the single-point tools read it).
    const OperatingPoint& operatingPoint() const { return m_operatingPoint; }
    /// The dialog of Edit > "Edit selection...", made with the window.
    EditSelectionDialog* editSelectionDialog() const { return m_editSelection; }

    // The commit handlers every field shares.
    /// Harvest of the active page, then the commit tail (edit clicks, static edits' exit).
    void EditExit();
    /// Harvest of the active page, then the commit tail (every up-down's click).
    void UpDownClick();
    /// Key press of every edit: Enter is swallowed, the focus moves on, then the active page
    /// is harvested and the commit tail runs. Returns true when the key was swallowed.
    bool FormKeyPress(QWidget* sender, int key);
    /// Harvest, coupling indicators, commit tail (mouse release on the bound check boxes).
    void CheckBoxMouseUp();
    void PageControl1Change(int index);
    /// Tab visibility, mode check marks and indicator, fixed-page visibility rules.
    void ShowCouplingIndicators();

    void Menu_Ign123NormalClick();
    void Menu_Ign123CoupledClick();
    void Menu_Ign123StejnyClick();
    void Menu_Jet123NormalClick();
    void Menu_Jet123CoupledClick();
    void Menu_Jet123StejnyClick();
    void MenuToolsMinusClick();
    void MenuToolsPlusClick();
    /// Column step down / up of the map grid's column spin button that sent it.
    void CSpinButtonDownClick_Uni(const QObject* sender);
    void CSpinButtonUpClick_Uni(const QObject* sender);

    /// Edit > Undo (Ctrl+Z): the newest step goes back, then the commit tail.
    void MenuUndoClick();
    /// Edit > Redo (Ctrl+Y, Ctrl+Shift+Z): the newest undone step again, then the commit tail.
    void MenuRedoClick();
    /// Edit > Interpolate horizontally (Ctrl+Shift+H): each selected row between its first and
    /// last selected cell, then the commit tail. The block commands below act likewise on the
    /// map grid's selection and propagate from a master map as the bulk tools do.
    void MenuInterpolateRowsClick();
    /// Edit > Interpolate vertically (Ctrl+Shift+V): each selected column top to bottom.
    void MenuInterpolateColumnsClick();
    /// Edit > Interpolate from the corners (Ctrl+Shift+B): bilinear from the block's corners.
    void MenuInterpolateCornersClick();
    /// Edit > Smooth (Ctrl+Shift+S): each inner cell the 3 x 3 average, the block's edge kept.
    void MenuSmoothClick();
    /// Edit > "Edit selection..." (Ctrl+E): opens the dialog; its OK runs the edit.
    void MenuEditSelectionClick();
    /// Edit > Copy cells (Ctrl+C with a selection): the shown values as tab-separated rows.
    void MenuCopyCellsClick();
    /// Edit > Paste cells (Ctrl+V with a selection): the clipboard's numbers from the block's
    /// top-left cell; anything else refuses the whole paste with a status-line message.
    void MenuPasteCellsClick();
    /// Greys the Edit menu's block commands unless a map page shows a selected block (Copy
    /// cells also on a locked page); run after every refresh and selection change.
    void ShowMapBlockCommands();

private:
    // Pages and commits (EditingFeature.cpp).
    void buildPages();
    void bindMapGrid();
    void subscribe();
    void refresh();
    void harvest();
    void refreshPage(int index);
    void selectPageQuietly(int index);
    void markOperatingPoint(const MonitorLiveValues& live, const MapMark& mark);
    // Coupling (EditingCoupling.cpp).
    void installCouplingCommands();
    void showActiveMasterIfHidden();
    void applyCouplingCommand(int group, std::uint8_t mode);
    // Bulk tools and column steps (EditingTools.cpp).
    void installTools();
    void connectBulkTools(PolohaPage& poloha, ServoPage& servo);
    void columnStep(const QObject* sender, int direction);
    void runMenuTool(int direction);
    BulkToolInput toolInput();
    // The Edit menu (EditingEditMenu.cpp).
    void installEditMenu();
    void installMapKeys();
    QAction* menuItem(const char* name) const;
    void crossUndoStep(const ChangeSet& changes);
    std::optional<mapblock::CellBlock> shownSelection() const;
    std::optional<mapblock::CellBlock> editableSelection() const;
    void shapeSelection(mapblock::Shape shape);

    Shell* m_shell = nullptr;
    MapGrid* m_mapGrid = nullptr;
    PageDispatcher m_pages;
    CommitBindings* m_commitBindings = nullptr;
    RuznePage* m_ruzne = nullptr;
    bool m_quietPageChange = false;
    OperatingPoint m_operatingPoint;
    EditSelectionDialog* m_editSelection = nullptr;
};

} // namespace kordana
