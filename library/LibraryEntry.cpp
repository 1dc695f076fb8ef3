#include "library/LibraryEntry.h"

#include "link/UnitHeader.h"
#include "params/IgnWriter.h"

#include <array>
#include <charconv>
#include <ctime>
#include <utility>

namespace kordana {

namespace {

constexpr std::array<std::pair<LibraryEvent, std::string_view>, 8> kEventNames{{
    {LibraryEvent::Saved, "saved"},
    {LibraryEvent::Opened, "opened"},
    {LibraryEvent::Read, "read"},
    {LibraryEvent::Programmed, "programmed"},
    {LibraryEvent::Replaced, "replaced"},
    {LibraryEvent::Restored, "restored"},
    {LibraryEvent::Assistant, "assistant"},
    {LibraryEvent::Note, "note"},
}};

// A trailer holds one line: line ends become blanks, and blanks at either end go.
std::string oneLine(std::string_view text) {
    std::string line;
    for (const char c : text) {
        line += (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
    }
    const auto first = line.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

void addTrailer(std::string& message, std::string_view key, std::string_view value) {
    const std::string line = oneLine(value);
    if (!line.empty()) {
        message += std::string(key) + ": " + line + "\n";
    }
}

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ') {
            out += c;
        }
    }
    return out;
}

std::string baseName(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string subjectOf(const LibraryEntryInput& input) {
    std::string subject(libraryEventName(input.event));
    subject[0] = static_cast<char>(subject[0] - 'a' + 'A');
    if (input.unit) {
        return subject + " unit " + input.unit->ident;
    }
    if (!input.filePath.empty()) {
        return subject + " " + oneLine(baseName(input.filePath));
    }
    return subject + " a set";
}

std::optional<unsigned> countOf(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// Stores one trailer of an entry's commit; false for a key an entry does not have.
bool storeTrailer(LibraryEntry& entry, LibraryUnit& unit, const LibraryTrailer& t) {
    const std::pair<std::string_view, std::string*> texts[] = {
        {"PC", &entry.pc},         {"User", &entry.user},
        {"File", &entry.filePath}, {"Note", &entry.note},
        {"Set", &entry.setPath},   {"Restored-From", &entry.restoredFrom},
        {"Cause", &entry.cause},   {"Imported-From", &entry.importedFrom},
        {"Entry", &entry.target},  {"Unit", &unit.ident},
        {"Unit-Date", &unit.date}, {"Unit-Version", &unit.version},
    };
    for (const auto& [key, member] : texts) {
        if (t.key == key) {
            *member = t.value;
            return true;
        }
    }
    if (t.key == "Programming-Count") {
        entry.programmingCount = countOf(t.value);
        return true;
    }
    return false;
}

} // namespace

std::string_view libraryEventName(LibraryEvent event) {
    for (const auto& [known, name] : kEventNames) {
        if (known == event) {
            return name;
        }
    }
    return {};
}

std::optional<LibraryEvent> libraryEventFromName(std::string_view name) {
    for (const auto& [event, known] : kEventNames) {
        if (known == name) {
            return event;
        }
    }
    return std::nullopt;
}

std::optional<LibraryUnit> libraryUnitOf(const ParameterImage& image) {
    if (image[0] == 0 && image[1] == 0 && image[2] == 0) {
        return std::nullopt;
    }
    std::string letters;
    for (std::size_t i = 0; i < 3 && image[i] != 0; ++i) {
        letters += static_cast<char>(image[i]);
    }
    const UnitHeaderTexts texts = DecodeUnitHeader(image.block(0));
    LibraryUnit unit;
    unit.ident = librarySafeName(letters) + "-" + std::to_string(image[3]);
    unit.date = withoutBlanks(texts.date) + " " + texts.time;
    unit.version = oneLine(texts.version);
    return unit;
}

LibraryEntryInput libraryEntryFor(LibraryEvent event, const ParameterImage& image, bool extMon,
                                  std::int64_t time) {
    LibraryEntryInput input;
    input.event = event;
    input.text = IgnWriter::write(image, extMon);
    input.time = time;
    input.unit = libraryUnitOf(image);
    return input;
}

std::string libraryTimeText(std::int64_t time) {
    const auto seconds = static_cast<std::time_t>(time);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    std::array<char, 32> text{};
    const std::size_t n = std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%SZ", &utc);
    return std::string(text.data(), n);
}

std::optional<std::int64_t> libraryTimeFromText(std::string_view text) {
    // "YYYY-MM-DDTHH:MM:SSZ": the digits at fixed places, the separators checked.
    constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:ddZ";
    if (text.size() != kShape.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) {
            return std::nullopt;
        }
    }
    const auto number = [&](std::size_t at, std::size_t n) {
        int value = 0;
        std::from_chars(text.data() + at, text.data() + at + n, value);
        return value;
    };
    std::tm utc{};
    utc.tm_year = number(0, 4) - 1900;
    utc.tm_mon = number(5, 2) - 1;
    utc.tm_mday = number(8, 2);
    utc.tm_hour = number(11, 2);
    utc.tm_min = number(14, 2);
    utc.tm_sec = number(17, 2);
    if (utc.tm_mon > 11 || utc.tm_mday < 1 || utc.tm_mday > 31 || utc.tm_hour > 23 ||
        utc.tm_min > 59 || utc.tm_sec > 60) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(timegm(&utc));
}

std::string librarySafeName(std::string_view name) {
    std::string safe;
    for (const char c : name) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        safe += keep ? c : '_';
    }
    // A name of dots alone would be a folder's own or its parent's name.
    if (safe.empty() || safe.find_first_not_of('.') == std::string::npos) {
        safe.insert(0, "_");
    }
    return safe;
}

