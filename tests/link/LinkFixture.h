#pragma once

#include "RecordingEvents.h"
#include "ScriptedPort.h"
#include "TestUnit.h"
#include "link/LinkProtocol.h"

#include <gtest/gtest.h>

namespace kordana::test {

/// Protocol, image, scripted port with a test unit behind it, and recorded events.
class LinkFixture : public ::testing::Test {
protected:
    ParameterImage image;
    ScriptedPort port;
    TestUnit unit;
    RecordingEvents events;
    LinkProtocol link{image, port, events};
    int ticks = 0;

    LinkFixture() {
        for (std::size_t i = 0; i < kImageSize; ++i) {
            image.bytes[i] = static_cast<std::uint8_t>(i * 13 + 1);
        }
        port.onWrite = [this](const Frame& request) {
            if (auto reply = unit.answer(request)) {
                port.queue(*reply);
            }
        };
    }

    void tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            link.tick();
            ++ticks;
        }
    }

    /// Ticks until done() holds; false if it still does not after maxTicks.
    template <typename Pred>
    bool tickUntil(Pred done, int maxTicks = 500) {
        for (int i = 0; i < maxTicks && !done(); ++i) {
            tick();
        }
        return done();
    }

    /// Ticks until the link is idle again; fails the test after maxTicks.
    void runToIdle(int maxTicks = 2000) {
        for (int i = 0; i < maxTicks && link.mode() != LinkMode::Idle; ++i) {
            tick();
        }
        ASSERT_EQ(link.mode(), LinkMode::Idle);
    }

    void silenceUnit() {
        unit.answers = [](std::uint8_t) { return false; };
    }

    /// Parameter bytes 100..1999 of an image.
    static std::vector<std::uint8_t> parameters(const ParameterImage& img) {
        return {img.bytes.begin() + kBlockSize, img.bytes.end()};
    }
};

/// The block requests a run sends: program blocks 0..19 then verify 1..19, and so on.
inline std::vector<std::uint8_t> commandRange(std::uint8_t first, std::uint8_t last) {
    std::vector<std::uint8_t> out;
    for (unsigned c = first; c <= last; ++c) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
    return out;
}

} // namespace kordana::test
