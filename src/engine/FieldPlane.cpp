#include "engine/FieldPlane.h"

#include "engine/RenderState.h"

namespace vel {
namespace {

bool Holds(const Plane<uint8_t>& plane, int width, int height)
{
    return plane && width > 0 && height > 0 && plane.Bytes() / size_t(width) >= size_t(height);
}

} // namespace

FieldPlane SelectFieldPlane(RenderState& state)
{
    if (Holds(state.FinePlane, state.FineWidth, state.FineHeight))
        return {state.FinePlane.Data(), state.FineWidth, state.FineHeight, 3};
    if (Holds(state.EngravePlane, state.WorkWidth, state.WorkHeight))
        return {state.EngravePlane.Data(), state.WorkWidth, state.WorkHeight, 1};
    return {};
}

} // namespace vel
