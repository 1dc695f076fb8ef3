#include "MapFixture.h"

#include "editors/PolohaPage.h"
#include "editors/ServoPage.h"
#include "features/unit/UnitFeature.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace kordana {
namespace {

class PositionServoPage : public testing::MapFixture {
protected:
    UpDownEdit* field(const char* name) { return childNamed<UpDownEdit>(form(), name); }
    UpDownEdit* firstField(const char* group) {
        return childNamed<QGroupBox>(form(), group)->findChild<UpDownEdit*>();
    }
    QRadioButton* item(const char* group, int index) {
        return childNamed<QGroupBox>(form(), group)->findChildren<QRadioButton*>().at(index);
    }
    /// A click on a check box or radio button's indicator, as the user ticks it.
    static void tick(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    /// Writes a hand-made valid image: every byte of both pages differs from its neighbours
    /// and lies within its control's range.
    void writeValidImage() {
        for (std::size_t i = 0; i < 15; ++i) {
            const auto n = static_cast<std::uint8_t>(i);
            setImageByte(form(), layout::kPositionA + i, static_cast<std::uint8_t>(20 + 13 * n));
            setImageByte(form(), layout::kPositionA + 15 + i, static_cast<std::uint8_t>(3 + 9 * n));
            setImageByte(form(), layout::kPositionB + i, static_cast<std::uint8_t>(7 + 15 * n));
            setImageByte(form(), layout::kPositionB + 15 + i, static_cast<std::uint8_t>(144 - n));
            setImageByte(form(), layout::kRpmServo + i, static_cast<std::uint8_t>(6 + 16 * n));
            setImageByte(form(), layout::kVoltServo + i, static_cast<std::uint8_t>(249 - 17 * n));
        }
        setImageByte(form(), layout::kPositionARef, 2);
        setImageByte(form(), layout::kPositionBRef, 0);
        setImageByte(form(), layout::kServoHyster, 255); // 1275 mV
        setImageByte(form(), layout::kServoEnable, 1);
        const std::uint8_t powerOut[9] = {0, 250, 1, 100, 101, 0, 33, 33, 1};
        for (std::size_t i = 0; i < 9; ++i) {
            setImageByte(form(), layout::powerOut(i), powerOut[i]);
        }
    }
};

TEST_F(PositionServoPage, RefreshThenHarvestLeavesAValidImageAsItWas) {
    const struct {
        int page;
        const char* group; // Enter in its first field harvests the page
    } pages[] = {{PolohaPage::kIndex, "GroupBoxPolohaB"}, {ServoPage::kIndex, "GroupBoxServo"}};
    openForm();
    for (const auto& p : pages) {
        SCOPED_TRACE(p.page);
        writeValidImage();
        form().session().runConsistencyPass();
        const ParameterImage before = form().session().image();
        ASSERT_EQ(before[layout::kPositionB + 29], 130) << "the pass kept the hand-made image";
        clickTab(p.page);
        ASSERT_EQ(form().activePageIndex(), p.page);
        pressKey(firstField(p.group), Qt::Key_Return);
        for (std::size_t i = 0; i < kImageSize; ++i) {
            EXPECT_EQ(form().session().image()[i], before[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(text(field("EditServoHyster")), "1275");
    EXPECT_EQ(text(field("EditPowerOut1b")), "12500");
}

TEST_F(PositionServoPage, CentreInRadioGroupBStoresOneAndProgramsWithoutARefresh) {
    openForm();
    setImageByte(form(), layout::kPositionBRef, 0);
    clickTab(PolohaPage::kIndex);
    childNamed<QCheckBox>(form(), "CheckBoxProgHned")->setChecked(true);
    UpDownEdit* angle =
        childNamed<QGroupBox>(form(), "GroupBoxPolohaA")->findChildren<UpDownEdit*>().at(15);
    typeInto(angle, "55"); // typed, not committed: a refresh would rewrite it
    const int starts = form().feature<UnitFeature>()->programmingAfterChangeStarts();

    tick(item("RadioGroupPolohaB", 1));
    EXPECT_EQ(StoredByte(form(), layout::kPositionBRef), 1);
    EXPECT_EQ(form().feature<UnitFeature>()->programmingAfterChangeStarts(), starts + 1);
    EXPECT_EQ(text(angle), "55") << "no refresh after the click";
    EXPECT_EQ(StoredByte(form(), layout::kPositionA + 15), 72) << "nor a harvest of the page";
}

TEST_F(PositionServoPage, StoredReferenceWithoutAnItemShowsNoSelectionAndSurvivesAHarvest) {
    openForm();
    setImageByte(form(), layout::kPositionARef, 5);
    clickTab(PolohaPage::kIndex);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(item("RadioGroupPolohaA", i)->isChecked()) << i;
    }
    typeAndEnter(firstField("GroupBoxPolohaA"), "1500");
    EXPECT_EQ(StoredByte(form(), layout::kPositionA), 30);
    EXPECT_EQ(StoredByte(form(), layout::kPositionARef), 5);
    tick(item("RadioGroupPolohaB", 2)); // the click stores both groups
    EXPECT_EQ(StoredByte(form(), layout::kPositionBRef), 2);
    EXPECT_EQ(StoredByte(form(), layout::kPositionARef), 5);
}

TEST_F(PositionServoPage, ServoSwitchShowsAndHidesTheCurveAndTheMonitorLabels) {
    openForm();
    clickTab(ServoPage::kIndex);
    auto* group = childNamed<QGroupBox>(form(), "GroupBoxServo");
    auto* desired = childNamed<QLabel>(form(), "LabelServoPoz");
    auto* measured = childNamed<QLabel>(form(), "LabelServoMer");
    auto* enable = childNamed<QCheckBox>(form(), "CheckBoxServoEnable");
    ASSERT_FALSE(enable->isChecked()) << "the default set has the servo off";
    EXPECT_FALSE(group->isVisible());
    tick(enable);
    EXPECT_EQ(StoredByte(form(), layout::kServoEnable), 1);
    EXPECT_TRUE(group->isVisible());
    EXPECT_TRUE(desired->isVisible());
    EXPECT_TRUE(measured->isVisible());
    tick(enable);
    EXPECT_EQ(StoredByte(form(), layout::kServoEnable), 0);
    EXPECT_FALSE(group->isVisible());
    EXPECT_FALSE(desired->isVisible());
    EXPECT_FALSE(measured->isVisible());
}

TEST_F(PositionServoPage, TabOutOfTheHysteresisCommitsAndLevelTwoFollowsLevelOne) {
    openForm();
    clickTab(ServoPage::kIndex);
    UpDownEdit* hyster = field("EditServoHyster");
    typeInto(hyster, "333"); // 333 mV is stored as 66, shown 330
    pressKey(hyster, Qt::Key_Tab);
    EXPECT_EQ(StoredByte(form(), layout::kServoHyster), 66);
    EXPECT_EQ(text(hyster), "330");

    // The default set has 9500 and 9600 rpm.
    typeAndEnter(field("EditPowerOut1b"), "8000");
    EXPECT_EQ(StoredByte(form(), layout::powerOut(1)), 190);
    EXPECT_EQ(text(field("EditPowerOut1b")), "9500");
}

} // namespace
} // namespace kordana
