#include "engine/LineField.h"

#include "engine/DiskTable.h"
#include "engine/FieldPlane.h"
#include "engine/IsoLines.h"
#include "engine/Modulation.h"
#include "engine/ParallelLines.h"
#include "engine/PatternQuantities.h"
#include "engine/RadialPatterns.h"
#include "engine/RenderState.h"

#include <cstring>

namespace vel {

bool LineField(RenderState& state, const LayerParameters& layer, int ink)
{
    if (!state.EngravePlane)
        return false;
    const FieldPlane field = SelectFieldPlane(state);
    if (!field.Pixels)
        return false;
    PrepareDiskTable(state);

    const PatternQuantities pattern = DerivePatternQuantities(state, layer, field.Scale);
    PrepareDiscontinuity(state, layer);
    std::memset(field.Pixels, 0, size_t(field.Width) * size_t(field.Height));

    if (layer.Geometry <= uint8_t(PatternGeometry::ZigZag2))
        DrawParallelLines(state, field, pattern, layer.Geometry, ink);
    else if (layer.Geometry <= uint8_t(PatternGeometry::Star8))
        DrawRadialPattern(state, field, pattern, layer, ink);
    else
        DrawIsoLines(state, field, pattern, layer, ink);
    return true;
}

} // namespace vel
