// A log's rows sorted into the cells of a map by the cursor's rules, with one channel's counts,
// times, means and extremes per cell, against a small log computed by hand.
#include "analysis/LogCells.h"
#include "analysis/MapCells.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace kordana::analysis {
namespace {

// Breakpoints 1000, 1500, ..., 8000 rpm (speed index 20 + 10 c).
constexpr std::array<std::uint8_t, 15> kBreakpoints{20,  30,  40,  50,  60,  70,  80, 90,
                                                    100, 110, 120, 130, 140, 150, 160};

// Row 0 stands (no cell). 1240 rpm (R 24) is column 0; 1260 rpm (R 25, half-way) the lower
// column 0; 1300 rpm (R 26) column 1. 4 % and 6 % are row 2 (5 %): 2 + 5 < 8, 5 + 10 >= 12;
// 5 % is row 2; half-way cells take the lower row and column (8000 rpm, 90 %: row 8;
// 2750 rpm, 15 %: column 3, row 3). Row 2 is followed by a gap of 2.5 s, which counts as 1 s.
constexpr std::string_view kLog =
    "timestamp,elapsed_s,engine_speed_rpm,throttle_pct,lambda_mv,knock_alarm_1\n"
    "T0,0.0,0,0,400,0\n"
    "T1,0.2,1240,4,500,1\n"
    "T2,0.5,1260,6,700,0\n"
    "T3,3.0,1300,5,,0\n"
    "T4,3.4,1240,4,300,1\n";

MonitorLog testLog() {
    MonitorLogRead read = parseMonitorLog(kLog);
    EXPECT_TRUE(read.log) << monitorLogErrorText(read.error, 0);
    return std::move(*read.log);
}

TEST(LogCells, TheCursorsCellOfSpeedAndThrottle) {
    struct Case {
        std::uint16_t rpm;
        std::uint8_t throttle;
        std::size_t element;
    } const cases[] = {
        {1000, 0, 0},    {1240, 4, 30}, {1260, 6, 30},   {1300, 5, 31},
        {500, 100, 135}, {9000, 1, 14}, {8000, 90, 134}, {2750, 15, 48},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cellOf(kBreakpoints, c.rpm, c.throttle), c.element)
            << c.rpm << " " << +c.throttle;
    }
}

TEST(LogCells, EachCellCountsItsRowsTimeAndValues) {
    const MonitorLog log = testLog();
    const CellTable lambda = cellTable(log, kBreakpoints, log.column("lambda_mv"), 0, 99);
    EXPECT_EQ(lambda.rows, 4u) << "the standing row is in no cell";
    EXPECT_FALSE(lambda.figure(0, CellFigure::Count));

    struct Expected {
        std::size_t element;
        CellFigure figure;
        std::optional<double> value;
    } const cases[] = {
        {30, CellFigure::Count, 3},  {30, CellFigure::Seconds, 0.3 + 1.0},
        {30, CellFigure::Mean, 500}, {30, CellFigure::Min, 300},
        {30, CellFigure::Max, 700},  {30, CellFigure::Events, 3},
        {31, CellFigure::Count, 1},  {31, CellFigure::Seconds, 0.4},
        {31, CellFigure::Mean, {}},  {31, CellFigure::Min, {}},
        {31, CellFigure::Events, 0}, {45, CellFigure::Count, {}},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.element);
        const std::optional<double> got = lambda.figure(c.element, c.figure);
        ASSERT_EQ(got.has_value(), c.value.has_value()) << static_cast<int>(c.figure);
        if (c.value) {
            EXPECT_NEAR(*got, *c.value, 1e-9) << static_cast<int>(c.figure);
        }
    }

    const CellTable knock = cellTable(log, kBreakpoints, log.column("knock_alarm_1"), 0, 4);
    EXPECT_EQ(knock.figure(30, CellFigure::Events), 2.0);
    EXPECT_EQ(knock.figure(31, CellFigure::Events), 0.0);

    // Rows 2..3 alone: a row's time still runs to the next row of the log.
    const CellTable part = cellTable(log, kBreakpoints, std::nullopt, 2, 3);
    EXPECT_EQ(part.figure(30, CellFigure::Count), 1.0);
    EXPECT_DOUBLE_EQ(*part.figure(30, CellFigure::Seconds), 1.0);
    EXPECT_DOUBLE_EQ(*part.figure(31, CellFigure::Seconds), 0.4);
    EXPECT_FALSE(part.figure(30, CellFigure::Mean)) << "no channel: counts and times only";
}

TEST(LogCells, PresetsNameTheirChannelAndFigure) {
    struct Case {
        CellPreset preset;
        std::size_t page;
        const char* column;
        CellFigure figure;
    } const cases[] = {
        {CellPreset::Hits, 4, "", CellFigure::Count},
        {CellPreset::MeanLambda, 3, "lambda_mv", CellFigure::Mean},
        {CellPreset::KnockEvents, 0, "knock_alarm_1", CellFigure::Events},
        {CellPreset::KnockEvents, 2, "knock_alarm_3", CellFigure::Events},
        {CellPreset::KnockEvents, 4, "knock_alarm_2", CellFigure::Events}, // Jet 2A
        {CellPreset::KnockEvents, 8, "knock_alarm_3", CellFigure::Events}, // Jet 3B
    };
    for (const Case& c : cases) {
        const PresetChoice choice = presetChoice(c.preset, c.page);
        EXPECT_EQ(choice.column, c.column);
        EXPECT_EQ(choice.figure, c.figure);
    }
}

} // namespace
} // namespace kordana::analysis
