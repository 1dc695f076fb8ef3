// Start-up of the main window: construction, the creation handler (defaults, settings, cache,
// languages, first refresh, port) and the first paint, in a configuration folder of its own.
#include "BenchWindow.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

void BM_StartupToFirstPaint(benchmark::State& state) {
    QTemporaryDir dir;
    for (auto _ : state) {
        kordana::TFormHlav form({}, dir.path() + "/kordana",
                                std::make_unique<kordana::QuietDesktop>());
        form.FormCreate();
        form.show();
        benchmark::DoNotOptimize(form.grab()); // lays out and paints the whole window
        state.PauseTiming();
        kordana::childNamed<QTimer>(form, "Timer1")->stop();
        form.hide();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
