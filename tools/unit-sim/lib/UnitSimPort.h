#pragma once

#include "link/Port.h"
#include "tools/unit-sim/lib/UnitSimulator.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>

namespace kordana {

/// A Port wired straight to an in-process UnitSimulator, for tests of the program's side:
/// written frames go to the unit, its released replies come back as received bytes.
/// Delayed replies appear once the test advances the unit's clock.
class UnitSimPort : public Port {
public:
    /// Connects to unit, which must outlive the port.
    explicit UnitSimPort(UnitSimulator& unit) : m_unit(unit) {}

    /// Reply bytes released by the unit and not yet read.
    std::size_t bytesWaiting() override;
    /// Takes up to buffer.size() reply bytes.
    std::size_t read(std::span<std::uint8_t> buffer) override;
    /// Hands bytes to the unit at once; false while unplugged.
    bool write(std::span<const std::uint8_t> bytes) override;

    /// Every byte written so far, in order (what the unit was sent).
    const std::deque<std::uint8_t>& sent() const { return m_sent; }
    /// Unplugs (false) or replugs (true) the line: while unplugged nothing moves either way.
    void setConnected(bool connected) { m_connected = connected; }

private:
    void collect();

    UnitSimulator& m_unit;
    std::deque<std::uint8_t> m_received;
    std::deque<std::uint8_t> m_sent;
    bool m_connected = true;
};

} // namespace kordana
