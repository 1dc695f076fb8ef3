#include "library/TuneLibrary.h"

#include "library/LibraryLock.h"
#include "library/LibraryRepo.h"

#include <system_error>
#include <utility>

namespace kordana {

namespace {

std::function<void(LibraryCommitStep)>& commitObserver() {
    static std::function<void(LibraryCommitStep)> observer;
    return observer;
}

bool emptyOrMissing(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::exists(folder, error)) {
        return true;
    }
    return std::filesystem::is_directory(folder, error) && std::filesystem::is_empty(folder, error);
}

git::Repository createRepository(const std::filesystem::path& folder, std::string& error) {
    git_repository_init_options options;
    git_repository_init_options_init(&options, GIT_REPOSITORY_INIT_OPTIONS_VERSION);
    options.flags = GIT_REPOSITORY_INIT_BARE | GIT_REPOSITORY_INIT_MKPATH;
    options.initial_head = "main";
    git_repository* made = nullptr;
    if (git_repository_init_ext(&made, folder.c_str(), &options) != 0) {
        error = "cannot make the library at " + folder.string() + ": " + git::lastError();
    }
    return git::Repository(made);
}

git::Repository openRepository(const std::filesystem::path& folder, std::string& error) {
    git_repository* opened = nullptr;
    if (git_repository_open_bare(&opened, folder.c_str()) != 0) {
        error = "the library at " + folder.string() + " is damaged: " + git::lastError();
        return nullptr;
    }
    git::Repository repo(opened);
    // The branch's newest commit must read: a library whose entries cannot be listed is
    // reported now, once, rather than at each use.
    std::string broken;
    if (!commitOfRef(repo.get(), kLibraryBranch, broken) && !broken.empty()) {
        error = "the library at " + folder.string() + " is damaged: " + broken;
        return nullptr;
    }
    return repo;
}

git::Tree baselineTree(git_repository* repo, git_commit* tip, std::string& error) {
    git_tree* tree = nullptr;
    if (tip != nullptr) {
        if (git_commit_tree(&tree, tip) != 0) {
            error = git::lastError();
        }
        return git::Tree(tree);
    }
    git_treebuilder* builder = nullptr;
    git_oid empty;
    if (git_treebuilder_new(&builder, repo, nullptr) != 0 ||
        git_treebuilder_write(&empty, builder) != 0 || git_tree_lookup(&tree, repo, &empty) != 0) {
        error = git::lastError();
    }
    git_treebuilder_free(builder);
    return git::Tree(tree);
}

// The entry's path: its folder and the first file name of its second and PC not yet taken.
std::string freePath(git_tree* baseline, const LibraryEntryInput& input, const std::string& pc) {
    const std::string folder = libraryFolderOf(input.unit);
    for (int sequence = 1;; ++sequence) {
        std::string path = folder + libraryFileName(input.time, pc, sequence);
        git_tree_entry* taken = nullptr;
        if (git_tree_entry_bypath(&taken, baseline, path.c_str()) != 0) {
            return path;
        }
        git_tree_entry_free(taken);
    }
}

// Commits a tree with `message` on top of the branch; the commit's id.
LibraryResult<std::string> commitOnBranch(TuneLibrary::Repo& r, git_commit* tip, git_tree* tree,
                                          const std::string& message, std::int64_t time) {
    const git::Signature signature = librarySignature(r.who, time);
    if (!signature) {
        return LibraryResult<std::string>::failed(git::lastError());
    }
    const git_commit* parents[] = {tip};
    git_oid id;
    if (git_commit_create(&id, r.repo.get(), nullptr, signature.get(), signature.get(), nullptr,
                          message.c_str(), tree, tip != nullptr ? 1 : 0, parents) != 0) {
        return LibraryResult<std::string>::failed(git::lastError());
    }
    notifyCommitStep(LibraryCommitStep::CommitWritten);
    std::string error;
    if (!moveBranch(r.repo.get(), id, tip != nullptr ? git_commit_id(tip) : nullptr, "entry",
                    error)) {
        return LibraryResult<std::string>::failed(error);
    }
    notifyCommitStep(LibraryCommitStep::RefUpdated);
    return {oidText(id), {}};
}

} // namespace

void setLibraryCommitObserver(std::function<void(LibraryCommitStep)> observer) {
    commitObserver() = std::move(observer);
}

void notifyCommitStep(LibraryCommitStep step) {
    if (commitObserver()) {
        commitObserver()(step);
    }
}

git::Commit commitOfRef(git_repository* repo, const char* ref, std::string& error) {
    git_oid id;
    if (const int found = git_reference_name_to_id(&id, repo, ref); found != 0) {
        if (found != GIT_ENOTFOUND) {
            error = git::lastError();
        }
        return nullptr;
    }
    git_commit* commit = nullptr;
    if (git_commit_lookup(&commit, repo, &id) != 0) {
        error = git::lastError();
    }
    return git::Commit(commit);
}

