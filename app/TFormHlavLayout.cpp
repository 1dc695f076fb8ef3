// Construction of the main window's static controls: menus, tool bar, status line, pages.
#include "app/TFormHlav.h"

#include "app/StatusLine.h"
#include "app/ToolBarGlyphs.h"
#include "editors/CommitBindings.h"
#include "editors/KnockPage.h"
#include "editors/KorekcePage.h"
#include "editors/MapGrid.h"
#include "editors/MapPage.h"
#include "editors/PolohaPage.h"
#include "editors/RuznePage.h"
#include "editors/ServoPage.h"
#include "params/ImageLayout.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>
#include <vector>

namespace kordana {

namespace {

using Handler = void (TFormHlav::*)();

struct MenuItem {
    const char* name;
    const char* caption;
    const char* shortcut; // portable text ("Ctrl+N", "F3"), empty for none
    Handler handler;
    bool checkable = false; // an option that stays on or off (outside exclusive menus)
};

// The place of an item a feature adds (MenuSkeleton).
constexpr MenuItem featurePlace(const char* name) {
    return MenuItem{name, nullptr, nullptr, nullptr};
}

// A menu of the menu bar: its items in order; an item without a caption is a separator named
// `name`, one without a shortcut text a feature's place. `exclusive` menus check one item at a
// time.
struct MenuEntry {
    const char* name;
    const char* caption;
    bool exclusive;
    std::vector<MenuItem> items;
};

const std::vector<MenuEntry> kMenus = {
    {"MenuFile",
     "&File",
     false,
     {{"MenuNew", "&New", "Ctrl+N", &TFormHlav::MenuNewClick},
      {"N3", nullptr, "", nullptr},
      {"MenuOpen", "&Open", "F3", &TFormHlav::MenuOpenClick},
      featurePlace("MenuEarlierSets"),
      {"N1", nullptr, "", nullptr},
      {"MenuSave", "&Save", "F2", &TFormHlav::MenuSaveClick},
      {"N2", nullptr, "", nullptr},
      {"MenuPrint", "&Print", "Ctrl+P", &TFormHlav::SpeedButtonPrintClick},
      {"MenuPrintPdf", "Print to PDF...", "", &TFormHlav::MenuPrintPdfClick},
      featurePlace("MenuTuneSheet"),
      {"N4", nullptr, "", nullptr},
      {"MenuExit", "E&xit", "", &TFormHlav::MenuExitClick}}},
    {"MenuEdit",
     "&Edit",
     false,
     {{"MenuUndo", "&Undo", "Ctrl+Z", &TFormHlav::MenuUndoClick},
      {"MenuRedo", "&Redo", "Ctrl+Y", &TFormHlav::MenuRedoClick},
      {"N5", nullptr, "", nullptr},
      {"MenuInterpolateRows", "Interpolate &horizontally", "Ctrl+Shift+H",
       &TFormHlav::MenuInterpolateRowsClick},
      {"MenuInterpolateColumns", "Interpolate &vertically", "Ctrl+Shift+V",
       &TFormHlav::MenuInterpolateColumnsClick},
      {"MenuInterpolateCorners", "Interpolate from the corners (&bilinear)", "Ctrl+Shift+B",
       &TFormHlav::MenuInterpolateCornersClick},
      {"MenuSmooth", "S&mooth", "Ctrl+Shift+S", &TFormHlav::MenuSmoothClick},
      {"MenuEditSelection", "Edit selection...", "Ctrl+E", &TFormHlav::MenuEditSelectionClick},
      {"N6", nullptr, "", nullptr},
      {"MenuCopyCells", "&Copy cells", "Ctrl+C", &TFormHlav::MenuCopyCellsClick},
      {"MenuPasteCells", "&Paste cells", "Ctrl+V", &TFormHlav::MenuPasteCellsClick}}},
    {"MenuView",
     "&View",
     false,
     {featurePlace("MenuHeatMap"), featurePlace("MenuCursorTrail"), featurePlace("MenuMap3D")}},
    {"MenuCom", "&Com", true, {}},
    {"MenuDevice",
     "&Ignition",
     false,
     {{"MenuRead", "&Read", "F7", &TFormHlav::MenuReadClick},
      {"MenuVerify", "&Verify", "F8", &TFormHlav::MenuVerifyClick},
      {"MenuProgram", "&Program", "F9", &TFormHlav::MenuProgramClick},
      {"MenuCompare", "Co&mpare with unit", "", &TFormHlav::MenuCompareClick}}},
    {"MenuLog", "L&og", false, {featurePlace("MenuRecordLog"), featurePlace("MenuOpenLog")}},
    {"Menu_Ign123Mode",
     "Ign 1-2-3",
     true,
     {{"Menu_Ign123Normal", "Separate", "", &TFormHlav::Menu_Ign123NormalClick},
      {"Menu_Ign123Coupled", "Coupled", "", &TFormHlav::Menu_Ign123CoupledClick},
      {"Menu_Ign123Stejny", "1 = 2 = 3", "", &TFormHlav::Menu_Ign123StejnyClick}}},
    {"Menu_Jet123Mode",
     "Jet 1-2-3",
     true,
     {{"Menu_Jet123Normal", "Separate", "", &TFormHlav::Menu_Jet123NormalClick},
      {"Menu_Jet123Coupled", "Coupled", "", &TFormHlav::Menu_Jet123CoupledClick},
      {"Menu_Jet123Stejny", "1 = 2 = 3", "", &TFormHlav::Menu_Jet123StejnyClick}}},
    {"MenuTools",
     "Tools",
     false,
     {{"MenuToolsMinus", "Minus ", "F4", &TFormHlav::MenuToolsMinusClick},
      {"MenuToolsPlus", "Plus", "F5", &TFormHlav::MenuToolsPlusClick}}},
    {"MenuLanguage",
     "&Language",
     true,
     {{"MenuEnglish", "&English", "", &TFormHlav::MenuEnglishClick},
      {"MenuGerman", "&German", "", &TFormHlav::MenuGermanClick},
      {"MenuCzech", "&Czech", "", &TFormHlav::MenuCzechClick},
      {"MenuFrench", "&French", "", &TFormHlav::MenuFrenchClick}}},
    {"MenuHelp", "&Help", false, {featurePlace("MenuContens"), featurePlace("MenuAbout")}},
};

// The tool bar's controls: glyph buttons, then text buttons.
struct ToolEntry {
    const char* name;
    const char* caption; // null for a glyph button
    ToolBarGlyph glyph;
    Handler handler;
};

const ToolEntry kTools[] = {
    {"SpeedButton6", nullptr, ToolBarGlyph::New, &TFormHlav::MenuNewClick},
    {"SpeedButton5", nullptr, ToolBarGlyph::Open, &TFormHlav::MenuOpenClick},
    {"SpeedButton7", nullptr, ToolBarGlyph::Save, &TFormHlav::MenuSaveClick},
    {"SpeedButtonPrint", nullptr, ToolBarGlyph::Print, &TFormHlav::SpeedButtonPrintClick},
    {"ButtonRead", "&Read", ToolBarGlyph::New, &TFormHlav::MenuReadClick},
    {"ButtonVerify", "&Verify", ToolBarGlyph::New, &TFormHlav::MenuVerifyClick},
    {"ButtonProgram", "&Program", ToolBarGlyph::New, &TFormHlav::MenuProgramClick},
};

QAbstractButton* makeToolButton(const ToolEntry& tool, QWidget* parent) {
    QAbstractButton* button = nullptr;
    if (tool.caption == nullptr) {
        auto* glyph = new QToolButton(parent);
        glyph->setIcon(toolBarGlyph(tool.glyph));
        glyph->setIconSize(QSize(20, 20));
        glyph->setAutoRaise(true);
        button = glyph;
    } else {
        button = new QPushButton(tool.caption, parent);
    }
    button->setObjectName(tool.name);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QMenu* addMenu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(QString(name) + "Action");
    return menu;
}

QAction* addItem(TFormHlav* form, QMenu* menu, const MenuItem& item) {
    QAction* action = menu->addAction(item.caption);
    action->setObjectName(item.name);
    action->setCheckable(item.checkable);
    if (*item.shortcut != '\0') {
        action->setShortcut(QKeySequence(item.shortcut));
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    if (item.handler != nullptr) {
        QObject::connect(action, &QAction::triggered, form, item.handler);
    }
    return action;
}

// The fourteen tab sheets of PageControl1, in page order, with their captions.
std::array<QWidget*, PageDispatcher::kPageCount> addSheets(QTabWidget& pages) {
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
    std::array<QWidget*, PageDispatcher::kPageCount> sheets{};
    for (int p = 0; p < PageDispatcher::kPageCount; ++p) {
        auto* sheet = new QWidget(&pages);
        sheet->setObjectName(p < 9 ? QString("TabSheet_Map%1").arg(p) : QString(names[p - 9]));
        pages.addTab(sheet, captions[p]);
        sheets[static_cast<std::size_t>(p)] = sheet;
    }
    return sheets;
}

} // namespace

void TFormHlav::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    for (const MenuEntry& entry : kMenus) {
        QMenu* menu = addMenu(bar, entry.name, entry.caption);
        auto* group = entry.exclusive ? new QActionGroup(menu) : nullptr;
        for (const MenuItem& item : entry.items) {
            m_menuSkeleton.reserve(menu, item.name);
            if (item.shortcut == nullptr) {
                continue;
            }
            if (item.caption == nullptr) {
                menu->addSeparator()->setObjectName(item.name);
                continue;
            }
            QAction* added = addItem(this, menu, item);
            if (group != nullptr) {
                added->setCheckable(true);
                group->addAction(added);
            }
        }
        if (entry.exclusive && !entry.items.empty()) {
            menu->actions().front()->setChecked(true);
        }
    }
    m_menuCom = findChild<QMenu*>("MenuCom");
    action("MenuCzech")->setVisible(false);
}

void TFormHlav::buildPortMenu() {
    if (!m_menuCom->actions().isEmpty()) {
        return;
    }
    auto* group = new QActionGroup(m_menuCom);
    for (int i = 1; i <= 20; ++i) {
        QAction* item = m_menuCom->addAction(QString("Com %1").arg(i));
        item->setObjectName(QString("MenuCom%1").arg(i));
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, &TFormHlav::MenuCom1Click);
    }
    // Outside the group: assigning a device is a command, not a port to check.
    m_menuCom->addSeparator()->setObjectName("NComAssign");
    QAction* assign = m_menuCom->addAction("Assign serial device...");
    assign->setObjectName("MenuAssignDevice");
    connect(assign, &QAction::triggered, this, &TFormHlav::MenuAssignDeviceClick);
}

