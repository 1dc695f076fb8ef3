// The operating-point cursor on the position, servo, knock, various and corrections pages. The
// expected points are worked out by hand from the default set: breakpoints 1000, 2000, 3000,
// 4000, 6000, 6500, ... 9000 rpm (20, 40, 60, 80, 120, 130, ..., 180 stored), knock points
// 6000, 7000, 8000, 8250, 8700 rpm (120, 140, 160, 165, 174), pressures 40, 60, 80, 100, 120,
// ... 200, 210 kPa, retard temperatures 20, 30, ... 110 degC and post-start times 5, 10, 15,
// 18 s.
#include "FormFixture.h"

#include "editors/UpDownEdit.h"
#include "features/editing/EditingFeature.h"
#include "monitor/MonitorFrame.h"
#include "params/ImageLayout.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <set>

namespace kordana {
namespace {

const QColor kLime(0, 255, 0);

struct Engine {
    std::uint16_t rpm = 0;
    std::uint16_t pressure = 0; ///< 0.1 kPa
    std::uint8_t coolantByte = 180;
    std::uint8_t airByte = 125;
    std::uint16_t timeSinceStart = 0;
};

class CursorPages : public testing::FormFixture {
protected:
    TFormHlav& form() {
        if (!m_form) {
            TFormHlav& f = createForm();
            childNamed<QTimer>(f, "Timer1")->stop();
        }
        return *m_form;
    }
    void showPage(int index) {
        childNamed<QTabWidget>(form(), "PageControl1")->setCurrentIndex(index);
    }
    QWidget* sheet(int index) {
        return childNamed<QTabWidget>(form(), "PageControl1")->widget(index);
    }
    /// One monitor frame with these values, then one tick.
    void engineAt(const Engine& engine) {
        MonitorFrame frame{};
        frame.command = 0xB0;
        frame.engineSpeed = engine.rpm;
        frame.pressure = engine.pressure;
        frame.coolantByte = engine.coolantByte;
        frame.airByte = engine.airByte;
        frame.timeSinceStart = engine.timeSinceStart;
        frame.version = 51;
        form().ShowMonitorFrame(encodeMonitorFrame(frame));
        form().Timer1Timer();
    }
    void engineAt(std::uint16_t rpm) { engineAt(Engine{.rpm = rpm}); }

