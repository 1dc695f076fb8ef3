#pragma once

#include "link/Port.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

class QSerialPort;

namespace kordana {

/// The unit's serial line on QSerialPort: 57600 baud, no parity, 8 data bits, 1 stop bit, no
/// flow control, opened exclusively. Nothing here ever blocks the caller: received bytes are
/// gathered and written bytes flushed by the Qt event loop of the thread that owns the port.
/// A port that failed to open, was closed, or whose device vanished behaves as a line on which
/// no unit answers: nothing waits, nothing is read, writes are refused.
class SerialPort : public Port {
public:
    /// Most bytes left waiting for the device; a write that would queue more is dropped, so a
    /// stalled device cannot pile up frames.
    static constexpr std::size_t kMaxQueuedWrite = 1024;

    SerialPort();
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    /// Closes any open device, then opens device (a path such as /dev/ttyUSB0) with the unit's
    /// line settings; false when that fails (errorString() says why).
    bool open(const QString& device);
    /// Closes the device; later calls quietly do nothing until the next open.
    void close();
    /// True from an error that took the device away (unplugged, the far end of a pty closed, a
    /// write the system refused) until the next open() or close().
    bool lost() const { return m_lost; }
    /// True while a device is open and usable.
    bool isOpen() const;
    /// The device given to the last open().
    QString device() const { return m_device; }
    /// How many times open() was called: tells a watcher whether someone else opened the port.
    unsigned openCount() const { return m_generation; }
    /// Why the last open failed or the device was closed by an error; empty otherwise.
    QString errorString() const { return m_error; }
    /// What kept the last open() from succeeding, in the user's terms.
    enum class OpenFailure { None, NotPresent, PermissionDenied, Busy, Other };
    OpenFailure openFailure() const { return m_openFailure; }
    /// The failure of an open of a device that `exists` (`accessible`: this user may read and
    /// write it) for which the serial port reported `permissionError` (the system's EACCES,
    /// EPERM or EBUSY, or a lock another program holds).
    static OpenFailure classifyOpenFailure(bool exists, bool accessible, bool permissionError);
    /// Whether this user may read and write `device`: the system's answer unless a check is
    /// set (a test stands in for a user the system refuses, which root never is).
    using AccessCheck = std::function<bool(const QString& device)>;
    void setAccessCheck(AccessCheck check) { m_accessCheck = std::move(check); }

    /// Bytes received and not yet read; 0 when the port is not usable.
    std::size_t bytesWaiting() override;
    /// Takes up to buffer.size() received bytes; 0 when the port is not usable.
    std::size_t read(std::span<std::uint8_t> buffer) override;
    /// Queues bytes for the device; false (bytes dropped) when not usable or too much is queued.
    bool write(std::span<const std::uint8_t> bytes) override;

    /// Called (on the event loop of the port's thread) whenever bytes have arrived, for a link
    /// that takes its replies in as they come; empty: nobody is told. Kept over reopens.
    void setReadyReadHandler(std::function<void()> handler) { m_onReadyRead = std::move(handler); }

private:
    void onError(int error);
    void closeDevice();

    std::unique_ptr<QSerialPort> m_port;
    std::function<void()> m_onReadyRead;
    AccessCheck m_accessCheck;
    QString m_device;
    QString m_error;
    OpenFailure m_openFailure = OpenFailure::None;
    bool m_failed = false;     // an error made the device unusable; closed on the next turn
    bool m_lost = false;       // that error has not been answered by an open() or close() yet
    unsigned m_generation = 0; // counts opens, so a late close never hits a newer device
};

} // namespace kordana
