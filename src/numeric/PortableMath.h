#pragma once
// Elementary functions built from IEEE additions, multiplications and
// divisions only, so that every build (glibc, both mingw runtimes) computes
// the same bits. The engine uses these instead of the C library's sin, cos
// and exp wherever a result reaches a pixel.

#include "platform/Truncate.h"

#include <cstdint>

namespace vel {

double PortableSin(double x);
double PortableCos(double x);
double PortableExp(double x);

// out[i] = PortableSin(x[i]) for i in 0..count-1, the same bits, computed
// several at a time.
void PortableSins(const double* x, double* out, int count);

// Field and working-pixel coordinates: TruncateBetween with values beyond
// ±2^30 giving ±2^30 and NaN giving -2^30, far outside any plane, so callers
// can add small offsets without overflow and bounds checks reject the result.
inline int TruncateToInt(double v)
{
    constexpr int64_t Limit = int64_t(1) << 30;
    return int(TruncateBetween(v, -Limit, Limit, -Limit));
}

} // namespace vel
