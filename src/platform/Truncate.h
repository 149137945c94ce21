#pragma once
// The system's one conversion from floating point to integer.

#include <cstdint>

namespace vel {

// Truncates toward zero, limited to [low, high]; NaN gives `ifNaN`. A plain
// conversion of a value outside the integer's range (an infinity, a huge
// number from a script or a degenerate parameter) is undefined behaviour
// and differs between compilers; this one gives the same integer in every
// build. Callers choose limits under which their own integer arithmetic
// cannot overflow.
constexpr int64_t TruncateBetween(double value, int64_t low, int64_t high, int64_t ifNaN)
{
    if (value != value)
        return ifNaN;
    if (value <= double(low))
        return low;
    if (value >= double(high))
        return high;
    return int64_t(value);
}

} // namespace vel
