#pragma once
// Scratch planes (EdgePlane, InkMaskPlane) serve callers of different sizes:
// the working size for most steps, the fine size for the "Doubles" edges. A
// plane large enough for the request is reused with the request's row
// length; a smaller one is replaced by a zero-filled plane of that size.

#include "platform/PageMemory.h"

#include <cstdint>

namespace vel {

// Makes `plane` hold at least width × height bytes. Returns false, leaving
// the plane empty, when it cannot be allocated.
inline bool EnsureScratchPlane(Plane<uint8_t>& plane, int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    if (plane && plane.Bytes() / size_t(width) >= size_t(height))
        return true;
    return plane.Allocate(width, height);
}

} // namespace vel
