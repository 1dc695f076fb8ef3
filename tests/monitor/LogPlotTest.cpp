// The log window's arithmetic without a display: value axes, thinning, the columns' groups and
// colours, the pane layout, markers, the alignment of two runs, a growing log and the set's
// alarm and limiter lines.
#include "monitor/LogPlot.h"
#include "monitor/LogColumns.h"
#include "monitor/LogRuns.h"
#include "params/ImageLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

namespace kordana {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct ScaleCase {
    double low;
    double high;
    int maxTicks;
    double wantLow;
    double wantHigh;
    double wantStep;
};

TEST(LogPlot, AxesTickAtRoundValuesFromWhereTheDataStarts) {
    const ScaleCase cases[] = {
        {0, 7000, 8, 0, 7000, 1000},      // engine speed: no negative rpm
        {0, 7000, 6, 0, 8000, 2000},      // fewer ticks: the next round step
        {20.2, 40.4, 6, 20, 45, 5},       // 20, 25 .. 45, never 20.2 or 40.4
        {3000, 3000, 6, 2500, 3500, 500}, // a constant in the middle of its pane
        {0, 0, 6, -1, 1, 1},              // a constant 0 too
        {0.3, 0.9, 6, 0.2, 1.0, 0.2},
        {-3.7, 12.1, 6, -5, 15, 5},
        {912, 8990, 6, 0, 10000, 2000},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << ".." << c.high);
        const AxisScale scale = niceScale(c.low, c.high, c.maxTicks);
        EXPECT_DOUBLE_EQ(scale.low, c.wantLow);
        EXPECT_DOUBLE_EQ(scale.high, c.wantHigh);
        EXPECT_DOUBLE_EQ(scale.step, c.wantStep);
        ASSERT_FALSE(scale.ticks.empty());
        EXPECT_DOUBLE_EQ(scale.ticks.front(), c.wantLow);
        EXPECT_DOUBLE_EQ(scale.ticks.back(), c.wantHigh);
        EXPECT_EQ(scale.ticks.size(),
                  static_cast<std::size_t>(std::lround((c.wantHigh - c.wantLow) / c.wantStep)) + 1);
    }
    EXPECT_EQ(niceScale(0.3, 0.9, 6).ticks, (std::vector<double>{0.2, 0.4, 0.6, 0.8, 1.0}));
    EXPECT_EQ(niceScale(20.2, 40.4, 6).ticks, (std::vector<double>{20, 25, 30, 35, 40, 45}));
}

TEST(LogPlot, StepsAreOneTwoOrFiveTimesAPowerOfTen) {
    const std::pair<double, double> cases[] = {
        {1400, 2000}, {1000, 1000}, {0.1, 0.1}, {0.3 / 3, 0.1}, {7, 10}, {0.049, 0.05}, {2.01, 5}};
    for (const auto& [raw, step] : cases) {
        EXPECT_DOUBLE_EQ(roundStep(raw), step) << raw;
    }
}

TEST(LogPlot, ThinningKeepsEachBucketsExtremesInTheirOrder) {
    const std::vector<double> few{1, kNaN, 3, 4};
    EXPECT_EQ(plottedRows(few, 0, 3, 10), (std::vector<std::size_t>{0, 2, 3}));
    EXPECT_EQ(plottedRows(few, 2, 3, 10), (std::vector<std::size_t>{2, 3}));
    // Two buckets of four rows: 5 1 9 2 gives its low (row 1) and high (row 2); 3 3 3 3 one row.
    const std::vector<double> many{5, 1, 9, 2, 3, 3, 3, 3};
    EXPECT_EQ(plottedRows(many, 0, 7, 2), (std::vector<std::size_t>{1, 2, 4}));
    // Highest first, then lowest: still in time order.
    const std::vector<double> falling{9, 1, 5, 5, kNaN, kNaN, kNaN, kNaN};
    EXPECT_EQ(plottedRows(falling, 0, 7, 2), (std::vector<std::size_t>{0, 1}));
    const ValueRange range = valueRange(many);
    EXPECT_EQ(range.low, 1);
    EXPECT_EQ(range.high, 9);
    EXPECT_TRUE(valueRange(std::vector<double>{kNaN}).empty());
}

TEST(LogColumns, EveryColumnHasItsGroupAndFlagsAreSteps) {
    const struct {
        const char* column;
        LogGroup group;
        bool flag;
        const char* unit;
    } cases[] = {
        {"engine_speed_rpm", LogGroup::Engine, false, "rpm"},
        {"inj_duty_pct", LogGroup::Fuel, false, "pct"},
        {"lambda_mv", LogGroup::Fuel, false, "mv"},
        {"advance_2_deg", LogGroup::Ignition, false, "deg"},
        {"knock_3_mv", LogGroup::Knock, false, "mv"},
        {"knock_alarm_3", LogGroup::Knock, true, "flag"},
        {"coolant_sensor_mv", LogGroup::Sensors, false, "mv"},
        {"air_corr_pct", LogGroup::Corrections, false, "pct"},
        {"power_out_2", LogGroup::Flags, true, "flag"},
        {"marker", LogGroup::Flags, false, "marker"},
        {"test_8", LogGroup::TestValues, false, "test"},
    };
    for (const auto& c : cases) {
        const LogColumnInfo info = logColumnInfo(c.column);
        EXPECT_EQ(info.group, c.group) << c.column;
        EXPECT_EQ(info.flag, c.flag) << c.column;
        EXPECT_EQ(info.unit, c.unit) << c.column;
    }
    EXPECT_EQ(logColumnInfo("knock_2_mv").caption, "Knock Level 2 [mV]");
    EXPECT_EQ(logColumnInfo("inj_duty_pct").caption, "inj_duty_pct");
}

