// kordana-cli: program, read, verify and monitor the engine control unit, write default sets,
// check parameter files and write tune sheets from a terminal, on the same core as the window.

#include "kordana/Version.h"
#include "tools/cli/CliCommandLine.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliConsole.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <clocale>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char* argv[]) {
    using namespace kordana;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 1 && args.front() == "--version") {
        std::printf("kordana-cli %s\n", kVersion);
        return kExitSuccess;
    }
    const CliParseResult parsed = parseCliCommandLine(args);
    // The tune sheet draws text, which needs the font database of a GUI application; it runs
    // on the offscreen platform so that no display is needed. Every other command is Qt Core
    // only.
    std::unique_ptr<QCoreApplication> app;
    if (parsed.options && !parsed.options->help && parsed.options->command == CliCommand::Sheet) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName("kordana");
    QCoreApplication::setOrganizationName(QString());
    // The monitor texts use printf number formats; they always show a decimal point.
    std::setlocale(LC_NUMERIC, "C");

    CliConsole console = CliConsole::standard();
    return runCliCommandLine(parsed, console);
}
