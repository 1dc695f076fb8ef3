#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kordana {

/// The byte pipe the link protocol talks through: a serial port, a pty, or a scripted fake.
/// Every call returns at once; a closed or failed port quietly reads and writes nothing.
class Port {
public:
    virtual ~Port() = default;

    /// Number of received bytes waiting to be read (0 when the port is not open).
    virtual std::size_t bytesWaiting() = 0;
    /// Reads up to buffer.size() waiting bytes; returns how many were read.
    virtual std::size_t read(std::span<std::uint8_t> buffer) = 0;
    /// Queues all bytes for sending without blocking the caller; false if the port refused them.
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
};

} // namespace kordana
