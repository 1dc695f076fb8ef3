#include "tools/cli/CliCommandLine.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace kordana {

namespace {

enum class Value { Port, Out, Csv, Seconds, Preset, Pdf, Language, Library };
enum class Flag { Extended, Servo, Partial, NoLibrary, Fast };

// What one command accepts and needs.
struct CommandSpec {
    CliCommand command;
    std::string_view name;
    std::span<const Value> values;
    std::span<const Flag> flags;
    std::span<const Value> required;
    bool needsFile;
    bool twoSets = false; ///< takes two sets, each a file or --port DEVICE (diff)
    bool logs = false;    ///< takes monitor logs and the analysis options (analyze)
};

constexpr std::array kPortOnly{Value::Port};
constexpr std::array kPortLibrary{Value::Port, Value::Library};
constexpr std::array kPartialOnly{Flag::Partial};
constexpr std::array kPartialFast{Flag::Partial, Flag::Fast};
constexpr std::array kPartialLibraryFast{Flag::Partial, Flag::NoLibrary, Flag::Fast};
constexpr std::array kNoLibraryFast{Flag::NoLibrary, Flag::Fast};
constexpr std::array kPortOut{Value::Port, Value::Out};
constexpr std::array kPortOutLibrary{Value::Port, Value::Out, Value::Library};
constexpr std::array kMonitorValues{Value::Port, Value::Seconds, Value::Csv};
constexpr std::array kMonitorFlags{Flag::Extended, Flag::Servo, Flag::Fast};
constexpr std::array kPresetOut{Value::Preset, Value::Out};
constexpr std::array kSheetValues{Value::Pdf, Value::Language};
constexpr std::array kPdfOnly{Value::Pdf};
constexpr std::array kOutOnly{Value::Out};

constexpr std::array kSpecs{
    CommandSpec{CliCommand::Program, "program", kPortLibrary, kPartialLibraryFast, kPortOnly, true},
    CommandSpec{CliCommand::Read, "read", kPortOutLibrary, kNoLibraryFast, kPortOut, false},
    CommandSpec{CliCommand::Verify, "verify", kPortOnly, kPartialFast, kPortOnly, true},
    CommandSpec{CliCommand::Monitor, "monitor", kMonitorValues, kMonitorFlags, kPortOnly, false},
    CommandSpec{CliCommand::Defaults, "defaults", kPresetOut, {}, kPresetOut, false},
    CommandSpec{CliCommand::Check, "check", {}, {}, {}, true},
    CommandSpec{CliCommand::Diff, "diff", kPortOnly, kPartialOnly, {}, false, true},
    CommandSpec{CliCommand::Sheet, "sheet", kSheetValues, kPartialOnly, kPdfOnly, true},
    CommandSpec{CliCommand::Analyze, "analyze", kOutOnly, {}, {}, false, false, true},
    CommandSpec{CliCommand::Library, "library", {}, {}, {}, false},
};

constexpr std::string_view valueName(Value v) {
    switch (v) {
    case Value::Port:
        return "--port";
    case Value::Out:
        return "--out";
    case Value::Csv:
        return "--csv";
    case Value::Seconds:
        return "--seconds";
    case Value::Preset:
        return "--preset";
    case Value::Pdf:
        return "--pdf";
    case Value::Language:
        return "--language";
    case Value::Library:
        return "--library";
    }
    return {};
}

constexpr std::string_view flagName(Flag f) {
    switch (f) {
    case Flag::Extended:
        return "--extended";
    case Flag::Servo:
        return "--servo";
    case Flag::Partial:
        return "--partial";
    case Flag::NoLibrary:
        return "--no-library";
    case Flag::Fast:
        return "--fast";
    }
    return {};
}

bool& flagMember(CliOptions& o, Flag f) {
    switch (f) {
    case Flag::Extended:
        return o.extended;
    case Flag::Servo:
        return o.servo;
    case Flag::NoLibrary:
        return o.noLibrary;
    case Flag::Fast:
        return o.fast;
    case Flag::Partial:
        break;
    }
    return o.partial;
}

const CommandSpec* findSpec(std::string_view name) {
    const auto it = std::ranges::find(kSpecs, name, &CommandSpec::name);
    return it == kSpecs.end() ? nullptr : &*it;
}

std::optional<unsigned> parseUnsigned(std::string_view text, unsigned max) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || value > max) {
        return std::nullopt;
    }
    return value;
}

