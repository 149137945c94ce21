#pragma once
// Elementary functions built from IEEE additions, multiplications and
// divisions only, so that every build (glibc, both mingw runtimes) computes
// the same bits. The engine uses these instead of the C library's sin, cos
// and exp wherever a result reaches a pixel.

namespace vel {

double PortableSin(double x);
double PortableCos(double x);
double PortableExp(double x);

// Truncation toward zero that never overflows: values beyond ±2^30 give
// ±2^30 and NaN gives -2^30, far outside any plane, so callers can add small
// offsets without overflow and bounds checks reject the result.
int TruncateToInt(double v);

} // namespace vel
