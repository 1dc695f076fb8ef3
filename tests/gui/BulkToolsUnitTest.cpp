// F5 with programming after change against the simulated unit on a real pseudo-terminal: the
// stepped cell reaches the unit's memory.
#include "UnitWindowFixture.h"

#include "features/editing/EditingFeature.h"
#include "features/unit/UnitFeature.h"
#include "link/LinkProtocol.h"
#include "monitor/MonitorFrame.h"
#include "params/ImageLayout.h"
#include "tools/unit-sim/UnitSimProcess.h"

#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace kordana {
namespace {

using BulkToolsUnit = testing::UnitWindowFixture;

TEST_F(BulkToolsUnit, F5ProgramsTheSteppedCellIntoTheUnit) {
    TFormHlav& form = startWithUnit();
    ASSERT_TRUE(messages.empty());
    childNamed<QTabWidget>(form, "PageControl1")->setCurrentIndex(0);
    setImageByte(form, layout::kMode, 0); // ignition Separate
    for (std::size_t c = 0; c < 15; ++c) {
        setImageByte(form, layout::mapRpm(0) + c, static_cast<std::uint8_t>(20 + 10 * c));
    }
    const std::size_t target = layout::mapCell(0, 4, 3); // 20 %, 2500 rpm
    setImageByte(form, target, 30);
    form.PageRefresh();

    // A fixed operating point: one frame, marked without ticking the link.
    MonitorFrame frame{};
    frame.command = 0xB0;
    frame.engineSpeed = 2500;
    frame.throttleOpening = 20;
    frame.coolantByte = 180;
    frame.airByte = 125;
    frame.version = 51;
    form.ShowMonitorFrame(encodeMonitorFrame(frame));
    form.MarkOperatingPoint();
    ASSERT_EQ(form.feature<EditingFeature>()->operatingPoint().mapRow, 4);
    ASSERT_EQ(form.feature<EditingFeature>()->operatingPoint().mapColumn, 3);

    childNamed<QCheckBox>(form, "CheckBoxProgHned")->setChecked(true);
    ParameterImage expected = form.session().image();
    expected[target] = 31;
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F5);
    EXPECT_EQ(form.session().image().bytes, expected.bytes) << "exactly the marked cell";
    EXPECT_EQ(form.feature<UnitFeature>()->programmingAfterChangeStarts(), 1);
    EXPECT_EQ(form.feature<UnitFeature>()->link().mode(), LinkMode::Program);
    runToIdle(form);
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->text(), "Program device: OK");

    // Read back: the unit's memory holds the stepped value.
    setImageByte(form, target, 0);
    form.action("MenuRead")->trigger();
    runToIdle(form);
    EXPECT_EQ(form.session().image()[target], 31);
}

} // namespace
} // namespace kordana
