#include "engine/Modulation.h"

#include "engine/RenderState.h"
#include "numeric/SimplexNoise.h"

#include <cmath>

namespace vel {
namespace {

// The noise origin: arbitrary offsets that keep the lattice points off the
// image's first row and column.
constexpr float OriginX = 13.456f;
constexpr float OriginY = 12.334f;

float LineSpacing(const RenderState& state, const LayerParameters& layer)
{
    return layer.Space / 2.5f / state.PreviewScale;
}

} // namespace

void PrepareModulation(RenderState& state, const LayerParameters& layer)
{
    ModulationState& m = state.Modulation;
    const float s = state.PreviewScale;

    m.LoAmp = 0;
    if (layer.LoNoiseIntensity != 0) {
        m.LoAmp = (layer.LoNoiseIntensity / 100.0f) * (15.0f / s);
        const float sigma = layer.LoNoiseScale / 200.0f;
        m.LoFreq = ((1.0f - sigma) * 1.5f + sigma * 0.25f) / 100.0f * s;
    }

    m.RoughAmp = 0;
    if (layer.RoughnessIntensity != 0) {
        m.RoughAmp = layer.RoughnessIntensity / 100.0f;
        m.RoughFreq = s / (2.0f * layer.RoughnessScale + 0.75f);
        m.RoughShift = layer.RoughnessShift;
        m.RoughPolar = layer.RoughnessPolar != 0;
        m.RoughPositive = layer.RoughnessPositive != 0;
    }
}

void PrepareDiscontinuity(RenderState& state, const LayerParameters& layer)
{
    ModulationState& m = state.Modulation;
    if (layer.Big != 0) {
        m.DiscKeep = 1;
        return;
    }
    m.DiscKeep = 1.0f - layer.Discontinuous / 100.0f;
    m.DiscPeriod = (layer.DiscontinuousLenght / 10.0f + 0.5f) * LineSpacing(state, layer);
    m.DiscOn = m.DiscKeep * m.DiscPeriod;
    m.DiscRand = layer.DiscontinuousRandom / 3000.0f;
    m.DiscShift = layer.DiscontinuousShift / state.PreviewScale;
}

float LoFrequencyNoise(const RenderState& state, int gx, int gy)
{
    const float f = state.Modulation.LoFreq;
    return FractalNoise(f * (float(state.WorkOffsetX) + OriginX + float(gx)),
                        f * (float(state.WorkOffsetY) + OriginY + float(gy)));
}

float Roughness(const RenderState& state, float width, float gx, float gy)
{
    const ModulationState& m = state.Modulation;
    float v = FractalNoise(m.RoughFreq * (m.RoughShift * OriginX + float(state.WorkOffsetX) + gx),
                           m.RoughFreq * (m.RoughShift * OriginY + float(state.WorkOffsetY) + gy));
    if (m.RoughPositive)
        v = v + 1.0f;
    const float factor = 1.0f + m.RoughAmp * v;
    return factor > 0 ? width * factor : 0.0f;
}

float Discontinuity(const RenderState& state, float q, float gx, float gy)
{
    const ModulationState& m = state.Modulation;
    const float x = (float(state.WorkOffsetX) + OriginX) + gx;
    const float y = (float(state.WorkOffsetY) + OriginY) + gy;
    // Neighbouring lines get their gaps shifted against each other.
    const float position = 1.1f * y + q;

    if (m.DiscRand == 0)
        return std::fmod(position + m.DiscShift, m.DiscPeriod) <= m.DiscOn ? 1.0f : 0.0f;

    const float ra = SimplexNoise(x, y) * m.DiscRand;
    const float rb = SimplexNoise(2.0f * x, 2.0f * y) * m.DiscRand;
    const float rc = SimplexNoise(3.0f * x, 3.0f * y) * m.DiscRand;
    const float period = (rb + 1.0f) * m.DiscPeriod;
    if (period <= 0)
        return 1.0f;
    const float remainder = std::fmod(m.DiscPeriod * ra + position + m.DiscShift, period);
    const float on = (rc + 1.0f) * m.DiscKeep * period;
    return remainder <= on ? 1.0f : 0.0f;
}

} // namespace vel
