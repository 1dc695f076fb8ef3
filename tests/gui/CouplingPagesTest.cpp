#include "MapFixture.h"

#include "features/unit/UnitFeature.h"
#include "settings/ImageCache.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace kordana {
namespace {

using CouplingPages = testing::MapFixture;

TEST_F(CouplingPages, CoupledEditOfTheMasterMovesTheSiblingsByTheSameAmount) {
    openForm(coupling::kCoupled, coupling::kSeparate);
    storedCell(0, 3, 3) = 20;
    storedCell(1, 3, 3) = 30;
    storedCell(2, 3, 3) = 58;
    form().PageRefresh();
    typeAndEnter(cell(3, 3), "25");
    EXPECT_EQ(storedCell(0, 3, 3), 25);
    EXPECT_EQ(storedCell(1, 3, 3), 35);
    EXPECT_EQ(storedCell(2, 3, 3), 60) << "63, capped by the pass";

    typeAndEnter(cell(3, 3), "5");
    EXPECT_EQ(storedCell(1, 3, 3), 15);
    EXPECT_EQ(storedCell(2, 3, 3), 40) << "the offset is not kept at the cap";
}

TEST_F(CouplingPages, SameModeCopiesEveryHarvestedValue) {
    openForm(coupling::kSeparate, coupling::kSame);
    clickTab(6);
    typeAndEnter(cell(9, 0), "7550");
    EXPECT_EQ(storedCell(6, 9, 0), 151);
    EXPECT_EQ(storedCell(7, 9, 0), 151);
    EXPECT_EQ(storedCell(8, 9, 0), 151);
    EXPECT_NE(storedCell(4, 9, 0), 151) << "bank A has its own master";
}

TEST_F(CouplingPages, CoupledSiblingPageShowsItsValuesLocked) {
    openForm(coupling::kCoupled, coupling::kSeparate);
    storedCell(2, 0, 0) = 33;
    clickTab(2);
    EXPECT_EQ(text(cell(0, 0)), "33");
    EXPECT_FALSE(grid().box()->isEnabled());
    EXPECT_FALSE(cell(0, 0)->arrowsVisible());
    EXPECT_FALSE(breakpoint(0)->arrowsVisible());
    EXPECT_FALSE(grid().columnSpinButton(0)->isVisible());
    EXPECT_FALSE(grid().minusButton()->isVisible());
    EXPECT_FALSE(grid().plusButton()->isVisible());
    EXPECT_FALSE(grid().allCheckBox()->isVisible());
    EXPECT_TRUE(cell(0, 0)->edit()->isVisible());

    clickTab(0);
    EXPECT_TRUE(grid().box()->isEnabled());
    EXPECT_TRUE(cell(0, 0)->arrowsVisible());
    EXPECT_TRUE(grid().allCheckBox()->isVisible());
    clickTab(4);
    EXPECT_TRUE(grid().box()->isEnabled()) << "injection stays Separate";
}

TEST_F(CouplingPages, SameHidesTheSiblingTabsAndMovesToTheMaster) {
    openForm(coupling::kSeparate, coupling::kSeparate);
    storedCell(6, 5, 5) = 77;
    storedBreakpoint(6, 5) = 55;
    clickTab(8);
    form().action("Menu_Jet123Stejny")->trigger();
    EXPECT_EQ(form().activePageIndex(), 6);
    EXPECT_EQ(grid().parentWidget(), childNamed<QTabWidget>(form(), "PageControl1")->widget(6));
    EXPECT_EQ(text(cell(5, 5)), "3850");
    EXPECT_EQ(storedCell(8, 5, 5), 77);
    EXPECT_EQ(storedCell(7, 5, 5), 77);
    EXPECT_EQ(storedBreakpoint(8, 5), 55);
    for (int p = 0; p < 9; ++p) {
        const bool hidden = p == 4 || p == 5 || p == 7 || p == 8;
        EXPECT_EQ(childNamed<QTabWidget>(form(), "PageControl1")->isTabVisible(p), !hidden) << p;
    }
    form().action("Menu_Jet123Normal")->trigger();
    EXPECT_TRUE(childNamed<QTabWidget>(form(), "PageControl1")->isTabVisible(8));
    EXPECT_EQ(storedCell(8, 5, 5), 77) << "Separate leaves the maps as they are";
}

TEST_F(CouplingPages, EveryModeCommandShowsTheCopyOnTheActivePage) {
    openForm(coupling::kSeparate, coupling::kSeparate);
    storedBreakpoint(0, 14) = 240;
    storedBreakpoint(1, 14) = 200;
    clickTab(1);
    ASSERT_EQ(text(breakpoint(14)), "10000");
    form().action("Menu_Ign123Coupled")->trigger();
    EXPECT_EQ(text(breakpoint(14)), "12000");
    // The next harvest of the page (at the latest at shutdown) keeps the copy.
    form().PageHarvest();
    EXPECT_EQ(storedBreakpoint(1, 14), 240);
    form().action("Menu_Ign123Normal")->trigger();
    EXPECT_TRUE(grid().box()->isEnabled());
    EXPECT_EQ(storedBreakpoint(1, 14), 240);
}

TEST_F(CouplingPages, MenusCarryExactlyOneCheckMarkEach) {
    openForm();
    const char* const ign[] = {"Menu_Ign123Normal", "Menu_Ign123Coupled", "Menu_Ign123Stejny"};
    const char* const jet[] = {"Menu_Jet123Normal", "Menu_Jet123Coupled", "Menu_Jet123Stejny"};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            form().action(ign[i])->trigger();
            form().action(jet[j])->trigger();
            EXPECT_EQ(form().session().image()[layout::kMode], i);
            EXPECT_EQ(form().session().image()[layout::kMode + 1], j);
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(form().action(ign[k])->isChecked(), k == i) << i << j << k;
                EXPECT_EQ(form().action(jet[k])->isChecked(), k == j) << i << j << k;
            }
        }
    }
    // A mode loaded from outside shows at the next refresh.
    setImageByte(form(), layout::kMode, 1);
    form().CommitTail();
    EXPECT_TRUE(form().action("Menu_Ign123Coupled")->isChecked());
    EXPECT_FALSE(form().action("Menu_Ign123Stejny")->isChecked());
}

