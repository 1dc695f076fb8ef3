// The tune library's timeline: 10,000 entries of about 10 KB each (a whole parameter file),
// spread over 100 units and the sets of no unit, listed newest first with their notes, as the
// timeline window opens it. The library is made once per run in a temporary folder and packed
// as the syncs would pack it; the counters give its size and the longest packing.
#include "library/TuneLibrary.h"
#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"
#include "params/IgnWriter.h"
#include "params/ImageLayout.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace kordana {
namespace {

constexpr int kEntries = 10000;

std::uintmax_t folderBytes(const std::filesystem::path& folder) {
    std::uintmax_t bytes = 0;
    for (const auto& file : std::filesystem::recursive_directory_iterator(folder)) {
        if (file.is_regular_file()) {
            bytes += file.file_size();
        }
    }
    return bytes;
}

// The library of kEntries entries: each a set that differs from the last in a few cells, as a
// day's tuning goes; every tenth entry gets a note.
class TimelineLibrary {
public:
    TimelineLibrary() {
        // KORDANA_BENCH_LIBRARY=DIR keeps the library in DIR for the next run (made if missing).
        if (const char* kept = std::getenv("KORDANA_BENCH_LIBRARY"); kept != nullptr && *kept) {
            m_root = kept;
            m_keep = true;
            if (std::filesystem::exists(folder())) {
                m_bytes = folderBytes(folder());
                return;
            }
        } else {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "kordana-bench-library-XXXXXX").string();
            m_root = ::mkdtemp(pattern.data());
        }
        auto opened = TuneLibrary::open(folder(), {"bench-1", "anna"});
        auto& library = **opened.value;
        ParameterImage image;
        applyDefaultSet(image);
        runConsistencyPass(image);
        for (int i = 0; i < kEntries; ++i) {
            image[layout::mapCell(static_cast<std::size_t>(i % 9), static_cast<std::size_t>(i % 10),
                                  static_cast<std::size_t>(i % 15))] =
                static_cast<std::uint8_t>(40 + i % 50);
            LibraryEntryInput input;
            input.event = i % 3 == 0 ? LibraryEvent::Programmed : LibraryEvent::Saved;
            input.text = IgnWriter::write(image, false);
            input.time = 1796820487 + i * 60;
            if (i % 10 != 9) {
                const std::string ident = "U" + std::to_string(i % 100);
                input.unit = LibraryUnit{ident, "7.5.2006 09:05", ident};
            }
            const auto added = library.add(input);
            if (i % 10 == 0 && added.ok()) {
                library.addNote(*added.value, "run " + std::to_string(i), input.time + 1);
            }
            // As the syncs after the entries would: pack once about a thousand objects wait.
            if (i % 50 == 49 && library.compactionDue()) {
                const auto started = std::chrono::steady_clock::now();
                library.compact();
                m_compactSeconds = std::max(
                    m_compactSeconds,
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - started)
                        .count());
            }
        }
        library.compact();
        m_bytes = folderBytes(folder());
    }
    ~TimelineLibrary() {
        std::error_code ignored;
        if (!m_keep) {
            std::filesystem::remove_all(m_root, ignored);
        }
    }
    std::filesystem::path folder() const { return m_root / "library"; }
    std::uintmax_t bytes() const { return m_bytes; }
    double compactSeconds() const { return m_compactSeconds; }

private:
    std::filesystem::path m_root;
    std::uintmax_t m_bytes = 0;
    double m_compactSeconds = 0;
    bool m_keep = false;
};

const TimelineLibrary& timelineLibrary() {
    static const TimelineLibrary library;
    return library;
}

// Lists the timeline as the window opens it; false when entries are missing.
bool listTimeline(benchmark::State& state, const TimelineLibrary& made) {
    auto opened = TuneLibrary::open(made.folder(), {"bench-1", "anna"});
    const auto entries = opened.ok() ? (*opened.value)->entries()
                                     : LibraryResult<std::vector<LibraryEntry>>::failed("");
    if (!entries.ok() || entries.value->size() != kEntries) {
        state.SkipWithError("the timeline lacks entries");
        return false;
    }
    benchmark::DoNotOptimize(entries.value->front().note);
    return true;
}

// The usual opening: the last listing left its cache, which gives the entries it read.
void BM_LibraryTimeline10k(benchmark::State& state) {
    const TimelineLibrary& made = timelineLibrary();
    listTimeline(state, made); // the cache, as any earlier listing leaves it
    for (auto _ : state) {
        if (!listTimeline(state, made)) {
            break;
        }
    }
    state.counters["library_MB"] = static_cast<double>(made.bytes()) / 1e6;
    state.counters["longest_compact_s"] = made.compactSeconds();
}
BENCHMARK(BM_LibraryTimeline10k)->Unit(benchmark::kMillisecond)->Iterations(10);

// The first opening ever (or after the cache was lost): every commit read.
void BM_LibraryTimeline10kUncached(benchmark::State& state) {
    const TimelineLibrary& made = timelineLibrary();
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(made.folder() / "kordana-timeline");
        state.ResumeTiming();
        if (!listTimeline(state, made)) {
            break;
        }
    }
}
BENCHMARK(BM_LibraryTimeline10kUncached)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
} // namespace kordana
