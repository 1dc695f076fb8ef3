#include "tools/unit-sim/lib/UnitSimulator.h"

#include "link/UnitHeader.h"
#include "params/ConsistencyPass.h"
#include "params/ImageLayout.h"
#include "tools/unit-sim/lib/UnitMemory.h"
#include "tools/unit-sim/lib/UnitMonitor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kordana {
namespace {

using Data = std::array<std::uint8_t, kFrameDataSize>;

// Sends one request and returns everything the unit released in answer.
std::vector<std::uint8_t> ask(UnitSimulator& unit, const Frame& request) {
    unit.receive(request);
    return unit.takeOutput();
}

Frame asFrame(const std::vector<std::uint8_t>& bytes) {
    Frame frame{};
    EXPECT_EQ(bytes.size(), kFrameSize);
    std::copy_n(bytes.begin(), std::min(bytes.size(), kFrameSize), frame.begin());
    return frame;
}

Data dataOf(const Frame& frame) {
    Data data{};
    std::copy_n(frame.begin() + 1, kFrameDataSize, data.begin());
    return data;
}

Data blockOf(const ParameterImage& image, std::size_t n) {
    Data data{};
    const auto block = image.block(n);
    std::copy(block.begin(), block.end(), data.begin());
    return data;
}

Data patternData(std::uint8_t seed) {
    Data data{};
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(seed + 7 * i);
    }
    return data;
}

unsigned word(const Frame& frame, std::size_t at) {
    return frame[at] | (frame[at + 1] << 8);
}

// Program blocks 0..19 with the unit's own parameters, as a programming run does.
void programRun(UnitSimulator& unit) {
    const ParameterImage image = unit.memory();
    for (std::size_t n = 0; n < kBlockCount; ++n) {
        ask(unit, makeFrame(static_cast<std::uint8_t>(n), blockOf(image, n)));
    }
}

TEST(UnitSimulatorMemory, HeaderCarriesIdentityPermissionAndLayoutVersion) {
    UnitSimulator unit;
    const auto header = unit.header();
    const UnitHeaderTexts texts = DecodeUnitHeader(header);
    EXPECT_EQ(texts.version, "KRD07");
    EXPECT_EQ(texts.date, " 7. 5.2006");
    EXPECT_EQ(texts.time, "14:30");
    EXPECT_EQ(header[layout::kHeaderReadPermission], 1);
    EXPECT_EQ(header[layout::kHeaderLayoutVersion], 51);

    UnitSimOptions options;
    options.identity.text = "Kordana test unit, 3 cylinders and more text";
    options.identity.month = 11;
    UnitSimulator texted(options);
    const UnitHeaderTexts withText = DecodeUnitHeader(texted.header());
    EXPECT_EQ(withText.version, "Kordana test unit, 3 cylinders");
    EXPECT_EQ(withText.date, " 7.11.2006");
}

TEST(UnitSimulatorMemory, MonthCodesMatchTheUnitTable) {
    const std::array<std::uint8_t, 12> codes = {25, 13, 32, 35, 39, 45, 43, 29, 40, 38, 51, 12};
    for (unsigned month = 1; month <= 12; ++month) {
        EXPECT_EQ(unitMonthCode(month), codes[month - 1]) << month;
    }
    EXPECT_EQ(unitMonthCode(0), 0);
    EXPECT_EQ(unitMonthCode(13), 0);
}

TEST(UnitSimulatorMemory, StoredParametersAlreadySatisfyTheConsistencyPass) {
    // A read followed by the consistency pass must not change anything, or the verify after
    // every read from the simulator would fail.
    const UnitSimulator unit;
    ParameterImage repaired = unit.memory();
    runConsistencyPass(repaired);
    for (std::size_t i = 100; i < kImageSize; ++i) {
        ASSERT_EQ(repaired[i], unit.memory()[i]) << "image byte " << i;
    }
    EXPECT_EQ(unit.memory()[layout::kNoReading], 0);
    EXPECT_EQ(unit.memory()[layout::mapRpm(0)] * 50, 1000);
    EXPECT_EQ(unit.memory()[layout::mapRpm(8) + 14] * 50, 9000);
}

TEST(UnitSimulatorCommands, ProgramBlockStoresAndEchoesIt) {
    for (std::uint8_t n = 1; n < kBlockCount; ++n) {
        UnitSimulator unit;
        const Data sent = patternData(n);
        const Frame reply = asFrame(ask(unit, makeFrame(n, sent)));
        EXPECT_TRUE(frameIntact(reply));
        EXPECT_EQ(reply[0], 0x80 + n);
        EXPECT_EQ(dataOf(reply), sent);
        EXPECT_EQ(blockOf(unit.memory(), n), sent);
    }
}

