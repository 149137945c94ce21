#pragma once
// A render state for drawing line fields in tests: working area W × H at
// scale 1 without scroll, a fine plane (optional), an engrave plane and a
// density plane of one value, and the disk table.

#include "engine/DiskTable.h"
#include "engine/RenderState.h"

#include <cstdint>
#include <cstring>

namespace vel::test {

inline void PrepareFieldState(RenderState& state, int w, int h, uint8_t density, bool fine = true)
{
    state.WorkWidth = state.FilterWidth = w;
    state.WorkHeight = state.FilterHeight = h;
    state.FineWidth = 3 * w;
    state.FineHeight = 3 * h;
    if (fine)
        state.FinePlane.Allocate(3 * w, 3 * h);
    state.EngravePlane.Allocate(w, h, 4);
    state.DensityPlane.Allocate(w, h, 4);
    std::memset(state.DensityPlane.Data(), density, size_t(w) * size_t(h));
    PrepareDiskTable(state);
}

inline LayerParameters DefaultLayer()
{
    ParameterBlock block{};
    ResetToDefaults(block);
    return block.Layers[0];
}

} // namespace vel::test
