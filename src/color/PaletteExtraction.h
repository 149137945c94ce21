#pragma once
// The "Custom palette" extraction: from the colour histogram to `count`
// dominant colours, darkest first, with the recorded removals replayed.

#include "color/InkPalette.h"
#include "platform/PageMemory.h"

namespace vel {

// Runs the median cut on palette.Histogram, counts every sample pixel
// against the resulting colours, merges close colours until `count` remain
// and orders them darkest first; then replays RemovedColors. Sets InkCount,
// Inks and ExtractedColors, clears HistogramFresh and sets PaletteChanged.
void ExtractPalette(InkPalette& palette, InkState& inks, const ParameterBlock& params,
                    const Plane<uint8_t>& sample, int count);

} // namespace vel