TEST(UnitSimulatorCommands, ProgramBlockZeroKeepsTheUnitsHeader) {
    UnitSimulator unit;
    const auto header = unit.header();
    const Frame reply = asFrame(ask(unit, makeFrame(0x00, patternData(3))));
    EXPECT_TRUE(frameIntact(reply));
    EXPECT_EQ(reply[0], 0x80);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), reply.begin() + 1));
    EXPECT_EQ(unit.header(), header);
}

TEST(UnitSimulatorCommands, ReadAnswersEveryBlockWhateverDataComes) {
    UnitSimulator unit;
    for (std::uint8_t n = 0; n < kBlockCount; ++n) {
        const Data expected = n == 0 ? Data(unit.header()) : blockOf(unit.memory(), n);
        for (const Data& sent : {Data{}, patternData(n)}) {
            const Frame reply =
                asFrame(ask(unit, makeFrame(static_cast<std::uint8_t>(0x40 + n), sent)));
            EXPECT_TRUE(frameIntact(reply));
            EXPECT_EQ(reply[0], 0xC0 + n);
            EXPECT_EQ(dataOf(reply), expected) << "block " << int{n};
        }
    }
}

TEST(UnitSimulatorCommands, DamagedOrUnknownRequestsGetNoReply) {
    UnitSimulator unit;
    Frame damaged = makeFrame(0x41);
    damaged[101] = static_cast<std::uint8_t>(damaged[101] ^ 0x10);
    Frame flipped = makeFrame(kCmdMonitor);
    flipped[40] = 1;
    for (const Frame& request : {damaged, flipped, makeFrame(0x14), makeFrame(0x54),
                                 makeFrame(0x20), makeFrame(0x80), makeFrame(0xB0)}) {
        EXPECT_TRUE(ask(unit, request).empty()) << int{request[0]};
    }
    EXPECT_EQ(unit.stats().rejected, 7u);
    EXPECT_EQ(unit.stats().requests, 0u);
}

TEST(UnitSimulatorFraming, RequestsAreFramedFromAByteStream) {
    UnitSimulator unit;
    const Frame first = makeFrame(0x41);
    const Frame second = makeFrame(kCmdMonitor);
    std::vector<std::uint8_t> stream(first.begin(), first.end());
    stream.insert(stream.end(), second.begin(), second.end());
    // Odd chunk sizes, all at the same clock time.
    for (std::size_t at = 0; at < stream.size(); at += 13) {
        const std::size_t count = std::min<std::size_t>(13, stream.size() - at);
        unit.receive(std::span<const std::uint8_t>(stream.data() + at, count));
    }
    const std::vector<std::uint8_t> out = unit.takeOutput();
    ASSERT_EQ(out.size(), 2 * kFrameSize);
    EXPECT_EQ(out[0], 0xC1);
    EXPECT_EQ(out[kFrameSize], 0xB0);
}

TEST(UnitSimulatorFraming, ARequestSplitAfterAMonitorRequestIsKept) {
    UnitSimulator unit; // each monitor request moves the clock by 330 ms
    const Frame monitor = makeFrame(kCmdMonitor);
    const Frame read = makeFrame(0x47);
    std::vector<std::uint8_t> chunk(monitor.begin(), monitor.end());
    chunk.insert(chunk.end(), read.begin(), read.begin() + 50);
    unit.receive(chunk);
    unit.receive(std::span<const std::uint8_t>(read.data() + 50, kFrameSize - 50));
    const std::vector<std::uint8_t> out = unit.takeOutput();
    ASSERT_EQ(out.size(), 2 * kFrameSize);
    EXPECT_EQ(out[kFrameSize], 0xC7);
}

TEST(UnitSimulatorFraming, AStalledPartialRequestIsDroppedSoFramingRecovers) {
    UnitSimulator unit;
    const Frame request = makeFrame(0x42);
    unit.receive(std::span<const std::uint8_t>(request.data(), 40));
    unit.advance(unit.options().interByteGapMs);
    EXPECT_EQ(ask(unit, request).size(), kFrameSize);
    EXPECT_EQ(unit.stats().discardedBytes, 40u);
}

