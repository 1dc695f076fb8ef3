#pragma once

// Reading a fuzzer's input as a stream of small decisions.

#include <cstddef>
#include <cstdint>
#include <span>

namespace kordana::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data, size) {}

    bool empty() const { return m_pos >= m_data.size(); }
    /// The next byte, 0 once the input is used up.
    std::uint8_t byte() { return empty() ? 0 : m_data[m_pos++]; }
    /// Up to `count` next bytes.
    std::span<const std::uint8_t> bytes(std::size_t count) {
        const std::size_t n = count < m_data.size() - m_pos ? count : m_data.size() - m_pos;
        const auto taken = m_data.subspan(m_pos, n);
        m_pos += n;
        return taken;
    }
    /// Whatever is left.
    std::span<const std::uint8_t> rest() { return bytes(m_data.size() - m_pos); }

private:
    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
};

/// Stops the run with a message when a property does not hold (the fuzzer records the input).
[[noreturn]] void propertyFailed(const char* what);

#define KORDANA_FUZZ_REQUIRE(condition)                                                            \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ::kordana::fuzz::propertyFailed(#condition);                                           \
        }                                                                                          \
    } while (false)

} // namespace kordana::fuzz
