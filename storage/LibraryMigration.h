#pragma once

#include "library/TuneLibrary.h"
#include "storage/SetHistory.h"

#include <QString>

#include <cstddef>

namespace kordana {

/// How importing the history of replaced sets ended.
struct SetHistoryImport {
    bool done = false;        ///< the history is in the library (now or from an earlier import)
    std::size_t imported = 0; ///< entries imported by this call
    QString error;            ///< why it stopped; the entries imported so far stay
};

/// Imports the history of replaced sets into the library once: every entry, oldest first, as a
/// "replaced" entry with its time, cause and source file, named by its history file
/// (`Imported-From:`), so that an import cut short goes on where it stopped and imports none
/// twice. The history folder is left as it is. Later calls do nothing once it is done.
SetHistoryImport importSetHistory(TuneLibrary& library, const SetHistory& history);

/// The flag of the library copy that says the import was done.
inline constexpr const char* kSetHistoryImportedFlag = "historyimported";

} // namespace kordana
