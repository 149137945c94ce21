#include "engine/ConeStamp.h"

#include "engine/PortableMath.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace vel {
namespace {

// A run of offsets First..Last (empty when First > Last).
struct Span {
    int64_t First;
    int64_t Last;

    bool Holds(int64_t v) const { return v >= First && v <= Last; }
};

Span Clip(int64_t first, int64_t last, int64_t n) { return {std::max<int64_t>(first, 0), std::min(last, n - 1)}; }

// Offsets 0..n-1 that keep centre + offset inside 0..size-1.
Span Ahead(int centre, int size, int n) { return Clip(-int64_t(centre), int64_t(size) - 1 - centre, n); }

// Offsets 0..n-1 that keep centre - offset inside 0..size-1.
Span Behind(int centre, int size, int n) { return Clip(int64_t(centre) - size + 1, centre, n); }

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

void MaxInto(uint8_t& pixel, uint8_t value) { pixel = std::max(pixel, value); }

// Composites offsets k of `right` (pixels x + k) and `left` (x - k) of one
// row, for k in first..first + count - 1 whose table columns are `column`.
void CompositeRow(uint8_t* row, int x, Span right, Span left, int64_t first, const int* column,
                  const uint8_t* profile)
{
    for (int64_t k = right.First; k <= right.Last; ++k)
        MaxInto(row[x + k], profile[column[k - first]]);
    for (int64_t k = left.First; k <= left.Last; ++k)
        MaxInto(row[x - k], profile[column[k - first]]);
}

} // namespace

void ConeStamp(const FieldPlane& field, const DiskTable& disk, float w, int x, int y)
{
    if (!(w > 0.1f))
        return;
    const float r = w / 2.0f;
    if (r <= 1.0f) {
        if (field.Contains(x, y))
            field.Pixels[size_t(y) * size_t(field.Width) + size_t(x)] = 255;
        return;
    }

    const int n = TruncateToInt(std::ceil(double(r)));
    const float f = r / 100.0f;
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

} // namespace vel
