#pragma once
// The numeric field's value and range rules, without a window: what the
// field stores when a value is set from outside, typed, or its range changed.

#include "params/FieldTable.h"

#include <string>
#include <string_view>

namespace vel::ui {

struct SpinValues {
    float Value = 0;
    float RangeMin = 0, RangeMax = 100; // the slider's range and the limits of typed values
    float LimitMin = 0, LimitMax = 100; // the widest range the field may take
    bool RangeEditable = false;
    bool IntegerOnly = false;
};

// The field's setup from its row of the field table: the slider range, the
// typed range as the limits, and a range that may widen exactly when the
// two differ.
SpinValues SpinValuesFor(const FieldInfo& field, bool integerOnly);

// Sets the value from outside (reload, preset, value-entry dialog). A field
// whose range may widen stretches its range towards the value, but never
// past its limits; the value itself is kept as given, also beyond them.
// Returns true when the range changed.
bool SetSpinValue(SpinValues& field, float value);

void SetSpinRange(SpinValues& field, float low, float high);

// Commits typed text (at most 31 characters): read as a number, limited to
// the range, and taken only when it differs from the value by more than
// 0.01. Returns true when the value changed (the parent is to be notified).
bool CommitTypedValue(SpinValues& field, std::string_view text);

// The edit's text for the current value.
std::string SpinEditText(const SpinValues& field);

} // namespace vel::ui
