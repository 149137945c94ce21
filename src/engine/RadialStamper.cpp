#include "engine/RadialStamper.h"

#include "engine/ConeStamp.h"
#include "engine/FieldDensity.h"
#include "engine/Modulation.h"
#include "engine/RenderState.h"
#include "engine/WaveProfile.h"
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

int WorkingPixel(float v, float scale)
{
    return TruncateToInt(v / scale + 0.5f);
}

} // namespace

void RadialStamper(RenderState& state, const FieldPlane& field, const RadialInputs& ring)
{
    const float r0 = ring.Radius;
    if (!(r0 > 0) || ring.Index < 0 || ring.Index > 9)
        return;
    float walk = r0;
    if (ring.Relief > 15 && !state.DialogUp)
        walk = r0 * ring.Relief / 15.0f;
    float angleStep = 1.0f / walk;
    if (ring.Index != 0 && ring.Amplitude > 1)
        angleStep = ring.Amplitude < 4 ? angleStep / ring.Amplitude : angleStep / 4.0f;
    float baseWidth = ring.Width;
    if (ring.Circles) {
        baseWidth = 2.0f * ring.Width;
        angleStep = angleStep * ring.Pitch;
    }
    if (!(angleStep > 0))
        return;
    const float bw = baseWidth + ring.ContrastWidth;
    const float k = (ring.Threshold + 1.0f) / 2.0f;
    const float densitySlope = 4.0f * k * ring.ContrastPositive;

    const ModulationState& modulation = state.Modulation;
    const FieldDensity density(state);
    const float scale = float(field.Scale);
    const int waveType = RadialWaveType[ring.Index];
    const bool displaced = ring.Relief != 0 || ring.Jitter != 0;
    const float dotShift = ring.Circles ? ring.Pitch / 2.0f : 0.0f;

    ConeShape cone;
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
        float x = ring.CenterX + radius * c + dotShift * c;
        float y = ring.CenterY + radius * s + dotShift * s;

        float q = walked;
        if (WavesAlongArc(ring.Index))
            q = ring.Spiral ? radius * radius / 6.0f : radius * walked;
        float w =
            WaveProfile(q, waveType, ring.Amplitude, ring.Frequency, ring.Phase, ring.Jitter, state.Random);
        int gx = WorkingPixel(x, scale);
        int gy = WorkingPixel(y, scale);
        if (modulation.LoAmp != 0)
            w = w + LoFrequencyNoise(state, gx, gy) * modulation.LoAmp;
        x = x + w * c;
        y = y + w * s;
        if (float(gx) < -bw || float(gx) >= float(state.WorkWidth) + bw || float(gy) < -bw ||
            float(gy) >= float(state.WorkHeight) + bw)
            continue;

        float g = density(gx, gy);
        if (displaced) {
            const float jitter = NextJitter(state.Random) * ring.Jitter;
            const float shift = g * ring.Relief + jitter;
            x = x + shift * c;
            y = y + shift * s;
            gx = WorkingPixel(x, scale);
            gy = WorkingPixel(y, scale);
            g = density(gx, gy);
        }

        float wd = ((1.0f - k) + densitySlope * g + 0.5f) * bw;
        if (modulation.RoughAmp != 0) {
            // Polar roughness runs along the angle and across the rings.
            wd = modulation.RoughPolar ? Roughness(state, wd, float(TruncateToInt(walked * 200.0f)),
                                                   float(TruncateToInt(r0 / scale)))
                                       : Roughness(state, wd, float(gx), float(gy));
        }
        if (modulation.DiscKeep != 1)
            wd = wd * Discontinuity(state, 2.0f * r0 * walked, float(gx), float(gy));
        cone.Prepare(state.Disk, wd);
        cone.Stamp(field, TruncateToInt(x), TruncateToInt(y));
    }
}

} // namespace vel
