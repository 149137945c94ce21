#include "engine/LineStamper.h"

#include "engine/ConeStamp.h"
#include "engine/FieldDensity.h"
#include "engine/Modulation.h"
#include "engine/RenderState.h"
#include "engine/WaveProfile.h"
#include "numeric/PortableMath.h"

#include <cmath>

namespace vel {
namespace {

// Stamps never come closer than this along a line, whatever the relief or
// the circle spacing ask for, so that extreme values cannot stall a render.
constexpr float DensestStampsPerPixel = 64.0f;

// The working pixel under a field coordinate.
int WorkingPixel(float v, float scale)
{
    return TruncateToInt(v / scale + 0.5f);
}

} // namespace

void LineStamper(RenderState& state, const FieldPlane& field, const StamperInputs& line)
{
    const float ddx = line.EndX - line.StartX;
    const float ddy = line.EndY - line.StartY;
    const float length = std::sqrt(ddx * ddx + ddy * ddy);
    if (length <= 0)
        return;

    // In the final render a strong relief moves stamps far apart across the
    // line; walking more slowly keeps the line closed.
    float walk = length;
    if (line.Relief > 15 && !state.DialogUp)
        walk = length * line.Relief / 15.0f;

    const bool circles = line.CircleSpacing > 0;
    const float stepLength = circles ? line.CircleSpacing : 1.0f;
    if (walk > DensestStampsPerPixel * length * stepLength)
        walk = DensestStampsPerPixel * length * stepLength;
    const float stepX = circles ? ddx / walk * line.CircleSpacing : ddx / walk;
    const float stepY = circles ? ddy / walk * line.CircleSpacing : ddy / walk;
    // Dots sit half a spacing further along the orientation.
    const float dotX = circles ? line.CircleSpacing * line.DirX / 2.0f : 0.0f;
    const float dotY = circles ? line.CircleSpacing * line.DirY / 2.0f : 0.0f;
    const float baseWidth = (circles ? 2.0f * line.Width : line.Width) + line.ContrastWidth;

    // Width factor of a density g: (1 - K) + 4 K Cpos g.
    const float k = 0.5f * (line.Threshold + 1.0f);
    const float densitySlope = k * 4.0f * line.ContrastPositive;

    int waveType = line.WaveType;
    const bool dividedPosition = waveType >= 8 && waveType <= 12;
    if (dividedPosition)
        waveType -= 7;

    const ModulationState& modulation = state.Modulation;
    const FieldDensity density(state);
    const float scale = float(field.Scale);
    const bool displaced = line.Relief != 0 || line.Jitter != 0;

    ConeShape cone;
    float travelled = 0;
    float x = line.StartX;
    float y = line.StartY;
    while (travelled < walk) {
        float px = x + dotX;
        float py = y + dotY;
        float q = std::sqrt((x - line.ReferenceX) * (x - line.ReferenceX) +
                            (y - line.ReferenceY) * (y - line.ReferenceY));
        if (dividedPosition)
            q = q / line.LengthDivisor;
        float w =
            WaveProfile(q, waveType, line.Amplitude, line.Frequency, line.Phase, line.Jitter, state.Random);

        int gx = WorkingPixel(px, scale);
        int gy = WorkingPixel(py, scale);
        if (modulation.LoAmp != 0)
            w = w + LoFrequencyNoise(state, gx, gy) * modulation.LoAmp;
        if (w != 0) {
            px = px + w * line.DirY;
            py = py - w * line.DirX;
        }

        float g = density(gx, gy);
        if (displaced) {
            const float jitter = NextJitter(state.Random) * line.Jitter;
            const float shift = g * line.Relief + jitter;
            px = px + shift * line.DirY;
            py = py - shift * line.DirX;
            gx = WorkingPixel(px, scale);
            gy = WorkingPixel(py, scale);
            g = density(gx, gy);
        }

        float wd = ((1.0f - k) + densitySlope * g + 0.5f) * baseWidth;
        if (modulation.RoughAmp != 0)
            wd = Roughness(state, wd, float(gx), float(gy));
        if (modulation.DiscKeep != 1)
            wd = wd * Discontinuity(state, q, float(gx), float(gy));
        cone.Prepare(state.Disk, wd);
        cone.Stamp(field, TruncateToInt(px), TruncateToInt(py));

        if (travelled + stepLength == travelled)
            break; // beyond float resolution the walk would never end
        travelled = travelled + stepLength;
        x = x + stepX;
        y = y + stepY;
    }
}

} // namespace vel
