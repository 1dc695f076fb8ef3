// The fast link and quick programming against the simulated unit in-process: replies are
// taken in between ticks as the port's ready-read would, the unit's clock moves 55 ms a tick.
// The faulty-line matrix of the tick pace runs again here: success only when the unit holds
// the set, whatever the line loses or damages.
#include "RecordingEvents.h"

#include "link/LinkProtocol.h"
#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"
#include "params/ImageLayout.h"
#include "tools/unit-sim/lib/UnitSimulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>

namespace kordana {
namespace {

class SimLine : public Port {
public:
    explicit SimLine(UnitSimulator& unit) : m_unit(unit) {
        m_unit.setOutputHandler([this](std::span<const std::uint8_t> bytes) {
            m_fromUnit.insert(m_fromUnit.end(), bytes.begin(), bytes.end());
        });
    }
    std::size_t bytesWaiting() override { return m_fromUnit.size(); }
    std::size_t read(std::span<std::uint8_t> buffer) override {
        const std::size_t n = std::min(buffer.size(), m_fromUnit.size());
        std::copy_n(m_fromUnit.begin(), n, buffer.begin());
        m_fromUnit.erase(m_fromUnit.begin(), m_fromUnit.begin() + static_cast<long>(n));
        return n;
    }
    bool write(std::span<const std::uint8_t> bytes) override {
        m_unit.receive(bytes);
        return true;
    }

private:
    UnitSimulator& m_unit;
    std::deque<std::uint8_t> m_fromUnit;
};

UnitSimOptions tickDriven(UnitSimOptions options) {
    options.monitorStepMs = 0;
    return options;
}

struct FastBench {
    explicit FastBench(UnitSimOptions options = {}) : unit(tickDriven(options)), line(unit) {
        applyDefaultSet(image);
        events.onImageChanged = [this] { runConsistencyPass(image); };
        link.setFastLink(true);
    }
    /// One tick, then the replies that arrive before the next one (at most a run's worth).
    void tick() {
        link.tick();
        unit.advance(55);
        ++ticks;
        for (int i = 0; i < 60 && line.bytesWaiting() >= kFrameSize; ++i) {
            link.replyArrived();
        }
    }
    void runToIdle(int cap = 3000) {
        do {
            tick();
        } while (link.mode() != LinkMode::Idle && ticks < cap);
    }
    void settle(int cap = 6000) {
        while ((link.mode() != LinkMode::Idle || link.awaitingSaving() || link.programPending()) &&
               ticks < cap) {
            tick();
        }
        tick(); // what the end of the wait shows comes on the next tick
    }
    bool unitHolds(const ParameterImage& set) const {
        return std::equal(set.bytes.begin() + 100, set.bytes.end(),
                          unit.memory().bytes.begin() + 100);
    }

