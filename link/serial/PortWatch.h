#pragma once

#include <QString>

namespace kordana {

class SerialPort;

/// What a tick of the port watch found.
enum class PortWatchEvent {
    None,        ///< nothing to report
    Lost,        ///< an error has just taken the device away
    Reconnected, ///< the device lost earlier has been opened again
};

/// Watches the window's serial port for a device that goes away (a USB adapter pulled out, a
/// unit's cable unplugged) and opens the same device again once a second until it is back.
/// Counted in ticks of the window's 55 ms timer, so nothing here waits or needs a clock. A
/// port that someone else opens meanwhile (another Com picked) ends the wait.
class PortWatch {
public:
    /// 18 ticks of 55 ms: a try about once a second.
    static constexpr int kRetryTicks = 18;

    explicit PortWatch(SerialPort& port) : m_port(port) {}

    /// One tick of the window's timer.
    PortWatchEvent tick();
    /// True while the lost device is being waited for.
    bool waiting() const { return m_waiting; }

private:
    SerialPort& m_port;
    bool m_waiting = false;
    QString m_device;     // the device that was lost
    unsigned m_opens = 0; // the port's open count after the watch's own last try
    int m_ticksLeft = 0;  // until the next try
};

} // namespace kordana
