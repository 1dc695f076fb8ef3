// The bulk tools (Tools > Minus / Plus, the pages' minus and plus buttons) and the map grid's
// column steps.
#include "features/editing/EditingFeature.h"

#include "editors/MapGrid.h"
#include "editors/PolohaPage.h"
#include "editors/ServoPage.h"
#include "session/EditSession.h"
#include "session/MapCoupling.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"

#include <QAction>
#include <QPushButton>

namespace kordana {

void EditingFeature::installTools() {
    QAction* minus = m_shell->addMenuItem({"MenuToolsMinus", "Minus ", "F4"});
    QObject::connect(minus, &QAction::triggered, minus, [this] { MenuToolsMinusClick(); });
    QAction* plus = m_shell->addMenuItem({"MenuToolsPlus", "Plus", "F5"});
    QObject::connect(plus, &QAction::triggered, plus, [this] { MenuToolsPlusClick(); });
}

void EditingFeature::CSpinButtonDownClick_Uni(const QObject* sender) {
    columnStep(sender, -1);
}

void EditingFeature::CSpinButtonUpClick_Uni(const QObject* sender) {
    columnStep(sender, +1);
}

void EditingFeature::columnStep(const QObject* sender, int direction) {
    // No harvest first: a value typed into the grid and not committed is lost.
    const int page = m_shell->activePageIndex();
    if (!coupling::isMapPage(page)) {
        return;
    }
    m_shell->session().stepColumn(page, static_cast<std::size_t>(m_mapGrid->columnOf(sender)),
                                  direction);
    m_shell->CommitTail();
}

BulkToolInput EditingFeature::toolInput() {
    return BulkToolInput{m_operatingPoint, m_shell->hub().unitValues(),
                         [this] { m_shell->CommitTail(); }};
}

void EditingFeature::MenuToolsMinusClick() {
    runMenuTool(-1);
}

void EditingFeature::MenuToolsPlusClick() {
    runMenuTool(+1);
}

void EditingFeature::runMenuTool(int direction) {
    // Each page's tools end with their own commit tail: the Position page runs two in a row,
    // which Undo takes back as one.
    if (EditorPage* page = m_pages.page(m_shell->activePageIndex())) {
        const EditSession::StepGroup oneStep(m_shell->session());
        page->runBulkTool(m_shell->session(), direction, toolInput());
    }
}

void EditingFeature::connectBulkTools(PolohaPage& poloha, ServoPage& servo) {
    using Handler = void (PolohaPage::*)(EditSession&, const BulkToolInput&);
    const struct {
        QPushButton* button;
        Handler handler;
    } curves[] = {{poloha.curve(0).minus, &PolohaPage::ButtonMinusClick_PolohaA},
                  {poloha.curve(0).plus, &PolohaPage::ButtonPlusClick_PolohaA},
                  {poloha.curve(1).minus, &PolohaPage::ButtonMinusClick_PolohaB},
                  {poloha.curve(1).plus, &PolohaPage::ButtonPlusClick_PolohaB}};
    for (const auto& curve : curves) {
        QObject::connect(curve.button, &QPushButton::clicked, curve.button,
                         [this, page = &poloha, handler = curve.handler] {
                             (page->*handler)(m_shell->session(), toolInput());
                         });
    }
    QObject::connect(
        servo.curve().minus, &QPushButton::clicked, servo.curve().minus,
        [this, page = &servo] { page->ButtonMinusClick_Servo(m_shell->session(), toolInput()); });
    QObject::connect(
        servo.curve().plus, &QPushButton::clicked, servo.curve().plus,
        [this, page = &servo] { page->ButtonPlusClick_Servo(m_shell->session(), toolInput()); });
}

} // namespace kordana
