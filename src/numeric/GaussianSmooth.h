#pragma once
// The engine's one smoothing routine: a separable Gaussian of odd size n
// (sigma = (n / 2) / 3) with borders mirrored about the edge pixel.

#include <cstdint>

namespace vel {

// Smooths a w × h byte plane. With `output` null the source is smoothed in
// place; otherwise the source is left as it is. Returns false, touching
// nothing, when the source is null, w, h or n is 0, n is even, or n / 2 is
// not below both w and h.
bool GaussianSmooth(uint8_t* source, uint8_t* output, unsigned w, unsigned h, unsigned n);

} // namespace vel
