#pragma once

#include "lang/MessageTexts.h"
#include "link/LinkProtocol.h"
#include "params/ParameterImage.h"
#include "tools/cli/CliConsole.h"
#include "tools/cli/CliLine.h"

#include <QString>

#include <optional>

namespace kordana {

class CliLinkEvents;

/// The transfers of the device commands; Compare reads the unit without a verify pass and
/// without repairing what it read.
enum class TransferKind { Program, Verify, Read, Compare };

/// Runs one Program, Verify or Read transfer against the unit on a line (in the program a serial
/// device, driven as in the window by a 55 ms timer on the Qt event loop), and turns its outcome
/// into an exit code.
class CliTransfer {
public:
    /// No transfer can outlast this many ticks: 39 blocks, each sent at most kMaxAttempts times
    /// kReplyWaitTicks apart, plus the first wait and a margin. Only a fault could reach it.
    static constexpr int kTickCap =
        40 * LinkProtocol::kMaxAttempts * LinkProtocol::kReplyWaitTicks + 20;

    /// Prints on console with the texts of the current language; opens devices with opener.
    CliTransfer(CliConsole& console, const MessageTexts& texts,
                CliLineOpener opener = serialLineOpener());

    /// Opens device and runs the transfer on image (a Read fills it). Returns kExitSuccess only
    /// when the transfer ended with "Verify: OK" (and, for Program, "Program device: OK"); a
    /// Compare fills image with the unit's set as sent and succeeds on "Read: OK".
    int run(TransferKind kind, const QString& device, ParameterImage& image);
    /// The fast link for the transfers from now on (off by default: the tick pace).
    void setFastLink(bool on) { m_fast = on; }

private:
    std::optional<int> afterTick(TransferKind kind, const LinkProtocol& link,
                                 const CliLinkEvents& events, const CliLine& line);

    CliConsole& m_console;
    const MessageTexts& m_texts;
    CliLineOpener m_opener;
    int m_ticks = 0;
    int m_settleTicks = 0;
    bool m_fast = false;
};

} // namespace kordana
