#pragma once
// Coverage: a noise field that leaves parts of the picture unengraved.

#include "engine/RenderState.h"
#include "params/ParameterBlock.h"

namespace vel {

// Scales EngravePlane by the layer's coverage field.
void ApplyCoverage(RenderState& state, const LayerParameters& layer);

} // namespace vel
