#pragma once

#include "library/LibraryEntry.h"

#include <filesystem>

namespace kordana {

/// Where the library lives unless a setting says otherwise: "kordana/library" in
/// $XDG_DATA_HOME (else ~/.local/share).
std::filesystem::path defaultLibraryFolder();

/// This PC's name (KORDANA_PC_NAME, else the host name) and the user's login name ($USER),
/// as the entries name them.
LibraryIdentity libraryIdentityOfThisPc();

} // namespace kordana
