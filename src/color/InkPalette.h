#pragma once
// The ink colours a render prints, derived for the colour schema: fixed
// bases for "Monotone", "CMYK palette" and "RGB palette", colours extracted
// from the analysis sample for "Custom palette", each plus the signed
// per-channel adjustments the parameter block stores. The ink count and the
// freshness flags live in InkState.

#include "color/ColorHistogram.h"
#include "color/InkColor.h"
#include "color/InkState.h"
#include "params/ParameterBlock.h"

namespace vel {

struct PrintState;

struct InkPalette {
    InkColor Inks[MaxInks];                          // colour of each ink in use, ink 0 first
    InkColor ExtractedColors[MaxInks];               // "Custom palette" colours before adjustments
    int HistogramMax = 255;                          // largest channel value of the counted colours
    ColorHistogram Histogram;                        // cached while the dialog is open
    ExtractedColor ExtractedList[ExtractedListSize]; // the last median cut
};

// Ink counts from NInks (a preset or script may store anything) limited to
// what the palette can hold.
constexpr uint8_t LimitInkCount(int count)
{
    return count < 1 ? 1 : count > MaxInks ? MaxInks : uint8_t(count);
}

// An entry of RemovedColors that names a removed ink.
constexpr bool HoldsRemovedInk(uint8_t entry)
{
    return entry < MaxInks;
}

// Brings InkCount and the ink colours up to date unless PaletteValid. The
// caller sets InkCount to the low byte of NInks first. The histogram is
// kept for the next derivation only while the dialog is up. Leaves the
// palette invalid when memory for the analysis is missing (after an alert).
void DerivePalette(PrintState& state, const ParameterBlock& params);

// A new analysis sample (or none): the next derivation analyses it again.
void InvalidateAnalysis(PrintState& state);

// The parameters changed (schema, ink count, reset): derive again, rerunning
// the extraction on the cached histogram.
void MarkPaletteStale(PrintState& state);

// Gives ink `ink` the colour at once and stores the colour as the schema's
// adjustment from the ink's base colour. Ignored for "Initial colors" and
// for inks the schema does not have.
void SetInkColor(PrintState& state, ParameterBlock& params, int ink, InkColor color);

// Records the removal of ink `ink` in RemovedColors (while an entry is free)
// and deletes it from the live palette. Returns the new InkCount.
int RemoveInk(PrintState& state, ParameterBlock& params, int ink);

// Deletes ink `ink` of a "Custom palette" with more than one ink, moving the
// later inks down; otherwise changes nothing.
void DeleteInk(InkPalette& palette, InkState& inks, uint8_t schema, int ink);

} // namespace vel
