#pragma once
// Clips a straight segment to a closed axis-aligned rectangle.

namespace vel {

struct Segment {
    float X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
};

struct ClipRectangle {
    float Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Cuts `segment` down to its part inside `rect` (edges included), keeping
// its direction. Returns false, leaving it as it was, when no part of it
// lies inside.
bool ClipSegment(Segment& segment, const ClipRectangle& rect);

} // namespace vel
