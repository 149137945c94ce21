#pragma once
// Edge effects ("Nodules", "Bruise", "Doubles"): noise artefacts along the
// edges of the engraved lines.

#include "engine/RenderState.h"
#include "params/ParameterBlock.h"

namespace vel {

// Applies the layer's edge effect to a width × height plane (EngravePlane,
// or FinePlane for "Doubles").
void ApplyEdges(RenderState& state, Plane<uint8_t>& plane, int width, int height, const LayerParameters& layer,
                int layerIndex);

} // namespace vel
