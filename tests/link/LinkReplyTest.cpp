// How replies are judged: the RPM2 exemption, the header checks, and a read reaching the image
// only as a whole.
#include "LinkFixture.h"

#include <algorithm>

namespace kordana::test {
namespace {

using ReplyTest = LinkFixture;

void bumpByte(TestUnit& unit, std::uint8_t reply, std::size_t imageIndex) {
    unit.alter = [reply, imageIndex](std::uint8_t r, std::span<std::uint8_t, kFrameDataSize> d) {
        if (r == reply) {
            d[imageIndex % kBlockSize] = static_cast<std::uint8_t>(d[imageIndex % kBlockSize] + 1);
        }
    };
}

std::size_t count(const std::vector<std::uint8_t>& commands, std::uint8_t c) {
    return static_cast<std::size_t>(std::count(commands.begin(), commands.end(), c));
}

struct CompareCase {
    const char* name;
    bool program; // otherwise a verify
    std::uint8_t reply;
    std::size_t imageIndex;
    bool succeeds;
};

class ReplyComparison : public LinkFixture, public ::testing::WithParamInterface<CompareCase> {};

TEST_P(ReplyComparison, OnlyRpm2IsExemptAndOnlyInVerify) {
    const CompareCase& c = GetParam();
    const ParameterImage header = unit.memory;
    unit.memory = image;
    std::copy_n(header.bytes.begin(), kBlockSize, unit.memory.bytes.begin());
    bumpByte(unit, c.reply, c.imageIndex);
    if (c.program) {
        link.startProgram();
    } else {
        link.startVerify();
    }
    runToIdle();
    EXPECT_EQ(events.shown.ok, c.succeeds);
    if (!c.succeeds) {
        EXPECT_EQ(events.shown.colour, StatusColour::Red);
        EXPECT_EQ(count(port.blockCommands(), static_cast<std::uint8_t>(c.reply ^ 0x80u)), 5u);
        EXPECT_FALSE(events.shown.noConnection) << "a differing reply is still an answer";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ReplyComparison,
    ::testing::Values(CompareCase{"VerifyRpm2", false, 0xC1, layout::kRpm2, true},
                      CompareCase{"VerifyLimiter", false, 0xC1, layout::kLimiter, false},
                      CompareCase{"VerifyNoReading", false, 0xC1, layout::kNoReading, false},
                      CompareCase{"VerifyLastByte", false, 0xD3, 1999, false},
                      CompareCase{"ProgramEchoRpm2", true, 0x81, layout::kRpm2, false},
                      CompareCase{"ProgramEchoFirst", true, 0x81, 100, false},
                      CompareCase{"ProgramHeaderNotCompared", true, 0x80, 50, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReplyTest, Version50StopsProgrammingAfterBlock0) {
    unit.memory[layout::kHeaderLayoutVersion] = 50;
    const ParameterImage unitBefore = unit.memory;
    LinkMode modeAtBox = LinkMode::Program;
    int changesAtBox = -1;
    events.onUnmatched = [&] {
        modeAtBox = link.mode();
        changesAtBox = events.imageChanges;
    };
    link.startProgram();
    tick(60);
    EXPECT_EQ(port.blockCommands(), std::vector<std::uint8_t>{0x00});
    EXPECT_EQ(events.unmatched, 1);
    EXPECT_EQ(modeAtBox, LinkMode::Idle);
    EXPECT_EQ(changesAtBox, 1) << "image repaired before the box";
    EXPECT_EQ(image[layout::kHeaderLayoutVersion], 50) << "the unit's header is adopted";
    EXPECT_EQ(unit.memory, unitBefore) << "no parameter block written";
    EXPECT_EQ(events.headers.size(), 1u);
}

TEST_F(ReplyTest, Version50StopsReadingAfterBlock0) {
    unit.memory[layout::kHeaderLayoutVersion] = 50;
    const auto params = parameters(image);
    link.startRead();
    tick(60);
    EXPECT_EQ(port.blockCommands(), std::vector<std::uint8_t>{0x40});
    EXPECT_EQ(events.unmatched, 1);
    EXPECT_EQ(events.imageChanges, 1);
    EXPECT_EQ(parameters(image), params);
}

TEST_F(ReplyTest, ReadProtectedUnitGivesNoReadingAfterOneExchange) {
    unit.memory[layout::kHeaderReadPermission] = 0;
    const auto params = parameters(image);
    link.startRead();
    tick(60);
    EXPECT_EQ(port.blockCommands(), std::vector<std::uint8_t>{0x40});
    EXPECT_EQ(link.mode(), LinkMode::Idle);
    EXPECT_EQ(events.shown.message, LinkMessage::NoReading);
    EXPECT_EQ(events.shown.colour, StatusColour::Red);
    EXPECT_EQ(events.unmatched, 0);
    EXPECT_EQ(parameters(image), params);
    EXPECT_TRUE(
        std::equal(image.bytes.begin(), image.bytes.begin() + 100, unit.memory.bytes.begin()));
    EXPECT_EQ(events.imageChanges, 1);
}

TEST_F(ReplyTest, ReadAdoptsAllBlocksAtOnceRepairsThenVerifies) {
    std::size_t sentAtChange = 0;
    events.onImageChanged = [&] {
        EXPECT_EQ(parameters(image), parameters(unit.memory)) << "all 19 blocks together";
        sentAtChange = port.blockCommands().size();
    };
    link.startRead();
    for (int i = 0; i < 30 && link.blockCommand() < 0x53; ++i) {
        tick();
        if (link.mode() == LinkMode::Read && link.blockCommand() > 0x41) {
            EXPECT_NE(parameters(image), parameters(unit.memory)) << "nothing adopted early";
        }
    }
    runToIdle();
    EXPECT_EQ(events.imageChanges, 1);
    EXPECT_EQ(sentAtChange, 20u) << "the pass runs before the first verify request";
    EXPECT_TRUE(events.shown.ok);
}

TEST_F(ReplyTest, RepairedReadIsVerifiedFromTheRepairedImageAndFails) {
    // Stand-in for a consistency pass that changes what the unit holds.
    events.onImageChanged = [&] { image[500] = static_cast<std::uint8_t>(image[500] + 1); };
    link.startRead();
    runToIdle();
    EXPECT_EQ(events.shown.message, LinkMessage::VerifyError);
    EXPECT_EQ(count(port.blockCommands(), 0x45), 1u + 5u) << "read once, verified five times";
}

struct AbandonCase {
    const char* name;
    int blocksBeforeSilence; // the unit answers this many read requests
    bool replaceWithProgram;
};

class AbandonedRead : public LinkFixture, public ::testing::WithParamInterface<AbandonCase> {};

TEST_P(AbandonedRead, LeavesParametersUntouched) {
    const AbandonCase& c = GetParam();
    int answered = 0;
    unit.answers = [&](std::uint8_t command) {
        return command == kCmdMonitor || answered++ < c.blocksBeforeSilence;
    };
    const auto params = parameters(image);
    link.startRead();
    if (c.replaceWithProgram) {
        ASSERT_TRUE(
            tickUntil([&] { return link.blockCommand() >= 0x40 + c.blocksBeforeSilence - 1; }));
        unit.answers = [](std::uint8_t) { return false; };
        link.startProgram();
    }
    runToIdle();
    EXPECT_FALSE(events.shown.ok);
    EXPECT_EQ(parameters(image), params);
    EXPECT_EQ(events.imageChanges, 0);
    EXPECT_TRUE(
        std::equal(image.bytes.begin(), image.bytes.begin() + 100, unit.memory.bytes.begin()))
        << "block 0 is adopted as soon as it arrives";
}

INSTANTIATE_TEST_SUITE_P(Reads, AbandonedRead,
                         ::testing::Values(AbandonCase{"FailsAtBlock6", 6, false},
                                           AbandonCase{"FailsAtBlock19", 19, false},
                                           AbandonCase{"ReplacedByProgram", 10, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kordana::test
