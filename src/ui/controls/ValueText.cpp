#include "ui/controls/ValueText.h"

#include "params/TextValues.h"

#include <cmath>
#include <cstdio>

namespace vel::ui {

int32_t IntegerPart(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return INT32_MAX;
    if (value <= -2147483648.0)
        return INT32_MIN;
    return int32_t(value);
}

namespace {
std::string FormatTwoDecimals(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%0.2f", value);
    return text;
}
} // namespace

std::string FormatNumber(double value, bool integerDisplay)
{
    return integerDisplay ? FormatInteger(IntegerPart(value)) : FormatTwoDecimals(value);
}

std::string FormatRange(double low, double high, bool integerDisplay)
{
    return FormatNumber(low, integerDisplay) + " ... " + FormatNumber(high, integerDisplay);
}

std::string FormatDialBuddy(double value)
{
    // Anything that rounds to zero (negative zero and tiny negative values
    // included) shows as 0.00, never as "-0.00".
    if (value > -0.005 && value < 0.005)
        value = 0;
    return FormatTwoDecimals(value);
}

double ReadTypedNumber(std::string_view text, size_t maxChars)
{
    const double value = ReadRealValue(text.substr(0, maxChars));
    return std::isfinite(value) ? value : 0;
}

} // namespace vel::ui