// The language index of a --language code, as the window numbers its languages.
std::optional<std::uint8_t> parseLanguage(std::string_view code) {
    constexpr std::array<std::string_view, 4> kCodes{"en", "de", "fr", "cs"};
    const auto it = std::ranges::find(kCodes, code);
    if (it == kCodes.end()) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(it - kCodes.begin());
}

// Stores one option value; the error text when the value is unusable.
std::string storeValue(CliOptions& o, Value v, std::string_view text) {
    switch (v) {
    case Value::Port:
        o.port = text;
        return text.empty() ? "--port needs a device" : "";
    case Value::Out:
        o.out = text;
        return text.empty() ? "--out needs a file name" : "";
    case Value::Csv:
        o.csv = text;
        return text.empty() ? "--csv needs a file name" : "";
    case Value::Seconds:
        o.seconds = parseUnsigned(text, 7 * 24 * 3600);
        return o.seconds && *o.seconds > 0 ? ""
                                           : "--seconds needs a whole number of seconds, 1 or more";
    case Value::Preset:
        o.preset = parseUnsigned(text, 3);
        return o.preset ? "" : "--preset needs a preset number 0, 1, 2 or 3";
    case Value::Pdf:
        o.pdf = text;
        return text.empty() ? "--pdf needs a file name" : "";
    case Value::Language:
        o.language = parseLanguage(text);
        return o.language ? "" : "--language needs en, de, fr or cs";
    case Value::Library:
        o.library = text;
        return text.empty() ? "--library needs a folder" : "";
    }
    return {};
}

bool given(const CliOptions& o, Value v) {
    switch (v) {
    case Value::Port:
        return !o.port.empty();
    case Value::Out:
        return !o.out.empty();
    case Value::Csv:
        return !o.csv.empty();
    case Value::Seconds:
        return o.seconds.has_value();
    case Value::Preset:
        return o.preset.has_value();
    case Value::Pdf:
        return !o.pdf.empty();
    case Value::Language:
        return o.language.has_value();
    case Value::Library:
        return !o.library.empty();
    }
    return false;
}

// Takes one option word (and perhaps the word after it); the error text, or empty.
std::string takeOption(const CommandSpec& command, CliOptions& o,
                       std::span<const std::string_view> args, std::size_t& i) {
    std::string_view name = args[i];
    std::optional<std::string_view> value;
    if (const auto eq = name.find('='); eq != std::string_view::npos) {
        value = name.substr(eq + 1);
        name = name.substr(0, eq);
    }
    if (!value) {
        const auto flag = std::ranges::find(command.flags, name, flagName);
        if (flag != command.flags.end()) {
            flagMember(o, *flag) = true;
            return {};
        }
    }
    const bool analysis = command.logs && isAnalyzeOption(name);
    const auto v = std::ranges::find(command.values, name, valueName);
    if (!analysis && v == command.values.end()) {
        return "unknown option " + std::string(args[i]);
    }
    if (!value) {
        if (i + 1 >= args.size()) {
            return std::string(name) + " needs a value";
        }
        value = args[++i];
    }
    return analysis ? storeAnalyzeOption(o.analyze, name, *value) : storeValue(o, *v, *value);
}

std::string checkComplete(const CommandSpec& command, CliOptions& o) {
    for (const Value v : command.required) {
        if (!given(o, v)) {
            return std::string(valueName(v)) + " is required";
        }
    }
    if (command.needsFile && o.file.empty()) {
        return "a parameter file (*.ign) is required";
    }
    if (command.twoSets && o.sets.size() != 2) {
        return "two sets are required, each FILE.ign or --port DEVICE";
    }
    return command.logs ? finishAnalyzeOptions(o.analyze) : std::string();
}

