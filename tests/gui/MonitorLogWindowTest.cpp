// Log > Record monitor log against the simulated unit, and Log > Open log... with its replay of
// the operating point on the map page.
#include "UnitWindowFixture.h"

#include "editors/MapGrid.h"
#include "editors/UpDownEdit.h"
#include "features/editing/EditingFeature.h"
#include "features/language/LanguageFeature.h"
#include "features/log/LogFeature.h"
#include "features/log/LogWindow.h"
#include "monitor/MonitorCsv.h"
#include "monitor/MonitorLog.h"
#include "params/ImageLayout.h"

#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <QSlider>
#include <QStatusBar>
#include <QTest>

namespace kordana {
namespace {

LogFeature& logOf(TFormHlav& form) {
    return *form.feature<LogFeature>();
}

const QColor kLime(0, 255, 0);
const QColor kReplayColour(255, 0, 255); // the cursor while it shows a log's row

// What the window showed of one frame, read from its live values and monitor labels.
struct Shown {
    int rpm;
    int throttle;
    int timeSinceStart;
    int pressure;
    int lambdaMv;
    int jet1a;
};

class MonitorLogWindow : public testing::UnitWindowFixture {
protected:
    static bool cellMarked(TFormHlav& f, int r, int c, const QColor& colour = kLime) {
        return f.findChild<MapGrid*>()->cell(r, c)->palette().color(QPalette::Base) == colour;
    }

    // Ticks until the window has shown `count` frames. The simulated unit sweeps the speed by
    // about 8 rpm in the 20 ms between two frames here, so every frame shows a new speed.
    std::vector<Shown> framesShown(TFormHlav& f, std::size_t count) {
        static const QRegularExpression jet("^INJ. TIME 1A= (\\d+) us$");
        std::vector<Shown> shown;
        int last = f.liveValues().engineSpeed;
        for (int i = 0; i < 3000 && shown.size() < count; ++i) {
            f.Timer1Timer();
            const MonitorLiveValues& live = f.liveValues();
            if (live.engineSpeed != last) {
                last = live.engineSpeed;
                const auto match = jet.match(childNamed<QLabel>(f, "LabelMon_Jet1A")->text());
                shown.push_back({live.engineSpeed, live.throttleOpening, live.timeSinceStart,
                                 live.pressure, live.lambdaMv, match.captured(1).toInt()});
            }
            awaitUnit(f);
        }
        EXPECT_EQ(shown.size(), count);
        return shown;
    }

    QString writeLog(const std::string& rows) {
        const QString path = m_dir.path() + "/pull.csv";
        EXPECT_TRUE(writeFileAtomically(path, monitorLogHeader() + "\n" + rows));
        return path;
    }

