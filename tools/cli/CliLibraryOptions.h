#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// What `kordana-cli library` is asked to do.
enum class LibraryAction { Log, Show, Diff, Restore, Note, Remote, Sync };

/// The words after `kordana-cli library`.
struct CliLibraryOptions {
    LibraryAction action = LibraryAction::Log;
    std::string folder;               ///< --library DIR; empty: the default folder
    std::string unit;                 ///< log --unit ID ("files": the sets of no unit)
    std::string event;                ///< log --event E
    std::vector<std::string> entries; ///< show, restore, note: one; diff: two
    std::string text;                 ///< note TEXT
    std::optional<std::string> url;   ///< remote URL: set it; none: show it
    std::string out;                  ///< restore --out FILE

    friend bool operator==(const CliLibraryOptions&, const CliLibraryOptions&) = default;
};

/// Parses the words after "library" (the action, its options and arguments); the error text,
/// or empty.
std::string parseLibraryArguments(std::span<const std::string_view> args,
                                  CliLibraryOptions& options);

/// The help of `kordana-cli library`.
std::string_view libraryHelp();

} // namespace kordana
