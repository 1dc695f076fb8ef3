// Ignition > Compare with unit, and the list after "Verify error!", against the simulated unit.

#include "UnitWindowFixture.h"

#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"
#include "params/ImageLayout.h"
#include "session/EditSession.h"
#include "shell/EventHub.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace kordana::testing {
namespace {

using namespace layout;

class CompareWindowTest : public UnitWindowFixture {
protected:
    // Programs the unit with breakpoints 1000, 1500, ... 8000 rpm on Ign 2 and Jet 1B, the
    // ignition limiter at 9000 rpm, Ign 2 (3, 4) at 20 degrees and Jet 1B (9, 14) at 5000 us.
    TFormHlav& programmedWindow() {
        TFormHlav& form = startWithUnit();
        for (std::size_t c = 0; c < 15; ++c) {
            setImageByte(form, mapRpm(1) + c, static_cast<std::uint8_t>(20 + 10 * c));
            setImageByte(form, mapRpm(6) + c, static_cast<std::uint8_t>(20 + 10 * c));
        }
        setImageByte(form, kLimiter + 1, 180);
        setImageByte(form, mapCell(1, 3, 4), 20);
        setImageByte(form, mapCell(6, 9, 14), 100);
        form.PageRefresh();
        form.action("MenuProgram")->trigger();
        runToIdle(form);
        EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), "Program device: OK");
        return form;
    }

    QStringList listed(TFormHlav& form) {
        QStringList lines;
        auto* list = childNamed<QListWidget>(form, "ListCompare");
        for (int i = 0; i < list->count(); ++i) {
            lines << list->item(i)->text();
        }
        return lines;
    }

    // The set differs from the programmed unit in the ignition limiter, Ign 2 (3, 4) and
    // Jet 1B (9, 14), and the compare window lists the three.
    TFormHlav& comparedWindow() {
        TFormHlav& form = programmedWindow();
        // An edit of the set, so that undo has a step of its own before the take.
        const ByteWrite edits[] = {
            {kLimiter + 1, 190}, {mapCell(1, 3, 4), 25}, {mapCell(6, 9, 14), 90}};
        form.session().applyHarvest(-1, edits);
        form.action("MenuCompare")->trigger();
        runToIdle(form);
        EXPECT_EQ(listed(form).size(), 3);
        return form;
    }

    bool outlined(TFormHlav& form, int page, int row, int column) {
        form.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(page);
        return form.findChild<MapGrid*>()->cell(row, column)->outlined();
    }
};

TEST_F(CompareWindowTest, ListsWhatDiffersLeavesTheSetAndOutlinesCellsUntilRead) {
    TFormHlav& form = programmedWindow();
    setImageByte(form, kLimiter + 1, 190);
    setImageByte(form, mapCell(1, 3, 4), 25);
    setImageByte(form, mapCell(6, 9, 14), 90);
    const ParameterImage edited = form.session().image();

    form.action("MenuCompare")->trigger();
    runToIdle(form);

    EXPECT_EQ(form.session().image(), edited);
    auto* window = childNamed<QWidget>(form, "FormCompare");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(listed(form), (QStringList{
                                "Ignition Limiter: 9500 -> 9000 rpm [LIMITER[1]]",
                                "Ign 2, 3000 rpm, 10 %: 25 -> 20 deg [IGN_2[49]]",
                                "Jet 1B, 8000 rpm, 100 %: 4500 -> 5000 µs [JET_1B[149]]",
                            }));
    EXPECT_EQ(childNamed<QLabel>(form, "LabelCompareSummary")->text(),
              "Various: differing values 1, largest change 500 rpm (Ignition Limiter)\n"
              "Ign 2: differing cells 1, largest change 5 deg (3000 rpm, 10 %)\n"
              "Jet 1B: differing cells 1, largest change 500 µs (8000 rpm, 100 %)");
    EXPECT_FALSE(childNamed<QLabel>(form, "LabelCompareVerify")->isVisibleTo(window));
    EXPECT_TRUE(outlined(form, 1, 3, 4));
    EXPECT_FALSE(outlined(form, 1, 3, 5));
    EXPECT_TRUE(outlined(form, 6, 9, 14));
    EXPECT_FALSE(outlined(form, 0, 3, 4));

    // The lines follow the window's language.
    form.action("MenuCzech")->trigger();
    EXPECT_EQ(listed(form).front(), "Omezovač zážehem: 9500 -> 9000 rpm [LIMITER[1]]");
    form.action("MenuEnglish")->trigger();

    form.action("MenuRead")->trigger();
    EXPECT_FALSE(outlined(form, 6, 9, 14));
    EXPECT_FALSE(outlined(form, 1, 3, 4));
}

