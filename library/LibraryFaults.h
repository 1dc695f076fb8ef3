#pragma once

#include <functional>

namespace kordana {

/// The steps of committing an entry, in order; a test stops a writer at one of them.
enum class LibraryCommitStep { BlobWritten, TreeWritten, CommitWritten, RefUpdated };

/// Tests only: called at each step of every commit of this process (empty: nothing called).
void setLibraryCommitObserver(std::function<void(LibraryCommitStep)> observer);

} // namespace kordana
