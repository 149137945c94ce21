#pragma once
// One stamp of a line: a cone of height 255 and diameter w centred on a
// field pixel, max-composited into the field plane.

#include "engine/DiskTable.h"
#include "engine/FieldPlane.h"

#include <cstdint>
#include <vector>

namespace vel {

// Widths of 0.1 or less (and NaN) draw nothing; up to 2 the centre pixel
// becomes 255; wider stamps scale the disk table to radius w / 2. Pixels
// outside the plane are skipped.
void ConeStamp(const FieldPlane& field, const DiskTable& disk, float w, int x, int y);

// The cone of one width, prepared once and stamped at many centres with the
// same result as ConeStamp. Cones up to a few hundred pixels wide are laid
// out as a square of values, so that consecutive stamps of one width (the
// common case along a line) cost one row-wise maximum per row.
class ConeShape {
  public:
    // Prepares the cone of width w; does nothing when it already has it.
    void Prepare(const DiskTable& disk, float w);
    void Stamp(const FieldPlane& field, int x, int y) const;

  private:
    enum class Kind : uint8_t { Nothing, Pixel, Square, Direct };

    Kind kind_ = Kind::Nothing;
    float width_ = 0;
    bool prepared_ = false;
    int reach_ = 0;   // n: offsets 0..n-1 from the centre
    float scale_ = 0; // f = r / 100
    const DiskTable* disk_ = nullptr;
    std::vector<uint8_t> square_; // (2n - 1)² values, centre in the middle, rows padded with zeros
};

} // namespace vel
