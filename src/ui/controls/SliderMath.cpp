#include "ui/controls/SliderMath.h"

#include <algorithm>
#include <cmath>

namespace vel::ui {

namespace {
constexpr int Margin = 5;
}

float LimitSliderPosition(const SliderScale& scale, float position)
{
    position = std::clamp(position, std::min(scale.Min, scale.Max), std::max(scale.Min, scale.Max));
    if (scale.Clamp)
        position = std::clamp(position, scale.ClampMin, std::max(scale.ClampMin, scale.ClampMax));
    if (scale.Snap && std::fabs(position - scale.SnapValue) <= scale.SnapDistance)
        position = scale.SnapValue;
    return position;
}

float SliderPositionAt(const SliderScale& scale, int coord, int length)
{
    // A track too short to move along keeps the knob at the minimum.
    if (length <= 2 * Margin)
        return LimitSliderPosition(scale, scale.Min);
    const float position =
        scale.Min + float(coord - Margin) * (scale.Max - scale.Min) / float(length - 2 * Margin);
    return LimitSliderPosition(scale, position);
}

int SliderKnobCoord(const SliderScale& scale, float position, int length)
{
    if (length <= 2 * Margin || scale.Max == scale.Min)
        return Margin;
    const float t = std::clamp((position - scale.Min) / (scale.Max - scale.Min), 0.0f, 1.0f);
    return Margin + int(std::lround(t * float(length - 2 * Margin)));
}

} // namespace vel::ui
