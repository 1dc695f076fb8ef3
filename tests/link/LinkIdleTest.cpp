// Idle behaviour: monitor requests and frames, the saving display, the connection watch, and
// how PollReceive takes bytes off the port.
#include "LinkFixture.h"

namespace kordana::test {
namespace {

using IdleTest = LinkFixture;

Frame monitorFrame(std::uint16_t saving) {
    std::array<std::uint8_t, kFrameDataSize> data{};
    data[0] = 0x34; // speed, low byte
    data[6] = static_cast<std::uint8_t>(saving & 0xFF);
    data[7] = static_cast<std::uint8_t>(saving >> 8);
    return makeFrame(kReplyMonitor, data);
}

TEST_F(IdleTest, MonitorRequestEverySixthTick) {
    silenceUnit();
    std::vector<int> sendTicks;
    for (int i = 0; i < 30; ++i) {
        const std::size_t before = port.sent.size();
        tick();
        if (port.sent.size() != before) {
            sendTicks.push_back(ticks);
        }
    }
    EXPECT_EQ(sendTicks, (std::vector<int>{6, 12, 18, 24, 30}));
    EXPECT_EQ(port.sent.front(), makeFrame(kCmdMonitor));
    EXPECT_EQ(port.sent.front()[101], 0xCF);
}

TEST_F(IdleTest, IntactMonitorFrameIsHandedOnWithItsSavingCount) {
    silenceUnit();
    const Frame frame = monitorFrame(0x03B7);
    port.queue(frame);
    tick();
    ASSERT_EQ(events.monitorFrames.size(), 1u);
    EXPECT_EQ(events.monitorFrames[0], frame);
    EXPECT_EQ(link.savingCount(), 951);
    EXPECT_EQ(link.noReplyTicks(), 1);
}

TEST_F(IdleTest, CorruptedMonitorFrameChangesNothing) {
    silenceUnit();
    tick(10);
    Frame frame = monitorFrame(500);
    frame[20] ^= 0x01;
    port.queue(frame);
    tick();
    EXPECT_TRUE(events.monitorFrames.empty());
    EXPECT_EQ(link.savingCount(), 0);
    EXPECT_EQ(link.noReplyTicks(), 11);
}

struct SavingCase {
    std::uint16_t count;
    int gauge;
};

class SavingGauge : public LinkFixture, public ::testing::WithParamInterface<SavingCase> {};

TEST_P(SavingGauge, ShowsSavingWithGaugeClampedToRange) {
    unit.savingCount = GetParam().count;
    tick(7); // request on tick 6, frame taken in on tick 7
    EXPECT_EQ(events.shown.message, LinkMessage::Saving);
    EXPECT_FALSE(events.shown.ok);
    EXPECT_EQ(events.shown.colour, StatusColour::ButtonFace);
    EXPECT_EQ(events.shown.gauge, GetParam().gauge);
    EXPECT_EQ(link.statusHold(), LinkProtocol::kStatusHoldTicks - 1);
}

INSTANTIATE_TEST_SUITE_P(Counts, SavingGauge,
                         ::testing::Values(SavingCase{951, 9}, SavingCase{1903, 0},
                                           SavingCase{1, 18}, SavingCase{100, 18},
                                           SavingCase{1904, 0}, SavingCase{65535, 0}));

TEST_F(IdleTest, SavingKeepsTheStatusLineUpUntilTheCountReachesZero) {
    link.startProgram();
    runToIdle();
    unit.savingCount = 1903;
    tick(300);
    EXPECT_TRUE(events.shown.statusVisible);
    EXPECT_EQ(events.shown.message, LinkMessage::Saving);
    unit.savingCount = 0;
    tick(7);
    EXPECT_EQ(events.shown.message, LinkMessage::ProgramDevice);
    EXPECT_TRUE(events.shown.ok);
    EXPECT_EQ(events.shown.gauge, kGaugeMax);
}

TEST_F(IdleTest, NoConnectionFromThe19thSilentTickUntilAnAcceptedReply) {
    silenceUnit();
    for (int i = 1; i <= 18; ++i) {
        tick();
        EXPECT_FALSE(events.shown.noConnection) << "tick " << i;
    }
    tick();
    EXPECT_TRUE(events.shown.noConnection);
    port.queue(monitorFrame(0));
    tick();
    EXPECT_FALSE(events.shown.noConnection);
}

class IdleBlockReply : public LinkFixture, public ::testing::WithParamInterface<std::uint8_t> {};

TEST_P(IdleBlockReply, IsIgnoredAndDoesNotCountAsAnswer) {
    silenceUnit();
    tick(19);
    ASSERT_TRUE(events.shown.noConnection);
    const ParameterImage before = image;
    port.queue(makeFrame(GetParam(), image.block(1)));
    tick();
    EXPECT_TRUE(events.shown.noConnection);
    EXPECT_EQ(link.noReplyTicks(), LinkProtocol::kNoReplyLimit);
    EXPECT_EQ(image, before);
    EXPECT_EQ(port.incoming.size(), 0u) << "the reply was taken in";
}

// 0x80 would also match the block command the link starts with.
INSTANTIATE_TEST_SUITE_P(Replies, IdleBlockReply, ::testing::Values(0x81, 0x80, 0xC1));

TEST_F(IdleTest, NoConnectionLabelStaysHiddenWhilePrinting) {
    silenceUnit();
    tick(20);
    ASSERT_TRUE(events.shown.noConnection);
    link.setPrinting(true);
    EXPECT_FALSE(events.shown.noConnection);
    tick(5);
    EXPECT_FALSE(events.shown.noConnection);
    link.setPrinting(false);
    tick();
    EXPECT_TRUE(events.shown.noConnection);
}

TEST_F(IdleTest, AfterPrintingTheConnectionLabelIsReportedAgain) {
    tick();
    ASSERT_FALSE(events.shown.noConnection);
    link.setPrinting(true);
    link.setPrinting(false);
    events.shown.noConnection = true; // the window showed the label while restoring its view
    tick();
    EXPECT_FALSE(events.shown.noConnection);
}

TEST_F(IdleTest, WindowStatusIsShownHeldAndHiddenLikeAnyStatus) {
    silenceUnit();
    link.holdWindowStatus();
    EXPECT_TRUE(events.shown.statusVisible);
    EXPECT_EQ(link.statusHold(), LinkProtocol::kStatusHoldTicks);
    tick(LinkProtocol::kStatusHoldTicks - 1);
    EXPECT_TRUE(events.shown.statusVisible);
    tick();
    EXPECT_FALSE(events.shown.statusVisible);
}

struct PollCase {
    const char* name;
    std::size_t waiting;  // bytes queued: one monitor frame then filler
    std::size_t readCap;  // most bytes the port hands over in one read
    std::size_t askedFor; // 0: no read at all
    bool dispatched;
};

class PollReceiveTest : public LinkFixture, public ::testing::WithParamInterface<PollCase> {};

TEST_P(PollReceiveTest, ReadsOnlyWholeFramesAndUsesTheFirst) {
    const PollCase& c = GetParam();
    silenceUnit();
    const Frame frame = monitorFrame(0);
    if (c.waiting >= kFrameSize) {
        port.queue(frame);
        port.queueBytes(c.waiting - kFrameSize, 0x55);
    } else {
        port.incoming.insert(port.incoming.end(), frame.begin(), frame.begin() + c.waiting);
    }
    port.readCap = c.readCap;
    tick();
    if (c.askedFor == 0) {
        EXPECT_TRUE(port.reads.empty());
    } else {
        ASSERT_EQ(port.reads.size(), 1u);
        EXPECT_EQ(port.reads[0], c.askedFor);
    }
    EXPECT_EQ(events.monitorFrames.size(), c.dispatched ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PollReceiveTest,
                         ::testing::Values(PollCase{"Waiting101", 101, SIZE_MAX, 0, false},
                                           PollCase{"Waiting102", 102, SIZE_MAX, 102, true},
                                           PollCase{"Waiting300", 300, SIZE_MAX, 300, true},
                                           PollCase{"Waiting20000", 20000, SIZE_MAX, 15000, true},
                                           PollCase{"ShortRead", 102, 60, 102, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IdleTest, ShortReadIsDroppedEvenWhenItsBytesLookIntact) {
    silenceUnit();
    // 60 bytes that, padded with zeros, would pass as an intact monitor frame.
    port.incoming.push_back(kReplyMonitor);
    port.queueBytes(58, 0x00);
    port.incoming.push_back(static_cast<std::uint8_t>(0xFF ^ kReplyMonitor));
    port.queueBytes(42, 0x11);
    port.readCap = 60;
    tick();
    EXPECT_TRUE(events.monitorFrames.empty());
}

TEST_F(IdleTest, ShortReadNeverHandsOnAnEarlierFrame) {
    silenceUnit();
    port.queue(monitorFrame(0));
    tick();
    ASSERT_EQ(events.monitorFrames.size(), 1u);
    port.queueBytes(kFrameSize, 0x00);
    port.readCap = 0; // the port claims bytes but delivers none
    tick();
    EXPECT_EQ(events.monitorFrames.size(), 1u);
}

TEST_F(IdleTest, FramesStartingMidWayAreDropped) {
    silenceUnit();
    const Frame frame = monitorFrame(0);
    port.incoming.insert(port.incoming.end(), frame.begin() + 40, frame.end()); // truncated
    port.queue(frame);
    tick();
    EXPECT_TRUE(events.monitorFrames.empty());
    EXPECT_TRUE(port.incoming.empty()) << "everything read in that call is dropped";
}

} // namespace
} // namespace kordana::test
