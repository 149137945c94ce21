#include "numeric/PortableMath.h"

#include <cmath>

namespace vel {
namespace {

// pi / 2 in three parts; the first two have 33 significant bits, so k times
// either is exact for the quadrant counts that occur.
constexpr double HalfPiHigh = 0x1.921fb544p+0;
constexpr double HalfPiMid = 0x1.0b4611a6p-34;
constexpr double HalfPiLow = 0x1.3198a2e037073p-69;
constexpr double TwoOverPi = 0x1.45f306dc9c883p-1;

constexpr double Ln2High = 0x1.62e42feep-1; // 32 significant bits
constexpr double Ln2Low = 0x1.a39ef35793c76p-33;
constexpr double InverseLn2 = 0x1.71547652b82fep+0;

// Taylor series on |r| <= pi / 4; the first omitted terms are below 1e-17.
double SinKernel(double r)
{
    const double z = r * r;
    double p = 1.0 / 355687428096000.0;
    p = -1.0 / 1307674368000.0 + z * p;
    p = 1.0 / 6227020800.0 + z * p;
    p = -1.0 / 39916800.0 + z * p;
    p = 1.0 / 362880.0 + z * p;
    p = -1.0 / 5040.0 + z * p;
    p = 1.0 / 120.0 + z * p;
    p = -1.0 / 6.0 + z * p;
    return r + r * z * p;
}

double CosKernel(double r)
{
    const double z = r * r;
    double p = 1.0 / 20922789888000.0;
    p = -1.0 / 87178291200.0 + z * p;
    p = 1.0 / 479001600.0 + z * p;
    p = -1.0 / 3628800.0 + z * p;
    p = 1.0 / 40320.0 + z * p;
    p = -1.0 / 720.0 + z * p;
    p = 1.0 / 24.0 + z * p;
    return 1.0 - (0.5 * z - z * z * p);
}

// x = k * pi / 2 + r with |r| <= pi / 4 (a little more for huge x, where the
// reduction loses accuracy but stays deterministic); returns k mod 4.
int ReduceQuarterTurns(double x, double& r)
{
    const double k = std::floor(x * TwoOverPi + 0.5);
    r = ((x - k * HalfPiHigh) - k * HalfPiMid) - k * HalfPiLow;
    // k mod 4, exact for every integer-valued double; below 2^52 the
    // integer's low bits say it at once.
    if (std::fabs(k) < 0x1p52)
        return int(int64_t(k) & 3);
    return int(k - 4.0 * std::floor(k * 0.25));
}

} // namespace

double PortableSin(double x)
{
    if (!std::isfinite(x))
        return x - x;
    double r;
    switch (ReduceQuarterTurns(x, r)) {
    case 0:
        return SinKernel(r);
    case 1:
        return CosKernel(r);
    case 2:
        return -SinKernel(r);
    default:
        return -CosKernel(r);
    }
}

double PortableCos(double x)
{
    if (!std::isfinite(x))
        return x - x;
    double r;
    switch (ReduceQuarterTurns(x, r)) {
    case 0:
        return CosKernel(r);
    case 1:
        return -SinKernel(r);
    case 2:
        return -CosKernel(r);
    default:
        return SinKernel(r);
    }
}

double PortableExp(double x)
{
    if (std::isnan(x))
        return x;
    if (x > 710.0)
        return HUGE_VAL;
    if (x < -746.0)
        return 0.0;
    // x = k ln 2 + r, |r| <= ln 2 / 2; exp(r) by its Taylor series to r^13.
    const double k = std::floor(x * InverseLn2 + 0.5);
    const double r = (x - k * Ln2High) - k * Ln2Low;
    constexpr double Factorials[] = {6227020800.0, 479001600.0, 39916800.0, 3628800.0, 362880.0,
                                     40320.0,      5040.0,      720.0,      120.0,     24.0,
                                     6.0,          2.0,         1.0,        1.0};
    double p = 0;
    for (double factorial : Factorials)
        p = 1.0 / factorial + r * p;
    return std::ldexp(p, int(k));
}

} // namespace vel
