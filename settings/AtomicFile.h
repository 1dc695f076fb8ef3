#pragma once

#include <QString>

#include <optional>
#include <string>

namespace kordana {

/// Replaces `path` with `contents` atomically (temporary file, flush, rename). On any failure
/// the previous file stays intact and false is returned.
bool writeFileAtomically(const QString& path, const std::string& contents);

/// The whole file, or nothing if it cannot be opened or read.
std::optional<std::string> readWholeFile(const QString& path);

} // namespace kordana
