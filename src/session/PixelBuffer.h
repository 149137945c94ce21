#pragma once
// A planar pixel buffer over a rectangle of the document: one plane after
// another, each `RowBytes() × Height()` bytes, zero-filled when created.

#include "platform/PageMemory.h"

#include <cstdint>

namespace vel {

struct PixelBuffer {
    int32_t Mode = 0;  // the document's mode, or grayscale for one mask channel
    int32_t Depth = 8; // bits per sample: 8 or 16
    int32_t Top = 0;   // the covered rectangle, in document coordinates
    int32_t Left = 0;
    int32_t Bottom = 0;
    int32_t Right = 0;
    int32_t Padding = 0; // extra rows and columns around each plane (none here)
    uint8_t ChannelCount = 0;
    Plane<uint8_t> Storage;

    // Replaces the buffer by a zero-filled one. False, leaving it empty, when
    // the rectangle is empty or the memory cannot be had.
    bool Create(int32_t mode, int32_t depth, int32_t top, int32_t left, int32_t bottom, int32_t right,
                int channels)
    {
        Storage.Release();
        Mode = mode;
        Depth = depth;
        Top = top;
        Left = left;
        Bottom = bottom;
        Right = right;
        ChannelCount = uint8_t(channels);
        if (channels <= 0 || channels > 255 || Width() <= 0 || Height() <= 0)
            return false;
        return Storage.Allocate(RowBytes(), Height(), channels);
    }

    explicit operator bool() const { return bool(Storage); }
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    int RowBytes() const { return Width() * Depth / 8; }
    size_t PlaneBytes() const { return size_t(RowBytes()) * size_t(Height()); }
    uint8_t* PlaneData(int k) { return Storage.Data() + size_t(k) * PlaneBytes(); }
    const uint8_t* PlaneData(int k) const { return Storage.Data() + size_t(k) * PlaneBytes(); }
};

} // namespace vel
