// The 3D map view's share of a commit tail while it is open: the surface data of one injection
// map built from the image (the graph's drawing is the display's, not measured here).
#include "map3d/MapSurfaceData.h"
#include "params/DefaultSet.h"

#include <benchmark/benchmark.h>

namespace kordana {
namespace {

void BM_MapSurfaceData(benchmark::State& state) {
    ParameterImage image;
    applyDefaultSet(image);
    for (auto _ : state) {
        benchmark::DoNotOptimize(mapSurfaceData(image, 3));
    }
}
BENCHMARK(BM_MapSurfaceData);

} // namespace
} // namespace kordana
