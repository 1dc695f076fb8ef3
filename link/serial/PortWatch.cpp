#include "link/serial/PortWatch.h"

#include "link/serial/SerialPort.h"

namespace kordana {

PortWatchEvent PortWatch::tick() {
    if (!m_waiting) {
        if (!m_port.lost()) {
            return PortWatchEvent::None;
        }
        m_waiting = true;
        m_device = m_port.device();
        m_opens = m_port.openCount();
        m_ticksLeft = kRetryTicks;
        return PortWatchEvent::Lost;
    }
    if (m_port.openCount() != m_opens) {
        m_waiting = false; // the window opened a port of its own choice meanwhile
        return tick();
    }
    if (--m_ticksLeft > 0) {
        return PortWatchEvent::None;
    }
    m_ticksLeft = kRetryTicks;
    const bool opened = m_port.open(m_device);
    m_opens = m_port.openCount();
    if (!opened) {
        return PortWatchEvent::None;
    }
    m_waiting = false;
    return PortWatchEvent::Reconnected;
}

} // namespace kordana
