#include "engine/ConeStamp.h"

#include "numeric/PortableMath.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include <emmintrin.h>

namespace vel {
namespace {

// Cones reaching further than this are composited straight from the table
// instead of through a square of values.
constexpr int SquareReach = 128;

// Zero bytes on both sides of every row of a square: a 16-byte block read
// around the stamp's columns stays inside the square's memory.
constexpr size_t SquarePad = 16;

// A run of offsets First..Last (empty when First > Last).
struct Span {
    int64_t First;
    int64_t Last;

    bool Holds(int64_t v) const { return v >= First && v <= Last; }
};

Span Clip(int64_t first, int64_t last, int64_t n)
{
    return {std::max<int64_t>(first, 0), std::min(last, n - 1)};
}

// Offsets 0..n-1 that keep centre + offset inside 0..size-1.
Span Ahead(int centre, int size, int n)
{
    return Clip(-int64_t(centre), int64_t(size) - 1 - centre, n);
}

// Offsets 0..n-1 that keep centre - offset inside 0..size-1.
Span Behind(int centre, int size, int n)
{
    return Clip(int64_t(centre) - size + 1, centre, n);
}

Span Hull(Span a, Span b)
{
    if (a.First > a.Last)
        return b;
    if (b.First > b.Last)
        return a;
    return {std::min(a.First, b.First), std::max(a.Last, b.Last)};
}

// The table index for an offset from the centre: trunc(offset / f), where
// f = r / 100 maps the stamp's radius onto the table's. Rounding can carry an
// offset just below r to index 100, the table's zero edge.
int ProfileIndex(int64_t offset, float f)
{
    const float t = float(offset) / f;
    return t < 100.0f ? int(t) : 100;
}

void MaxInto(uint8_t& pixel, uint8_t value)
{
    pixel = std::max(pixel, value);
}

// Composites offsets k of `right` (pixels x + k) and `left` (x - k) of one
// row, where column[k - first] is the table column of offset k.
void CompositeRow(uint8_t* row, int x, Span right, Span left, int64_t first, const int* column,
                  const uint8_t* profile)
{
    for (int64_t k = right.First; k <= right.Last; ++k)
        MaxInto(row[x + k], profile[column[k - first]]);
    for (int64_t k = left.First; k <= left.Last; ++k)
        MaxInto(row[x - k], profile[column[k - first]]);
}

// The cone of reach n and scale f composited offset by offset, using its
// four-fold symmetry; only the offsets that land inside the plane are visited.
void StampFromTable(const FieldPlane& field, const DiskTable& disk, int n, float f, int x, int y)
{
    const Span right = Ahead(x, field.Width, n);
    const Span left = Behind(x, field.Width, n);
    const Span down = Ahead(y, field.Height, n);
    const Span up = Behind(y, field.Height, n);
    const Span columns = Hull(right, left);
    const Span rows = Hull(down, up);

    // The cone is symmetric, so Values[row index][column index] equals the
    // table entry at (column index, row index).
    constexpr int Chunk = 64;
    int column[Chunk];
    for (int64_t first = columns.First; first <= columns.Last; first += Chunk) {
        const int64_t last = std::min(columns.Last, first + Chunk - 1);
        for (int64_t k = first; k <= last; ++k)
            column[k - first] = ProfileIndex(k, f);
        const Span chunkRight = {std::max(right.First, first), std::min(right.Last, last)};
        const Span chunkLeft = {std::max(left.First, first), std::min(left.Last, last)};
        for (int64_t i = rows.First; i <= rows.Last; ++i) {
            const uint8_t* profile = disk.Values[ProfileIndex(i, f)];
            if (down.Holds(i))
                CompositeRow(field.Pixels + size_t(y + i) * size_t(field.Width), x, chunkRight, chunkLeft,
                             first, column, profile);
            if (up.Holds(i) && i != 0)
                CompositeRow(field.Pixels + size_t(y - i) * size_t(field.Width), x, chunkRight, chunkLeft,
                             first, column, profile);
        }
    }
}

} // namespace

void ConeShape::Prepare(const DiskTable& disk, float w)
{
    // Bitwise, so that a NaN width is recognised as the same width too.
    if (prepared_ && disk_ == &disk && std::memcmp(&w, &width_, sizeof w) == 0)
        return;
    prepared_ = true;
    disk_ = &disk;
    width_ = w;
    if (!(w > 0.1f)) {
        kind_ = Kind::Nothing;
        return;
    }
    const float r = w / 2.0f;
    if (r <= 1.0f) {
        kind_ = Kind::Pixel;
        return;
    }
    reach_ = TruncateToInt(std::ceil(double(r)));
    scale_ = r / 100.0f;
    if (reach_ > SquareReach) {
        kind_ = Kind::Direct;
        return;
    }

    kind_ = Kind::Square;
    const int n = reach_;
    const size_t side = size_t(2 * n - 1);
    const size_t stride = side + 2 * SquarePad;
    square_.assign(side * stride, 0);
    int index[SquareReach];
    for (int k = 0; k < n; ++k)
        index[k] = ProfileIndex(k, scale_);
    for (int i = 0; i < n; ++i) {
        const uint8_t* profile = disk.Values[index[i]];
        uint8_t* below = &square_[size_t(n - 1 + i) * stride + SquarePad + size_t(n - 1)];
        uint8_t* above = &square_[size_t(n - 1 - i) * stride + SquarePad + size_t(n - 1)];
        for (int k = 0; k < n; ++k)
            below[k] = below[-k] = above[k] = above[-k] = profile[index[k]];
    }
}

void ConeShape::Stamp(const FieldPlane& field, int x, int y) const
{
    switch (kind_) {
    case Kind::Nothing:
        return;
    case Kind::Pixel:
        if (field.Contains(x, y))
            field.Pixels[size_t(y) * size_t(field.Width) + size_t(x)] = 255;
        return;
    case Kind::Direct:
        StampFromTable(field, *disk_, reach_, scale_, x, y);
        return;
    case Kind::Square:
        break;
    }

    // The square covers centre ± (n - 1) in both directions.
    const int64_t n = reach_;
    const size_t side = size_t(2 * n - 1);
    const int64_t x0 = std::max<int64_t>(int64_t(x) - (n - 1), 0);
    const int64_t x1 = std::min<int64_t>(int64_t(x) + (n - 1), field.Width - 1);
    const int64_t y0 = std::max<int64_t>(int64_t(y) - (n - 1), 0);
    const int64_t y1 = std::min<int64_t>(int64_t(y) + (n - 1), field.Height - 1);
    if (x0 > x1 || y0 > y1)
        return;
    // Each row is taken in the 16-byte blocks of memory that hold the
    // stamp's pixels: neighbouring stamps of a line then read and write the
    // same blocks, which the processor forwards from store to load, where
    // overlapping accesses at shifted offsets would wait for memory. A
    // block's pixels outside the stamp take the maximum with the square's
    // zero padding, which leaves them as they are; a block that reaches
    // beyond the row is done byte by byte.
    const size_t stride = side + 2 * SquarePad;
    const int64_t left = int64_t(x) - (n - 1); // the column of a square row's first value
    for (int64_t row = y0; row <= y1; ++row) {
        uint8_t* pixels = field.Pixels + size_t(row) * size_t(field.Width);
        const uint8_t* values = square_.data() + size_t(row - y + n - 1) * stride + SquarePad;
        const uintptr_t start = reinterpret_cast<uintptr_t>(pixels);
        const int64_t first = x0 - int64_t((start + uintptr_t(x0)) % 16); // column of the first block
        for (int64_t c = first; c <= x1; c += 16) {
            if (c >= 0 && c + 16 <= field.Width) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(values + (c - left)));
                __m128i* block = reinterpret_cast<__m128i*>(pixels + c);
                _mm_store_si128(block, _mm_max_epu8(_mm_load_si128(block), v));
            } else {
                for (int64_t k = std::max(c, x0), last = std::min(c + 15, x1); k <= last; ++k)
                    MaxInto(pixels[k], values[k - left]);
            }
        }
    }
}

void ConeStamp(const FieldPlane& field, const DiskTable& disk, float w, int x, int y)
{
    ConeShape shape;
    shape.Prepare(disk, w);
    shape.Stamp(field, x, y);
}

} // namespace vel
