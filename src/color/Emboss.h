#pragma once
// The emboss: every printed ink leaves a mask of where it landed; the mask
// is blurred into a height field, lit from the "Emboss direction", and the
// light and shade are accumulated in EmbossPlane (127 flat). After the last
// ink the relief is added to the output.

namespace vel {

struct PrintState;

// Taps of the blur for depth d (EmbossDepth / 50): 5 + 2 × trunc(5 |d|),
// the product taken in double precision.
unsigned EmbossKernelSize(float depth);

// Blurs InkMaskPlane in place and adds its lit relief to EmbossPlane, for
// depth d and the light's angles in degrees (alpha around the picture,
// beta above it). Does nothing when d is 0 or a plane is missing; the
// outermost rows and columns are never changed.
void AccumulateRelief(PrintState& state, float depth, float alpha, float beta);

// Adds EmbossPlane - 127 to the red, green and blue of every OutputPlane
// pixel.
void ApplyEmboss(PrintState& state);

} // namespace vel
