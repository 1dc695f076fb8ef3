#pragma once

#include "lang/MessageTexts.h"
#include "monitor/MonitorDisplay.h"
#include "storage/MonitorLogFile.h"
#include "tools/cli/CliConsole.h"
#include "tools/cli/CliLine.h"

#include <QString>

#include <optional>

namespace kordana {

/// What the monitor command is to do.
struct MonitorSettings {
    QString device;
    std::optional<unsigned> seconds; ///< run this long; until interrupted when empty
    QString csvPath;                 ///< no CSV file when empty
    bool extended = false;           ///< "Extended Monitor": sensor millivolts in the texts
    bool servo = false;              ///< servo lines shown
    bool fast = false;               ///< fast link: a request as soon as a frame is in
};

/// Watches the running engine: the link idles on the 55 ms tick and asks for a monitor frame
/// every sixth tick; every intact frame updates the panel texts (printed about once a second)
/// and, with a CSV file, adds one row.
class CliMonitor {
public:
    static constexpr int kPrintTicks = 18; ///< ticks between two printings of the panel

    /// Prints on console with the texts of the current language; opens the device with opener.
    CliMonitor(CliConsole& console, const MessageTexts& texts,
               CliLineOpener opener = serialLineOpener());

    /// Runs until the time is up or the program is interrupted; returns the exit code
    /// (kExitRefused when no frame arrived at all).
    int run(const MonitorSettings& settings);

private:
    void onFrame(std::span<const std::uint8_t, kFrameSize> bytes);
    void printPanel();
    bool openCsv(const QString& path);
    std::optional<int> afterTick(int ticks, int tickLimit, bool portOpen);

    CliConsole& m_console;
    const MessageTexts& m_texts;
    CliLineOpener m_opener;
    MonitorOptions m_options;
    MonitorDisplay m_display;
    MonitorLogFile m_csv;
    bool m_csvFailed = false;
    long m_frames = 0;
    bool m_fresh = false;   ///< a frame arrived since the panel was last printed
    bool m_printed = false; ///< the panel has been printed at least once
};

} // namespace kordana
