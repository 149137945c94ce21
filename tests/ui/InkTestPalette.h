#pragma once
// What the ink editor's tests start from: the palette derived for a schema,
// as after a change of schema or ink count, and an analysis sample of three
// vertical bands of strong red, green and blue, from which a custom palette
// extracts two or three distinct inks.

#include "color/InkPalette.h"
#include "color/PrintState.h"

namespace vel::ui {

inline void DeriveInks(ParameterBlock& block, PrintState& state, ColorSchemaKind schema, int inks)
{
    block.ColorSchema = uint8_t(schema);
    block.NInks = inks;
    state.Inks.InkCount = uint8_t(inks);
    MarkPaletteStale(state);
    DerivePalette(state, block);
}

inline bool MakeBandedSample(PrintState& state)
{
    if (!state.AnalysisSample.Allocate(64, 64, 4))
        return false;
    const InkColor colors[] = {{200, 30, 30}, {30, 200, 30}, {30, 30, 200}};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            uint8_t* p = state.AnalysisSample.Row(y) + 4 * x;
            const InkColor c = colors[(x / 16) % 3];
            p[0] = c.R;
            p[1] = c.G;
            p[2] = c.B;
            p[3] = 255;
        }
    return true;
}

} // namespace vel::ui
