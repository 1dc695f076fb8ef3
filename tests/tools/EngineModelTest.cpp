// The simulated engine behind the unit: its lambda from the cells in use, the sensor's delay,
// first-order response and output voltages, coolant and post-start, knock above the limit, the
// drive profiles and the engine and profile files. Expected values are worked out by hand from
// the default set of preset 0 (DefaultTables.h).

#include "tools/unit-sim/lib/EngineModel.h"
#include "tools/unit-sim/lib/DriveProfile.h"
#include "tools/unit-sim/lib/EngineDescription.h"
#include "tools/unit-sim/lib/UnitSimCommandLine.h"
#include "tools/unit-sim/lib/UnitSimulator.h"

#include "monitor/MonitorFrame.h"
#include "params/ImageLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace kordana {
namespace {

using layout::mapCell;

// A warm engine, long after its start, without noise, held at 3000 rpm and 30 % throttle:
// cell (5, 2) of every map of preset 0 (ignition 25 degrees, bank A 105, bank B 6).
constexpr const char* kQuietEngine = "noise 0\nrunning-s 600\ncoolant 88 88 40\n";

UnitSimulator engineUnit(const std::string& engineText, const std::string& profileText) {
    UnitSimOptions options;
    const EngineFileResult engine = parseEngineDescription(engineText);
    EXPECT_EQ(engine.error, "");
    const ProfileFileResult profile = parseProfile(profileText);
    EXPECT_EQ(profile.error, "");
    options.engine = engine.engine;
    options.profile = {ProfileChoice::Kind::Segments, profile.segments};
    options.monitorStepMs = 0;
    return UnitSimulator(options);
}

MonitorFrame frameOf(const UnitSimulator& unit) {
    const Frame bytes = unit.monitorFrame();
    const auto frame = decodeMonitorFrame(bytes);
    EXPECT_TRUE(frame.has_value());
    return frame.value_or(MonitorFrame{});
}

TEST(EngineModel, LambdaIsTheFuelNeededOverTheFuelDeliveredByTheCellsInUse) {
    UnitSimulator unit = engineUnit(kQuietEngine, "hold 3000 30 100\n");
    const EngineModel& engine = *unit.engine();
    ParameterImage set = unit.memory();
    const DrivePoint point{3000, 30};
    // Preset 0 runs at the tuned lambda of row 5 (30 %): 1.00.
    EXPECT_NEAR(engine.steadyLambda(set, point), 1.00, 1e-12);
    // Cylinder 2's bank B cell 6 -> 17: need 3 x 111, delivered 111 + 111 + 122.
    set[mapCell(7, 5, 2)] = 17;
    EXPECT_NEAR(engine.steadyLambda(set, point), 333.0 / 344.0, 1e-12);
    // A cell the point does not use changes nothing.
    set[mapCell(3, 5, 3)] = 10;
    EXPECT_NEAR(engine.steadyLambda(set, point), 333.0 / 344.0, 1e-12);

    // 12 % more fuel needed in that cell, bank A 105 -> 100 on all three cylinders:
    // 111 x 1.12 / 106.
    UnitSimulator lean =
        engineUnit(std::string(kQuietEngine) + "fuel 12 5 2\n", "hold 3000 30 1\n");
    ParameterImage leanSet = lean.memory();
    EXPECT_NEAR(lean.engine()->steadyLambda(leanSet, point), 1.12, 1e-12);
    for (const std::size_t page : {3, 4, 5}) {
        leanSet[mapCell(page, 5, 2)] = 100;
    }
    EXPECT_NEAR(lean.engine()->steadyLambda(leanSet, point), 111.0 * 1.12 / 106.0, 1e-12);
    // 2950 rpm is still nearest to the 3000 breakpoint; 2500 half-way goes to the lower.
    EXPECT_NEAR(lean.engine()->steadyLambda(leanSet, {2950, 30}), 111.0 * 1.12 / 106.0, 1e-12);
    EXPECT_NEAR(lean.engine()->steadyLambda(leanSet, {2500, 30}), 1.00, 1e-12);
    // Closed throttle at speed: the fuel is cut.
    EXPECT_TRUE(EngineModel::fuelCut({5000, 0}));
    EXPECT_FALSE(EngineModel::fuelCut({1000, 0}));
    EXPECT_FALSE(EngineModel::fuelCut({5000, 2}));
}

TEST(EngineModel, TheFrameReportsTheEnginesLambdaCellsAndTimeSinceStart) {
    UnitSimulator unit =
        engineUnit(std::string(kQuietEngine) + "fuel 12 5 2\n", "hold 3000 30 100\n");
    unit.advance(2000);
    const MonitorFrame frame = frameOf(unit);
    EXPECT_EQ(frame.engineSpeed, 3000);
    EXPECT_EQ(frame.throttleOpening, 30);
    // Lambda 1.12 on the wideband output: 3100 mV, read 634 (3100 x 1023 / 5000).
    EXPECT_EQ(frame.lambdaRaw, 634);
    EXPECT_EQ(frame.coolantByte, 188);
    EXPECT_EQ(frame.timeSinceStart, 6020); // 602 s in tenths
    EXPECT_EQ(frame.advance[0], 2500);
    EXPECT_EQ(frame.injectionTime[0], 5250); // Jet 1A x 50 us
    EXPECT_EQ(frame.injectionTime[1], 300);  // Jet 1B
    EXPECT_EQ(frame.startCorrection, 0);
    EXPECT_EQ(frame.coolantCorrection, 30); // preset 0's 103 % at 80 degC

    // A narrowband sensor at 1.12: 106.5 mV, sent as 107 mV, read 21.
    UnitSimulator narrow = engineUnit(std::string(kQuietEngine) + "fuel 12 5 2\nsensor narrow\n",
                                      "hold 3000 30 100\n");
    EXPECT_EQ(frameOf(narrow).lambdaRaw, 21);
}

TEST(LambdaSensor, TransportDelayThenFirstOrderResponse) {
    LambdaSensorPath path(400, 150, 1.0);
    // A step to 1.2 at the cylinders is not seen for 400 ms (40 steps of 10 ms).
    for (int step = 1; step <= 40; ++step) {
        EXPECT_DOUBLE_EQ(path.step(1.2), 1.0) << step;
    }
    // Then the sensor follows 1 - e^(-t / 150 ms): after 10 ms 0.2 x (1 - e^(-1/15)) =
    // 0.0128986, after 150 ms 0.2 x (1 - e^-1) = 0.1264241.
    EXPECT_NEAR(path.step(1.2), 1.0128986, 1e-6);
    for (int step = 2; step < 15; ++step) {
        path.step(1.2);
    }
    EXPECT_NEAR(path.step(1.2), 1.126424, 1e-6);
    // Without lag or delay the sensor reads the cylinders at once.
    LambdaSensorPath direct(0, 0, 1.0);
    EXPECT_DOUBLE_EQ(direct.step(0.9), 0.9);
}

TEST(LambdaSensor, TheFrameShowsTheDelayedLambdaAfterAStep) {
    // 3000 rpm 30 % (lambda 1.00) for 1 s, then cell (6, 2) at 40 %, which runs 12 % lean at
    // its tuned 0.95: 1.064. No lag, so the reading jumps one delay after the step.
    UnitSimulator unit = engineUnit(std::string(kQuietEngine) + "lag-ms 0\nfuel 12 6 2\n",
                                    "hold 3000 30 1\nhold 3000 40 100\n");
    unit.advance(1390);
    EXPECT_EQ(rawToMillivolts(frameOf(unit).lambdaRaw), 2497u); // 2500 mV read 511
    unit.advance(20);
    // 1.064: 2820 mV, read 576 (2820 x 1023 / 5000 = 576.97), shown 2815 mV.
    EXPECT_EQ(frameOf(unit).lambdaRaw, 576);
}

struct VoltageCase {
    double lambda;
    double wideMv;
    double narrowMv;
};

TEST(LambdaSensor, OutputVoltages) {
    // Wideband 0.5 at 0 V to 1.5 at 5 V, held at the ends; narrowband
    // 100 + 800 / (1 + e^(40 (lambda - 1))).
    const VoltageCase cases[] = {
        {0.4, 0, 900.0},       {0.5, 0, 900.0},      {0.9, 2000, 885.611}, {1.0, 2500, 500},
        {1.12, 3100, 106.530}, {1.1, 3000, 114.389}, {1.5, 5000, 100.0},   {2.0, 5000, 100.0},
    };
    for (const VoltageCase& c : cases) {
        EXPECT_NEAR(widebandMillivolts(c.lambda), c.wideMv, 1e-9) << c.lambda;
        EXPECT_NEAR(narrowbandMillivolts(c.lambda), c.narrowMv, 0.01) << c.lambda;
    }
}

TEST(EngineModel, CoolantWarmsUpAndThePostStartCorrectionRunsOut) {
    UnitSimulator unit = engineUnit("noise 0\ncoolant 20 88 40\n", "hold 3000 30 100\n");
    const EngineModel& engine = *unit.engine();
    // 88 - 68 e^(-t / 40 s): 20 at the start, 62.984 after 40 s.
    EXPECT_DOUBLE_EQ(engine.coolantAt(0), 20.0);
    EXPECT_NEAR(engine.coolantAt(40000), 62.984, 1e-3);
    unit.advance(40000);
    EXPECT_EQ(frameOf(unit).coolantByte, 163);

    // Preset 0: 150, 50, 30, 10 % above 100 at 0, 5, 10, 15 s, none from 18 s; the full
    // amounts at -10 degC, a third of them from 80 degC.
    const ParameterImage& set = unit.memory();
    EXPECT_DOUBLE_EQ(EngineModel::postStartShare(set, 0, -10), 1.5);
    EXPECT_DOUBLE_EQ(EngineModel::postStartShare(set, 2500, -10), 1.0);
    EXPECT_NEAR(EngineModel::postStartShare(set, 16500, -10), 0.05, 1e-12);
    EXPECT_DOUBLE_EQ(EngineModel::postStartShare(set, 18000, -10), 0.0);
    EXPECT_DOUBLE_EQ(EngineModel::postStartShare(set, 0, 80), 0.5);
    EXPECT_NEAR(EngineModel::postStartShare(set, 0, 35), 1.0, 1e-12);
    // The first frame: 0 s after start, 20 degC: 1.5 x (1 - 2/3 x 30/90) = 1.1667, 1167 in
    // tenths; the engine runs rich with it.
    UnitSimulator cold = engineUnit("noise 0\ncoolant 20 88 40\n", "hold 3000 30 100\n");
    EXPECT_EQ(frameOf(cold).startCorrection, 1167);
    EXPECT_LT(rawToMillivolts(frameOf(cold).lambdaRaw), 2000u);
}

TEST(EngineModel, KnockAlarmAndAHighLevelWhileTheAdvanceIsAboveTheLimit) {
    // Cylinder 2's limit in cell (5, 2) is 2 degrees below preset 0's 25: 23.
    UnitSimulator unit =
        engineUnit(std::string(kQuietEngine) + "knock 2 -2 5 2\n", "hold 3000 30 100\n");
    EXPECT_EQ(unit.engine()->knockLimitDeg(1, 5 * 15 + 2), 23);
    EXPECT_EQ(unit.engine()->knockLimitDeg(0, 5 * 15 + 2), 29);
    unit.advance(1000);
    MonitorFrame frame = frameOf(unit);
    EXPECT_EQ(frame.knockAlarm[0], 0);
    EXPECT_EQ(frame.knockAlarm[1], 1);
    EXPECT_EQ(frame.knockAlarm[2], 0);
    // Cylinder 2's highest alarm level of preset 0 is 1860 mV; 2 degrees over the limit:
    // 1860 + 300 + 2 x 150 = 2460 mV, read 503. The quiet cylinders stay under 300 mV.
    EXPECT_EQ(frame.knockRaw[1], 503);
    EXPECT_LT(rawToMillivolts(frame.knockRaw[0]), 300u);
    // One degree over: 2310 mV, read 472; at the limit: quiet.
    unit.memory()[mapCell(1, 5, 2)] = 24;
    unit.advance(10);
    frame = frameOf(unit);
    EXPECT_EQ(frame.knockAlarm[1], 1);
    EXPECT_EQ(frame.knockRaw[1], 472);
    unit.memory()[mapCell(1, 5, 2)] = 23;
    unit.advance(10);
    frame = frameOf(unit);
    EXPECT_EQ(frame.knockAlarm[1], 0);
    EXPECT_LT(rawToMillivolts(frame.knockRaw[1]), 300u);
}

TEST(EngineModel, TheSameSeedGivesTheSameNoisyReadings) {
    auto readings = [](std::uint32_t seed) {
        UnitSimOptions options;
        options.engine = builtInEngine();
        options.monitorStepMs = 0;
        options.seed = seed;
        UnitSimulator unit(options);
        std::vector<std::uint16_t> lambdas;
        for (int i = 0; i < 50; ++i) {
            unit.advance(330);
            lambdas.push_back(frameOf(unit).lambdaRaw);
        }
        return lambdas;
    };
    EXPECT_EQ(readings(7), readings(7));
    EXPECT_NE(readings(7), readings(8));
}

TEST(DriveProfile, HoldsAndRampsInStraightLinesRepeated) {
    const DriveProfile profile({{ProfileSegment::Kind::Hold, 1000, 0, 2000},
                                {ProfileSegment::Kind::Ramp, 5000, 100, 4000},
                                {ProfileSegment::Kind::Hold, 5000, 50, 1000}});
    EXPECT_EQ(profile.periodMs(), 7000u);
    EXPECT_EQ(profile.at(0), (DrivePoint{1000, 0}));
    EXPECT_EQ(profile.at(1999), (DrivePoint{1000, 0}));
    EXPECT_EQ(profile.at(3000), (DrivePoint{2000, 25}));
    EXPECT_EQ(profile.at(5000), (DrivePoint{4000, 75}));
    EXPECT_EQ(profile.at(6500), (DrivePoint{5000, 50}));
    EXPECT_EQ(profile.at(7000 + 3000), (DrivePoint{2000, 25}));
}

TEST(DriveProfile, TheDynoHoldsEveryBreakpointBelowTheLimiterOnEveryRow) {
    const std::array<unsigned, 15> breakpoints{1000, 2000, 3000, 4000, 6000, 6500, 7000, 7250,
                                               7500, 7750, 8000, 8250, 8500, 8750, 9000};
    const std::vector<ProfileSegment> dyno = dynoSegments(breakpoints, 9000);
    EXPECT_EQ(dyno.front(), (ProfileSegment{ProfileSegment::Kind::Hold, 1000, 0, 60000}));
    std::set<std::pair<unsigned, unsigned>> held;
    for (const ProfileSegment& s : dyno) {
        if (s.kind == ProfileSegment::Kind::Hold && s.ms == 4500) {
            held.insert({s.throttle, s.rpm});
        }
    }
    // Rows 2, 5, 10 % up to 7750 rpm (10 breakpoints), the six rows above up to 8750 (14).
    EXPECT_EQ(held.size(), 3u * 10u + 6u * 14u);
    EXPECT_TRUE(held.contains({100, 8750}));
    EXPECT_FALSE(held.contains({100, 9000}));
    EXPECT_FALSE(held.contains({10, 8000}));
    const DriveProfile profile(dyno);
    EXPECT_EQ(profile.at(profile.periodMs() - 1).throttle, 0u);
}

TEST(DriveProfile, TheTrackLapPullsBrakesAndEndsWhereItStarts) {
    const DriveProfile lap(trackSegments());
    EXPECT_GE(lap.periodMs(), 60000u);
    EXPECT_LE(lap.periodMs(), 80000u);
    unsigned top = 0;
    std::uint64_t overrunMs = 0;
    std::uint64_t fullMs = 0;
    for (std::uint64_t t = 0; t < lap.periodMs(); t += 10) {
        const DrivePoint p = lap.at(t);
        top = std::max(top, p.rpm);
        overrunMs += EngineModel::fuelCut(p) ? 10 : 0;
        fullMs += p.throttle >= 95 ? 10 : 0;
    }
    EXPECT_EQ(top, 8700u);
    EXPECT_GT(overrunMs, 5000u);
    EXPECT_GT(fullMs, 10000u);
    EXPECT_EQ(lap.at(0), (DrivePoint{3500, 20}));
    EXPECT_EQ(lap.at(lap.periodMs() - 1).rpm / 100, 35u);
}

TEST(EngineFiles, ReadSettingsAndNameTheBadLine) {
    const EngineFileResult read = parseEngineDescription("# an engine\n"
                                                         "sensor narrow\n"
                                                         "delay-ms 250   # short pipes\n"
                                                         "fuel 10 2-3 4 1\n"
                                                         "knock all -1 9 0-1\n");
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.engine.sensor, EngineSensorKind::Narrowband);
    EXPECT_EQ(read.engine.delayMs, 250u);
    // 10 % in rows 2..3 of column 4, half of it one cell around, nothing further out.
    EXPECT_DOUBLE_EQ(read.engine.fuelError[2 * 15 + 4], 0.10);
    EXPECT_DOUBLE_EQ(read.engine.fuelError[4 * 15 + 5], 0.05);
    EXPECT_DOUBLE_EQ(read.engine.fuelError[1 * 15 + 3], 0.05);
    EXPECT_DOUBLE_EQ(read.engine.fuelError[5 * 15 + 4], 0.0);
    EXPECT_EQ(read.engine.knockOffsetDeg[2][9 * 15 + 1], -1);
    EXPECT_EQ(read.engine.knockOffsetDeg[2][9 * 15 + 2], 4);

