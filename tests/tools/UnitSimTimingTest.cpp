// The simulated unit's reply time, the gap it needs between requests and its saving rules.
#include "tools/unit-sim/lib/UnitSimCommandLine.h"
#include "tools/unit-sim/lib/UnitSimulator.h"

#include <gtest/gtest.h>

#include <vector>

namespace kordana {
namespace {

UnitSimOptions tickDriven(UnitSimOptions options) {
    options.monitorStepMs = 0;
    return options;
}

void send(UnitSimulator& unit, std::uint8_t command) {
    const Frame request = makeFrame(command);
    unit.receive(request);
}

TEST(UnitSimTiming, OptionsReachTheirSettings) {
    const std::vector<std::string_view> args{"--reply-ms", "12", "--min-gap-ms=30", "--save-on",
                                             "full"};
    const auto r = parseUnitSimCommandLine(args);
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->unit.replyMs, 12u);
    EXPECT_EQ(r.options->unit.minGapMs, 30u);
    EXPECT_EQ(r.options->unit.saveOn, UnitSaveRule::Full);
    const auto defaults = parseUnitSimCommandLine({});
    EXPECT_EQ(defaults.options->unit.saveOn, UnitSaveRule::Block19);
    EXPECT_EQ(defaults.options->unit.replyMs, 0u);
    EXPECT_EQ(defaults.options->unit.minGapMs, 0u);
}

TEST(UnitSimTiming, BadValuesAreRefused) {
    for (const char* bad : {"--save-on=all", "--save-on=", "--reply-ms=-1", "--min-gap-ms=x"}) {
        const std::vector<std::string_view> args{bad};
        EXPECT_FALSE(parseUnitSimCommandLine(args).options) << bad;
    }
}

TEST(UnitSimTiming, ReplyLeavesAfterTheReplyTimeOnTopOfTheDelay) {
    UnitSimOptions options;
    options.replyMs = 7;
    options.delayMs = 3;
    UnitSimulator unit(tickDriven(options));
    send(unit, kCmdMonitor);
    unit.advance(9);
    EXPECT_EQ(unit.outputWaiting(), 0u);
    unit.advance(1);
    EXPECT_EQ(unit.outputWaiting(), kFrameSize);
}

TEST(UnitSimTiming, RequestSoonerThanTheGapAfterAReplyIsNotHeard) {
    UnitSimOptions options;
    options.minGapMs = 20;
    UnitSimulator unit(tickDriven(options));
    send(unit, kCmdMonitor); // the first request is always heard
    unit.advance(19);
    send(unit, kCmdMonitor);
    EXPECT_EQ(unit.stats().tooSoon, 1u);
    unit.advance(1);
    send(unit, kCmdMonitor);
    EXPECT_EQ(unit.stats().requests, 2u);
    EXPECT_EQ(unit.outputWaiting(), 2 * kFrameSize);
}

// A run of block 0, the given blocks and block 19: does the unit save, and does it count it?
struct SaveCase {
    UnitSaveRule rule;
    std::vector<std::uint8_t> blocks; // program blocks after block 0
    bool saves;
    std::uint16_t programmings;
};

class UnitSaveRules : public ::testing::TestWithParam<SaveCase> {};

TEST_P(UnitSaveRules, SavesAndCountsAsTheRuleSays) {
    const SaveCase& c = GetParam();
    UnitSimOptions options;
    options.saveOn = c.rule;
    UnitSimulator unit(tickDriven(options));
    send(unit, 0x00);
    for (const std::uint8_t block : c.blocks) {
        send(unit, block);
    }
    EXPECT_EQ(unit.savingCount() > 0, c.saves);
    EXPECT_EQ(unit.programmingCount(), c.programmings);
}

std::vector<std::uint8_t> allBlocks() {
    std::vector<std::uint8_t> blocks;
    for (std::uint8_t n = 1; n <= 19; ++n) {
        blocks.push_back(n);
    }
    return blocks;
}

INSTANTIATE_TEST_SUITE_P(Rules, UnitSaveRules,
                         ::testing::Values(SaveCase{UnitSaveRule::Block19, {4, 19}, true, 1},
                                           SaveCase{UnitSaveRule::Block19, {4}, false, 0},
                                           SaveCase{UnitSaveRule::Block19, allBlocks(), true, 1},
                                           SaveCase{UnitSaveRule::Full, {4, 19}, false, 0},
                                           SaveCase{UnitSaveRule::Full, allBlocks(), true, 1},
                                           SaveCase{UnitSaveRule::Any, {4}, true, 0},
                                           SaveCase{UnitSaveRule::Any, {4, 19}, true, 1}));

} // namespace
} // namespace kordana
