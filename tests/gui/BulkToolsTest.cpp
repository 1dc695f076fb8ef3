// The bulk tools in the window: Tools > Minus / Plus by page, the "-" / "+" buttons, held keys,
// and the throttle calibration buttons, driven by real key and mouse events.
#include "MapFixture.h"

#include "editors/CurveRows.h"
#include "editors/PolohaPage.h"
#include "editors/ServoPage.h"
#include "features/editing/EditingFeature.h"
#include "monitor/MonitorFrame.h"
#include "monitor/OperatingPoint.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

namespace kordana {
namespace {

class BulkTools : public testing::MapFixture {
protected:
    TFormHlav& open(std::uint8_t ignitionMode = 0, std::uint8_t injectionMode = 0) {
        TFormHlav& f = openForm(ignitionMode, injectionMode);
        childNamed<QTimer>(f, "Timer1")->stop(); // the test ticks by hand
        // Breakpoints 1000, 1500, 2000, ... rpm on every map page.
        for (std::size_t page = 0; page < kMapPageCount; ++page) {
            for (std::size_t c = 0; c < 15; ++c) {
                setImageByte(f, layout::mapRpm(page) + c, static_cast<std::uint8_t>(20 + 10 * c));
            }
        }
        f.PageRefresh();
        return f;
    }
    /// One intact monitor frame, then one tick: the cursor follows on the active page.
    void engineAt(std::uint16_t rpm, std::uint8_t throttle, std::uint16_t throttleRaw = 0) {
        MonitorFrame frame{};
        frame.command = 0xB0;
        frame.engineSpeed = rpm;
        frame.throttleOpening = throttle;
        frame.throttleRaw = throttleRaw;
        frame.coolantByte = 180;
        frame.airByte = 125;
        frame.version = 51;
        const Frame bytes = encodeMonitorFrame(frame);
        form().ShowMonitorFrame(bytes);
        form().Timer1Timer();
    }
    void showPage(int index) {
        childNamed<QTabWidget>(form(), "PageControl1")->setCurrentIndex(index);
    }
    void press(Qt::Key key) { QTest::keyClick(&form(), key); }
    /// Point `i` of the value row (angles, voltages) of a curve group: its fields are created
    /// along the speed row, then along the value row.
    UpDownEdit* curveValue(const char* group, int i) {
        const auto fields = form().findChild<QWidget*>(group)->findChildren<UpDownEdit*>(
            Qt::FindDirectChildrenOnly);
        return fields.at(CurveRows::kPoints + i);
    }
    UpDownEdit* field(const char* name) { return form().findChild<UpDownEdit*>(name); }
};

TEST_F(BulkTools, WithoutLiveDataOnlyTheServoToolActs) {
    TFormHlav& f = open();
    setImageByte(f, layout::kVoltServo, 50); // 1000 mV
    const struct {
        const char* name;
        int page;
        bool changes; // VOLT_SERVO[0] up by one stored step, nothing else
    } cases[] = {{"Ign 1 without All", 0, false},      {"Jet 2B without All", 7, false},
                 {"Knock", kPageKnock, false},         {"Various", kPageRuzne, false},
                 {"Corrections", kPageKorekce, false}, {"Servo without All", kPageServo, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        showPage(c.page);
        const ParameterImage before = f.session().image();
        press(Qt::Key_F5);
        ParameterImage expected = before;
        if (c.changes) {
            expected[layout::kVoltServo] = 51;
        }
        EXPECT_EQ(f.session().image().bytes, expected.bytes);
    }
    EXPECT_EQ(text(curveValue("GroupBoxServo", 0)), "1020");
}

TEST_F(BulkTools, HeldKeyStepsTheMarkedCellOncePerRepeat) {
    TFormHlav& f = open(1, 0); // ignition Coupled
    engineAt(1300, 3);         // column 1 (1500 rpm), row 1 (2 %)
    setImageByte(f, layout::mapCell(0, 1, 1), 20);
    setImageByte(f, layout::mapCell(1, 1, 1), 30);
    setImageByte(f, layout::mapCell(2, 1, 1), 40);
    f.PageRefresh();

    // F5 held: the press and two auto-repeats, then the release.
    QWindow* window = f.windowHandle();
    QTest::simulateEvent(window, true, Qt::Key_F5, {}, {}, false);
    QTest::simulateEvent(window, true, Qt::Key_F5, {}, {}, true);
    QTest::simulateEvent(window, true, Qt::Key_F5, {}, {}, true);
    QTest::simulateEvent(window, false, Qt::Key_F5, {}, {}, false);
    EXPECT_EQ(storedCell(0, 1, 1), 23);
    EXPECT_EQ(storedCell(1, 1, 1), 33) << "Coupled: the siblings step along";
    EXPECT_EQ(storedCell(2, 1, 1), 43);
    EXPECT_EQ(text(cell(1, 1)), "23");

    // "-" on the locked sibling "Ign 2" steps only "Ign 2".
    clickTab(1);
    engineAt(1300, 3);
    const ParameterImage before = f.session().image();
    press(Qt::Key_F4);
    ParameterImage expected = before;
    expected[layout::mapCell(1, 1, 1)] = 32;
    EXPECT_EQ(f.session().image().bytes, expected.bytes);

    for (QPushButton* button : {grid().minusButton(), grid().plusButton()}) {
        EXPECT_TRUE(button->autoRepeat());
    }
    for (const char* name : {"ButtonMinus_PolohaA", "ButtonPlus_PolohaB", "ButtonPlus_Servo"}) {
        EXPECT_TRUE(childNamed<QPushButton>(f, name)->autoRepeat()) << name;
    }
}

TEST_F(BulkTools, PositionToolsHarvestFirstAndStepTheirMarkedPoints) {
    TFormHlav& f = open();
    for (std::size_t i = 0; i < 15; ++i) {
        for (std::size_t curve : {layout::kPositionA, layout::kPositionB}) {
            setImageByte(f, curve + i, static_cast<std::uint8_t>(20 + 10 * i)); // 1000 rpm on
            setImageByte(f, curve + 15 + i, 72);                                // 360 degrees
        }
    }
    showPage(kPagePoloha);
    engineAt(2000, 0); // point 2 on both curves
    ASSERT_EQ(f.feature<EditingFeature>()->operatingPoint().positionAPoint, 2);

    // Typed and not committed: the "+" of curve A takes it over first.
    typeInto(curveValue("GroupBoxPolohaA", 2), "400");
    QTest::mouseClick(childNamed<QPushButton>(f, "ButtonPlus_PolohaA"), Qt::LeftButton);
    EXPECT_EQ(f.session().image()[layout::kPositionA + 17], 81); // 405 degrees
    EXPECT_EQ(f.session().image()[layout::kPositionB + 17], 72);
    EXPECT_EQ(text(curveValue("GroupBoxPolohaA", 2)), "405");

    // Tools > Minus on the page: curve A, then curve B; B's All box steps every point of B.
    childNamed<QCheckBox>(f, "CheckBoxAll_PolohaB")->setChecked(true);
    press(Qt::Key_F4);
    EXPECT_EQ(f.session().image()[layout::kPositionA + 17], 80);
    EXPECT_EQ(f.session().image()[layout::kPositionA + 16], 72);
    for (std::size_t i = 0; i < 15; ++i) {
        EXPECT_EQ(f.session().image()[layout::kPositionB + 15 + i], 71) << i;
    }
}

TEST_F(BulkTools, ThrottleButtonsTakeTheLiveVoltageInsideTheirWindows) {
    TFormHlav& f = open();
    setImageByte(f, layout::kTps, 40);      // 400 mV
    setImageByte(f, layout::kTps + 1, 200); // 4500 mV
    showPage(kPageRuzne);
    auto click = [&f](const char* name) {
        QTest::mouseClick(childNamed<QPushButton>(f, name), Qt::LeftButton);
    };

    engineAt(0, 50, 512); // 512 x 5000 / 1023 = 2502 mV
    click("ButtonTps0");  // above 2500 mV: nothing
    EXPECT_EQ(f.session().image()[layout::kTps], 40);
    click("ButtonTps100"); // 250 + 6 = 256, stored modulo 256
    EXPECT_EQ(f.session().image()[layout::kTps + 1], 0);
    EXPECT_EQ(text(field("EditTps100")), "2500");

    engineAt(0, 0, 100);   // 488 mV
    click("ButtonTps100"); // below 2500 mV: nothing
    EXPECT_EQ(f.session().image()[layout::kTps + 1], 0);
    click("ButtonTps0");
    EXPECT_EQ(f.session().image()[layout::kTps], 48);
    EXPECT_EQ(text(field("EditTps0")), "480");
    EXPECT_EQ(text(field("EditTps100")), "2500");
}

} // namespace
} // namespace kordana
