#include "engine/StampStep.h"

#include "engine/Modulation.h"
#include "engine/RenderState.h"
#include "engine/StampQueue.h"
#include "engine/WaveProfile.h"
#include "numeric/PortableMath.h"

namespace vel {

float WalkLength(const RenderState& state, float length, float relief)
{
    if (relief > 15 && !state.DialogUp)
        return length * relief / 15.0f;
    return length;
}

StampWalk::StampWalk(RenderState& state, const FieldPlane& field, const StampWalkInputs& inputs,
                     RandomSequence* random)
    : state_(state), random_(random ? *random : state.Random), field_(field), inputs_(inputs),
      density_(state), scale_(float(field.Scale)), k_(0.5f * (inputs.Threshold + 1.0f)),
      densitySlope_(k_ * 4.0f * inputs.ContrastPositive), displaced_(inputs.Relief != 0 || inputs.Jitter != 0)
{
}

int StampWalk::WorkingPixel(float v) const
{
    return TruncateToInt(v / scale_ + 0.5f);
}

void StampWalk::Step(const StampPoint& point)
{
    const ModulationState& modulation = state_.Modulation;
    const StampWalkInputs& in = inputs_;
    float x = point.X;
    float y = point.Y;
    float w = point.WaveKnown ? point.Wave + NextJitter(random_) * in.Jitter
                              : WaveProfile(point.WavePosition, in.WaveType, in.Amplitude, in.Frequency,
                                            in.Phase, in.Jitter, random_);
    int gx = WorkingPixel(x);
    int gy = WorkingPixel(y);
    if (modulation.LoAmp != 0)
        w = w + LoFrequencyNoise(state_, gx, gy) * modulation.LoAmp;
    if (w != 0) {
        x = x + w * point.AcrossX;
        y = y + w * point.AcrossY;
    }
    if (in.Cull && (float(gx) < -in.Width || float(gx) >= float(state_.WorkWidth) + in.Width ||
                    float(gy) < -in.Width || float(gy) >= float(state_.WorkHeight) + in.Width))
        return;

    float g = density_(gx, gy);
    if (displaced_) {
        const float jitter = NextJitter(random_) * in.Jitter;
        const float shift = g * in.Relief + jitter;
        x = x + shift * point.AcrossX;
        y = y + shift * point.AcrossY;
        gx = WorkingPixel(x);
        gy = WorkingPixel(y);
        g = density_(gx, gy);
    }

    // Width factor of a density g: (1 - K) + 4 K Cpos g, and a half.
    float wd = ((1.0f - k_) + densitySlope_ * g + 0.5f) * in.Width;
    if (modulation.RoughAmp != 0)
        wd = point.RoughnessAtPoint ? Roughness(state_, wd, float(gx), float(gy))
                                    : Roughness(state_, wd, point.RoughnessX, point.RoughnessY);
    if (modulation.DiscKeep != 1)
        wd = wd * Discontinuity(state_, point.RunPosition, float(gx), float(gy));
    StampCone(field_, cone_, state_.Disk, wd, TruncateToInt(x), TruncateToInt(y));
}

} // namespace vel
