#include "library/LibraryRepo.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace kordana {

namespace {

struct OidHash {
    std::size_t operator()(const git_oid& id) const {
        std::size_t hash = 0;
        std::memcpy(&hash, id.id, sizeof hash);
        return hash;
    }
};
struct OidEqual {
    bool operator()(const git_oid& a, const git_oid& b) const { return git_oid_equal(&a, &b) != 0; }
};

std::vector<LibraryTrailer> trailersOf(const char* message) {
    std::vector<LibraryTrailer> trailers;
    git_message_trailer_array found{};
    if (git_message_trailers(&found, message) == 0) {
        trailers.reserve(found.count);
        for (std::size_t i = 0; i < found.count; ++i) {
            trailers.push_back({found.trailers[i].key, found.trailers[i].value});
        }
    }
    git_message_trailer_array_free(&found);
    return trailers;
}

// The entry or note of one commit; nothing for a merge or a commit of another kind.
std::optional<LibraryEntry> entryOfCommit(git_commit* commit) {
    if (git_commit_parentcount(commit) > 1) {
        return std::nullopt;
    }
    const char* summary = git_commit_summary(commit);
    auto entry = libraryEntryFromTrailers(summary != nullptr ? summary : "",
                                          trailersOf(git_commit_message(commit)));
    if (entry) {
        entry->id = oidText(*git_commit_id(commit));
    }
    return entry;
}

bool newerFirst(const LibraryEntry& a, const LibraryEntry& b) {
    if (a.time != b.time) {
        return a.time > b.time;
    }
    if (a.pc != b.pc) {
        return a.pc < b.pc;
    }
    // The same PC in the same second: the file with the higher "-n" is the later one.
    if (a.setPath.size() != b.setPath.size()) {
        return a.setPath.size() > b.setPath.size();
    }
    return a.setPath > b.setPath;
}

// A walk over the branch's commits; `hide` (a ref) and what it reaches left out.
LibraryResult<git::RevWalk> walkOf(git_repository* repo, const char* hide) {
    git_revwalk* walk = nullptr;
    if (git_revwalk_new(&walk, repo) != 0) {
        return LibraryResult<git::RevWalk>::failed(git::lastError());
    }
    git::RevWalk owned(walk);
    git_oid tip;
    if (git_reference_name_to_id(&tip, repo, kLibraryBranch) != 0) {
        return {std::move(owned), {}}; // an empty library: nothing to walk
    }
    if (git_revwalk_push(walk, &tip) != 0) {
        return LibraryResult<git::RevWalk>::failed(git::lastError());
    }
    git_oid hidden;
    if (hide != nullptr && git_reference_name_to_id(&hidden, repo, hide) == 0 &&
        git_revwalk_hide(walk, &hidden) != 0) {
        return LibraryResult<git::RevWalk>::failed(git::lastError());
    }
    return {std::move(owned), {}};
}

} // namespace

LibraryResult<std::vector<LibraryEntry>> TuneLibrary::entries() const {
    using Result = LibraryResult<std::vector<LibraryEntry>>;
    git_repository* repo = m_repo->repo.get();
    std::vector<LibraryEntry> sets;
    std::vector<LibraryEntry> notes;
    // Each commit is read once: a walk of our own rather than a revwalk, which would read every
    // commit for its parents and again for its message. Descendants come before ancestors.
    std::vector<git_oid> pending;
    if (git_oid tip; git_reference_name_to_id(&tip, repo, kLibraryBranch) == 0) {
        pending.push_back(tip);
    }
    std::unordered_set<git_oid, OidHash, OidEqual> seen;
    while (!pending.empty()) {
        const git_oid id = pending.back();
        pending.pop_back();
        if (!seen.insert(id).second) {
            continue;
        }
        git_commit* commit = nullptr;
        if (git_commit_lookup(&commit, repo, &id) != 0) {
            return Result::failed("the library is damaged: " + git::lastError());
        }
        for (unsigned i = git_commit_parentcount(commit); i > 0; --i) {
            pending.push_back(*git_commit_parent_id(commit, i - 1));
        }
        auto entry = entryOfCommit(commit);
        git_commit_free(commit);
        if (entry) {
            (entry->event == LibraryEvent::Note ? notes : sets).push_back(std::move(*entry));
        }
    }
    std::ranges::sort(sets, newerFirst);
    std::unordered_map<std::string, std::size_t> byId;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        byId.emplace(sets[i].id, i);
    }
    // The newest note wins; of two in the same second, the one made later (ancestors first).
    std::ranges::reverse(notes);
    std::ranges::stable_sort(notes, {}, &LibraryEntry::time);
    for (const LibraryEntry& note : notes) {
        if (const auto it = byId.find(note.target); it != byId.end()) {
            sets[it->second].note = note.note;
        }
    }
    return {std::move(sets), {}};
}

