// Quick programming of one Plus step in the window, against kordana-unit-sim on a
// pseudo-terminal with the fast link: from the commit (Tools > Plus) to the verified last block,
// on the window's own 55 ms timer. Counters: frames taken in during the 300 ms after the run
// (live data resume at once) and the blocks the run sent.
#include "BenchWindow.h"

#include "features/unit/UnitFeature.h"
#include "link/LinkProtocol.h"
#include "shell/EventHub.h"
#include "tools/unit-sim/UnitSimProcess.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTabWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>

namespace kordana {
namespace {

struct QuickBench {
    UnitSimProcess unit;
    QTemporaryDir dir;
    TFormHlav* form = nullptr;
};

// Runs the window's event loop (its timer ticks the link) until done() or limitMs have passed.
template <class Done>
bool runUntil(Done done, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return done();
}

LinkProtocol& linkOf(TFormHlav& form) {
    return form.feature<UnitFeature>()->link();
}

bool settled(TFormHlav& form) {
    const LinkProtocol& link = linkOf(form);
    return link.mode() == LinkMode::Idle && !link.awaitingSaving() && !link.programPending();
}

// A window on the simulated unit with the fast link, quick programming and programming after
// change on, and the unit's copy known after a full programming run.
// replyMs: the unit's reply time; 35 ms is about one exchange of two frames at 57600 baud.
QuickBench* quickBench(int replyMs) {
    static std::map<int, QuickBench*> benches;
    QuickBench*& bench = benches[replyMs];
    if (bench != nullptr) {
        return bench;
    }
    bench = [replyMs] {
        auto* made = new QuickBench;
        if (!made->unit.start({"--saving-ms", "300", "--reply-ms", std::to_string(replyMs)})) {
            return made;
        }
        const QString config = made->dir.path() + "/kordana";
        QDir().mkpath(config);
        writeFileAtomically(config + "/Kordana_R_2006.ini",
                            "[PORTS]\nCOM1=" + made->unit.devicePath() +
                                "\n[FORM_HLAV]\nComPort=1\n[KORDANA]\nFastLink=1\n"
                                "QuickProgramming=1\n");
        made->form = new TFormHlav(QStringList{}, config, std::make_unique<QuietDesktop>());
        made->form->FormCreate();
        made->form->show();
        childNamed<QTabWidget>(*made->form, "PageControl1")->setCurrentIndex(0);
        childNamed<QCheckBox>(*made->form, "CheckBoxProgHned")->setChecked(true);
        made->form->action("MenuProgram")->trigger();
        runUntil([&] { return linkOf(*made->form).unitCopy() && settled(*made->form); }, 20000);
        return made;
    }();
    return bench;
}

void BM_QuickProgrammingOneCell(benchmark::State& state) {
    QuickBench* bench = quickBench(static_cast<int>(state.range(0)));
    if (bench->form == nullptr || !linkOf(*bench->form).unitCopy()) {
        state.SkipWithError("no simulated unit, or its first programming run failed");
        return;
    }
    TFormHlav& form = *bench->form;
    QAction* plus = form.action("MenuToolsPlus");
    double framesAfter = 0;
    std::uint64_t frames = 0; // this window's frames
    const QMetaObject::Connection counting =
        QObject::connect(&form.hub(), &EventHub::monitorFrameDecoded, &form, [&] { ++frames; });
    double blocks = 0;
    for (auto _ : state) {
        const int starts = form.feature<UnitFeature>()->programmingAfterChangeStarts();
        QElapsedTimer clock;
        clock.start();
        plus->trigger();
        const bool done = runUntil([&] { return linkOf(form).mode() == LinkMode::Idle; }, 5000);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
        if (!done || !linkOf(form).quickRun() ||
            form.feature<UnitFeature>()->programmingAfterChangeStarts() != starts + 1) {
            state.SkipWithError("the run did not end as a quick run");
            return;
        }
        const auto& sent = linkOf(form).runBlocks();
        blocks += static_cast<double>(std::count(sent.begin(), sent.end(), true));
        const std::uint64_t before = frames;
        runUntil([] { return false; }, 300);
        framesAfter += static_cast<double>(frames - before);
        runUntil([&] { return settled(form); }, 5000);
    }
    QObject::disconnect(counting);
    // Back to the tick pace, so this window's live data do not load the benchmarks after it.
    form.action("MenuFastLink")->trigger();
    state.counters["frames_in_300ms_after"] =
        benchmark::Counter(framesAfter, benchmark::Counter::kAvgIterations);
    state.counters["blocks_sent"] = benchmark::Counter(blocks, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_QuickProgrammingOneCell)
    ->Arg(0)
    ->Arg(35)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kordana
