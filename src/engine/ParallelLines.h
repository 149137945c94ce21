#pragma once
// The parallel-line family: "Lines", "Waves 1".."Waves 4", "ZigZag",
// "ZigZag 1" and "ZigZag 2" (the wave type is the pattern number).

#include "engine/FieldPlane.h"
#include "engine/PatternQuantities.h"

namespace vel {

struct RenderState;

// Draws parallel lines `Step` apart at the pattern's angle across the whole
// field plane; ink j of several is shifted by j × Offset. The lines are
// anchored to the image, so a scrolled preview shows the same lines.
void DrawParallelLines(RenderState& state, const FieldPlane& field, const PatternQuantities& pattern,
                       int waveType, int ink);

} // namespace vel
