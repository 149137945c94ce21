#pragma once
// Moving pixels between the host's interleaved buffers and the engine's
// 8-bit RGBA planes: reading the source, writing the result back, and
// passing an image through unchanged.

#include "engine/RenderHost.h"
#include "engine/RenderState.h"

namespace vel {

// Conversion of one 16-bit host sample (0..32768) to 8 bits.
constexpr uint8_t Reduce16(uint16_t v) { return v >= 32768 ? 255 : uint8_t(v >> 7); }

// Converts the delivered input buffer (the whole filter rectangle) into
// state.FullSource, which must already have the output rectangle's size.
void ReadFullSource(RenderState& state, const HostImage& image, ColorConverter* converter);

// Converts the working area of the input buffer into state.SourcePlane.
// A CMYK document without a converter leaves the plane as it is.
void FillSourcePlane(RenderState& state, const HostImage& image, ColorConverter* converter);

// Writes state.OutputPlane into the host's output buffer: RGB as it is (or
// any mode while the dialog is up), CMYK through the converter. Without a
// converter a CMYK output is left untouched (the host keeps its source).
void WriteBackOutput(const RenderState& state, const HostImage& image, ColorConverter* converter);

// Copies the input to the output unchanged; while the dialog is up a CMYK
// document is shown converted to RGB.
void PassThrough(const RenderState& state, const HostImage& image, ColorConverter* converter);

} // namespace vel
