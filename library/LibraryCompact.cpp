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

// The loose objects: a file per object in the folder of its id's first byte.
std::vector<std::filesystem::path> looseObjects(const std::filesystem::path& objects) {
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (const auto& folder : std::filesystem::directory_iterator(objects, error)) {
        if (!folder.is_directory() || !isHex(folder.path().filename().string())) {
            continue;
        }
        for (const auto& file : std::filesystem::directory_iterator(folder.path(), error)) {
            if (file.path().filename().string().size() == GIT_OID_HEXSZ - 2) {
                found.push_back(file.path());
            }
        }
    }
    return found;
}

// Adds the loose objects to the pack; false with libgit2's error when one does not read.
bool insertLoose(git_packbuilder* builder, const std::vector<std::filesystem::path>& loose) {
    for (const std::filesystem::path& file : loose) {
        const std::string hex = file.parent_path().filename().string() + file.filename().string();
        git_oid id;
        if (git_oid_fromstr(&id, hex.c_str()) != 0) {
            continue; // a temporary file of a writer, not an object
        }
        if (git_packbuilder_insert(builder, &id, nullptr) != 0) {
            return false;
        }
    }
    return true;
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
    const std::vector<std::filesystem::path> loose = looseObjects(m_repo->folder / "objects");
    if (loose.empty()) {
        return {true, {}};
    }
    git_packbuilder* builder = nullptr;
    if (git_packbuilder_new(&builder, repo) != 0) {
        return Result::failed(git::lastError());
    }
    const bool written = insertLoose(builder, loose) &&
                         git_packbuilder_write(builder, nullptr, 0, nullptr, nullptr) == 0;
    git_packbuilder_free(builder);
    if (!written) {
        return Result::failed(git::lastError());
    }
    // Every loose object is in the new pack now; nothing else writes while both locks are
    // held, and a reader that misses an object looks for it in the packs again.
    std::error_code ignored;
    for (const std::filesystem::path& file : loose) {
        std::filesystem::remove(file, ignored);
    }
    for (const std::filesystem::path& file : loose) {
        std::filesystem::remove(file.parent_path(), ignored); // only an emptied folder goes
    }
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
