#include "editors/CommitBindings.h"
#include "editors/PageDispatcher.h"
#include "editors/UpDownEdit.h"
#include "params/ImageLayout.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace kordana {
namespace {

// A page as a fixed page would describe it: one control of every kind, plus a byte kept
// outside the image.
struct FixedPage {
    QWidget sheet;
    UpDownEdit* tps100 = new UpDownEdit(&sheet);
    UpDownEdit* retard = new UpDownEdit(&sheet);
    QCheckBox* actRpm = new QCheckBox(&sheet);
    QComboBox* bike = new QComboBox(&sheet);
    QButtonGroup* position = new QButtonGroup(&sheet);
    QCheckBox* all = new QCheckBox(&sheet);
    std::uint8_t allFlag = 0;
    int changes = 0;

    FixedPage() {
        bike->addItems({"a", "b", "c", "d"});
        for (int i = 0; i < 3; ++i) {
            position->addButton(new QRadioButton(&sheet), i);
        }
        QObject::connect(bike, &QComboBox::currentIndexChanged, [this] { ++changes; });
        QObject::connect(actRpm, &QCheckBox::toggled, [this] { ++changes; });
    }

    std::vector<Field> fields() {
        return {elementField(tps100, "TPS", 1),           elementField(retard, "RETARD", 12),
                elementField(actRpm, "ACT_RPM", 0),       imageField(bike, layout::kBike),
                elementField(position, "POSITION_A", 30), outsideField(all, allFlag)};
    }
};

TEST(CommitFieldTable, RefreshShowsEveryConversionAndHarvestStoresItBack) {
    FixedPage page;
    PageDispatcher pages;
    pages.addFields(12, page.fields());
    ParameterImage image;
    image[layout::kTps + 1] = 0;      // 2500 mV
    image[layout::kRetard + 12] = 95; // -5 degrees
    image[layout::kActRpm] = 0;       // shown checked
    image[layout::kBike] = 2;
    image[layout::kPositionARef] = 1;
    page.allFlag = 1;
    pages.refresh(12, image);
    EXPECT_EQ(page.tps100->text(), "2500");
    EXPECT_EQ(page.tps100->minimum(), 2500);
    EXPECT_EQ(page.tps100->increment(), 10);
    EXPECT_EQ(page.retard->text(), "-5");
    EXPECT_TRUE(page.actRpm->isChecked());
    EXPECT_EQ(page.bike->currentIndex(), 2);
    EXPECT_EQ(page.position->checkedId(), 1);
    EXPECT_TRUE(page.all->isChecked());
    EXPECT_EQ(page.changes, 0) << "a refresh runs no handler";

    page.tps100->setText("2505"); // truncated to 2500 mV: stored 0
    page.retard->setText("10");
    page.actRpm->setChecked(false);
    page.bike->setCurrentIndex(3);
    page.position->button(2)->setChecked(true);
    page.all->setChecked(false);
    const ParameterImage before = image;
    pages.harvest(12, image);
    EXPECT_EQ(image[layout::kTps + 1], 0);
    EXPECT_EQ(image[layout::kRetard + 12], 110);
    EXPECT_EQ(image[layout::kActRpm], 1);
    EXPECT_EQ(image[layout::kBike], 3);
    EXPECT_EQ(image[layout::kPositionARef], 2);
    EXPECT_EQ(page.allFlag, 0);
    int changed = 0;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        changed += image[i] != before[i] ? 1 : 0;
    }
    EXPECT_EQ(changed, 4) << "only the page's own bytes";
}

TEST(CommitFieldTable, ControlsClampStoredValuesOutsideTheirRange) {
    FixedPage page;
    PageDispatcher pages;
    pages.addFields(13, page.fields());
    ParameterImage image;
    image[layout::kTps + 1] = 255;   // 5050 mV, above 4900
    image[layout::kRetard + 12] = 0; // -100 degrees, below -20
    pages.refresh(13, image);
    EXPECT_EQ(page.tps100->text(), "4900");
    EXPECT_EQ(page.retard->text(), "-20");
    pages.harvest(13, image);
    EXPECT_EQ(image[layout::kTps + 1], 240);
    EXPECT_EQ(image[layout::kRetard + 12], 80);
}

