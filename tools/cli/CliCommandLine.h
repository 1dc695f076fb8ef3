#pragma once

#include "tools/cli/CliAnalyzeOptions.h"
#include "tools/cli/CliLibraryOptions.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// Exit codes of kordana-cli.
inline constexpr int kExitSuccess = 0; ///< the command did what was asked
inline constexpr int kExitRefused = 1; ///< the unit or the file said no
inline constexpr int kExitUsage = 2;   ///< usage error, or a port or file could not be used

/// The commands kordana-cli knows.
enum class CliCommand {
    None,
    Program,
    Read,
    Verify,
    Monitor,
    Defaults,
    Check,
    Diff,
    Sheet,
    Analyze,
    Library
};

/// One set a comparison reads: a parameter file, or the unit on a serial device.
struct CliSetSource {
    bool unit = false; ///< true: `where` is a device (--port); false: a parameter file
    std::string where;

    friend bool operator==(const CliSetSource&, const CliSetSource&) = default;
};

/// Everything given on the command line, checked against what the command accepts.
struct CliOptions {
    CliCommand command = CliCommand::None;
    bool help = false;               ///< --help: print the command's (or the general) help
    std::string port;                ///< --port DEVICE: a device path or "COMn"
    std::string file;                ///< FILE.ign given as the command's argument
    std::string out;                 ///< --out FILE
    std::string csv;                 ///< --csv FILE (monitor)
    std::optional<unsigned> seconds; ///< --seconds N (monitor)
    std::optional<unsigned> preset;  ///< --preset N (defaults), 0..3
    bool extended = false;           ///< --extended (monitor): sensor millivolts in the texts
    bool servo = false;              ///< --servo (monitor): show the servo lines
    /// --partial (program, verify, diff, sheet): take a file that lacks keys, the default set
    /// of preset 0 filling the rest
    bool partial = false;
    /// --fast (program, read, verify, monitor): the fast link, each request sent as soon as the
    /// previous reply was taken in
    bool fast = false;
    std::vector<CliSetSource> sets; ///< diff: the two sets A and B, in the order given

    /// --pdf FILE (sheet)
    std::string pdf;
    /// --language en|de|fr|cs (sheet): the language index 0..3 of the window's numbering
    std::optional<std::uint8_t> language;

    /// analyze: the set, the logs and the analysis settings
    CliAnalyzeOptions analyze;

    /// --library DIR (program, read): the tune library the set goes into
    std::string library;
    /// --no-library (program, read): the set goes into no library
    bool noLibrary = false;
    /// library: the action and its words
    CliLibraryOptions libraryCommand;
};

/// What parsing gave: the options, or the one-line reason why the command line is unusable.
struct CliParseResult {
    std::optional<CliOptions> options;
    std::string error;
    CliCommand command = CliCommand::None; ///< the command the failed line was for, if known
};

/// Parses the arguments after the program name: a command, then its options and its argument.
/// Options take their value as the next word or after '=' ("--port=/dev/ttyUSB0").
CliParseResult parseCliCommandLine(std::span<const std::string_view> args);

/// The name of a command as typed ("program"); empty for None.
std::string_view commandName(CliCommand command);

/// The general help: every command with its synopsis, and the exit codes.
std::string generalHelp();

/// The help of one command; the general help for None.
std::string commandHelp(CliCommand command);

} // namespace kordana
