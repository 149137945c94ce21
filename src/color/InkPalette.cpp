#include "color/InkPalette.h"

#include "color/ColorMath.h"
#include "color/PaletteExtraction.h"
#include "color/PrintState.h"
#include "platform/Alert.h"

#include <algorithm>
#include <cstring>

namespace vel {

namespace {

// The base colour plus entries 3i..3i+2 of an adjustment array.
InkColor Adjusted(InkColor base, const int32_t* adjustments, int ink)
{
    const int32_t* add = adjustments + 3 * ink;
    return {ClampByte(int64_t(base.R) + add[0]), ClampByte(int64_t(base.G) + add[1]),
            ClampByte(int64_t(base.B) + add[2])};
}

void StoreAdjustment(int32_t* adjustments, int ink, InkColor color, InkColor base)
{
    int32_t* add = adjustments + 3 * ink;
    add[0] = color.R - base.R;
    add[1] = color.G - base.G;
    add[2] = color.B - base.B;
}

// Entry 0 black plus the first adjustment: "Monotone" and one-ink palettes.
void DeriveSingleInk(InkPalette& palette, InkState& inks, const ParameterBlock& params)
{
    inks.InkCount = 1;
    palette.Inks[0] = Adjusted(Black, params.PaletteColorADD, 0);
    palette.ExtractedColors[0] = Black;
}

// "Custom palette". False when the analysis could not get its memory.
bool DeriveCustomPalette(PrintState& state, const ParameterBlock& params)
{
    InkPalette& palette = state.Palette;
    InkState& inks = state.Inks;
    const int wanted = LimitInkCount(inks.InkCount);
    if (HoldsRemovedInk(params.RemovedColors[0]))
        inks.NeedNewHistogram = true; // removals replay on a new extraction
    if (wanted < 2 || !state.AnalysisSample) {
        DeriveSingleInk(palette, inks, params);
        return true;
    }
    if (inks.NeedNewHistogram || !palette.Histogram) {
        palette.HistogramMax = BuildColorHistogram(state.AnalysisSample, palette.Histogram);
        if (palette.HistogramMax < 0) {
            palette.HistogramMax = 255;
            ShowAlert(PaletteMemoryMessage);
            return false;
        }
        inks.NeedNewHistogram = false;
        inks.HistogramFresh = true;
    }
    const int count = std::clamp(palette.Histogram.Size(), 1, wanted);
    if (inks.HistogramFresh) {
        ExtractPalette(palette, inks, params, state.AnalysisSample, count);
    } else {
        std::copy(std::begin(palette.ExtractedColors), std::end(palette.ExtractedColors), palette.Inks);
        inks.InkCount = uint8_t(count);
    }
    for (int i = 0; i < count; ++i)
        palette.Inks[i] = Adjusted(palette.Inks[i], params.PaletteColorADD, i);
    return true;
}

} // namespace

void DerivePalette(PrintState& state, const ParameterBlock& params)
{
    InkState& inks = state.Inks;
    InkPalette& palette = state.Palette;
    if (inks.PaletteValid)
        return;
    const uint8_t countBefore = inks.InkCount;
    InkColor before[MaxInks];
    std::copy(std::begin(palette.Inks), std::end(palette.Inks), before);

    switch (ColorSchemaKind(params.ColorSchema)) {
    case ColorSchemaKind::CustomPalette:
        if (!DeriveCustomPalette(state, params))
            return;
        break;
    case ColorSchemaKind::Monotone:
        DeriveSingleInk(palette, inks, params);
        break;
    case ColorSchemaKind::CmykPalette:
        inks.InkCount = 4;
        for (int i = 0; i < 4; ++i)
            palette.Inks[i] = Adjusted(CmykBase[i], params.PaletteCMYKADD, i);
        break;
    case ColorSchemaKind::RgbPalette:
        inks.InkCount = 3;
        for (int i = 0; i < 3; ++i)
            palette.Inks[i] = Adjusted(RgbBase[i], params.PaletteRGBADD, i);
        break;
    case ColorSchemaKind::InitialColors: // the source's own colours
        inks.InkCount = 1;
        break;
    default: // a schema number no version knows prints like "Monotone"
        DeriveSingleInk(palette, inks, params);
        break;
    }
    if (inks.InkCount != countBefore || !std::equal(before, before + MaxInks, palette.Inks))
        inks.PaletteChanged = true;
    inks.PaletteValid = true;
    if (!state.DialogUp)
        palette.Histogram.Release();
}

void InvalidateAnalysis(PrintState& state)
{
    state.Inks.NeedNewHistogram = true;
    state.Inks.PaletteValid = false;
    state.Palette.Histogram.Release();
    std::fill(std::begin(state.Palette.ExtractedList), std::end(state.Palette.ExtractedList),
              ExtractedColor{});
}

void MarkPaletteStale(PrintState& state)
{
    state.Inks.PaletteValid = false;
    // The cached extraction may have been made for another ink count or
    // removal list, and "Monotone" overwrites its first colour: extract again.
    state.Inks.HistogramFresh = true;
}

void SetInkColor(PrintState& state, ParameterBlock& params, int ink, InkColor color)
{
    InkPalette& palette = state.Palette;
    switch (ColorSchemaKind(params.ColorSchema)) {
    case ColorSchemaKind::Monotone:
    case ColorSchemaKind::CustomPalette:
        if (ink < 0 || ink >= MaxInks)
            return;
        StoreAdjustment(params.PaletteColorADD, ink, color, palette.ExtractedColors[ink]);
        break;
    case ColorSchemaKind::CmykPalette:
        if (ink < 0 || ink >= 4)
            return;
        StoreAdjustment(params.PaletteCMYKADD, ink, color, CmykBase[ink]);
        break;
    case ColorSchemaKind::RgbPalette:
        if (ink < 0 || ink >= 3)
            return;
        StoreAdjustment(params.PaletteRGBADD, ink, color, RgbBase[ink]);
        break;
    default:
        return;
    }
    palette.Inks[ink] = color;
    state.Inks.PaletteValid = false;
    state.Inks.PaletteChanged = true;
}

void DeleteInk(InkPalette& palette, InkState& inks, uint8_t schema, int ink)
{
    if (ColorSchemaKind(schema) != ColorSchemaKind::CustomPalette || ink < 0 || ink >= inks.InkCount ||
        inks.InkCount <= 1)
        return;
    const int count = std::min<int>(inks.InkCount, MaxInks);
    std::copy(palette.Inks + ink + 1, palette.Inks + count, palette.Inks + ink);
    --inks.InkCount;
}

int RemoveInk(PrintState& state, ParameterBlock& params, int ink)
{
    if (ink < 0 || ink >= MaxInks)
        return state.Inks.InkCount;
    uint8_t* const free =
        std::find_if_not(std::begin(params.RemovedColors), std::end(params.RemovedColors), HoldsRemovedInk);
    if (free != std::end(params.RemovedColors))
        *free = uint8_t(ink);
    DeleteInk(state.Palette, state.Inks, params.ColorSchema, ink);
    return state.Inks.InkCount;
}

} // namespace vel
