// GaussianSmooth with the layer pass's kernel (11) on a working-size plane
// and on the fine plane of a 3000 × 2000 image.

#include "numeric/GaussianSmooth.h"
#include "platform/PageMemory.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

namespace {

void SmoothInPlace(benchmark::State& state)
{
    const int w = int(state.range(0));
    const int h = int(state.range(1));
    vel::Plane<uint8_t> plane;
    if (!plane.Allocate(w, h)) {
        state.SkipWithError("no memory for the plane");
        return;
    }
    std::mt19937 generator(7);
    for (size_t i = 0; i < plane.Count(); ++i)
        plane.Data()[i] = uint8_t(generator() >> 24);
    for (auto _ : state)
        benchmark::DoNotOptimize(vel::GaussianSmooth(plane.Data(), nullptr, unsigned(w), unsigned(h), 11));
    state.SetItemsProcessed(state.iterations() * int64_t(w) * h);
}

BENCHMARK(SmoothInPlace)
    ->Args({3000, 2000})
    ->Args({9000, 6000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
