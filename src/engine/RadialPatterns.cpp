#include "engine/RadialPatterns.h"

#include "engine/PolygonPatterns.h"
#include "engine/RadialStamper.h"
#include "engine/RenderState.h"
#include "numeric/PortableMath.h"

#include <algorithm>
#include <cmath>

namespace vel {
namespace {

constexpr int FirstRing = int(PatternGeometry::Rings);
constexpr int FirstSpiral = int(PatternGeometry::Spiral);
constexpr int FirstBox = int(PatternGeometry::Box);
constexpr int FirstStar = int(PatternGeometry::Star4);
constexpr int StarPoints[4] = {4, 5, 6, 8};

// Distance from the centre to the nearest point of the field plane; 0 when
// the centre lies on it.
float DistanceToField(const PatternQuantities& pattern)
{
    const auto outside = [](float c, float extent) { return c < 0 ? -c : (c > extent ? c - extent : 0.0f); };
    const float dx = outside(pattern.CenterX, float(pattern.FieldWidth));
    const float dy = outside(pattern.CenterY, float(pattern.FieldHeight));
    return std::sqrt(dx * dx + dy * dy);
}

// The radius beyond which no ring, box or star can touch the field plane.
float OuterRadius(const PatternQuantities& pattern, const LayerParameters& layer)
{
    const float hx = pattern.HalfWidth, hy = pattern.HalfHeight;
    const float halfDiagonal = std::sqrt(hx * hx + hy * hy);
    const float dx = hx - pattern.CenterX, dy = hy - pattern.CenterY;
    const float toCenter = std::sqrt(dx * dx + dy * dy);
    const int geometry = layer.Geometry;
    float outer = toCenter + halfDiagonal;
    if (geometry >= FirstBox) {
        // A turned square or star reaches its outer radius only at corners.
        outer = halfDiagonal * (layer.Angle != 0 ? std::sqrt(2.0f) : 1.0f) +
                std::sqrt(2.0f * toCenter * toCenter);
        if (geometry > FirstBox)
            outer = outer + std::fabs(pattern.Amplitude);
    }
    if (geometry >= FirstSpiral)
        outer = outer + pattern.Step;
    return outer;
}

void ReportRadius(const RenderState& state, float r, float outer, int ink)
{
    const int radius = TruncateToInt(r);
    if (radius % 5 != 0)
        return;
    const float done = std::max(0.0f, float(ink) * outer + float(radius));
    ReportProgress(state, done, float(TruncateToInt(outer)) * float(state.Inks.InkCount));
}

RadialInputs RingInputs(const PatternQuantities& pattern, const LayerParameters& layer)
{
    const int geometry = layer.Geometry;
    const bool spiral = geometry >= FirstSpiral;
    const int index = geometry - (spiral ? FirstSpiral : FirstRing);
    RadialInputs ring;
    ring.CenterX = pattern.CenterX;
    ring.CenterY = pattern.CenterY;
    ring.ContrastPositive = pattern.ContrastPositive;
    ring.ContrastWidth = pattern.ContrastWidth;
    ring.Circles = layer.Big != 0;
    ring.Spiral = spiral;
    ring.Pitch = layer.LinkWidth ? pattern.Step : 2.0f * pattern.LineWidth;
    ring.Angle = float(double(layer.Angle) * 3.141592 / 180.0);
    ring.Index = index;
    ring.Amplitude = pattern.Amplitude;
    ring.Frequency = index == 5 || index == 6 ? pattern.LineFrequency : pattern.RingFrequency;
    ring.Phase = pattern.Phase;
    ring.Relief = pattern.Relief;
    ring.Width = pattern.LineWidth;
    ring.Threshold = pattern.Threshold;
    ring.Jitter = pattern.Noise;
    return ring;
}

} // namespace

void DrawRadialPattern(RenderState& state, const FieldPlane& field, const PatternQuantities& pattern,
                       const LayerParameters& layer, int ink)
{
    const int geometry = layer.Geometry;
    if (geometry < FirstRing || geometry > int(PatternGeometry::Star8))
        return;
    const float outer = OuterRadius(pattern, layer);
    const float inkShift = state.Inks.InkCount > 1 ? float(ink) : 1.0f;
    RadialInputs ring = RingInputs(pattern, layer);
    for (float r = DistanceToField(pattern) + std::fabs(pattern.Offset) * inkShift; r < outer;
         r = r + pattern.Step) {
        ReportRadius(state, r, outer, ink);
        if (geometry < FirstBox) {
            ring.Radius = r;
            RadialStamper(state, field, ring);
        } else if (geometry < FirstStar) {
            DrawBox(state, field, pattern, layer, geometry - FirstBox, r);
        } else {
            DrawStar(state, field, pattern, layer, StarPoints[geometry - FirstStar], r);
        }
        if (r + pattern.Step == r)
            break; // beyond float resolution the loop would never end
    }
}

} // namespace vel
