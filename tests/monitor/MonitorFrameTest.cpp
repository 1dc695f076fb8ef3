#include "monitor/MonitorFrame.h"
#include "monitor/MonitorLiveValues.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kordana {
namespace {

// A frame as the unit lays it out, built byte by byte so the decoder is checked against
// positions written down independently of its own layout table.
Frame handBuiltFrame() {
    Frame b{};
    b[0] = 0xB0;
    for (std::size_t i = 1; i <= 100; ++i) {
        b[i] = static_cast<std::uint8_t>(i); // each byte holds its own position
    }
    b[101] = frameCheckByte(std::span<const std::uint8_t, kFrameSize - 1>(b.data(), 101));
    return b;
}

// Little-endian value of the byte pair starting at position lo, when each byte holds its position.
constexpr std::uint16_t pairAt(unsigned lo) {
    return static_cast<std::uint16_t>(lo | ((lo + 1) << 8));
}

TEST(MonitorFrame, DecodesEveryFieldFromItsPosition) {
    const auto f = decodeMonitorFrame(handBuiltFrame());
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->engineSpeed, pairAt(1));
    EXPECT_EQ(f->pressureRaw, pairAt(3));
    EXPECT_EQ(f->pressure, pairAt(5));
    EXPECT_EQ(f->savingCount, pairAt(7));
    EXPECT_EQ(f->throttleRaw, pairAt(9));
    EXPECT_EQ(f->lambdaRaw, pairAt(11));
    EXPECT_EQ(f->coolantRaw, pairAt(13));
    EXPECT_EQ(f->airRaw, pairAt(15));
    EXPECT_EQ(f->supplyRaw, pairAt(17));
    // Channels 1A, 1B, 2A, 2B lie together; 3A and 3B come much later in the frame.
    const std::array<unsigned, 6> jetAt{19, 21, 23, 25, 77, 79};
    for (std::size_t j = 0; j < 6; ++j) {
        EXPECT_EQ(f->injectionTime[j], pairAt(jetAt[j])) << "channel " << j;
    }
    EXPECT_EQ(f->servoMeasuredRaw, pairAt(27));
    EXPECT_EQ(f->servoDesiredRaw, pairAt(29));
    EXPECT_EQ(f->programmingCount, pairAt(31));
    for (unsigned t = 0; t < 8; ++t) {
        EXPECT_EQ(f->testValue[t], pairAt(33 + 2 * t)) << "test " << t + 1;
    }
    EXPECT_EQ(f->timeSinceStart, pairAt(49));
    EXPECT_EQ(f->throttleOpening, 51);
    EXPECT_EQ(f->coolantByte, 53);
    EXPECT_EQ(f->airByte, 54);
    EXPECT_EQ(f->startLimiter, 55);
    EXPECT_EQ(f->speedFlagA, 56);
    EXPECT_EQ(f->speedFlagB, 57);
    EXPECT_EQ(f->powerOut, (std::array<std::uint8_t, 3>{59, 60, 61}));
    EXPECT_EQ(f->version, 62);
    EXPECT_EQ(f->servoInOrder, 63);
    EXPECT_EQ(f->dataError, 64);
    EXPECT_EQ(f->tachoLambda, 65);
    EXPECT_EQ(f->oilPressureError, 66);
    EXPECT_EQ(f->knockAlarm, (std::array<std::uint8_t, 3>{67, 68, 69}));
    EXPECT_EQ(f->coolantWarning, 70);
    EXPECT_EQ(f->advance, (std::array<std::uint16_t, 3>{pairAt(71), pairAt(73), pairAt(75)}));
    EXPECT_EQ(f->positionA, pairAt(81));
    EXPECT_EQ(f->positionB, pairAt(83));
    EXPECT_EQ(f->coolantCorrection, pairAt(85));
    EXPECT_EQ(f->airCorrection, pairAt(87));
    EXPECT_EQ(f->pressureCorrection, pairAt(89));
    EXPECT_EQ(f->startCorrection, pairAt(91));
    EXPECT_EQ(f->voltageCorrection, pairAt(93));
    EXPECT_EQ(f->knockRaw, (std::array<std::uint16_t, 3>{pairAt(95), pairAt(97), pairAt(99)}));
}

