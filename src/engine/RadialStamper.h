#pragma once
// Walks one ring (or one turn of a spiral) around the pattern centre in
// angle steps of about one field pixel of arc and stamps a cone at every
// step, displaced radially by the wave, the lo-frequency bend, the relief
// and the jitter.

#include "engine/FieldPlane.h"

namespace vel {

struct RenderState;

struct RadialInputs {
    float CenterX = 0;
    float CenterY = 0;
    float ContrastPositive = 0; // Cpos
    float ContrastWidth = 0;    // Cw
    bool Circles = false;       // dots instead of continuous lines
    bool Spiral = false;        // the radius shrinks by Pitch over the turn
    float Pitch = 0;            // g: ring spacing, dot spacing with circles
    float Angle = 0;            // a: where the walk starts
    float Radius = 0;           // r0
    int Index = 0;              // the pattern's index within its family (0..9)
    float Amplitude = 0;
    float Frequency = 0;
    float Phase = 0;
    float Relief = 0;
    float Width = 0; // wf
    float Threshold = 0;
    float Jitter = 0; // nz
};

// Draws from the render's random sequence: one value per step for the wave
// jitter, then one more when Relief or Jitter is not 0 and the step is not
// culled.
void RadialStamper(RenderState& state, const FieldPlane& field, const RadialInputs& ring);

} // namespace vel
