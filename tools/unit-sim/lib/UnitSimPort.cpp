#include "tools/unit-sim/lib/UnitSimPort.h"

#include <algorithm>

namespace kordana {

void UnitSimPort::collect() {
    const std::vector<std::uint8_t> out = m_unit.takeOutput();
    if (m_connected) {
        m_received.insert(m_received.end(), out.begin(), out.end());
    }
}

std::size_t UnitSimPort::bytesWaiting() {
    collect();
    return m_received.size();
}

std::size_t UnitSimPort::read(std::span<std::uint8_t> buffer) {
    collect();
    const std::size_t count = std::min(buffer.size(), m_received.size());
    std::copy_n(m_received.begin(), count, buffer.begin());
    m_received.erase(m_received.begin(), m_received.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
}

bool UnitSimPort::write(std::span<const std::uint8_t> bytes) {
    if (!m_connected) {
        return false;
    }
    m_sent.insert(m_sent.end(), bytes.begin(), bytes.end());
    m_unit.receive(bytes);
    return true;
}

} // namespace kordana
