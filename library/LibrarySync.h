#pragma once

#include "library/LibraryEntry.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kordana {

/// How a sync ended.
enum class LibrarySyncOutcome {
    Synced,   ///< both sides hold every entry now
    NoRemote, ///< no remote is set; nothing was contacted
    Offline,  ///< the remote could not be reached; the entries wait for the next sync
    Refused,  ///< the remote refused the credentials or kept refusing the entries
    Conflict, ///< the two histories would not merge (a file changed by hand); nothing sent
    Damaged,  ///< the library could not be opened or read
};

/// What syncing needs besides the library: who merges, when, and how to ask for a password.
struct LibrarySyncOptions {
    LibraryIdentity who;
    std::int64_t now{}; ///< the time the sync records as its end, seconds since 1970 UTC
    /// The credential helper for user name and password, git's own unless a test says else.
    std::vector<std::string> credentialHelper{"git", "credential", "fill"};
};

/// What a sync did.
struct LibrarySyncResult {
    LibrarySyncOutcome outcome = LibrarySyncOutcome::Damaged;
    std::string message;                  ///< why it did not sync (git's words), empty when it did
    std::size_t received = 0;             ///< entries and notes brought in from the remote
    std::size_t sent = 0;                 ///< entries and notes handed to the remote
    std::size_t unshared = 0;             ///< entries and notes still only here
    std::optional<std::int64_t> lastSync; ///< the end of the last sync that reached the remote
};

/// Fetches the remote's entries, merges them with this library's (a new commit when both
/// sides have new entries) and pushes the union back. Opens the library itself, so it runs on
/// any thread while the caller's own TuneLibrary goes on adding entries; blocks for as long as
/// the remote takes. Contacts only the remote set in the library. Credentials are git's: the
/// SSH agent, then the credential helper; nothing is stored.
LibrarySyncResult syncLibrary(const std::filesystem::path& folder,
                              const LibrarySyncOptions& options);

/// The words of an outcome for a status line ("shared", "no remote set", "offline", ...).
std::string librarySyncOutcomeText(LibrarySyncOutcome outcome);

} // namespace kordana
