#pragma once
// An 8-bit image stored as separate channel planes, and the tiling of a
// texture over a larger (or smaller) image with bilinear sampling.

#include "platform/PageMemory.h"

#include <cstdint>

namespace vel {

struct PlanarImage {
    int Width = 0;
    int Height = 0;
    int Channels = 0;
    bool Ready = false;    // filled by TilePaper
    Plane<uint8_t> Planes; // Width × Height bytes per channel, channel after channel

    // Replaces the image by a zero-filled one; false (image empty) when the
    // memory is not available.
    bool Allocate(int width, int height, int channels);
    void Release();
    explicit operator bool() const { return bool(Planes); }

    uint8_t* Channel(int c) { return Planes.Data() + size_t(c) * size_t(Width) * size_t(Height); }
    const uint8_t* Channel(int c) const { return Planes.Data() + size_t(c) * size_t(Width) * size_t(Height); }
};

// Fills every channel of `destination` from `texture`: destination pixel
// (j, i) samples the texture bilinearly at (j × stepX + offsetX,
// i × stepY + offsetY), the texture repeating in both directions. Fails,
// changing nothing, when an image is missing or empty, or the channel counts
// differ or are not 1..5. Sets the destination's Ready flag.
bool TilePaper(PlanarImage& destination, const PlanarImage& texture, float stepX, float stepY, int offsetX,
               int offsetY);

} // namespace vel
