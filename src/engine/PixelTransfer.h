#pragma once
// Moving pixels between the host's interleaved buffers and the engine's
// 8-bit RGBA planes: reading the source, writing the result back, and
// passing an image through unchanged.

#include "engine/RenderHost.h"
#include "engine/RenderState.h"

namespace vel {

// Conversion of one 16-bit host sample (0..32768) to 8 bits.
constexpr uint8_t Reduce16(uint16_t v) { return v >= 32768 ? 255 : uint8_t(v >> 7); }

// The built-in CMYK to RGB conversion, used when the host offers none:
// Kp = trunc((255 - black) / 2.55), P = trunc((255 - ink) / 1.5) for each of
// cyan, magenta, yellow, and the channel is 255 - P - Kp (0 at or below 0).
void CmykToRgbFormula(const uint8_t cmyk[4], uint8_t rgb[3]);

// Its inverse: inks that CmykToRgbFormula reads back as `rgb` wherever the
// formula can reach that colour (as much black as the lightest channel
// allows); outside its gamut the nearest reachable inks.
void RgbToCmykFormula(const uint8_t rgb[3], uint8_t cmyk[4]);

// Converts the delivered input buffer (the whole filter rectangle) into
// state.FullSource, which must already have the output rectangle's size.
void ReadFullSource(RenderState& state, const HostImage& image, ColorConverter* converter);

// Converts the working area of the input buffer into state.SourcePlane.
// A CMYK document without a converter leaves the plane as it is.
void FillSourcePlane(RenderState& state, const HostImage& image, ColorConverter* converter);

// Writes state.OutputPlane into the host's output buffer: RGB as it is (or
// any mode while the dialog is up), CMYK through the converter, or without
// one through RgbToCmykFormula, the inverse of the formula that read it.
void WriteBackOutput(const RenderState& state, const HostImage& image, ColorConverter* converter);

// Copies the input to the output unchanged; while the dialog is up a CMYK
// document is shown converted to RGB.
void PassThrough(const RenderState& state, const HostImage& image, ColorConverter* converter);

} // namespace vel
