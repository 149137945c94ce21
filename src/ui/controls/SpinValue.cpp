#include "ui/controls/SpinValue.h"

#include "ui/controls/ValueText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace vel::ui {

SpinValues SpinValuesFor(const FieldInfo& field, bool integerOnly)
{
    SpinValues values;
    values.RangeMin = float(field.Slider.Min);
    values.RangeMax = float(field.Slider.Max);
    values.LimitMin = float(field.Typed.Min);
    values.LimitMax = float(field.Typed.Max);
    values.RangeEditable = field.Typed.Min != field.Slider.Min || field.Typed.Max != field.Slider.Max;
    values.IntegerOnly = integerOnly;
    values.Value = std::clamp(float(field.Default[0]), values.RangeMin, values.RangeMax);
    return values;
}

bool SetSpinValue(SpinValues& field, float value)
{
    bool rangeChanged = false;
    if (field.RangeEditable) {
        const float oldMin = field.RangeMin, oldMax = field.RangeMax;
        if (value > field.RangeMax)
            field.RangeMax = value;
        field.RangeMax = std::min(field.RangeMax, field.LimitMax);
        if (value < field.RangeMin)
            field.RangeMin = value;
        field.RangeMin = std::max(field.RangeMin, field.LimitMin);
        rangeChanged = field.RangeMin != oldMin || field.RangeMax != oldMax;
    }
    field.Value = value;
    return rangeChanged;
}

void SetSpinRange(SpinValues& field, float low, float high)
{
    field.RangeMin = low;
    field.RangeMax = high;
}

bool CommitTypedValue(SpinValues& field, std::string_view text)
{
    const float typed = std::clamp(float(ReadTypedNumber(text, 31)), field.RangeMin, field.RangeMax);
    // 0.01 is a step of the two-decimal display; the float rounding of both
    // values (400.01 is stored as 400.010009...) must not turn a step of
    // 0.01 into a change.
    const double slack = 4 * FLT_EPSILON * std::max({1.0f, std::fabs(typed), std::fabs(field.Value)});
    if (std::fabs(double(typed) - double(field.Value)) <= 0.01 + slack)
        return false;
    SetSpinValue(field, typed);
    return true;
}

std::string SpinEditText(const SpinValues& field)
{
    return FormatNumber(field.Value, field.IntegerOnly);
}

} // namespace vel::ui
