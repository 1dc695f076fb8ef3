#include "library/LibraryTimelineCache.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>

namespace kordana {

namespace {

constexpr std::string_view kHeader = "kordana-timeline 1";

// The text fields of an entry, in the order of a line; the line's other fields come first.
using TextField = std::string LibraryEntry::*;
constexpr std::array<TextField, 11> kTexts{
    &LibraryEntry::id,           &LibraryEntry::pc,      &LibraryEntry::user,
    &LibraryEntry::filePath,     &LibraryEntry::note,    &LibraryEntry::setPath,
    &LibraryEntry::restoredFrom, &LibraryEntry::cause,   &LibraryEntry::importedFrom,
    &LibraryEntry::target,       &LibraryEntry::subject,
};
constexpr std::size_t kFields = 3 + 3 + kTexts.size(); // event, time, count; the unit's three

// Fields hold no tab or line end (the trailers have none); a subject might.
std::string field(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
    }
    return out;
}

std::string lineOf(const LibraryEntry& e) {
    std::string line(libraryEventName(e.event));
    line += "\t" + std::to_string(e.time);
    line += "\t" + (e.programmingCount ? std::to_string(*e.programmingCount) : std::string("-"));
    line += "\t" + field(e.unit ? e.unit->ident : "");
    line += "\t" + field(e.unit ? e.unit->date : "");
    line += "\t" + field(e.unit ? e.unit->version : "");
    for (const TextField member : kTexts) {
        line += "\t" + field(e.*member);
    }
    return line;
}

template <class T>
bool number(std::string_view text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() && !text.empty();
}

std::optional<LibraryEntry> entryOfLine(std::string_view line) {
    std::array<std::string_view, kFields> f;
    for (std::size_t i = 0; i < kFields; ++i) {
        const std::size_t tab = line.find('\t');
        if ((tab == std::string_view::npos) != (i + 1 == kFields)) {
            return std::nullopt;
        }
        f[i] = line.substr(0, tab);
        line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
    }
    LibraryEntry e;
    const auto event = libraryEventFromName(f[0]);
    unsigned count = 0;
    if (!event || !number(f[1], e.time) || (f[2] != "-" && !number(f[2], count))) {
        return std::nullopt;
    }
    e.event = *event;
    if (f[2] != "-") {
        e.programmingCount = count;
    }
    if (!f[3].empty()) {
        e.unit = LibraryUnit{std::string(f[3]), std::string(f[4]), std::string(f[5])};
    }
    for (std::size_t i = 0; i < kTexts.size(); ++i) {
        e.*kTexts[i] = std::string(f[6 + i]);
    }
    return e;
}

} // namespace

std::filesystem::path timelineCacheFile(const std::filesystem::path& library) {
    return library / "kordana-timeline";
}

std::optional<TimelineCache> readTimelineCache(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    if (!std::getline(in, line) || line != kHeader || !std::getline(in, line) ||
        !line.starts_with("tip ")) {
        return std::nullopt;
    }
    TimelineCache cache;
    cache.tip = line.substr(4);
    while (std::getline(in, line)) {
        auto entry = entryOfLine(line);
        if (!entry) {
            return std::nullopt;
        }
        cache.entries.push_back(std::move(*entry));
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return cache;
}

bool writeTimelineCache(const std::filesystem::path& file, const TimelineCache& cache) {
    static std::atomic<unsigned> serial{0};
    const std::filesystem::path temporary =
        file.string() + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++serial);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << kHeader << "\ntip " << cache.tip << "\n";
        for (const LibraryEntry& entry : cache.entries) {
            out << lineOf(entry) << "\n";
        }
        if (!out.flush()) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, file, renamed);
    if (renamed) {
        std::filesystem::remove(temporary, renamed);
        return false;
    }
    return true;
}

} // namespace kordana
