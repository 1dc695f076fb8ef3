// Against the simulated unit: Ctrl+M writes numbered markers into the log being recorded, and
// a replayed row keeps the map cursor while the unit goes on sending frames, until the replay
// indicator, Esc or closing the log window return to the live values.
#include "UnitWindowFixture.h"

#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"
#include "features/editing/EditingFeature.h"
#include "features/log/LogFeature.h"
#include "features/log/LogWindow.h"
#include "monitor/LogMarkers.h"
#include "monitor/MonitorLog.h"
#include "params/HeatScale.h"
#include "params/ImageLayout.h"
#include "settings/AtomicFile.h"
#include "shell/EventHub.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

namespace kordana {
namespace {

const QColor kLime(0, 255, 0);
const QColor kReplay(255, 0, 255);

class LogMarkerReplay : public testing::UnitWindowFixture {
protected:
    // Ticks until the window has decoded `count` more frames.
    void frames(TFormHlav& f, int count) {
        int decoded = 0;
        const auto connection =
            QObject::connect(&f.hub(), &EventHub::monitorFrameDecoded, &f, [&] { ++decoded; });
        for (int i = 0; i < 3000 && decoded < count; ++i) {
            f.Timer1Timer();
            awaitUnit(f);
        }
        QObject::disconnect(connection);
        EXPECT_EQ(decoded, count);
    }

    static QColor cellColour(TFormHlav& f, int r, int c) {
        return f.findChild<MapGrid*>()->cell(r, c)->palette().color(QPalette::Base);
    }
};

TEST_F(LogMarkerReplay, CtrlMWritesNumberedMarkersIntoTheRecording) {
    TFormHlav& f = startWithUnit();
    LogFeature& log = *f.feature<LogFeature>();
    log.setLogFolder(m_dir.path() + "/logs");
    EXPECT_FALSE(f.action("MenuLogMarker")->isEnabled()) << "nothing recorded: nothing to mark";
    EXPECT_FALSE(childNamed<QAbstractButton>(f, "SpeedButtonMarker")->isEnabled());
    f.action("MenuRecordLog")->trigger();
    ASSERT_TRUE(log.recordingLog());
    EXPECT_TRUE(childNamed<QAbstractButton>(f, "SpeedButtonMarker")->isEnabled());

    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QWidget* cell = f.findChild<MapGrid*>()->cell(0, 0)->edit();
    cell->setFocus();
    frames(f, 3);
    QTest::keyClick(cell, Qt::Key_M, Qt::ControlModifier);
    frames(f, 2);
    childNamed<QAbstractButton>(f, "SpeedButtonMarker")->click();
    EXPECT_EQ(childNamed<QStatusBar>(f, "StatusBar1")->currentMessage(), "Marker 2 set in the log");
    frames(f, 2);
    f.action("MenuRecordLog")->trigger();

    const MonitorLogRead read = readMonitorLogFile(log.recordedLogPath().toStdString());
    ASSERT_TRUE(read.log) << monitorLogErrorText(read.error, 0);
    ASSERT_EQ(read.log->rowCount(), 7u);
    // Each marker goes into the first row written after its key.
    EXPECT_EQ(markerRows(*read.log), (std::vector<LogMarker>{{3, 1}, {5, 2}}));
    EXPECT_EQ(read.log->columns.back(), "marker");
}

TEST_F(LogMarkerReplay, AReplayedRowKeepsTheCursorWhileTheUnitSends) {
    TFormHlav& f = startWithUnit();
    for (std::size_t c = 0; c < 15; ++c) {
        setImageByte(f, layout::mapRpm(0) + c, static_cast<std::uint8_t>(20 + 10 * c));
    }
    f.PageRefresh();
    frames(f, 2);
    // 1300 rpm, 4 %: row 2, column 1 of "Ign 1"; 2400 rpm, 100 %: row 9, column 3.
    const QString path = m_dir.path() + "/run.csv";
    ASSERT_TRUE(writeFileAtomically(path, "timestamp,elapsed_s,engine_speed_rpm,throttle_pct\n"
                                          "T0,0.0,1300,4\nT1,0.5,2400,100\n"));
    LogFeature& log = *f.feature<LogFeature>();
    ASSERT_TRUE(log.openMonitorLog(path));
    LogWindow& window = *log.logWindow();
    auto* indicator = childNamed<QLabel>(f, "LabelReplay");
    EXPECT_FALSE(indicator->isVisibleTo(&f)) << "opening a log leaves the cursor live";
    window.setCursorRow(0);
    EXPECT_TRUE(indicator->isVisibleTo(&f));

    frames(f, 5);
    EXPECT_EQ(cellColour(f, 2, 1), kReplay);
    EXPECT_EQ(f.feature<EditingFeature>()->operatingPoint().mapColumn, 1);
    EXPECT_EQ(f.feature<EditingFeature>()->operatingPoint().mapRow, 2);
    EXPECT_NE(f.hub().unitValues().engineSpeed, 1300) << "the unit's own values go on";

    // A click on the indicator: live again, the cursor follows the unit in lime.
    QTest::mouseClick(indicator, Qt::LeftButton);
    EXPECT_FALSE(indicator->isVisibleTo(&f));
    frames(f, 1);
    EXPECT_EQ(f.hub().liveValues(), f.hub().unitValues());
    EXPECT_NE(cellColour(f, 2, 1), kReplay);

    // Moving the time cursor replays again; Esc in the main window ends it.
    window.setCursorRow(1);
    frames(f, 3);
    EXPECT_EQ(cellColour(f, 9, 3), kReplay);
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_FALSE(f.hub().replaying());

    // Replay off: the time cursor moves without taking the map cursor.
    childNamed<QCheckBox>(window, "CheckBoxLogReplay")->setChecked(false);
    window.setCursorRow(0);
    EXPECT_FALSE(f.hub().replaying());
    childNamed<QCheckBox>(window, "CheckBoxLogReplay")->setChecked(true);
    EXPECT_TRUE(f.hub().replaying());
    window.close();
    EXPECT_FALSE(f.hub().replaying());
    EXPECT_FALSE(indicator->isVisibleTo(&f));
}

} // namespace
} // namespace kordana
