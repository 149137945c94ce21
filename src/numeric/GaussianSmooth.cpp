#include "numeric/GaussianSmooth.h"

#include "numeric/PortableMath.h"
#include "platform/Threads.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

namespace vel {
namespace {

// n weights, 1 at the centre and exp(-0.5 (3j / r)²) at distance j, divided
// by their sum: a Gaussian cut at three standard deviations.
void BuildKernel(double* kernel, unsigned n)
{
    const unsigned r = n / 2;
    kernel[r] = 1.0;
    for (unsigned j = 1; j <= r; ++j) {
        const double z = 3.0 * double(j) / double(r);
        kernel[r - j] = kernel[r + j] = PortableExp(-0.5 * (z * z));
    }
    double sum = 0;
    for (unsigned i = 0; i < n; ++i)
        sum += kernel[i];
    for (unsigned i = 0; i < n; ++i)
        kernel[i] /= sum;
}

// Vectors of two and of four doubles; arithmetic on them is lane by lane,
// each lane rounded exactly as a scalar operation would be.
typedef double Double2 __attribute__((vector_size(16)));
typedef double Double4 __attribute__((vector_size(32)));
typedef int32_t Int2 __attribute__((vector_size(8)));
typedef int32_t Int4 __attribute__((vector_size(16)));

// out[x] = trunc(Σ kernel[i] × taps[i][x] + 0.5) for x in 0..len-1, summed
// over i in ascending order for every pixel. Count vectors of neighbouring
// pixels are summed side by side; each pixel still adds its terms one at a
// time in the defined order, so the bytes are exactly those of the plain
// definition whatever the vector width.
template <typename Vector, unsigned Count>
[[gnu::always_inline]] inline void SumTapsBody(const double* const* taps, const double* kernel, unsigned n,
                                               uint8_t* out, unsigned len)
{
    constexpr unsigned Lanes = sizeof(Vector) / sizeof(double);
    constexpr unsigned Block = Lanes * Count;
    unsigned x = 0;
    for (; x + Block <= len; x += Block) {
        Vector sum[Count] = {};
        for (unsigned i = 0; i < n; ++i) {
            const double weight = kernel[i];
            const double* tap = taps[i] + x;
            for (unsigned c = 0; c < Count; ++c) {
                Vector value;
                std::memcpy(&value, tap + c * Lanes, sizeof value);
                sum[c] += weight * value;
            }
        }
        // The sums lie in 0..255.5, so truncating each to a 32-bit integer
        // (a vector conversion) and keeping its low byte is the conversion
        // to uint8_t lane by lane.
        using Int32s = std::conditional_t<Lanes == 2, Int2, Int4>;
        for (unsigned c = 0; c < Count; ++c) {
            const Int32s whole = __builtin_convertvector(sum[c] + 0.5, Int32s);
            for (unsigned lane = 0; lane < Lanes; ++lane)
                out[x + c * Lanes + lane] = uint8_t(whole[lane]);
        }
    }
    for (; x < len; ++x) {
        double sum = 0;
        for (unsigned i = 0; i < n; ++i)
            sum += kernel[i] * taps[i][x];
        out[x] = uint8_t(sum + 0.5);
    }
}

void SumTapsBaseline(const double* const* taps, const double* kernel, unsigned n, uint8_t* out, unsigned len)
{
    SumTapsBody<Double2, 4>(taps, kernel, n, out, len);
}

// The same arithmetic four doubles to a register where the processor has
// AVX2 (without FMA: products and sums stay separately rounded).
[[gnu::target("avx2")]] void SumTapsWide(const double* const* taps, const double* kernel, unsigned n,
                                         uint8_t* out, unsigned len)
{
    SumTapsBody<Double4, 4>(taps, kernel, n, out, len);
}

void SumTaps(const double* const* taps, const double* kernel, unsigned n, uint8_t* out, unsigned len)
{
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide)
        SumTapsWide(taps, kernel, n, out, len);
    else
        SumTapsBaseline(taps, kernel, n, out, len);
}

// The pixel index that position p of a line of `len` pixels reads: inside
// it is p itself, outside it is mirrored about the edge pixel, which is not
// repeated (-1 reads 1, len reads len - 2).
unsigned Mirror(int64_t p, unsigned len)
{
    if (p < 0)
        return unsigned(-p);
    if (p >= int64_t(len))
        return unsigned(2 * (int64_t(len) - 1) - p);
    return unsigned(p);
}

void ToDoubles(const uint8_t* pixels, unsigned count, double* out)
{
    for (unsigned i = 0; i < count; ++i)
        out[i] = pixels[i];
}

// One row smoothed along itself: the row, mirrored by r pixels on both
// sides, in `line` (w + 2r doubles), summed into `out` (w bytes).
void SmoothRow(const uint8_t* row, unsigned w, const double* kernel, unsigned n, double* line,
               const double** taps, uint8_t* out)
{
    const unsigned r = n / 2;
    for (unsigned i = 0; i < n; ++i)
        taps[i] = line + i;
    ToDoubles(row, w, line + r);
    for (unsigned m = 1; m <= r; ++m) {
        line[r - m] = row[Mirror(-int64_t(m), w)];
        line[r + w - 1 + m] = row[Mirror(int64_t(w) - 1 + m, w)];
    }
    SumTaps(taps, kernel, n, out, w);
}

// What one band of output rows works with.
struct BandScratch {
    double* Line;        // w + 2r doubles: a mirrored source row
    double* Ring;        // n rows of w doubles: rows smoothed along themselves
    uint8_t* Bytes;      // w bytes: one row smoothed along itself
    uint8_t* Borders;    // 2r rows of w bytes: source rows beside the band
    const double** Taps; // n pointers
};

// Output rows first..end-1, both passes at once. Row j smoothed along itself
// sits in ring slot j mod n; output row y sums the slots of rows y - r ..
// y + r (mirrored), all within r of y, so no slot is reused while it is
// still needed, and row y + r enters the ring before row y is written.
// Source rows are read as they enter the ring: this band's rows before they
// are written (in place), the r rows on either side from `Borders`, copied
// before any band began writing.
void SmoothBand(const uint8_t* source, uint8_t* target, unsigned w, unsigned h, int64_t first, int64_t end,
                const double* kernel, unsigned n, const BandScratch& s)
{
    const int64_t r = n / 2;
    const auto sourceRow = [&](int64_t j) -> const uint8_t* {
        if (j < first)
            return s.Borders + size_t(j - (first - r)) * w;
        if (j >= end)
            return s.Borders + size_t(r + (j - end)) * w;
        return source + size_t(j) * w;
    };
    const auto slot = [&](int64_t j) { return s.Ring + size_t(j % n) * w; };
    const auto enter = [&](int64_t j) {
        SmoothRow(sourceRow(j), w, kernel, n, s.Line, s.Taps, s.Bytes);
        ToDoubles(s.Bytes, w, slot(j));
    };
    for (int64_t j = std::max<int64_t>(first - r, 0); j < std::min<int64_t>(first + r, h); ++j)
        enter(j);
    for (int64_t y = first; y < end; ++y) {
        if (y + r < int64_t(h))
            enter(y + r);
        for (unsigned i = 0; i < n; ++i)
            s.Taps[i] = slot(Mirror(y + int64_t(i) - r, h));
        SumTaps(s.Taps, kernel, n, target + size_t(y) * w, w);
    }
}

} // namespace

