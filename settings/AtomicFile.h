#pragma once

#include "params/RegularFile.h"

#include <QString>

#include <optional>
#include <string>

namespace kordana {

/// The one way the programs replace a file: `contents` goes into a temporary file beside
/// `path`, every write and the final flush and close are checked, and only a file written
/// whole is renamed over `path`. On any failure the previous file stays intact byte for byte,
/// false is returned and `reason` (when given) receives the system's reason ("No space left on
/// device").
bool writeFileAtomically(const QString& path, const std::string& contents,
                         QString* reason = nullptr);

/// The whole file, or nothing if it cannot be opened or read.
std::optional<std::string> readWholeFile(const QString& path);

/// The settings file and the stored set are small; a larger file is refused unread.
inline constexpr std::uintmax_t kMaxConfigFileBytes = 1024 * 1024;

/// Reads a settings file or the stored set through the bounded reader of the parameter files:
/// only a regular file of at most kMaxConfigFileBytes is opened, so a pipe cannot block the
/// start and a huge file cannot fill the memory.
RegularFileRead readConfigFile(const QString& path);

/// What a failed file write says when no system reason is at hand.
QString fileWriteFailedReason();

namespace fileWriteFault {

/// A seam for tests: the n-th step (1: the next) of any file writer from now on fails as on a
/// full disk, with the system's "No space left on device". A step is one write, or the commit
/// (flush, close and rename) of an atomic replacement. 0 turns the fault off.
void failStep(int n);

/// True when the injected fault hits this step; counts the step. Used by the file writers.
bool stepFails();

/// The reason an injected fault gives.
QString reason();

} // namespace fileWriteFault

} // namespace kordana
