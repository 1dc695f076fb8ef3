// Construction of the main window's static controls: menus, tool bar, status line, pages.
#include "app/TFormHlav.h"

#include "app/ToolBarGlyphs.h"
#include "editors/CommitBindings.h"
#include "params/ImageLayout.h"

#include <QAction>
#include <QActionGroup>
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

namespace kordana {

namespace {

constexpr int kRuznePageIndex = 12;

struct ItemSpec {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
    void (TFormHlav::*handler)();
};

QMenu* addMenu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(QString(name) + "Action");
    return menu;
}

QAction* addItem(TFormHlav* form, QMenu* menu, const ItemSpec& item) {
    QAction* action = menu->addAction(item.caption);
    action->setObjectName(item.name);
    if (!item.shortcut.isEmpty()) {
        action->setShortcut(item.shortcut);
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    if (item.handler != nullptr) {
        QObject::connect(action, &QAction::triggered, form, item.handler);
    }
    return action;
}

void addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(name);
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

void TFormHlav::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");

    QMenu* file = addMenu(bar, "MenuFile", "&File");
    addItem(this, file, {"MenuNew", "&New", QKeySequence("Ctrl+N"), &TFormHlav::MenuNewClick});
    addSeparator(file, "N3");
    addItem(this, file, {"MenuOpen", "&Open", QKeySequence(Qt::Key_F3), &TFormHlav::MenuOpenClick});
    addSeparator(file, "N1");
    addItem(this, file, {"MenuSave", "&Save", QKeySequence(Qt::Key_F2), &TFormHlav::MenuSaveClick});
    addSeparator(file, "N2");
    addItem(this, file,
            {"MenuPrint", "&Print", QKeySequence("Ctrl+P"), &TFormHlav::SpeedButtonPrintClick});
    addSeparator(file, "N4");
    addItem(this, file, {"MenuExit", "E&xit", {}, &TFormHlav::MenuExitClick});

    m_menuCom = addMenu(bar, "MenuCom", "&Com");

    QMenu* device = addMenu(bar, "MenuDevice", "&Ignition");
    addItem(this, device,
            {"MenuRead", "&Read", QKeySequence(Qt::Key_F7), &TFormHlav::MenuReadClick});
    addItem(this, device,
            {"MenuVerify", "&Verify", QKeySequence(Qt::Key_F8), &TFormHlav::MenuVerifyClick});
    addItem(this, device,
            {"MenuProgram", "&Program", QKeySequence(Qt::Key_F9), &TFormHlav::MenuProgramClick});

    const struct {
        const char* menu;
        const char* caption;
        ItemSpec items[3];
    } modeMenus[] = {
        {"Menu_Ign123Mode",
         "Ign 1-2-3",
         {{"Menu_Ign123Normal", "Separate", {}, &TFormHlav::Menu_Ign123NormalClick},
          {"Menu_Ign123Coupled", "Coupled", {}, &TFormHlav::Menu_Ign123CoupledClick},
          {"Menu_Ign123Stejny", "1 = 2 = 3", {}, &TFormHlav::Menu_Ign123StejnyClick}}},
        {"Menu_Jet123Mode",
         "Jet 1-2-3",
         {{"Menu_Jet123Normal", "Separate", {}, &TFormHlav::Menu_Jet123NormalClick},
          {"Menu_Jet123Coupled", "Coupled", {}, &TFormHlav::Menu_Jet123CoupledClick},
          {"Menu_Jet123Stejny", "1 = 2 = 3", {}, &TFormHlav::Menu_Jet123StejnyClick}}},
    };
    for (const auto& modeMenu : modeMenus) {
        QMenu* menu = addMenu(bar, modeMenu.menu, modeMenu.caption);
        auto* group = new QActionGroup(menu);
        for (const ItemSpec& item : modeMenu.items) {
            QAction* action = addItem(this, menu, item);
            action->setCheckable(true);
            group->addAction(action);
        }
        menu->actions().front()->setChecked(true);
    }

    QMenu* tools = addMenu(bar, "MenuTools", "Tools");
    addItem(
        this, tools,
        {"MenuToolsMinus", "Minus ", QKeySequence(Qt::Key_F4), &TFormHlav::MenuToolsMinusClick});
    addItem(this, tools,
            {"MenuToolsPlus", "Plus", QKeySequence(Qt::Key_F5), &TFormHlav::MenuToolsPlusClick});

    QMenu* language = addMenu(bar, "MenuLanguage", "&Language");
    auto* languageGroup = new QActionGroup(language);
    for (const ItemSpec& item :
         {ItemSpec{"MenuEnglish", "&English", {}, &TFormHlav::MenuEnglishClick},
          ItemSpec{"MenuGerman", "&German", {}, &TFormHlav::MenuGermanClick},
          ItemSpec{"MenuCzech", "&Czech", {}, &TFormHlav::MenuCzechClick},
          ItemSpec{"MenuFrench", "&French", {}, &TFormHlav::MenuFrenchClick}}) {
        QAction* action = addItem(this, language, item);
        action->setCheckable(true);
        languageGroup->addAction(action);
    }
    action("MenuEnglish")->setChecked(true);
    action("MenuCzech")->setVisible(false);

    QMenu* help = addMenu(bar, "MenuHelp", "&Help");
    addItem(
        this, help,
        {"MenuContens", "&Contents...", QKeySequence(Qt::Key_F1), &TFormHlav::MenuContensClick});
    addItem(this, help, {"MenuAbout", "&About...", {}, &TFormHlav::MenuAboutClick});
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
}

void TFormHlav::buildToolBar(QWidget* parent) {
    auto* column = new QVBoxLayout(parent);
    column->setContentsMargins(4, 4, 4, 0);
    column->setSpacing(4);

    auto* top = new QHBoxLayout();
    top->setSpacing(8);
    GroupBoxToolBar = new QGroupBox(parent);
    GroupBoxToolBar->setObjectName("GroupBoxToolBar");
    auto* bar = new QHBoxLayout(GroupBoxToolBar);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->setSpacing(2);
    const struct {
        const char* name;
        ToolBarGlyph icon;
        void (TFormHlav::*handler)();
    } glyphs[] = {
        {"SpeedButton6", ToolBarGlyph::New, &TFormHlav::MenuNewClick},
        {"SpeedButton5", ToolBarGlyph::Open, &TFormHlav::MenuOpenClick},
        {"SpeedButton7", ToolBarGlyph::Save, &TFormHlav::MenuSaveClick},
        {"SpeedButtonPrint", ToolBarGlyph::Print, &TFormHlav::SpeedButtonPrintClick},
    };
    for (const auto& glyph : glyphs) {
        auto* button = new QToolButton(GroupBoxToolBar);
        button->setObjectName(glyph.name);
        button->setIcon(toolBarGlyph(glyph.icon));
        button->setIconSize(QSize(20, 20));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, glyph.handler);
        bar->addWidget(button);
    }
    const struct {
        const char* name;
        const char* caption;
        void (TFormHlav::*handler)();
    } texts[] = {{"ButtonRead", "&Read", &TFormHlav::MenuReadClick},
                 {"ButtonVerify", "&Verify", &TFormHlav::MenuVerifyClick},
                 {"ButtonProgram", "&Program", &TFormHlav::MenuProgramClick}};
    for (const auto& text : texts) {
        auto* button = new QPushButton(text.caption, GroupBoxToolBar);
        button->setObjectName(text.name);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, text.handler);
        bar->addWidget(button);
    }
    top->addWidget(GroupBoxToolBar);

    CheckBoxProgHned = new QCheckBox("Programming after change", parent);
    CheckBoxProgHned->setObjectName("CheckBoxProgHned");
    top->addWidget(CheckBoxProgHned);

    LabelHlaseni = addLabel(parent, "LabelHlaseni", QString());
    LabelHlaseni->setAutoFillBackground(true);
    LabelHlaseni->setMinimumWidth(240);
    LabelHlaseni->setFrameShape(QFrame::Panel);
    LabelHlaseni->setFrameShadow(QFrame::Sunken);
    top->addWidget(LabelHlaseni);

    CGauge = new QProgressBar(parent);
    CGauge->setObjectName("CGauge");
    CGauge->setRange(0, 19);
    CGauge->setValue(0);
    CGauge->setTextVisible(false);
    CGauge->setFixedWidth(160);
    top->addWidget(CGauge);

    LabelSpojeni = addLabel(parent, "LabelSpojeni", "No connection with PC");
    LabelSpojeni->setStyleSheet("QLabel { background: red; color: white; padding: 2px 6px; }");
    // Shown until the link's first tick decides: nothing is connected yet at start-up.
    top->addWidget(LabelSpojeni);
    top->addStretch(1);
    column->addLayout(top);

    PageControl1 = new QTabWidget(parent);
    PageControl1->setObjectName("PageControl1");
    column->addWidget(PageControl1, 1);

    MonitorArea = new QWidget(parent);
    MonitorArea->setObjectName("PanelMonitor");
    column->addWidget(MonitorArea);
    buildMonitorPanel();
}

