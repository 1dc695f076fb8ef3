#include "library/LibraryRepo.h"
#include "library/LibraryTimelineCache.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
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

// A commit's parents and message, read from its raw text: header lines ("tree ...",
// "parent ...", "author ...", ...), an empty line, the message. Reading it so spares the
// commit object libgit2 would build (signatures, a copy of the message) for each entry.
struct RawCommit {
    std::vector<git_oid> parents;
    std::string_view message;
};

bool parseRawCommit(std::string_view raw, RawCommit& commit) {
    const std::size_t end = raw.find("\n\n");
    if (end == std::string_view::npos) {
        return false;
    }
    commit.message = raw.substr(end + 2);
    std::string_view header = raw.substr(0, end + 1);
    constexpr std::string_view kParent = "parent ";
    while (!header.empty()) {
        const std::size_t eol = header.find('\n');
        const std::string_view line = header.substr(0, eol);
        header.remove_prefix(eol + 1);
        if (line.starts_with(kParent) && line.size() == kParent.size() + GIT_OID_HEXSZ) {
            git_oid parent;
            if (git_oid_fromstrn(&parent, line.data() + kParent.size(), GIT_OID_HEXSZ) != 0) {
                return false;
            }
            commit.parents.push_back(parent);
        }
    }
    return true;
}

// The entry or note of one commit; nothing for a merge or a commit of another kind.
std::optional<LibraryEntry> entryOfCommit(const git_oid& id, const RawCommit& commit) {
    if (commit.parents.size() > 1) {
        return std::nullopt;
    }
    auto entry = libraryEntryFromTrailers(std::string(librarySubjectOf(commit.message)),
                                          libraryTrailersOf(commit.message));
    if (entry) {
        entry->id = oidText(id);
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

// Reads one commit raw: its entry, if it is one, onto `out`; its parents onto `parents`.
std::string readCommit(git_odb* odb, const git_oid& id, std::vector<LibraryEntry>& out,
                       std::vector<git_oid>& parents) {
    git_odb_object* object = nullptr;
    if (git_odb_read(&object, odb, &id) != 0 || git_odb_object_type(object) != GIT_OBJECT_COMMIT) {
        git_odb_object_free(object);
        return git::lastError();
    }
    RawCommit commit;
    const bool parsed =
        parseRawCommit(std::string_view(static_cast<const char*>(git_odb_object_data(object)),
                                        git_odb_object_size(object)),
                       commit);
    auto entry = parsed ? entryOfCommit(id, commit) : std::nullopt;
    git_odb_object_free(object);
    if (!parsed) {
        return "commit " + oidText(id) + " does not read";
    }
    parents.insert(parents.end(), commit.parents.rbegin(), commit.parents.rend());
    if (entry) {
        out.push_back(std::move(*entry));
    }
    return {};
}

// Every commit from the tip, each read once, descendants before ancestors: a walk of our own,
// as a revwalk would read every commit for its parents and again for its message.
std::string walkAll(git_odb* odb, const git_oid& tip, std::vector<LibraryEntry>& out) {
    std::vector<git_oid> pending{tip};
    std::unordered_set<git_oid, OidHash, OidEqual> seen;
    while (!pending.empty()) {
        const git_oid id = pending.back();
        pending.pop_back();
        if (seen.insert(id).second) {
            if (std::string error = readCommit(odb, id, out, pending); !error.empty()) {
                return error;
            }
        }
    }
    return {};
}

// The commits from the tip that `known` does not reach, descendants first.
std::string walkSince(git_repository* repo, git_odb* odb, const git_oid& tip, const git_oid& known,
                      std::vector<LibraryEntry>& out) {
    git_revwalk* walk = nullptr;
    if (git_revwalk_new(&walk, repo) != 0) {
        return git::lastError();
    }
    const git::RevWalk owned(walk);
    git_revwalk_sorting(walk, GIT_SORT_TOPOLOGICAL);
    if (git_revwalk_push(walk, &tip) != 0 || git_revwalk_hide(walk, &known) != 0) {
        return git::lastError();
    }
    std::vector<git_oid> parents;
    git_oid id;
    while (git_revwalk_next(&id, walk) == 0) {
        if (std::string error = readCommit(odb, id, out, parents); !error.empty()) {
            return error;
        }
    }
    return {};
}

// The entries newest first with their newest notes, from every entry and note in walk order.
std::vector<LibraryEntry> timelineOf(std::vector<LibraryEntry> all) {
    std::vector<LibraryEntry> sets;
    std::vector<const LibraryEntry*> notes;
    sets.reserve(all.size());
    for (LibraryEntry& entry : all) {
        if (entry.event == LibraryEvent::Note) {
            notes.push_back(&entry);
        } else {
            sets.push_back(std::move(entry));
        }
    }
    std::ranges::sort(sets, newerFirst);
    std::unordered_map<std::string, std::size_t> byId;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        byId.emplace(sets[i].id, i);
    }
    // The newest note wins; of two in the same second, the one made later (ancestors first).
    std::ranges::reverse(notes);
    std::ranges::stable_sort(notes, {}, [](const LibraryEntry* note) { return note->time; });
    for (const LibraryEntry* note : notes) {
        if (const auto it = byId.find(note->target); it != byId.end()) {
            sets[it->second].note = note->note;
        }
    }
    return sets;
}

} // namespace

LibraryResult<std::vector<LibraryEntry>> TuneLibrary::entries() const {
    using Result = LibraryResult<std::vector<LibraryEntry>>;
    git_repository* repo = m_repo->repo.get();
    git_oid tip;
    if (git_reference_name_to_id(&tip, repo, kLibraryBranch) != 0) {
        return {std::vector<LibraryEntry>{}, {}};
    }
    git_odb* odb = nullptr;
    if (git_repository_odb(&odb, repo) != 0) {
        return Result::failed("the library is damaged: " + git::lastError());
    }
    const std::unique_ptr<git_odb, void (*)(git_odb*)> ownedOdb(odb, git_odb_free);
    // The last listing's cache holds what its tip reaches; only the commits since are read.
    const std::filesystem::path cacheFile = timelineCacheFile(m_repo->folder);
    auto cache = readTimelineCache(cacheFile);
    git_oid known;
    const bool usable =
        cache && git_oid_fromstr(&known, cache->tip.c_str()) == 0 &&
        (git_oid_equal(&known, &tip) != 0 || git_graph_descendant_of(repo, &tip, &known) == 1);
    std::vector<LibraryEntry> all;
    const std::string error =
        usable ? walkSince(repo, odb, tip, known, all) : walkAll(odb, tip, all);
    if (!error.empty()) {
        return Result::failed("the library is damaged: " + error);
    }
    const bool changed = !usable || !all.empty() || git_oid_equal(&known, &tip) == 0;
    if (usable) {
        all.insert(all.end(), std::make_move_iterator(cache->entries.begin()),
                   std::make_move_iterator(cache->entries.end()));
    }
    if (changed) {
        writeTimelineCache(cacheFile, {oidText(tip), all});
    }
    return {timelineOf(std::move(all)), {}};
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
