#pragma once

#include "FormFixture.h"

#include "editors/MapGrid.h"
#include "editors/TCSpinButton.h"
#include "editors/UpDownEdit.h"
#include "params/ImageLayout.h"
#include "session/MapCoupling.h"

#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace kordana::testing {

/// A shown, active main window with helpers that drive the map grid with real key and mouse
/// events.
class MapFixture : public FormFixture {
protected:
    /// Creates and shows the window; both coupling modes start Separate unless told otherwise.
    TFormHlav& openForm(std::uint8_t ignitionMode = 0, std::uint8_t injectionMode = 0) {
        TFormHlav& form = createForm();
        setImageByte(form, layout::kMode, ignitionMode);
        setImageByte(form, layout::kMode + 1, injectionMode);
        form.PageRefresh();
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        return form;
    }

    TFormHlav& form() { return *m_form; }
    MapGrid& grid() { return *m_form->findChild<MapGrid*>(); }
    UpDownEdit* breakpoint(int c) { return grid().breakpoint(c); }
    UpDownEdit* cell(int r, int c) { return grid().cell(r, c); }
    QString text(UpDownEdit* field) { return field->edit()->text(); }

    StoredByte storedCell(int page, int r, int c) {
        return {form(), layout::mapCell(static_cast<std::size_t>(page), static_cast<std::size_t>(r),
                                        static_cast<std::size_t>(c))};
    }
    StoredByte storedBreakpoint(int page, int c) {
        return {form(),
                layout::mapRpm(static_cast<std::size_t>(page)) + static_cast<std::size_t>(c)};
    }

    /// A click into the edit (which commits), select all, then the typed text.
    void typeInto(UpDownEdit* field, const QString& typed) {
        QTest::mouseClick(field->edit(), Qt::LeftButton);
        QTest::keyClick(field->edit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field->edit(), typed);
    }
    void pressKey(UpDownEdit* field, Qt::Key key) { QTest::keyClick(field->edit(), key); }
    void typeAndEnter(UpDownEdit* field, const QString& typed) {
        typeInto(field, typed);
        pressKey(field, Qt::Key_Return);
    }

    /// A click on the tab of page `index`, as the user changes pages.
    void clickTab(int index) {
        QTabBar* bar = childNamed<QTabWidget>(form(), "PageControl1")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    /// A click on the upper (`up`) or lower half of a two-arrow button.
    static void clickArrow(TCSpinButton* button, bool up) {
        const QPoint at(button->width() / 2, up ? button->height() / 4 : button->height() * 3 / 4);
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
    }
    /// A click on the upper (`up`) or lower arrow of a field's up-down.
    static void clickArrow(UpDownEdit* field, bool up) {
        QTest::mouseClick(field, Qt::LeftButton, {}, field->arrowRect(up).center());
    }
};

} // namespace kordana::testing