bool GaussianSmooth(uint8_t* source, uint8_t* output, unsigned w, unsigned h, unsigned n)
{
    if (!source || w == 0 || h == 0 || n == 0 || n % 2 == 0)
        return false;
    const unsigned r = n / 2;
    if (r >= w || r >= h)
        return false;

    // Bands of rows, one a thread; each band's scratch is allocated once per
    // call. Every pixel is computed exactly as by one thread over all rows.
    const int bands = std::max(BandCount(h, std::max<int64_t>(8, 2 * int64_t(n))), 1);
    const size_t lineLength = size_t(w) + 2 * size_t(r);
    const size_t doubles = lineLength + size_t(n) * w;
    const size_t bytes = size_t(w) + 2 * size_t(r) * w;
    std::unique_ptr<double[]> kernel(new (std::nothrow) double[n + doubles * size_t(bands)]);
    std::unique_ptr<uint8_t[]> byteScratch(new (std::nothrow) uint8_t[bytes * size_t(bands)]);
    std::unique_ptr<const double*[]> taps(new (std::nothrow) const double*[size_t(n) * size_t(bands)]);
    if (!kernel || !byteScratch || !taps)
        return false;
    BuildKernel(kernel.get(), n);

    uint8_t* target = output ? output : source;
    BandScratch scratch[MaxRenderThreads];
    for (int b = 0; b < bands; ++b) {
        BandScratch& s = scratch[size_t(b)];
        s.Line = kernel.get() + n + doubles * size_t(b);
        s.Ring = s.Line + lineLength;
        s.Bytes = byteScratch.get() + bytes * size_t(b);
        s.Borders = s.Bytes + w;
        s.Taps = taps.get() + size_t(n) * size_t(b);
        // The source rows within r above and below the band, before any
        // band writes (only the rows that exist are copied).
        const int64_t first = int64_t(h) * b / bands, end = int64_t(h) * (b + 1) / bands;
        for (int64_t j = first - r; j < first; ++j)
            if (j >= 0)
                std::memcpy(s.Borders + size_t(j - (first - r)) * w, source + size_t(j) * w, w);
        for (int64_t j = end; j < end + r; ++j)
            if (j < int64_t(h))
                std::memcpy(s.Borders + size_t(r + (j - end)) * w, source + size_t(j) * w, w);
    }
    RunBands(bands, h, [&](int band, int64_t first, int64_t end) {
        SmoothBand(source, target, w, h, first, end, kernel.get(), n, scratch[size_t(band)]);
    });
    return true;
}

} // namespace vel
