#pragma once

#include "params/IgnReader.h"
#include "params/ParameterImage.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace kordana {

/// Largest parameter file that is read, in bytes; a parameter file is about 10 KB.
inline constexpr std::uintmax_t kMaxParameterFileBytes = 1024 * 1024;

/// How loading a parameter file ended.
enum class ParameterFileStatus {
    Read,           ///< the whole file was read; the reader's result says whether it applies
    CannotRead,     ///< missing, no permission, or the read failed
    TooLarge,       ///< more than kMaxParameterFileBytes
    NotRegularFile, ///< a folder, device, pipe or socket
};

/// What loading a parameter file gave.
struct ParameterFileLoad {
    ParameterFileStatus status = ParameterFileStatus::CannotRead;
    std::string reason; ///< the system's reason when the file cannot be read, else empty
    IgnReadResult read; ///< the reader's result; when not Read, the current values unchanged

    /// True when the file was read; whether its values apply is up to `read.applicable()`.
    bool fileRead() const { return status == ParameterFileStatus::Read; }
};

/// The one way the window's Open and every kordana-cli command read a parameter file.
class ParameterFileLoader {
public:
    /// Reads the parameter file at `path` over the current image and Extended Monitor state.
    /// Only a regular file of at most kMaxParameterFileBytes is opened, so a device or a pipe
    /// can neither block the caller nor fill its memory.
    static ParameterFileLoad load(const std::filesystem::path& path, const ParameterImage& current,
                                  bool currentExtMon);
};

} // namespace kordana
