// The timeline of File > Earlier sets... with 10,000 entries: the pane takes the listing
// (LibraryBench measures the library's own listing of as many) and the view paints its first
// screen; then a text filter over all of them and back.
#include "features/history/TimelinePane.h"
#include "lang/MessageTexts.h"

#include <QLineEdit>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace kordana {
namespace {

constexpr int kEntries = 10000;

// Entries as the library lists them: newest first, 100 units and the sets of no unit, every
// tenth with a note.
std::vector<LibraryEntry> listedEntries() {
    std::vector<LibraryEntry> entries(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        LibraryEntry& e = entries[static_cast<std::size_t>(i)];
        e.id = std::string(40, 'a');
        e.event = i % 3 == 0 ? LibraryEvent::Programmed : LibraryEvent::Saved;
        e.time = 1796820487 + (kEntries - i) * 60;
        e.pc = i % 2 == 0 ? "bench-1" : "laptop";
        e.user = "anna";
        if (i % 10 != 9) {
            const std::string ident = "U" + std::to_string(i % 100);
            e.unit = LibraryUnit{ident, "7.5.2006 09:05", ident};
        }
        if (i % 10 == 0) {
            e.note = "run " + std::to_string(i);
        }
    }
    return entries;
}

class ShownPane {
public:
    ShownPane() : m_pane(nullptr) {
        m_pane.applyTexts(messageTextsFor(0), {"Time", "Event", "Unit", "PC", "Note"});
        m_pane.resize(860, 620);
        m_pane.show();
    }
    TimelinePane& pane() { return m_pane; }

private:
    TimelinePane m_pane;
};

void BM_TimelineListsTenThousandEntries(benchmark::State& state) {
    ShownPane shown;
    const std::vector<LibraryEntry> entries = listedEntries();
    for (auto _ : state) {
        shown.pane().setEntries(entries);
        shown.pane().list()->viewport()->repaint();
    }
    state.counters["rows"] = static_cast<double>(shown.pane().model().rowCount());
}
BENCHMARK(BM_TimelineListsTenThousandEntries)->Unit(benchmark::kMillisecond);

void BM_TimelineFiltersTenThousandEntriesByText(benchmark::State& state) {
    ShownPane shown;
    shown.pane().setEntries(listedEntries());
    auto* text = shown.pane().findChild<QLineEdit*>("EditTimelineFilter");
    for (auto _ : state) {
        text->setText("run 5");
        shown.pane().list()->viewport()->repaint();
        text->setText("");
        shown.pane().list()->viewport()->repaint();
    }
}
BENCHMARK(BM_TimelineFiltersTenThousandEntriesByText)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kordana
