#include "tools/unit-sim/lib/UnitSimCommandLine.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <map>

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

} // namespace

UnitSimParseResult parseUnitSimCommandLine(std::span<const std::string_view> args) {
    UnitSimProgramOptions options;
    bool programVersionGiven = false;
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
           "  --seed S               seed of the fault dice (default 1)\n"
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
           "  --verbose              log every request on standard error\n"
           "  --help                 show this text\n";
}

} // namespace kordana