TEST(CommitFieldTable, ListsAndRadioGroupsWithoutAnItemForTheByteShowNoSelectionAndKeepIt) {
    // A knock list of 64 items, a radio group of three and an edit on the same page; the
    // rows run in order on the same controls, so a selection left from the row before would
    // show.
    QWidget sheet;
    auto* knockList = new QComboBox(&sheet);
    for (int i = 0; i < 64; ++i) {
        knockList->addItem(QString::number(i));
    }
    auto* position = new QButtonGroup(&sheet);
    for (int i = 0; i < 3; ++i) {
        position->addButton(new QRadioButton(&sheet), i);
    }
    auto* start = new QCheckBox(&sheet);
    PageDispatcher pages;
    pages.addFields(11,
                    {elementField(knockList, "KNOCK_FREK", 0),
                     elementField(position, "POSITION_A", 30), elementField(start, "ACT_OIL", 0)});
    const struct {
        std::uint8_t knock;
        int knockShown; // -1: no selection
        std::uint8_t position;
        int positionShown;
    } rows[] = {
        {12, 12, 1, 1}, {70, -1, 5, -1}, {63, 63, 2, 2},
        {64, -1, 0, 0}, {0, 0, 3, -1},   {255, -1, 255, -1},
    };
    ParameterImage image;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.knock);
        image[layout::kKnockFrek] = row.knock;
        image[layout::kPositionARef] = row.position;
        image[layout::kActOil] = 0;
        pages.refresh(11, image);
        EXPECT_EQ(knockList->currentIndex(), row.knockShown);
        EXPECT_EQ(position->checkedId(), row.positionShown);
        int checked = 0;
        for (QAbstractButton* button : position->buttons()) {
            checked += button->isChecked() ? 1 : 0;
        }
        EXPECT_EQ(checked, row.positionShown < 0 ? 0 : 1);

        start->setChecked(true); // an edit of another field on the page
        pages.harvest(11, image);
        EXPECT_EQ(image[layout::kActOil], 1);
        EXPECT_EQ(image[layout::kKnockFrek], row.knock);
        EXPECT_EQ(image[layout::kPositionARef], row.position);
    }
}

TEST(CommitFieldTable, HooksGuardAndAddedFieldsRunInOrder) {
    FixedPage page;
    PageDispatcher pages;
    std::vector<std::string> calls;
    bool shown = false;
    PageSpec pageSpec;
    pageSpec.canHarvest = [&] { return shown; };
    pageSpec.beforeRefresh = [&] {
        calls.push_back("before");
        shown = true;
    };
    pageSpec.afterRefresh = [&](const ParameterImage&) { calls.push_back("after"); };
    pageSpec.afterHarvest = [&](ParameterImage&) { calls.push_back("harvested"); };
    pageSpec.onStore = [&](ParameterImage&, std::size_t index, std::uint8_t, std::uint8_t) {
        calls.push_back(std::to_string(index));
    };
    pages.registerPage(9, std::move(pageSpec));
    pages.addFields(9, {elementField(page.bike, "BIKE", 0)});
    pages.addFields(9, {elementField(page.actRpm, "ACT_RPM", 0)});
    ParameterImage image;
    pages.harvest(9, image);
    EXPECT_TRUE(calls.empty()) << "nothing stored before the page was shown";
    pages.refresh(9, image);
    pages.harvest(9, image);
    EXPECT_EQ(calls, (std::vector<std::string>{"before", "after", "106", "109", "harvested"}));
    pages.harvest(14, image);
    pages.refresh(-1, image);
    EXPECT_FALSE(pages.hasPage(10));
}

TEST(CommitFieldTable, VisibilityRulesFollowTheirByte) {
    QWidget sheet;
    auto* frame = new QWidget(&sheet);
    PageDispatcher pages;
    pages.addVisibilityRule(frame, layout::kServoEnable);
    ParameterImage image;
    pages.applyVisibilityRules(image);
    EXPECT_TRUE(frame->isHidden());
    image[layout::kServoEnable] = 1;
    pages.applyVisibilityRules(image);
    EXPECT_FALSE(frame->isHidden());
}

TEST(CommitFieldTable, StaticFieldsCommitWhenLeftAndArrowsReleaseMouseUp) {
    int exits = 0;
    int upDowns = 0;
    int mouseUps = 0;
    int enters = 0;
    CommitBindings bindings({[&] { ++exits; }, [&] { ++upDowns; },
                             [&](QWidget*, int key) {
                                 enters += key == Qt::Key_Return ? 1 : 0;
                                 return key == Qt::Key_Return;
                             },
                             [&] { ++mouseUps; }},
                            nullptr);
    QWidget sheet;
    auto* first = new UpDownEdit(&sheet);
    auto* second = new UpDownEdit(&sheet);
    second->move(0, 30);
    first->setRange(0, 100, 5);
    bindings.bindStaticField(first, false);
    bindings.bindRunTimeField(second);
    bindings.bindMouseUp(first);
    sheet.show();
    sheet.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));

    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(exits, 1) << "leaving a static field commits";
    QTest::keyClick(second, Qt::Key_Tab);
    EXPECT_EQ(exits, 1) << "leaving a run-time field does not";

    QTest::mouseClick(first, Qt::LeftButton, {}, first->arrowRect(true).center());
    EXPECT_EQ(first->text(), "5");
    EXPECT_EQ(upDowns, 1);
    EXPECT_EQ(mouseUps, 1);
    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(upDowns, 1);
    EXPECT_EQ(mouseUps, 1) << "a click on the edit is no arrow release";

    QTest::keyClicks(second, "7");
    QTest::keyClick(second, Qt::Key_Return);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(second->text(), "07") << "other keys reach the edit";
}

} // namespace
} // namespace kordana
