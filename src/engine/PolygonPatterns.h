#pragma once
// The straight-edged radial patterns: turned squares ("Box" family) and
// stars, cut into segments that the line stamper walks.

#include "engine/FieldPlane.h"
#include "engine/PatternQuantities.h"

namespace vel {

struct RenderState;

// One square of half-diagonal r around the pattern centre; `index` is the
// pattern's index within the box family (0..12).
void DrawBox(RenderState& state, const FieldPlane& field, const PatternQuantities& pattern,
             const LayerParameters& layer, int index, float r);

// One star of outer radius r with `points` points (4, 5, 6 or 8).
void DrawStar(RenderState& state, const FieldPlane& field, const PatternQuantities& pattern,
              const LayerParameters& layer, int points, float r);

} // namespace vel
