#include "numeric/GaussianSmooth.h"

#include "numeric/PortableMath.h"
#include "platform/Threads.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

namespace vel {
namespace {

// Columns are smoothed in strips this wide, so that the rows of a strip that
// the kernel spans stay in the cache.
constexpr unsigned StripWidth = 512;

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

// Rows first..end-1: each row, mirrored by r pixels on both sides, in one
// line of doubles.
void SmoothRows(const uint8_t* source, uint8_t* target, unsigned w, unsigned first, unsigned end,
                const double* kernel, unsigned n, double* line, const double** taps)
{
    const unsigned r = n / 2;
    for (unsigned i = 0; i < n; ++i)
        taps[i] = line + i;
    for (unsigned y = first; y < end; ++y) {
        const uint8_t* row = source + size_t(y) * w;
        ToDoubles(row, w, line + r);
        for (unsigned m = 1; m <= r; ++m) {
            line[r - m] = row[Mirror(-int64_t(m), w)];
            line[r + w - 1 + m] = row[Mirror(int64_t(w) - 1 + m, w)];
        }
        SumTaps(taps, kernel, n, target + size_t(y) * w, w);
    }
}

// Columns, strips first..end-1 of StripWidth columns: output row y of a strip
// needs rows y - r .. y + r (mirrored) of the strip as they were before any
// of them was overwritten. A ring of n rows keeps row j in slot j mod n;
// every row that row y reads lies within r of y, so no slot is reused while
// it is still needed, and row y + r is copied in before row y is written.
void SmoothColumns(uint8_t* plane, unsigned w, unsigned h, unsigned stripWidth, unsigned first, unsigned end,
                   const double* kernel, unsigned n, double* ring, const double** taps)
{
    const unsigned r = n / 2;
    for (unsigned strip = first; strip < end; ++strip) {
        const unsigned x0 = strip * stripWidth;
        const unsigned width = std::min(stripWidth, w - x0);
        const auto slot = [&](unsigned row) { return ring + size_t(row % n) * stripWidth; };
        for (unsigned row = 0; row < r && row < h; ++row)
            ToDoubles(plane + size_t(row) * w + x0, width, slot(row));
        for (unsigned y = 0; y < h; ++y) {
            if (y + r < h)
                ToDoubles(plane + size_t(y + r) * w + x0, width, slot(y + r));
            for (unsigned i = 0; i < n; ++i)
                taps[i] = slot(Mirror(int64_t(y) + i - r, h));
            SumTaps(taps, kernel, n, plane + size_t(y) * w + x0, width);
        }
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

    // The row pass splits the rows and the column pass the strips between
    // the threads; every pixel is computed exactly as by one thread. Each
    // thread's scratch, allocated once per call, holds a mirrored row for
    // the row pass and then the ring of the column pass; the tap pointers
    // follow the kernel.
    // With several threads the strips are narrowed so that each thread gets
    // about as many columns (the last strip is not left short).
    unsigned strips = (w + StripWidth - 1) / StripWidth;
    const int rowBands = BandCount(h, 8), stripBands = BandCount(strips, 1);
    if (stripBands > 1)
        strips = (strips + unsigned(stripBands) - 1) / unsigned(stripBands) * unsigned(stripBands);
    const unsigned stripWidth = std::min(StripWidth, (w + strips - 1) / strips);
    strips = (w + stripWidth - 1) / stripWidth;
    const int threads = std::max({rowBands, stripBands, 1});
    const size_t lineLength = size_t(w) + 2 * size_t(r);
    const size_t scratchLength = std::max(lineLength, size_t(n) * StripWidth);
    std::unique_ptr<double[]> kernel(new (std::nothrow) double[n + scratchLength * size_t(threads)]);
    std::unique_ptr<const double*[]> taps(new (std::nothrow) const double*[size_t(n) * size_t(threads)]);
    if (!kernel || !taps)
        return false;
    BuildKernel(kernel.get(), n);
    double* scratch = kernel.get() + n;
    const auto scratchOf = [&](int band) { return scratch + scratchLength * size_t(band); };
    const auto tapsOf = [&](int band) { return taps.get() + size_t(n) * size_t(band); };

    uint8_t* plane = output ? output : source;
    RunBands(rowBands, h, [&](int band, int64_t first, int64_t end) {
        SmoothRows(source, plane, w, unsigned(first), unsigned(end), kernel.get(), n, scratchOf(band),
                   tapsOf(band));
    });
    RunBands(stripBands, strips, [&](int band, int64_t first, int64_t end) {
        SmoothColumns(plane, w, h, stripWidth, unsigned(first), unsigned(end), kernel.get(), n,
                      scratchOf(band), tapsOf(band));
    });
    return true;
}

} // namespace vel
