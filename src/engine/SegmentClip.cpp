#include "engine/SegmentClip.h"

#include <algorithm>

namespace vel {
namespace {

// Narrows [enter, leave] by the half-plane p × t ≤ q (Liang–Barsky).
bool Narrow(double p, double q, double& enter, double& leave)
{
    if (p == 0)
        return q >= 0; // parallel to this edge: inside or wholly outside
    const double t = q / p;
    if (p < 0)
        enter = std::max(enter, t);
    else
        leave = std::min(leave, t);
    return enter <= leave;
}

} // namespace

bool ClipSegment(Segment& segment, const ClipRectangle& rect)
{
    const double x0 = segment.X0, y0 = segment.Y0;
    const double dx = double(segment.X1) - x0, dy = double(segment.Y1) - y0;
    double enter = 0, leave = 1;
    if (!Narrow(-dx, x0 - rect.Left, enter, leave) || !Narrow(dx, rect.Right - x0, enter, leave) ||
        !Narrow(-dy, y0 - rect.Top, enter, leave) || !Narrow(dy, rect.Bottom - y0, enter, leave))
        return false;
    // The ends are clamped so that rounding never puts them outside.
    const auto clampX = [&](double x) { return std::clamp(float(x), rect.Left, rect.Right); };
    const auto clampY = [&](double y) { return std::clamp(float(y), rect.Top, rect.Bottom); };
    const Segment clipped{
        enter > 0 ? clampX(x0 + enter * dx) : segment.X0, enter > 0 ? clampY(y0 + enter * dy) : segment.Y0,
        leave < 1 ? clampX(x0 + leave * dx) : segment.X1, leave < 1 ? clampY(y0 + leave * dy) : segment.Y1};
    segment = clipped;
    return true;
}

} // namespace vel
