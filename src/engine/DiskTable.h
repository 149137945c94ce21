#pragma once
// One quadrant of a cone of radius 100 and height 255, sampled at integer
// offsets: the profile that every stamp of the line field scales.

#include <cstdint>

namespace vel {

struct RenderState;

struct DiskTable {
    // Values[i][j] = trunc(255 × (1 − sqrt(i² + j²) / 100)) inside the
    // radius, 0 outside. Row and column 100 stay 0, so a lookup whose index
    // rounds up to the radius reads the cone's edge.
    uint8_t Values[101][101] = {};
};

void BuildDiskTable(DiskTable& table);

// Builds the render state's table the first time it is needed (until
// TablesReady is cleared again).
void PrepareDiskTable(RenderState& state);

} // namespace vel
