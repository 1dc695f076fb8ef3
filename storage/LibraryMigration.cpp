#include "storage/LibraryMigration.h"

#include "settings/AtomicFile.h"

#include <QFileInfo>

#include <set>
#include <string>

namespace kordana {

SetHistoryImport importSetHistory(TuneLibrary& library, const SetHistory& history) {
    SetHistoryImport result;
    if (library.flag(kSetHistoryImportedFlag)) {
        result.done = true;
        return result;
    }
    const auto existing = library.entries();
    if (!existing.ok()) {
        result.error = QString::fromStdString(existing.error);
        return result;
    }
    std::set<std::string> already;
    for (const LibraryEntry& entry : *existing.value) {
        if (!entry.importedFrom.empty()) {
            already.insert(entry.importedFrom);
        }
    }
    const std::vector<SetHistoryEntry> entries = history.entries();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        const std::string name = QFileInfo(it->path).fileName().toStdString();
        if (already.contains(name)) {
            continue;
        }
        const auto text = readWholeFile(it->path);
        if (!text) {
            continue; // an entry removed or unreadable meanwhile: nothing to keep of it
        }
        LibraryEntryInput input;
        input.event = LibraryEvent::Replaced;
        input.text = *text;
        input.time = it->time.toSecsSinceEpoch();
        input.filePath = it->sourceFile.toStdString();
        input.cause = it->causeName.toStdString();
        input.importedFrom = name;
        if (const auto added = library.add(input); !added.ok()) {
            result.error = QString::fromStdString(added.error);
            return result;
        }
        ++result.imported;
    }
    if (const auto flagged = library.setFlag(kSetHistoryImportedFlag); !flagged.ok()) {
        result.error = QString::fromStdString(flagged.error);
        return result;
    }
    result.done = true;
    return result;
}

} // namespace kordana
