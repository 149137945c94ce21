#pragma once
// How many inks a render prints and whether the derived palette is current.
// The palette derivation fixes InkCount for the colour schema.

#include "params/ParameterBlock.h"

#include <cstdint>

namespace vel {

struct InkState {
    uint8_t InkCount = 1;         // inks printed, 1..4 once derived
    bool PaletteValid = false;    // the derived palette matches the parameters
    bool NeedNewHistogram = true; // the next derivation analyses the sample again
    bool HistogramFresh = false;  // the histogram was just built (or NInks changed)
    bool PaletteChanged = false;  // the palette differs from the one last shown
};

// After a preset or scripting descriptor overwrote the block: takes the ink
// count from NInks and the schema, marks the palette for derivation, trims
// trailing spaces from PaperName and applies it again through SetPaperName,
// so that the changes returned always ask for the paper texture to be
// reloaded (unless the name is empty).
ParameterChanges ReloadInkState(ParameterBlock& block, InkState& inks);

} // namespace vel
