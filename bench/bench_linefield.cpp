// LineField with the default layer over a 2000 × 1500 working area: the
// pattern drawn on the 6000 × 4500 fine plane.

#include "engine/DiskTable.h"
#include "engine/LineField.h"
#include "engine/Modulation.h"
#include "engine/RenderState.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

void DefaultLineField(benchmark::State& state)
{
    constexpr int W = 2000, H = 1500;
    vel::RenderState render;
    render.WorkWidth = render.FilterWidth = W;
    render.WorkHeight = render.FilterHeight = H;
    render.FineWidth = 3 * W;
    render.FineHeight = 3 * H;
    if (!render.FinePlane.Allocate(3 * W, 3 * H) || !render.EngravePlane.Allocate(W, H, 4) ||
        !render.DensityPlane.Allocate(W, H, 4)) {
        state.SkipWithError("no memory for the planes");
        return;
    }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            render.DensityPlane.Data()[size_t(y) * W + x] = uint8_t((x / 8 + y / 6) % 256);
    vel::PrepareDiskTable(render);

    vel::ParameterBlock block{};
    vel::ResetToDefaults(block);
    const vel::LayerParameters& layer = block.Layers[0];
    for (auto _ : state) {
        render.Random = {};
        vel::PrepareModulation(render, layer);
        benchmark::DoNotOptimize(vel::LineField(render, layer, 0));
    }
}

BENCHMARK(DefaultLineField)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
