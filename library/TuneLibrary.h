#pragma once

#include "library/LibraryEntry.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// What a library call gave: the value, or the one-line reason why there is none.
template <class T>
struct LibraryResult {
    std::optional<T> value;
    std::string error;

    bool ok() const { return value.has_value(); }
    static LibraryResult failed(std::string why) { return {std::nullopt, std::move(why)}; }
};

/// The tune library: a bare git repository in which every set the program saved, opened,
/// read, programmed, replaced, restored or changed through the assistant is one commit adding
/// one new `.ign` file, "units/<ident>/<time>_<pc>.ign" (or "files/..." for a set of no unit),
/// with the entry's facts as trailers of its message. Files are never rewritten, so the
/// histories of several PCs always merge without conflict; a note is a commit of its own.
/// One object serves one thread at a time; another thread opens its own (syncLibrary does).
/// Every call reports a failure as a text and never throws.
class TuneLibrary {
public:
    /// Opens the library at `folder`, making it first when the folder is missing or empty.
    /// Fails ("... is damaged: ...") when the folder holds something else or a broken library.
    static LibraryResult<std::unique_ptr<TuneLibrary>> open(const std::filesystem::path& folder,
                                                            LibraryIdentity who);
    ~TuneLibrary();
    TuneLibrary(const TuneLibrary&) = delete;
    TuneLibrary& operator=(const TuneLibrary&) = delete;

    const std::filesystem::path& folder() const;
    const LibraryIdentity& identity() const;

    /// Commits one entry; its id.
    LibraryResult<std::string> add(const LibraryEntryInput& input);
    /// Commits a note on the entry `entryId` (a full id); the note's own id. The set stays.
    LibraryResult<std::string> addNote(const std::string& entryId, const std::string& note,
                                       std::int64_t time);

    /// Every entry, newest first (then by PC), each with its newest note; notes are not listed.
    LibraryResult<std::vector<LibraryEntry>> entries() const;
    /// The entry whose id starts with `prefix` (4 hex digits at least, one entry only).
    LibraryResult<LibraryEntry> find(std::string_view prefix) const;
    /// The parameter file text of an entry.
    LibraryResult<std::string> setText(const LibraryEntry& entry) const;

    /// The remote the user set (any git URL); empty when none is set.
    std::string remote() const;
    /// Sets the remote; an empty URL removes it. Contacts nothing.
    LibraryResult<bool> setRemote(const std::string& url);
    /// How many entries and notes were made here and are not on the remote yet (as far as the
    /// last sync saw it).
    LibraryResult<std::size_t> unsharedCount() const;
    /// When the last sync that reached the remote ended, seconds since 1970 UTC.
    std::optional<std::int64_t> lastSync() const;

    /// Packs the loose objects (what this PC made since the last packing) into one pack file
    /// with git's delta compression (the entries' sets differ in a few values each) and removes
    /// them. Waits for a running sync and blocks the writers meanwhile; about a second for the
    /// thousand objects compactionDue waits for, so it belongs on a worker thread after a sync
    /// (syncLibrary runs it when it is due).
    LibraryResult<bool> compact();
    /// True when about 1,000 loose files wait for compact() (git's estimate: one of the 256
    /// object folders counted).
    bool compactionDue() const;

    /// A flag of this PC's copy of the library (not shared), e.g. that an import was done.
    bool flag(const std::string& name) const;
    LibraryResult<bool> setFlag(const std::string& name);

    struct Repo; ///< the repository handle; defined by the library's sources

private:
    explicit TuneLibrary(std::unique_ptr<Repo> repo);
    std::unique_ptr<Repo> m_repo;
};

} // namespace kordana
