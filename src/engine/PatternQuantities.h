#pragma once
// The values every line pattern derives from a layer's parameters, the
// preview scale and the working geometry, in field-plane pixels.

#include "params/ParameterBlock.h"

namespace vel {

struct RenderState;

struct PatternQuantities {
    float Spacing = 0;          // sp: line spacing in working pixels
    float LineWidth = 0;        // wf
    float Step = 0;             // distance between neighbouring lines, at least 1
    float Offset = 0;           // off: shift of the first line (per ink with several inks)
    float Threshold = 0;        // thr
    float Relief = 0;           // displacement per unit of density
    float Amplitude = 0;        // amp
    float LineFrequency = 0;    // fl: wave frequency of straight lines, radians per pixel
    float RingFrequency = 0;    // fr: wave frequency of the radial families
    float Phase = 0;            // ph, in units of pi
    float ContrastPositive = 0; // Cpos: positive part of the width contrast
    float ContrastWidth = 0;    // Cw: signed width contrast times wf
    float Noise = 0;            // nz: jitter amplitude
    float CenterX = 0;          // centre of the radial families
    float CenterY = 0;
    float Cos = 1; // ca, sa: the pattern's angle, rounded to single precision
    float Sin = 0;
    int FieldWidth = 0; // Wx, Hx: the field plane's size
    int FieldHeight = 0;
    float HalfWidth = 0; // hx, hy
    float HalfHeight = 0;
    float ScrollX = 0; // ox, oy: the scroll offset in field pixels
    float ScrollY = 0;
    float CircleSpacing = 0;   // cs: 0 for continuous lines
    float AmplitudeExtent = 0; // ampx: |amp| for the wavy parallel lines, else 0
    int Extent = 0;            // N: side of a centred square covering the plane at any angle
};

// `scale` is the field plane's pixels per working pixel (3, or 1 when the
// pattern is drawn at working scale).
PatternQuantities DerivePatternQuantities(const RenderState& state, const LayerParameters& layer, int scale);

} // namespace vel