void TFormHlav::buildPages() {
    // The nine map pages stand first; their grid is built by the map editor.
    const char* const mapCaptions[] = {"Ign 1",  "Ign 2",  "Ign 3",  "Jet 1A", "Jet 2A",
                                       "Jet 3A", "Jet 1B", "Jet 2B", "Jet 3B"};
    for (int p = 0; p < 9; ++p) {
        auto* sheet = new QWidget(PageControl1);
        sheet->setObjectName(QString("TabSheet_Map%1").arg(p));
        PageControl1->addTab(sheet, mapCaptions[p]);
    }
    const struct {
        const char* name;
        const char* caption;
    } fixed[] = {{"TabSheet_Poloha", "Position"},
                 {"TabSheet_Servo", "Power Outputs - Servo"},
                 {"TabSheet_Knock", "Knock"},
                 {"TabSheet_Ruzne", "Various"},
                 {"TabSheet_Korekce", "Corrections"}};
    for (const auto& sheetSpec : fixed) {
        auto* sheet = new QWidget(PageControl1);
        sheet->setObjectName(sheetSpec.name);
        PageControl1->addTab(sheet, sheetSpec.caption);
    }
    // The All check boxes of the position and servo curves are persisted with the settings.
    for (const auto& [pageName, boxName, groupName, caption] :
         {std::tuple{"TabSheet_Poloha", "CheckBoxAll_PolohaA", "GroupBoxPolohaA",
                     "Position of Injection A"},
          std::tuple{"TabSheet_Poloha", "CheckBoxAll_PolohaB", "GroupBoxPolohaB",
                     "Position of Injection B"},
          std::tuple{"TabSheet_Servo", "CheckBoxAll_Servo", "GroupBoxServo", "Servo"}}) {
        QWidget* sheet = page(pageName);
        if (sheet->layout() == nullptr) {
            new QVBoxLayout(sheet);
        }
        auto* group = new QGroupBox(caption, sheet);
        group->setObjectName(groupName);
        auto* box = new QCheckBox("All", group);
        box->setObjectName(boxName);
        auto* groupLayout = new QHBoxLayout(group);
        groupLayout->addWidget(box);
        groupLayout->addStretch(1);
        sheet->layout()->addWidget(group);
    }
    for (const char* pageName : {"TabSheet_Poloha", "TabSheet_Servo"}) {
        static_cast<QVBoxLayout*>(page(pageName)->layout())->addStretch(1);
    }
    buildRuznePage(page("TabSheet_Ruzne"));
    connect(PageControl1, &QTabWidget::currentChanged, this, &TFormHlav::PageControl1Change);
}

