#include "tools/unit-sim/lib/UnitSimCommandLine.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace kordana {

namespace {

using Setter = std::function<bool(UnitSimProgramOptions&, std::string_view)>;

std::optional<UnitSaveRule> parseSaveRule(std::string_view text) {
    if (text == "block19") {
        return UnitSaveRule::Block19;
    }
    if (text == "full") {
        return UnitSaveRule::Full;
    }
    if (text == "any") {
        return UnitSaveRule::Any;
    }
    return std::nullopt;
}

std::optional<unsigned long> parseNumber(std::string_view text, unsigned long max) {
    unsigned long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || value > max) {
        return std::nullopt;
    }
    return value;
}

template <typename T>
Setter number(T UnitSimOptions::*field, unsigned long min, unsigned long max) {
    return [field, min, max](UnitSimProgramOptions& o, std::string_view v) {
        const auto n = parseNumber(v, max);
        if (!n || *n < min) {
            return false;
        }
        o.unit.*field = static_cast<T>(*n);
        return true;
    };
}

template <typename T>
Setter optionalByte(std::optional<T> UnitSimOptions::*field, unsigned long min, unsigned long max) {
    return [field, min, max](UnitSimProgramOptions& o, std::string_view v) {
        const auto n = parseNumber(v, max);
        if (!n || *n < min) {
            return false;
        }
        o.unit.*field = static_cast<T>(*n);
        return true;
    };
}

Setter saveRule() {
    return [](UnitSimProgramOptions& o, std::string_view v) {
        const auto rule = parseSaveRule(v);
        if (rule) {
            o.unit.saveOn = *rule;
        }
        return rule.has_value();
    };
}

const std::map<std::string_view, Setter>& valueOptions() {
    static const std::map<std::string_view, Setter> options = {
        {"--drop", number(&UnitSimOptions::dropPercent, 0, 100)},
        {"--corrupt", number(&UnitSimOptions::corruptPercent, 0, 100)},
        {"--truncate", number(&UnitSimOptions::truncatePercent, 0, 100)},
        {"--delay", number(&UnitSimOptions::delayMs, 0, 600000)},
        {"--seed", number(&UnitSimOptions::seed, 0, UINT32_MAX)},
        {"--saving-ms", number(&UnitSimOptions::savingMs, 0, 600000)},
        {"--program-version", number(&UnitSimOptions::programVersion, 0, 255)},
        {"--reply-ms", number(&UnitSimOptions::replyMs, 0, 600000)},
        {"--min-gap-ms", number(&UnitSimOptions::minGapMs, 0, 600000)},
        {"--save-on", saveRule()},
        {"--bad-echo", optionalByte(&UnitSimOptions::badEchoBlock, 1, 19)},
        {"--byte102", optionalByte(&UnitSimOptions::byte102, 0, 255)},
        {"--layout-version",
         [](UnitSimProgramOptions& o, std::string_view v) {
             const auto n = parseNumber(v, 255);
             if (n) {
                 o.unit.layoutVersion = static_cast<std::uint8_t>(*n);
             }
             return n.has_value();
         }},
        {"--programmings",
         [](UnitSimProgramOptions& o, std::string_view v) {
             const auto n = parseNumber(v, 65535);
             if (n) {
                 o.unit.identity.programmings = static_cast<std::uint16_t>(*n);
             }
             return n.has_value();
         }},
        {"--text",
         [](UnitSimProgramOptions& o, std::string_view v) {
             o.unit.identity.text = std::string(v.substr(0, 30));
             return true;
         }},
        {"--link",
         [](UnitSimProgramOptions& o, std::string_view v) {
             o.linkPath = std::string(v);
             return !v.empty();
         }},
        {"--ppid",
         [](UnitSimProgramOptions& o, std::string_view v) {
             const auto n = parseNumber(v, 0x7FFFFFFF);
             if (n && *n > 0) {
                 o.watchPid = static_cast<long>(*n);
             }
             return n && *n > 0;
         }},
    };
    return options;
}

bool setFlag(UnitSimProgramOptions& o, std::string_view name) {
    if (name == "--silent") {
        o.unit.silent = true;
    } else if (name == "--read-protect") {
        o.unit.readProtect = true;
    } else if (name == "--exit-with-parent") {
        o.exitWithParent = true;
    } else if (name == "--verbose") {
        o.verbose = true;
    } else if (name == "--help" || name == "-h") {
        o.help = true;
    } else {
        return false;
    }
    return true;
}

std::optional<std::string> readFile(std::string_view path) {
    std::ifstream in{std::string(path), std::ios::binary};
    std::ostringstream text;
    if (!in || !(text << in.rdbuf())) {
        return std::nullopt;
    }
    return text.str();
}

// --engine [FILE]: the built-in engine, or the one FILE describes; the error text or empty.
std::string setEngine(UnitSimProgramOptions& o, std::optional<std::string_view> file) {
    if (!file) {
        o.unit.engine = builtInEngine();
        return {};
    }
    const auto text = readFile(*file);
    if (!text) {
        return "cannot read engine file " + std::string(*file);
    }
    EngineFileResult read = parseEngineDescription(*text);
    if (!read.error.empty()) {
        return std::string(*file) + ": " + read.error;
    }
    o.unit.engine = read.engine;
    return {};
}

