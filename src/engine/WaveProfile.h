#pragma once
// The displacement profile of a wavy line at position q along it: waves and
// zigzags of types 1..7 (0 and any other type: straight), plus a random
// jitter across the line.

#include "numeric/Random.h"

namespace vel {

// The wave alone, A × wave(q × f + ph × pi): WaveProfile without the jitter
// and without drawing.
float WaveShape(float q, int waveType, float amplitude, float frequency, float phase);

// out[i] = WaveShape(q[i], ...) for i in 0..count-1, the sines computed
// several at a time.
void WaveShapes(const float* q, float* out, int count, int waveType, float amplitude, float frequency,
                float phase);

// A × wave(q × f + ph × pi) + jitter × J. Always draws exactly one value from
// the random sequence, whatever the type.
float WaveProfile(float q, int waveType, float amplitude, float frequency, float phase, float jitter,
                  RandomSequence& random);

} // namespace vel