void TFormHlav::buildRuznePage(QWidget* sheet) {
    auto* grid = new QGridLayout(sheet);
    LabelFile1 = addLabel(sheet, "LabelFile1", "File:");
    LabelFile2 = addLabel(sheet, "LabelFile2", QString());
    LabelFile2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(LabelFile1, 0, 0);
    grid->addWidget(LabelFile2, 0, 1, 1, 3);
    for (int i = 1; i <= 3; ++i) {
        QLabel* label = addLabel(sheet, QString("LabelVerze%1").arg(i).toLatin1().constData(), {});
        label->setMinimumWidth(220);
        grid->addWidget(label, i, 0, 1, 2);
    }
    // The motor-and-fuel preset: a view of BIKE. Only a choice of the user runs
    // ComboBoxBikeChange; a refresh or a new item list selects without it.
    LabelBike = addLabel(sheet, "LabelBike", "Motor and fuel");
    ComboBoxBike = new QComboBox(sheet);
    ComboBoxBike->setObjectName("ComboBoxBike");
    ComboBoxBike->addItems({"6 injectors fuel 100+ oct.", "6 injectors fuel  98 oct.",
                            "3 injectors fuel 100+ oct.", "3 injectors fuel 98 oct."});
    grid->addWidget(LabelBike, 4, 0);
    grid->addWidget(ComboBoxBike, 4, 1);
    connect(ComboBoxBike, &QComboBox::activated, this, &TFormHlav::ComboBoxBikeChange);
    commitBindings->bindKeyPress(ComboBoxBike);
    // Added, not registered: the page's other controls add their own fields.
    pages.addFields(kRuznePageIndex, {imageField(ComboBoxBike, layout::kBike)});

    grid->setColumnStretch(3, 1);
    grid->setRowStretch(10, 1);
}

} // namespace kordana
