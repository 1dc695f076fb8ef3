#include "library/LibrarySync.h"

#include "library/CredentialHelper.h"
#include "library/LibraryLock.h"
#include "library/LibraryRepo.h"

namespace kordana {

bool recordLastSync(git_repository* repo, const std::filesystem::path& folder, std::int64_t time);

namespace {

constexpr int kPushAttempts = 3;

// What the remote's callbacks share: each way of proving who we are is tried once per
// attempt (libgit2 asks again after a refusal), and a push's refusal of the branch.
struct RemoteState {
    const std::vector<std::string>* helper = nullptr;
    std::string user;
    bool triedAgent = false;
    bool triedHelper = false;
    bool triedUsername = false;
    std::string rejected;
};

int credentials(git_credential** out, const char* url, const char* fromUrl, unsigned int allowed,
                void* payload) {
    auto& state = *static_cast<RemoteState*>(payload);
    const std::string user = fromUrl != nullptr && fromUrl[0] != 0 ? fromUrl : state.user;
    if ((allowed & GIT_CREDENTIAL_SSH_KEY) != 0 && !state.triedAgent) {
        state.triedAgent = true;
        return git_credential_ssh_key_from_agent(out, user.c_str());
    }
    if ((allowed & GIT_CREDENTIAL_USERPASS_PLAINTEXT) != 0 && !state.triedHelper) {
        state.triedHelper = true;
        const auto reply =
            runCredentialHelper(*state.helper, credentialRequest(url, fromUrl ? fromUrl : ""));
        if (const auto given = reply ? credentialReply(*reply) : std::nullopt) {
            return git_credential_userpass_plaintext_new(out, given->username.c_str(),
                                                         given->password.c_str());
        }
    }
    if ((allowed & GIT_CREDENTIAL_USERNAME) != 0 && !state.triedUsername) {
        state.triedUsername = true;
        return git_credential_username_new(out, user.c_str());
    }
    git_error_set_str(GIT_ERROR_NET, "no credentials: the SSH agent and git's credential helper "
                                     "gave none the remote took");
    return GIT_EAUTH;
}

int pushStatus(const char* ref, const char* status, void* payload) {
    if (status != nullptr) {
        static_cast<RemoteState*>(payload)->rejected = std::string(ref) + ": " + status;
    }
    return 0;
}

git_remote_callbacks callbacksWith(RemoteState& state) {
    git_remote_callbacks callbacks;
    git_remote_init_callbacks(&callbacks, GIT_REMOTE_CALLBACKS_VERSION);
    callbacks.credentials = credentials;
    callbacks.push_update_reference = pushStatus;
    callbacks.payload = &state;
    return callbacks;
}

LibrarySyncResult ended(LibrarySyncOutcome outcome, std::string message) {
    LibrarySyncResult result;
    result.outcome = outcome;
    result.message = std::move(message);
    return result;
}

std::size_t countOnlyIn(git_repository* repo, const git_oid& tip, const git_oid* hide) {
    git_revwalk* walk = nullptr;
    if (git_revwalk_new(&walk, repo) != 0) {
        return 0;
    }
    const git::RevWalk owned(walk);
    git_revwalk_push(walk, &tip);
    if (hide != nullptr) {
        git_revwalk_hide(walk, hide);
    }
    std::size_t count = 0;
    git_oid id;
    while (git_revwalk_next(&id, walk) == 0) {
        git_commit* commit = nullptr;
        if (git_commit_lookup(&commit, repo, &id) == 0) {
            if (git_commit_parentcount(commit) <= 1) {
                ++count;
            }
        }
        git_commit_free(commit);
    }
    return count;
}

std::optional<git_oid> tipOf(git_repository* repo, const char* ref) {
    git_oid id;
    if (git_reference_name_to_id(&id, repo, ref) != 0) {
        return std::nullopt;
    }
    return id;
}

// The merge of both sides' histories on top of `ours`; an error text or empty.
std::string mergeCommit(git_repository* repo, const git_oid& ours, const git_oid& theirs,
                        const LibrarySyncOptions& options) {
    git_commit* a = nullptr;
    git_commit* b = nullptr;
    git_commit_lookup(&a, repo, &ours);
    git_commit_lookup(&b, repo, &theirs);
    const git::Commit ownedA(a);
    const git::Commit ownedB(b);
    git_index* index = nullptr;
    if (a == nullptr || b == nullptr || git_merge_commits(&index, repo, a, b, nullptr) != 0) {
        return git::lastError();
    }
    const git::Index merged(index);
    if (git_index_has_conflicts(index) != 0) {
        return "conflict";
    }
    git_oid treeId;
    git_tree* tree = nullptr;
    if (git_index_write_tree_to(&treeId, index, repo) != 0 ||
        git_tree_lookup(&tree, repo, &treeId) != 0) {
        return git::lastError();
    }
    const git::Tree ownedTree(tree);
    const git::Signature signature = librarySignature(options.who, options.now);
    const git_commit* parents[] = {a, b};
    git_oid id;
    if (git_commit_create(&id, repo, nullptr, signature.get(), signature.get(), nullptr,
                          "Merge the entries of the remote\n", tree, 2, parents) != 0) {
        return git::lastError();
    }
    std::string error;
    return moveBranch(repo, id, &ours, "merge", error) ? std::string() : error;
}

// Brings the remote's entries onto the branch; an error text ("conflict") or empty.
std::string integrate(git_repository* repo, const std::filesystem::path& folder,
                      const LibrarySyncOptions& options, std::size_t& received) {
    const LibraryLock lock(folder, kLibraryWriteLock, {"refs/heads/main.lock"});
    const auto theirs = tipOf(repo, kLibraryRemoteBranch);
    const auto ours = tipOf(repo, kLibraryBranch);
    if (!lock.ok() || !theirs) {
        return lock.ok() ? std::string() : std::string("cannot lock the library");
    }
    received += countOnlyIn(repo, *theirs, ours ? &*ours : nullptr);
    std::string error;
    if (!ours) {
        return moveBranch(repo, *theirs, nullptr, "sync", error) ? std::string() : error;
    }
    if (git_oid_equal(&*ours, &*theirs) != 0 ||
        git_graph_descendant_of(repo, &*ours, &*theirs) == 1) {
        return {};
    }
    if (git_graph_descendant_of(repo, &*theirs, &*ours) == 1) {
        return moveBranch(repo, *theirs, &*ours, "sync", error) ? std::string() : error;
    }
    return mergeCommit(repo, *ours, *theirs, options);
}

struct Attempt {
    bool done = false;
    LibrarySyncResult failure;
    bool pushedMeanwhile = false; ///< the remote refused the push: another PC pushed first
};

// One fetch, merge and push; done when the remote holds everything.
Attempt syncOnce(git_repository* repo, git_remote* remote, const std::filesystem::path& folder,
                 const LibrarySyncOptions& options, LibrarySyncResult& result) {
    RemoteState state;
    state.helper = &options.credentialHelper;
    state.user = options.who.user;
    git_fetch_options fetch;
    git_fetch_options_init(&fetch, GIT_FETCH_OPTIONS_VERSION);
    fetch.callbacks = callbacksWith(state);
    fetch.download_tags = GIT_REMOTE_DOWNLOAD_TAGS_NONE;
    char refspec[] = "+refs/heads/main:refs/remotes/origin/main";
    char* fetchSpecs[] = {refspec};
    const git_strarray fetchList{fetchSpecs, 1};
    if (const int code = git_remote_fetch(remote, &fetchList, &fetch, "sync"); code != 0) {
        return {false,
                ended(code == GIT_EAUTH ? LibrarySyncOutcome::Refused : LibrarySyncOutcome::Offline,
                      git::lastError())};
    }
    if (std::string error = integrate(repo, folder, options, result.received); !error.empty()) {
        return {false, ended(error == "conflict" ? LibrarySyncOutcome::Conflict
                                                 : LibrarySyncOutcome::Damaged,
                             error == "conflict" ? "the histories do not merge" : error)};
    }
    const auto ours = tipOf(repo, kLibraryBranch);
    const auto theirs = tipOf(repo, kLibraryRemoteBranch);
    if (!ours || (theirs && git_oid_equal(&*ours, &*theirs) != 0)) {
        return {true, {}};
    }
    const std::size_t sending = countOnlyIn(repo, *ours, theirs ? &*theirs : nullptr);
    git_push_options push;
    git_push_options_init(&push, GIT_PUSH_OPTIONS_VERSION);
    push.callbacks = callbacksWith(state);
    char pushRef[] = "refs/heads/main:refs/heads/main";
    char* pushSpecs[] = {pushRef};
    const git_strarray pushList{pushSpecs, 1};
    const int code = git_remote_push(remote, &pushList, &push);
    if (code != 0) {
        return {false,
                ended(code == GIT_EAUTH ? LibrarySyncOutcome::Refused : LibrarySyncOutcome::Offline,
                      git::lastError())};
    }
    if (!state.rejected.empty()) {
        return {false, ended(LibrarySyncOutcome::Refused, state.rejected), true};
    }
    git_reference* seen = nullptr;
    git_reference_create(&seen, repo, kLibraryRemoteBranch, &*ours, 1, "pushed");
    git_reference_free(seen);
    result.sent += sending;
    return {true, {}};
}

// What every sync reports at its end: what is still only here, and the last sync.
void finish(git_repository* repo, LibrarySyncResult& result) {
    if (const auto ours = tipOf(repo, kLibraryBranch)) {
        const auto theirs = tipOf(repo, kLibraryRemoteBranch);
        result.unshared = countOnlyIn(repo, *ours, theirs ? &*theirs : nullptr);
    }
    git_config* config = nullptr;
    std::int64_t last = 0;
    if (git_repository_config(&config, repo) == 0 &&
        git_config_get_int64(&last, config, "kordana.lastsync") == 0) {
        result.lastSync = last;
    }
    git_config_free(config);
}

LibrarySyncResult syncLocked(const std::filesystem::path& folder,
                             const LibrarySyncOptions& options) {
    const git::Session session;
    git_repository* opened = nullptr;
    if (git_repository_open_bare(&opened, folder.c_str()) != 0) {
        return ended(LibrarySyncOutcome::Damaged,
                     "the library at " + folder.string() + " is damaged: " + git::lastError());
    }
    const git::Repository repo(opened);
    const LibraryLock lock(folder, kLibrarySyncLock,
                           {"refs/remotes/origin/main.lock", "FETCH_HEAD.lock"});
    git_remote* found = nullptr;
    if (git_remote_lookup(&found, repo.get(), kLibraryRemoteName) != 0) {
        LibrarySyncResult none = ended(LibrarySyncOutcome::NoRemote, "no remote is set");
        finish(repo.get(), none);
        return none;
    }
    const git::Remote remote(found);
    LibrarySyncResult result;
    Attempt attempt;
    // A push refused because another PC pushed meanwhile is tried again on what it pushed.
    for (int i = 0; i < kPushAttempts && !attempt.done; ++i) {
        attempt = syncOnce(repo.get(), remote.get(), folder, options, result);
        if (!attempt.done && !attempt.pushedMeanwhile) {
            break;
        }
    }
    if (attempt.done) {
        result.outcome = LibrarySyncOutcome::Synced;
        recordLastSync(repo.get(), folder, options.now);
    } else {
        result.outcome = attempt.failure.outcome;
        result.message = attempt.failure.message;
    }
    finish(repo.get(), result);
    return result;
}

} // namespace

LibrarySyncResult syncLibrary(const std::filesystem::path& folder,
                              const LibrarySyncOptions& options) {
    const LibrarySyncResult result = syncLocked(folder, options);
    // What a sync brought in came packed; what was made here waits loose until enough of it
    // is there to pack, which a worker does best right after a sync.
    if (result.outcome == LibrarySyncOutcome::Synced) {
        if (auto library = TuneLibrary::open(folder, options.who);
            library.ok() && (*library.value)->compactionDue()) {
            (*library.value)->compact();
        }
    }
    return result;
}

std::string librarySyncOutcomeText(LibrarySyncOutcome outcome) {
    switch (outcome) {
    case LibrarySyncOutcome::Synced:
        return "shared";
    case LibrarySyncOutcome::NoRemote:
        return "no remote set";
    case LibrarySyncOutcome::Offline:
        return "offline";
    case LibrarySyncOutcome::Refused:
        return "refused by the remote";
    case LibrarySyncOutcome::Conflict:
        return "not merged";
    case LibrarySyncOutcome::Damaged:
        break;
    }
    return "library damaged";
}

} // namespace kordana
