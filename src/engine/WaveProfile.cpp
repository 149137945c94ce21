#include "engine/WaveProfile.h"

#include "numeric/PortableMath.h"

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

// The wave value for types 1..7; every other type is a straight line.
float WaveValue(int waveType, float amplitude, float phi)
{
    switch (waveType) {
    case 1:
        return amplitude * float(PortableSin(phi));
    case 2:
        return amplitude * (std::fabs(float(PortableSin(phi))) - 0.5f);
    case 3: {
        const float s = float(PortableSin(phi));
        return s < 0 ? amplitude * s / 3.0f : amplitude * s;
    }
    case 4: {
        const float s = float(PortableSin(phi));
        return s >= 0 ? amplitude * s : 0.0f;
    }
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

} // namespace

float WaveShape(float q, int waveType, float amplitude, float frequency, float phase)
{
    const float phi = float(double(q * frequency) + double(phase) * Pi);
    return WaveValue(waveType, amplitude, phi);
}

float WaveProfile(float q, int waveType, float amplitude, float frequency, float phase, float jitter,
                  RandomSequence& random)
{
    return WaveShape(q, waveType, amplitude, frequency, phase) + NextJitter(random) * jitter;
}

} // namespace vel
