#pragma once
// Values in the text files (presets and settings): how a value's characters
// are taken from a line, converted and written. Everything here is
// independent of the process locale: "." is always the decimal point.

#include <cstdint>
#include <string>
#include <string_view>

namespace vel {

// The value that begins `text`, read as the file formats read numbers. After
// leading spaces, at most 63 of the digits and ",", "-", ".", "E", "e" that
// follow are taken ("+" is not among them, so "+5" reads 0):
//  - as an integer: an optional minus sign and the digits up to the first
//    other character, saturated to the int32 range ("1e3" and "3,5" read 1
//    and 3);
//  - as a real: in double precision, an optional minus sign, digits, an
//    optional fraction after "." and an optional exponent after "E" or "e"
//    ("1e3" reads 1000, "3,5" reads 3); beyond the double range it reads 0
//    or infinity.
// Nothing convertible reads 0.
int32_t ReadIntegerValue(std::string_view text);
double ReadRealValue(std::string_view text);

// The value of a real field read from text: beyond the float range it keeps
// the largest float of its sign instead of becoming infinite.
float SaturateToFloat(double value);

// "%d" and "%.2f" (of the float widened to double), exactly as printf
// writes them in the "C" locale.
std::string FormatInteger(int32_t value);
std::string FormatReal(float value);

} // namespace vel
