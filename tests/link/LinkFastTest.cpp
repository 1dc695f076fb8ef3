// The fast link and quick programming, tick by tick against a unit that answers at once: a
// reply taken in between ticks (replyArrived) sends the next request straight away, and every
// fallback returns to the tick pace the other link tests pin down.
#include "LinkFixture.h"

namespace kordana::test {
namespace {

class FastLinkTest : public LinkFixture {
protected:
    FastLinkTest() { link.setFastLink(true); }

    /// Takes in replies between ticks until nothing more arrives; returns how many calls
    /// found a whole reply waiting.
    int takeReplies(int cap = 200) {
        int taken = 0;
        while (taken < cap && port.incoming.size() >= kFrameSize && link.mode() != LinkMode::Idle) {
            link.replyArrived();
            ++taken;
            if (port.incoming.size() >= kFrameSize && !link.runAtFastPace() &&
                link.mode() != LinkMode::Idle) {
                break; // the run went back to the tick pace: the reply waits for the tick
            }
        }
        return taken;
    }
    std::size_t monitorRequests() const { return port.sent.size() - port.blockCommands().size(); }
};

TEST_F(FastLinkTest, MonitorReplyTakenBetweenTicksSendsTheNextRequestAtOnce) {
    tick(); // nothing outstanding: the first request goes on this tick
    ASSERT_EQ(port.sent.size(), 1u);
    for (int i = 0; i < 5; ++i) {
        link.replyArrived();
    }
    EXPECT_EQ(events.monitorFrames.size(), 5u);
    EXPECT_EQ(port.sent.size(), 6u); // one request per frame taken in, no tick in between
    EXPECT_EQ(ticks, 1);
}

TEST_F(FastLinkTest, WithoutReadyReadEveryTickTakesAFrameAndAsksAgain) {
    tick(10);
    EXPECT_EQ(port.sent.size(), 10u);
    EXPECT_EQ(events.monitorFrames.size(), 9u);
}

TEST(TickPace, ReplyArrivedChangesNothingWhenTheFastLinkIsOff) {
    ParameterImage image;
    ScriptedPort port;
    TestUnit unit;
    RecordingEvents events;
    LinkProtocol link{image, port, events};
    port.onWrite = [&](const Frame& f) { port.queue(*unit.answer(f)); };
    for (int i = 0; i < 6; ++i) {
        link.tick();
    }
    ASSERT_EQ(port.sent.size(), 1u);
    link.replyArrived();
    EXPECT_EQ(port.incoming.size(), kFrameSize); // the reply waits for the tick
    EXPECT_TRUE(events.monitorFrames.empty());
    EXPECT_EQ(port.sent.size(), 1u);
}

TEST_F(FastLinkTest, ProgrammingRunGoesBlockAfterBlockWithinOneTick) {
    link.startProgram();
    tick(); // the first request goes on the next tick
    ASSERT_EQ(port.blockCommands(), std::vector<std::uint8_t>{0x00});
    takeReplies();
    std::vector<std::uint8_t> expected = commandRange(0x00, 0x13);
    const auto verify = commandRange(0x41, 0x53);
    expected.insert(expected.end(), verify.begin(), verify.end());
    EXPECT_EQ(port.blockCommands(), expected);
    EXPECT_EQ(link.mode(), LinkMode::Idle);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(parameters(unit.memory), parameters(image));
    EXPECT_TRUE(events.lines.back().ok);
    EXPECT_EQ(link.retriedFastRuns(), 0);
}

TEST_F(FastLinkTest, FirstRequestWaitsForAMonitorReplyOnItsWay) {
    unit.answers = [](std::uint8_t command) { return command != kCmdMonitor; };
    tick(); // a monitor request is out and gets no reply
    link.startProgram();
    tick(3); // three ticks of the reply time left for the monitor frame
    EXPECT_TRUE(port.blockCommands().empty());
    tick();
    EXPECT_EQ(port.blockCommands(), std::vector<std::uint8_t>{0x00});
}

// Block 5 goes unanswered once: it is sent again after 4 ticks, and from then on each reply
// waits for the tick. Hand count: tick 1 sends 0..5 (replies between ticks), tick 5 resends 5,
// ticks 6..20 take blocks 5..19, ticks 21..39 the verify replies of blocks 1..19.
TEST_F(FastLinkTest, FirstRetryReturnsTheRestOfTheRunToTheTickPace) {
    int block5Sends = 0;
    unit.answers = [&](std::uint8_t command) { return command != 0x05 || ++block5Sends > 1; };
    link.startProgram();
    while (link.mode() != LinkMode::Idle && ticks < 200) {
        tick();
        takeReplies();
    }
    EXPECT_EQ(ticks, 39);
    EXPECT_FALSE(link.runAtFastPace());
    EXPECT_EQ(link.retriedFastRuns(), 1);
    EXPECT_EQ(parameters(unit.memory), parameters(image));
    EXPECT_TRUE(events.lines.back().ok);
}

TEST_F(FastLinkTest, ThreeRetriedRunsInARowSwitchTheFastLinkOff) {
    struct Case {
        std::vector<bool> retried; // per run: one block goes unanswered once
        bool fastAfter;
        int offs;
    };
    const Case cases[] = {
        {{true, true, true}, false, 1},
        {{true, true, false, true, true}, true, 0},
        {{true, true}, true, 0},
    };
    for (const Case& c : cases) {
        RecordingEvents fresh;
        ScriptedPort line;
        TestUnit far;
        LinkProtocol fast{image, line, fresh};
        fast.setFastLink(true);
        bool dropNext = false;
        line.onWrite = [&](const Frame& f) {
            if (f[0] == 0x03 && dropNext) {
                dropNext = false;
                return;
            }
            line.queue(*far.answer(f));
        };
        for (const bool retried : c.retried) {
            dropNext = retried;
            fast.startProgram();
            for (int i = 0; i < 300 && fast.mode() != LinkMode::Idle; ++i) {
                fast.tick();
                while (line.incoming.size() >= kFrameSize && fast.runAtFastPace() &&
                       fast.mode() != LinkMode::Idle) {
                    fast.replyArrived();
                }
            }
            fast.tick();
        }
        EXPECT_EQ(fast.fastLink(), c.fastAfter);
        EXPECT_EQ(fresh.fastLinkOffs, c.offs);
    }
}

// Hand count: tick 1 sends, ticks 2..5 wait (time-out 1), tick 6 sends, ticks 7..10 wait
// (time-out 2): the monitor falls back; the tick pace's phase (10 mod 6 = 4) sends on ticks
// 12 and 18.
TEST_F(FastLinkTest, MonitorThatStopsAnsweringFallsBackUntilThePortOpensAgain) {
    unit.answers = [](std::uint8_t command) { return command != kCmdMonitor; };
    tick(9);
    EXPECT_TRUE(link.fastMonitorActive());
    tick();
    EXPECT_FALSE(link.fastMonitorActive());
    EXPECT_EQ(events.monitorFallbacks, 1);
    EXPECT_EQ(port.sent.size(), 2u);
    tick(12);
    EXPECT_EQ(port.sent.size(), 4u);
    EXPECT_TRUE(link.fastLink()); // transfers stay fast
    link.portOpened();
    EXPECT_TRUE(link.fastMonitorActive());
}

TEST_F(FastLinkTest, OneLostMonitorFrameIsNoFallback) {
    int monitorSends = 0;
    unit.answers = [&](std::uint8_t command) {
        return command != kCmdMonitor || ++monitorSends != 2;
    };
    tick(20);
    EXPECT_TRUE(link.fastMonitorActive());
    EXPECT_EQ(events.monitorFallbacks, 0);
}

} // namespace
} // namespace kordana::test
