// The bulk tools' commands: map steps with their coupling, curve steps with their limits, and
// the throttle calibration windows. Every image is built by hand; expected values follow from
// the stored steps (1 degree, 50 us, 5 degrees, 20 mV, 10 mV).
#include "session/EditSession.h"

#include "params/ImageLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace kordana {
namespace {

using layout::mapCell;
using layout::mapCells;
using Expected = std::map<std::size_t, std::uint8_t>;

std::map<std::size_t, std::uint8_t> changedBytes(const EditSession& session,
                                                 const ChangeSet& changes) {
    std::map<std::size_t, std::uint8_t> changed;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        if (changes.bytes[i]) {
            changed[i] = session.image()[i];
        }
    }
    return changed;
}

// An image the consistency pass leaves as it is: increasing breakpoints, every map cell 40,
// the three ignition maps' cell (2, 3) at 20, 30 and 58, "Jet 1A" cell (0, 0) and "Jet 2A"
// cell (9, 14) at 250, every position angle 100 and servo voltage 100.
ParameterImage toolImage(std::uint8_t ignitionMode, std::uint8_t injectionMode) {
    ParameterImage image;
    for (std::size_t page = 0; page < kMapPageCount; ++page) {
        for (std::size_t c = 0; c < layout::kMapCols; ++c) {
            image[layout::mapRpm(page) + c] = static_cast<std::uint8_t>(20 + 10 * c);
        }
        for (std::size_t i = 0; i < 150; ++i) {
            image[mapCells(page) + i] = 40;
        }
    }
    for (std::size_t c = 0; c < 15; ++c) {
        for (std::size_t row : {layout::kRpmServo, layout::kPositionA, layout::kPositionB}) {
            image[row + c] = static_cast<std::uint8_t>(20 + 10 * c);
        }
        image[layout::kRpmKnock + c] = static_cast<std::uint8_t>(20 + 10 * c);
        image[layout::kPositionA + 15 + c] = 100;
        image[layout::kPositionB + 15 + c] = 100;
        image[layout::kVoltServo + c] = 100;
    }
    image[mapCell(0, 2, 3)] = 20;
    image[mapCell(1, 2, 3)] = 30;
    image[mapCell(2, 2, 3)] = 58;
    image[mapCell(3, 0, 0)] = 250;
    image[mapCell(4, 9, 14)] = 250;
    image[layout::kMode] = ignitionMode;
    image[layout::kMode + 1] = injectionMode;
    return image;
}

class BulkToolsTest : public ::testing::Test {
protected:
    void start(std::uint8_t ignitionMode, std::uint8_t injectionMode) {
        session.restore(toolImage(ignitionMode, injectionMode), AllFlags{});
        ASSERT_FALSE(session.runConsistencyPass().any()) << "the hand-made image is repaired";
    }
    EditSession session;
};

