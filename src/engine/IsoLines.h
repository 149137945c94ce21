#pragma once
// Contour-line patterns: "Iso Lines 1" contours a simplex-noise landscape,
// "Iso Lines 2" the smoothed ink density of the picture. Both cut their
// landscape into bands on the field plane, find the band borders and stamp
// a cone on every border pixel.

#include "engine/FieldPlane.h"
#include "engine/PatternQuantities.h"

#include <cstdint>

namespace vel {

struct RenderState;

// Draws the layer's iso-line pattern (Geometry IsoLines1 or IsoLines2) for
// one ink. Without scratch memory it draws nothing.
void DrawIsoLines(RenderState& state, const FieldPlane& field, const PatternQuantities& pattern,
                  const LayerParameters& layer, int ink);

// The band level of a landscape value v (0..1) cut into `bands` bands; 0
// when there are no bands. Values below 0 lie in the lowest band.
int Quantize(float v, float bands);

// In place: every pixel becomes 255 where the Sobel sums over the 3 × 3
// block starting at it (indexes clamped to the last column and row) reach
// 8 together, and 0 elsewhere.
void MarkBandBorders(uint8_t* plane, int width, int height);

} // namespace vel