    UnitSimulator unit;
    SimLine line;
    ParameterImage image;
    test::RecordingEvents events;
    LinkProtocol link{image, line, events};
    int ticks = 0;
};

bool anyLine(const std::vector<LinkView>& lines, std::size_t from, LinkMessage message) {
    return std::any_of(lines.begin() + static_cast<long>(from), lines.end(),
                       [message](const LinkView& v) { return v.message == message && v.ok; });
}

TEST(FastLinkWithSimulator, ProgrammingRunTakesTwoTicks) {
    FastBench bench;
    bench.image[layout::mapCell(3, 4, 5)] = 123;
    bench.link.startProgram();
    bench.runToIdle();
    EXPECT_TRUE(anyLine(bench.events.lines, 0, LinkMessage::Verify));
    EXPECT_TRUE(bench.unitHolds(bench.image));
    EXPECT_EQ(bench.ticks, 1); // the first request on the first tick, then reply after reply
}

TEST(FastLinkWithSimulator, MonitorGivesAFramePerReplyNotPerSixTicks) {
    FastBench bench;
    for (int i = 0; i < 10; ++i) {
        bench.tick();
    }
    // 60 replies taken between each of 10 ticks (the bench's cap), far above 10 / 6.
    EXPECT_GE(bench.events.monitorFrames.size(), 500u);
}

TEST(FastLinkWithSimulator, UnitNeedingAGapMakesTheRunSlowAndThreeSuchRunsSwitchFastOff) {
    UnitSimOptions options;
    options.minGapMs = 20;
    FastBench bench(options);
    for (int run = 0; run < 3; ++run) {
        bench.link.startProgram();
        bench.runToIdle();
        EXPECT_TRUE(bench.unitHolds(bench.image));
        EXPECT_EQ(bench.link.fastLink(), run < 2);
    }
    EXPECT_EQ(bench.events.fastLinkOffs, 1);
    EXPECT_EQ(bench.events.monitorFallbacks, 1);
}

TEST(FastLinkWithSimulator, QuickRunOfOneCellAgainstAUnitSavingOnlyFullRunsEndsFull) {
    UnitSimOptions options;
    options.saveOn = UnitSaveRule::Full;
    FastBench bench(options);
    bench.link.setQuickProgramming(true);
    bench.link.programAfterChange();
    bench.settle();
    ASSERT_TRUE(bench.link.unitCopy().has_value());
    const std::size_t programmingsBefore = bench.unit.stats().programRuns;
    bench.image[layout::mapCell(1, 2, 3)] ^= 0x01;
    bench.link.programAfterChange();
    bench.settle();
    EXPECT_EQ(bench.events.noSavings, 1);
    EXPECT_TRUE(bench.unitHolds(bench.image));
    EXPECT_EQ(bench.unit.stats().programRuns, programmingsBefore + 1); // the full run only
}

struct Tally {
    int successes = 0;
    int failures = 0;
    int falseSuccesses = 0;
};

// One seed of the faulty line: a full fast run, then one quick run of one changed cell.
void runFaultySeed(std::uint32_t seed, Tally& full, Tally& quick) {
    UnitSimOptions options;
    options.seed = seed;
    options.corruptPercent = seed % 3 == 0 ? 25 : 8;
    options.dropPercent = seed % 2 == 0 ? 10 : 0;
    options.truncatePercent = seed % 5 == 0 ? 10 : 0;
    options.saveOn = seed % 4 == 0 ? UnitSaveRule::Full : UnitSaveRule::Block19;
    FastBench bench(options);
    bench.link.setQuickProgramming(true);
    bench.image[layout::mapCell(0, 1, 2)] = static_cast<std::uint8_t>(seed % 60);
    bench.link.startProgram();
    bench.settle();
    const bool fullOk = anyLine(bench.events.lines, 0, LinkMessage::Verify);
    (fullOk ? full.successes : full.failures) += 1;
    full.falseSuccesses += fullOk && !bench.unitHolds(bench.image) ? 1 : 0;

    const std::size_t from = bench.events.lines.size();
    bench.image[layout::mapCell(2, 3, 4)] ^= 0x04;
    bench.link.programAfterChange();
    bench.settle();
    const bool quickOk = anyLine(bench.events.lines, from, LinkMessage::ProgramDevice);
    (quickOk ? quick.successes : quick.failures) += 1;
    quick.falseSuccesses += quickOk && !bench.unitHolds(bench.image) ? 1 : 0;
}

TEST(FastLinkWithSimulator, FaultyLineNeverReportsFalseSuccess) {
    Tally full;
    Tally quick;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        runFaultySeed(seed, full, quick);
    }
    std::printf("fast full runs: %d ok, %d failed, %d false; quick runs: %d ok, %d failed, %d "
                "false\n",
                full.successes, full.failures, full.falseSuccesses, quick.successes, quick.failures,
                quick.falseSuccesses);
    EXPECT_EQ(full.falseSuccesses, 0);
    EXPECT_EQ(quick.falseSuccesses, 0);
    // Both outcomes occur, so the checks above were exercised.
    EXPECT_GT(full.successes, 0);
    EXPECT_GT(full.failures, 0);
    EXPECT_GT(quick.successes, 0);
}

} // namespace
} // namespace kordana
