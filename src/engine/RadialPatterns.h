#pragma once
// The radial families: rings, spirals, boxes and stars, laid out around the
// pattern centre at radii that grow by the line step.

#include "engine/FieldPlane.h"
#include "engine/PatternQuantities.h"

namespace vel {

struct RenderState;

// Draws the layer's radial pattern (Geometry Rings .. Star8) for one ink.
// Radii start at the nearest point of the field plane, so a centre far
// outside the picture costs nothing for rings that cannot reach it.
void DrawRadialPattern(RenderState& state, const FieldPlane& field, const PatternQuantities& pattern,
                       const LayerParameters& layer, int ink);

} // namespace vel
