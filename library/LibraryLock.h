#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>

namespace kordana {

/// A lock of one library's writers across threads and processes: an exclusive flock() on a
/// file in the repository, which the system drops when its holder dies. Every writer of the
/// refs it guards takes it first, so a git lock file of those refs found while holding it was
/// left by a killed writer and is removed.
class LibraryLock {
public:
    /// Waits for the lock on `gitDir/name`, then removes the stale `leftovers` (paths relative
    /// to gitDir). ok() is false when the lock file cannot be opened.
    LibraryLock(const std::filesystem::path& gitDir, const std::string& name,
                std::initializer_list<const char*> leftovers);
    ~LibraryLock();
    LibraryLock(const LibraryLock&) = delete;
    LibraryLock& operator=(const LibraryLock&) = delete;

    bool ok() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

/// The lock of the local refs and the configuration: entries, notes, merges, settings.
inline constexpr const char* kLibraryWriteLock = "kordana-write.lock";
/// The lock of a sync: one at a time, and the remote's refs.
inline constexpr const char* kLibrarySyncLock = "kordana-sync.lock";

} // namespace kordana
