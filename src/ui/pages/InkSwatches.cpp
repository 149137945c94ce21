#include "ui/pages/InkSwatches.h"

#include "color/InkPalette.h"

#include <algorithm>

namespace vel::ui {

std::vector<SwatchRect> SwatchRects(int width, int height, int inkCount)
{
    std::vector<SwatchRect> rects;
    if (inkCount <= 0)
        return rects;
    const float share = float(width - 2) / float(inkCount);
    for (int i = 0; i < inkCount; ++i)
        rects.push_back({int(float(i) * share + 2), 2, int(float(i + 1) * share + 2), height});
    return rects;
}

int SwatchAt(int x, int y, int width, int height, int inkCount)
{
    if (inkCount <= 0 || x <= 2 || y <= 2 || x >= width - 2 || y >= height - 2)
        return -1;
    // The swatch drawn under the point, so that a click lands on what it
    // shows up to the strip's right end.
    const auto rects = SwatchRects(width, height, inkCount);
    for (int i = 0; i < inkCount; ++i)
        if (x >= rects[size_t(i)].Left && x < rects[size_t(i)].Right)
            return i;
    return -1;
}

InkColor ContrastColor(InkColor ink)
{
    // Rec. 601 luma in integers.
    const int luma = (299 * ink.R + 587 * ink.G + 114 * ink.B) / 1000;
    return luma >= 128 ? InkColor{0, 0, 0} : InkColor{255, 255, 255};
}

bool CheckerIsGrey(int x, int y)
{
    return ((x / InkCheckerSquare) + (y / InkCheckerSquare)) % 2 == 0;
}

bool InkEditor::Interactive(bool paletteInteraction, uint8_t colorSchema, bool pickingScreen)
{
    return paletteInteraction && ColorSchemaKind(colorSchema) != ColorSchemaKind::InitialColors &&
           !pickingScreen;
}

SwatchAnswer InkEditor::LeftDown(int swatch, bool interactive)
{
    if (!interactive || swatch < 0)
        return {};
    const bool again = ActiveInk == swatch;
    ActiveInk = uint8_t(swatch);
    return {true, again && !ChooserOpen, false};
}

SwatchAnswer InkEditor::RightDown(int swatch, bool interactive)
{
    if (!interactive || swatch < 0)
        return {};
    ActiveInk = uint8_t(swatch);
    return {true, !ChooserOpen, false};
}

SwatchAnswer InkEditor::ButtonUp(int swatch, bool interactive)
{
    if (!interactive || swatch < 0)
        return {};
    ActiveInk = uint8_t(swatch);
    return {true, false, true};
}

void InkEditor::KeepWithin(int inkCount)
{
    if (inkCount > 0 && ActiveInk >= inkCount)
        ActiveInk = uint8_t(inkCount - 1);
}

void ApplyInkColor(ParameterBlock& block, PrintState& state, int ink, InkColor color)
{
    SetInkColor(state, block, ink, color);
}

int RemoveActiveInk(ParameterBlock& block, PrintState& state, InkEditor& editor)
{
    // Only a custom palette can lose an ink, and never its last one: the
    // removal would be recorded without an ink going away.
    const int ink = editor.ActiveInk;
    const int before = state.Inks.InkCount;
    if (ColorSchemaKind(block.ColorSchema) == ColorSchemaKind::CustomPalette && before > 1 && ink < before &&
        RemoveInk(state, block, ink) < before) {
        // The next derivation replays the removal on a new extraction and
        // then adds the adjustments by position: the later inks' adjustments
        // and extracted colours move down with them, so that each keeps the
        // colour it shows now and a colour chosen before that derivation is
        // measured from the right base.
        InkColor* extracted = state.Palette.ExtractedColors;
        std::copy(extracted + ink + 1, extracted + MaxInks, extracted + ink);
        int32_t* add = block.PaletteColorADD;
        std::copy(add + 3 * (ink + 1), add + 3 * MaxInks, add + 3 * ink);
        std::fill(add + 3 * (MaxInks - 1), add + 3 * MaxInks, 0);
    }
    editor.KeepWithin(state.Inks.InkCount);
    return state.Inks.InkCount;
}

void PreviewPickedColor(PrintState& state, const InkEditor& editor, InkColor color)
{
    if (editor.PickingScreen && editor.ActiveInk < state.Inks.InkCount && editor.ActiveInk < MaxInks)
        state.Palette.Inks[editor.ActiveInk] = color;
}

void CancelScreenPicking(const ParameterBlock& block, PrintState& state, InkEditor& editor)
{
    editor.PickingScreen = false;
    // As the next render would: the count from NInks, the colours from the
    // block's adjustments (removals replay on the extraction).
    state.Inks.InkCount = uint8_t(block.NInks & 0xFF);
    MarkPaletteStale(state);
    DerivePalette(state, block);
    editor.KeepWithin(state.Inks.InkCount);
}

void FinishScreenPicking(ParameterBlock& block, PrintState& state, InkEditor& editor, InkColor color)
{
    ApplyInkColor(block, state, editor.ActiveInk, color);
    editor.PickingScreen = false;
}

} // namespace vel::ui