TEST_F(CompareWindowTest, EqualSetsSayNoDifferences) {
    TFormHlav& form = programmedWindow();
    form.action("MenuCompare")->trigger();
    runToIdle(form);
    EXPECT_TRUE(childNamed<QWidget>(form, "FormCompare")->isVisible());
    EXPECT_TRUE(childNamed<QLabel>(form, "LabelCompareEqual")
                    ->isVisibleTo(childNamed<QWidget>(form, "FormCompare")));
    EXPECT_TRUE(listed(form).isEmpty());

    form.action("MenuGerman")->trigger();
    EXPECT_EQ(childNamed<QWidget>(form, "FormCompare")->windowTitle(), "Unterschiede zum Gerät");
    EXPECT_EQ(childNamed<QLabel>(form, "LabelCompareEqual")->text(), "Keine Unterschiede");
}

TEST_F(CompareWindowTest, VerifyErrorListsWhatTheUnitHolds) {
    TFormHlav& form = programmedWindow();
    setImageByte(form, mapCell(1, 3, 4), 25);
    form.PageRefresh();
    form.action("MenuVerify")->trigger();
    runToIdle(form);
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), "Verify error!");
    auto* window = childNamed<QWidget>(form, "FormCompare");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(listed(form), QStringList{"Ign 2, 3000 rpm, 10 %: 25 -> 20 deg [IGN_2[49]]"});
    EXPECT_TRUE(childNamed<QLabel>(form, "LabelCompareVerify")->isVisibleTo(window));
    EXPECT_TRUE(outlined(form, 1, 3, 4));
}

TEST_F(CompareWindowTest, TakeTheUnitsValuesOfTheSelectedRowsIsOneUndoableCommand) {
    TFormHlav& form = comparedWindow();
    auto* list = childNamed<QListWidget>(form, "ListCompare");
    list->item(0)->setSelected(true);
    list->item(2)->setSelected(true);
    childNamed<QPushButton>(form, "ButtonCompareTake")->click();

    EXPECT_EQ(form.session().image()[kLimiter + 1], 180);
    EXPECT_EQ(form.session().image()[mapCell(6, 9, 14)], 100);
    EXPECT_EQ(form.session().image()[mapCell(1, 3, 4)], 25);
    EXPECT_EQ(listed(form), QStringList{"Ign 2, 3000 rpm, 10 %: 25 -> 20 deg [IGN_2[49]]"});
    EXPECT_FALSE(outlined(form, 6, 9, 14));
    EXPECT_TRUE(outlined(form, 1, 3, 4));

    form.action("MenuUndo")->trigger();
    EXPECT_EQ(form.session().image()[kLimiter + 1], 190);
    EXPECT_EQ(form.session().image()[mapCell(6, 9, 14)], 90);
    EXPECT_EQ(listed(form).size(), 3);
    EXPECT_TRUE(outlined(form, 6, 9, 14));
}

TEST_F(CompareWindowTest, OutlinesClearWhenTheSetNoLongerMatchesThem) {
    TFormHlav& form = comparedWindow();
    const ByteWrite edit{mapCell(1, 3, 4), 20};
    form.session().applyHarvest(1, std::span(&edit, 1));
    EXPECT_FALSE(outlined(form, 1, 3, 4));
    EXPECT_TRUE(outlined(form, 6, 9, 14));
    EXPECT_EQ(listed(form).size(), 2);

    // A new set has nothing to do with the comparison any more.
    form.session().newDefaultSet();
    EXPECT_FALSE(outlined(form, 6, 9, 14));
}

// The unit is programmed with two limiters above their range (the pass of the programming
// run's header is over before block 1 leaves); reading it back, the pass brings them to
// 12500 rpm, the verify finds the unit's values, and the window says the read worked.
TEST_F(CompareWindowTest, ReadOfOutOfRangeValuesExplainsTheRepairs) {
    TFormHlav& form = startWithUnit();
    bool placed = false;
    QObject::connect(&form.hub(), &EventHub::setChanged, &form,
                     [&](const ChangeSet&, ChangeCause cause) {
                         if (cause == ChangeCause::UnitRead && !placed) {
                             placed = true;
                             setImageByte(form, kLimiter + 1, 252);
                             setImageByte(form, kLimiter + 2, 255);
                         }
                     });
    form.action("MenuProgram")->trigger();
    runToIdle(form);
    ASSERT_TRUE(placed);
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), "Program device: OK");

    form.action("MenuRead")->trigger();
    runToIdle(form);
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), "Verify error!");
    auto* window = childNamed<QWidget>(form, "FormCompare");
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(childNamed<QLabel>(form, "LabelCompareRepaired")->text(),
              "Read complete: 2 values held by the unit were outside their ranges and were "
              "repaired");
    EXPECT_EQ(listed(form), (QStringList{"Ignition Limiter: 12500 -> 12600 rpm [LIMITER[1]]",
                                         "Injection Limiter: 12500 -> 12750 rpm [LIMITER[2]]"}));
    EXPECT_FALSE(childNamed<QLabel>(form, "LabelCompareVerify")->isVisibleTo(window));
    EXPECT_FALSE(childNamed<QPushButton>(form, "ButtonCompareTake")->isEnabled());
    EXPECT_EQ(form.session().image()[kLimiter + 2], 250);
}

} // namespace
} // namespace kordana::testing