TEST(LogColumns, AColumnsColourFollowsItsNameAndNeighboursDiffer) {
    // The monitor CSV's order: engine speed first, throttle fifth, knock 1..3 33rd to 35th.
    EXPECT_EQ(kLogPalette[logColumnInfo("engine_speed_rpm").colourIndex], 0x0072B2u);
    EXPECT_EQ(kLogPalette[logColumnInfo("throttle_pct").colourIndex], 0xE69F00u);
    EXPECT_EQ(kLogPalette[logColumnInfo("knock_1_mv").colourIndex], 0xE69F00u);
    EXPECT_EQ(kLogPalette[logColumnInfo("knock_2_mv").colourIndex], 0x56B4E9u);
    EXPECT_EQ(kLogPalette[logColumnInfo("knock_3_mv").colourIndex], 0x000000u);
    EXPECT_EQ(logColumnInfo("boost_kpa").colourIndex, logColumnInfo("boost_kpa").colourIndex);
    for (const std::uint32_t colour : kLogPalette) {
        EXPECT_NE(colour, 0xF0E442u) << "yellow does not read on white";
    }
}

TEST(LogColumns, TheSearchFindsNamesAndCaptionsInAnyCase) {
    EXPECT_TRUE(columnMatches("knock_2_mv", "KNOCK"));
    EXPECT_TRUE(columnMatches("knock_2_mv", "level 2"));
    EXPECT_TRUE(columnMatches("engine_speed_rpm", ""));
    EXPECT_FALSE(columnMatches("lambda_mv", "knock"));
    EXPECT_TRUE(columnMatches("throttle_pct", "tp ["));
}

TEST(LogLayout, TheFirstLookAndMovesBetweenPanes) {
    const LogLayout first = defaultLogLayout();
    ASSERT_EQ(first.panes.size(), 4u);
    EXPECT_EQ(first.text(), "engine_speed_rpm,throttle_pct;lambda_mv;"
                            "advance_1_deg,advance_2_deg,advance_3_deg;knock_1_mv,knock_2_mv,"
                            "knock_3_mv");
    LogLayout layout = LogLayout::parse("a,b;c;d");
    layout.moveTo("c", 0);
    EXPECT_EQ(layout.text(), "a,b,c;d");
    layout.moveTo("a", 7);
    EXPECT_EQ(layout.text(), "b,c;d;a");
    layout.moveTo("d", 2); // d's pane goes: the third pane is now the second
    EXPECT_EQ(layout.text(), "b,c;a,d");
    layout.remove("b");
    layout.remove("c");
    EXPECT_EQ(layout.text(), "a,d");
    EXPECT_EQ(layout.paneOf("d"), 0u);
    EXPECT_FALSE(layout.paneOf("b"));

    LogLayout plotted = defaultLogLayout();
    plotted.add("inj_1a_us");
    plotted.add("inj_2a_us");
    plotted.add("coolant_c");
    plotted.add("air_c");
    plotted.add("knock_2_mv"); // already plotted
    EXPECT_EQ(plotted.panes.size(), 6u);
    EXPECT_EQ(plotted.panes[4], (std::vector<std::string>{"inj_1a_us", "inj_2a_us"}));
    EXPECT_EQ(plotted.panes[5], (std::vector<std::string>{"coolant_c", "air_c"}));
}

TEST(LogLayout, TheSettingsTextReadsBackAndDamageIsLeftOut) {
    EXPECT_EQ(LogLayout::parse("a,,a;;b, c;").panes,
              (std::vector<std::vector<std::string>>{{"a"}, {"b", "c"}}));
    EXPECT_TRUE(LogLayout::parse("").panes.empty());
    EXPECT_EQ(LogLayout::parse(defaultLogLayout().text()), defaultLogLayout());
}

MonitorLog logOf(const std::string& text) {
    MonitorLogRead read = parseMonitorLog(text);
    EXPECT_TRUE(read.log) << monitorLogErrorText(read.error, 0);
    return read.log ? std::move(*read.log) : MonitorLog{};
}

const std::string kHeader = "timestamp,elapsed_s,engine_speed_rpm,throttle_pct,marker";

