// A time range of a log: its rows, the figures of every channel, a channel's histogram in bins
// with round edges, and the range written out as a log of its own (fixed expected text).
#include "analysis/LogRange.h"
#include "analysis/LogScatter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kordana::analysis {
namespace {

MonitorLog logOf(std::string_view text) {
    MonitorLogRead read = parseMonitorLog(text);
    EXPECT_TRUE(read.log) << monitorLogErrorText(read.error, 0);
    return std::move(*read.log);
}

// One column "v" (besides speed and throttle) holding `values`, a row every 0.5 s.
MonitorLog valuesLog(const std::vector<double>& values) {
    std::string text = "timestamp,elapsed_s,engine_speed_rpm,throttle_pct,v\n";
    for (std::size_t r = 0; r < values.size(); ++r) {
        text += "T," + std::to_string(0.5 * static_cast<double>(r)) + ",1000,10," +
                (std::isnan(values[r]) ? std::string() : std::to_string(values[r])) + "\n";
    }
    return logOf(text);
}

TEST(LogRange, TheRowsOfATimeRange) {
    const MonitorLog log = valuesLog({1, 2, 3, 4}); // 0, 0.5, 1.0, 1.5 s
    struct Case {
        double from, to;
        bool empty;
        std::size_t first, last;
    } const cases[] = {
        {0.4, 1.2, false, 1, 2}, {0, 0, false, 0, 0},    {-1, 10, false, 0, 3},
        {1.6, 2.0, true, 0, 0},  {0.6, 0.9, true, 0, 0}, {1.5, 1.5, false, 3, 3},
    };
    for (const Case& c : cases) {
        const RowRange rows = rowRange(log, c.from, c.to);
        EXPECT_EQ(rows.empty, c.empty) << c.from << ".." << c.to;
        if (!c.empty) {
            EXPECT_EQ(rows.first, c.first);
            EXPECT_EQ(rows.last, c.last);
        }
    }
}

TEST(LogRange, MinMaxAndMeanOfEveryChannel) {
    const double nan = std::nan("");
    const MonitorLog log = valuesLog({5, nan, -1, 8, 100});
    const std::vector<ChannelStats> stats = rangeStatistics(log, RowRange{0, 3, false});
    ASSERT_EQ(stats.size(), 3u);
    EXPECT_EQ(log.columns[2], "v");
    EXPECT_EQ(stats[2].values, 3u);
    EXPECT_EQ(stats[2].min, -1);
    EXPECT_EQ(stats[2].max, 8);
    EXPECT_DOUBLE_EQ(stats[2].mean, 4);
    EXPECT_EQ(stats[0].min, 1000);
    EXPECT_EQ(stats[0].max, 1000);
    EXPECT_EQ(stats[0].values, 4u);

    const std::vector<ChannelStats> gap = rangeStatistics(log, RowRange{1, 1, false});
    EXPECT_EQ(gap[2].values, 0u);
    EXPECT_TRUE(std::isnan(gap[2].mean));
}

TEST(LogRange, RoundBinWidths) {
    struct Case {
        double span;
        std::size_t bins;
        double width;
    } const cases[] = {
        {0.8, 10, 0.1}, {2030, 20, 200}, {10, 5, 2},      {0, 10, 1},
        {7, 2, 5},      {45, 10, 5},     {1000, 10, 100}, {0.3, 3, 0.1},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(roundBinWidth(c.span, c.bins), c.width) << c.span << " / " << c.bins;
    }
}

TEST(LogRange, HistogramBinsWithRoundEdges) {
    const double nan = std::nan("");
    struct Case {
        const char* name;
        std::vector<double> values;
        std::size_t bins;
        double start, width;
        std::vector<std::uint32_t> counts;
    } const cases[] = {
        {"tenths", {0.3, 0.1, 0.25, 0.9}, 10, 0.1, 0.1, {1, 1, 1, 0, 0, 0, 0, 0, 1}},
        {"engine speed",
         {980, 1020, 2990, 3000, 3010},
         20,
         800,
         200,
         {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2}},
        {"constant", {3000, 3000}, 10, 3000, 1, {2}},
        {"below zero", {-7, -2, nan, 3}, 5, -8, 2, {1, 0, 0, 1, 0, 1}},
        {"empty", {nan, nan}, 10, 0, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MonitorLog log = valuesLog(c.values);
        const Histogram h = histogram(log, 2, RowRange{0, c.values.size() - 1, false}, c.bins);
        EXPECT_NEAR(h.start, c.start, 1e-9);
        EXPECT_DOUBLE_EQ(h.width, c.width);
        EXPECT_EQ(h.counts, c.counts);
    }
    // Only the range's rows count.
    const MonitorLog log = valuesLog({1, 2, 9});
    EXPECT_EQ(histogram(log, 2, RowRange{0, 1, false}, 10).counts,
              (std::vector<std::uint32_t>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
}

TEST(LogRange, ARangeWrittenAsALogOfItsOwn) {
    const MonitorLog log = logOf("timestamp,elapsed_s,engine_speed_rpm,throttle_pct,"
                                 "advance_1_deg,coolant_c,marker\n"
                                 "2026-12-08T14:03:11.000Z,10.000,3000,40,12.50,80,0\n"
                                 "2026-12-08T14:03:11.330Z,10.330,3050,41,12.75,,1\n"
                                 "2026-12-08T14:03:11.660Z,10.660,3100,42,13.00,81,0\n");
    EXPECT_EQ(rangeCsv(log, rowRange(log, 10.1, 11)),
              "timestamp,elapsed_s,engine_speed_rpm,throttle_pct,advance_1_deg,coolant_c,marker\n"
              "2026-12-08T14:03:11.330Z,0.000,3050,41,12.75,,1\n"
              "2026-12-08T14:03:11.660Z,0.330,3100,42,13,81,0\n");
    EXPECT_EQ(rangeCsv(log, RowRange{}),
              "timestamp,elapsed_s,engine_speed_rpm,throttle_pct,advance_1_deg,coolant_c,marker\n");

    // A terminal log has no elapsed_s: the range gets one from the timestamps.
    const MonitorLog cli = logOf("timestamp,engine_speed_rpm,throttle_pct\n"
                                 "2026-12-08T14:03:11.000Z,900,0\n"
                                 "2026-12-08T14:03:12.250Z,1000,5\n");
    EXPECT_EQ(rangeCsv(cli, rowRange(cli, 0, 5)),
              "timestamp,elapsed_s,engine_speed_rpm,throttle_pct\n"
              "2026-12-08T14:03:11.000Z,0.000,900,0\n"
              "2026-12-08T14:03:12.250Z,1.250,1000,5\n");
}

TEST(LogRange, ScatterPointsOfTheRowsWithBothValues) {
    const MonitorLog log = logOf("timestamp,elapsed_s,engine_speed_rpm,throttle_pct,lambda_mv\n"
                                 "T,0,1000,5,450\nT,1,,10,460\nT,2,3000,40,\nT,3,2000,20,500\n");
    const ScatterData data = scatterData(log, 0, 1, 2, RowRange{0, 3, false});
    EXPECT_EQ(data.x, (std::vector<float>{1000, 3000, 2000}));
    EXPECT_EQ(data.y, (std::vector<float>{5, 40, 20}));
    ASSERT_EQ(data.colour.size(), 3u);
    EXPECT_EQ(data.colour[0], 450);
    EXPECT_TRUE(std::isnan(data.colour[1]));
    EXPECT_EQ(data.xSpan.low, 1000);
    EXPECT_EQ(data.xSpan.high, 3000);
    EXPECT_EQ(data.colourSpan.low, 450);
    EXPECT_EQ(data.colourSpan.high, 500);
    EXPECT_EQ(scatterData(log, 0, 1, std::nullopt, RowRange{2, 3, false}).size(), 2u);
}

} // namespace
} // namespace kordana::analysis
