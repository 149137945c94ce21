#pragma once
// Edge effects ("Nodules", "Bruise", "Doubles"): noise artefacts along the
// edges of the engraved lines.

#include "engine/RenderState.h"
#include "params/ParameterBlock.h"

namespace vel {

// Applies the layer's edge effect to a width × height plane (EngravePlane,
// or FinePlane for "Doubles").
void ApplyEdges(RenderState& state, Plane<uint8_t>& plane, int width, int height,
                const LayerParameters& layer, int layerIndex);

// In place: every non-zero pixel of a width × height byte plane becomes its
// chamfer distance (3 across, 4 diagonally) to the nearest zero pixel,
// capped at 255. Used by "Doubles" to find the side of a line a pixel lies on.
void ChamferDistance(uint8_t* plane, int width, int height);

} // namespace vel
