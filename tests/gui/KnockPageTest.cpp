// The knock page in the window, driven with real clicks and keys.
#include "MapFixture.h"

#include "editors/KnockPage.h"
#include "params/ConsistencyPass.h"

#include <QAbstractItemView>
#include <QComboBox>

#include <cstddef>
#include <cstdint>

namespace kordana::testing {
namespace {

class KnockPageTest : public MapFixture {
protected:
    /// Opens the window and makes the knock page the active page with a click on its tab.
    void openKnockPage() {
        openForm();
        clickTab(KnockPage::kIndex);
        ASSERT_EQ(form().activePageIndex(), KnockPage::kIndex);
    }

    UpDownEdit* field(const QString& name) { return form().findChild<UpDownEdit*>(name); }
    QComboBox* list(const QString& name) { return form().findChild<QComboBox*>(name); }
    StoredByte stored(std::size_t index) { return {form(), index}; }
};

TEST_F(KnockPageTest, RefreshThenHarvestKeepsAValidImageByteForByte) {
    openForm();
    // Every point different, so a control bound to the wrong byte changes the image.
    ParameterImage image = form().session().image();
    for (std::size_t i = 0; i < 15; ++i) {
        image[layout::kRpmKnock + i] = static_cast<std::uint8_t>(100 + 20 * (i / 5) + 3 * (i % 5));
        image[layout::kKnockFrek + i] = static_cast<std::uint8_t>(4 * i + 1);
        image[layout::kLevel + i] = static_cast<std::uint8_t>(63 - 2 * i);
        image[layout::kTimeConst + i] = static_cast<std::uint8_t>(2 * i);
        image[layout::kStart + i] = static_cast<std::uint8_t>(40 + i);
        image[layout::kEnd + i] = static_cast<std::uint8_t>(180 - i);
        image[layout::kAlarm + i] = static_cast<std::uint8_t>(25 + 15 * i);
    }
    const ParameterImage before = image;
    runConsistencyPass(image);
    ASSERT_EQ(image, before) << "the test image must be valid";
    form().session().imageForLink() = image;

    clickTab(KnockPage::kIndex);
    // Point 6: rpm 123 x 50, frequency item 25, gain item 51, time item 12, start 46 - 100,
    // end 174 - 100, alarm 115 x 20.
    EXPECT_EQ(text(field("EditKnockRpm6")), "6150");
    EXPECT_EQ(list("ComboBoxKnockFrek6")->currentText(), "3.43");
    EXPECT_EQ(list("ComboBoxLevel6")->currentText(), "0.182");
    EXPECT_EQ(list("ComboBoxTimeConst6")->currentText(), "120");
    EXPECT_EQ(text(field("EditKnockStart6")), "-54");
    EXPECT_EQ(text(field("EditKnockEnd6")), "74");
    EXPECT_EQ(text(field("EditKnockAlarm6")), "2300");

    QTest::mouseClick(field("EditKnockAlarm14")->edit(), Qt::LeftButton); // click commits
    EXPECT_EQ(form().session().image(), before);
}

TEST_F(KnockPageTest, TypedValuesAreStoredWithTheirConversion) {
    openKnockPage();
    struct Case {
        const char* field;
        const char* typed;
        std::size_t index;
        std::uint8_t stored;
    };
    const Case cases[] = {
        {"EditKnockStart0", "-60", layout::kStart, 40},
        {"EditKnockEnd14", "80", layout::kEnd + 14, 180},
        {"EditKnockAlarm7", "1010", layout::kAlarm + 7, 50}, // 1010 / 20 truncates
        {"EditKnockRpm12", "8020", layout::kRpmKnock + 12, 160},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        typeAndEnter(field(c.field), c.typed);
        EXPECT_EQ(stored(c.index), c.stored);
    }
}

TEST_F(KnockPageTest, PickingAListItemCommitsWithoutEnter) {
    openKnockPage();
    QComboBox* gain = list("ComboBoxLevel6");
    gain->showPopup();
    QAbstractItemView* items = gain->view();
    // The open list shows 32 of the 64 items around the selected one (60): item 9 is scrolled
    // to the middle, away from the scroll arrows.
    const QModelIndex nine = items->model()->index(9, 0);
    items->scrollTo(nine, QAbstractItemView::PositionAtCenter);
    const QRect item = items->visualRect(nine);
    // The item's row reaches beyond the narrow list: click its visible part.
    QTest::mouseClick(items->viewport(), Qt::LeftButton, {},
                      QPoint(items->viewport()->width() / 2, item.center().y()));
    EXPECT_EQ(stored(layout::kLevel + 6), 9);
    EXPECT_EQ(gain->currentText(), "1.280");
}

// What the open popup shows: at most 32 rows of the 64 frequencies and gains, all 32 time
// constants.
TEST_F(KnockPageTest, OpenListsShowAtMost32Items) {
    openKnockPage();
    const struct {
        const char* name;
        int rows;
    } lists[] = {{"ComboBoxKnockFrek0", 32}, {"ComboBoxLevel14", 32}, {"ComboBoxTimeConst7", 32}};
    for (const auto& c : lists) {
        SCOPED_TRACE(c.name);
        QComboBox* box = list(c.name);
        ASSERT_NE(box, nullptr);
        box->showPopup();
        QAbstractItemView* items = box->view();
        ASSERT_TRUE(items->isVisible());
        const int rowHeight = items->visualRect(items->model()->index(0, 0)).height();
        ASSERT_GT(rowHeight, 0);
        EXPECT_EQ(items->viewport()->height() / rowHeight, c.rows);
        box->hidePopup();
    }
}

TEST_F(KnockPageTest, RpmPointsIncreaseWithinEachCylinderOnly) {
    openKnockPage(); // the default set: 6000, 7000, 8000, 8250, 8700 in every cylinder
    typeAndEnter(field("EditKnockRpm5"), "3000");
    EXPECT_EQ(text(field("EditKnockRpm5")), "3000") << "not compared with cylinder 1";
    EXPECT_EQ(stored(layout::kRpmKnock + 5), 60);

    typeAndEnter(field("EditKnockRpm7"), "6500");
    EXPECT_EQ(text(field("EditKnockRpm7")), "7050") << "raised to its left neighbour + 50";
    EXPECT_EQ(stored(layout::kRpmKnock + 7), 141);
}

TEST_F(KnockPageTest, StoredIndexWithoutItemShowsNoSelectionAndIsKept) {
    openForm();
    setImageByte(form(), layout::kKnockFrek + 3, 70);
    setImageByte(form(), layout::kTimeConst + 12, 32);
    clickTab(KnockPage::kIndex);
    EXPECT_EQ(list("ComboBoxKnockFrek3")->currentIndex(), -1);
    EXPECT_EQ(list("ComboBoxTimeConst12")->currentIndex(), -1);

    typeAndEnter(field("EditKnockAlarm3"), "3000");
    EXPECT_EQ(stored(layout::kAlarm + 3), 150);
    EXPECT_EQ(stored(layout::kKnockFrek + 3), 70);
    EXPECT_EQ(stored(layout::kTimeConst + 12), 32);
    EXPECT_EQ(list("ComboBoxKnockFrek3")->currentIndex(), -1);
}

} // namespace
} // namespace kordana::testing
