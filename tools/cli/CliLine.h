#pragma once

#include "link/Port.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace kordana {

class LinkProtocol;

/// Called after every tick of the link; an exit code once the command is over.
using AfterTick = std::function<std::optional<int>()>;

/// The line a device command talks over: the port its link writes to and reads from, and the
/// clock that ticks the link every 55 ms. kordana-cli runs on a serial device in real time;
/// tests run the same commands on a simulated unit and a simulated clock.
class CliLine {
public:
    virtual ~CliLine() = default;

    /// The port the link talks through.
    virtual Port& port() = 0;
    /// False once the device has gone away.
    virtual bool usable() const = 0;
    /// Why the device went away ("device: reason"); empty when no error closed it.
    virtual std::string failure() const = 0;
    /// Ticks link every 55 ms until afterTick returns an exit code; returns that code.
    virtual int runTicks(LinkProtocol& link, const AfterTick& afterTick) = 0;
};

/// Opens the line of a device; null with the reason in `why` when it cannot be opened.
using CliLineOpener =
    std::function<std::unique_ptr<CliLine>(const QString& device, std::string& why)>;

/// The program's opener: the device as a serial port, ticked by a 55 ms timer on a local Qt
/// event loop (which also moves the serial bytes).
CliLineOpener serialLineOpener();

} // namespace kordana
