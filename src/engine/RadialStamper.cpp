#include "engine/RadialStamper.h"

#include "engine/RenderState.h"
#include "engine/StampStep.h"
#include "numeric/PortableMath.h"

namespace vel {
namespace {

constexpr float FullTurn = 6.283184f;

// Wave types of the ring and spiral families by index: none, waves 1..4,
// waves 1 and 2 along the arc, zigzags 5..7.
constexpr int RadialWaveType[10] = {0, 1, 2, 3, 4, 1, 2, 5, 6, 7};

bool WavesAlongArc(int index)
{
    return index == 5 || index == 6;
}

} // namespace

void RadialStamper(RenderState& state, const FieldPlane& field, const RadialInputs& ring)
{
    const float r0 = ring.Radius;
    if (!(r0 > 0) || ring.Index < 0 || ring.Index > 9)
        return;
    float angleStep = 1.0f / WalkLength(state, r0, ring.Relief);
    if (ring.Index != 0 && ring.Amplitude > 1)
        angleStep = ring.Amplitude < 4 ? angleStep / ring.Amplitude : angleStep / 4.0f;
    float baseWidth = ring.Width;
    if (ring.Circles) {
        baseWidth = 2.0f * ring.Width;
        angleStep = angleStep * ring.Pitch;
    }
    if (!(angleStep > 0))
        return;

    StampWalkInputs inputs;
    inputs.WaveType = RadialWaveType[ring.Index];
    inputs.Amplitude = ring.Amplitude;
    inputs.Frequency = ring.Frequency;
    inputs.Phase = ring.Phase;
    inputs.Jitter = ring.Jitter;
    inputs.Relief = ring.Relief;
    inputs.Width = baseWidth + ring.ContrastWidth;
    inputs.Threshold = ring.Threshold;
    inputs.ContrastPositive = ring.ContrastPositive;
    inputs.Cull = true;
    StampWalk stamps(state, field, inputs);

    const float scale = float(field.Scale);
    const float dotShift = ring.Circles ? ring.Pitch / 2.0f : 0.0f;
    StampPoint point;
    // Polar roughness runs along the angle and across the rings.
    point.RoughnessAtPoint = !state.Modulation.RoughPolar;
    point.RoughnessY = float(TruncateToInt(r0 / scale));
    for (float next = 0; next < FullTurn;) {
        const float walked = next;
        next = walked + angleStep;
        if (next == walked)
            break; // beyond float resolution the walk would never end
        const float radius = ring.Spiral ? r0 - ring.Pitch * walked / FullTurn : r0;
        if (radius < 0)
            break; // a spiral turn ends at the centre
        const double theta = double(walked + ring.Angle);
        const float c = float(PortableCos(theta));
        const float s = float(PortableSin(theta));
        point.X = ring.CenterX + radius * c + dotShift * c;
        point.Y = ring.CenterY + radius * s + dotShift * s;
        point.AcrossX = c; // displacements go along the radius
        point.AcrossY = s;
        point.WavePosition = walked;
        if (WavesAlongArc(ring.Index))
            point.WavePosition = ring.Spiral ? radius * radius / 6.0f : radius * walked;
        point.RunPosition = 2.0f * r0 * walked;
        if (!point.RoughnessAtPoint)
            point.RoughnessX = float(TruncateToInt(walked * 200.0f));
        stamps.Step(point);
    }
}

} // namespace vel
