#pragma once
// How the controls show numbers and read what was typed into them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vel::ui {

// The integer part of a value (toward zero), saturated to the int32 range;
// NaN gives 0.
int32_t IntegerPart(double value);

// A value as a field shows it: the integer part in decimal with integer
// display, else "%0.2f".
std::string FormatNumber(double value, bool integerDisplay);

// A range as "%d ... %d" or "%0.2f ... %0.2f".
std::string FormatRange(double low, double high, bool integerDisplay);

// A dial's buddy edit: "%0.2f"; a value that rounds to zero (negative zero
// included) shows as 0.00, never as "-0.00".
std::string FormatDialBuddy(double value);

// The number at the start of at most `maxChars` characters of typed text;
// text that is not a number reads 0.
double ReadTypedNumber(std::string_view text, size_t maxChars);

} // namespace vel::ui
