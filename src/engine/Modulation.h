#pragma once
// The scalar fields that bend, thicken and break the lines of a layer: the
// lo-frequency noise (a slow bend added to the wave displacement), the
// roughness (a noisy factor on the line width) and the discontinuity (which
// cuts lines into segments). Their per-layer values live in the render
// state's ModulationState; every field is tied to the image through the
// scroll offset, so the preview shows the same noise wherever it scrolls.

#include "params/ParameterBlock.h"

namespace vel {

struct RenderState;

struct ModulationState {
    // Lo-frequency noise; LoFreq is meaningful only when LoAmp is not 0.
    float LoAmp = 0;
    float LoFreq = 0;
    // Roughness; the other members are meaningful only when RoughAmp is not 0.
    float RoughAmp = 0;
    float RoughFreq = 0;
    float RoughShift = 0;
    bool RoughPolar = false;
    bool RoughPositive = false;
    // Discontinuity; the other members are meaningful only when DiscKeep is not 1.
    float DiscKeep = 1;   // fraction of each period that is drawn
    float DiscPeriod = 0; // segment period along the line
    float DiscOn = 0;     // drawn length within a regular period
    float DiscRand = 0;   // 0: regular segments; above: noisy periods and lengths
    float DiscShift = 0;  // offset of the segments along the line
};

// Sets the lo-frequency noise and roughness members for a layer pass.
void PrepareModulation(RenderState& state, const LayerParameters& layer);

// Sets the discontinuity members before a line field is drawn; with circles
// (layer.Big) lines are never broken.
void PrepareDiscontinuity(RenderState& state, const LayerParameters& layer);

// The bend at working pixel (gx, gy), roughly -1..1; the stamper scales it
// by LoAmp.
float LoFrequencyNoise(const RenderState& state, int gx, int gy);

// The width modulated by the roughness noise at (gx, gy): working pixels, or
// polar coordinates for the radial families. Never negative.
float Roughness(const RenderState& state, float width, float gx, float gy);

// 1 when the stamp at wave position q and working pixel (gx, gy) is drawn,
// 0 when it falls into a gap.
float Discontinuity(const RenderState& state, float q, float gx, float gy);

} // namespace vel
