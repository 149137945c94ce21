#include "engine/PolygonPatterns.h"

#include "engine/LineStamper.h"
#include "engine/SegmentClip.h"
#include "numeric/PortableMath.h"

#include <cmath>

namespace vel {
namespace {

constexpr double QuarterTurn = 1.570796;
constexpr double RadiansPerDegree = 0.01745328888888889;
constexpr int FirstNonuniformBox = 8;

// The inputs every segment of a pattern shares.
StamperInputs SharedInputs(const PatternQuantities& pattern)
{
    StamperInputs line;
    line.ContrastPositive = pattern.ContrastPositive;
    line.ContrastWidth = pattern.ContrastWidth;
    line.CircleSpacing = pattern.CircleSpacing;
    line.Phase = pattern.Phase;
    line.Relief = pattern.Relief;
    line.Width = pattern.LineWidth;
    line.Threshold = pattern.Threshold;
    line.Jitter = pattern.Noise;
    return line;
}

struct Point {
    float X = 0, Y = 0;
};

// Turns p about the pattern centre by the pattern angle.
Point TurnAboutCenter(const PatternQuantities& pattern, float x, float y)
{
    const float dx = x - pattern.CenterX, dy = y - pattern.CenterY;
    return {pattern.CenterX + dx * pattern.Cos - dy * pattern.Sin,
            pattern.CenterY + dx * pattern.Sin + dy * pattern.Cos};
}

ClipRectangle FieldRectangle(const PatternQuantities& pattern, float margin)
{
    return {-margin, -margin, float(pattern.FieldWidth) + margin, float(pattern.FieldHeight) + margin};
}

} // namespace

void DrawBox(RenderState& state, const FieldPlane& field, const PatternQuantities& pattern,
             const LayerParameters& layer, int index, float r)
{
    const float h = r / std::sqrt(2.0f);
    const float cx = pattern.CenterX, cy = pattern.CenterY;
    const Point corners[4] = {
        TurnAboutCenter(pattern, cx - h, cy - h), TurnAboutCenter(pattern, cx + h, cy - h),
        TurnAboutCenter(pattern, cx + h, cy + h), TurnAboutCenter(pattern, cx - h, cy + h)};
    // Waves reach amp beyond the side, so sides just outside still show.
    const ClipRectangle rect = FieldRectangle(pattern, index != 0 ? std::fabs(pattern.Amplitude) : 0.0f);
    const double angle = double(layer.Angle) * 3.141592 / 180.0;

    StamperInputs line = SharedInputs(pattern);
    line.WaveType = index;
    line.Amplitude = pattern.Amplitude;
    line.Frequency = index >= FirstNonuniformBox ? pattern.RingFrequency : pattern.LineFrequency;
    for (int side = 0; side < 4; ++side) {
        const Point from = corners[side], to = corners[(side + 1) % 4];
        Segment segment{from.X, from.Y, to.X, to.Y};
        if (!ClipSegment(segment, rect))
            continue;
        // Each side is oriented a quarter turn further, so that its
        // displacements point out of the square.
        const double orientation = angle + double(side) * QuarterTurn;
        line.DirX = float(PortableCos(orientation));
        line.DirY = float(PortableSin(orientation));
        line.StartX = segment.X0;
        line.StartY = segment.Y0;
        line.EndX = segment.X1;
        line.EndY = segment.Y1;
        line.ReferenceX = from.X;
        line.ReferenceY = from.Y;
        line.LengthDivisor = std::sqrt((to.X - from.X) * (to.X - from.X) + (to.Y - from.Y) * (to.Y - from.Y));
        LineStamper(state, field, line);
    }
}

void DrawStar(RenderState& state, const FieldPlane& field, const PatternQuantities& pattern,
              const LayerParameters& layer, int points, float r)
{
    if (points < 2 || points > 8)
        return;
    const double halfStep = double(360 / points) * RadiansPerDegree / 2.0;
    // The raw Amplitude sets the inner radius: r at -100 (a regular polygon
    // of 2n vertices) up to 2.5 r at 100.
    const float inner = r * (1.0f + 0.75f * (layer.Amplitude / 100.0f + 1.0f));
    const int count = 2 * points;
    Point vertices[16];
    for (int k = 0; k < count; ++k) {
        const float radius = k % 2 == 0 ? r : inner;
        const double angle = double(k) * halfStep;
        vertices[k] = TurnAboutCenter(pattern, pattern.CenterX + radius * float(PortableCos(angle)),
                                      pattern.CenterY + radius * float(PortableSin(angle)));
    }

    const ClipRectangle rect = FieldRectangle(pattern, 0.0f);
    StamperInputs line = SharedInputs(pattern);
    line.DirX = pattern.Cos;
    line.DirY = pattern.Sin;
    line.LengthDivisor = 1.0f;
    for (int k = 0; k < count; ++k) {
        const Point from = vertices[k], to = vertices[(k + 1) % count];
        Segment segment{from.X, from.Y, to.X, to.Y};
        if (!ClipSegment(segment, rect))
            continue;
        line.StartX = segment.X0;
        line.StartY = segment.Y0;
        line.EndX = segment.X1;
        line.EndY = segment.Y1;
        LineStamper(state, field, line);
    }
}

} // namespace vel