std::string oidText(const git_oid& id) {
    char text[GIT_OID_HEXSZ + 1] = {};
    git_oid_tostr(text, sizeof text, &id);
    return text;
}

bool moveBranch(git_repository* repo, const git_oid& target, const git_oid* expected,
                const char* logMessage, std::string& error) {
    git_reference* moved = nullptr;
    const int result =
        expected != nullptr
            ? git_reference_create_matching(&moved, repo, kLibraryBranch, &target, 1, expected,
                                            logMessage)
            : git_reference_create(&moved, repo, kLibraryBranch, &target, 0, logMessage);
    git_reference_free(moved);
    if (result != 0) {
        error = git::lastError();
        return false;
    }
    return true;
}

git::Signature librarySignature(const LibraryIdentity& who, std::int64_t time) {
    git_signature* signature = nullptr;
    const std::string email = librarySafeName(who.user) + "@" + librarySafeName(who.pc);
    git_signature_new(&signature, who.user.empty() ? "user" : who.user.c_str(), email.c_str(),
                      static_cast<git_time_t>(time), 0);
    return git::Signature(signature);
}

TuneLibrary::TuneLibrary(std::unique_ptr<Repo> repo) : m_repo(std::move(repo)) {}
TuneLibrary::~TuneLibrary() = default;

LibraryResult<std::unique_ptr<TuneLibrary>> TuneLibrary::open(const std::filesystem::path& folder,
                                                              LibraryIdentity who) {
    auto r = std::make_unique<Repo>();
    r->folder = folder;
    r->who = std::move(who);
    std::string error;
    r->repo =
        emptyOrMissing(folder) ? createRepository(folder, error) : openRepository(folder, error);
    if (!r->repo) {
        return LibraryResult<std::unique_ptr<TuneLibrary>>::failed(error);
    }
    return {std::unique_ptr<TuneLibrary>(new TuneLibrary(std::move(r))), {}};
}

const std::filesystem::path& TuneLibrary::folder() const {
    return m_repo->folder;
}

const LibraryIdentity& TuneLibrary::identity() const {
    return m_repo->who;
}

LibraryResult<std::string> TuneLibrary::add(const LibraryEntryInput& input) {
    using Result = LibraryResult<std::string>;
    const LibraryLock lock(m_repo->folder, kLibraryWriteLock, {"refs/heads/main.lock"});
    if (!lock.ok()) {
        return Result::failed("cannot lock the library at " + m_repo->folder.string());
    }
    git_repository* repo = m_repo->repo.get();
    std::string error;
    const git::Commit tip = commitOfRef(repo, kLibraryBranch, error);
    const git::Tree baseline = error.empty() ? baselineTree(repo, tip.get(), error) : nullptr;
    if (!baseline) {
        return Result::failed("the library is damaged: " + error);
    }
    const std::string path = freePath(baseline.get(), input, m_repo->who.pc);
    git_tree_update update{};
    if (git_blob_create_from_buffer(&update.id, repo, input.text.data(), input.text.size()) != 0) {
        return Result::failed(git::lastError());
    }
    notifyCommitStep(LibraryCommitStep::BlobWritten);
    update.action = GIT_TREE_UPDATE_UPSERT;
    update.filemode = GIT_FILEMODE_BLOB;
    update.path = path.c_str();
    git_oid treeId;
    git_tree* tree = nullptr;
    if (git_tree_create_updated(&treeId, repo, baseline.get(), 1, &update) != 0 ||
        git_tree_lookup(&tree, repo, &treeId) != 0) {
        return Result::failed(git::lastError());
    }
    const git::Tree made(tree);
    notifyCommitStep(LibraryCommitStep::TreeWritten);
    return commitOnBranch(*m_repo, tip.get(), made.get(),
                          libraryEntryMessage(input, m_repo->who, path), input.time);
}

LibraryResult<std::string> TuneLibrary::addNote(const std::string& entryId, const std::string& note,
                                                std::int64_t time) {
    using Result = LibraryResult<std::string>;
    const LibraryLock lock(m_repo->folder, kLibraryWriteLock, {"refs/heads/main.lock"});
    if (!lock.ok()) {
        return Result::failed("cannot lock the library at " + m_repo->folder.string());
    }
    std::string error;
    const git::Commit tip = commitOfRef(m_repo->repo.get(), kLibraryBranch, error);
    git_tree* tree = nullptr;
    if (!tip || git_commit_tree(&tree, tip.get()) != 0) {
        return Result::failed("cannot note in the library: " +
                              (error.empty() ? std::string("it holds no entry") : error));
    }
    const git::Tree same(tree);
    return commitOnBranch(*m_repo, tip.get(), same.get(),
                          libraryNoteMessage(entryId, note, time, m_repo->who), time);
}

} // namespace kordana
