// The frame's static parts: the menu bar's skeleton, the tool bar's row, the pages and the map
// grid they share. The items, buttons and page contents are the features'.
#include "app/TFormHlav.h"

#include "editors/MapGrid.h"
#include "editors/PageDispatcher.h"
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

namespace {

// A place of a menu: an item a feature adds, or (`separator`) a separator the frame makes.
struct Place {
    const char* name;
    bool separator = false;
};

constexpr Place separatorNamed(const char* name) {
    return Place{name, true};
}

// A menu of the menu bar with its places in order; `exclusive` menus check one item at a time.
struct MenuEntry {
    const char* name;
    const char* caption;
    bool exclusive;
    std::vector<Place> places;
};

const std::vector<MenuEntry> kMenus = {
    {"MenuFile",
     "&File",
     false,
     {{"MenuNew"},
      separatorNamed("N3"),
      {"MenuOpen"},
      {"MenuEarlierSets"},
      separatorNamed("N1"),
      {"MenuSave"},
      separatorNamed("N2"),
      {"MenuPrint"},
      {"MenuPrintPdf"},
      {"MenuTuneSheet"},
      separatorNamed("N4"),
      {"MenuExit"}}},
    {"MenuEdit",
     "&Edit",
     false,
     {{"MenuUndo"},
      {"MenuRedo"},
      separatorNamed("N5"),
      {"MenuInterpolateRows"},
      {"MenuInterpolateColumns"},
      {"MenuInterpolateCorners"},
      {"MenuSmooth"},
      {"MenuEditSelection"},
      separatorNamed("N6"),
      {"MenuCopyCells"},
      {"MenuPasteCells"}}},
    {"MenuView", "&View", false, {{"MenuHeatMap"}, {"MenuCursorTrail"}, {"MenuMap3D"}}},
    {"MenuCom", "&Com", true, {}},
    {"MenuDevice",
     "&Ignition",
     false,
     {{"MenuRead"}, {"MenuVerify"}, {"MenuProgram"}, {"MenuCompare"}}},
    {"MenuLog", "L&og", false, {{"MenuRecordLog"}, {"MenuOpenLog"}}},
    {"Menu_Ign123Mode",
     "Ign 1-2-3",
     true,
     {{"Menu_Ign123Normal"}, {"Menu_Ign123Coupled"}, {"Menu_Ign123Stejny"}}},
    {"Menu_Jet123Mode",
     "Jet 1-2-3",
     true,
     {{"Menu_Jet123Normal"}, {"Menu_Jet123Coupled"}, {"Menu_Jet123Stejny"}}},
    {"MenuTools", "Tools", false, {{"MenuToolsMinus"}, {"MenuToolsPlus"}}},
    {"MenuLanguage",
     "&Language",
     true,
     {{"MenuEnglish"}, {"MenuGerman"}, {"MenuCzech"}, {"MenuFrench"}}},
    {"MenuHelp", "&Help", false, {{"MenuContens"}, {"MenuAbout"}}},
};

// The tool bar's places: glyph buttons, then text buttons.
const char* const kToolPlaces[] = {"SpeedButton6",     "SpeedButton5", "SpeedButton7",
                                   "SpeedButtonPrint", "ButtonRead",   "ButtonVerify",
                                   "ButtonProgram"};

// The fourteen tab sheets of PageControl1, in page order, with their captions.
void addSheets(QTabWidget& pages) {
    const char* const captions[PageDispatcher::kPageCount] = {"Ign 1",
                                                              "Ign 2",
                                                              "Ign 3",
                                                              "Jet 1A",
                                                              "Jet 2A",
                                                              "Jet 3A",
                                                              "Jet 1B",
                                                              "Jet 2B",
                                                              "Jet 3B",
                                                              "Position",
                                                              "Power Outputs - Servo",
                                                              "Knock",
                                                              "Various",
                                                              "Corrections"};
    const char* const names[] = {"TabSheet_Poloha", "TabSheet_Servo", "TabSheet_Knock",
                                 "TabSheet_Ruzne", "TabSheet_Korekce"};
    for (int p = 0; p < PageDispatcher::kPageCount; ++p) {
        auto* sheet = new QWidget(&pages);
        sheet->setObjectName(p < 9 ? QString("TabSheet_Map%1").arg(p) : QString(names[p - 9]));
        pages.addTab(sheet, captions[p]);
    }
}

} // namespace

void TFormHlav::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    for (const MenuEntry& entry : kMenus) {
        QMenu* menu = bar->addMenu(entry.caption);
        menu->setObjectName(entry.name);
        menu->menuAction()->setObjectName(QString(entry.name) + "Action");
        auto* group = entry.exclusive ? new QActionGroup(menu) : nullptr;
        for (const Place& place : entry.places) {
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
    for (const char* name : kToolPlaces) {
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
    addSheets(*m_pageControl);
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
