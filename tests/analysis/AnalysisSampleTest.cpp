// Samples from monitor log rows and from live frames: the values the analysis reads, from fixed
// log text and hand-built frames.
#include "analysis/AnalysisSample.h"

#include "monitor/MonitorLog.h"

#include <gtest/gtest.h>

#include <string>

namespace kordana::analysis {
namespace {

constexpr std::string_view kLog =
    "timestamp,elapsed_s,engine_speed_rpm,throttle_pct,lambda_mv,coolant_c,air_c,"
    "time_since_start_s,knock_1_mv,knock_2_mv,knock_3_mv,knock_alarm_1,knock_alarm_2,"
    "knock_alarm_3,tacho_input,start_limiter,coolant_sensor_error,air_sensor_error\n"
    "2026-01-01T10:00:00.000Z,0.000,3000,30,450,85,20,61.5,1200,300,2500,0,0,1,0,0,0,0\n"
    "2026-01-01T10:00:00.330Z,0.330,3010,31,2500,,,61.8,0,0,0,1,0,0,1,1,1,1\n";

TEST(AnalysisSampleLog, ARowGivesTheValuesTheAnalysisReads) {
    const MonitorLogRead read = parseMonitorLog(kLog);
    ASSERT_TRUE(read.log) << monitorLogErrorText(read.error, 0);
    const LogSamples samples(*read.log);
    ASSERT_EQ(samples.size(), 2u);

    const AnalysisSample first = samples.at(0);
    EXPECT_EQ(first.seconds, 0.0);
    EXPECT_EQ(first.live.engineSpeed, 3000);
    EXPECT_EQ(first.live.throttleOpening, 30);
    EXPECT_EQ(first.live.lambdaMv, 450);
    EXPECT_EQ(first.live.coolantByte, 185);
    EXPECT_EQ(first.live.airByte, 120);
    EXPECT_EQ(first.live.timeSinceStart, 615);
    EXPECT_EQ(first.knockMv, (std::array<std::uint16_t, 3>{1200, 300, 2500}));
    EXPECT_EQ(first.knockAlarm, (std::array<bool, 3>{false, false, true}));
    EXPECT_FALSE(first.tachoInput || first.startLimiter || first.coolantError || first.airError);

    const AnalysisSample second = samples.at(1);
    EXPECT_DOUBLE_EQ(second.seconds, 0.33);
    EXPECT_EQ(second.live.coolantByte, kCoolantSubstitute);
    EXPECT_EQ(second.live.airByte, 0);
    EXPECT_TRUE(second.tachoInput && second.startLimiter && second.coolantError && second.airError);
    EXPECT_EQ(second.knockAlarm, (std::array<bool, 3>{true, false, false}));
    // The live part is what the cursor reads from the same row.
    EXPECT_EQ(second.live, liveValuesAt(*read.log, 1));
    EXPECT_EQ(samples.all().size(), 2u);
}

TEST(AnalysisSampleLog, AnEmptyTemperatureIsASensorErrorEvenWithoutTheFlagColumns) {
    const MonitorLogRead read = parseMonitorLog("timestamp,elapsed_s,engine_speed_rpm,"
                                                "throttle_pct,coolant_c\n"
                                                "2026-01-01T10:00:00Z,0,900,0,\n");
    ASSERT_TRUE(read.log);
    const AnalysisSample s = LogSamples(*read.log).at(0);
    EXPECT_TRUE(s.coolantError);
    EXPECT_FALSE(s.airError); // no air column at all: nothing known
    EXPECT_EQ(s.knockMv, (std::array<std::uint16_t, 3>{}));
}

TEST(AnalysisSampleLive, AFrameGivesItsLiveValuesFlagsAndKnock) {
    MonitorFrame frame;
    frame.engineSpeed = 4200;
    frame.throttleOpening = 55;
    frame.lambdaRaw = 1023; // 5000 mV
    frame.coolantByte = 0;  // failed: the live values keep 80 degC
    frame.airByte = 125;
    frame.timeSinceStart = 1234;
    frame.tachoLambda = 1;
    frame.startLimiter = 3;
    frame.knockRaw = {1023, 0, 512};
    frame.knockAlarm = {0, 7, 0};
    const AnalysisSample s = sampleOf(12.5, frame);
    EXPECT_EQ(s.seconds, 12.5);
    EXPECT_EQ(s.live.engineSpeed, 4200);
    EXPECT_EQ(s.live.throttleOpening, 55);
    EXPECT_EQ(s.live.lambdaMv, 5000);
    EXPECT_EQ(s.live.coolantByte, 180);
    EXPECT_EQ(s.live.timeSinceStart, 1234);
    EXPECT_TRUE(s.coolantError);
    EXPECT_FALSE(s.airError);
    EXPECT_TRUE(s.tachoInput);
    EXPECT_TRUE(s.startLimiter);
    EXPECT_EQ(s.knockMv, (std::array<std::uint16_t, 3>{5000, 0, 2502}));
    EXPECT_EQ(s.knockAlarm, (std::array<bool, 3>{false, true, false}));

    MonitorLiveValues live;
    live.engineSpeed = 1500;
    const AnalysisSample bare = sampleOf(1.0, live);
    EXPECT_EQ(bare.live, live);
    EXPECT_FALSE(bare.tachoInput || bare.knockAlarm[0]);
}

} // namespace
} // namespace kordana::analysis
