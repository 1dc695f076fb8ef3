#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kordana {

inline constexpr std::size_t kFrameSize = 102;
inline constexpr std::size_t kFrameDataSize = 100;
using Frame = std::array<std::uint8_t, kFrameSize>;

inline constexpr std::uint8_t kCmdMonitor = 0x30;
inline constexpr std::uint8_t kCmdProgram = 0x00; // + block number
inline constexpr std::uint8_t kCmdRead = 0x40;    // + block number
inline constexpr std::uint8_t kReplyMonitor = 0xB0;

/// Check byte for bytes 0..100: complement of byte 0, xor'ed with the 100 data bytes.
std::uint8_t frameCheckByte(std::span<const std::uint8_t, kFrameSize - 1> head);
/// A frame is intact when the xor of all 102 bytes is 0xFF.
bool frameIntact(std::span<const std::uint8_t, kFrameSize> frame);
/// Builds a frame from a command byte and 100 data bytes, with its check byte.
Frame makeFrame(std::uint8_t command, std::span<const std::uint8_t, kFrameDataSize> data);
/// Builds a frame with 100 zero data bytes.
Frame makeFrame(std::uint8_t command);
/// The reply command expected for a request command: bit 7 inverted.
constexpr std::uint8_t replyCommand(std::uint8_t request) {
    return static_cast<std::uint8_t>(request ^ 0x80u);
}

} // namespace kordana
