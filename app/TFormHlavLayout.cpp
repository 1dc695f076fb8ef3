// The frame's static parts: the menu bar's skeleton, the tool bar's row, the pages and the map
// grid they share. The items, buttons and page contents are the features'.
#include "app/TFormHlav.h"

#include "app/FramePlaces.h"
#include "editors/MapGrid.h"
#include "shell/StatusLine.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <vector>

namespace kordana {

void TFormHlav::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    for (const MenuPlaces& entry : menuPlaces()) {
        QMenu* menu = bar->addMenu(entry.caption);
        menu->setObjectName(entry.name);
        menu->menuAction()->setObjectName(QString(entry.name) + "Action");
        auto* group = entry.exclusive ? new QActionGroup(menu) : nullptr;
        for (const MenuPlace& place : entry.places) {
            m_menuSkeleton.reserve(menu, place.name, group);
            if (place.separator) {
                menu->addSeparator()->setObjectName(place.name);
            }
        }
    }
    QAction* exit = addMenuItem({"MenuExit", "E&xit"});
    connect(exit, &QAction::triggered, this, &TFormHlav::MenuExitClick);
}

void TFormHlav::buildToolBar(QWidget* parent) {
    m_column = new QVBoxLayout(parent);
    m_column->setContentsMargins(4, 4, 4, 0);
    m_column->setSpacing(4);

    m_toolBarRow = new QHBoxLayout();
    m_toolBarRow->setSpacing(8);
    auto* toolBar = new QGroupBox(parent);
    toolBar->setObjectName("GroupBoxToolBar");
    auto* bar = new QHBoxLayout(toolBar);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->setSpacing(2);
    m_toolBar.setBar(bar, toolBar);
    for (const char* name : toolBarPlaces()) {
        m_toolBar.reserve(name);
    }
    m_toolBarRow->addWidget(toolBar);
    m_statusLine = new StatusLine(parent);
    m_toolBarRow->addWidget(m_statusLine);
    m_toolBarRow->addStretch(1);
    m_column->addLayout(m_toolBarRow);

    m_pageControl = new QTabWidget(parent);
    m_pageControl->setObjectName("PageControl1");
    m_column->addWidget(m_pageControl, 1);
}

void TFormHlav::buildPages() {
    addPageSheets(*m_pageControl);
    for (int p = 0; p < static_cast<int>(kMapPageCount); ++p) {
        auto* fill = new QVBoxLayout(m_pageControl->widget(p));
        fill->setContentsMargins(0, 0, 0, 0);
    }
    // One grid for the nine map pages: each shows it when it is the active page.
    m_mapGrid = new MapGrid();
    m_pageControl->widget(0)->layout()->addWidget(m_mapGrid);
}

QAbstractButton* TFormHlav::addToolButton(const ToolButtonSpec& button) {
    return m_toolBar.add(button);
}

void TFormHlav::addToolBarRowWidget(QWidget* widget) {
    m_toolBarRow->insertWidget(m_toolBarRow->indexOf(m_statusLine), widget);
}

void TFormHlav::addPanel(QWidget* widget) {
    m_column->addWidget(widget);
}

} // namespace kordana
