// The analysis's cells, transport delay and filters on small hand-made sample streams of the
// test set (AnalysisTestSet.h): which samples count, where they go, and why the others do not.
#include "AnalysisTestSet.h"

#include "analysis/Analysis.h"
#include "params/ImageLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace kordana::analysis {
namespace {

using test::hold;
using test::sample;
using test::testSet;
using test::wideMv;

constexpr std::size_t cell(std::size_t row, std::size_t column) {
    return 15 * row + column;
}

AnalysisSettings wideband(unsigned delayMs) {
    AnalysisSettings settings;
    settings.sensor = SensorModel::Wideband;
    settings.delayMs = delayMs;
    return settings;
}

TEST(AnalysisCells, ASteadyHoldFillsTheCursorsCellOfEveryInjectionMap) {
    // 3000 rpm, 30 % throttle: row 5, column 4; lambda 1.10 (3000 mV). The first sample has no
    // frame before it.
    const std::vector<std::vector<AnalysisSample>> runs{hold(10, 3000, 30, wideMv(1.10))};
    const AnalysisResult result = analyze(testSet(), wideband(0), runs);
    EXPECT_EQ(result.fuelTally.samples, 10u);
    EXPECT_EQ(result.fuelTally.used, 9u);
    EXPECT_EQ(result.fuelTally.count(Rejection::NoHistory), 1u);
    for (std::size_t page = 3; page < 9; ++page) {
        const FuelCell& c = result.fuelMap(page)[cell(5, 4)];
        EXPECT_EQ(c.samples, 9u) << page;
        EXPECT_NEAR(c.meanLambda(), 1.10, 1e-9);
        EXPECT_NEAR(c.meanMv(), 3000.0, 1e-9);
        ASSERT_EQ(c.ratios.size(), 9u);
        EXPECT_NEAR(c.ratios[0], 1.10, 1e-9);
    }
    EXPECT_EQ(result.ignition[0][cell(5, 4)].samples, 9u);
}

TEST(AnalysisCells, TheRatioIsAgainstTheTargetOfTheThrottleRow) {
    // 60 % throttle is row 7, target 0.90: lambda 0.99 is 10 % lean.
    const std::vector<std::vector<AnalysisSample>> runs{hold(3, 3000, 60, wideMv(0.99))};
    const AnalysisResult result = analyze(testSet(), wideband(0), runs);
    const FuelCell& c = result.fuelMap(3)[cell(7, 4)];
    ASSERT_EQ(c.ratios.size(), 2u);
    EXPECT_NEAR(c.ratios[1], 1.10, 1e-9);
}

// Frames every 125 ms: 3000 rpm (column 4) for frames 0..9, 3300 rpm (column 5) from frame 10.
// The exhaust of a frame reaches the sensor 4 frames (500 ms) later, so the lambda of column 5
// (1.20) shows from frame 14 on, before it that of column 4 (1.00).
std::vector<AnalysisSample> stepInSpeed() {
    std::vector<AnalysisSample> samples;
    for (std::size_t i = 0; i < 20; ++i) {
        const double t = 0.125 * static_cast<double>(i);
        samples.push_back(sample(t, i < 10 ? 3000 : 3300, 30, wideMv(i < 14 ? 1.00 : 1.20)));
    }
    return samples;
}

TEST(AnalysisDelay, ALambdaReadingBelongsToTheCellOneDelayEarlier) {
    for (const unsigned delayMs : {500u, 450u}) {
        SCOPED_TRACE(delayMs);
        const std::vector<std::vector<AnalysisSample>> runs{stepInSpeed()};
        const AnalysisResult result = analyze(testSet(), wideband(delayMs), runs);
        // Frames 0..4 have no frame as far back as the delay (450 ms: frame 4 is 500 ms in,
        // its delayed time falls between frames 0 and 1 and is nearest 0, so it counts).
        const FuelCell& before = result.fuelMap(3)[cell(5, 4)];
        const FuelCell& after = result.fuelMap(3)[cell(5, 5)];
        EXPECT_EQ(before.samples, delayMs == 500 ? 9u : 10u);
        EXPECT_NEAR(before.meanLambda(), 1.00, 1e-9);
        EXPECT_EQ(after.samples, 6u);
        EXPECT_NEAR(after.meanLambda(), 1.20, 1e-9);
    }
}

TEST(AnalysisDelay, WithoutTheDelayTheOldLambdaSpillsIntoTheNextCell) {
    const std::vector<std::vector<AnalysisSample>> runs{stepInSpeed()};
    const AnalysisResult result = analyze(testSet(), wideband(0), runs);
    const FuelCell& after = result.fuelMap(3)[cell(5, 5)];
    EXPECT_EQ(after.samples, 10u);
    EXPECT_NEAR(after.meanLambda(), (4 * 1.00 + 6 * 1.20) / 10, 1e-9);
}

TEST(AnalysisDelay, KnockIsCountedWhereItWasHeard) {
    std::vector<AnalysisSample> samples = stepInSpeed();
    samples[10].knockAlarm[0] = true;
    const std::vector<std::vector<AnalysisSample>> runs{samples};
    const AnalysisResult result = analyze(testSet(), wideband(500), runs);
    EXPECT_EQ(result.ignition[0][cell(5, 5)].events, 1u);
    EXPECT_EQ(result.ignition[0][cell(5, 4)].events, 0u);
}

TEST(AnalysisDelay, EachLogStartsWithoutHistory) {
    const std::vector<std::vector<AnalysisSample>> runs{hold(3, 3000, 30, wideMv(1.0)),
                                                        hold(3, 3000, 30, wideMv(1.0), 0.375)};
    const AnalysisResult result = analyze(testSet(), wideband(0), runs);
    EXPECT_EQ(result.fuelTally.count(Rejection::NoHistory), 2u);
    EXPECT_EQ(result.fuelTally.used, 4u);
}

// How the third of three frames 125 ms apart at 3000 rpm, 30 % throttle, lambda 1.00 is
// judged after `change` altered them (frame index, sample): used (nullopt) or its reason.
struct FilterCase {
    std::string name;
    std::function<void(std::size_t, AnalysisSample&)> change;
    std::optional<Rejection> fuel;
    std::optional<Rejection> ignition;
    SensorModel sensor = SensorModel::Wideband;
};

std::optional<Rejection> lastJudgement(const Tally& before, const Tally& after) {
    if (after.used > before.used) {
        return std::nullopt;
    }
    for (std::size_t r = 0; r < kRejectionCount; ++r) {
        if (after.rejected[r] > before.rejected[r]) {
            return static_cast<Rejection>(r);
        }
    }
    ADD_FAILURE() << "the last sample was not counted";
    return std::nullopt;
}

void last(std::size_t i, AnalysisSample& s, const std::function<void(AnalysisSample&)>& f) {
    if (i == 2) {
        f(s);
    }
}

using Change = std::function<void(AnalysisSample&)>;
using R = Rejection;

// The change made to the third frame only, or to all three.
std::function<void(std::size_t, AnalysisSample&)> lastOnly(Change f) {
    return [f](std::size_t i, AnalysisSample& s) { last(i, s, f); };
}
std::function<void(std::size_t, AnalysisSample&)> all(Change f) {
    return [f](std::size_t, AnalysisSample& s) { f(s); };
}

// The speed, sensor and lambda filters.
std::vector<FilterCase> sensorCases() {
    return {
        {"nothing", all([](AnalysisSample&) {}), {}, {}},
        {"499 rpm", all([](AnalysisSample& s) { s.live.engineSpeed = 499; }), R::NotRunning,
         R::NotRunning},
        {"500 rpm", all([](AnalysisSample& s) { s.live.engineSpeed = 500; }), {}, {}},
        {"throttle 101", all([](AnalysisSample& s) { s.live.throttleOpening = 101; }),
         R::SensorError, R::SensorError},
        {"coolant sensor", lastOnly([](AnalysisSample& s) { s.coolantError = true; }),
         R::SensorError, R::SensorError},
        {"air sensor", lastOnly([](AnalysisSample& s) { s.airError = true; }), R::SensorError,
         R::SensorError},
        {"tacho", lastOnly([](AnalysisSample& s) { s.tachoInput = true; }), R::TachoInput, {}},
        {"wide 4981 mV",
         lastOnly([](AnalysisSample& s) { s.live.lambdaMv = 4981; }),
         R::LambdaRailed,
         {}},
        {"wide 19 mV",
         lastOnly([](AnalysisSample& s) { s.live.lambdaMv = 19; }),
         R::LambdaRailed,
         {}},
        {"wide 4980 mV", lastOnly([](AnalysisSample& s) { s.live.lambdaMv = 4980; }), {}, {}},
        {"narrow 1101 mV",
         lastOnly([](AnalysisSample& s) { s.live.lambdaMv = 1101; }),
         R::LambdaRailed,
         {},
         SensorModel::Narrowband},
        {"narrow 1100 mV",
         lastOnly([](AnalysisSample& s) { s.live.lambdaMv = 1100; }),
         {},
         {},
         SensorModel::Narrowband},
    };
}

// The steadiness, temperature, post-start, overrun and limiter filters.
std::vector<FilterCase> stateCases() {
    return {
        {"throttle +6", lastOnly([](AnalysisSample& s) { s.live.throttleOpening = 36; }),
         R::NotSteady, R::NotSteady},
        {"throttle +5", lastOnly([](AnalysisSample& s) { s.live.throttleOpening = 35; }), {}, {}},
        {"rpm +301", lastOnly([](AnalysisSample& s) { s.live.engineSpeed = 3301; }), R::NotSteady,
         R::NotSteady},
        {"rpm -300", lastOnly([](AnalysisSample& s) { s.live.engineSpeed = 2700; }), {}, {}},
        {"2.1 s gap", lastOnly([](AnalysisSample& s) { s.seconds = 0.25 + 2.1; }), R::NotSteady,
         R::NotSteady},
        {"69 degC", all([](AnalysisSample& s) { s.live.coolantByte = 169; }), R::Cold, R::Cold},
        {"70 degC", all([](AnalysisSample& s) { s.live.coolantByte = 170; }), {}, {}},
        {"19.9 s", all([](AnalysisSample& s) { s.live.timeSinceStart = 199; }), R::PostStart,
         R::PostStart},
        {"20.0 s", all([](AnalysisSample& s) { s.live.timeSinceStart = 200; }), {}, {}},
        {"overrun", all([](AnalysisSample& s) {
             s.live.throttleOpening = 1;
             s.live.engineSpeed = static_cast<std::uint16_t>(4000 - 100 * (s.seconds / 0.125));
         }),
         R::Overrun, R::Overrun},
        {"closed, speed rising",
         all([](AnalysisSample& s) {
             s.live.throttleOpening = 1;
             s.live.engineSpeed = static_cast<std::uint16_t>(3000 + 100 * (s.seconds / 0.125));
         }),
         {},
         {}},
        {"2 % falling",
         all([](AnalysisSample& s) {
             s.live.throttleOpening = 2;
             s.live.engineSpeed = static_cast<std::uint16_t>(4000 - 100 * (s.seconds / 0.125));
         }),
         {},
         {}},
        {"start limiter", lastOnly([](AnalysisSample& s) { s.startLimiter = true; }), R::Limiter,
         R::Limiter},
        {"10000 rpm", all([](AnalysisSample& s) { s.live.engineSpeed = 10000; }), R::Limiter,
         R::Limiter},
        {"9999 rpm", all([](AnalysisSample& s) { s.live.engineSpeed = 9999; }), {}, {}},
    };
}

TEST(AnalysisFilters, EachFilterRejectsAndIsCountedUnderItsReason) {
    std::vector<FilterCase> cases = sensorCases();
    std::ranges::copy(stateCases(), std::back_inserter(cases));
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisSettings settings = wideband(0);
        settings.sensor = c.sensor;
        std::vector<AnalysisSample> samples =
            hold(3, 3000, 30, c.sensor == SensorModel::Wideband ? wideMv(1.0) : 450);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            c.change(i, samples[i]);
        }
        Analyzer analyzer(testSet(), settings);
        analyzer.add(samples[0]);
        analyzer.add(samples[1]);
        const AnalysisResult before = analyzer.result();
        analyzer.add(samples[2]);
        EXPECT_EQ(lastJudgement(before.fuelTally, analyzer.result().fuelTally), c.fuel);
        EXPECT_EQ(lastJudgement(before.ignitionTally, analyzer.result().ignitionTally), c.ignition);
    }
}

