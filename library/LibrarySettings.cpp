#include "library/LibraryLock.h"
#include "library/LibraryRepo.h"

namespace kordana {

namespace {

constexpr const char* kLastSyncKey = "kordana.lastsync";

git::Config configOf(git_repository* repo) {
    git_config* config = nullptr;
    git_repository_config(&config, repo);
    return git::Config(config);
}

} // namespace

std::string TuneLibrary::remote() const {
    git_remote* found = nullptr;
    if (git_remote_lookup(&found, m_repo->repo.get(), kLibraryRemoteName) != 0) {
        return {};
    }
    const git::Remote owned(found);
    const char* url = git_remote_url(found);
    return url != nullptr ? url : "";
}

LibraryResult<bool> TuneLibrary::setRemote(const std::string& url) {
    const LibraryLock lock(m_repo->folder, kLibraryWriteLock, {"config.lock"});
    git_repository* repo = m_repo->repo.get();
    const std::string before = remote();
    if (!lock.ok() || before == url) {
        return lock.ok() ? LibraryResult<bool>{true, {}}
                         : LibraryResult<bool>::failed("cannot lock the library");
    }
    int result = 0;
    if (url.empty()) {
        result = git_remote_delete(repo, kLibraryRemoteName);
    } else if (before.empty()) {
        git_remote* made = nullptr;
        result = git_remote_create_with_fetchspec(&made, repo, kLibraryRemoteName, url.c_str(),
                                                  "+refs/heads/main:refs/remotes/origin/main");
        git_remote_free(made);
    } else {
        result = git_remote_set_url(repo, kLibraryRemoteName, url.c_str());
        // What the old remote held says nothing of the new one's.
        git_reference* seen = nullptr;
        if (result == 0 && git_reference_lookup(&seen, repo, kLibraryRemoteBranch) == 0) {
            git_reference_delete(seen);
        }
        git_reference_free(seen);
    }
    if (result != 0) {
        return LibraryResult<bool>::failed(git::lastError());
    }
    return {true, {}};
}

std::optional<std::int64_t> TuneLibrary::lastSync() const {
    const git::Config config = configOf(m_repo->repo.get());
    std::int64_t time = 0;
    if (!config || git_config_get_int64(&time, config.get(), kLastSyncKey) != 0) {
        return std::nullopt;
    }
    return time;
}

bool TuneLibrary::flag(const std::string& name) const {
    const git::Config config = configOf(m_repo->repo.get());
    int value = 0;
    return config && git_config_get_bool(&value, config.get(), ("kordana." + name).c_str()) == 0 &&
           value != 0;
}

LibraryResult<bool> TuneLibrary::setFlag(const std::string& name) {
    const LibraryLock lock(m_repo->folder, kLibraryWriteLock, {"config.lock"});
    const git::Config config = configOf(m_repo->repo.get());
    if (!lock.ok() || !config ||
        git_config_set_bool(config.get(), ("kordana." + name).c_str(), 1) != 0) {
        return LibraryResult<bool>::failed(git::lastError());
    }
    return {true, {}};
}

/// Records the end of a sync that reached the remote (the sync's source calls it).
bool recordLastSync(git_repository* repo, const std::filesystem::path& folder, std::int64_t time) {
    const LibraryLock lock(folder, kLibraryWriteLock, {"config.lock"});
    const git::Config config = configOf(repo);
    return lock.ok() && config && git_config_set_int64(config.get(), kLastSyncKey, time) == 0;
}

} // namespace kordana