TEST(MonitorFrame, EncodeLaysOutWhatDecodeReads) {
    const Frame original = handBuiltFrame();
    const auto f = decodeMonitorFrame(original);
    ASSERT_TRUE(f.has_value());
    const Frame again = encodeMonitorFrame(*f);
    // Bytes 52 and 58 are unused and not carried; every other byte comes back.
    for (std::size_t i = 0; i < 101; ++i) {
        if (i != 52 && i != 58) {
            EXPECT_EQ(again[i], original[i]) << "byte " << i;
        }
    }
    EXPECT_TRUE(frameIntact(again));
    EXPECT_EQ(decodeMonitorFrame(again), f);
}

TEST(MonitorFrame, RejectsDamagedFrames) {
    Frame bad = handBuiltFrame();
    bad[101] = static_cast<std::uint8_t>(bad[101] ^ 0x01);
    EXPECT_FALSE(decodeMonitorFrame(bad).has_value());

    Frame flipped = handBuiltFrame();
    flipped[40] = static_cast<std::uint8_t>(flipped[40] ^ 0x80);
    EXPECT_FALSE(decodeMonitorFrame(flipped).has_value());
}

TEST(MonitorFrame, AcceptsOnlyRepliesWhoseUpperNibbleIsB) {
    for (unsigned command : {0x30u, 0x80u, 0xA0u, 0xC0u, 0xF0u, 0xB0u, 0xB7u}) {
        MonitorFrame f;
        f.command = static_cast<std::uint8_t>(command);
        const Frame bytes = encodeMonitorFrame(f); // intact, whatever the command
        EXPECT_EQ(decodeMonitorFrame(bytes).has_value(), (command >> 4) == 0xBu)
            << std::hex << command;
    }
}

TEST(MonitorFrame, RawToMillivoltsTruncates) {
    EXPECT_EQ(rawToMillivolts(0), 0u);
    EXPECT_EQ(rawToMillivolts(204), 997u);
    EXPECT_EQ(rawToMillivolts(205), 1001u);
    EXPECT_EQ(rawToMillivolts(1023), 5000u);
    EXPECT_EQ(rawToMillivolts(65535), 320307u); // no 16-bit wrap on a wild reading
}

TEST(MonitorLiveValues, TakesTheFrameValues) {
    MonitorFrame f;
    f.engineSpeed = 6500;
    f.throttleOpening = 42;
    f.throttleRaw = 205;
    f.lambdaRaw = 143;
    f.pressure = 1013;
    f.coolantByte = 185;
    f.airByte = 120;
    f.timeSinceStart = 77;
    f.savingCount = 951;
    f.programmingCount = 12;
    const MonitorLiveValues live = liveValuesOf(f);
    EXPECT_EQ(live.engineSpeed, 6500);
    EXPECT_EQ(live.throttleOpening, 42);
    EXPECT_EQ(live.throttleMv, 1001);
    EXPECT_EQ(live.lambdaMv, 698);
    EXPECT_EQ(live.pressure, 1013);
    EXPECT_EQ(live.coolantByte, 185);
    EXPECT_EQ(live.airByte, 120);
    EXPECT_EQ(live.timeSinceStart, 77);
    EXPECT_EQ(live.savingCount, 951);
    EXPECT_EQ(live.programmingCount, 12);
}

TEST(MonitorLiveValues, SensorErrors) {
    MonitorFrame f;
    f.coolantByte = 0;
    f.airByte = 0;
    f.throttleRaw = 65535;
    const MonitorLiveValues live = liveValuesOf(f);
    EXPECT_EQ(live.coolantByte, 180); // 80 degC, so the cursor still marks a sensible row
    EXPECT_EQ(live.airByte, 0);
    EXPECT_EQ(live.throttleMv, 65535); // saturates instead of wrapping
}

} // namespace
} // namespace kordana