// Takes the options and arguments after the command word; the error text, or empty.
std::string takeWords(const CommandSpec& command, CliOptions& o,
                      std::span<const std::string_view> args) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view word = args[i];
        if (word.starts_with("-") && word != "-") {
            if (std::string error = takeOption(command, o, args, i); !error.empty()) {
                return error;
            }
            // Each --port of a comparison names one of its sets, in order.
            if (command.twoSets && !o.port.empty()) {
                o.sets.push_back(CliSetSource{true, o.port});
                o.port.clear();
            }
        } else if (command.logs) {
            o.analyze.logs.emplace_back(word);
        } else if (command.twoSets && o.sets.size() < 2) {
            o.sets.push_back(CliSetSource{false, std::string(word)});
        } else if (command.needsFile && o.file.empty()) {
            o.file = word;
        } else {
            return "unexpected argument " + std::string(word);
        }
    }
    return {};
}

CliParseResult failure(std::string error, CliCommand command = CliCommand::None) {
    return {std::nullopt, std::move(error), command};
}

} // namespace

CliParseResult parseCliCommandLine(std::span<const std::string_view> args) {
    CliOptions o;
    if (args.empty()) {
        return failure("no command given");
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        o.help = true;
        if (args.size() > 1) {
            if (const CommandSpec* command = findSpec(args[1])) {
                o.command = command->command;
            }
        }
        return {o, {}, o.command};
    }
    const CommandSpec* command = findSpec(args[0]);
    if (command == nullptr) {
        return failure("unknown command " + std::string(args[0]));
    }
    o.command = command->command;
    if (std::ranges::find_if(args, [](std::string_view a) { return a == "--help" || a == "-h"; }) !=
        args.end()) {
        o.help = true;
        return {o, {}, o.command};
    }
    if (command->command == CliCommand::Library) {
        if (std::string error = parseLibraryArguments(args.subspan(1), o.libraryCommand);
            !error.empty()) {
            return failure(std::move(error), command->command);
        }
        return {o, {}, o.command};
    }
    if (std::string error = takeWords(*command, o, args); !error.empty()) {
        return failure(std::move(error), command->command);
    }
    if (std::string error = checkComplete(*command, o); !error.empty()) {
        return failure(std::move(error), command->command);
    }
    return {o, {}, o.command};
}

std::string_view commandName(CliCommand command) {
    const auto it = std::ranges::find(kSpecs, command, &CommandSpec::command);
    return it == kSpecs.end() ? std::string_view{} : it->name;
}

namespace {

constexpr std::string_view kDeviceNote =
    "DEVICE is a device path (/dev/ttyUSB0) or a port name COM1..COM20, which resolves\n"
    "as in the window: the PORTS section of the settings file, else /dev/ttyS{n-1}.\n";

constexpr std::string_view kExitNote =
    "Exit codes: 0 success; 1 the unit or the file said no; 2 usage error, or a port\n"
    "or file that cannot be used.\n";

constexpr std::string_view kLibraryNote =
    "The set goes into the tune library ('kordana-cli library --help') as an entry of the\n"
    "unit; a library that cannot be used is said on standard error and changes nothing.\n"
    "  --library DIR  the library to keep it in     --no-library  keep it in none\n";

constexpr std::string_view kPartialNote =
    "A file that lacks keys, or whose values of a key stop short, is refused (exit 1,\n"
    "the keys named) unless --partial is given:\n"
    "  --partial    take the file anyway; the default set of preset 0 fills the\n"
    "               parameters it lacks (the keys are named on standard error)\n";

constexpr std::string_view kFastNote =
    "  --fast       fast link: each request goes out as soon as the reply to the\n"
    "               previous one was taken in, not on the next 55 ms tick; time-outs\n"
    "               and retries stay as on the tick pace, a run that needs a retry\n"
    "               goes on at the tick pace, and a monitor whose replies time out\n"
    "               falls back to a request every 330 ms\n";

constexpr std::array kFastCommands{CliCommand::Program, CliCommand::Read, CliCommand::Verify,
                                   CliCommand::Monitor};

} // namespace

