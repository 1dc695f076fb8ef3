// kordana-cli: program, read, verify and monitor the engine control unit, write default sets
// and check parameter files from a terminal, on the same core as the window.

#include "kordana/Version.h"
#include "tools/cli/CliCommandLine.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliConsole.h"

#include <QCoreApplication>

#include <clocale>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char* argv[]) {
    using namespace kordana;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("kordana");
    QCoreApplication::setOrganizationName(QString());
    // The monitor texts use printf number formats; they always show a decimal point.
    std::setlocale(LC_NUMERIC, "C");

    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 1 && args.front() == "--version") {
        std::printf("kordana-cli %s\n", kVersion);
        return kExitSuccess;
    }
    const CliParseResult parsed = parseCliCommandLine(args);
    if (!parsed.options) {
        const std::string command(commandName(parsed.command));
        std::fprintf(stderr, "kordana-cli: %s\n", parsed.error.c_str());
        std::fprintf(stderr, "Try 'kordana-cli %s%s--help'.\n", command.c_str(),
                     command.empty() ? "" : " ");
        return kExitUsage;
    }
    if (parsed.options->help) {
        std::fputs(commandHelp(parsed.options->command).c_str(), stdout);
        return kExitSuccess;
    }
    CliConsole console = CliConsole::standard();
    return runCliCommand(*parsed.options, console);
}
