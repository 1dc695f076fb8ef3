#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace kordana {

/// How reading a whole regular file ended.
enum class RegularFileStatus {
    Read,           ///< `text` holds the whole file
    CannotRead,     ///< missing, no permission, or the read failed; `reason` says why
    TooLarge,       ///< more than the limit
    NotRegularFile, ///< a folder, device, pipe or socket
};

struct RegularFileRead {
    RegularFileStatus status = RegularFileStatus::CannotRead;
    std::string reason; ///< the system's reason when the file cannot be read, else empty
    std::string text;   ///< the file's bytes when read
};

/// Reads the whole file at `path` when it is a regular file of at most `maxBytes`. Anything
/// else is never opened, so a device or a pipe can neither block the caller nor fill its
/// memory.
RegularFileRead readRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

} // namespace kordana
