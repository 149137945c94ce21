#include "engine/ParallelLines.h"

#include "engine/LineStamper.h"
#include "engine/RenderState.h"
#include "numeric/PortableMath.h"

#include <algorithm>
#include <cmath>

namespace vel {
namespace {

// Notifies progress on every line whose position crosses a multiple of 5.
void ReportLine(const RenderState& state, float t, int extent, int ink)
{
    const int position = TruncateToInt(t);
    if (position % 5 != 0)
        return;
    const int64_t done = std::max<int64_t>(0, int64_t(ink) * extent + position);
    ReportProgress(state, float(done), float(int64_t(state.Inks.InkCount) * extent));
}

} // namespace

void DrawParallelLines(RenderState& state, const FieldPlane& field, const PatternQuantities& pattern,
                       int waveType, int ink)
{
    const float ca = pattern.Cos;
    const float sa = pattern.Sin;
    const int extent = pattern.Extent;

    float t = state.Inks.InkCount <= 1 ? pattern.Offset : float(ink) * pattern.Offset;
    t = t - pattern.AmplitudeExtent;

    // Lines keep their place in the image while the preview scrolls: the
    // scroll offset, turned into the pattern's frame, moves the wave origin
    // along the lines and the first line across them.
    const float along = pattern.ScrollX * ca + pattern.ScrollY * sa;
    const float across = pattern.ScrollY * ca - pattern.ScrollX * sa;
    const float anchor = std::fmod(across, pattern.Step);
    const float half = float(extent) / 2.0f;

    StamperInputs line;
    line.ContrastPositive = pattern.ContrastPositive;
    line.ContrastWidth = pattern.ContrastWidth;
    line.CircleSpacing = pattern.CircleSpacing;
    line.WaveType = waveType;
    line.Amplitude = pattern.Amplitude;
    line.Frequency = pattern.LineFrequency;
    line.Phase = pattern.Phase;
    line.Relief = pattern.Relief;
    line.DirX = ca;
    line.DirY = sa;
    line.Width = pattern.LineWidth;
    line.Threshold = pattern.Threshold;
    line.Jitter = pattern.Noise;

    // A point at u along the line and v across it lies at
    // (hx + ca u - sa v, hy + sa u + ca v).
    const auto toX = [&](float u, float v) { return pattern.HalfWidth + ca * u - sa * v; };
    const auto toY = [&](float u, float v) { return pattern.HalfHeight + sa * u + ca * v; };
    for (; t <= float(extent); t = t + pattern.Step) {
        ReportLine(state, t, extent, ink);
        const float v = t - anchor - half;
        line.StartX = toX(-half, v);
        line.StartY = toY(-half, v);
        line.EndX = toX(half, v);
        line.EndY = toY(half, v);
        line.ReferenceX = toX(-half - along, v);
        line.ReferenceY = toY(-half - along, v);
        LineStamper(state, field, line);
        if (t + pattern.Step == t)
            break; // beyond float resolution the loop would never end
    }
}

} // namespace vel
