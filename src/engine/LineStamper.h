#pragma once
// Walks one straight line of a pattern in small steps and stamps a cone at
// every step: the point is displaced across the line by the wave, the
// jitter, the lo-frequency bend and the relief, and the cone's width follows
// the ink's density under the point, the roughness and the discontinuity.

#include "engine/FieldPlane.h"
#include "numeric/Random.h"

#include <cstdint>

namespace vel {

struct RenderState;

struct StamperInputs {
    float ContrastPositive = 0; // Cpos
    float ContrastWidth = 0;    // Cw
    float CircleSpacing = 0;    // cs; 0 for continuous lines
    int WaveType = 0;           // 0..7; 8..12: types 1..5 at position / LengthDivisor
    float Amplitude = 0;
    float Frequency = 0; // radians per unit of position
    float Phase = 0;     // in units of pi
    float Relief = 0;    // displacement per unit of density
    float DirX = 1;      // the unit vector that orients the line; displacements
    float DirY = 0;      // go along (DirY, -DirX)
    float Width = 0;     // wf
    float StartX = 0;
    float StartY = 0;
    float EndX = 0;
    float EndY = 0;
    float Threshold = 0;
    float ReferenceX = 0; // origin of the wave position
    float ReferenceY = 0;
    float Jitter = 0;        // nz
    float LengthDivisor = 0; // L, wave types 8..12 only
};

// Draws from the render's random sequence: one value per step for the wave
// jitter, then one more when Relief or Jitter is not 0.
void LineStamper(RenderState& state, const FieldPlane& field, const StamperInputs& line);

// The same walk drawing from `random` instead of the render's sequence.
void LineStamper(RenderState& state, const FieldPlane& field, const StamperInputs& line,
                 RandomSequence& random);

// How many values LineStamper draws for the line: its steps, times two when
// Relief or Jitter is not 0.
int64_t LineStamperDraws(const RenderState& state, const StamperInputs& line);

} // namespace vel