// --profile dyno|track|FILE; the error text or empty.
std::string setProfile(UnitSimProgramOptions& o, std::string_view value) {
    if (value == "dyno" || value == "track") {
        o.unit.profile.kind =
            value == "dyno" ? ProfileChoice::Kind::Dyno : ProfileChoice::Kind::Track;
        return {};
    }
    const auto text = readFile(value);
    if (!text) {
        return "cannot read profile file " + std::string(value);
    }
    ProfileFileResult read = parseProfile(*text);
    if (!read.error.empty()) {
        return std::string(value) + ": " + read.error;
    }
    o.unit.profile = {ProfileChoice::Kind::Segments, read.segments};
    return {};
}

// The engine options, which read files; nullopt when `name` is neither of them.
std::optional<std::string> engineOption(UnitSimProgramOptions& o,
                                        std::span<const std::string_view> args, std::size_t& i,
                                        std::string_view name,
                                        std::optional<std::string_view> value) {
    if (name == "--engine") {
        if (!value && i + 1 < args.size() && !args[i + 1].starts_with("-")) {
            value = args[++i];
        }
        return setEngine(o, value);
    }
    if (name == "--profile") {
        if (!value && i + 1 < args.size()) {
            value = args[++i];
        }
        return value ? setProfile(o, *value) : "missing value for --profile";
    }
    return std::nullopt;
}

} // namespace

UnitSimParseResult parseUnitSimCommandLine(std::span<const std::string_view> args) {
    UnitSimProgramOptions options;
    bool programVersionGiven = false;
    bool profileGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        std::optional<std::string_view> value;
        if (const auto eq = name.find('='); eq != std::string_view::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (!value && setFlag(options, name)) {
            continue;
        }
        if (const auto error = engineOption(options, args, i, name, value)) {
            if (!error->empty()) {
                return {std::nullopt, *error};
            }
            profileGiven = profileGiven || name == "--profile";
            continue;
        }
        const auto it = valueOptions().find(name);
        if (it == valueOptions().end()) {
            return {std::nullopt, "unknown option: " + std::string(args[i])};
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                return {std::nullopt, "missing value for " + std::string(name)};
            }
            value = args[++i];
        }
        if (!it->second(options, *value)) {
            return {std::nullopt,
                    "bad value for " + std::string(name) + ": " + std::string(*value)};
        }
        programVersionGiven = programVersionGiven || name == "--program-version";
    }
    if (profileGiven && !options.unit.engine) {
        return {std::nullopt, "--profile needs --engine"};
    }
    // A unit with another memory layout runs another program version too, unless told apart.
    if (!programVersionGiven) {
        options.unit.programVersion = options.unit.layoutVersion;
    }
    return {options, {}};
}

std::string unitSimUsage() {
    return "Usage: kordana-unit-sim [options]\n"
           "Serves a simulated engine control unit on a pseudo-terminal and prints the\n"
           "device path on the first line of standard output.\n"
           "\n"
           "  --link PATH            also make a symbolic link PATH to the device (removed at "
           "exit)\n"
           "  --exit-with-parent     stop when the process that started it ends\n"
           "  --ppid PID             stop when process PID ends\n"
           "  --silent               never answer\n"
           "  --drop PCT             drop PCT % of the replies\n"
           "  --corrupt PCT          alter one byte in PCT % of the replies\n"
           "  --truncate PCT         send only part of PCT % of the replies\n"
           "  --delay MS             send every reply MS milliseconds after its request\n"
           "  --bad-echo N           answer programming of block N (1..19) with one byte changed\n"
           "  --read-protect         report reading refused (header byte 9 = 0)\n"
           "  --layout-version V     report memory layout version V (default 51)\n"
           "  --program-version V    report program version V in monitor frames\n"
           "                         (default: the layout version)\n"
           "  --byte102 V            answer V at image byte 102 in read replies\n"
           "  --seed S               seed of the fault dice and the engine's noise (default 1)\n"
           "  --saving-ms MS         time the saving count takes to run down (default 3000)\n"
           "  --reply-ms MS          the unit's working time: every reply leaves MS ms after\n"
           "                         its request (on top of --delay; default 0)\n"
           "  --min-gap-ms MS        do not hear a request that comes sooner than MS ms after\n"
           "                         the previous reply (default 0)\n"
           "  --save-on RULE         when the unit saves and counts a programming: block19\n"
           "                         (after block 19 of any run, the default), full (only\n"
           "                         after a run of all blocks 1..19), any (after every\n"
           "                         stored block)\n"
           "  --text TEXT            identification text in the header (up to 30 characters)\n"
           "  --programmings N       programming count before the first run (default 0)\n"
           "  --engine [FILE]        run an engine behind the unit: it starts with the default\n"
           "                         set of preset 0, and its monitor frames report speed,\n"
           "                         throttle, lambda, coolant and knock of a simulated engine\n"
           "                         fed by the parameters it holds; FILE describes the engine\n"
           "                         (its settings: man kordana-unit-sim). Without FILE preset\n"
           "                         0 runs 12 % lean in rows 5..7, columns 4..8, and 2 degrees\n"
           "                         past the knock limit in a few cells\n"
           "  --profile NAME|FILE    how the engine is driven: dyno (default; holds across the\n"
           "                         map, a pull, an overrun), track (laps), or a FILE of\n"
           "                         'hold RPM THROTTLE SECONDS' and 'ramp RPM THROTTLE SECONDS'\n"
           "                         lines, repeated from the start\n"
           "  --verbose              log every request on standard error\n"
           "  --help                 show this text\n";
}

} // namespace kordana
