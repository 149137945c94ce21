#pragma once
// One layer for one ink: density, pattern, smoothing, tone shaping against
// the density, the Combine fold, layer interaction, reduction to working
// resolution, coverage and edges, and printing.

#include "engine/RenderState.h"
#include "params/ParameterBlock.h"

#include <cstddef>
#include <cstdint>

namespace vel {

void LayerPass(RenderState& state, const ParameterBlock& params, int layer, int ink);

// Combine: folds densities above the middle back down and marks them in
// CombineMask. False when the mask cannot be created (the user is told).
bool FoldCombine(RenderState& state);

// Combines a field with the captured field of the other layer, pixel by
// pixel, by the layer interaction mode.
void InteractFields(uint8_t* field, const uint8_t* capture, size_t count, uint8_t interfere);

// The tone curve of one pass: the new value of a field pixel p lying over
// density d, for the layer's Threshold.
struct ToneTable {
    uint8_t Value[256][256]; // [d][p]
};
void BuildToneTable(ToneTable& table, float threshold);

// Shapes every pixel of a field plane (fieldWidth × fieldHeight) against the
// density plane (densityWidth wide); `scale` is 3 for the fine plane, 1 at
// working scale.
void ShapeTone(uint8_t* field, int fieldWidth, int fieldHeight, const uint8_t* density, int densityWidth,
               int scale, const ToneTable& table);

// Averages every 3 × 3 block of the fine plane into one working pixel.
void ReduceFine(const uint8_t* fine, int workWidth, int workHeight, uint8_t* work);

} // namespace vel
