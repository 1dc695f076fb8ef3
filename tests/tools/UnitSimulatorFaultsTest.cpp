#include "tools/unit-sim/lib/UnitSimulator.h"

#include "params/ImageLayout.h"
#include "tools/unit-sim/lib/UnitSimPort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

namespace kordana {
namespace {

using Data = std::array<std::uint8_t, kFrameDataSize>;

Data blockOf(const ParameterImage& image, std::size_t n) {
    Data data{};
    const auto block = image.block(n);
    std::copy(block.begin(), block.end(), data.begin());
    return data;
}

// What a unit answered to each of a run of read and monitor requests.
struct Outcome {
    std::size_t whole = 0;   // intact 102-byte replies
    std::size_t damaged = 0; // 102 bytes but failing the check
    std::size_t short_ = 0;  // fewer than 102 bytes
    std::size_t none = 0;    // nothing at all
    std::vector<std::size_t> sizes;
};

Outcome runRequests(UnitSimulator& unit, int count) {
    Outcome outcome;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t command = i % 2 == 0 ? kCmdMonitor : static_cast<std::uint8_t>(0x45);
        unit.receive(makeFrame(command));
        // Let a truncated reply's leftovers never merge with the next request's reply.
        const std::vector<std::uint8_t> out = unit.takeOutput();
        outcome.sizes.push_back(out.size());
        if (out.empty()) {
            ++outcome.none;
        } else if (out.size() < kFrameSize) {
            ++outcome.short_;
        } else {
            Frame frame{};
            std::copy_n(out.begin(), kFrameSize, frame.begin());
            ++(frameIntact(frame) ? outcome.whole : outcome.damaged);
        }
    }
    return outcome;
}

struct FaultCase {
    std::string name;
    UnitSimOptions options;
    bool anyWhole, anyDamaged, anyShort, anyNone;
};

UnitSimOptions with(void (*set)(UnitSimOptions&)) {
    UnitSimOptions options;
    set(options);
    return options;
}

TEST(UnitSimulatorFaults, EachFaultModeDamagesRepliesItsOwnWay) {
    const std::vector<FaultCase> cases = {
        {"sound", {}, true, false, false, false},
        {"silent", with([](UnitSimOptions& o) { o.silent = true; }), false, false, false, true},
        {"drop all", with([](UnitSimOptions& o) { o.dropPercent = 100; }), false, false, false,
         true},
        {"corrupt all", with([](UnitSimOptions& o) { o.corruptPercent = 100; }), false, true, false,
         false},
        {"truncate all", with([](UnitSimOptions& o) { o.truncatePercent = 100; }), false, false,
         true, false},
        {"drop some", with([](UnitSimOptions& o) { o.dropPercent = 30; }), true, false, false,
         true},
        {"corrupt some", with([](UnitSimOptions& o) { o.corruptPercent = 30; }), true, true, false,
         false},
        {"truncate some", with([](UnitSimOptions& o) { o.truncatePercent = 30; }), true, false,
         true, false},
    };
    for (const FaultCase& c : cases) {
        UnitSimulator unit(c.options);
        const Outcome o = runRequests(unit, 100);
        EXPECT_EQ(o.whole > 0, c.anyWhole) << c.name;
        EXPECT_EQ(o.damaged > 0, c.anyDamaged) << c.name;
        EXPECT_EQ(o.short_ > 0, c.anyShort) << c.name;
        EXPECT_EQ(o.none > 0, c.anyNone) << c.name;
    }
}

TEST(UnitSimulatorFaults, SharesRoughlyMatchThePercentages) {
    UnitSimOptions options;
    options.dropPercent = 25;
    UnitSimulator unit(options);
    const Outcome o = runRequests(unit, 400);
    EXPECT_GT(o.none, 60u);
    EXPECT_LT(o.none, 140u);
    EXPECT_EQ(unit.stats().dropped, o.none);
}

TEST(UnitSimulatorFaults, TheSameSeedRepeatsTheSameFaults) {
    UnitSimOptions options;
    options.dropPercent = 20;
    options.corruptPercent = 20;
    options.truncatePercent = 20;
    options.seed = 1234;
    UnitSimulator a(options);
    UnitSimulator b(options);
    options.seed = 4321;
    UnitSimulator c(options);
    const Outcome oa = runRequests(a, 100);
    EXPECT_EQ(oa.sizes, runRequests(b, 100).sizes);
    EXPECT_NE(oa.sizes, runRequests(c, 100).sizes);
}

TEST(UnitSimulatorFaults, DelayedRepliesLeaveWhenTheClockReachesThem) {
    UnitSimOptions options;
    options.delayMs = 300;
    options.monitorStepMs = 0;
    UnitSimulator unit(options);
    unit.receive(makeFrame(0x42));
    EXPECT_EQ(unit.outputWaiting(), 0u);
    EXPECT_EQ(unit.nextReleaseMs(), 300u);
    unit.advance(299);
    EXPECT_EQ(unit.outputWaiting(), 0u);
    unit.advance(1);
    EXPECT_EQ(unit.outputWaiting(), kFrameSize);
    EXPECT_FALSE(unit.nextReleaseMs().has_value());
}

TEST(UnitSimulatorFaults, OutputHandlerGetsRepliesAsTheyAreReleased) {
    UnitSimOptions options;
    options.delayMs = 100;
    UnitSimulator unit(options);
    std::vector<std::uint8_t> seen;
    unit.setOutputHandler([&seen](std::span<const std::uint8_t> bytes) {
        seen.insert(seen.end(), bytes.begin(), bytes.end());
    });
    unit.receive(makeFrame(0x43));
    EXPECT_TRUE(seen.empty());
    unit.advance(100);
    ASSERT_EQ(seen.size(), kFrameSize);
    EXPECT_EQ(seen[0], 0xC3);
    EXPECT_EQ(unit.outputWaiting(), 0u);
}

TEST(UnitSimulatorFaults, BadEchoChangesOneByteOfThatBlockOnly) {
    UnitSimOptions options;
    options.badEchoBlock = 7;
    UnitSimulator unit(options);
    const ParameterImage image = unit.memory();
    for (std::uint8_t n = 1; n < kBlockCount; ++n) {
        const Data sent = blockOf(image, n);
        unit.receive(makeFrame(n, sent));
        const std::vector<std::uint8_t> out = unit.takeOutput();
        ASSERT_EQ(out.size(), kFrameSize);
        Frame reply{};
        std::copy(out.begin(), out.end(), reply.begin());
        EXPECT_TRUE(frameIntact(reply));
        const auto differing =
            std::inner_product(sent.begin(), sent.end(), reply.begin() + 1, std::size_t{0},
                               std::plus<>(), [](std::uint8_t x, std::uint8_t y) {
                                   return x != y ? std::size_t{1} : std::size_t{0};
                               });
        EXPECT_EQ(differing, n == 7 ? 1u : 0u) << "block " << int{n};
        EXPECT_EQ(blockOf(unit.memory(), n), sent); // stored as sent all the same
    }
}

TEST(UnitSimulatorFaults, LayoutAndProgramVersionsAreReported) {
    UnitSimOptions options;
    options.layoutVersion = 50;
    options.programVersion = 49;
    UnitSimulator unit(options);
    EXPECT_EQ(unit.header()[layout::kHeaderLayoutVersion], 50);
    unit.receive(makeFrame(0x00));
    EXPECT_EQ(unit.takeOutput().at(1 + layout::kHeaderLayoutVersion), 50);
    EXPECT_EQ(unit.monitorFrame()[62], 49);
}

TEST(UnitSimulatorFaults, Byte102DiffersOnlyInReadReplies) {
    UnitSimOptions options;
    options.byte102 = 0xA5;
    UnitSimulator unit(options);
    const Data block1 = blockOf(unit.memory(), 1);
    unit.receive(makeFrame(0x41));
    const std::vector<std::uint8_t> read = unit.takeOutput();
    ASSERT_EQ(read.size(), kFrameSize);
    for (std::size_t k = 0; k < kFrameDataSize; ++k) {
        EXPECT_EQ(read[1 + k], k == 2 ? 0xA5 : block1[k]) << k;
    }
    unit.receive(makeFrame(0x01, block1));
    const std::vector<std::uint8_t> echo = unit.takeOutput();
    ASSERT_EQ(echo.size(), kFrameSize);
    EXPECT_TRUE(std::equal(block1.begin(), block1.end(), echo.begin() + 1));
}

TEST(UnitSimPort, CarriesFramesBothWays) {
    UnitSimOptions options;
    options.delayMs = 55;
    UnitSimulator unit(options);
    UnitSimPort port(unit);
    const Frame request = makeFrame(0x44);
    EXPECT_TRUE(port.write(request));
    EXPECT_EQ(port.sent().size(), kFrameSize);
    EXPECT_EQ(port.bytesWaiting(), 0u);
    unit.advance(55);
    EXPECT_EQ(port.bytesWaiting(), kFrameSize);
    std::array<std::uint8_t, 60> part{};
    EXPECT_EQ(port.read(part), 60u);
    EXPECT_EQ(part[0], 0xC4);
    EXPECT_EQ(port.bytesWaiting(), 42u);

    port.setConnected(false);
    EXPECT_FALSE(port.write(request));
    unit.advance(100);
    std::array<std::uint8_t, 200> rest{};
    EXPECT_EQ(port.read(rest), 42u);
    EXPECT_EQ(port.bytesWaiting(), 0u);
}

} // namespace
} // namespace kordana
