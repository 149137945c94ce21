#include "engine/LineStamper.h"

#include "engine/StampStep.h"
#include "engine/WaveProfile.h"

#include <cmath>

namespace vel {
namespace {

// Stamps never come closer than this along a line, whatever the relief or
// the circle spacing ask for, so that extreme values cannot stall a render.
constexpr float DensestStampsPerPixel = 64.0f;

// The steps of one line's walk: how far, how long a step, where it goes.
struct LineWalk {
    bool Empty = true;
    float Walk = 0;
    float StepLength = 1;
    float StepX = 0;
    float StepY = 0;
    bool Circles = false;
};

LineWalk PlanWalk(const RenderState& state, const StamperInputs& line)
{
    LineWalk plan;
    const float ddx = line.EndX - line.StartX;
    const float ddy = line.EndY - line.StartY;
    const float length = std::sqrt(ddx * ddx + ddy * ddy);
    if (length <= 0)
        return plan;
    plan.Empty = false;
    plan.Walk = WalkLength(state, length, line.Relief);
    plan.Circles = line.CircleSpacing > 0;
    plan.StepLength = plan.Circles ? line.CircleSpacing : 1.0f;
    if (plan.Walk > DensestStampsPerPixel * length * plan.StepLength)
        plan.Walk = DensestStampsPerPixel * length * plan.StepLength;
    plan.StepX = plan.Circles ? ddx / plan.Walk * line.CircleSpacing : ddx / plan.Walk;
    plan.StepY = plan.Circles ? ddy / plan.Walk * line.CircleSpacing : ddy / plan.Walk;
    return plan;
}

void WalkLine(RenderState& state, const FieldPlane& field, const StamperInputs& line, RandomSequence* random)
{
    const LineWalk plan = PlanWalk(state, line);
    if (plan.Empty)
        return;
    const bool circles = plan.Circles;
    const float walk = plan.Walk;
    const float stepLength = plan.StepLength;
    const float stepX = plan.StepX;
    const float stepY = plan.StepY;
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
    StampWalk stamps(state, field, inputs, random);

    StampPoint point;
    point.AcrossX = line.DirY; // displacements go across the line
    point.AcrossY = -line.DirX;
    point.WaveKnown = true;

    // The walk goes in blocks: first the block's points and their waves,
    // which depend on nothing the steps do (so the processor can work on
    // several of them at once), then the steps in order.
    constexpr int Block = 16;
    float px[Block], py[Block], pq[Block], pw[Block];
    float travelled = 0;
    float x = line.StartX;
    float y = line.StartY;
    bool more = travelled < walk;
    while (more) {
        int count = 0;
        while (more && count < Block) {
            px[count] = x;
            py[count] = y;
            float q = std::sqrt((x - line.ReferenceX) * (x - line.ReferenceX) +
                                (y - line.ReferenceY) * (y - line.ReferenceY));
            if (dividedPosition)
                q = q / line.LengthDivisor;
            pq[count++] = q;
            if (travelled + stepLength == travelled)
                more = false; // beyond float resolution the walk would never end
            else {
                travelled = travelled + stepLength;
                x = x + stepX;
                y = y + stepY;
                more = travelled < walk;
            }
        }
        WaveShapes(pq, pw, count, inputs.WaveType, inputs.Amplitude, inputs.Frequency, inputs.Phase);
        for (int i = 0; i < count; ++i) {
            point.X = px[i] + dotX;
            point.Y = py[i] + dotY;
            point.WavePosition = pq[i];
            point.RunPosition = pq[i];
            point.Wave = pw[i];
            stamps.Step(point);
        }
    }
}

} // namespace

void LineStamper(RenderState& state, const FieldPlane& field, const StamperInputs& line)
{
    WalkLine(state, field, line, nullptr);
}

void LineStamper(RenderState& state, const FieldPlane& field, const StamperInputs& line,
                 RandomSequence& random)
{
    WalkLine(state, field, line, &random);
}

int64_t LineStamperDraws(const RenderState& state, const StamperInputs& line)
{
    const LineWalk plan = PlanWalk(state, line);
    if (plan.Empty)
        return 0;
    int64_t steps = 0;
    if (plan.StepLength == 1.0f && plan.Walk > 0 && plan.Walk <= 16777216.0f) {
        // Steps of 1 below 2^24 travel 0, 1, 2, ... exactly: the walk takes
        // the integers below its length.
        steps = int64_t(std::ceil(double(plan.Walk)));
    } else {
        // The walk's own loop, without the steps.
        for (float travelled = 0; travelled < plan.Walk; travelled = travelled + plan.StepLength) {
            ++steps;
            if (travelled + plan.StepLength == travelled)
                break;
        }
    }
    return line.Relief != 0 || line.Jitter != 0 ? 2 * steps : steps;
}

} // namespace vel
