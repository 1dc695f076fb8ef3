// Quick programming after a change, tick by tick: block 0, the blocks that differ from what
// the unit was confirmed to hold, block 19, a verify of those, and done only once the unit has
// saved; no saving means a full run, and edits during a run go in one run after it.
#include "LinkFixture.h"

#include <algorithm>

namespace kordana::test {
namespace {

class QuickProgrammingTest : public LinkFixture {
protected:
    bool unitSaves = true;

    QuickProgrammingTest() {
        link.setQuickProgramming(true);
        // The unit starts saving with block 19 and its count runs down 700 per monitor frame.
        port.onWrite = [this](const Frame& request) {
            auto reply = unit.answer(request);
            if (request[0] == 0x13 && unitSaves) {
                unit.savingCount = LinkProtocol::kSavingEmpty;
            } else if (request[0] == kCmdMonitor) {
                unit.savingCount =
                    static_cast<std::uint16_t>(unit.savingCount > 700 ? unit.savingCount - 700 : 0);
            }
            if (reply) {
                port.queue(*reply);
            }
        };
    }

    /// Ticks until the link is idle with nothing waiting: no saving watched, no run pending.
    void settle(int maxTicks = 3000) {
        for (int i = 0; i < maxTicks && busy(); ++i) {
            tick();
        }
        ASSERT_FALSE(busy());
    }
    bool busy() const {
        return link.mode() != LinkMode::Idle || link.awaitingSaving() || link.programPending();
    }
    /// A full run that leaves the unit's copy known, then a clean record.
    void programAll() {
        link.programAfterChange();
        settle();
        ASSERT_TRUE(link.unitCopy().has_value());
        port.sent.clear();
        events.lines.clear();
    }
    static std::size_t at(std::size_t block) { return block * kBlockSize + 37; }
};

TEST_F(QuickProgrammingTest, WithoutAConfirmedCopyTheRunIsFull) {
    link.programAfterChange();
    settle();
    std::vector<std::uint8_t> expected = commandRange(0x00, 0x13);
    const auto verify = commandRange(0x41, 0x53);
    expected.insert(expected.end(), verify.begin(), verify.end());
    EXPECT_EQ(port.blockCommands(), expected);
    EXPECT_EQ(parameters(unit.memory), parameters(image));
}

TEST_F(QuickProgrammingTest, SendsBlock0TheChangedBlocksAnd19AndVerifiesThose) {
    programAll();
    image[at(4)] ^= 0x01;
    image[at(11)] ^= 0x10;
    link.programAfterChange();
    EXPECT_TRUE(link.quickRun());
    settle();
    EXPECT_EQ(port.blockCommands(),
              (std::vector<std::uint8_t>{0x00, 0x04, 0x0B, 0x13, 0x44, 0x4B, 0x53}));
    EXPECT_EQ(parameters(unit.memory), parameters(image));
    EXPECT_TRUE(link.programmed());
    tick();
    EXPECT_EQ(events.shown.message, LinkMessage::ProgramDevice);
    EXPECT_TRUE(events.shown.ok);
    EXPECT_EQ(events.shown.gauge, kGaugeMax);
}

TEST_F(QuickProgrammingTest, NothingChangedStillSendsHeaderAndLastBlock) {
    programAll();
    link.programAfterChange();
    settle();
    EXPECT_EQ(port.blockCommands(), (std::vector<std::uint8_t>{0x00, 0x13, 0x53}));
}

TEST_F(QuickProgrammingTest, ProgrammedOkOnlyAfterTheUnitSaved) {
    programAll();
    image[at(7)] ^= 0x01;
    link.programAfterChange();
    bool sawSaving = false;
    while (busy() && ticks < 3000) {
        tick();
        sawSaving = sawSaving || link.savingCount() > 0;
        if (link.programmed() ||
            (events.shown.message == LinkMessage::ProgramDevice && events.shown.ok)) {
            EXPECT_TRUE(sawSaving);
            EXPECT_EQ(link.savingCount(), 0);
        }
    }
    EXPECT_TRUE(link.programmed());
}

TEST_F(QuickProgrammingTest, NoSavingReportedLeadsToAFullRun) {
    programAll();
    unitSaves = false;
    image[at(3)] ^= 0x01;
    link.programAfterChange();
    settle();
    std::vector<std::uint8_t> expected{0x00, 0x03, 0x13, 0x43, 0x53};
    const auto full = commandRange(0x00, 0x13);
    const auto verify = commandRange(0x41, 0x53);
    expected.insert(expected.end(), full.begin(), full.end());
    expected.insert(expected.end(), verify.begin(), verify.end());
    EXPECT_EQ(port.blockCommands(), expected);
    EXPECT_EQ(events.noSavings, 1);
    // "Program device: OK" comes only from the full run, after its own verify.
    const auto verifiedOk = [](const LinkView& v) {
        return v.message == LinkMessage::Verify && v.ok;
    };
    const auto programmedOk = [](const LinkView& v) {
        return v.message == LinkMessage::ProgramDevice && v.ok;
    };
    const auto firstProgrammed = std::ranges::find_if(events.lines, programmedOk);
    ASSERT_NE(firstProgrammed, events.lines.end());
    EXPECT_EQ(std::count_if(events.lines.begin(), firstProgrammed, verifiedOk), 2);
}

TEST_F(QuickProgrammingTest, EditsDuringARunAreProgrammedInOneRunAfterIt) {
    programAll();
    image[at(4)] ^= 0x01;
    link.programAfterChange();
    ASSERT_TRUE(tickUntil([&] { return port.blockCommands().size() >= 2; }));
    // Block 4 is on its way: changing it again and block 9 twice must wait for this run.
    image[at(4)] = 200;
    link.programAfterChange();
    image[at(9)] = 11;
    link.programAfterChange();
    image[at(9)] = 12;
    link.programAfterChange();
    EXPECT_TRUE(link.programPending());
    settle();
    EXPECT_EQ(port.blockCommands(),
              (std::vector<std::uint8_t>{0x00, 0x04, 0x13, 0x44, 0x53, 0x00, 0x04, 0x09, 0x13, 0x44,
                                         0x49, 0x53}));
    EXPECT_EQ(parameters(unit.memory), parameters(image));
    EXPECT_EQ(unit.memory[at(9)], 12);
    EXPECT_TRUE(events.verifyFailures.empty());
}

TEST_F(QuickProgrammingTest, EditsWhileTheUnitSavesWaitForTheSaving) {
    programAll();
    image[at(5)] ^= 0x01;
    link.programAfterChange();
    ASSERT_TRUE(tickUntil([&] { return link.mode() == LinkMode::Idle; }));
    ASSERT_TRUE(link.awaitingSaving());
    image[at(6)] ^= 0x01;
    link.programAfterChange();
    EXPECT_EQ(link.mode(), LinkMode::Idle); // nothing is sent while the unit saves
    settle();
    EXPECT_EQ(port.blockCommands(), (std::vector<std::uint8_t>{0x00, 0x05, 0x13, 0x45, 0x53, 0x00,
                                                               0x06, 0x13, 0x46, 0x53}));
    EXPECT_EQ(parameters(unit.memory), parameters(image));
}

TEST_F(QuickProgrammingTest, FailedRunForgetsTheCopySoTheNextRunIsFull) {
    programAll();
    unit.answers = [](std::uint8_t command) { return command != 0x05; };
    image[at(5)] ^= 0x01;
    link.programAfterChange();
    settle();
    EXPECT_FALSE(link.unitCopy().has_value());
    unit.answers = [](std::uint8_t) { return true; };
    port.sent.clear();
    link.programAfterChange();
    settle();
    EXPECT_EQ(port.blockCommands().size(), 39u);
    EXPECT_EQ(parameters(unit.memory), parameters(image));
}

TEST_F(QuickProgrammingTest, AUserCommandReplacesTheRunAndWhatWaited) {
    programAll();
    image[at(5)] ^= 0x01;
    link.programAfterChange();
    image[at(6)] ^= 0x01;
    link.programAfterChange();
    ASSERT_TRUE(link.programPending());
    link.startProgram();
    EXPECT_FALSE(link.programPending());
    EXPECT_FALSE(link.quickRun());
}

} // namespace
} // namespace kordana::test
