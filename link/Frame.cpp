#include "link/Frame.h"

#include <algorithm>

namespace kordana {

std::uint8_t frameCheckByte(std::span<const std::uint8_t, kFrameSize - 1> head) {
    std::uint8_t check = static_cast<std::uint8_t>(~head[0]);
    for (std::size_t i = 1; i < head.size(); ++i) {
        check = static_cast<std::uint8_t>(check ^ head[i]);
    }
    return check;
}

bool frameIntact(std::span<const std::uint8_t, kFrameSize> frame) {
    std::uint8_t x = 0;
    for (std::uint8_t b : frame) {
        x = static_cast<std::uint8_t>(x ^ b);
    }
    return x == 0xFF;
}

Frame makeFrame(std::uint8_t command, std::span<const std::uint8_t, kFrameDataSize> data) {
    Frame frame{};
    frame[0] = command;
    std::copy(data.begin(), data.end(), frame.begin() + 1);
    frame[kFrameSize - 1] =
        frameCheckByte(std::span<const std::uint8_t, kFrameSize - 1>(frame.data(), kFrameSize - 1));
    return frame;
}

Frame makeFrame(std::uint8_t command) {
    const std::array<std::uint8_t, kFrameDataSize> zeros{};
    return makeFrame(command, zeros);
}

} // namespace kordana
