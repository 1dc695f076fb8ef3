#pragma once

#include "params/ParameterImage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// What made a set an entry of the library. Note is no set: it annotates an earlier entry.
enum class LibraryEvent { Saved, Opened, Read, Programmed, Replaced, Restored, Assistant, Note };

/// The word of an event in the `Event:` trailer ("saved", "opened", ..., "note").
std::string_view libraryEventName(LibraryEvent event);
/// The event of a trailer word, or nothing for a word no event gives.
std::optional<LibraryEvent> libraryEventFromName(std::string_view name);

/// The unit a set belongs to, from the unit header of its image.
struct LibraryUnit {
    std::string ident;   ///< the three identification characters and the number: "ABC-12"
    std::string date;    ///< the unit program's date and time: "7.5.2006 09:05"
    std::string version; ///< the version text the misc page shows

    friend bool operator==(const LibraryUnit&, const LibraryUnit&) = default;
};

/// The unit of an image's header (block 0), or nothing when the header names none (its three
/// identification characters are zero: a set never read from or programmed into a unit).
std::optional<LibraryUnit> libraryUnitOf(const ParameterImage& image);

/// What the caller knows of a new entry.
struct LibraryEntryInput {
    LibraryEvent event = LibraryEvent::Saved;
    std::string text;    ///< the parameter file text, as IgnWriter writes it
    std::int64_t time{}; ///< when it happened, seconds since 1970-01-01 UTC
    std::optional<LibraryUnit> unit;
    std::optional<unsigned> programmingCount; ///< the unit's count, when a monitor frame gave it
    std::string filePath;                     ///< the file the set was saved to or came from
    std::string note;
    std::string restoredFrom; ///< Restored: the id of the entry restored
    std::string cause;        ///< Replaced: what replaced the set ("read", "open", ...)
    std::string importedFrom; ///< an entry imported from the history of replaced sets: its file
};

/// The entry of a set as it stands: its parameter file text (IgnWriter, the writer of Save),
/// its unit from the image's header, the event and the time; the caller adds the rest.
LibraryEntryInput libraryEntryFor(LibraryEvent event, const ParameterImage& image, bool extMon,
                                  std::int64_t time);

/// An entry: the input with its who, where and id, as read back from its commit.
struct LibraryEntry {
    std::string id; ///< the commit's id, 40 hex digits
    LibraryEvent event = LibraryEvent::Saved;
    std::int64_t time{};
    std::string pc;
    std::string user;
    std::optional<LibraryUnit> unit;
    std::optional<unsigned> programmingCount;
    std::string filePath;
    std::string note;    ///< the newest note on the entry (its own, or a later note's)
    std::string setPath; ///< the set's file in the library: "units/ABC-12/2026-...ign"
    std::string restoredFrom;
    std::string cause;
    std::string importedFrom;
    std::string target; ///< Note: the id of the entry the note is on
    std::string subject;
};

/// Who makes the entries: the PC's name and the user's.
struct LibraryIdentity {
    std::string pc;
    std::string user;
};

/// The time as the trailers write it: "2026-12-09T12:48:07Z".
std::string libraryTimeText(std::int64_t time);
/// The time of a trailer's text, or nothing when it is not of that form.
std::optional<std::int64_t> libraryTimeFromText(std::string_view text);

/// A name made fit for a path and a trailer: letters, digits, '.', '_' and '-' stay, anything
/// else becomes '_'; never empty ("_").
std::string librarySafeName(std::string_view name);

/// The folder of an entry in the library: "units/<ident>/" or "files/".
std::string libraryFolderOf(const std::optional<LibraryUnit>& unit);

/// The file name of an entry: "2026-12-09T12-48-07Z_bench-1.ign", with "-n" after the PC for
/// the n-th entry of the same second (n >= 2).
std::string libraryFileName(std::int64_t time, std::string_view pc, int sequence);

/// The commit message of an entry: a one-line subject, an empty line, the trailers.
std::string libraryEntryMessage(const LibraryEntryInput& input, const LibraryIdentity& who,
                                const std::string& setPath);
/// The commit message of a note on the entry `target`.
std::string libraryNoteMessage(const std::string& target, const std::string& note,
                               std::int64_t time, const LibraryIdentity& who);

/// One trailer of a commit message.
struct LibraryTrailer {
    std::string key;
    std::string value;
};

/// The subject (first line) and the trailers of a commit message: the lines "Key: value" of its
/// last paragraph, when the message has more than one paragraph and every line of the last is
/// such a line (keys of letters, digits and '-'); none otherwise.
std::string_view librarySubjectOf(std::string_view message);
std::vector<LibraryTrailer> libraryTrailersOf(std::string_view message);

/// The entry a commit message describes, or nothing for a commit that is no entry (a merge).
/// `trailers` are the message's trailers (libraryTrailersOf).
std::optional<LibraryEntry> libraryEntryFromTrailers(const std::string& subject,
                                                     const std::vector<LibraryTrailer>& trailers);

} // namespace kordana
