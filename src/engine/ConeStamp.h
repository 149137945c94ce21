#pragma once
// One stamp of a line: a cone of height 255 and diameter w centred on a
// field pixel, max-composited into the field plane.

#include "engine/DiskTable.h"
#include "engine/FieldPlane.h"

namespace vel {

// Widths of 0.1 or less (and NaN) draw nothing; up to 2 the centre pixel
// becomes 255; wider stamps scale the disk table to radius w / 2. Pixels
// outside the plane are skipped.
void ConeStamp(const FieldPlane& field, const DiskTable& disk, float w, int x, int y);

} // namespace vel
