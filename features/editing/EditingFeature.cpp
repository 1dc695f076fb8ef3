// The editor pages: built on the frame's sheets, refreshed and harvested when the frame asks,
// and the commit handlers every field shares.
#include "features/editing/EditingFeature.h"

#include "editors/CommitBindings.h"
#include "editors/KnockPage.h"
#include "editors/KorekcePage.h"
#include "editors/MapGrid.h"
#include "editors/MapPage.h"
#include "editors/PolohaPage.h"
#include "editors/RuznePage.h"
#include "editors/ServoPage.h"
#include "editors/TCSpinButton.h"
#include "features/editing/EditSelectionDialog.h"
#include "params/ImageLayout.h"
#include "session/EditSession.h"
#include "settings/IniFile.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVariant>

namespace kordana {

namespace {

const char* const kSectionIgnition = "IGNITION";
// The pages' check boxes whose state the settings file keeps.
const char* const kPersistedBoxes[] = {"CheckBoxAll_Servo", "CheckBoxAll_PolohaA",
                                       "CheckBoxAll_PolohaB"};

// The page whose controls were last rewritten from the image, kept on the page control. A
// harvest reads the active page only while its controls show the image. Between a click on
// another tab and that page's refresh, a field of the page left behind loses the focus and
// commits; the new page then still shows what it showed when it was last left (another set,
// before a file was opened), and harvesting it would write that back over the set.
const char* const kRefreshedPage = "refreshedPage";

bool showsTheImage(const QWidget& pages, int index) {
    const QVariant refreshed = pages.property(kRefreshedPage);
    return refreshed.isValid() && refreshed.toInt() == index;
}

} // namespace

EditingFeature::EditingFeature() = default;
EditingFeature::~EditingFeature() = default;

void EditingFeature::install(Shell& shell) {
    m_shell = &shell;
    m_mapGrid = &shell.mapGrid();
    m_commitBindings =
        new CommitBindings({[this] { EditExit(); }, [this] { UpDownClick(); },
                            [this](QWidget* sender, int key) { return FormKeyPress(sender, key); },
                            [this] { CheckBoxMouseUp(); }},
                           &shell.mainWindow());
    installCouplingCommands();
    installTools();
    bindMapGrid();
    buildPages();
    // After the grid's commit bindings: the selection's filter sees a shift-click first.
    installEditMenu();
    subscribe();
}

void EditingFeature::bindMapGrid() {
    for (int c = 0; c < MapGrid::kCols; ++c) {
        m_commitBindings->bindRunTimeField(m_mapGrid->breakpoint(c));
        for (int r = 0; r < MapGrid::kRows; ++r) {
            m_commitBindings->bindRunTimeField(m_mapGrid->cell(r, c));
        }
        TCSpinButton* button = m_mapGrid->columnSpinButton(c);
        QObject::connect(button, &TCSpinButton::downClick, button,
                         [this, button] { CSpinButtonDownClick_Uni(button); });
        QObject::connect(button, &TCSpinButton::upClick, button,
                         [this, button] { CSpinButtonUpClick_Uni(button); });
    }
    QObject::connect(m_mapGrid->minusButton(), &QPushButton::clicked, m_mapGrid,
                     [this] { MenuToolsMinusClick(); });
    QObject::connect(m_mapGrid->plusButton(), &QPushButton::clicked, m_mapGrid,
                     [this] { MenuToolsPlusClick(); });
    m_commitBindings->bindMouseUp(m_mapGrid->allCheckBox());
    if (auto* box = m_shell->mainWindow().findChild<QCheckBox*>("CheckBoxProgHned")) {
        m_commitBindings->bindMouseUp(box);
    }
}

void EditingFeature::buildPages() {
    QTabWidget& sheets = m_shell->pageControl();
    for (int p = 0; p < 9; ++p) {
        m_pages.setPage(p, std::make_unique<MapPage>(p, sheets.widget(p), *m_mapGrid));
    }
    // One line a page: the knock page first, then the fixed pages.
    PageContext context{*m_commitBindings, m_pages};
    m_pages.setPage(KnockPage::kIndex, std::make_unique<KnockPage>(sheets.widget(11), context));
    auto poloha = std::make_unique<PolohaPage>(sheets.widget(9), context);
    for (QButtonGroup* group : poloha->radioGroups()) {
        // RadioGroupPolohaAClick: the two choices are stored at once; no refresh follows.
        QObject::connect(group, &QButtonGroup::idClicked, group, [this, page = poloha.get()] {
            page->RadioGroupPolohaAClick(m_shell->session());
            emit m_shell->hub().committed();
        });
    }
    auto servo = std::make_unique<ServoPage>(sheets.widget(10), context);
    connectBulkTools(*poloha, *servo);
    m_pages.setPage(PolohaPage::kIndex, std::move(poloha));
    m_pages.setPage(ServoPage::kIndex, std::move(servo));
    // The monitor's servo labels show and hide with the servo curve.
    for (const char* name : {"LabelServoPoz", "LabelServoMer"}) {
        m_pages.addVisibilityRule(m_shell->mainWindow().findChild<QLabel*>(name),
                                  layout::kServoEnable);
    }
    auto ruzne = std::make_unique<RuznePage>(sheets.widget(12), context);
    m_ruzne = ruzne.get();
    m_pages.setPage(RuznePage::kIndex, std::move(ruzne));
    m_ruzne->setNoReadingConfirmation([this] {
        return m_shell->ask(m_shell->texts().TextNoReadingQuery,
                            DesktopServices::Buttons::YesNoCancel) == DesktopServices::Answer::Yes;
    });
    QObject::connect(m_ruzne->tpsButton(false), &QPushButton::clicked, m_ruzne->tpsButton(false),
                     [this] { m_ruzne->ButtonTps0Click(m_shell->session(), toolInput()); });
    QObject::connect(m_ruzne->tpsButton(true), &QPushButton::clicked, m_ruzne->tpsButton(true),
                     [this] { m_ruzne->ButtonTps100Click(m_shell->session(), toolInput()); });
    m_pages.setPage(KorekcePage::kIndex, std::make_unique<KorekcePage>(sheets.widget(13), context));
    m_commitBindings->bindKeyPress(m_ruzne->bikeBox());
    QObject::connect(&sheets, &QTabWidget::currentChanged, m_mapGrid,
                     [this](int index) { PageControl1Change(index); });
}

void EditingFeature::subscribe() {
    EventHub& hub = m_shell->hub();
    QObject* context = m_mapGrid;
    QObject::connect(&hub, &EventHub::refreshRequested, context, [this] { refresh(); });
    QObject::connect(&hub, &EventHub::harvestRequested, context, [this] { harvest(); });
    QObject::connect(&hub, &EventHub::pageShown, context, [this] {
        ShowMapBlockCommands();
        // The ignition maps hold degrees of advance, the injection maps microseconds.
        const int page = m_shell->pageControl().currentIndex();
        m_mapGrid->setCornerText(page < 0 || page > 8 ? QString() : page < 3 ? "deg" : "µs");
    });
    QObject::connect(&hub, &EventHub::cursorMarked, context,
                     [this](const MonitorLiveValues& live, int, const MapMark& mark) {
                         markOperatingPoint(live, mark);
                     });
    QObject::connect(&hub, &EventHub::heatMapChosen, context, [this](bool on) {
        m_mapGrid->setHeatMap(on);
        m_mapGrid->showHeat(m_shell->session().image());
    });
    QObject::connect(&hub, &EventHub::cursorTrailChosen, m_mapGrid, &MapGrid::setCursorTrail);
    QObject::connect(&hub, &EventHub::unitHeaderDecoded, context,
                     [this](const UnitHeaderTexts& header) { m_ruzne->setUnitHeader(header); });
    QObject::connect(&hub, &EventHub::setFileNamed, context,
                     [this](const QString& path) { m_ruzne->setFileName(path); });
    // Leaving the print view: the coupling modes hide their tabs again and lock a slave page.
    QObject::connect(&hub, &EventHub::printingChanged, context, [this](bool on) {
        if (!on) {
            ShowCouplingIndicators();
        }
    });
}

void EditingFeature::loadSettings(const IniFile& settings) {
    for (const char* name : kPersistedBoxes) {
        if (auto* box = m_shell->mainWindow().findChild<QCheckBox*>(name)) {
            const std::string key = std::string(name) + "->Checked";
            box->setChecked(settings.readInteger(kSectionIgnition, key, box->isChecked() ? 1 : 0) !=
                            0);
        }
    }
}

void EditingFeature::saveSettings(IniFile& settings) const {
    for (const char* name : kPersistedBoxes) {
        if (auto* box = m_shell->mainWindow().findChild<QCheckBox*>(name)) {
            settings.writeInteger(kSectionIgnition, std::string(name) + "->Checked",
                                  box->isChecked() ? 1 : 0);
        }
    }
}

void EditingFeature::started() {
    ShowCouplingIndicators();
}

void EditingFeature::harvest() {
    const int active = m_shell->activePageIndex();
    if (showsTheImage(m_shell->pageControl(), active)) {
        m_pages.harvest(active, m_shell->session());
    }
}

void EditingFeature::refresh() {
    const int active = m_shell->activePageIndex();
    m_pages.refresh(active, m_shell->session());
    m_shell->pageControl().setProperty(kRefreshedPage, active);
    ShowCouplingIndicators();
}

void EditingFeature::refreshPage(int index) {
    // The grid is hidden while it moves, so no half-filled page is ever painted.
    m_mapGrid->hideGrid();
    m_pages.refresh(index, m_shell->session());
    m_shell->pageControl().setProperty(kRefreshedPage, index);
    m_mapGrid->showGrid();
}

void EditingFeature::PageControl1Change(int) {
    // No harvest: text typed on the previous page and not committed is discarded.
    if (m_quietPageChange) {
        return;
    }
    m_mapGrid->hideGrid();
    m_shell->PageRefresh();
    m_mapGrid->showGrid();
}

void EditingFeature::selectPageQuietly(int index) {
    m_quietPageChange = true;
    m_shell->pageControl().setCurrentIndex(index);
    m_quietPageChange = false;
}

void EditingFeature::markOperatingPoint(const MonitorLiveValues& live, const MapMark& mark) {
    const int page = m_shell->activePageIndex();
    const ParameterImage& image = m_shell->session().image();
    m_operatingPoint.follow(static_cast<std::size_t>(page), image, live, mark);
    m_pages.markOperatingPoint(page, image, live, mark);
}

void EditingFeature::EditExit() {
    m_shell->PageHarvest();
    m_shell->CommitTail();
}

void EditingFeature::UpDownClick() {
    m_shell->PageHarvest();
    m_shell->CommitTail();
}

bool EditingFeature::FormKeyPress(QWidget* sender, int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        return false;
    }
    CommitBindings::focusNextControl(sender);
    m_shell->PageHarvest();
    m_shell->CommitTail();
    return true;
}

void EditingFeature::CheckBoxMouseUp() {
    m_shell->PageHarvest();
    ShowCouplingIndicators();
    m_shell->CommitTail();
}

} // namespace kordana
