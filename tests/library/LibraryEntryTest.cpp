// The entry's text forms: its commit message, its trailers read back, its path and time.

#include "library/LibraryEntry.h"

#include <gtest/gtest.h>

namespace kordana {
namespace {

// 2026-12-09 12:48:07 UTC, counted by hand: 20,796 days from 1970 to 2026-12-09
// (56 years, 14 leap days, 342 days into 2026) x 86,400 + 46,087 seconds.
constexpr std::int64_t kAt = 1796820487;

TEST(LibraryEntry, TimeTextIsUtcWithSecondsAndReadsBack) {
    EXPECT_EQ(libraryTimeText(kAt), "2026-12-09T12:48:07Z");
    EXPECT_EQ(libraryTimeText(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(libraryTimeFromText("2026-12-09T12:48:07Z"), kAt);
    for (const char* bad : {"2026-12-09 12:48:07Z", "2026-12-09T12:48:07", "2026-13-09T12:48:07Z",
                            "2026-12-09T12:4x:07Z", ""}) {
        EXPECT_FALSE(libraryTimeFromText(bad).has_value()) << bad;
    }
}

TEST(LibraryEntry, PathsNameTheUnitOrFilesAndTheTimeAndPc) {
    EXPECT_EQ(libraryFolderOf(LibraryUnit{"ABC-12", "", ""}), "units/ABC-12/");
    EXPECT_EQ(libraryFolderOf(std::nullopt), "files/");
    EXPECT_EQ(libraryFileName(kAt, "bench-1", 1), "2026-12-09T12-48-07Z_bench-1.ign");
    EXPECT_EQ(libraryFileName(kAt, "bench 1/x", 3), "2026-12-09T12-48-07Z_bench_1_x-3.ign");
    EXPECT_EQ(librarySafeName(".."), "_..");
    EXPECT_EQ(librarySafeName(""), "_");
}

TEST(LibraryEntry, UnitComesFromTheHeaderIdentAndNumber) {
    ParameterImage image;
    EXPECT_FALSE(libraryUnitOf(image).has_value());
    const std::uint8_t header[] = {'A', 'B', 'C', 12, 7, 39, 6, 9, 5, 1, 51};
    std::copy(std::begin(header), std::end(header), image.bytes.begin());
    const auto unit = libraryUnitOf(image);
    ASSERT_TRUE(unit.has_value());
    EXPECT_EQ(unit->ident, "ABC-12");
    EXPECT_EQ(unit->date, "7.5.2006 09:05");
    EXPECT_EQ(unit->version, "ABC12");
    image[1] = '/';
    EXPECT_EQ(libraryUnitOf(image)->ident, "A_C-12");
}

TEST(LibraryEntry, EntryOfASetHoldsItsFileTextAndUnit) {
    ParameterImage image;
    image[0] = 'K';
    image[1] = 'R';
    image[2] = 'D';
    image[3] = 7;
    const LibraryEntryInput input = libraryEntryFor(LibraryEvent::Read, image, true, kAt);
    EXPECT_EQ(input.event, LibraryEvent::Read);
    EXPECT_EQ(input.time, kAt);
    EXPECT_TRUE(input.text.starts_with("VALMORIN_KEY    51 \n")) << input.text.substr(0, 40);
    EXPECT_NE(input.text.find("\nEXT_MON          1\n"), std::string::npos);
    ASSERT_TRUE(input.unit.has_value());
    EXPECT_EQ(input.unit->ident, "KRD-7");
}

TEST(LibraryEntry, MessageHasASubjectAndTheTrailers) {
    LibraryEntryInput input;
    input.event = LibraryEvent::Programmed;
    input.time = kAt;
    input.unit = LibraryUnit{"ABC-12", "7.5.2006 09:05", "ABC12"};
    input.programmingCount = 27;
    input.filePath = "/home/anna/tunes/track day.ign";
    input.note = "richer at\nthe top";
    const std::string set = "units/ABC-12/2026-12-09T12-48-07Z_bench-1.ign";
    EXPECT_EQ(libraryEntryMessage(input, {"bench-1", "anna"}, set),
              "Programmed unit ABC-12\n"
              "\n"
              "Event: programmed\n"
              "Time: 2026-12-09T12:48:07Z\n"
              "PC: bench-1\n"
              "User: anna\n"
              "Unit: ABC-12\n"
              "Unit-Date: 7.5.2006 09:05\n"
              "Unit-Version: ABC12\n"
              "Programming-Count: 27\n"
              "File: /home/anna/tunes/track day.ign\n"
              "Set: units/ABC-12/2026-12-09T12-48-07Z_bench-1.ign\n"
              "Note: richer at the top\n");
    LibraryEntryInput saved;
    saved.time = kAt;
    saved.filePath = "/tmp/a.ign";
    EXPECT_EQ(libraryEntryMessage(saved, {"pc", "u"}, "files/x.ign"),
              "Saved a.ign\n\nEvent: saved\nTime: 2026-12-09T12:48:07Z\nPC: pc\nUser: u\n"
              "File: /tmp/a.ign\nSet: files/x.ign\n");
    EXPECT_EQ(libraryNoteMessage("0123456789abcdef0123", "", kAt, {"pc", "u"}),
              "Note on 0123456789ab\n\nEvent: note\nTime: 2026-12-09T12:48:07Z\nPC: pc\n"
              "User: u\nEntry: 0123456789abcdef0123\nNote: \n");
}

TEST(LibraryEntry, TrailersAreTheLinesOfTheLastParagraph) {
    const std::string message =
        "Saved a.ign\n\nbody text\n\nEvent: saved\nTime: 2026-12-09T12:48:07Z\n"
        "File: /tmp/a: b.ign\nNote:  spaced  \n\n";
    EXPECT_EQ(librarySubjectOf(message), "Saved a.ign");
    const auto trailers = libraryTrailersOf(message);
    ASSERT_EQ(trailers.size(), 4u);
    EXPECT_EQ(trailers[0].key, "Event");
    EXPECT_EQ(trailers[0].value, "saved");
    EXPECT_EQ(trailers[2].key, "File");
    EXPECT_EQ(trailers[2].value, "/tmp/a: b.ign");
    EXPECT_EQ(trailers[3].value, "spaced");
    // No trailers: one paragraph only, or a last paragraph with a line that is none.
    EXPECT_TRUE(libraryTrailersOf("Event: saved\n").empty());
    EXPECT_TRUE(libraryTrailersOf("Merge\n\nEvent: saved\njust words\n").empty());
    EXPECT_TRUE(libraryTrailersOf("Merge\n\nBad key: x\n").empty());
}

TEST(LibraryEntry, TrailersReadIntoAnEntry) {
    const std::vector<LibraryTrailer> trailers{
        {"Event", "restored"},
        {"Time", "2026-12-09T12:48:07Z"},
        {"PC", "laptop"},
        {"User", "ben"},
        {"Unit", "XYZ-3"},
        {"Unit-Date", "1.1.2020 10:00"},
        {"Programming-Count", "x"},
        {"Restored-From", "abcd"},
        {"Set", "units/XYZ-3/a.ign"},
        {"Unknown", "kept out"},
    };
    const auto entry = libraryEntryFromTrailers("Restored unit XYZ-3", trailers);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->event, LibraryEvent::Restored);
    EXPECT_EQ(entry->time, kAt);
    EXPECT_EQ(entry->pc, "laptop");
    EXPECT_EQ(entry->user, "ben");
    ASSERT_TRUE(entry->unit.has_value());
    EXPECT_EQ(entry->unit->ident, "XYZ-3");
    EXPECT_EQ(entry->unit->date, "1.1.2020 10:00");
    EXPECT_FALSE(entry->programmingCount.has_value());
    EXPECT_EQ(entry->restoredFrom, "abcd");
    EXPECT_EQ(entry->setPath, "units/XYZ-3/a.ign");
    // A commit without an event or a time of the right form is no entry (a merge, say).
    EXPECT_FALSE(libraryEntryFromTrailers("Merge", {}).has_value());
    EXPECT_FALSE(
        libraryEntryFromTrailers("x", {{"Event", "saved"}, {"Time", "yesterday"}}).has_value());
    EXPECT_FALSE(
        libraryEntryFromTrailers("x", {{"Event", "lost"}, {"Time", "2026-12-09T12:48:07Z"}})
            .has_value());
}

} // namespace
} // namespace kordana
