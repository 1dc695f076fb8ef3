// Ignition > Compare with unit, and the list after "Verify error!", against the simulated unit.

#include "UnitWindowFixture.h"

#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"
#include "params/ImageLayout.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
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
                                "LIMITER[1]: 9500 rpm -> 9000 rpm",
                                "IGN_2[49] row 3 (10%) column 4 (3000 rpm): 25 ° -> 20 °",
                                "JET_1B[149] row 9 (100%) column 14 (8000 rpm): 4500 µs -> 5000 µs",
                            }));
    EXPECT_FALSE(childNamed<QLabel>(form, "LabelCompareVerify")->isVisibleTo(window));
    EXPECT_TRUE(outlined(form, 1, 3, 4));
    EXPECT_FALSE(outlined(form, 1, 3, 5));
    EXPECT_TRUE(outlined(form, 6, 9, 14));
    EXPECT_FALSE(outlined(form, 0, 3, 4));

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
    EXPECT_EQ(listed(form), QStringList{"IGN_2[49] row 3 (10%) column 4 (3000 rpm): 25 ° -> 20 °"});
    EXPECT_TRUE(childNamed<QLabel>(form, "LabelCompareVerify")->isVisibleTo(window));
    EXPECT_TRUE(outlined(form, 1, 3, 4));
}

} // namespace
} // namespace kordana::testing
