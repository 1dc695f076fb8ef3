#pragma once

#include "link/Frame.h"
#include "params/ImageLayout.h"
#include "params/ParameterImage.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace kordana::test {

/// A minimal unit behind a ScriptedPort: stores program blocks, answers reads with its memory
/// and monitor requests with its saving count. Hooks let a test silence or alter any reply.
class TestUnit {
public:
    ParameterImage memory;
    std::uint16_t savingCount = 0;
    /// Return false to stay silent on a request (command byte given).
    std::function<bool(std::uint8_t command)> answers = [](std::uint8_t) { return true; };
    /// Change a reply's data before its check byte is computed.
    std::function<void(std::uint8_t replyCommand, std::span<std::uint8_t, kFrameDataSize>)> alter;

    TestUnit() {
        for (std::size_t i = 0; i < kImageSize; ++i) {
            memory.bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
        }
        memory[layout::kHeaderReadPermission] = 1;
        memory[layout::kHeaderLayoutVersion] = layout::kLayoutVersion;
    }

    std::optional<Frame> answer(const Frame& request) {
        const std::uint8_t command = request[0];
        if (!frameIntact(request) || !answers(command)) {
            return std::nullopt;
        }
        std::array<std::uint8_t, kFrameDataSize> data{};
        const std::size_t n = command & 0x3Fu;
        if (command == kCmdMonitor) {
            data[6] = static_cast<std::uint8_t>(savingCount & 0xFF);
            data[7] = static_cast<std::uint8_t>(savingCount >> 8);
        } else if (n >= kBlockCount || (command & 0xC0u) == 0x80u) {
            return std::nullopt;
        } else {
            if ((command & 0xC0u) == kCmdProgram && n > 0) {
                std::copy_n(request.begin() + 1, kBlockSize, memory.block(n).begin());
            }
            std::copy_n(memory.block(n).begin(), kBlockSize, data.begin());
        }
        const std::uint8_t reply = replyCommand(command);
        if (alter) {
            alter(reply, data);
        }
        return makeFrame(reply, data);
    }
};

} // namespace kordana::test
