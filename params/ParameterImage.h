#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kordana {

inline constexpr std::size_t kImageSize = 2000;
inline constexpr std::size_t kBlockSize = 100;
inline constexpr std::size_t kBlockCount = 20;
inline constexpr std::size_t kMapPageCount = 9;

/// The unit's 2000-byte parameter memory, byte for byte; block 0 is the unit header.
/// It is the only store of parameter values: editors, files and the link all read and write it.
struct ParameterImage {
    std::array<std::uint8_t, kImageSize> bytes{};

    std::uint8_t& operator[](std::size_t index) { return bytes.at(index); }
    std::uint8_t operator[](std::size_t index) const { return bytes.at(index); }

    /// The 100 bytes of block n (0..19), as they travel in one frame.
    std::span<std::uint8_t, kBlockSize> block(std::size_t n) {
        return std::span<std::uint8_t, kBlockSize>(bytes.data() + blockOffset(n), kBlockSize);
    }
    std::span<const std::uint8_t, kBlockSize> block(std::size_t n) const {
        return std::span<const std::uint8_t, kBlockSize>(bytes.data() + blockOffset(n), kBlockSize);
    }

    friend bool operator==(const ParameterImage&, const ParameterImage&) = default;

private:
    static std::size_t blockOffset(std::size_t n) { return (n < kBlockCount ? n : 0) * kBlockSize; }
};

/// The "All" check-box flags of the nine map pages; they travel with the image in the cache.
using AllFlags = std::array<std::uint8_t, kMapPageCount>;

} // namespace kordana
