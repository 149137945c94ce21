// Whole renders of generated pictures with the default parameters, and the
// layer pass's stages one by one, at 1 MP (1200 × 850) and 6 MP
// (3000 × 2000) with 1 and 2 threads. The last argument of every benchmark
// is the thread count: BM_Render/6/2 is the 6 MP render with two threads.

#include "color/InkPrinting.h"
#include "color/InkSeparation.h"
#include "engine/DiskTable.h"
#include "engine/LayerPass.h"
#include "engine/LineField.h"
#include "engine/Modulation.h"
#include "engine/RenderDriver.h"
#include "numeric/GaussianSmooth.h"
#include "platform/Threads.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

struct Size {
    int Width, Height;
};

// The picture sizes by their megapixels.
Size PictureSize(int64_t megapixels)
{
    return megapixels >= 6 ? Size{3000, 2000} : Size{1200, 850};
}

// Sets the render's thread count for the life of the object.
class ThreadsFor {
  public:
    explicit ThreadsFor(int64_t count) { vel::SetRenderThreads(int(count)); }
    ~ThreadsFor() { vel::SetRenderThreads(0); }
};

uint8_t PictureValue(int x, int y, int width, int height, int c)
{
    switch (c) {
    case 0:
        return uint8_t(255 * x / width);
    case 1:
        return uint8_t(255 * y / height);
    default:
        return uint8_t((x ^ y) & 255);
    }
}

class PictureHost : public vel::RenderHost {
  public:
    PictureHost(int width, int height) : width_(width), height_(height), input_(size_t(width) * height * 3)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    input_[(size_t(y) * width + x) * 3 + c] = PictureValue(x, y, width, height, c);
        output_ = input_;
    }
    vel::HostImage Describe() override
    {
        vel::HostImage image;
        image.Mode = int32_t(vel::ImageMode::Rgb);
        image.Planes = 3;
        image.FilterWidth = image.OutWidth = width_;
        image.FilterHeight = image.OutHeight = height_;
        image.Input = {input_.data(), width_ * 3};
        image.Output = {output_.data(), width_ * 3};
        return image;
    }
    int16_t RequestWholeImage() override { return 0; }
    vel::ColorConverter* Converter() override { return nullptr; }
    void Progress(int32_t, int32_t) override {}

  private:
    int width_, height_;
    std::vector<uint8_t> input_, output_;
};

void BM_Render(benchmark::State& bench)
{
    const Size size = PictureSize(bench.range(0));
    const ThreadsFor threads(bench.range(1));
    vel::ParameterBlock params{};
    vel::ResetWindowGeometry(params);
    PictureHost host(size.Width, size.Height);
    for (auto _ : bench) {
        vel::RenderState state;
        benchmark::DoNotOptimize(vel::RenderImage(state, params, host));
    }
    bench.SetItemsProcessed(bench.iterations() * int64_t(size.Width) * size.Height);
}
BENCHMARK(BM_Render)
    ->ArgsProduct({{1, 6}, {1, 2}})
    ->ArgNames({"MP", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime();

// A render state holding the planes of one layer pass over the picture: the
// source, the density of the first ink, the fine field and the output.
struct PassPlanes {
    vel::RenderState State;
    vel::ParameterBlock Params{};
    bool Ready = false;

    explicit PassPlanes(Size size)
    {
        vel::ResetWindowGeometry(Params);
        vel::RenderState& s = State;
        s.WorkWidth = s.FilterWidth = size.Width;
        s.WorkHeight = s.FilterHeight = size.Height;
        s.FineWidth = 3 * size.Width;
        s.FineHeight = 3 * size.Height;
        Ready = s.SourcePlane.Allocate(size.Width, size.Height, 4) &&
                s.OutputPlane.Allocate(size.Width, size.Height, 4) &&
                s.DensityPlane.Allocate(size.Width, size.Height, 4) &&
                s.EngravePlane.Allocate(size.Width, size.Height, 4) &&
                s.FinePlane.Allocate(s.FineWidth, s.FineHeight);
        if (!Ready)
            return;
        for (int y = 0; y < size.Height; ++y)
            for (int x = 0; x < size.Width; ++x) {
                uint8_t* p = s.SourcePlane.Row(y) + 4 * x;
                for (int c = 0; c < 3; ++c)
                    p[c] = PictureValue(x, y, size.Width, size.Height, c);
                p[3] = 255;
            }
        std::fill(s.OutputPlane.Data(), s.OutputPlane.Data() + s.OutputPlane.Count(), uint8_t(255));
        s.Inks.InkCount = 1;
        vel::PrepareDiskTable(s);
        vel::SeparateInk(s, Params, 0, 0);
    }
};

enum class Stage { Separation, LineField, Smoothing, ToneShaping, Reduction, Printing };

void RunStage(benchmark::State& bench, Stage stage)
{
    const Size size = PictureSize(bench.range(0));
    const ThreadsFor threads(bench.range(1));
    auto planes = std::make_unique<PassPlanes>(size);
    if (!planes->Ready) {
        bench.SkipWithError("no memory for the planes");
        return;
    }
    vel::RenderState& s = planes->State;
    const vel::LayerParameters& layer = planes->Params.Layers[0];
    auto table = std::make_unique<vel::ToneTable>();
    for (auto _ : bench) {
        switch (stage) {
        case Stage::Separation:
            vel::SeparateInk(s, planes->Params, 0, 0);
            break;
        case Stage::LineField:
            s.Random = {};
            vel::PrepareModulation(s, layer);
            vel::LineField(s, layer, 0);
            break;
        case Stage::Smoothing:
            vel::GaussianSmooth(s.FinePlane.Data(), nullptr, unsigned(s.FineWidth), unsigned(s.FineHeight),
                                11);
            break;
        case Stage::ToneShaping:
            vel::BuildToneTable(*table, layer.Threshold);
            vel::ShapeTone(s.FinePlane.Data(), s.FineWidth, s.FineHeight, s.DensityPlane.Data(), s.WorkWidth,
                           3, *table);
            break;
        case Stage::Reduction:
            vel::ReduceFine(s.FinePlane.Data(), s.WorkWidth, s.WorkHeight, s.EngravePlane.Data());
            break;
        case Stage::Printing:
            vel::ApplyInk(s, planes->Params, s.EngravePlane, 0);
            break;
        }
        benchmark::ClobberMemory();
    }
    bench.SetItemsProcessed(bench.iterations() * int64_t(size.Width) * size.Height);
}

// The stages as benchmarks BM_<stage>/MP:<1|6>/threads:<1|2>.
const bool StagesRegistered = [] {
    const struct {
        const char* Name;
        Stage Step;
    } stages[] = {{"BM_Separation", Stage::Separation}, {"BM_LineField", Stage::LineField},
                  {"BM_Smoothing", Stage::Smoothing},   {"BM_ToneShaping", Stage::ToneShaping},
                  {"BM_Reduction", Stage::Reduction},   {"BM_Printing", Stage::Printing}};
    for (const auto& stage : stages)
        benchmark::RegisterBenchmark(stage.Name,
                                     [step = stage.Step](benchmark::State& bench) { RunStage(bench, step); })
            ->ArgsProduct({{1, 6}, {1, 2}})
            ->ArgNames({"MP", "threads"})
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    return true;
}();

} // namespace