    /// The fields and labels under `root` shown lime.
    static std::set<QWidget*> limeWidgets(QWidget* root) {
        std::set<QWidget*> lime;
        const auto collect = [&lime](const auto& widgets) {
            for (QWidget* w : widgets) {
                const QPalette& p = w->palette();
                if (p.color(QPalette::Base) == kLime || p.color(QPalette::Window) == kLime ||
                    p.color(QPalette::Button) == kLime) {
                    lime.insert(w);
                }
            }
        };
        collect(root->findChildren<UpDownEdit*>());
        collect(root->findChildren<QLabel*>());
        collect(root->findChildren<QComboBox*>());
        return lime;
    }
    /// The speed field (row 0) or value field (row 1) of point `i` of a curve group.
    QWidget* curveField(const char* group, int row, int i) {
        return childNamed<QGroupBox>(form(), group)->findChildren<UpDownEdit*>().at(15 * row + i);
    }
    std::set<QWidget*> curvePoint(const char* group, int i) {
        return {curveField(group, 0, i), curveField(group, 1, i)};
    }
    std::set<QWidget*> named(std::initializer_list<QString> names) {
        std::set<QWidget*> widgets;
        for (const QString& name : names) {
            QWidget* w = form().findChild<QWidget*>(name);
            EXPECT_NE(w, nullptr) << name.toStdString();
            widgets.insert(w);
        }
        return widgets;
    }
};

std::set<QWidget*> operator+(std::set<QWidget*> a, const std::set<QWidget*>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

TEST_F(CursorPages, ServoAndPositionPointsAreTheNearestBreakpoints) {
    // Curve B gets breakpoints 1000, 1500, ... 8000 rpm (20 + 10 i) to tell the curves apart.
    for (std::size_t i = 0; i < 15; ++i) {
        setImageByte(form(), layout::kPositionB + i, static_cast<std::uint8_t>(20 + 10 * i));
    }
    const struct {
        std::uint16_t rpm;
        int servoAndA; // servo curve and curve A share the default breakpoints
        int b;
    } cases[] = {
        {0, 0, 0},       // below the first breakpoint: the first point
        {1500, 0, 1},    // R 30, half-way between 20 and 40: the lower; B on its 30
        {1550, 1, 1},    // R 31: 20 + 40 < 62
        {5000, 3, 8},    // R 100, half-way between 80 and 120: the lower; B exactly on 100
        {7300, 7, 13},   // R 146: 145 + 150 >= 292; B: 140 + 150 < 292
        {9000, 14, 14},  // the last breakpoint
        {13000, 14, 14}, // R 260 stays past the last breakpoint
        {12800, 14, 14}, // R 256 likewise
        {1200, 0, 0},    // back down: 20 + 40 >= 48; B: 20 + 30 >= 48
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rpm);
        showPage(10);
        engineAt(c.rpm);
        EXPECT_EQ(limeWidgets(sheet(10)), curvePoint("GroupBoxServo", c.servoAndA));
        EXPECT_EQ(form().feature<EditingFeature>()->operatingPoint().servoPoint, c.servoAndA);

        showPage(9);
        engineAt(c.rpm);
        EXPECT_EQ(limeWidgets(sheet(9)),
                  curvePoint("GroupBoxPolohaA", c.servoAndA) + curvePoint("GroupBoxPolohaB", c.b));
        EXPECT_EQ(form().feature<EditingFeature>()->operatingPoint().positionAPoint, c.servoAndA);
        EXPECT_EQ(form().feature<EditingFeature>()->operatingPoint().positionBPoint, c.b);
    }
}

TEST_F(CursorPages, KnockMarksAllSevenControlsOfEachCylindersPoint) {
    // Cylinder 2 gets the points 1000, 1500, 2000, 2500, 3000 rpm (20, 30, 40, 50, 60).
    for (std::size_t i = 0; i < 5; ++i) {
        setImageByte(form(), layout::kRpmKnock + 5 + i, static_cast<std::uint8_t>(20 + 10 * i));
    }
    showPage(11);
    const auto point = [this](int cylinder, int k) {
        const int i = 5 * cylinder + k;
        std::set<QWidget*> controls;
        for (const char* name :
             {"EditKnockRpm", "ComboBoxKnockFrek", "ComboBoxLevel", "ComboBoxTimeConst",
              "EditKnockStart", "EditKnockEnd", "EditKnockAlarm"}) {
            controls = controls + named({QString("%1%2").arg(name).arg(i)});
        }
        return controls;
    };
    const struct {
        std::uint16_t rpm;
        int cylinders13; // cylinders 1 and 3 keep the default points
        int cylinder2;
    } cases[] = {
        {0, 0, 0},     {1250, 0, 1}, // R 25: 20 + 30 <= 50, half-way takes the higher
        {6450, 0, 4},                // R 129: 120 + 140 > 258
        {6500, 1, 4},                // R 130: 120 + 140 <= 260, half-way takes the higher
        {8150, 3, 4},                // R 163: 160 + 165 <= 326 < 165 + 174
        {13000, 4, 4},               // R 260
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rpm);
        engineAt(c.rpm);
        EXPECT_EQ(limeWidgets(sheet(11)),
                  point(0, c.cylinders13) + point(1, c.cylinder2) + point(2, c.cylinders13));
    }
}

TEST_F(CursorPages, CorrectionRowsFollowPressureTemperaturesAndTimeSinceStart) {
    showPage(13);
    const struct {
        Engine engine;
        int pressureRow;
        int coolantRow; // -1: none
        int airRow;     // -1: none
        int retardRow;  // follows the inlet air
        int postStart;
    } cases[] = {
        // 90.0 kPa half-way between 80 and 100: the lower; 94 degC: the 80 degC row; air 25 degC:
        // row 20 degC, retard half-way between 20 and 30 degC: the higher.
        {{.rpm = 3000, .pressure = 900, .coolantByte = 194, .airByte = 125}, 2, 3, 1, 1, 0},
        // 90.1 kPa; 95 degC: the 110 degC row; air 24 degC; 2.6 s is nearer 5 s than 0.
        {{.pressure = 901, .coolantByte = 195, .airByte = 124, .timeSinceStart = 26},
         3,
         4,
         1,
         0,
         1},
        // 100.0 kPa exactly on a point; 125 degC marks no coolant or air row; retard past 110 degC;
        // 7.5 s half-way between 5 and 10 s: the higher.
        {{.pressure = 1000, .coolantByte = 225, .airByte = 225, .timeSinceStart = 75},
         3,
         -1,
         -1,
         9,
         2},
        // A failed coolant sensor reads as 80 degC; the inlet air byte 0 (-100 degC) stays 0.
        {{.pressure = 0, .coolantByte = 0, .airByte = 0, .timeSinceStart = 164}, 0, 3, 0, 0, 3},
        // Past the last pressure; 16.5 s half-way between 15 and 18 s: the higher, time 18 s.
        {{.pressure = 2500, .coolantByte = 180, .airByte = 104, .timeSinceStart = 165},
         9,
         3,
         0,
         0,
         4},
    };
    const QString postStartTime[] = {"LabelSyticCas0", "EditSyticCas1", "EditSyticCas2",
                                     "EditSyticCas3", "EditSyticCas4"};
    const QString postStartCorrection[] = {"EditSyticKorekce0", "EditSyticKorekce1",
                                           "EditSyticKorekce2", "EditSyticKorekce3",
                                           "LabelSyticKorekce4"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.engine.pressure);
        engineAt(c.engine);
        std::set<QWidget*> expected =
            named({QString("EditTlak%1").arg(c.pressureRow),
                   QString("EditTlakKorekce%1").arg(c.pressureRow),
                   QString("EditRetardTeplota%1").arg(c.retardRow),
                   QString("EditRetard%1").arg(c.retardRow), postStartTime[c.postStart],
                   postStartCorrection[c.postStart]});
        if (c.coolantRow >= 0) {
            expected = expected + named({QString("EditVoda%1").arg(c.coolantRow)});
        }
        if (c.airRow >= 0) {
            expected = expected + named({QString("EditVzduch%1").arg(c.airRow)});
        }
        EXPECT_EQ(limeWidgets(sheet(13)), expected);
    }
}

TEST_F(CursorPages, VariousPageShowsNoLimeAndAPageComingBackIsMarkedAfresh) {
    showPage(10);
    engineAt(1550);
    EXPECT_EQ(limeWidgets(sheet(10)), curvePoint("GroupBoxServo", 1));

    showPage(12);
    engineAt(Engine{.rpm = 7300, .pressure = 1000, .coolantByte = 194, .airByte = 125});
    EXPECT_TRUE(limeWidgets(sheet(12)).empty());
    // An inactive page keeps its colours until it is shown again.
    EXPECT_EQ(limeWidgets(sheet(10)), curvePoint("GroupBoxServo", 1));
    EXPECT_EQ(form().feature<EditingFeature>()->operatingPoint().servoPoint, 1);

    showPage(10);
    engineAt(7300);
    EXPECT_EQ(limeWidgets(sheet(10)), curvePoint("GroupBoxServo", 7));
}

} // namespace
} // namespace kordana
