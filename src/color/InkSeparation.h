#pragma once
// How much of one ink each source pixel asks for: the density plane of a
// layer pass.

#include "params/ParameterBlock.h"

#include <cstdint>

namespace vel {

struct PrintState;

struct CmykInks {
    uint8_t C;
    uint8_t M;
    uint8_t Y;
    uint8_t K;
};

// Cyan, magenta and yellow as the complements of red, green and blue, with a
// quarter of their common (grey) part moved into black.
CmykInks CmykSplit(uint8_t r, uint8_t g, uint8_t b);

// Fills DensityPlane (WorkWidth × WorkHeight bytes) from SourcePlane for ink
// `ink` of the palette and the given layer's engraving type. False, doing
// nothing, when a plane is missing or the ink is not one of the palette's.
bool SeparateInk(PrintState& state, const ParameterBlock& params, int layer, int ink);

} // namespace vel
