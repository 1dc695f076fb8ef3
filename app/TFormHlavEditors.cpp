// The editor pages: the page dispatcher's use, the shared commit handlers, the map grid and its
// column steps, and the programming-after-change check.
#include "app/TFormHlav.h"

#include "editors/CommitBindings.h"
#include "editors/MapGrid.h"
#include "editors/TCSpinButton.h"
#include "editors/UpDownEdit.h"
#include "session/MapCoupling.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kordana {

void TFormHlav::createCommitBindings() {
    commitBindings =
        new CommitBindings({[this] { EditExit(); }, [this] { UpDownClick(); },
                            [this](QWidget* sender, int key) { return FormKeyPress(sender, key); },
                            [this] { CheckBoxMouseUp(); }},
                           this);
}

void TFormHlav::buildMapPages() {
    mapGrid = new MapGrid();
    for (int p = 0; p < static_cast<int>(kMapPageCount); ++p) {
        QWidget* sheet = PageControl1->widget(p);
        if (sheet->layout() == nullptr) {
            auto* fill = new QVBoxLayout(sheet);
            fill->setContentsMargins(0, 0, 0, 0);
        }
        PageSpec pageSpec;
        pageSpec.fields = mapGrid->fieldTable(p, allFlags[static_cast<std::size_t>(p)]);
        // The grid's controls hold the values of the page it was last refreshed for; they are
        // never stored into another page's map.
        pageSpec.canHarvest = [this, p] { return mapGrid->shownPage() == p; };
        pageSpec.beforeRefresh = [this, p, sheet] { mapGrid->showOnPage(sheet, p); };
        if (coupling::isMaster(p)) {
            pageSpec.onStore = [p](ParameterImage& im, std::size_t index, std::uint8_t before,
                                   std::uint8_t after) {
                coupling::applyHarvestRule(im, p, index, before, after);
            };
        }
        pages.registerPage(p, std::move(pageSpec));
    }
    PageControl1->widget(0)->layout()->addWidget(mapGrid);

    for (int c = 0; c < MapGrid::kCols; ++c) {
        commitBindings->bindRunTimeField(mapGrid->breakpoint(c));
        for (int r = 0; r < MapGrid::kRows; ++r) {
            commitBindings->bindRunTimeField(mapGrid->cell(r, c));
        }
        TCSpinButton* button = mapGrid->columnSpinButton(c);
        connect(button, &TCSpinButton::downClick, this, &TFormHlav::CSpinButtonDownClick_Uni);
        connect(button, &TCSpinButton::upClick, this, &TFormHlav::CSpinButtonUpClick_Uni);
    }
    connect(mapGrid->minusButton(), &QPushButton::clicked, this, &TFormHlav::MenuToolsMinusClick);
    connect(mapGrid->plusButton(), &QPushButton::clicked, this, &TFormHlav::MenuToolsPlusClick);
    commitBindings->bindMouseUp(mapGrid->allCheckBox());
    commitBindings->bindMouseUp(CheckBoxProgHned);
}

void TFormHlav::PageHarvest() {
    pages.harvest(activePageIndex(), image);
}

void TFormHlav::PageRefresh() {
    pages.refresh(activePageIndex(), image);
    ShowCouplingIndicators();
}

void TFormHlav::PageControl1Change(int) {
    // No harvest: text typed on the previous page and not committed is discarded.
    if (m_quietPageChange || mapGrid == nullptr) {
        return;
    }
    mapGrid->hideGrid();
    PageRefresh();
    mapGrid->showGrid();
}

void TFormHlav::selectPageQuietly(int index) {
    m_quietPageChange = true;
    PageControl1->setCurrentIndex(index);
    m_quietPageChange = false;
}

void TFormHlav::EditExit() {
    PageHarvest();
    CommitTail();
}

void TFormHlav::UpDownClick() {
    PageHarvest();
    CommitTail();
}

bool TFormHlav::FormKeyPress(QWidget* sender, int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        return false;
    }
    CommitBindings::focusNextControl(sender);
    PageHarvest();
    CommitTail();
    return true;
}

void TFormHlav::CheckBoxMouseUp() {
    PageHarvest();
    ShowCouplingIndicators();
    CommitTail();
}

void TFormHlav::ProgrammingAfterChangeCheck() {
    if (programAfterChange.check(CheckBoxProgHned->isChecked(), image)) {
        ++programmingAfterChangeStarts;
        StartProgramming();
    }
}

void TFormHlav::CSpinButtonDownClick_Uni() {
    columnStep(sender(), -1);
}

void TFormHlav::CSpinButtonUpClick_Uni() {
    columnStep(sender(), +1);
}

void TFormHlav::columnStep(const QObject* sender, int direction) {
    // No harvest first: a value typed into the grid and not committed is lost.
    const int page = activePageIndex();
    if (mapGrid == nullptr || !coupling::isMapPage(page)) {
        return;
    }
    coupling::stepColumn(image, page, static_cast<std::size_t>(mapGrid->columnOf(sender)),
                         direction);
    CommitTail();
}

} // namespace kordana
