// One refresh of the dialog's preview: a 1000 × 700 pane over a 24 MP
// picture (6000 × 4000), at 100 % and at the zoom that fits the image into
// the pane. A refresh is what the dialog does for every parameter edit:
// the render driver on the visible area with the dialog up, the write-back
// into the host's output buffer, and the pane's bitmap built from it. The
// area request and the working planes are prepared once, as the dialog does
// when zoom or scroll change.

#include "engine/RenderDriver.h"
#include "ui/preview/PreviewMath.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int ImageWidth = 6000, ImageHeight = 4000;
constexpr int PaneWidth = 1000, PaneHeight = 700;

// A host holding the whole picture that delivers either all of it or the
// visible area at an integer reduction, as a filter host's input rate does.
class PreviewHost : public vel::RenderHost {
  public:
    PreviewHost() : picture_(size_t(ImageWidth) * ImageHeight * 3)
    {
        for (int y = 0; y < ImageHeight; ++y)
            for (int x = 0; x < ImageWidth; ++x) {
                uint8_t* p = &picture_[(size_t(y) * ImageWidth + x) * 3];
                p[0] = uint8_t(255 * x / ImageWidth);
                p[1] = uint8_t(255 * y / ImageHeight);
                p[2] = uint8_t((x / 7 ^ y / 5) & 255);
            }
        RequestWholeImage();
    }

    // The reduced area (in reduced coordinates) at `scale`.
    void RequestArea(const vel::ui::IntRect& area, int scale)
    {
        width_ = area.Width();
        height_ = area.Height();
        input_.assign(size_t(width_) * height_ * 3, 255);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const int sx = std::min((area.Left + x) * scale, ImageWidth - 1);
                const int sy = std::min((area.Top + y) * scale, ImageHeight - 1);
                std::copy_n(&picture_[(size_t(sy) * ImageWidth + sx) * 3], 3,
                            &input_[(size_t(y) * width_ + x) * 3]);
            }
        output_ = input_;
    }

    vel::HostImage Describe() override
    {
        vel::HostImage image;
        image.Mode = int32_t(vel::ImageMode::Rgb);
        image.Planes = 3;
        image.FilterWidth = ImageWidth;
        image.FilterHeight = ImageHeight;
        image.OutWidth = width_;
        image.OutHeight = height_;
        image.Input = {whole_ ? picture_.data() : input_.data(), width_ * 3};
        image.Output = {output_.data(), width_ * 3};
        return image;
    }
    int16_t RequestWholeImage() override
    {
        whole_ = true;
        width_ = ImageWidth;
        height_ = ImageHeight;
        output_.clear();
        return 0;
    }
    void UseArea() { whole_ = false; }
    vel::ColorConverter* Converter() override { return nullptr; }
    void Progress(int32_t, int32_t) override {}
    const std::vector<uint8_t>& Output() const { return output_; }

  private:
    std::vector<uint8_t> picture_, input_, output_;
    int width_ = 0, height_ = 0;
    bool whole_ = true;
};

void Refresh(benchmark::State& bench, bool fit)
{
    vel::ParameterBlock params{};
    vel::ResetWindowGeometry(params);
    PreviewHost host;
    vel::RenderState state;
    int16_t result = 0;
    vel::PrepareFullSource(state, host, result);
    vel::BuildPaletteSample(state);
    state.Inks.InkCount = uint8_t(params.NInks & 0xFF);
    vel::RefreshInkCount(state, params);
    state.DialogUp = true;

    vel::ui::ZoomState zoom;
    vel::ui::PreviewScroll scroll;
    const vel::ui::IntRect filter{0, 0, ImageHeight, ImageWidth};
    vel::ui::IntRect shown =
        vel::ui::ComputeVisibleArea(zoom, scroll, filter, ImageWidth, ImageHeight, PaneWidth, PaneHeight);
    if (fit) {
        vel::ui::ApplyZoomCommand(zoom, vel::ui::ZoomCommand::Fit);
        shown =
            vel::ui::ComputeVisibleArea(zoom, scroll, filter, ImageWidth, ImageHeight, PaneWidth, PaneHeight);
    }
    host.RequestArea(shown, int(zoom.PreviewScale));
    host.UseArea();
    state.PreviewScale = zoom.PreviewScale;
    vel::PrepareWorkingPlanes(state, host);
    const vel::ui::BitmapPlacement placement =
        vel::ui::PlacePreviewBitmap(PaneWidth, PaneHeight, shown.Width(), shown.Height());

    for (auto _ : bench) {
        benchmark::DoNotOptimize(vel::RenderImage(state, params, host));
        const vel::ui::OutputPixels output{host.Output().data(), shown.Width() * 3, 3, 8, false};
        std::vector<uint8_t> bitmap = vel::ui::BuildPreviewPixels(placement, output, nullptr, 0, 0);
        benchmark::DoNotOptimize(bitmap.data());
    }
    bench.counters["scale"] = zoom.PreviewScale;
    bench.counters["area_px"] = double(shown.Width()) * shown.Height();
}

void BM_PreviewRefresh100(benchmark::State& bench)
{
    Refresh(bench, false);
}
void BM_PreviewRefreshFit(benchmark::State& bench)
{
    Refresh(bench, true);
}
BENCHMARK(BM_PreviewRefresh100)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_PreviewRefreshFit)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace
