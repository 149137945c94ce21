#include "numeric/PortableMath.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>

// The kernels and helpers here pass vectors by value; they are all inlined
// into the functions that use them, and none is visible outside this file,
// so the ABI of passing four doubles without AVX never applies.
#pragma GCC diagnostic ignored "-Wpsabi"

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

// A double, or the same value in every lane of a vector of doubles.
template <typename T> [[gnu::always_inline]] inline T Splat(double v)
{
    if constexpr (std::is_same_v<T, double>)
        return v;
    else
        return T{} + v;
}

// Taylor series on |r| <= pi / 4; the first omitted terms are below 1e-17.
// T is double or a vector of doubles: lane by lane the operations and their
// roundings are those of the scalar evaluation.
template <typename T> [[gnu::always_inline]] inline T SinKernel(const T& r)
{
    const T z = r * r;
    T p = Splat<T>(1.0 / 355687428096000.0);
    p = -1.0 / 1307674368000.0 + z * p;
    p = 1.0 / 6227020800.0 + z * p;
    p = -1.0 / 39916800.0 + z * p;
    p = 1.0 / 362880.0 + z * p;
    p = -1.0 / 5040.0 + z * p;
    p = 1.0 / 120.0 + z * p;
    p = -1.0 / 6.0 + z * p;
    return r + r * z * p;
}

template <typename T> [[gnu::always_inline]] inline T CosKernel(const T& r)
{
    const T z = r * r;
    T p = Splat<T>(1.0 / 20922789888000.0);
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

typedef double Double2 __attribute__((vector_size(16)));
typedef double Double4 __attribute__((vector_size(32)));
typedef int32_t Int2 __attribute__((vector_size(8)));
typedef int32_t Int4 __attribute__((vector_size(16)));

// Sines of Lanes values side by side, bit for bit those of PortableSin: the
// quarter-turn count is found without floor (rounding to an integer by
// adding and taking away 1.5 × 2^52, then stepping down where that rounded
// up), which is exact below 2^30; both kernels are evaluated and each lane
// takes the one its quarter asks for. Returns false, having written
// nothing, when a lane lies outside that range (or is not finite).
template <typename Vector, typename Ints>
[[gnu::always_inline]] inline bool SinLanes(const double* x, double* out)
{
    constexpr int Lanes = sizeof(Vector) / sizeof(double);
    Vector v;
    std::memcpy(&v, x, sizeof v);
    const Vector turns = v * TwoOverPi + 0.5;
    for (int lane = 0; lane < Lanes; ++lane)
        if (!(std::fabs(turns[lane]) < 0x1p30))
            return false;
    const Vector nearest = (turns + 0x1.8p52) - 0x1.8p52;
    const auto roundedUp = nearest > turns; // all ones in the lanes that did
    using Mask = decltype(roundedUp);
    const Vector k = nearest - (Vector)(roundedUp & (Mask)Splat<Vector>(1.0));
    const Vector r = ((v - k * HalfPiHigh) - k * HalfPiMid) - k * HalfPiLow;
    const Vector sine = SinKernel(r);
    const Vector cosine = CosKernel(r);
    const Ints quarter = __builtin_convertvector(k, Ints) & 3;
    for (int lane = 0; lane < Lanes; ++lane) {
        const double kernels[2] = {sine[lane], cosine[lane]};
        const double value = kernels[quarter[lane] & 1];
        out[lane] = quarter[lane] & 2 ? -value : value;
    }
    return true;
}

template <typename Vector, typename Ints>
[[gnu::always_inline]] inline void SinBody(const double* x, double* out, int count)
{
    constexpr int Lanes = sizeof(Vector) / sizeof(double);
    int i = 0;
    for (; i + Lanes <= count; i += Lanes)
        if (!SinLanes<Vector, Ints>(x + i, out + i))
            for (int lane = 0; lane < Lanes; ++lane)
                out[i + lane] = PortableSin(x[i + lane]);
    for (; i < count; ++i)
        out[i] = PortableSin(x[i]);
}

void SinsBaseline(const double* x, double* out, int count)
{
    SinBody<Double2, Int2>(x, out, count);
}

// Four lanes where the processor has AVX2 (without FMA: products and sums
// stay separately rounded).
[[gnu::target("avx2")]] void SinsWide(const double* x, double* out, int count)
{
    SinBody<Double4, Int4>(x, out, count);
}

} // namespace

void PortableSins(const double* x, double* out, int count)
{
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide)
        SinsWide(x, out, count);
    else
        SinsBaseline(x, out, count);
}

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
