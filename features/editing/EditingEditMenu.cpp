// The Edit menu: undo and redo over the session's steps, and the block commands on the map
// grid's selected cells (interpolate, smooth, edit by value, copy and paste). Each is one
// session command followed by the commit tail; like the bulk tools, none harvests first, so
// text typed into the grid and not committed gives way.
#include "features/editing/EditingFeature.h"

#include "editors/CommitBindings.h"
#include "editors/MapGrid.h"
#include "editors/MapKeys.h"
#include "features/editing/EditSelectionDialog.h"
#include "session/EditSession.h"
#include "session/MapCoupling.h"
#include "shell/Shell.h"
#include "shell/StatusLine.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

namespace kordana {

namespace {

// The Edit menu's block commands that change the map. A field leaves the keys of all but the
// last to the window; Ctrl+V (like Ctrl+C) goes to the window only while a block is selected,
// which the map grid decides, and otherwise pastes into the field.
constexpr const char* kBlockItems[] = {"MenuInterpolateRows",    "MenuInterpolateColumns",
                                       "MenuInterpolateCorners", "MenuSmooth",
                                       "MenuEditSelection",      "MenuPasteCells"};
constexpr std::size_t kKeysLeftToWindow = std::size(kBlockItems) - 1;

} // namespace

void EditingFeature::installEditMenu() {
    const struct {
        MenuItemSpec item;
        void (EditingFeature::*handler)();
    } items[] = {
        {{"MenuUndo", "&Undo", "Ctrl+Z"}, &EditingFeature::MenuUndoClick},
        {{"MenuRedo", "&Redo", "Ctrl+Y"}, &EditingFeature::MenuRedoClick},
        {{"MenuInterpolateRows", "Interpolate &horizontally", "Ctrl+Shift+H"},
         &EditingFeature::MenuInterpolateRowsClick},
        {{"MenuInterpolateColumns", "Interpolate &vertically", "Ctrl+Shift+V"},
         &EditingFeature::MenuInterpolateColumnsClick},
        {{"MenuInterpolateCorners", "Interpolate from the corners (&bilinear)", "Ctrl+Shift+B"},
         &EditingFeature::MenuInterpolateCornersClick},
        {{"MenuSmooth", "S&mooth", "Ctrl+Shift+S"}, &EditingFeature::MenuSmoothClick},
        {{"MenuEditSelection", "Edit selection...", "Ctrl+E"},
         &EditingFeature::MenuEditSelectionClick},
        {{"MenuCopyCells", "&Copy cells", "Ctrl+C"}, &EditingFeature::MenuCopyCellsClick},
        {{"MenuPasteCells", "&Paste cells", "Ctrl+V"}, &EditingFeature::MenuPasteCellsClick},
    };
    for (const auto& entry : items) {
        QAction* item = m_shell->addMenuItem(entry.item);
        QObject::connect(item, &QAction::triggered, item,
                         [this, handler = entry.handler] { (this->*handler)(); });
    }
    // Redo answers to both customary keys.
    menuItem("MenuRedo")->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    for (std::size_t i = 0; i < kKeysLeftToWindow; ++i) {
        m_commitBindings->leaveToWindow(menuItem(kBlockItems[i])->shortcut());
    }
    m_mapGrid->watchSelectionInput();
    installMapKeys();
    QObject::connect(m_mapGrid, &MapGrid::selectionChanged, m_mapGrid,
                     [this] { ShowMapBlockCommands(); });
    m_editSelection = new EditSelectionDialog(&m_shell->mainWindow());
    QObject::connect(m_editSelection, &EditSelectionDialog::editChosen, m_editSelection,
                     [this](const mapblock::BlockEdit& edit) {
                         if (const auto block = editableSelection()) {
                             m_shell->session().editBlock(m_shell->activePageIndex(), *block, edit);
                             m_shell->CommitTail();
                         }
                     });
}

void EditingFeature::installMapKeys() {
    MapKeys::Handlers handlers;
    handlers.commit = [this] {
        m_shell->PageHarvest();
        m_shell->CommitTail();
    };
    // Like the block commands: no harvest first, typing in the grid gives way.
    handlers.step = [this](int row, int column, int direction) {
        const int page = m_shell->activePageIndex();
        if (!coupling::isMapPage(page) || m_mapGrid->isLocked()) {
            return;
        }
        std::optional<mapblock::CellBlock> block = m_mapGrid->selection();
        if (!block && row >= 0) {
            const auto r = static_cast<std::size_t>(row);
            const auto c = static_cast<std::size_t>(column);
            block = mapblock::CellBlock{r, c, r, c};
        }
        if (block) {
            const int step = mapblock::cellRangeOf(page).step;
            m_shell->session().editBlock(page, *block, {mapblock::EditKind::Add, direction * step});
            m_shell->CommitTail();
        }
    };
    (new MapKeys(*m_mapGrid, std::move(handlers), m_mapGrid))->watch();
}

QAction* EditingFeature::menuItem(const char* name) const {
    return m_shell->mainWindow().findChild<QAction*>(name);
}

void EditingFeature::MenuUndoClick() {
    crossUndoStep(m_shell->session().undo());
}

void EditingFeature::MenuRedoClick() {
    crossUndoStep(m_shell->session().redo());
}

// No harvest first: what is typed and not committed is replaced by the refresh, like the
// other commands that change the set from outside the page. The commit tail refreshes the
// page, follows a mode change with tabs and indicators, and programs after change.
void EditingFeature::crossUndoStep(const ChangeSet& changes) {
    if (!changes.any()) {
        return;
    }
    m_mapGrid->hideGrid();
    m_shell->CommitTail();
    m_mapGrid->showGrid();
}

std::optional<mapblock::CellBlock> EditingFeature::shownSelection() const {
    if (!coupling::isMapPage(m_shell->activePageIndex())) {
        return std::nullopt;
    }
    return m_mapGrid->selection();
}

std::optional<mapblock::CellBlock> EditingFeature::editableSelection() const {
    // A locked sibling page shows its values but takes no edits.
    return m_mapGrid->isLocked() ? std::nullopt : shownSelection();
}

void EditingFeature::ShowMapBlockCommands() {
    const bool editable = editableSelection().has_value();
    for (const char* name : kBlockItems) {
        menuItem(name)->setEnabled(editable);
    }
    menuItem("MenuCopyCells")->setEnabled(shownSelection().has_value());
}

void EditingFeature::shapeSelection(mapblock::Shape shape) {
    if (const auto block = editableSelection()) {
        m_shell->session().shapeBlock(m_shell->activePageIndex(), *block, shape);
        m_shell->CommitTail();
    }
}

void EditingFeature::MenuInterpolateRowsClick() {
    shapeSelection(mapblock::Shape::Rows);
}

void EditingFeature::MenuInterpolateColumnsClick() {
    shapeSelection(mapblock::Shape::Columns);
}

void EditingFeature::MenuInterpolateCornersClick() {
    shapeSelection(mapblock::Shape::Bilinear);
}

void EditingFeature::MenuSmoothClick() {
    shapeSelection(mapblock::Shape::Smooth);
}

void EditingFeature::MenuEditSelectionClick() {
    if (editableSelection()) {
        const int page = m_shell->activePageIndex();
        m_editSelection->openFor(mapblock::cellRangeOf(page),
                                 page < 3 ? QStringLiteral("°") : QStringLiteral("µs"));
    }
}

void EditingFeature::MenuCopyCellsClick() {
    if (const auto block = shownSelection()) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(
            mapblock::copyText(m_shell->session().image(), m_shell->activePageIndex(), *block)));
    }
}

void EditingFeature::MenuPasteCellsClick() {
    const auto block = editableSelection();
    if (!block) {
        return;
    }
    const int page = m_shell->activePageIndex();
    const auto values =
        mapblock::parsePaste(QGuiApplication::clipboard()->text().toStdString(), page);
    if (!values) {
        m_shell->statusLine().showStatus(QString::fromStdString(m_shell->texts().TextPasteRefused),
                                         true);
        m_shell->statusLine().setStatusVisible(true);
        return;
    }
    m_shell->session().pasteBlock(page, block->top, block->left, *values);
    // The pasted cells become the selection, clipped at the map's edge like the paste.
    std::size_t columns = 0;
    for (const std::vector<int>& row : *values) {
        columns = std::max(columns, row.size());
    }
    m_mapGrid->setSelection(mapblock::spanning(
        block->top, block->left, std::min(block->top + values->size(), std::size_t{10}) - 1,
        std::min(block->left + columns, std::size_t{15}) - 1));
    m_shell->CommitTail();
}

} // namespace kordana