TEST(AnalysisFilters, TheSteadinessLimitsAndTheWarmTemperatureAreSettable) {
    AnalysisSettings settings = wideband(0);
    settings.steadyThrottle = 10;
    settings.steadyRpm = 100;
    settings.warmCoolantC = 85;
    std::vector<AnalysisSample> samples = hold(3, 3000, 30, wideMv(1.0));
    samples[2].live.throttleOpening = 40; // +10: steady now
    samples[1].live.coolantByte = 190;    // 90 degC: warm enough
    samples[2].live.coolantByte = 190;
    const std::vector<std::vector<AnalysisSample>> runs{samples};
    EXPECT_EQ(analyze(testSet(), settings, runs).fuelTally.used, 2u);
    samples[2].live.engineSpeed = 3101; // +101 rpm
    const std::vector<std::vector<AnalysisSample>> faster{samples};
    EXPECT_EQ(analyze(testSet(), settings, faster).fuelTally.count(Rejection::NotSteady), 1u);
}

TEST(AnalysisFilters, TheLowerRevLimiterCountsAndAZeroLimiterNone) {
    const std::vector<std::vector<AnalysisSample>> runs{hold(3, 7500, 30, wideMv(1.0))};
    ParameterImage image = testSet();
    image[layout::kLimiter + 2] = 150; // the injection limiter at 7500 rpm
    EXPECT_EQ(analyze(image, wideband(0), runs).fuelTally.count(Rejection::Limiter), 2u);
    image[layout::kLimiter + 1] = 0;
    image[layout::kLimiter + 2] = 0;
    EXPECT_EQ(analyze(image, wideband(0), runs).fuelTally.used, 2u);
}