void TFormHlav::buildToolBar(QWidget* parent) {
    auto* column = new QVBoxLayout(parent);
    column->setContentsMargins(4, 4, 4, 0);
    column->setSpacing(4);

    auto* top = new QHBoxLayout();
    top->setSpacing(8);
    auto* toolBar = new QGroupBox(parent);
    toolBar->setObjectName("GroupBoxToolBar");
    auto* bar = new QHBoxLayout(toolBar);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->setSpacing(2);
    for (const ToolEntry& tool : kTools) {
        QAbstractButton* button = makeToolButton(tool, toolBar);
        connect(button, &QAbstractButton::clicked, this, tool.handler);
        bar->addWidget(button);
    }
    top->addWidget(toolBar);

    m_progHned = new QCheckBox("Programming after change", parent);
    m_progHned->setObjectName("CheckBoxProgHned");
    top->addWidget(m_progHned);
    m_statusLine = new StatusLine(parent);
    top->addWidget(m_statusLine);
    top->addStretch(1);
    column->addLayout(top);

    m_pageControl = new QTabWidget(parent);
    m_pageControl->setObjectName("PageControl1");
    column->addWidget(m_pageControl, 1);
    buildMonitorPanel(parent);
}

void TFormHlav::buildPages() {
    const auto sheets = addSheets(*m_pageControl);
    buildMapGrid();
    for (int p = 0; p < 9; ++p) {
        m_pages.setPage(
            p, std::make_unique<MapPage>(p, sheets[static_cast<std::size_t>(p)], *m_mapGrid));
    }
    // One line a page: the knock page first, then the fixed pages.
    PageContext context{*m_commitBindings, m_pages};
    m_pages.setPage(KnockPage::kIndex, std::make_unique<KnockPage>(sheets[11], context));
    auto poloha = std::make_unique<PolohaPage>(sheets[9], context);
    for (QButtonGroup* group : poloha->radioGroups()) {
        // RadioGroupPolohaAClick: the two choices are stored at once; no refresh follows.
        connect(group, &QButtonGroup::idClicked, this, [this, page = poloha.get()] {
            page->RadioGroupPolohaAClick(m_session);
            ProgrammingAfterChangeCheck();
            ShowWhereSetStands();
        });
    }
    auto servo = std::make_unique<ServoPage>(sheets[10], context);
    connectBulkTools(*poloha, *servo);
    m_pages.setPage(PolohaPage::kIndex, std::move(poloha));
    m_pages.setPage(ServoPage::kIndex, std::move(servo));
    // The monitor's servo labels show and hide with the servo curve.
    for (const char* name : {"LabelServoPoz", "LabelServoMer"}) {
        m_pages.addVisibilityRule(findChild<QLabel*>(name), layout::kServoEnable);
    }
    auto ruzne = std::make_unique<RuznePage>(sheets[12], context);
    m_ruzne = ruzne.get();
    m_pages.setPage(RuznePage::kIndex, std::move(ruzne));
    connect(m_ruzne->tpsButton(false), &QPushButton::clicked, this,
            [this] { m_ruzne->ButtonTps0Click(m_session, toolInput()); });
    connect(m_ruzne->tpsButton(true), &QPushButton::clicked, this,
            [this] { m_ruzne->ButtonTps100Click(m_session, toolInput()); });
    m_pages.setPage(KorekcePage::kIndex, std::make_unique<KorekcePage>(sheets[13], context));

    connect(m_ruzne->bikeBox(), &QComboBox::activated, this, &TFormHlav::ComboBoxBikeChange);
    m_commitBindings->bindKeyPress(m_ruzne->bikeBox());
    connect(m_pageControl, &QTabWidget::currentChanged, this, &TFormHlav::PageControl1Change);
}

} // namespace kordana
