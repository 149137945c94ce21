#include "engine/Coverage.h"
#include "engine/Edges.h"

// Coverage and edge effects arrive with the radial and iso-line patterns;
// until then a pass leaves its plane as the pattern drew it.

namespace vel {

void ApplyCoverage(RenderState&, const LayerParameters&) {}

void ApplyEdges(RenderState&, Plane<uint8_t>&, int, int, const LayerParameters&, int) {}

} // namespace vel
