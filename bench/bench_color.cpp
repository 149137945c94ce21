// The colour stages of a render on a 1 MP working area: palette extraction
// from the analysis sample, printing one ink, and the emboss relief.

#include "color/Emboss.h"
#include "color/InkPalette.h"
#include "color/InkPrinting.h"
#include "engine/RenderState.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr int Width = 1200, Height = 850;

void Fill(vel::Plane<uint8_t>& plane, int width, int height, int channels, int seed)
{
    plane.Allocate(width, height, channels);
    uint8_t* p = plane.Data();
    for (size_t i = 0; i < plane.Count(); ++i)
        p[i] = uint8_t((i * 2654435761u + unsigned(seed)) >> 13);
}

vel::ParameterBlock Defaults()
{
    vel::ParameterBlock params{};
    vel::ResetWindowGeometry(params);
    return params;
}

void BM_CustomPalette(benchmark::State& bench)
{
    vel::ParameterBlock params = Defaults();
    params.ColorSchema = uint8_t(vel::ColorSchemaKind::CustomPalette);
    params.NInks = 4;
    vel::RenderState state;
    Fill(state.AnalysisSample, 512, 512, 4, 1);
    for (auto _ : bench) {
        vel::InvalidateAnalysis(state);
        state.Inks.InkCount = 4;
        vel::DerivePalette(state, params);
    }
}
BENCHMARK(BM_CustomPalette)->Unit(benchmark::kMillisecond);

void BM_ApplyInk(benchmark::State& bench)
{
    vel::ParameterBlock params = Defaults();
    vel::RenderState state;
    state.WorkWidth = Width;
    state.WorkHeight = Height;
    Fill(state.OutputPlane, Width, Height, 4, 2);
    Fill(state.SourcePlane, Width, Height, 4, 3);
    vel::Plane<uint8_t> coverage;
    Fill(coverage, Width, Height, 1, 4);
    state.Inks.InkCount = 1;
    vel::DerivePalette(state, params);
    for (auto _ : bench)
        vel::ApplyInk(state, params, coverage, 0);
}
BENCHMARK(BM_ApplyInk)->Unit(benchmark::kMillisecond);

void BM_EmbossRelief(benchmark::State& bench)
{
    vel::RenderState state;
    state.WorkWidth = Width;
    state.WorkHeight = Height;
    Fill(state.InkMaskPlane, Width, Height, 1, 5);
    Fill(state.OutputPlane, Width, Height, 4, 6);
    state.EmbossPlane.Allocate(Width, Height);
    state.EmbossOn = true;
    for (auto _ : bench) {
        std::memset(state.EmbossPlane.Data(), 127, state.EmbossPlane.Bytes());
        vel::AccumulateRelief(state, 60.0f, 45.0f, 45.0f);
        vel::ApplyEmboss(state);
    }
}
BENCHMARK(BM_EmbossRelief)->Unit(benchmark::kMillisecond);

} // namespace
