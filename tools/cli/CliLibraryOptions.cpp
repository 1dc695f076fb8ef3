#include "tools/cli/CliLibraryOptions.h"

#include "library/LibraryEntry.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kordana {

namespace {

struct ActionSpec {
    LibraryAction action;
    std::string_view name;
    std::size_t minWords; ///< entries and texts after the action
    std::size_t maxWords;
    std::string_view usage;
};

constexpr std::array kActions{
    ActionSpec{LibraryAction::Log, "log", 0, 0, "library log [--unit ID] [--event E]"},
    ActionSpec{LibraryAction::Show, "show", 1, 1, "library show ENTRY"},
    ActionSpec{LibraryAction::Diff, "diff", 2, 2, "library diff A B"},
    ActionSpec{LibraryAction::Restore, "restore", 1, 1, "library restore ENTRY --out FILE"},
    ActionSpec{LibraryAction::Note, "note", 2, 2, "library note ENTRY TEXT"},
    ActionSpec{LibraryAction::Remote, "remote", 0, 1, "library remote [URL]"},
    ActionSpec{LibraryAction::Sync, "sync", 0, 0, "library sync"},
};

// Stores the value of an option the action takes; the error text when it takes none of it.
std::string storeOption(const ActionSpec& entry, CliLibraryOptions& o, std::string_view name,
                        std::string_view value) {
    if (name == "--library") {
        o.folder = value;
        return value.empty() ? "--library needs a folder" : "";
    }
    if (entry.action == LibraryAction::Log && name == "--unit") {
        o.unit = value;
        return value.empty() ? "--unit needs a unit ident (ABC-12) or files" : "";
    }
    if (entry.action == LibraryAction::Log && name == "--event") {
        o.event = value;
        return libraryEventFromName(value) && value != "note"
                   ? ""
                   : "--event needs saved, opened, read, programmed, replaced, restored or "
                     "assistant";
    }
    if (entry.action == LibraryAction::Restore && name == "--out") {
        o.out = value;
        return value.empty() ? "--out needs a file name" : "";
    }
    return "unknown option " + std::string(name);
}

std::string checkWords(const ActionSpec& entry, CliLibraryOptions& o,
                       std::vector<std::string> words) {
    if (words.size() < entry.minWords || words.size() > entry.maxWords) {
        return "usage: kordana-cli " + std::string(entry.usage);
    }
    if (entry.action == LibraryAction::Restore && o.out.empty()) {
        return "--out is required";
    }
    if (entry.action == LibraryAction::Note) {
        o.text = words.back();
        words.pop_back();
    }
    if (entry.action == LibraryAction::Remote) {
        if (!words.empty()) {
            o.url = words.front();
        }
        return {};
    }
    o.entries = std::move(words);
    return {};
}

} // namespace

std::string parseLibraryArguments(std::span<const std::string_view> args, CliLibraryOptions& o) {
    if (args.empty()) {
        return "library needs an action: log, show, diff, restore, note, remote or sync";
    }
    const auto entry = std::ranges::find(kActions, args[0], &ActionSpec::name);
    if (entry == kActions.end()) {
        return "unknown library action " + std::string(args[0]);
    }
    o.action = entry->action;
    std::vector<std::string> words;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string_view word = args[i];
        if (!word.starts_with("--")) {
            words.emplace_back(word);
            continue;
        }
        std::optional<std::string_view> value;
        if (const auto eq = word.find('='); eq != std::string_view::npos) {
            value = word.substr(eq + 1);
            word = word.substr(0, eq);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return std::string(word) + " needs a value";
        }
        if (std::string error = storeOption(*entry, o, word, *value); !error.empty()) {
            return error;
        }
    }
    return checkWords(*entry, o, std::move(words));
}

std::string_view libraryHelp() {
    return "Usage: kordana-cli library ACTION [--library DIR] ...\n"
           "The tune library keeps every set saved, opened, read, programmed, replaced,\n"
           "restored or changed by the assistant, by unit, in a git repository; 'program'\n"
           "and 'read' add their sets to it unless --no-library is given.\n"
           "  log [--unit ID] [--event E]  the entries, newest first: id, time (UTC), event,\n"
           "                               unit (or -), PC, user and note\n"
           "  show ENTRY                   the entry's facts, then its parameter file\n"
           "  diff A B                     the parameters in which two entries differ\n"
           "  restore ENTRY --out FILE     write the entry's set to FILE (replaced\n"
           "                               atomically); the restore is an entry itself\n"
           "  note ENTRY TEXT              note on an entry (a new entry; the set stays)\n"
           "  remote [URL]                 show or set the remote (any git URL; \"\" removes\n"
           "                               it); nothing is contacted\n"
           "  sync                         fetch, merge and push the entries (git's own\n"
           "                               credentials: SSH agent, credential helper)\n"
           "ENTRY is 4 or more hex digits of an entry's id. The library lives in\n"
           "$XDG_DATA_HOME/kordana/library unless --library DIR names another; the entries\n"
           "name this PC by KORDANA_PC_NAME, else by its host name.\n"
           "Exit codes: 0 success; 1 diff found differences or a sync did not reach the\n"
           "remote; 2 usage error, an unknown entry, or a library that cannot be used.\n";
}

} // namespace kordana