LibraryResult<LibraryEntry> TuneLibrary::find(std::string_view prefix) const {
    using Result = LibraryResult<LibraryEntry>;
    const bool hex = std::ranges::all_of(
        prefix, [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
    if (prefix.size() < 4 || !hex) {
        return Result::failed("an entry is named by 4 or more hex digits of its id");
    }
    auto all = entries();
    if (!all.ok()) {
        return Result::failed(all.error);
    }
    std::optional<LibraryEntry> found;
    for (LibraryEntry& entry : *all.value) {
        if (entry.id.starts_with(prefix)) {
            if (found) {
                return Result::failed("more than one entry starts with " + std::string(prefix));
            }
            found = std::move(entry);
        }
    }
    if (!found) {
        return Result::failed("no entry starts with " + std::string(prefix));
    }
    return {std::move(found), {}};
}

LibraryResult<std::string> TuneLibrary::setText(const LibraryEntry& entry) const {
    using Result = LibraryResult<std::string>;
    git_repository* repo = m_repo->repo.get();
    git_oid id;
    git_commit* commit = nullptr;
    if (git_oid_fromstr(&id, entry.id.c_str()) != 0 || git_commit_lookup(&commit, repo, &id) != 0) {
        return Result::failed("no entry " + entry.id + ": " + git::lastError());
    }
    const git::Commit owned(commit);
    git_tree* tree = nullptr;
    git_tree_entry* file = nullptr;
    if (git_commit_tree(&tree, commit) != 0) {
        return Result::failed("the library is damaged: " + git::lastError());
    }
    const git::Tree ownedTree(tree);
    if (git_tree_entry_bypath(&file, tree, entry.setPath.c_str()) != 0) {
        return Result::failed("entry " + entry.id.substr(0, 12) + " holds no set");
    }
    const git::TreeEntry ownedFile(file);
    git_blob* blob = nullptr;
    if (git_blob_lookup(&blob, repo, git_tree_entry_id(file)) != 0) {
        return Result::failed("the library is damaged: " + git::lastError());
    }
    const git::Blob ownedBlob(blob);
    const auto* bytes = static_cast<const char*>(git_blob_rawcontent(blob));
    return {std::string(bytes, static_cast<std::size_t>(git_blob_rawsize(blob))), {}};
}

LibraryResult<std::size_t> TuneLibrary::unsharedCount() const {
    auto walk = walkOf(m_repo->repo.get(), kLibraryRemoteBranch);
    if (!walk.ok()) {
        return LibraryResult<std::size_t>::failed(walk.error);
    }
    std::size_t count = 0;
    git_oid id;
    while (git_revwalk_next(&id, walk.value->get()) == 0) {
        git_commit* commit = nullptr;
        if (git_commit_lookup(&commit, m_repo->repo.get(), &id) != 0) {
            return LibraryResult<std::size_t>::failed(git::lastError());
        }
        if (git_commit_parentcount(commit) <= 1) {
            ++count;
        }
        git_commit_free(commit);
    }
    return {count, {}};
}

} // namespace kordana