std::string generalHelp() {
    std::string text =
        "Usage: kordana-cli COMMAND [OPTIONS]\n"
        "Programs, reads, verifies and monitors the engine control unit from a terminal.\n"
        "\n"
        "Commands:\n"
        "  program  --port DEVICE FILE.ign      program the unit with a parameter file\n"
        "  read     --port DEVICE --out FILE.ign  read the unit into a parameter file\n"
        "  verify   --port DEVICE FILE.ign      compare the unit with a parameter file\n"
        "  monitor  --port DEVICE [--seconds N] [--csv FILE]  watch the running engine\n"
        "  defaults --preset N --out FILE.ign   write the default set of a preset\n"
        "  check    FILE.ign                    list what the consistency pass repairs\n"
        "  diff     A B                         list the parameters in which two sets differ\n"
        "  sheet    FILE.ign --pdf OUT.pdf      write the tune sheet of a parameter file\n"
        "  analyze  --set FILE.ign LOG.csv...   propose fuel and ignition changes from logs\n"
        "  library  log|show|diff|restore|note|remote|sync  the tune library of every set\n"
        "\n"
        "Run 'kordana-cli COMMAND --help' for the details of one command.\n\n";
    text += kDeviceNote;
    text += kExitNote;
    return text;
}

namespace {

// The notes that follow a command's own help, after an empty line.
enum class Notes { Device, Exit, DeviceAndExit };

struct CommandHelp {
    CliCommand command;
    Notes notes;
    bool partial; // takes --partial: its note follows the command's own text
    std::string_view text;
};

constexpr std::array kCommandHelp{
    CommandHelp{CliCommand::Program, Notes::DeviceAndExit, true,
                "Usage: kordana-cli program --port DEVICE [--partial] [--fast] FILE.ign\n"
                "Starts from the default set of preset 0, applies the file as Open does, runs the\n"
                "consistency pass and programs the unit (blocks 0..19, then the verify pass).\n"
                "Prints each status text as the window shows it. Exit 0 only when the verify pass\n"
                "ended OK.\n"},
    CommandHelp{
        CliCommand::Read, Notes::DeviceAndExit, false,
        "Usage: kordana-cli read --port DEVICE --out FILE.ign [--fast]\n"
        "Reads the unit (blocks 0..19), runs the consistency pass, verifies the unit\n"
        "against the result and only then writes the file (replaced atomically).\n"
        "\"No reading!\", \"Read error!\", \"Verify error!\" or an unmatched unit: exit 1,\n"
        "no file written.\n"},
    CommandHelp{
        CliCommand::Verify, Notes::DeviceAndExit, true,
        "Usage: kordana-cli verify --port DEVICE [--partial] [--fast] FILE.ign\n"
        "Builds the image as 'program' does and compares blocks 1..19 of the unit with it.\n"
        "Exit 0 on \"Verify: OK\".\n"},
    CommandHelp{CliCommand::Monitor, Notes::DeviceAndExit, false,
                "Usage: kordana-cli monitor --port DEVICE [--seconds N] [--csv FILE]\n"
                "                          [--extended] [--servo] [--fast]\n"
                "Asks the unit for live data every 330 ms and prints the monitor panel's texts\n"
                "about once a second, until N seconds have passed or the program is interrupted.\n"
                "  --csv FILE   one row per intact monitor frame: a UTC timestamp and every\n"
                "               field in engineering units, after a header row\n"
                "  --extended   also show the sensor millivolts (\"Extended Monitor\")\n"
                "  --servo      also show the servo lines\n"
                "With --fast every frame the unit sends is logged (15 and more a second).\n"
                "Exit 1 when no monitor frame arrived at all.\n"},
    CommandHelp{CliCommand::Defaults, Notes::Exit, false,
                "Usage: kordana-cli defaults --preset N --out FILE.ign\n"
                "Writes the default set of motor-and-fuel preset N (0..3) as New and Save do.\n"},
    CommandHelp{
        CliCommand::Check, Notes::Exit, false,
        "Usage: kordana-cli check FILE.ign\n"
        "Reads the file as Open does (over the default set of preset 0) and lists every\n"
        "parameter the consistency pass changes: key and element, old and new value.\n"
        "Lists the keys the file lacks and the keys whose values stop short (a word that\n"
        "is not a number, or the end of the file; the rest took the number read last).\n"
        "Exit 1 when the file lacks keys, stops short or has another format version;\n"
        "exit 2 when it cannot be read (missing, not a regular file, or larger than 1 MB).\n"},
    CommandHelp{
        CliCommand::Diff, Notes::Device, true,
        "Usage: kordana-cli diff [--partial] A B\n"
        "Each of A and B is FILE.ign (read as Open does, over the default set of preset 0,\n"
        "then repaired) or --port DEVICE (the unit's 20 blocks as it sends them).\n"
        "Prints a summary per map and group, an empty line, then a line per parameter\n"
        "that differs, in file order, A's value first, named by caption and key:\n"
        "  Ign 2: differing cells 1, largest change 2 deg (8000 rpm, 5 %)\n"
        "  Ign 2, 8000 rpm, 5 %: 12 -> 14 deg [IGN_2[37]]\n"
        "\"(stored 1 -> 2)\" follows when the shown values agree but the\n"
        "bytes do not; bytes no parameter names are listed as \"byte N\". The unit\n"
        "header (bytes 0..99) is not compared; EXT_MON only between two files.\n"
        "Exit 0 when the sets are equal, 1 when they differ, 2 on any error.\n"},
    CommandHelp{CliCommand::Sheet, Notes::Exit, true,
                "Usage: kordana-cli sheet FILE.ign --pdf OUT.pdf [--language en|de|fr|cs]\n"
                "                        [--partial]\n"
                "Reads the file as Open does (over the default set of preset 0), runs the\n"
                "consistency pass and writes the whole parameter set as a tune sheet: an A4 PDF\n"
                "with the nine maps, the position, servo, power-output and other values, the\n"
                "corrections and the knock table (replaced atomically).\n"
                "  --language   the sheet's language; English when not given\n"
                "Exit 1 when the file has another format version.\n"},
    CommandHelp{
        CliCommand::Analyze, Notes::Exit, false,
        "Usage: kordana-cli analyze --set FILE.ign [--sensor narrow|wide:L0,L5]\n"
        "                          [--delay-ms N] [--min-samples N] [--authority PCT]\n"
        "                          [--target-row T0,...,T9] [--retard-step DEG]\n"
        "                          [--max-retard DEG] [--banks a|b|ab] [--out FILE.ign]\n"
        "                          LOG.csv...\n"
        "Reads monitor logs recorded with the set FILE.ign (read as Open does, over the\n"
        "default set of preset 0, then repaired) and sorts every row into the map cells the\n"
        "cursor marks for it. Prints the samples used and rejected by reason, then per map\n"
        "the cells it would change: old and new value, and the samples behind them.\n"
        "Several logs add up.\n"
        "  --sensor       narrow (default): one step toward the target voltage per pass;\n"
        "                 wide:L0,L5: a wideband output, lambda L0 at 0 V and L5 at 5 V\n"
        "  --delay-ms     exhaust transport delay, 0..2000 (default 400)\n"
        "  --min-samples  samples a cell needs for a fuel change (default 8)\n"
        "  --authority    largest fuel change per pass, % (default 15)\n"
        "  --target-row   per throttle row: target lambdas (wide; default 1.00 up to 30 %,\n"
        "                 0.95, 0.90, 0.87, 0.87) or target mV (narrow; default 450)\n"
        "  --retard-step  degrees of retard per 2 knock events in a cell (default 1)\n"
        "  --max-retard   largest retard per pass, degrees (default 3)\n"
        "  --banks        the injection banks that take the fuel changes (default ab)\n"
        "  --out          write the set with the changes (replaced atomically)\n"
        "Exit 1 when the set has another format version or lacks keys, or a log is\n"
        "damaged; exit 2 when a file cannot be read.\n"},
};

} // namespace

std::string commandHelp(CliCommand command) {
    if (command == CliCommand::Library) {
        return std::string(libraryHelp());
    }
    const auto it = std::ranges::find(kCommandHelp, command, &CommandHelp::command);
    if (it == kCommandHelp.end()) {
        return generalHelp();
    }
    std::string text(it->text);
    if (command == CliCommand::Program || command == CliCommand::Read) {
        text += kLibraryNote;
    }
    if (it->partial) {
        text += kPartialNote;
    }
    if (std::ranges::find(kFastCommands, command) != kFastCommands.end()) {
        text += kFastNote;
    }
    text += "\n";
    if (it->notes != Notes::Exit) {
        text += kDeviceNote;
    }
    if (it->notes != Notes::Device) {
        text += kExitNote;
    }
    return text;
}

} // namespace kordana