TEST(AnalysisKnock, EventsPeakMeanAndMarginPerCylinder) {
    std::vector<AnalysisSample> samples = hold(4, 3000, 30, wideMv(1.0));
    const std::uint16_t levels[4][3] = {
        {0, 0, 0}, {1000, 1700, 500}, {2100, 1900, 500}, {1500, 1000, 600}};
    for (std::size_t i = 0; i < 4; ++i) {
        for (std::size_t c = 0; c < 3; ++c) {
            samples[i].knockMv[c] = levels[i][c];
        }
    }
    samples[2].knockAlarm[0] = true;
    samples[2].knockAlarm[1] = true;
    samples[3].knockAlarm[1] = true;
    const std::vector<std::vector<AnalysisSample>> runs{samples};
    const AnalysisResult result = analyze(testSet(), wideband(0), runs);
    const KnockCell& one = result.ignition[0][cell(5, 4)];
    const KnockCell& two = result.ignition[1][cell(5, 4)];
    const KnockCell& three = result.ignition[2][cell(5, 4)];
    EXPECT_EQ(one.samples, 3u);
    EXPECT_EQ(one.events, 1u);
    EXPECT_EQ(one.peakMv, 2100);
    EXPECT_NEAR(one.meanMv(), (1000 + 2100 + 1500) / 3.0, 1e-9);
    EXPECT_EQ(one.marginMv, 2000 - 2100);
    EXPECT_EQ(two.events, 2u);
    EXPECT_EQ(two.marginMv, 1800 - 1900); // cylinder 2 alarms at 1800 mV at this point
    EXPECT_EQ(three.events, 0u);
    EXPECT_EQ(three.marginMv, 2000 - 600);
}

TEST(AnalysisLive, FramesAddedOneByOneGiveTheAnalysisOfTheWholeRun) {
    const std::vector<AnalysisSample> samples = stepInSpeed();
    Analyzer live(testSet(), wideband(500));
    for (const AnalysisSample& s : samples) {
        live.add(s);
    }
    const std::vector<std::vector<AnalysisSample>> runs{samples};
    const AnalysisResult whole = analyze(testSet(), wideband(500), runs);
    EXPECT_EQ(live.result().fuelTally, whole.fuelTally);
    EXPECT_EQ(live.result().ignitionTally, whole.ignitionTally);
    EXPECT_EQ(live.result().fuelMap(5)[cell(5, 5)].ratios, whole.fuelMap(5)[cell(5, 5)].ratios);
}

} // namespace
} // namespace kordana::analysis
