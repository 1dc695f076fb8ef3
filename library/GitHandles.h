#pragma once

// Owning handles of libgit2's objects and the text of its last error; used by the library's
// sources only (the room's interface names no libgit2 type).

#include <git2.h>

#include <memory>
#include <string>

namespace kordana::git {

template <class T, void (*Free)(T*)>
struct Deleter {
    void operator()(T* object) const { Free(object); }
};
template <class T, void (*Free)(T*)>
using Handle = std::unique_ptr<T, Deleter<T, Free>>;

using Repository = Handle<git_repository, git_repository_free>;
using Commit = Handle<git_commit, git_commit_free>;
using Tree = Handle<git_tree, git_tree_free>;
using TreeEntry = Handle<git_tree_entry, git_tree_entry_free>;
using Blob = Handle<git_blob, git_blob_free>;
using Reference = Handle<git_reference, git_reference_free>;
using Signature = Handle<git_signature, git_signature_free>;
using Config = Handle<git_config, git_config_free>;
using Remote = Handle<git_remote, git_remote_free>;
using RevWalk = Handle<git_revwalk, git_revwalk_free>;
using Index = Handle<git_index, git_index_free>;

/// libgit2's words for the last failure of this thread ("failed to resolve path ...").
inline std::string lastError() {
    const git_error* error = git_error_last();
    return error != nullptr && error->message != nullptr ? std::string(error->message)
                                                         : std::string("unknown git error");
}

/// Initialises libgit2 once for the process and keeps it so: its start-up (TLS, transports)
/// would otherwise run again for every library opened and every sync.
class Session {
public:
    Session() {
        static const int once = git_libgit2_init();
        (void)once;
    }
};

} // namespace kordana::git
