#include "library/LibraryLock.h"
#include "library/LibraryRepo.h"

#include <system_error>
#include <vector>

namespace kordana {

namespace {

// Loose objects sit in 256 folders named by their ids' first byte; one holds 1/256 of them.
constexpr std::size_t kDueInSampleFolder = 4;

bool isHex(const std::string& name) {
    return name.size() == 2 && name.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// Adds every object the branch and the remote's branch reach.
int insertReachable(git_packbuilder* builder, git_repository* repo) {
    git_revwalk* walk = nullptr;
    if (git_revwalk_new(&walk, repo) != 0) {
        return -1;
    }
    const git::RevWalk owned(walk);
    for (const char* ref : {kLibraryBranch, kLibraryRemoteBranch}) {
        git_oid tip;
        if (git_reference_name_to_id(&tip, repo, ref) == 0 && git_revwalk_push(walk, &tip) != 0) {
            return -1;
        }
    }
    return git_packbuilder_insert_walk(builder, walk);
}

// Removes the loose objects and every pack but `kept`: all that they held and the refs reach
// is in the new pack, and nothing else writes while both locks are held.
void removeReplaced(const std::filesystem::path& objects, const std::string& kept) {
    std::error_code error;
    for (const auto& folder : std::filesystem::directory_iterator(objects, error)) {
        if (folder.is_directory() && isHex(folder.path().filename().string())) {
            std::filesystem::remove_all(folder.path(), error);
        }
    }
    for (const auto& file : std::filesystem::directory_iterator(objects / "pack", error)) {
        const std::string name = file.path().filename().string();
        if (name.starts_with("pack-") && !name.starts_with(kept)) {
            std::filesystem::remove(file.path(), error);
        }
    }
}

} // namespace

LibraryResult<bool> TuneLibrary::compact() {
    using Result = LibraryResult<bool>;
    const LibraryLock syncing(m_repo->folder, kLibrarySyncLock,
                              {"refs/remotes/origin/main.lock", "FETCH_HEAD.lock"});
    const LibraryLock writing(m_repo->folder, kLibraryWriteLock, {"refs/heads/main.lock"});
    if (!syncing.ok() || !writing.ok()) {
        return Result::failed("cannot lock the library");
    }
    git_repository* repo = m_repo->repo.get();
    git_packbuilder* builder = nullptr;
    if (git_packbuilder_new(&builder, repo) != 0) {
        return Result::failed(git::lastError());
    }
    if (insertReachable(builder, repo) != 0) {
        git_packbuilder_free(builder);
        return Result::failed(git::lastError());
    }
    if (git_packbuilder_object_count(builder) == 0) {
        git_packbuilder_free(builder);
        return {true, {}}; // an empty library
    }
    const bool written = git_packbuilder_write(builder, nullptr, 0, nullptr, nullptr) == 0;
    // The name is the pack's hash; its files are "pack-<hash>.pack" and ".idx".
    const std::string name = written ? "pack-" + std::string(git_packbuilder_name(builder)) : "";
    git_packbuilder_free(builder);
    if (!written) {
        return Result::failed(git::lastError());
    }
    removeReplaced(m_repo->folder / "objects", name);
    git_odb* odb = nullptr;
    if (git_repository_odb(&odb, repo) == 0) {
        git_odb_refresh(odb);
    }
    git_odb_free(odb);
    return {true, {}};
}

bool TuneLibrary::compactionDue() const {
    std::error_code error;
    std::size_t loose = 0;
    for (const auto& file :
         std::filesystem::directory_iterator(m_repo->folder / "objects" / "17", error)) {
        if (file.is_regular_file()) {
            ++loose;
        }
    }
    return loose >= kDueInSampleFolder;
}

} // namespace kordana
