// Whole renders of generated pictures with the default parameters, and the
// layer pass's own stages (tone shaping, reduction).

#include "engine/LayerPass.h"
#include "engine/RenderDriver.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

class PictureHost : public vel::RenderHost {
public:
    PictureHost(int width, int height) : width_(width), height_(height), input_(size_t(width) * height * 3)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                uint8_t* p = &input_[(size_t(y) * width + x) * 3];
                p[0] = uint8_t(255 * x / width);
                p[1] = uint8_t(255 * y / height);
                p[2] = uint8_t((x ^ y) & 255);
            }
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

void Render(benchmark::State& bench, int width, int height)
{
    vel::ParameterBlock params{};
    vel::ResetWindowGeometry(params);
    PictureHost host(width, height);
    for (auto _ : bench) {
        vel::RenderState state;
        benchmark::DoNotOptimize(vel::RenderImage(state, params, host));
    }
    bench.SetItemsProcessed(bench.iterations() * int64_t(width) * height);
}

void BM_Render1MP(benchmark::State& bench) { Render(bench, 1200, 850); }
void BM_Render6MP(benchmark::State& bench) { Render(bench, 3000, 2000); }
BENCHMARK(BM_Render1MP)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Render6MP)->Unit(benchmark::kMillisecond)->Iterations(3);

// The fine plane of a 1 MP working area.
constexpr int WorkWidth = 1200, WorkHeight = 850;

void BM_ToneShaping(benchmark::State& bench)
{
    std::vector<uint8_t> fine(size_t(WorkWidth) * 3 * WorkHeight * 3), density(size_t(WorkWidth) * WorkHeight);
    for (size_t i = 0; i < fine.size(); ++i)
        fine[i] = uint8_t(i * 31);
    for (size_t i = 0; i < density.size(); ++i)
        density[i] = uint8_t(i * 7);
    auto table = std::make_unique<vel::ToneTable>();
    for (auto _ : bench) {
        vel::BuildToneTable(*table, 0.0f);
        vel::ShapeTone(fine.data(), WorkWidth * 3, WorkHeight * 3, density.data(), WorkWidth, 3, *table);
        benchmark::DoNotOptimize(fine.data());
    }
}
BENCHMARK(BM_ToneShaping)->Unit(benchmark::kMillisecond);

void BM_Reduction(benchmark::State& bench)
{
    std::vector<uint8_t> fine(size_t(WorkWidth) * 3 * WorkHeight * 3, 100), work(size_t(WorkWidth) * WorkHeight);
    for (auto _ : bench) {
        vel::ReduceFine(fine.data(), WorkWidth, WorkHeight, work.data());
        benchmark::DoNotOptimize(work.data());
    }
}
BENCHMARK(BM_Reduction)->Unit(benchmark::kMillisecond);

} // namespace