    // A log row with the given time, speed and throttle, every other value 0.
    static std::string logRow(const char* elapsed, int rpm, int throttle) {
        MonitorFrame frame;
        frame.engineSpeed = static_cast<std::uint16_t>(rpm);
        frame.throttleOpening = static_cast<std::uint8_t>(throttle);
        frame.coolantByte = 180;
        std::string row = monitorLogRow("2026-12-08T14:03:11.000Z", 0, frame);
        row.replace(row.find(",0.000,"), 7, std::string(",") + elapsed + ",");
        return row + "\n";
    }
};

TEST_F(MonitorLogWindow, RecordsOneRowPerFrameUntilTheSecondCtrlR) {
    TFormHlav& f = startWithUnit();
    logOf(f).setLogFolder(m_dir.path() + "/logs");
    // Typed in a map cell, Ctrl+R still reaches the window (shortcuts need it active).
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QWidget* cell = f.findChild<MapGrid*>()->cell(0, 0)->edit();
    cell->setFocus();
    QTest::keyClick(cell, Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(logOf(f).recordingLog());
    EXPECT_TRUE(f.action("MenuRecordLog")->isChecked());
    auto* indicator = childNamed<QLabel>(f, "LabelRecording");
    EXPECT_TRUE(indicator->isVisibleTo(&f));
    EXPECT_TRUE(QRegularExpression("^REC 00:0\\d$").match(indicator->text()).hasMatch())
        << indicator->text().toStdString();

    const std::vector<Shown> shown = framesShown(f, 4);
    QTest::keyClick(cell, Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(logOf(f).recordingLog());
    EXPECT_FALSE(f.action("MenuRecordLog")->isChecked());
    EXPECT_FALSE(indicator->isVisibleTo(&f));
    framesShown(f, 1); // after the stop: no row

    const QString path = logOf(f).recordedLogPath();
    EXPECT_TRUE(QRegularExpression("/logs/\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d\\.csv$")
                    .match(path)
                    .hasMatch())
        << path.toStdString();
    const MonitorLogRead read = readMonitorLogFile(path.toStdString());
    ASSERT_TRUE(read.log) << monitorLogErrorText(read.error, 0);
    const MonitorLog& log = *read.log;
    ASSERT_EQ(log.rowCount(), shown.size());
    auto value = [&](const char* column, std::size_t r) {
        return log.values[*log.column(column)][r];
    };
    for (std::size_t r = 0; r < shown.size(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(value("engine_speed_rpm", r), shown[r].rpm);
        EXPECT_EQ(value("throttle_pct", r), shown[r].throttle);
        EXPECT_NEAR(value("time_since_start_s", r) * 10, shown[r].timeSinceStart, 1e-9);
        EXPECT_NEAR(value("pressure_kpa", r) * 10, shown[r].pressure, 1e-9);
        EXPECT_EQ(value("lambda_mv", r), shown[r].lambdaMv);
        EXPECT_EQ(value("inj_1a_us", r), shown[r].jet1a);
        EXPECT_EQ(value("unit_version", r), 51);
    }
}

TEST_F(MonitorLogWindow, AFailedWriteStopsTheRecordingAndSaysWhy) {
    TFormHlav& f = startWithUnit();
    f.feature<LogFeature>()->setLogFolder(m_dir.path() + "/logs");
    f.action("MenuRecordLog")->trigger();
    ASSERT_TRUE(f.feature<LogFeature>()->recordingLog());
    fileWriteFault::failStep(3); // two rows go in, the third write fails
    framesShown(f, 4);
    fileWriteFault::failStep(0);
    EXPECT_FALSE(f.feature<LogFeature>()->recordingLog());
    EXPECT_FALSE(f.action("MenuRecordLog")->isChecked());
    EXPECT_FALSE(childNamed<QLabel>(f, "LabelRecording")->isVisibleTo(&f));
    const QString path = f.feature<LogFeature>()->recordedLogPath();
    EXPECT_EQ(childNamed<QStatusBar>(f, "StatusBar1")->currentMessage(),
              "Monitor log write error! " + path + ": No space left on device");
    const MonitorLogRead read = readMonitorLogFile(path.toStdString());
    ASSERT_TRUE(read.log) << monitorLogErrorText(read.error, 0);
    EXPECT_EQ(read.log->rowCount(), 2u) << "the rows before the failure stay whole";
}

TEST_F(MonitorLogWindow, AnotherPortStopsTheRecordingAndAFolderThatCannotBeWrittenNoneStarts) {
    TFormHlav& f = createForm();
    logOf(f).setLogFolder(m_dir.path() + "/logs");
    f.action("MenuRecordLog")->trigger();
    ASSERT_TRUE(logOf(f).recordingLog());
    f.action("MenuCom2")->trigger();
    EXPECT_FALSE(logOf(f).recordingLog());
    EXPECT_FALSE(childNamed<QLabel>(f, "LabelRecording")->isVisibleTo(&f));
    // The log keeps its header; the next recording is a file of its own.
    const MonitorLogRead read = readMonitorLogFile(logOf(f).recordedLogPath().toStdString());
    EXPECT_EQ(read.error.problem, MonitorLogProblem::NoRows);

    // A folder that cannot be made: nothing records, and the status bar says why.
    const QString blocked = m_dir.path() + "/pull.csv";
    ASSERT_TRUE(writeFileAtomically(blocked, "a file, not a folder"));
    logOf(f).setLogFolder(blocked + "/logs");
    f.action("MenuRecordLog")->trigger();
    EXPECT_FALSE(logOf(f).recordingLog());
    EXPECT_FALSE(f.action("MenuRecordLog")->isChecked());
    EXPECT_EQ(childNamed<QStatusBar>(f, "StatusBar1")->currentMessage(),
              "Monitor log write error! " + blocked + "/logs: Not a directory");
}

TEST_F(MonitorLogWindow, TheTimeCursorReplaysTheOperatingPoint) {
    TFormHlav& f = createForm();
    childNamed<QTimer>(f, "Timer1")->stop();
    // Breakpoints 1000, 1500, 2000, ... rpm on "Ign 1".
    for (std::size_t c = 0; c < 15; ++c) {
        setImageByte(f, layout::mapRpm(0) + c, static_cast<std::uint8_t>(20 + 10 * c));
    }
    f.PageRefresh();
    // 1300 rpm, 4 %: column 1, row 2 (5 %); 2400 rpm (R = 48, 40 + 50 < 96), 100 %: column 3,
    // row 9.
    const QString path =
        writeLog(logRow("0.000", 900, 0) + logRow("0.330", 1300, 4) + logRow("0.660", 2400, 100));
    logOf(f).setLogFolder(m_dir.path() + "/logs");
    QString dialogFolder;
    desktop().logDialog = [&](const QString& folder) {
        dialogFolder = folder;
        return path;
    };
    f.action("MenuOpenLog")->trigger();
    EXPECT_EQ(dialogFolder, m_dir.path() + "/logs");
    LogWindow* window = logOf(f).logWindow();
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->log()->rowCount(), 3u);

    window->setCursorRow(1);
    EXPECT_TRUE(cellMarked(f, 2, 1, kReplayColour));
    EXPECT_EQ(f.feature<EditingFeature>()->operatingPoint().mapColumn, 1);
    EXPECT_EQ(f.feature<EditingFeature>()->operatingPoint().mapRow, 2);
    f.Timer1Timer(); // no unit: the replayed point stays
    EXPECT_TRUE(cellMarked(f, 2, 1, kReplayColour));

    childNamed<QSlider>(*window, "SliderLogTime")->setValue(2);
    EXPECT_TRUE(cellMarked(f, 9, 3, kReplayColour));
    EXPECT_FALSE(cellMarked(f, 2, 1, kReplayColour));
    EXPECT_FALSE(cellMarked(f, 2, 1));
    EXPECT_EQ(window->valueText(0), "2400");
    EXPECT_EQ(window->valueText(1), "100");

    // Closing the log hands the cursor back to the unit's values (none yet: speed 0).
    window->close();
    EXPECT_FALSE(cellMarked(f, 9, 3));
    EXPECT_FALSE(cellMarked(f, 9, 3, kReplayColour));
    EXPECT_EQ(f.feature<EditingFeature>()->operatingPoint().mapColumn, 0);
}

TEST_F(MonitorLogWindow, ADamagedLogIsRefusedInTheWindowsLanguage) {
    TFormHlav& f = createForm();
    f.feature<LanguageFeature>()->MenuGermanClick();
    const QString path = writeLog(logRow("0.000", 900, 0) + "x,1.0,2,3\n");
    EXPECT_FALSE(logOf(f).openMonitorLog(path));
    auto* message = childNamed<QLabel>(*logOf(f).logWindow(), "LabelLogMessage");
    EXPECT_TRUE(message->isVisibleTo(logOf(f).logWindow()));
    EXPECT_EQ(message->text(), "Monitorprotokoll kann nicht geöffnet werden " + path +
                                   ": Zeile 3: 4 Werte statt 64");
    EXPECT_EQ(logOf(f).logWindow()->log(), nullptr);
    EXPECT_EQ(logOf(f).logWindow()->windowTitle(), "Monitorprotokoll");
}

TEST_F(MonitorLogWindow, AnHourIsPlottedThinnedAndAZoomShowsEveryRow) {
    TFormHlav& f = createForm();
    std::string rows;
    for (int r = 0; r < 11000; ++r) {
        const std::string elapsed =
            std::to_string(r * 330 / 1000) + "." + std::to_string(1000 + r * 330 % 1000).substr(1);
        rows += logRow(elapsed.c_str(), 800 + (r * 37) % 8200, r % 101);
    }
    ASSERT_TRUE(logOf(f).openMonitorLog(writeLog(rows)));
    LogWindow* window = logOf(f).logWindow();
    EXPECT_LT(window->plottedPoints(0), 5000);
    EXPECT_GT(window->plottedPoints(0), 400);
    // 33.0 s .. 66.0 s: rows 100 .. 200 and the next one, so the line runs to the edge.
    window->setTimeRange(33.0, 66.0);
    EXPECT_EQ(window->plottedPoints(0), 102);
    EXPECT_EQ(window->plottedPoints(6), 0); // injection time 1A is not plotted
}

} // namespace
} // namespace kordana
