#include "engine/WaveProfile.h"

#include "numeric/PortableMath.h"

#include <algorithm>
#include <cmath>

namespace vel {
namespace {

constexpr double Pi = 3.141592;
constexpr float TwoPi = 6.2831841f;

// Position within the period, in half periods: 0..2, in phase with the sine.
float HalfPeriods(float phi)
{
    float h = float(std::fmod(phi, TwoPi) / Pi);
    if (h < 0)
        h += 2.0f;
    return h;
}

// The triangle wave of period 2 in phase with the sine: rises to 1 at
// h = 0.5, falls to -1 at h = 1.5, rises again to 0 at h = 2.
float Triangle(float h)
{
    if (h <= 0.5f)
        return 2.0f * h;
    if (h < 1.5f)
        return 1.0f - 2.0f * (h - 0.5f);
    return (h - 1.5f) * 2.0f - 1.0f;
}

// The waves of types 1..4 from the sine s of their angle.
float SineWave(int waveType, float amplitude, float s)
{
    switch (waveType) {
    case 1:
        return amplitude * s;
    case 2:
        return amplitude * (std::fabs(s) - 0.5f);
    case 3:
        return s < 0 ? amplitude * s / 3.0f : amplitude * s;
    default:
        return s >= 0 ? amplitude * s : 0.0f;
    }
}

bool SineType(int waveType)
{
    return waveType >= 1 && waveType <= 4;
}

// The wave value for types 1..7; every other type is a straight line.
float WaveValue(int waveType, float amplitude, float phi)
{
    switch (waveType) {
    case 1:
    case 2:
    case 3:
    case 4:
        return SineWave(waveType, amplitude, float(PortableSin(phi)));
    case 5:
        return amplitude * Triangle(HalfPeriods(phi));
    case 6: {
        const float h = HalfPeriods(phi);
        return h >= 1.0f ? amplitude * Triangle(h) / 3.0f : amplitude * Triangle(h);
    }
    case 7: {
        const float h = HalfPeriods(phi);
        return h < 1.0f ? amplitude * Triangle(h) : 0.0f;
    }
    default:
        return 0;
    }
}

float WaveAngle(float q, float frequency, float phase)
{
    return float(double(q * frequency) + double(phase) * Pi);
}

} // namespace

float WaveShape(float q, int waveType, float amplitude, float frequency, float phase)
{
    return WaveValue(waveType, amplitude, WaveAngle(q, frequency, phase));
}

void WaveShapes(const float* q, float* out, int count, int waveType, float amplitude, float frequency,
                float phase)
{
    if (!SineType(waveType)) {
        for (int i = 0; i < count; ++i)
            out[i] = WaveShape(q[i], waveType, amplitude, frequency, phase);
        return;
    }
    // The sines of a block side by side, then each wave from its sine.
    constexpr int Block = 64;
    double angles[Block], sines[Block];
    for (int start = 0; start < count; start += Block) {
        const int n = std::min(Block, count - start);
        for (int i = 0; i < n; ++i)
            angles[i] = WaveAngle(q[start + i], frequency, phase);
        PortableSins(angles, sines, n);
        for (int i = 0; i < n; ++i)
            out[start + i] = SineWave(waveType, amplitude, float(sines[i]));
    }
}

float WaveProfile(float q, int waveType, float amplitude, float frequency, float phase, float jitter,
                  RandomSequence& random)
{
    return WaveShape(q, waveType, amplitude, frequency, phase) + NextJitter(random) * jitter;
}

} // namespace vel
