#include "engine/RenderDriver.h"

#include "color/Emboss.h"
#include "color/InkPalette.h"
#include "color/Paper.h"
#include "engine/DiskTable.h"
#include "engine/LayerPass.h"
#include "engine/PixelTransfer.h"
#include "platform/Alert.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vel {
namespace {

constexpr int SampleLimit = 512;

bool IsRenderableMode(int32_t mode)
{
    switch (ImageMode(mode)) {
    case ImageMode::Rgb:
    case ImageMode::Rgb48:
    case ImageMode::Cmyk:
    case ImageMode::Cmyk64: return true;
    default: return false;
    }
}

HostImage DescribeHost(RenderHost& host)
{
    HostImage image = host.Describe();
    if (image.Depth == 0)
        image.Depth = 8;
    return image;
}

void FreeWorkingPlanes(RenderState& state)
{
    for (Plane<uint8_t>* plane : {&state.OutputPlane, &state.SourcePlane, &state.EngravePlane, &state.DensityPlane,
                                  &state.FinePlane, &state.CombineMask, &state.InkMaskPlane, &state.EmbossPlane,
                                  &state.EdgePlane, &state.CapturePlane})
        plane->Release();
}

bool PrepareEmbossPlane(RenderState& state, const ParameterBlock& params)
{
    state.EmbossOn = params.EmbossDepth != 0;
    if (!state.EmbossOn)
        return true;
    if (!state.EmbossPlane && !state.EmbossPlane.Allocate(state.WorkWidth, state.WorkHeight))
        state.EmbossOn = false; // the render goes on without emboss
    else
        std::memset(state.EmbossPlane.Data(), 127, state.EmbossPlane.Bytes());
    return true;
}

bool PrepareInkLayer(RenderState& state, const ParameterBlock& params)
{
    state.InkLayerOn = false;
    if (!(params.InksOpacity + 100.0f > 100.0f))
        return true;
    if (!state.InkLayerPlane.Allocate(state.WorkWidth, state.WorkHeight, 3)) {
        ShowAlert(WorkingMemoryMessage);
        return false;
    }
    std::memset(state.InkLayerPlane.Data(), 255, state.InkLayerPlane.Bytes());
    state.InkLayerOn = true;
    return true;
}

} // namespace

std::vector<PassStep> PlanPasses(const RenderState& state, const ParameterBlock& params)
{
    ViewMode view = CurrentView(state);
    if (params.LayerTwoExist && state.AlwaysComposite &&
        (view == ViewMode::LayerOne || view == ViewMode::LayerTwo))
        view = ViewMode::Composite;
    const auto interfere = LayerInteraction(params.Interfere);
    bool interact = params.Interfere > 0 && params.LayerTwoExist;

    int first = 0;
    int last = params.LayerTwoExist ? 1 : 0;
    if (view == ViewMode::LayerTwo || view == ViewMode::LayerOne) {
        first = last = view == ViewMode::LayerTwo ? 1 : 0;
        interact = false;
    }
    const bool interfereOrCross = interfere == LayerInteraction::Interfere || interfere == LayerInteraction::Cross;

    std::vector<PassStep> plan;
    auto addInks = [&](int layer, bool capture) {
        for (int ink = 0; ink < state.Inks.InkCount; ++ink)
            plan.push_back({layer, ink, capture, interact});
    };
    // Interfere and Cross combine layer two with a captured layer one; the
    // other modes combine layer one with a captured layer two.
    if (interact && interfereOrCross)
        addInks(0, true);
    for (int layer = last; layer >= first; --layer) {
        bool capture = false;
        if (interact) {
            if (interfereOrCross) {
                if (layer == first)
                    interact = false;
            } else {
                capture = layer == last;
            }
        }
        addInks(layer, capture);
    }
    return plan;
}

namespace {

void RunPasses(RenderState& state, const ParameterBlock& params)
{
    for (const PassStep& step : PlanPasses(state, params)) {
        state.CapturePass = step.Capture;
        state.InteractPass = step.Interact;
        LayerPass(state, params, step.Layer, step.Ink);
    }
    state.CapturePass = false;
    state.InteractPass = false;
}

} // namespace