    EXPECT_EQ(parseEngineDescription("noise 1\nturbo 2\n").error, "line 2: unknown setting turbo");
    EXPECT_EQ(parseEngineDescription("fuel 12 5-3 2\n").error, "line 1: bad values for fuel");
    EXPECT_EQ(parseEngineDescription("knock 4 -2 5 2\n").error, "line 1: bad values for knock");
    EXPECT_EQ(parseProfile("hold 3000 30 2.5\nramp 4000 40\n").error,
              "line 2: bad values for ramp");
    EXPECT_EQ(parseProfile("cruise 3000 30 2\n").error,
              "line 1: unknown segment cruise (hold or ramp)");
    const ProfileFileResult profile = parseProfile("hold 3000 30 2.5\n");
    EXPECT_EQ(profile.segments,
              (std::vector<ProfileSegment>{{ProfileSegment::Kind::Hold, 3000, 30, 2500}}));
}

TEST(EngineFiles, TheCommandLineTakesTheEngineAndTheProfile) {
    auto parse = [](std::vector<std::string_view> args) { return parseUnitSimCommandLine(args); };
    const UnitSimParseResult builtIn = parse({"--engine", "--profile", "track"});
    ASSERT_TRUE(builtIn.options) << builtIn.error;
    ASSERT_TRUE(builtIn.options->unit.engine);
    EXPECT_DOUBLE_EQ(builtIn.options->unit.engine->fuelError[6 * 15 + 6], 0.12);
    EXPECT_DOUBLE_EQ(builtIn.options->unit.engine->fuelError[4 * 15 + 3], 0.06);
    EXPECT_EQ(builtIn.options->unit.engine->knockOffsetDeg[1][9 * 15 + 7], -2);
    EXPECT_EQ(builtIn.options->unit.profile.kind, ProfileChoice::Kind::Track);
    EXPECT_EQ(parse({"--engine"}).options->unit.profile.kind, ProfileChoice::Kind::Dyno);
    EXPECT_FALSE(parse({}).options->unit.engine);
    EXPECT_EQ(parse({"--profile", "dyno"}).error, "--profile needs --engine");
    EXPECT_EQ(parse({"--engine", "/nonexistent/engine.txt"}).error,
              "cannot read engine file /nonexistent/engine.txt");
    EXPECT_EQ(parse({"--engine", "--profile", "/nonexistent/p"}).error,
              "cannot read profile file /nonexistent/p");
    EXPECT_NE(unitSimUsage().find("--engine [FILE]"), std::string::npos);
}

} // namespace
} // namespace kordana
