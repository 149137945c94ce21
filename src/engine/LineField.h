#pragma once
// Draws one layer's line pattern for one ink into the field plane of the
// layer pass: FinePlane, or EngravePlane at working scale when FinePlane
// could not be created.

#include "params/ParameterBlock.h"

namespace vel {

struct RenderState;

// Clears the field plane and draws the pattern. Returns false, drawing
// nothing, when EngravePlane does not exist.
bool LineField(RenderState& state, const LayerParameters& layer, int ink);

} // namespace vel
