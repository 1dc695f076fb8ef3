// The editor pages: the shared commit handlers, the map grid and its column steps, the bulk
// tools, and the programming-after-change check.
#include "app/TFormHlav.h"

#include "editors/CommitBindings.h"
#include "editors/MapGrid.h"
#include "editors/PolohaPage.h"
#include "editors/ServoPage.h"
#include "editors/TCSpinButton.h"
#include "editors/UpDownEdit.h"
#include "session/MapCoupling.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QVariant>

namespace kordana {

void TFormHlav::buildMapGrid() {
    m_commitBindings =
        new CommitBindings({[this] { EditExit(); }, [this] { UpDownClick(); },
                            [this](QWidget* sender, int key) { return FormKeyPress(sender, key); },
                            [this] { CheckBoxMouseUp(); }},
                           this);
    for (int p = 0; p < static_cast<int>(kMapPageCount); ++p) {
        QWidget* sheet = m_pageControl->widget(p);
        auto* fill = new QVBoxLayout(sheet);
        fill->setContentsMargins(0, 0, 0, 0);
    }
    m_mapGrid = new MapGrid();
    m_pageControl->widget(0)->layout()->addWidget(m_mapGrid);

    for (int c = 0; c < MapGrid::kCols; ++c) {
        m_commitBindings->bindRunTimeField(m_mapGrid->breakpoint(c));
        for (int r = 0; r < MapGrid::kRows; ++r) {
            m_commitBindings->bindRunTimeField(m_mapGrid->cell(r, c));
        }
        TCSpinButton* button = m_mapGrid->columnSpinButton(c);
        connect(button, &TCSpinButton::downClick, this, &TFormHlav::CSpinButtonDownClick_Uni);
        connect(button, &TCSpinButton::upClick, this, &TFormHlav::CSpinButtonUpClick_Uni);
    }
    connect(m_mapGrid->minusButton(), &QPushButton::clicked, this, &TFormHlav::MenuToolsMinusClick);
    connect(m_mapGrid->plusButton(), &QPushButton::clicked, this, &TFormHlav::MenuToolsPlusClick);
    m_commitBindings->bindMouseUp(m_mapGrid->allCheckBox());
    m_commitBindings->bindMouseUp(m_progHned);
}

namespace {

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

void TFormHlav::PageHarvest() {
    if (showsTheImage(*m_pageControl, activePageIndex())) {
        m_pages.harvest(activePageIndex(), m_session);
    }
}

void TFormHlav::PageRefresh() {
    m_pages.refresh(activePageIndex(), m_session);
    m_pageControl->setProperty(kRefreshedPage, activePageIndex());
    ShowCouplingIndicators();
    ShowWhereSetStands();
    emit m_hub.pageShown(activePageIndex());
    ShowMapBlockCommands();
}

void TFormHlav::refreshPage(int index) {
    // The grid is hidden while it moves, so no half-filled page is ever painted.
    m_mapGrid->hideGrid();
    m_pages.refresh(index, m_session);
    m_pageControl->setProperty(kRefreshedPage, index);
    m_mapGrid->showGrid();
}

void TFormHlav::PageControl1Change(int) {
    // No harvest: text typed on the previous page and not committed is discarded.
    if (m_quietPageChange || m_mapGrid == nullptr) {
        return;
    }
    m_mapGrid->hideGrid();
    PageRefresh();
    m_mapGrid->showGrid();
}

void TFormHlav::selectPageQuietly(int index) {
    m_quietPageChange = true;
    m_pageControl->setCurrentIndex(index);
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
    if (m_session.programmingAfterChangeDue(m_progHned->isChecked())) {
        ++m_programmingAfterChangeStarts;
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
    if (!coupling::isMapPage(page)) {
        return;
    }
    m_session.stepColumn(page, static_cast<std::size_t>(m_mapGrid->columnOf(sender)), direction);
    CommitTail();
}

BulkToolInput TFormHlav::toolInput() {
    return BulkToolInput{m_operatingPoint, m_hub.unitValues(), [this] { CommitTail(); }};
}

void TFormHlav::MenuToolsMinusClick() {
    runMenuTool(-1);
}

void TFormHlav::MenuToolsPlusClick() {
    runMenuTool(+1);
}

void TFormHlav::runMenuTool(int direction) {
    // Each page's tools end with their own commit tail: the Position page runs two in a row,
    // which Undo takes back as one.
    if (EditorPage* page = m_pages.page(activePageIndex())) {
        const EditSession::StepGroup oneStep(m_session);
        page->runBulkTool(m_session, direction, toolInput());
    }
}

void TFormHlav::connectBulkTools(PolohaPage& poloha, ServoPage& servo) {
    using Handler = void (PolohaPage::*)(EditSession&, const BulkToolInput&);
    const struct {
        QPushButton* button;
        Handler handler;
    } curves[] = {{poloha.curve(0).minus, &PolohaPage::ButtonMinusClick_PolohaA},
                  {poloha.curve(0).plus, &PolohaPage::ButtonPlusClick_PolohaA},
                  {poloha.curve(1).minus, &PolohaPage::ButtonMinusClick_PolohaB},
                  {poloha.curve(1).plus, &PolohaPage::ButtonPlusClick_PolohaB}};
    for (const auto& curve : curves) {
        connect(curve.button, &QPushButton::clicked, this,
                [this, page = &poloha, handler = curve.handler] {
                    (page->*handler)(m_session, toolInput());
                });
    }
    connect(servo.curve().minus, &QPushButton::clicked, this,
            [this, page = &servo] { page->ButtonMinusClick_Servo(m_session, toolInput()); });
    connect(servo.curve().plus, &QPushButton::clicked, this,
            [this, page = &servo] { page->ButtonPlusClick_Servo(m_session, toolInput()); });
}

} // namespace kordana
