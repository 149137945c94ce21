#pragma once
// Small arithmetic shared by the colour steps: clamping into channel bytes
// and limiting parameter values that may arrive out of range (presets and
// scripting store whatever they are given).

#include <cstdint>

namespace vel {

constexpr uint8_t ClampByte(int64_t value)
{
    return value < 0 ? 0 : value > 255 ? 255 : uint8_t(value);
}

// Clamps to 0..255 and truncates toward zero (the same as truncating first
// and clamping after, but safe for values no integer can hold).
constexpr uint8_t ClampByte(float value)
{
    if (!(value > 0.0f))
        return 0;
    return value >= 255.0f ? 255 : uint8_t(value);
}

// Limits a parameter to lo..hi; NaN becomes lo.
constexpr float LimitReal(float value, float lo, float hi)
{
    if (!(value >= lo))
        return lo;
    return value > hi ? hi : value;
}

} // namespace vel