TEST_F(CouplingPages, IndicatorFollowsTheGoverningModeOfTheActivePage) {
    const struct {
        std::uint8_t ign;
        std::uint8_t jet;
        int page;
        bool visible;
        const char* text;
        QColor colour;
    } cases[] = {
        {1, 0, 0, true, "  1->2->3  ", QColor(255, 255, 0)},
        {2, 0, 0, true, "  1=2=3  ", QColor(0, 255, 255)},
        {0, 2, 0, false, "", {}},
        {1, 0, 3, false, "", {}},
        {1, 0, 2, true, "  1->2->3  ", QColor(255, 255, 0)},
        {0, 1, 7, true, "  1->2->3  ", QColor(255, 255, 0)},
        {0, 2, 6, true, "  1=2=3  ", QColor(0, 255, 255)},
        {2, 1, 3, true, "  1->2->3  ", QColor(255, 255, 0)},
    };
    openForm();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.page) + " ign " + std::to_string(c.ign) + " jet " +
                     std::to_string(c.jet));
        setImageByte(form(), layout::kMode, c.ign);
        setImageByte(form(), layout::kMode + 1, c.jet);
        clickTab(c.page);
        form().PageRefresh();
        QLabel* indicator = grid().modeIndicator();
        EXPECT_EQ(indicator->isVisible(), c.visible);
        if (c.visible) {
            EXPECT_EQ(indicator->text(), c.text);
            EXPECT_EQ(indicator->palette().color(QPalette::Window), c.colour);
        }
    }
}

TEST_F(CouplingPages, ModeFromOutsideThatHidesTheActiveTabShowsTheMaster) {
    openForm(coupling::kSeparate, coupling::kSeparate);
    storedCell(0, 0, 0) = 44;
    storedCell(1, 0, 0) = 11;
    clickTab(1);
    ASSERT_EQ(text(cell(0, 0)), "11");
    // As a parameter file or a read from the unit does: set the bytes, then the commit tail.
    setImageByte(form(), layout::kMode, coupling::kSame);
    form().CommitTail();
    EXPECT_EQ(form().activePageIndex(), 0);
    EXPECT_EQ(grid().parentWidget(), childNamed<QTabWidget>(form(), "PageControl1")->widget(0));
    EXPECT_EQ(text(cell(0, 0)), "44");
    EXPECT_FALSE(childNamed<QTabWidget>(form(), "PageControl1")->isTabVisible(1));
    EXPECT_EQ(storedCell(1, 0, 0), 11) << "nothing is copied then";
}

TEST_F(CouplingPages, StartUpOnAHiddenPageShowsTheMaster) {
    {
        TFormHlav& f = openForm(coupling::kSeparate, coupling::kSeparate);
        clickTab(8);
        setImageByte(f, layout::kMode + 1, coupling::kSame);
        closeForm();
    }
    TFormHlav& f = createForm();
    EXPECT_EQ(f.activePageIndex(), 6);
    EXPECT_EQ(f.findChild<MapGrid*>()->shownPage(), 6);
    EXPECT_FALSE(childNamed<QTabWidget>(f, "PageControl1")->isTabVisible(8));
}

TEST_F(CouplingPages, SameCommandRunsTheProgrammingAfterChangeCheck) {
    openForm(coupling::kSeparate, coupling::kSeparate);
    QCheckBox* box = childNamed<QCheckBox>(form(), "CheckBoxProgHned");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    ASSERT_EQ(form().feature<UnitFeature>()->programmingAfterChangeStarts(), 1);
    storedCell(0, 0, 0) = 1;
    storedCell(1, 0, 0) = 2;
    form().PageRefresh();
    form().action("Menu_Ign123Coupled")->trigger();
    EXPECT_EQ(form().feature<UnitFeature>()->programmingAfterChangeStarts(), 1)
        << "Coupled does not program";
    form().action("Menu_Ign123Stejny")->trigger();
    EXPECT_EQ(form().feature<UnitFeature>()->programmingAfterChangeStarts(), 2);
}

} // namespace
} // namespace kordana
