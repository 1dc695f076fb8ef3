// The surface of a map in shown units, with the axis ranges of the 3D view; every expected
// value is worked out by hand from the stored bytes.
#include "map3d/MapSurfaceData.h"

#include "params/ImageLayout.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kordana {
namespace {

using layout::mapCell;
using layout::mapRpm;

ParameterImage mapFilledWith(std::size_t page, std::uint8_t cell) {
    ParameterImage image;
    for (std::size_t c = 0; c < 15; ++c) {
        image[mapRpm(page) + c] = static_cast<std::uint8_t>(20 + 10 * c); // 1000 .. 8000 rpm
    }
    for (std::size_t r = 0; r < 10; ++r) {
        for (std::size_t c = 0; c < 15; ++c) {
            image[mapCell(page, r, c)] = cell;
        }
    }
    return image;
}

TEST(MapSurfaceDataTest, InjectionMapInMicrosecondsOverBreakpointsAndThrottleRows) {
    ParameterImage image = mapFilledWith(4, 40); // "Jet 2A", 2000 us
    image[mapCell(4, 7, 3)] = 70;                // 3500 us at 60 %, 2500 rpm
    image[mapCell(4, 2, 14)] = 73;               // 3650 us at 5 %, 8000 rpm
    image[mapCell(3, 7, 3)] = 200;               // "Jet 1A" is another map

    const MapSurfaceData data = mapSurfaceData(image, 4);
    EXPECT_TRUE(data.injection);
    EXPECT_EQ(data.speeds[0], 1000);
    EXPECT_EQ(data.speeds[3], 2500);
    EXPECT_EQ(data.speeds[14], 8000);
    EXPECT_EQ(data.throttles, (std::array<int, 10>{0, 2, 5, 10, 20, 30, 40, 60, 80, 100}));
    EXPECT_EQ(data.values[7][3], 3500);
    EXPECT_EQ(data.values[2][14], 3650);
    EXPECT_EQ(data.values[3][7], 2000);
    EXPECT_EQ(data.speedRange, (AxisRange{1000, 8000}));
    EXPECT_EQ(data.throttleRange, (AxisRange{0, 100}));
    EXPECT_EQ(data.valueRange, (AxisRange{2000, 4000})); // 2000 .. 3650 to whole 500 us
}

TEST(MapSurfaceDataTest, IgnitionMapShowsWhatTheFieldsShow) {
    ParameterImage image = mapFilledWith(1, 12); // "Ign 2", 12 degrees
    image[mapRpm(1) + 0] = 0;                    // under 300 rpm: the field shows 300
    image[mapCell(1, 9, 14)] = 61;               // over 60 degrees: the field shows 60
    image[mapCell(1, 0, 0)] = 33;

    const MapSurfaceData data = mapSurfaceData(image, 1);
    EXPECT_FALSE(data.injection);
    EXPECT_EQ(data.speeds[0], 300);
    EXPECT_EQ(data.speeds[1], 1500);
    EXPECT_EQ(data.values[9][14], 60);
    EXPECT_EQ(data.values[0][0], 33);
    EXPECT_EQ(data.values[5][5], 12);
    EXPECT_EQ(data.speedRange, (AxisRange{300, 8000}));
    EXPECT_EQ(data.valueRange, (AxisRange{10, 60}));
}

TEST(MapSurfaceDataTest, FlatMapGetsOneTickWithinTheMapRange) {
    struct Case {
        std::size_t page;
        std::uint8_t cell;
        AxisRange expected;
    };
    const Case cases[] = {
        {0, 0, {0, 5}},           // 0 degrees: one tick up
        {2, 60, {55, 60}},        // at the ignition maximum: one tick down
        {8, 0, {0, 500}},         // 0 us
        {6, 250, {12000, 12500}}, // 12500 us, the injection maximum
        {5, 47, {2000, 2500}},    // 2350 us: no tick holds it alone
    };
    for (const Case& c : cases) {
        const MapSurfaceData data = mapSurfaceData(mapFilledWith(c.page, c.cell), c.page);
        EXPECT_EQ(data.valueRange, c.expected) << "page " << c.page << " byte " << int{c.cell};
    }
}

} // namespace
} // namespace kordana
