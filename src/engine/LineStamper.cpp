#include "engine/LineStamper.h"

#include "engine/StampStep.h"

#include <cmath>

namespace vel {
namespace {

// Stamps never come closer than this along a line, whatever the relief or
// the circle spacing ask for, so that extreme values cannot stall a render.
constexpr float DensestStampsPerPixel = 64.0f;

} // namespace

void LineStamper(RenderState& state, const FieldPlane& field, const StamperInputs& line)
{
    const float ddx = line.EndX - line.StartX;
    const float ddy = line.EndY - line.StartY;
    const float length = std::sqrt(ddx * ddx + ddy * ddy);
    if (length <= 0)
        return;

    float walk = WalkLength(state, length, line.Relief);
    const bool circles = line.CircleSpacing > 0;
    const float stepLength = circles ? line.CircleSpacing : 1.0f;
    if (walk > DensestStampsPerPixel * length * stepLength)
        walk = DensestStampsPerPixel * length * stepLength;
    const float stepX = circles ? ddx / walk * line.CircleSpacing : ddx / walk;
    const float stepY = circles ? ddy / walk * line.CircleSpacing : ddy / walk;
    // Dots sit half a spacing further along the orientation.
    const float dotX = circles ? line.CircleSpacing * line.DirX / 2.0f : 0.0f;
    const float dotY = circles ? line.CircleSpacing * line.DirY / 2.0f : 0.0f;

    StampWalkInputs inputs;
    inputs.WaveType = line.WaveType;
    const bool dividedPosition = inputs.WaveType >= 8 && inputs.WaveType <= 12;
    if (dividedPosition)
        inputs.WaveType -= 7;
    inputs.Amplitude = line.Amplitude;
    inputs.Frequency = line.Frequency;
    inputs.Phase = line.Phase;
    inputs.Jitter = line.Jitter;
    inputs.Relief = line.Relief;
    inputs.Width = (circles ? 2.0f * line.Width : line.Width) + line.ContrastWidth;
    inputs.Threshold = line.Threshold;
    inputs.ContrastPositive = line.ContrastPositive;
    StampWalk stamps(state, field, inputs);

    StampPoint point;
    point.AcrossX = line.DirY; // displacements go across the line
    point.AcrossY = -line.DirX;
    float travelled = 0;
    float x = line.StartX;
    float y = line.StartY;
    while (travelled < walk) {
        point.X = x + dotX;
        point.Y = y + dotY;
        float q = std::sqrt((x - line.ReferenceX) * (x - line.ReferenceX) +
                            (y - line.ReferenceY) * (y - line.ReferenceY));
        if (dividedPosition)
            q = q / line.LengthDivisor;
        point.WavePosition = q;
        point.RunPosition = q;
        stamps.Step(point);

        if (travelled + stepLength == travelled)
            break; // beyond float resolution the walk would never end
        travelled = travelled + stepLength;
        x = x + stepX;
        y = y + stepY;
    }
}

} // namespace vel
