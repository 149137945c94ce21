// The radial and iso-line patterns, the coverage field and the edge effects
// on a 1000 × 1000 working area (a 3000 × 3000 fine plane).

#include "engine/Coverage.h"
#include "engine/DiskTable.h"
#include "engine/Edges.h"
#include "engine/LineField.h"
#include "engine/Modulation.h"
#include "engine/RenderState.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr int W = 1000, H = 1000;

// A render state with the working planes of a 1 MP picture and a density
// of diagonal bands; false when the memory is missing.
bool PrepareState(vel::RenderState& render, benchmark::State& state)
{
    render.WorkWidth = render.FilterWidth = W;
    render.WorkHeight = render.FilterHeight = H;
    render.FineWidth = 3 * W;
    render.FineHeight = 3 * H;
    if (!render.FinePlane.Allocate(3 * W, 3 * H) || !render.EngravePlane.Allocate(W, H, 4) ||
        !render.DensityPlane.Allocate(W, H, 4)) {
        state.SkipWithError("no memory for the planes");
        return false;
    }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            render.DensityPlane.Data()[size_t(y) * W + x] = uint8_t((x / 8 + y / 6) % 256);
    vel::PrepareDiskTable(render);
    return true;
}

vel::LayerParameters DefaultLayer()
{
    vel::ParameterBlock block{};
    vel::ResetToDefaults(block);
    return block.Layers[0];
}

void Pattern(benchmark::State& state, vel::PatternGeometry geometry)
{
    vel::RenderState render;
    if (!PrepareState(render, state))
        return;
    vel::LayerParameters layer = DefaultLayer();
    layer.Geometry = uint8_t(geometry);
    for (auto _ : state) {
        render.Random = {};
        vel::PrepareModulation(render, layer);
        benchmark::DoNotOptimize(vel::LineField(render, layer, 0));
    }
}

void CoverageField(benchmark::State& state)
{
    vel::RenderState render;
    if (!PrepareState(render, state))
        return;
    vel::LayerParameters layer = DefaultLayer();
    layer.Coverage = 60;
    for (auto _ : state) {
        std::memset(render.EngravePlane.Data(), 200, size_t(W) * H);
        vel::ApplyCoverage(render, layer);
    }
}

void Edges(benchmark::State& state, vel::EdgeKind kind)
{
    vel::RenderState render;
    if (!PrepareState(render, state))
        return;
    vel::LayerParameters layer = DefaultLayer();
    layer.Geometry = uint8_t(vel::PatternGeometry::Lines);
    layer.EdgeType = uint8_t(kind);
    layer.EdgeWidth = 60;
    const bool fine = kind == vel::EdgeKind::Doubles;
    vel::Plane<uint8_t>& plane = fine ? render.FinePlane : render.EngravePlane;
    const int width = fine ? 3 * W : W, height = fine ? 3 * H : H;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            plane.Data()[size_t(y) * width + x] = (x + 2 * y) % 15 < 5 ? 255 : 0;
    for (auto _ : state)
        vel::ApplyEdges(render, plane, width, height, layer, 0);
}

BENCHMARK_CAPTURE(Pattern, RingsWaves2, vel::PatternGeometry::RingsWaves2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Pattern, BoxWave1, vel::PatternGeometry::BoxWave1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Pattern, IsoLines1, vel::PatternGeometry::IsoLines1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Pattern, IsoLines2, vel::PatternGeometry::IsoLines2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(CoverageField)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Edges, Nodules, vel::EdgeKind::Nodules)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Edges, Bruise, vel::EdgeKind::Bruise)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Edges, Doubles, vel::EdgeKind::Doubles)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