ViewMode CurrentView(const RenderState& state) { return state.DialogUp ? state.View : ViewMode::Composite; }

void RefreshInkCount(RenderState& state, const ParameterBlock& params)
{
    if (state.Inks.PaletteValid)
        return;
    state.Inks.InkCount = uint8_t(params.NInks & 0xFF);
    DerivePalette(state, params);
}

bool PrepareFullSource(RenderState& state, RenderHost& host, int16_t& result, int16_t* hostAnswer)
{
    if (state.SourceLoaded)
        return true;
    HostImage image = DescribeHost(host);
    state.FilterWidth = image.FilterWidth;
    state.FilterHeight = image.FilterHeight;
    if (!state.FullSource.Allocate(state.FilterWidth, state.FilterHeight, 4)) {
        ShowAlert(WorkingMemoryMessage);
        result = UserCanceledErr;
        return false;
    }
    result = host.RequestWholeImage();
    if (hostAnswer)
        *hostAnswer = result;
    image = DescribeHost(host);
    if (!image.Input.Data) {
        ShowAlert(HostMemoryMessage);
        result = UserCanceledErr;
        return false;
    }
    ReadFullSource(state, image, host.Converter());
    state.SourceLoaded = true;
    return true;
}

void BuildPaletteSample(RenderState& state)
{
    if (!state.SourceLoaded || !state.FullSource)
        return;
    const int width = std::min(state.FilterWidth, SampleLimit);
    const int height = std::min(state.FilterHeight, SampleLimit);
    if (!state.AnalysisSample.Allocate(width, height, 4))
        return;
    const float stepX = float(state.FilterWidth) / float(width);
    const float stepY = float(state.FilterHeight) / float(height);
    for (int r = 0; r < height; ++r) {
        const int sy = std::min(int(float(r) * stepY), state.FullSource.Height() - 1);
        const uint8_t* source = state.FullSource.Row(sy);
        uint8_t* out = state.AnalysisSample.Row(r);
        for (int c = 0; c < width; ++c) {
            const int sx = std::min(int(float(c) * stepX), state.FullSource.Width() - 1);
            std::memcpy(out + 4 * c, source + 4 * sx, 3);
        }
    }
}

bool PrepareWorkingPlanes(RenderState& state, RenderHost& host)
{
    ReportProgress(state, 0, 100);
    const HostImage image = DescribeHost(host);
    state.WorkWidth = image.OutWidth;
    state.WorkHeight = image.OutHeight;
    state.IsCMYK = IsCmykMode(image.Mode);
    state.HasTransparency = image.Planes > (state.IsCMYK ? 4 : 3);
    state.FilterWidth = image.FilterWidth;
    state.FilterHeight = image.FilterHeight;

    DropPaperTexture(state);
    FreeWorkingPlanes(state);
    state.FineWidth = 3 * state.WorkWidth;
    state.FineHeight = 3 * state.WorkHeight;
    // Without the fine plane the layer pass works at working scale.
    state.FinePlane.Allocate(state.FineWidth, state.FineHeight);
    const bool created = state.SourcePlane.Allocate(state.WorkWidth, state.WorkHeight, 4) &&
                         state.OutputPlane.Allocate(state.WorkWidth, state.WorkHeight, 4) &&
                         state.EngravePlane.Allocate(state.WorkWidth, state.WorkHeight) &&
                         state.DensityPlane.Allocate(state.WorkWidth, state.WorkHeight);
    if (!created) {
        FreeWorkingPlanes(state);
        ShowAlert(WorkingMemoryMessage);
        return false;
    }
    FillSourcePlane(state, image, host.Converter());
    ReportProgress(state, 5, 100);
    ReportProgress(state, 10, 100);
    return true;
}