TEST(UnitSimulatorMonitor, FramesAreIntactPlausibleAndMoving) {
    UnitSimulator unit;
    std::vector<unsigned> speeds;
    for (int i = 0; i < 200; ++i) {
        const Frame frame = asFrame(ask(unit, makeFrame(kCmdMonitor)));
        ASSERT_TRUE(frameIntact(frame));
        ASSERT_EQ(frame[0], 0xB0);
        const unsigned rpm = word(frame, 1);
        EXPECT_GE(rpm, 800u);
        EXPECT_LE(rpm, 9000u);
        EXPECT_LE(frame[51], 100);
        EXPECT_EQ(frame[53], 180);
        EXPECT_EQ(frame[54], 125);
        EXPECT_EQ(frame[62], 51);
        const unsigned lambdaMv = word(frame, 11) * 5000 / 1023;
        EXPECT_GE(lambdaMv, 395u);
        EXPECT_LE(lambdaMv, 1000u);
        const unsigned supplyMv = word(frame, 17) * 5000 / 1023 * 11;
        EXPECT_GT(supplyMv, 13000u);
        EXPECT_LT(supplyMv, 14000u);
        EXPECT_GE(word(frame, 3), 105u);
        EXPECT_LE(word(frame, 3), 1006u);
        EXPECT_NEAR(word(frame, 5), 1000.0, 20.0);
        EXPECT_GE(word(frame, 71), 1400u); // advance 14..39 degrees in 0.01 degree
        EXPECT_LE(word(frame, 71), 3900u);
        EXPECT_GT(word(frame, 19), 0u);
        EXPECT_EQ(word(frame, 7), 0u); // not saving
        speeds.push_back(rpm);
    }
    // 200 requests at 330 ms span more than one 40 s sweep: the whole range is visited.
    EXPECT_EQ(*std::min_element(speeds.begin(), speeds.end()) < 1000, true);
    EXPECT_EQ(*std::max_element(speeds.begin(), speeds.end()) > 8800, true);
}

TEST(UnitSimulatorMonitor, SweepCoversSpeedAndThrottleRanges) {
    EXPECT_EQ(sweepRpm(0), 800);
    EXPECT_EQ(sweepRpm(20000), 9000);
    EXPECT_EQ(sweepThrottle(0), 0);
    EXPECT_EQ(sweepThrottle(7000), 100);
    EXPECT_EQ(sweepRpm(40000), 800);
}

TEST(UnitSimulatorMonitor, MapValuesFollowTheStoredParameters) {
    UnitSimulator unit;
    // Make every ignition 1 cell 25 degrees and every JET_1A cell 2000 us.
    for (std::size_t cell = 0; cell < 150; ++cell) {
        unit.memory()[layout::mapCells(0) + cell] = 25;
        unit.memory()[layout::mapCells(3) + cell] = 40;
    }
    const Frame frame = unit.monitorFrame();
    EXPECT_EQ(word(frame, 71), 2500u);
    EXPECT_EQ(word(frame, 19), 2000u);
}

TEST(UnitSimulatorMonitor, SavingCountFallsAfterAProgrammingRunAndRunsAreCounted) {
    UnitSimOptions options;
    options.identity.programmings = 41;
    options.savingMs = 3000;
    UnitSimulator unit(options);
    EXPECT_EQ(word(unit.monitorFrame(), 31), 41u);
    programRun(unit);
    EXPECT_EQ(unit.programmingCount(), 42);
    EXPECT_EQ(unit.savingCount(), 1903);
    std::vector<unsigned> counts;
    for (int i = 0; i < 12; ++i) {
        const Frame frame = asFrame(ask(unit, makeFrame(kCmdMonitor)));
        EXPECT_EQ(word(frame, 31), 42u);
        counts.push_back(word(frame, 7));
    }
    EXPECT_TRUE(std::is_sorted(counts.rbegin(), counts.rend()));
    EXPECT_LT(counts.front(), 1903u);
    EXPECT_GT(counts.front(), 1500u);
    EXPECT_EQ(counts.back(), 0u);

    // A repeated block 19 (its echo was lost) does not count a second run.
    const ParameterImage image = unit.memory();
    ask(unit, makeFrame(0x13, blockOf(image, 19)));
    EXPECT_EQ(unit.programmingCount(), 42);
    EXPECT_EQ(unit.savingCount(), 0);
}

TEST(UnitSimulatorMemory, ReadPermissionFollowsStoredNoReading) {
    UnitSimulator unit;
    Data block1 = blockOf(unit.memory(), 1);
    block1[layout::kNoReading - 100] = 1;
    ask(unit, makeFrame(0x01, block1));
    EXPECT_EQ(unit.header()[layout::kHeaderReadPermission], 0);
    const Frame header = asFrame(ask(unit, makeFrame(0x40)));
    EXPECT_EQ(header[1 + layout::kHeaderReadPermission], 0);

    block1[layout::kNoReading - 100] = 0;
    ask(unit, makeFrame(0x01, block1));
    EXPECT_EQ(unit.header()[layout::kHeaderReadPermission], 1);

    UnitSimOptions options;
    options.readProtect = true;
    UnitSimulator guarded(options);
    EXPECT_EQ(guarded.memory()[layout::kNoReading], 0);
    EXPECT_EQ(guarded.header()[layout::kHeaderReadPermission], 0);
}

} // namespace
} // namespace kordana
