#include "monitor/OperatingPoint.h"

#include "params/ImageLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace kordana {
namespace {

// 20, 30, 40, ... 160 (1000 .. 8000 rpm).
constexpr std::array<std::uint8_t, 15> kTenSteps{20,  30,  40,  50,  60,  70,  80, 90,
                                                 100, 110, 120, 130, 140, 150, 160};

MonitorLiveValues atSpeed(std::uint16_t rpm, std::uint8_t throttle = 0) {
    MonitorLiveValues live;
    live.engineSpeed = rpm;
    live.throttleOpening = throttle;
    return live;
}

template <std::size_t N>
void put(ParameterImage& image, std::size_t at, const std::array<std::uint8_t, N>& values) {
    std::copy(values.begin(), values.end(), image.bytes.begin() + static_cast<long>(at));
}

TEST(OperatingPoint, SpeedIndexIsRpmOverFifty) {
    for (const auto& [rpm, r] :
         std::initializer_list<std::pair<std::uint16_t, unsigned>>{{0, 0},
                                                                   {49, 0},
                                                                   {50, 1},
                                                                   {1250, 25},
                                                                   {12750, 255},
                                                                   {12800, 256},
                                                                   {12850, 257},
                                                                   {65535, 1310}}) {
        EXPECT_EQ(speedIndex(rpm), r) << rpm;
    }
}

TEST(OperatingPoint, NearestBreakpointRuleA) {
    for (const auto& [rpm, column] : std::initializer_list<std::pair<std::uint16_t, unsigned>>{
             {1200, 0},   // R 24: nearer to 20
             {1250, 0},   // R 25: half-way takes the lower
             {1300, 1},   // R 26: nearer to 30
             {900, 0},    // below the first breakpoint
             {0, 0},      //
             {1500, 1},   // on a breakpoint
             {8000, 14},  // on the last
             {9000, 14},  // above the last
             {12750, 14}, // R 255
             {12800, 14}, // R 256: still above the last
             {13000, 14}, // R 260
             {65535, 14}, // R 1310
             {7700, 13}}) {
        EXPECT_EQ(nearestBreakpoint(kTenSteps, speedIndex(rpm)), column) << rpm;
    }
    // Half-way between 150 and 160 (R 155) takes 13, the lower.
    EXPECT_EQ(nearestBreakpoint(kTenSteps, 155), 13);
    EXPECT_EQ(nearestBreakpoint(kTenSteps, 156), 14);
}

TEST(OperatingPoint, HighSpeedsStayOnTheLastPointOfEveryCurve) {
    // The default speeds 1000, 2000, 3000, 4000, 6000, 6500, 7000, 7250 ... 9000 rpm, / 50.
    constexpr std::array<std::uint8_t, 15> kDefaultSpeeds{20,  40,  60,  80,  120, 130, 140, 145,
                                                          150, 155, 160, 165, 170, 175, 180};
    ParameterImage image;
    for (std::size_t page = 0; page < kMapPageCount; ++page) {
        put(image, layout::mapRpm(page), kDefaultSpeeds);
    }
    put(image, layout::kRpmServo, kDefaultSpeeds);
    put(image, layout::kPositionA, kDefaultSpeeds);
    put(image, layout::kPositionB, kDefaultSpeeds);
    // Default knock points 6000, 7000, 8000, 8250, 8700 rpm on each cylinder.
    put(image, layout::kRpmKnock,
        std::array<std::uint8_t, 15>{120, 140, 160, 165, 174, 120, 140, 160, 165, 174, 120, 140,
                                     160, 165, 174});
    for (const std::uint16_t rpm :
         std::initializer_list<std::uint16_t>{12750, 12800, 13000, 65535}) {
        const MonitorLiveValues live = atSpeed(rpm, 100);
        for (std::size_t page = 0; page < kMapPageCount; ++page) {
            EXPECT_EQ(mapMark(image, page, live).column, 14) << rpm << " page " << page;
        }
        EXPECT_EQ(servoPoint(image, live), 14) << rpm;
        EXPECT_EQ(positionPoint(image, false, live), 14) << rpm;
        EXPECT_EQ(positionPoint(image, true, live), 14) << rpm;
        EXPECT_EQ(knockPoints(image, live), (std::array<std::uint8_t, 3>{4, 4, 4})) << rpm;
    }
}

TEST(OperatingPoint, MapRowFromThrottle) {
    for (const auto& [throttle, row] :
         std::initializer_list<std::pair<unsigned, unsigned>>{{0, 0},
                                                              {1, 0},
                                                              {2, 1},
                                                              {3, 1},
                                                              {4, 2},
                                                              {5, 2},
                                                              {7, 2},
                                                              {8, 3},
                                                              {90, 8},
                                                              {91, 9},
                                                              {100, 9},
                                                              {101, 9},
                                                              {255, 9}}) {
        EXPECT_EQ(mapRow(static_cast<std::uint8_t>(throttle)), row) << throttle;
    }
}

TEST(OperatingPoint, MapMarkUsesThePagesBreakpoints) {
    ParameterImage image;
    for (std::size_t page = 0; page < kMapPageCount; ++page) {
        put(image, layout::mapRpm(page), kTenSteps);
    }
    std::array<std::uint8_t, 15> higher = kTenSteps;
    for (auto& b : higher) {
        b = static_cast<std::uint8_t>(b + 10);
    }
    put(image, layout::mapRpm(4), higher);

    MapMark m = mapMark(image, 0, atSpeed(1300, 3));
    EXPECT_EQ(m.column, 1);
    EXPECT_EQ(m.row, 1);
    EXPECT_TRUE(m.cellMarked);
    EXPECT_EQ(mapMark(image, 4, atSpeed(1300, 3)).column, 0); // page 4 starts at 30

    // Engine stopped: only the row label is marked.
    m = mapMark(image, 2, atSpeed(0, 4));
    EXPECT_EQ(m.row, 2);
    EXPECT_FALSE(m.cellMarked);

    // Not a map page.
    m = mapMark(image, kPagePoloha, atSpeed(5000, 100));
    EXPECT_EQ(m.column, 0);
    EXPECT_EQ(m.row, 0);
    EXPECT_FALSE(m.cellMarked);
}

TEST(OperatingPoint, TemperatureRows) {
    for (const auto& [byte, row] :
         std::initializer_list<std::pair<unsigned, unsigned>>{{0, 0},
                                                              {104, 0},
                                                              {105, 1},
                                                              {134, 1},
                                                              {135, 2},
                                                              {180, 3},
                                                              {194, 3},
                                                              {195, 4},
                                                              {224, 4},
                                                              {225, kNoTemperatureRow},
                                                              {255, kNoTemperatureRow}}) {
        EXPECT_EQ(temperatureRow(static_cast<std::uint8_t>(byte)), row) << byte;
    }
}

TEST(OperatingPoint, PressurePoint) {
    const std::array<std::uint8_t, 10> druck{90, 110, 120, 130, 140, 150, 160, 170, 180, 190};
    for (const auto& [pressure, point] :
         std::initializer_list<std::pair<unsigned, unsigned>>{{0, 0},
                                                              {900, 0},
                                                              {1000, 0},
                                                              {1001, 1},
                                                              {1100, 1},
                                                              {1150, 1},
                                                              {1151, 2},
                                                              {1900, 9},
                                                              {65535, 9}}) {
        EXPECT_EQ(pressurePoint(druck, static_cast<std::uint16_t>(pressure)), point) << pressure;
    }
}

TEST(OperatingPoint, RetardPointFollowsInletAir) {
    // 20, 30, ... 110 degC stored + 100.
    const std::array<std::uint8_t, 10> retard{120, 130, 140, 150, 160, 170, 180, 190, 200, 210};
    for (const auto& [air, point] : std::initializer_list<std::pair<unsigned, unsigned>>{
             {0, 0}, {124, 0}, {125, 1}, {134, 1}, {135, 2}, {205, 9}, {204, 8}, {255, 9}}) {
        EXPECT_EQ(retardPoint(retard, static_cast<std::uint8_t>(air)), point) << air;
    }
}

TEST(OperatingPoint, PostStartPoint) {
    const std::array<std::uint8_t, 4> choke{5, 10, 15, 20};
    for (const auto& [t, point] :
         std::initializer_list<std::pair<unsigned, unsigned>>{{0, 0},
                                                              {25, 0},
                                                              {26, 1},
                                                              {74, 1},
                                                              {75, 2},
                                                              {124, 2},
                                                              {125, 3},
                                                              {174, 3},
                                                              {175, 4},
                                                              {65535, 4}}) {
        EXPECT_EQ(postStartPoint(choke, static_cast<std::uint16_t>(t)), point) << t;
    }
}

TEST(OperatingPoint, KnockPointTakesTheHigherAtHalfWay) {
    const std::array<std::uint8_t, 5> points{20, 30, 40, 50, 60};
    for (const auto& [rpm, point] : std::initializer_list<std::pair<std::uint16_t, unsigned>>{
             {0, 0}, {1200, 0}, {1250, 1}, {1750, 2}, {2750, 4}, {5000, 4}, {12800, 4}}) {
        EXPECT_EQ(knockPoint(points, speedIndex(rpm)), point) << rpm;
    }
}

TEST(OperatingPoint, CorrectionAndKnockMarksReadTheImage) {
    ParameterImage image;
    put(image, layout::kDruck,
        std::array<std::uint8_t, 10>{90, 110, 120, 130, 140, 150, 160, 170, 180, 190});
    put(image, layout::kRetard,
        std::array<std::uint8_t, 10>{120, 130, 140, 150, 160, 170, 180, 190, 200, 210});
    put(image, layout::kChoke, std::array<std::uint8_t, 4>{5, 10, 15, 20});
    put(image, layout::kRpmKnock,
        std::array<std::uint8_t, 15>{20, 30, 40, 50, 60, 10, 20, 30, 40, 50, 40, 60, 80, 100, 120});
    MonitorLiveValues live = atSpeed(1250);
    live.pressure = 1000;
    live.coolantByte = 180; // what a coolant sensor error leaves behind
    live.airByte = 125;
    live.timeSinceStart = 75;
    const CorrectionMarks marks = correctionMarks(image, live);
    EXPECT_EQ(marks.pressureRow, 0);
    EXPECT_EQ(marks.coolantRow, 3);
    EXPECT_EQ(marks.airRow, 1);
    EXPECT_EQ(marks.retardRow, 1);
    EXPECT_EQ(marks.postStartPoint, 2);
    EXPECT_EQ(knockPoints(image, live), (std::array<std::uint8_t, 3>{1, 2, 0}));
}

TEST(OperatingPoint, FollowKeepsWhatTheActivePageDoesNotOwn) {
    ParameterImage image;
    for (std::size_t page = 0; page < kMapPageCount; ++page) {
        put(image, layout::mapRpm(page), kTenSteps);
    }
    put(image, layout::kRpmServo, kTenSteps);
    put(image, layout::kPositionA, kTenSteps);
    std::array<std::uint8_t, 15> later = kTenSteps;
    for (auto& b : later) {
        b = static_cast<std::uint8_t>(b + 20);
    }
    put(image, layout::kPositionB, later);

    OperatingPoint cursor;
    const MonitorLiveValues live = atSpeed(3000, 30); // R 60
    cursor.follow(kPageRuzne, image, live);
    cursor.follow(kPageKorekce, image, live);
    cursor.follow(kPageKnock, image, live);
    EXPECT_EQ(cursor, OperatingPoint{});

    cursor.follow(3, image, live);
    EXPECT_EQ(cursor, (OperatingPoint{.mapColumn = 4, .mapRow = 5}));
    cursor.follow(kPageServo, image, live);
    EXPECT_EQ(cursor.servoPoint, 4);
    cursor.follow(kPagePoloha, image, live);
    EXPECT_EQ(cursor.positionAPoint, 4);
    EXPECT_EQ(cursor.positionBPoint, 2);

    // Leaving the map page: its column stays where it was marked.
    cursor.follow(kPageServo, image, atSpeed(8000, 100));
    EXPECT_EQ(cursor.mapColumn, 4);
    EXPECT_EQ(cursor.mapRow, 5);
    EXPECT_EQ(cursor.servoPoint, 14);
}

} // namespace
} // namespace kordana
