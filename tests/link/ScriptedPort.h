#pragma once

#include "link/Frame.h"
#include "link/Port.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <vector>

namespace kordana::test {

/// A port whose incoming bytes the test queues and whose writes it records. A responder set in
/// onWrite may queue a reply at once; the protocol then takes it in on the next tick.
class ScriptedPort : public Port {
public:
    std::deque<std::uint8_t> incoming;
    std::vector<Frame> sent;        // every write attempt, refused ones included
    std::vector<std::size_t> reads; // sizes the protocol asked read() for
    bool refuseWrites = false;
    std::size_t readCap = std::numeric_limits<std::size_t>::max(); // most bytes one read returns
    std::function<void(const Frame&)> onWrite;

    std::size_t bytesWaiting() override { return incoming.size(); }

    std::size_t read(std::span<std::uint8_t> buffer) override {
        reads.push_back(buffer.size());
        const std::size_t n = std::min({buffer.size(), incoming.size(), readCap});
        std::copy_n(incoming.begin(), n, buffer.begin());
        incoming.erase(incoming.begin(), incoming.begin() + static_cast<std::ptrdiff_t>(n));
        return n;
    }

    bool write(std::span<const std::uint8_t> bytes) override {
        Frame frame{};
        std::copy_n(bytes.begin(), std::min(bytes.size(), frame.size()), frame.begin());
        sent.push_back(frame);
        if (bytes.size() != kFrameSize) {
            return false;
        }
        if (refuseWrites) {
            return false;
        }
        if (onWrite) {
            onWrite(frame);
        }
        return true;
    }

    void queue(const Frame& frame) { incoming.insert(incoming.end(), frame.begin(), frame.end()); }
    void queueBytes(std::size_t count, std::uint8_t value) {
        incoming.insert(incoming.end(), count, value);
    }

    /// Command bytes of the block requests sent so far (monitor requests left out).
    std::vector<std::uint8_t> blockCommands() const {
        std::vector<std::uint8_t> commands;
        for (const Frame& f : sent) {
            if (f[0] != kCmdMonitor) {
                commands.push_back(f[0]);
            }
        }
        return commands;
    }
};

} // namespace kordana::test