bool RunLayers(RenderState& state, const ParameterBlock& params)
{
    state.Random.State = 0;
    RefreshInkCount(state, params);
    PrepareDiskTable(state);
    PreparePaper(state, params, state.PapersFolder);
    PrepareEmbossPlane(state, params);
    if (!PrepareInkLayer(state, params))
        return false;

    RunPasses(state, params);

    if (state.InkLayerOn) {
        state.InkLayerPlane.Release();
        state.InkLayerOn = false;
    }
    if (state.EmbossOn)
        ApplyEmboss(state);
    return true;
}

void Release(RenderState& state)
{
    FreeWorkingPlanes(state);
    state.FullSource.Release();
    state.AnalysisSample.Release();
    state.InkLayerPlane.Release();
    DropPaperTexture(state);
    state.SourceLoaded = false;
    InvalidateAnalysis(state);
}

int16_t RenderOutcome::Code() const
{
    switch (Result) {
    case RenderResult::Rendered:
    case RenderResult::OriginalView:
        return NoErr;
    case RenderResult::WrongMode:
        return FilterBadModeErr;
    case RenderResult::NoMemory:
        return MemFullErr;
    case RenderResult::NoSource:
        return HostError != NoErr ? HostError : MemFullErr;
    }
    return NoErr;
}

namespace {

// Progress of a render without the dialog goes to the host, in whole steps.
void HostProgress(void* context, float done, float total)
{
    static_cast<RenderHost*>(context)->Progress(int32_t(std::max(done, 0.0f)),
                                                int32_t(std::max(total, 0.0f)));
}

} // namespace

RenderOutcome RenderImage(RenderState& state, const ParameterBlock& params, RenderHost& host)
{
    const ProgressSink dialogProgress = state.Progress;
    if (!state.DialogUp)
        state.Progress = {HostProgress, &host};
    const HostImage image = DescribeHost(host);
    RenderOutcome outcome;
    if (!IsRenderableMode(image.Mode)) {
        ShowAlert(WrongModeMessage);
        outcome.Result = RenderResult::WrongMode;
    } else if (CurrentView(state) == ViewMode::Original) {
        outcome.Result = RenderResult::OriginalView;
    } else {
        state.IsCMYK = IsCmykMode(image.Mode);
        bool rendered = false;
        if (state.DialogUp) {
            rendered = RunLayers(state, params);
        } else {
            state.WorkOffsetX = state.WorkOffsetY = 0;
            state.PreviewScale = 1.0f;
            state.SourceLoaded = false;
            int16_t ignored = NoErr;
            int16_t hostAnswer = NoErr;
            if (PrepareFullSource(state, host, ignored, &hostAnswer)) {
                BuildPaletteSample(state);
                state.Inks.InkCount = uint8_t(params.NInks & 0xFF);
                state.Inks.PaletteValid = false;
                state.Inks.NeedNewHistogram = true;
                RefreshInkCount(state, params);
                rendered = PrepareWorkingPlanes(state, host) && RunLayers(state, params);
            } else if (state.FullSource) {
                outcome.Result = RenderResult::NoSource;
                outcome.HostError = hostAnswer;
            }
        }
        if (!rendered && outcome.Result == RenderResult::Rendered)
            outcome.Result = RenderResult::NoMemory;
    }
    HostImage current = DescribeHost(host);
    if (!outcome.Rendered() && !current.Input.Data) {
        host.RequestWholeImage(); // the pass-through needs the source
        current = DescribeHost(host);
    }
    if (outcome.Rendered())
        WriteBackOutput(state, current, host.Converter());
    else
        PassThrough(state, current, host.Converter());
    if (!state.DialogUp)
        Release(state);
    ReportProgress(state, 0, 100);
    state.Progress = dialogProgress;
    return outcome;
}

void ApplyParameterChanges(RenderState& state, const ParameterChanges& changes)
{
    if (changes.PaperNameChanged)
        DropPaperTexture(state);
    if (changes.PaletteStale)
        MarkPaletteStale(state);
    if (changes.TablesStale)
        state.TablesReady = false;
}

} // namespace vel
