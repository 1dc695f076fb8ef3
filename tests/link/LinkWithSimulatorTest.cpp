// The link protocol against the simulated unit in-process: a byte pipe instead of a pty, the
// unit's clock moved on 55 ms per tick, so whole runs take milliseconds and are repeatable.
#include "RecordingEvents.h"

#include "link/LinkProtocol.h"
#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"
#include "params/ImageLayout.h"
#include "tools/unit-sim/lib/UnitSimulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

namespace kordana {
namespace {

/// The line between the program and the simulated unit.
class SimulatorPort : public Port {
public:
    explicit SimulatorPort(UnitSimulator& unit) : m_unit(unit) {
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

struct Bench {
    explicit Bench(UnitSimOptions options = {}) : unit(options), port(unit) {
        options.monitorStepMs = 0;
        applyDefaultSet(image);
        events.onImageChanged = [this] { runConsistencyPass(image); };
    }
    /// Ticks until the link is idle again (or a generous cap); returns the ticks taken.
    int runToIdle(int cap = 2000) {
        int ticks = 0;
        do {
            link.tick();
            unit.advance(55);
            ++ticks;
        } while (link.mode() != LinkMode::Idle && ticks < cap);
        return ticks;
    }
    bool parametersMatchUnit() const {
        return std::equal(image.bytes.begin() + 100, image.bytes.end(),
                          unit.memory().bytes.begin() + 100);
    }

    UnitSimulator unit;
    SimulatorPort port;
    ParameterImage image;
    test::RecordingEvents events;
    LinkProtocol link{image, port, events};
};

bool endedWith(const test::RecordingEvents& events, LinkMessage message, bool ok) {
    return !events.lines.empty() && events.lines.back().message == message &&
           events.lines.back().ok == ok;
}

/// The run's verify pass succeeded (a programming run then shows "Program device: OK").
bool verified(const test::RecordingEvents& events) {
    return std::any_of(events.lines.begin(), events.lines.end(), [](const LinkView& line) {
        return line.message == LinkMessage::Verify && line.ok;
    });
}

TEST(LinkWithSimulator, ProgramThenReadGivesTheSameParameters) {
    Bench bench;
    bench.image[layout::mapCell(3, 4, 5)] = 123;
    bench.image[layout::kLimiter] = 170;
    const ParameterImage programmed = bench.image;
    bench.link.startProgram();
    const int ticks = bench.runToIdle();
    EXPECT_TRUE(verified(bench.events));
    EXPECT_TRUE(bench.parametersMatchUnit());
    // 39 exchanges, each answered within the tick after its send.
    EXPECT_LE(ticks, 2 * 39 + 4);

    bench.image = ParameterImage{};
    bench.link.startRead();
    bench.runToIdle();
    EXPECT_TRUE(verified(bench.events));
    EXPECT_TRUE(std::equal(programmed.bytes.begin() + 100, programmed.bytes.end(),
                           bench.image.bytes.begin() + 100));
}

TEST(LinkWithSimulator, SilentUnitGivesProgramError) {
    UnitSimOptions options;
    options.silent = true;
    Bench bench(options);
    bench.link.startProgram();
    bench.runToIdle();
    EXPECT_TRUE(endedWith(bench.events, LinkMessage::ProgramError, false));
    EXPECT_EQ(bench.events.lines.back().colour, StatusColour::Red);
}

TEST(LinkWithSimulator, ReadProtectedUnitRefusesAndKeepsParameters) {
    UnitSimOptions options;
    options.readProtect = true;
    Bench bench(options);
    const ParameterImage before = bench.image;
    bench.link.startRead();
    bench.runToIdle();
    EXPECT_TRUE(endedWith(bench.events, LinkMessage::NoReading, false));
    EXPECT_TRUE(std::equal(before.bytes.begin() + 100, before.bytes.end(),
                           bench.image.bytes.begin() + 100));
}

TEST(LinkWithSimulator, OtherLayoutVersionStopsBeforeAnyParameterBlock) {
    UnitSimOptions options;
    options.layoutVersion = 50;
    Bench bench(options);
    const ParameterImage unitBefore = bench.unit.memory();
    bench.link.startProgram();
    bench.runToIdle();
    EXPECT_EQ(bench.events.unmatched, 1);
    EXPECT_TRUE(std::equal(unitBefore.bytes.begin() + 100, unitBefore.bytes.end(),
                           bench.unit.memory().bytes.begin() + 100));
}

// A line that loses or damages replies must never end in success while the unit's memory
// differs from the image.
TEST(LinkWithSimulator, FaultyLineNeverReportsFalseSuccess) {
    int successes = 0;
    int failures = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        UnitSimOptions options;
        options.seed = seed;
        options.corruptPercent = seed % 3 == 0 ? 25 : 8;
        options.dropPercent = seed % 2 == 0 ? 10 : 0;
        options.truncatePercent = seed % 5 == 0 ? 10 : 0;
        Bench bench(options);
        bench.image[layout::mapCell(0, 1, 2)] = static_cast<std::uint8_t>(seed % 60);
        bench.link.startProgram();
        bench.runToIdle();
        if (verified(bench.events)) {
            ++successes;
            EXPECT_TRUE(bench.parametersMatchUnit()) << "seed " << seed;
        } else {
            ++failures;
            const LinkMessage last = bench.events.lines.back().message;
            EXPECT_TRUE(last == LinkMessage::ProgramError || last == LinkMessage::VerifyError)
                << "seed " << seed;
        }
    }
    // Both outcomes occur, so the assertions above were exercised.
    EXPECT_GT(successes, 0);
    EXPECT_GT(failures, 0);
}

TEST(LinkWithSimulator, BadEchoOfOneBlockFailsTheProgramming) {
    UnitSimOptions options;
    options.badEchoBlock = 7;
    Bench bench(options);
    bench.link.startProgram();
    bench.runToIdle();
    EXPECT_TRUE(endedWith(bench.events, LinkMessage::ProgramError, false));
}

TEST(LinkWithSimulator, Byte102DifferenceIsAcceptedByVerify) {
    UnitSimOptions options;
    options.byte102 = 77;
    Bench bench(options);
    bench.link.startProgram();
    bench.runToIdle();
    EXPECT_TRUE(verified(bench.events));
}

TEST(LinkWithSimulator, MonitorFramesKeepTheConnectionAndReportSaving) {
    Bench bench;
    bench.link.startProgram();
    bench.runToIdle();
    bool sawSaving = false;
    for (int i = 0; i < 200; ++i) {
        bench.link.tick();
        bench.unit.advance(55);
        sawSaving = sawSaving || bench.link.savingCount() > 0;
    }
    EXPECT_TRUE(sawSaving);
    EXPECT_EQ(bench.link.savingCount(), 0);
    EXPECT_FALSE(bench.link.view().noConnection);
    EXPECT_FALSE(bench.events.monitorFrames.empty());
}

} // namespace
} // namespace kordana

namespace kordana {
namespace {

// Every reply comes late enough to need a second send, so the run lasts far longer than the
// status hold; its progress and its success must stay on screen all the same.
TEST(LinkWithSimulator, SlowRunKeepsItsStatusVisibleToTheEnd) {
    UnitSimOptions options;
    options.delayMs = 700; // about 13 ticks a block: each half of the run outlasts the hold
    Bench bench(options);
    bench.link.startProgram();
    int ticks = 0;
    bool everHidden = false;
    while (bench.link.mode() != LinkMode::Idle && ticks < 3000) {
        bench.link.tick();
        bench.unit.advance(55);
        ++ticks;
        everHidden = everHidden || !bench.events.shown.statusVisible;
    }
    ASSERT_GT(ticks, 450);
    EXPECT_FALSE(everHidden);
    ASSERT_TRUE(verified(bench.events));
    {
        bench.link.tick();
        EXPECT_TRUE(bench.events.shown.statusVisible);
        EXPECT_EQ(bench.events.shown.message, LinkMessage::ProgramDevice);
        EXPECT_TRUE(bench.events.shown.ok);
    }
}

} // namespace
} // namespace kordana
