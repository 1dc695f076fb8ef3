// Block commands of the Edit menu on the map grid's selected cells: interpolate, smooth, edit
// by value, copy and paste. Each is one session command followed by the commit tail; like the
// bulk tools, none harvests first, so text typed into the grid and not committed gives way.
#include "app/TFormHlav.h"

#include "app/EditSelectionDialog.h"
#include "app/StatusLine.h"
#include "editors/CommitBindings.h"
#include "editors/MapGrid.h"
#include "session/MapCoupling.h"

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

void TFormHlav::buildMapBlockCommands() {
    for (std::size_t i = 0; i < kKeysLeftToWindow; ++i) {
        m_commitBindings->leaveToWindow(action(kBlockItems[i])->shortcut());
    }
    m_mapGrid->watchSelectionInput();
    connect(m_mapGrid, &MapGrid::selectionChanged, this, &TFormHlav::ShowMapBlockCommands);
    m_editSelection = new EditSelectionDialog(this);
    connect(m_editSelection, &EditSelectionDialog::editChosen, this,
            [this](const mapblock::BlockEdit& edit) {
                if (const auto block = editableSelection()) {
                    m_session.editBlock(activePageIndex(), *block, edit);
                    CommitTail();
                }
            });
}

std::optional<mapblock::CellBlock> TFormHlav::shownSelection() const {
    if (!coupling::isMapPage(activePageIndex())) {
        return std::nullopt;
    }
    return m_mapGrid->selection();
}

std::optional<mapblock::CellBlock> TFormHlav::editableSelection() const {
    // A locked sibling page shows its values but takes no edits.
    return m_mapGrid->isLocked() ? std::nullopt : shownSelection();
}

void TFormHlav::ShowMapBlockCommands() {
    const bool editable = editableSelection().has_value();
    for (const char* name : kBlockItems) {
        action(name)->setEnabled(editable);
    }
    action("MenuCopyCells")->setEnabled(shownSelection().has_value());
}

void TFormHlav::shapeSelection(mapblock::Shape shape) {
    if (const auto block = editableSelection()) {
        m_session.shapeBlock(activePageIndex(), *block, shape);
        CommitTail();
    }
}

void TFormHlav::MenuInterpolateRowsClick() {
    shapeSelection(mapblock::Shape::Rows);
}

void TFormHlav::MenuInterpolateColumnsClick() {
    shapeSelection(mapblock::Shape::Columns);
}

void TFormHlav::MenuInterpolateCornersClick() {
    shapeSelection(mapblock::Shape::Bilinear);
}

void TFormHlav::MenuSmoothClick() {
    shapeSelection(mapblock::Shape::Smooth);
}

void TFormHlav::MenuEditSelectionClick() {
    if (editableSelection()) {
        const int page = activePageIndex();
        m_editSelection->openFor(mapblock::cellRangeOf(page),
                                 page < 3 ? QStringLiteral("°") : QStringLiteral("µs"));
    }
}

void TFormHlav::MenuCopyCellsClick() {
    if (const auto block = shownSelection()) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(
            mapblock::copyText(m_session.image(), activePageIndex(), *block)));
    }
}

void TFormHlav::MenuPasteCellsClick() {
    const auto block = editableSelection();
    if (!block) {
        return;
    }
    const int page = activePageIndex();
    const auto values =
        mapblock::parsePaste(QGuiApplication::clipboard()->text().toStdString(), page);
    if (!values) {
        m_statusLine->showStatus(QString::fromStdString(m_texts.TextPasteRefused), true);
        m_statusLine->setStatusVisible(true);
        return;
    }
    m_session.pasteBlock(page, block->top, block->left, *values);
    // The pasted cells become the selection, clipped at the map's edge like the paste.
    std::size_t columns = 0;
    for (const std::vector<int>& row : *values) {
        columns = std::max(columns, row.size());
    }
    m_mapGrid->setSelection(mapblock::spanning(
        block->top, block->left, std::min(block->top + values->size(), std::size_t{10}) - 1,
        std::min(block->left + columns, std::size_t{15}) - 1));
    CommitTail();
}

} // namespace kordana
