#include "engine/LineField.h"

#include "engine/DiskTable.h"
#include "engine/FieldPlane.h"
#include "engine/IsoLines.h"
#include "engine/Modulation.h"
#include "engine/ParallelLines.h"
#include "engine/PatternQuantities.h"
#include "engine/RadialPatterns.h"
#include "engine/RenderState.h"
#include "engine/StampQueue.h"
#include "platform/Threads.h"

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
    ForEachBand(field.Height, [&](int, int64_t first, int64_t end) {
        std::memset(field.Pixels + size_t(first) * size_t(field.Width), 0,
                    size_t(end - first) * size_t(field.Width));
    });

    struct Drawing {
        RenderState& State;
        const LayerParameters& Layer;
        const PatternQuantities& Pattern;
        int Ink;
    } drawing{state, layer, pattern, ink};
    // Parallel lines split their walk between the threads themselves.
    if (layer.Geometry <= uint8_t(PatternGeometry::ZigZag2)) {
        DrawParallelLines(state, field, pattern, layer.Geometry, ink);
        return true;
    }
    DrawWithStampThreads(
        field, state.Disk,
        [](void* context, const FieldPlane& plane) {
            Drawing& d = *static_cast<Drawing*>(context);
            if (d.Layer.Geometry <= uint8_t(PatternGeometry::Star8))
                DrawRadialPattern(d.State, plane, d.Pattern, d.Layer, d.Ink);
            else
                DrawIsoLines(d.State, plane, d.Pattern, d.Layer, d.Ink);
        },
        &drawing);
    return true;
}

} // namespace vel
