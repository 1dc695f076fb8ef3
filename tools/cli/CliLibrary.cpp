#include "tools/cli/CliLibrary.h"

#include "library/LibraryFolder.h"
#include "library/LibrarySync.h"
#include "library/TuneLibrary.h"
#include "params/ConsistencyPass.h"
#include "params/IgnReader.h"
#include "params/ParameterDiff.h"
#include "settings/AtomicFile.h"
#include "storage/LibraryMigration.h"
#include "tools/cli/CliCommandLine.h"
#include "tools/cli/CliDiffText.h"
#include "tools/cli/CliFiles.h"

#include <QFileInfo>
#include <QString>

#include <ctime>
#include <memory>

namespace kordana {

namespace {

std::int64_t now() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

// The default library takes in the window's history of replaced sets once, from the folder
// beside it ("history", where SetHistory keeps it); a library named on the command line
// takes nothing.
void importHistoryOnce(TuneLibrary& library, CliConsole& console) {
    if (library.flag(kSetHistoryImportedFlag)) {
        return;
    }
    const std::filesystem::path history = defaultLibraryFolder().parent_path() / "history";
    const SetHistoryImport imported =
        importSetHistory(library, SetHistory(QString::fromStdString(history.string())));
    if (!imported.done) {
        console.failure("Library: the history of replaced sets was not imported: " +
                        imported.error.toStdString());
    } else if (imported.imported > 0) {
        console.failure("Library: imported " + std::to_string(imported.imported) +
                        " set(s) of the history of replaced sets.");
    }
}

std::unique_ptr<TuneLibrary> openLibrary(const std::string& folder, CliConsole& console) {
    const std::filesystem::path where =
        folder.empty() ? defaultLibraryFolder() : std::filesystem::path(folder);
    auto opened = TuneLibrary::open(where, libraryIdentityOfThisPc());
    if (!opened.ok()) {
        console.failure("Library: " + opened.error);
        return nullptr;
    }
    if (folder.empty()) {
        importHistoryOnce(**opened.value, console);
    }
    return std::move(*opened.value);
}

std::string unitText(const LibraryEntry& entry) {
    return entry.unit ? entry.unit->ident : std::string("-");
}

std::string logLine(const LibraryEntry& e) {
    std::string line = e.id.substr(0, 12) + "  " + libraryTimeText(e.time) + "  " +
                       std::string(libraryEventName(e.event)) + "  " + unitText(e) + "  " + e.pc +
                       "  " + e.user;
    return e.note.empty() ? line : line + "  " + e.note;
}

int runLog(const CliLibraryOptions& o, TuneLibrary& library, CliConsole& console) {
    const auto entries = library.entries();
    if (!entries.ok()) {
        console.failure("Library: " + entries.error);
        return kExitUsage;
    }
    for (const LibraryEntry& e : *entries.value) {
        const bool unitMatches =
            o.unit.empty() || (o.unit == "files" ? !e.unit.has_value() : unitText(e) == o.unit);
        if (unitMatches && (o.event.empty() || libraryEventName(e.event) == o.event)) {
            console.line(logLine(e));
        }
    }
    return kExitSuccess;
}

std::optional<LibraryEntry> findEntry(const TuneLibrary& library, const std::string& prefix,
                                      CliConsole& console) {
    auto found = library.find(prefix);
    if (!found.ok()) {
        console.failure("Library: " + found.error);
        return std::nullopt;
    }
    return std::move(*found.value);
}

int runShow(const CliLibraryOptions& o, TuneLibrary& library, CliConsole& console) {
    const auto e = findEntry(library, o.entries.at(0), console);
    const auto text = e ? library.setText(*e) : LibraryResult<std::string>::failed("");
    if (!text.ok()) {
        if (e) {
            console.failure("Library: " + text.error);
        }
        return kExitUsage;
    }
    const std::pair<const char*, std::string> facts[] = {
        {"Entry", e->id},
        {"Event", std::string(libraryEventName(e->event))},
        {"Time", libraryTimeText(e->time)},
        {"PC", e->pc},
        {"User", e->user},
        {"Unit", e->unit ? e->unit->ident : ""},
        {"Unit-Date", e->unit ? e->unit->date : ""},
        {"Unit-Version", e->unit ? e->unit->version : ""},
        {"Programming-Count", e->programmingCount ? std::to_string(*e->programmingCount) : ""},
        {"File", e->filePath},
        {"Set", e->setPath},
        {"Restored-From", e->restoredFrom},
        {"Cause", e->cause},
        {"Note", e->note},
    };
    for (const auto& [key, value] : facts) {
        if (!value.empty()) {
            console.line(std::string(key) + ": " + value);
        }
    }
    console.line("");
    std::string set = *text.value;
    if (set.ends_with('\n')) {
        set.pop_back();
    }
    console.line(set);
    return kExitSuccess;
}

// An entry's set as the file commands hold a file: over a fresh start's image, repaired.
std::optional<DiffSide> entrySet(const TuneLibrary& library, const std::string& prefix,
                                 CliConsole& console) {
    const auto e = findEntry(library, prefix, console);
    const auto text = e ? library.setText(*e) : LibraryResult<std::string>::failed("");
    if (!text.ok()) {
        if (e) {
            console.failure("Library: " + text.error);
        }
        return std::nullopt;
    }
    const IgnReadResult read = IgnReader::read(*text.value, freshImage(), false);
    if (!read.applicable()) {
        console.failure("Library: entry " + prefix + " holds no parameter file of version 51");
        return std::nullopt;
    }
    ParameterImage image = read.image;
    runConsistencyPass(image);
    return DiffSide{image, read.extMon};
}

int runDiff(const CliLibraryOptions& o, TuneLibrary& library, CliConsole& console) {
    const auto a = entrySet(library, o.entries.at(0), console);
    const auto b = a ? entrySet(library, o.entries.at(1), console) : std::nullopt;
    if (!a || !b) {
        return kExitUsage;
    }
    const auto differences = diffParameterSets(*a, *b);
    printDifferences(differences, console);
    return differences.empty() ? kExitSuccess : kExitRefused;
}

int runRestore(const CliLibraryOptions& o, TuneLibrary& library, CliConsole& console) {
    const auto e = findEntry(library, o.entries.at(0), console);
    const auto text = e ? library.setText(*e) : LibraryResult<std::string>::failed("");
    if (!text.ok()) {
        if (e) {
            console.failure("Library: " + text.error);
        }
        return kExitUsage;
    }
    QString reason;
    if (!writeFileAtomically(QString::fromStdString(o.out), *text.value, &reason)) {
        console.failure("Cannot write " + o.out + ": " + reason.toStdString() +
                        "; the file was not changed.");
        return kExitUsage;
    }
    LibraryEntryInput input;
    input.event = LibraryEvent::Restored;
    input.text = *text.value;
    input.time = now();
    input.unit = e->unit;
    input.filePath = QFileInfo(QString::fromStdString(o.out)).absoluteFilePath().toStdString();
    input.restoredFrom = e->id;
    const auto added = library.add(input);
    console.line("Restored " + e->id.substr(0, 12) + " into " + o.out);
    if (!added.ok()) {
        console.failure("Library: " + added.error + "; the restore was not kept as an entry.");
    }
    return kExitSuccess;
}

int runNote(const CliLibraryOptions& o, TuneLibrary& library, CliConsole& console) {
    const auto e = findEntry(library, o.entries.at(0), console);
    if (!e) {
        return kExitUsage;
    }
    const auto noted = library.addNote(e->id, o.text, now());
    if (!noted.ok()) {
        console.failure("Library: " + noted.error);
        return kExitUsage;
    }
    console.line("Noted on " + e->id.substr(0, 12) + ": " + o.text);
    return kExitSuccess;
}

int runRemote(const CliLibraryOptions& o, TuneLibrary& library, CliConsole& console) {
    if (!o.url) {
        const std::string url = library.remote();
        console.line(url.empty() ? std::string("No remote set.") : url);
        return kExitSuccess;
    }
    const auto set = library.setRemote(*o.url);
    if (!set.ok()) {
        console.failure("Library: " + set.error);
        return kExitUsage;
    }
    console.line(o.url->empty() ? std::string("Remote removed.") : "Remote set: " + *o.url);
    return kExitSuccess;
}

// One line of what a sync did, and whether it reached the remote.
std::string syncLine(const LibrarySyncResult& r) {
    if (r.outcome == LibrarySyncOutcome::Synced) {
        return "Shared: " + std::to_string(r.sent) + " sent, " + std::to_string(r.received) +
               " received; " + std::to_string(r.unshared) + " not yet shared.";
    }
    std::string line = "Not shared (" + librarySyncOutcomeText(r.outcome) + ")";
    if (!r.message.empty() && r.outcome != LibrarySyncOutcome::NoRemote) {
        line += ": " + r.message;
    }
    return line + "; " + std::to_string(r.unshared) + " not yet shared.";
}

LibrarySyncResult syncNow(const TuneLibrary& library) {
    LibrarySyncOptions options;
    options.who = library.identity();
    options.now = now();
    return syncLibrary(library.folder(), options);
}

int runSync(TuneLibrary& library, CliConsole& console) {
    const LibrarySyncResult result = syncNow(library);
    console.line(syncLine(result));
    if (result.lastSync) {
        console.line("Last sync: " + libraryTimeText(*result.lastSync));
    }
    return result.outcome == LibrarySyncOutcome::Synced ? kExitSuccess : kExitRefused;
}

} // namespace

int runLibraryCommand(const CliLibraryOptions& o, CliConsole& console) {
    const std::unique_ptr<TuneLibrary> library = openLibrary(o.folder, console);
    if (!library) {
        return kExitUsage;
    }
    switch (o.action) {
    case LibraryAction::Log:
        return runLog(o, *library, console);
    case LibraryAction::Show:
        return runShow(o, *library, console);
    case LibraryAction::Diff:
        return runDiff(o, *library, console);
    case LibraryAction::Restore:
        return runRestore(o, *library, console);
    case LibraryAction::Note:
        return runNote(o, *library, console);
    case LibraryAction::Remote:
        return runRemote(o, *library, console);
    case LibraryAction::Sync:
        return runSync(*library, console);
    }
    return kExitUsage;
}

void keepInLibrary(const std::string& folder, LibraryEvent event, const ParameterImage& image,
                   bool extMon, const std::string& filePath, CliConsole& console) {
    const std::unique_ptr<TuneLibrary> library = openLibrary(folder, console);
    if (!library) {
        console.failure("Library: the set was not kept.");
        return;
    }
    LibraryEntryInput input = libraryEntryFor(event, image, extMon, now());
    input.filePath = QFileInfo(QString::fromStdString(filePath)).absoluteFilePath().toStdString();
    const auto added = library->add(input);
    if (!added.ok()) {
        console.failure("Library: " + added.error + "; the set was not kept.");
        return;
    }
    console.failure("Library: kept as " + added.value->substr(0, 12) + " (" +
                    std::string(libraryEventName(event)) + ", " +
                    (input.unit ? "unit " + input.unit->ident : std::string("no unit")) + ").");
    if (!library->remote().empty()) {
        console.failure("Library: " + syncLine(syncNow(*library)));
    } else if (library->compactionDue()) {
        library->compact();
    }
}

} // namespace kordana