TEST(LogRuns, MarkersAndTheAlignmentOfTwoRuns) {
    const MonitorLog base = logOf(kHeader + "\nt,0.0,900,0,0\nt,0.5,1000,5,1\nt,1.0,1200,9,0\n"
                                            "t,1.5,1500,20,2\n");
    const MonitorLog other = logOf(kHeader + "\nt,2.0,900,0,0\nt,2.5,950,2,0\nt,3.0,990,4,1\n"
                                             "t,4.0,1400,18,2\n");
    EXPECT_EQ(markerRows(base), (std::vector<LogMarker>{{1, 1}, {3, 2}}));
    EXPECT_EQ(alignmentOffset(base, other), -2.0);
    EXPECT_EQ(alignmentOffset(base, other, 1u), 0.5 - 3.0);
    EXPECT_EQ(alignmentOffset(base, other, 2u), 1.5 - 4.0);
    EXPECT_FALSE(alignmentOffset(base, other, 3u));
    const MonitorLog old = logOf("timestamp,elapsed_s,engine_speed_rpm,throttle_pct\nt,0,1,2\n");
    EXPECT_TRUE(markerRows(old).empty());
    EXPECT_FALSE(alignmentOffset(base, old, 1u));
}

TEST(LogRuns, RowsOfAGrowingLogAreAppendedWhole) {
    MonitorLog log = logOf(kHeader + "\na,0.0,900,0,0\n");
    EXPECT_FALSE(appendMonitorLogRows(log, kHeader, "b,0.5,1000,5,0\ncc,1.0,1100,6,1\n"));
    ASSERT_EQ(log.rowCount(), 3u);
    EXPECT_EQ(log.values[*log.column("engine_speed_rpm")], (std::vector<double>{900, 1000, 1100}));
    EXPECT_EQ(log.timestamp(2), "cc");
    EXPECT_EQ(log.elapsed.back(), 1.0);
    // Time that runs back, or other columns: nothing is taken.
    EXPECT_TRUE(appendMonitorLogRows(log, kHeader, "d,0.9,1000,5,0\n"));
    EXPECT_TRUE(appendMonitorLogRows(log, "timestamp,elapsed_s,engine_speed_rpm,throttle_pct",
                                     "d,2.0,1000,5\n"));
    EXPECT_EQ(log.rowCount(), 3u);
}

TEST(LogRuns, TheTailReadsWhatAWriterAddsLineByLine) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "kordana-log-tail-test.csv";
    auto write = [&](const std::string& text, std::ios::openmode mode) {
        std::ofstream(path, std::ios::binary | mode) << text;
    };
    write(kHeader + "\nt,0.0,900,0,0\nt,0.3,950,1,0\nt,0.6,9", std::ios::trunc);
    MonitorLogRead read = readMonitorLogFile(path.string());
    ASSERT_TRUE(read.log);
    ASSERT_EQ(read.log->rowCount(), 2u); // the unfinished row waits
    MonitorLogTail tail;
    ASSERT_TRUE(tail.start(path.string(), *read.log));
    EXPECT_EQ(tail.readNew(*read.log), 0u);
    write("99,2,0\nt,0.9,1000,3,1\nt,1.2,10", std::ios::app);
    EXPECT_EQ(tail.readNew(*read.log), 2u);
    write("50,4,0\n", std::ios::app);
    EXPECT_EQ(tail.readNew(*read.log), 1u);
    EXPECT_EQ(read.log->values[*read.log->column("engine_speed_rpm")],
              (std::vector<double>{900, 950, 999, 1000, 1050}));
    EXPECT_EQ(markerRows(*read.log), (std::vector<LogMarker>{{3, 1}}));
    std::filesystem::remove(path);
}

TEST(LogRuns, AlarmCurvesFollowEngineSpeedAndLimitersAreTheSets) {
    ParameterImage image;
    // Cylinder 1: 6000, 7000, 8000, 8250, 8700 rpm at 1400, 1700, 1580, 1540, 1500 mV;
    // cylinder 2 flat 2000 mV from 3000 rpm on.
    const int rpm1[] = {6000, 7000, 8000, 8250, 8700};
    const int alarm1[] = {1400, 1700, 1580, 1540, 1500};
    for (std::size_t i = 0; i < 5; ++i) {
        image[layout::kRpmKnock + i] = static_cast<std::uint8_t>(rpm1[i] / 50);
        image[layout::kAlarm + i] = static_cast<std::uint8_t>(alarm1[i] / 20);
        image[layout::kRpmKnock + 5 + i] = static_cast<std::uint8_t>(60 + 10 * i);
        image[layout::kAlarm + 5 + i] = 100;
    }
    image[layout::kLimiter] = 150;
    image[layout::kLimiter + 1] = 180;
    image[layout::kLimiter + 2] = 184;
    const LogThresholds t = logThresholds(image);
    EXPECT_EQ(t.limiters, (std::array<double, 3>{7500, 9000, 9200}));
    const struct {
        std::size_t cylinder;
        double rpm;
        double alarm;
    } cases[] = {{0, 5000, 1400}, {0, 6000, 1400}, {0, 6500, 1550}, {0, 8125, 1560},
                 {0, 9000, 1500}, {1, 3500, 2000}, {1, 9000, 2000}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(knockAlarmAt(t, c.cylinder, c.rpm), c.alarm) << c.cylinder << " " << c.rpm;
    }
}

} // namespace
} // namespace kordana
