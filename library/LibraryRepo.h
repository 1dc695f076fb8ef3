#pragma once

// The repository behind a TuneLibrary, shared by the library's sources.

#include "library/GitHandles.h"
#include "library/LibraryFaults.h"
#include "library/TuneLibrary.h"

#include <filesystem>
#include <string>

namespace kordana {

/// The branch every PC's entries are on, here and on the remote.
inline constexpr const char* kLibraryBranch = "refs/heads/main";
/// Where a sync keeps what it last saw of the remote's branch.
inline constexpr const char* kLibraryRemoteBranch = "refs/remotes/origin/main";
inline constexpr const char* kLibraryRemoteName = "origin";

struct TuneLibrary::Repo {
    git::Session session; // first member: libgit2 stays initialised for the others
    git::Repository repo;
    std::filesystem::path folder;
    LibraryIdentity who;
};

/// Calls the commit observer of the tests, if one is set.
void notifyCommitStep(LibraryCommitStep step);

/// The commit a ref points to, or null when the ref does not exist (an empty library).
/// `error` receives the reason when the ref exists but its commit cannot be read.
git::Commit commitOfRef(git_repository* repo, const char* ref, std::string& error);

/// The id's 40 hex digits.
std::string oidText(const git_oid& id);

/// Moves kLibraryBranch from `expected` (null: the branch must not exist yet) to `target`;
/// false with the reason when it moved meanwhile or could not be written. Callers hold the
/// write lock.
bool moveBranch(git_repository* repo, const git_oid& target, const git_oid* expected,
                const char* logMessage, std::string& error);

/// The signature of the entries' commits: the user at the PC, at `time`.
git::Signature librarySignature(const LibraryIdentity& who, std::int64_t time);

} // namespace kordana