std::string libraryFolderOf(const std::optional<LibraryUnit>& unit) {
    return unit ? "units/" + librarySafeName(unit->ident) + "/" : std::string("files/");
}

std::string libraryFileName(std::int64_t time, std::string_view pc, int sequence) {
    std::string stamp = libraryTimeText(time);
    for (char& c : stamp) {
        c = c == ':' ? '-' : c;
    }
    std::string name = stamp + "_" + librarySafeName(pc);
    if (sequence > 1) {
        name += "-" + std::to_string(sequence);
    }
    return name + ".ign";
}

std::string libraryEntryMessage(const LibraryEntryInput& input, const LibraryIdentity& who,
                                const std::string& setPath) {
    std::string message = subjectOf(input) + "\n\n";
    addTrailer(message, "Event", libraryEventName(input.event));
    addTrailer(message, "Time", libraryTimeText(input.time));
    addTrailer(message, "PC", who.pc);
    addTrailer(message, "User", who.user);
    if (input.unit) {
        addTrailer(message, "Unit", input.unit->ident);
        addTrailer(message, "Unit-Date", input.unit->date);
        addTrailer(message, "Unit-Version", input.unit->version);
    }
    if (input.programmingCount) {
        addTrailer(message, "Programming-Count", std::to_string(*input.programmingCount));
    }
    addTrailer(message, "File", input.filePath);
    addTrailer(message, "Set", setPath);
    addTrailer(message, "Restored-From", input.restoredFrom);
    addTrailer(message, "Cause", input.cause);
    addTrailer(message, "Imported-From", input.importedFrom);
    addTrailer(message, "Note", input.note);
    return message;
}

std::string libraryNoteMessage(const std::string& target, const std::string& note,
                               std::int64_t time, const LibraryIdentity& who) {
    std::string message = "Note on " + target.substr(0, 12) + "\n\n";
    addTrailer(message, "Event", libraryEventName(LibraryEvent::Note));
    addTrailer(message, "Time", libraryTimeText(time));
    addTrailer(message, "PC", who.pc);
    addTrailer(message, "User", who.user);
    addTrailer(message, "Entry", target);
    // An emptied note is a note too: it says that the entry has none any more.
    message += "Note: " + oneLine(note) + "\n";
    return message;
}

std::string_view librarySubjectOf(std::string_view message) {
    return message.substr(0, message.find('\n'));
}

std::vector<LibraryTrailer> libraryTrailersOf(std::string_view message) {
    while (message.ends_with('\n')) {
        message.remove_suffix(1);
    }
    const std::size_t gap = message.rfind("\n\n");
    if (gap == std::string_view::npos) {
        return {};
    }
    std::vector<LibraryTrailer> trailers;
    std::string_view block = message.substr(gap + 2);
    while (!block.empty()) {
        const std::size_t end = std::min(block.find('\n'), block.size());
        const std::string_view line = block.substr(0, end);
        block.remove_prefix(std::min(end + 1, block.size()));
        const std::size_t colon = line.find(": ");
        const std::string_view key = line.substr(0, colon);
        const bool keyed = colon != std::string_view::npos && !key.empty() &&
                           key.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRS"
                                                 "TUVWXYZ0123456789-") == std::string_view::npos;
        if (!keyed) {
            return {};
        }
        trailers.push_back({std::string(key), oneLine(line.substr(colon + 2))});
    }
    return trailers;
}

std::optional<LibraryEntry> libraryEntryFromTrailers(const std::string& subject,
                                                     const std::vector<LibraryTrailer>& trailers) {
    LibraryEntry entry;
    entry.subject = subject;
    LibraryUnit unit;
    bool hasEvent = false;
    bool hasTime = false;
    for (const LibraryTrailer& t : trailers) {
        if (t.key == "Event") {
            const auto event = libraryEventFromName(t.value);
            hasEvent = event.has_value();
            entry.event = event.value_or(LibraryEvent::Saved);
        } else if (t.key == "Time") {
            const auto time = libraryTimeFromText(t.value);
            hasTime = time.has_value();
            entry.time = time.value_or(0);
        } else {
            storeTrailer(entry, unit, t);
        }
    }
    if (!hasEvent || !hasTime) {
        return std::nullopt;
    }
    if (!unit.ident.empty()) {
        entry.unit = unit;
    }
    return entry;
}

} // namespace kordana
