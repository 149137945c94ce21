#pragma once
// Printing one ink: the engraved coverage plane is laid in the ink's colour
// onto OutputPlane over the paper, blended by "Ink Opacity", and leaves the
// ink's mask for the emboss.

#include "params/ParameterBlock.h"
#include "platform/PageMemory.h"

#include <cstdint>

namespace vel {

struct PrintState;

// Ink channel a printed softly over channel b: a black ink halves what lies
// beneath, a white ink leaves it unchanged.
int SoftDarken(int a, int b);

// Prints `coverage` (WorkWidth × WorkHeight, 0 no ink .. 255 full ink) in ink
// `ink` onto OutputPlane (and onto InkLayerPlane for opaque inks); with the
// emboss on, then accumulates the ink's relief. Does nothing when a plane it
// needs is missing or the ink is not one of the palette's.
void ApplyInk(PrintState& state, const ParameterBlock& params, const Plane<uint8_t>& coverage, int ink);

} // namespace vel
