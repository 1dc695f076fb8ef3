#include "MapFixture.h"
#include "features/unit/UnitFeature.h"

#include <QCheckBox>

namespace kordana {
namespace {

using CommitProgramAfterChange = testing::MapFixture;

TEST_F(CommitProgramAfterChange, BoxStartsUncheckedAndProgramsOnlyAfterAChange) {
    TFormHlav& f = openForm();
    QCheckBox* box = childNamed<QCheckBox>(f, "CheckBoxProgHned");
    EXPECT_EQ(box->text(), "Programming after change");
    EXPECT_FALSE(box->isChecked());
    storedCell(0, 0, 0) = 10;
    f.PageRefresh();

    typeAndEnter(cell(0, 0), "11");
    EXPECT_EQ(f.feature<UnitFeature>()->programmingAfterChangeStarts(), 0);

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    ASSERT_TRUE(box->isChecked());
    EXPECT_EQ(f.feature<UnitFeature>()->programmingAfterChangeStarts(), 1)
        << "setting the box commits and programs";

    pressKey(cell(0, 1), Qt::Key_Return);
    QTest::mouseClick(cell(3, 3)->edit(), Qt::LeftButton);
    EXPECT_EQ(f.feature<UnitFeature>()->programmingAfterChangeStarts(), 1) << "no byte changed";

    typeAndEnter(cell(0, 0), "12");
    EXPECT_EQ(f.feature<UnitFeature>()->programmingAfterChangeStarts(), 2);
    testing::MapFixture::clickArrow(grid().columnSpinButton(0), true);
    EXPECT_EQ(f.feature<UnitFeature>()->programmingAfterChangeStarts(), 3);

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    typeAndEnter(cell(0, 0), "20");
    EXPECT_EQ(f.feature<UnitFeature>()->programmingAfterChangeStarts(), 3);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    EXPECT_EQ(f.feature<UnitFeature>()->programmingAfterChangeStarts(), 4);
}

TEST_F(CommitProgramAfterChange, EveryCommitShowsRepairedValues) {
    openForm();
    for (int c = 0; c < 15; ++c) {
        storedBreakpoint(0, c) = static_cast<std::uint8_t>(10 + c);
    }
    form().PageRefresh();
    // A first breakpoint above all others is capped and pushes the whole row up.
    typeAndEnter(breakpoint(0), "12000");
    EXPECT_EQ(storedBreakpoint(0, 0), 236);
    for (int c = 1; c < 15; ++c) {
        EXPECT_EQ(storedBreakpoint(0, c), 236 + c) << c;
        EXPECT_EQ(text(breakpoint(c)), QString::number((236 + c) * 50)) << c;
    }
    EXPECT_EQ(text(breakpoint(0)), "11800");
}

} // namespace
} // namespace kordana
