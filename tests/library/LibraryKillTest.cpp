// A writer killed (SIGKILL) at each step of committing an entry: the library still opens,
// lists and reads every entry it lists, loses at most the entry being made, and takes the next.

#include "LibraryScratch.h"

#include "library/LibraryFaults.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace kordana {
namespace {

using librarytest::entryOf;
using librarytest::openLibrary;

const LibraryIdentity kBench{"bench-1", "anna"};

// In a child: adds one entry and, at `step`, tells the parent and waits to be killed.
pid_t writerStoppedAt(const std::filesystem::path& folder, LibraryCommitStep step, int& ready) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        setLibraryCommitObserver([&](LibraryCommitStep reached) {
            if (reached == step) {
                const char byte = 1;
                (void)!::write(fds[1], &byte, 1);
                for (;;) {
                    ::pause();
                }
            }
        });
        auto library = TuneLibrary::open(folder, kBench);
        if (library.ok()) {
            (*library.value)->add(entryOf(LibraryEvent::Programmed, "second\n", 2000, "ABC-12"));
        }
        ::_exit(3); // the step was never reached
    }
    ::close(fds[1]);
    ready = fds[0];
    return child;
}

struct KillCase {
    LibraryCommitStep step;
    std::size_t entriesAfter; ///< the first entry, and the second once its branch moved
};

TEST(LibraryKill, KilledWriterLosesAtMostItsEntry) {
    const KillCase cases[] = {
        {LibraryCommitStep::BlobWritten, 1},
        {LibraryCommitStep::TreeWritten, 1},
        {LibraryCommitStep::CommitWritten, 1},
        {LibraryCommitStep::RefUpdated, 2},
    };
    for (const KillCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.step));
        librarytest::Scratch scratch;
        const auto folder = scratch.path("library");
        ASSERT_TRUE(openLibrary(folder, kBench)
                        ->add(entryOf(LibraryEvent::Read, "first\n", 1000, "ABC-12"))
                        .ok());
        int ready = -1;
        const pid_t child = writerStoppedAt(folder, c.step, ready);
        ASSERT_GT(child, 0);
        char byte = 0;
        ASSERT_EQ(::read(ready, &byte, 1), 1) << "the writer never reached the step";
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ::close(ready);
        ASSERT_TRUE(WIFSIGNALED(status));

        auto library = openLibrary(folder, kBench);
        ASSERT_TRUE(library);
        const auto entries = library->entries();
        ASSERT_TRUE(entries.ok()) << entries.error;
        ASSERT_EQ(entries.value->size(), c.entriesAfter);
        for (const LibraryEntry& entry : *entries.value) {
            EXPECT_TRUE(library->setText(entry).ok());
        }
        EXPECT_EQ(library->setText(entries.value->back()).value, "first\n");
        // The lock of the killed writer went with it: the next entry goes in.
        const auto next = library->add(entryOf(LibraryEvent::Saved, "third\n", 3000));
        ASSERT_TRUE(next.ok()) << next.error;
        EXPECT_EQ(library->entries().value->size(), c.entriesAfter + 1);
    }
}

} // namespace
} // namespace kordana
