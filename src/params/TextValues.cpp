#include "params/TextValues.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vel {
namespace {

constexpr size_t MaxNumericCharacters = 63;

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool IsNumericCharacter(char c)
{
    return IsDigit(c) || c == ',' || c == '-' || c == '.' || c == 'E' || c == 'e';
}

std::string_view NumericCharacters(std::string_view text)
{
    const size_t start = std::min(text.find_first_not_of(' '), text.size());
    size_t end = start;
    while (end < text.size() && end - start < MaxNumericCharacters && IsNumericCharacter(text[end]))
        ++end;
    return text.substr(start, end - start);
}

int32_t ParseDecimalInteger(std::string_view number)
{
    const bool negative = !number.empty() && number[0] == '-';
    constexpr int64_t Limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (size_t i = negative ? 1 : 0; i < number.size() && IsDigit(number[i]); ++i)
        magnitude = std::min(magnitude * 10 + (number[i] - '0'), Limit);
    return int32_t(negative ? -magnitude : std::min(magnitude, Limit - 1));
}

double ParseDecimalReal(std::string_view number)
{
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // At most 63 characters: only an exponent can leave the double
        // range, and its sign tells which way.
        const std::string_view parsed(number.data(), size_t(end - number.data()));
        const size_t e = parsed.find_first_of("Ee");
        const bool tiny = e != std::string_view::npos && e + 1 < parsed.size() && parsed[e + 1] == '-';
        const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        return parsed[0] == '-' ? -magnitude : magnitude;
    }
    return error == std::errc() ? value : 0.0;
}

} // namespace

int32_t ReadIntegerValue(std::string_view text) { return ParseDecimalInteger(NumericCharacters(text)); }

double ReadRealValue(std::string_view text) { return ParseDecimalReal(NumericCharacters(text)); }

float SaturateToFloat(double value)
{
    constexpr double Largest = std::numeric_limits<float>::max();
    return float(std::clamp(value, -Largest, Largest));
}

std::string FormatInteger(int32_t value)
{
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string FormatReal(float value)
{
    // Exactly rounded like printf's "%.2f"; up to 39 integer digits for the
    // largest float.
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, double(value), std::chars_format::fixed, 2);
    return std::string(text, result.ptr);
}

} // namespace vel
