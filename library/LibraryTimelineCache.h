#pragma once

#include "library/LibraryEntry.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kordana {

/// What the last listing read: every entry and note up to a tip of the branch, in walk order
/// (newer commits first). Only a shortcut: a listing that finds it missing, damaged or of
/// another history reads the commits themselves and writes it anew.
struct TimelineCache {
    std::string tip; ///< the commit id the entries were read up to
    std::vector<LibraryEntry> entries;
};

/// The cache file of a library: "kordana-timeline" in its repository folder.
std::filesystem::path timelineCacheFile(const std::filesystem::path& library);

/// The cache in `file`, or nothing when it is missing or any line of it does not read.
std::optional<TimelineCache> readTimelineCache(const std::filesystem::path& file);

/// Replaces `file` with the cache (a temporary file renamed over it); false when it could
/// not be written, which costs the next listing its shortcut only.
bool writeTimelineCache(const std::filesystem::path& file, const TimelineCache& cache);

} // namespace kordana
