#include "editors/CommitBindings.h"
#include "editors/FieldPage.h"
#include "editors/PageDispatcher.h"
#include "editors/UpDownEdit.h"
#include "params/ImageLayout.h"
#include "session/EditSession.h"

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

// A page class as a fixed page is built: one control of every kind in a field table.
struct FixedPage {
    QWidget sheet;
    UpDownEdit* tps100 = new UpDownEdit(&sheet);
    UpDownEdit* retard = new UpDownEdit(&sheet);
    QCheckBox* actRpm = new QCheckBox(&sheet);
    QComboBox* bike = new QComboBox(&sheet);
    QButtonGroup* position = new QButtonGroup(&sheet);
    FieldPage page{12, &sheet};
    int changes = 0;

    FixedPage() {
        bike->addItems({"a", "b", "c", "d"});
        for (int i = 0; i < 3; ++i) {
            position->addButton(new QRadioButton(&sheet), i);
        }
        QObject::connect(bike, &QComboBox::currentIndexChanged, [this] { ++changes; });
        QObject::connect(actRpm, &QCheckBox::toggled, [this] { ++changes; });
        page.addFields({elementField(tps100, "TPS", 1), elementField(retard, "RETARD", 12),
                        elementField(actRpm, "ACT_RPM", 0), imageField(bike, layout::kBike),
                        elementField(position, "POSITION_A", 30)});
    }
};

// A session whose image already keeps every consistency rule, so a harvest changes only what
// the page's controls say.
EditSession repairedSession() {
    EditSession session;
    session.newDefaultSet();
    return session;
}

TEST(CommitFieldTable, RefreshShowsEveryConversionAndHarvestStoresItBack) {
    FixedPage fixed;
    EditSession session = repairedSession();
    ParameterImage& image = session.imageForLink();
    image[layout::kTps + 1] = 0;      // 2500 mV
    image[layout::kRetard + 12] = 95; // -5 degrees
    image[layout::kActRpm] = 0;       // shown checked
    image[layout::kBike] = 2;
    image[layout::kPositionARef] = 1;
    session.runConsistencyPass();
    fixed.page.refresh(session);
    EXPECT_EQ(fixed.tps100->text(), "2500");
    EXPECT_EQ(fixed.tps100->minimum(), 2500);
    EXPECT_EQ(fixed.tps100->increment(), 10);
    EXPECT_EQ(fixed.retard->text(), "-5");
    EXPECT_TRUE(fixed.actRpm->isChecked());
    EXPECT_EQ(fixed.bike->currentIndex(), 2);
    EXPECT_EQ(fixed.position->checkedId(), 1);
    EXPECT_EQ(fixed.changes, 0) << "a refresh runs no handler";

    fixed.tps100->setText("2505"); // truncated to 2500 mV: stored 0
    fixed.retard->setText("10");
    fixed.actRpm->setChecked(false);
    fixed.bike->setCurrentIndex(3);
    fixed.position->button(2)->setChecked(true);
    std::vector<ChangeSet> reported;
    session.setChangeListener([&](const ChangeSet& changes) { reported.push_back(changes); });
    fixed.page.harvest(session);
    EXPECT_EQ(session.image()[layout::kTps + 1], 0);
    EXPECT_EQ(session.image()[layout::kRetard + 12], 110);
    EXPECT_EQ(session.image()[layout::kActRpm], 1);
    EXPECT_EQ(session.image()[layout::kBike], 3);
    EXPECT_EQ(session.image()[layout::kPositionARef], 2);
    ASSERT_EQ(reported.size(), 1u) << "one harvest, one command";
    EXPECT_EQ(reported[0].bytes.count(), 4u) << "only the page's own bytes";
}

TEST(CommitFieldTable, ControlsClampStoredValuesOutsideTheirRange) {
    FixedPage fixed;
    EditSession session = repairedSession();
    session.imageForLink()[layout::kTps + 1] = 255;   // 5050 mV, above 4900
    session.imageForLink()[layout::kRetard + 12] = 0; // -100 degrees, below -20
    fixed.page.refresh(session);
    EXPECT_EQ(fixed.tps100->text(), "4900");
    EXPECT_EQ(fixed.retard->text(), "-20");
    fixed.page.harvest(session);
    EXPECT_EQ(session.image()[layout::kTps + 1], 240);
    EXPECT_EQ(session.image()[layout::kRetard + 12], 80);
}

TEST(CommitFieldTable, ListsAndRadioGroupsWithoutAnItemForTheByteShowNoSelectionAndKeepIt) {
    // A knock list of 64 items, a radio group of three and a check box on the same page; the
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
    auto* oil = new QCheckBox(&sheet);
    FieldPage page(11, &sheet);
    page.addFields({elementField(knockList, "KNOCK_FREK", 0),
                    elementField(position, "POSITION_A", 30), elementField(oil, "ACT_OIL", 0)});
    const struct {
        std::uint8_t knock;
        int knockShown; // -1: no selection
        std::uint8_t position;
        int positionShown;
    } rows[] = {
        {12, 12, 1, 1}, {70, -1, 5, -1}, {63, 63, 2, 2},
        {64, -1, 0, 0}, {0, 0, 3, -1},   {255, -1, 255, -1},
    };
    EditSession session = repairedSession();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.knock);
        session.imageForLink()[layout::kKnockFrek] = row.knock;
        session.imageForLink()[layout::kPositionARef] = row.position;
        session.imageForLink()[layout::kActOil] = 0;
        page.refresh(session);
        EXPECT_EQ(knockList->currentIndex(), row.knockShown);
        EXPECT_EQ(position->checkedId(), row.positionShown);
        int checked = 0;
        for (QAbstractButton* button : position->buttons()) {
            checked += button->isChecked() ? 1 : 0;
        }
        EXPECT_EQ(checked, row.positionShown < 0 ? 0 : 1);

        oil->setChecked(true); // an edit of another field on the page
        page.harvest(session);
        EXPECT_EQ(session.image()[layout::kActOil], 1);
        EXPECT_EQ(session.image()[layout::kKnockFrek], row.knock);
        EXPECT_EQ(session.image()[layout::kPositionARef], row.position);
    }
}

TEST(CommitFieldTable, DispatcherReachesPagesOnlyByTheirIndex) {
    PageDispatcher pages;
    auto fixed = std::make_unique<FixedPage>();
    EditorPage* page = &fixed->page;
    QComboBox* bike = fixed->bike;
    // The dispatcher owns its pages; this one lives in the fixture object.
    struct Forward final : EditorPage {
        EditorPage& target;
        explicit Forward(EditorPage& t) : target(t) {}
        QWidget* sheet() const override { return target.sheet(); }
        void refresh(const EditSession& s) override { target.refresh(s); }
        void harvest(EditSession& s) override { target.harvest(s); }
    };
    pages.setPage(12, std::make_unique<Forward>(*page));
    pages.setPage(14, std::make_unique<Forward>(*page)); // out of range: ignored
    EXPECT_EQ(pages.page(10), nullptr);
    EXPECT_EQ(pages.page(14), nullptr);
    EditSession session = repairedSession();
    pages.refresh(12, session);
    EXPECT_EQ(bike->currentIndex(), 0);
    bike->setCurrentIndex(2);
    pages.harvest(11, session); // no page there: nothing is stored
    EXPECT_EQ(session.image()[layout::kBike], 0);
    pages.harvest(12, session);
    EXPECT_EQ(session.image()[layout::kBike], 2);
    pages.harvest(-1, session);
    pages.refresh(99, session);
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
