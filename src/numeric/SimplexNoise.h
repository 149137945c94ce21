#pragma once
// Two-dimensional simplex noise on a skewed triangular lattice that repeats
// every 256 cells, and its five-octave fractal sum. All arithmetic is single
// precision except the octave sum.

namespace vel {

// Roughly -1..1; accepts any float (indexes wrap into the table).
float SimplexNoise(float x, float y);

// N(x) + N(2x) / 2 + N(4x) / 4 + N(8x) / 8 + N(16x) / 16, divided by 1.5.
float FractalNoise(float x, float y);

} // namespace vel