TEST_F(BulkToolsTest, MapStepsFollowTheCouplingMode) {
    Expected jetAllUp; // "Jet 1A" with All, Coupled: 450 cells up one, except those at 250
    for (std::size_t page = 3; page <= 5; ++page) {
        for (std::size_t i = 0; i < 150; ++i) {
            jetAllUp[mapCells(page) + i] = 41;
        }
    }
    jetAllUp.erase(mapCell(3, 0, 0));
    jetAllUp.erase(mapCell(4, 9, 14));
    jetAllUp[mapCell(4, 0, 0)] = 41; // the sibling moves on its own limit
    Expected ignAllUp; // "Ign 1" with All, Separate: its own 150 cells, capped at 60 after
    for (std::size_t i = 0; i < 150; ++i) {
        ignAllUp[mapCells(0) + i] = 41;
    }
    ignAllUp[mapCell(0, 2, 3)] = 21;

    const struct {
        const char* name;
        std::uint8_t ignitionMode, injectionMode;
        int page;
        bool wholeMap;
        std::size_t row, column;
        int direction;
        Expected changed;
    } cases[] = {
        {"Jet 1A, All, Coupled, +", 0, 1, 3, true, 0, 0, +1, jetAllUp},
        {"Ign 1, All, Separate, +", 0, 0, 0, true, 5, 5, +1, ignAllUp},
        {"Ign 2, Separate, -", 0, 1, 1, false, 2, 3, -1, {{mapCell(1, 2, 3), 29}}},
        {"Ign 2, Coupled, -", 1, 1, 1, false, 2, 3, -1, {{mapCell(1, 2, 3), 29}}},
        {"Ign 2, 1=2=3, -", 2, 1, 1, false, 2, 3, -1, {{mapCell(1, 2, 3), 29}}},
        {"Ign 1, Coupled, +: 58 steps to 59",
         1,
         0,
         0,
         false,
         2,
         3,
         +1,
         {{mapCell(0, 2, 3), 21}, {mapCell(1, 2, 3), 31}, {mapCell(2, 2, 3), 59}}},
        {"Ign 1, 1=2=3, -: copied",
         2,
         0,
         0,
         false,
         2,
         3,
         -1,
         {{mapCell(0, 2, 3), 19}, {mapCell(1, 2, 3), 19}, {mapCell(2, 2, 3), 19}}},
        {"Jet 1A at 250, +: nothing", 0, 0, 3, false, 0, 0, +1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        start(c.ignitionMode, c.injectionMode);
        const ChangeSet changes = session.stepMap(c.page, c.wholeMap, c.row, c.column, c.direction);
        EXPECT_EQ(changedBytes(session, changes), c.changed);
    }
}

TEST_F(BulkToolsTest, CurveStepsStopAtTheirLimits) {
    const std::size_t a = layout::kPositionA + 15;
    const std::size_t b = layout::kPositionB + 15;
    const std::size_t v = layout::kVoltServo;
    Expected allAUp;
    for (std::size_t i = 0; i < 15; ++i) {
        allAUp[a + i] = 101;
    }
    allAUp.erase(a + 3); // already at 720 degrees
    allAUp[a + 4] = 1;   // from 0 degrees
    Expected allServoDown;
    for (std::size_t i = 0; i < 15; ++i) {
        allServoDown[v + i] = 99;
    }
    allServoDown.erase(v);     // 20 mV is the lowest voltage
    allServoDown[v + 1] = 248; // from 4980 mV

    const struct {
        const char* name;
        bulk::Curve curve;
        bool whole;
        std::size_t point;
        int direction;
        Expected changed;
    } cases[] = {
        {"Position A point 3 at 720 degrees, +", bulk::Curve::PositionA, false, 3, +1, {}},
        {"Position A point 4 at 0 degrees, -", bulk::Curve::PositionA, false, 4, -1, {}},
        {"Position B point 2, +", bulk::Curve::PositionB, false, 2, +1, {{b + 2, 101}}},
        {"Position A, All, +", bulk::Curve::PositionA, true, 0, +1, allAUp},
        {"Servo point 0 at 20 mV, +", bulk::Curve::Servo, false, 0, +1, {{v, 2}}},
        {"Servo point 1 at 4980 mV, +", bulk::Curve::Servo, false, 1, +1, {}},
        {"Servo, All, -", bulk::Curve::Servo, true, 7, -1, allServoDown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ParameterImage image = toolImage(0, 0);
        image[a + 3] = 144;
        image[a + 4] = 0;
        image[v] = 1;
        image[v + 1] = 249;
        session.restore(image, AllFlags{});
        const ChangeSet changes = session.stepCurve(c.curve, c.whole, c.point, c.direction);
        EXPECT_EQ(changedBytes(session, changes), c.changed);
    }
}

TEST_F(BulkToolsTest, ThrottleCalibrationTakesOnlyItsVoltageWindow) {
    const struct {
        bool full; // TPS 100 % (else TPS 0 %)
        std::uint16_t millivolts;
        int stored; // -1: refused, the byte keeps 77
    } cases[] = {
        {false, 299, -1},  {false, 300, 30},  {false, 1234, 123}, {false, 2500, 250},
        {false, 2501, -1}, {true, 2499, -1},  {true, 2500, 0},    {true, 2509, 0},
        {true, 2510, 1},   {true, 4900, 240}, {true, 4901, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.millivolts) + (c.full ? " mV, 100 %" : " mV, 0 %"));
        ParameterImage image = toolImage(0, 0);
        image[layout::kTps] = 77;
        image[layout::kTps + 1] = 77;
        session.restore(image, AllFlags{});
        const std::size_t index = layout::kTps + (c.full ? 1u : 0u);
        const std::optional<ChangeSet> changes =
            c.full ? session.calibrateTps100(c.millivolts) : session.calibrateTps0(c.millivolts);
        EXPECT_EQ(changes.has_value(), c.stored >= 0);
        EXPECT_EQ(session.image()[index], c.stored >= 0 ? c.stored : 77);
        EXPECT_EQ(session.image()[layout::kTps + (c.full ? 0u : 1u)], 77) << "the other end";
    }
}

} // namespace
} // namespace kordana
