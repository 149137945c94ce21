#include "color/ColorHistogram.h"

#include "platform/Threads.h"

#include <cstring>

namespace vel {

bool ColorHistogram::Allocate()
{
    size_ = 0;
    if (heads_.Allocate(BucketCount, 1) && slots_.Allocate(Capacity, 1))
        return true;
    Release();
    return false;
}

void ColorHistogram::Release()
{
    heads_.Release();
    slots_.Release();
    size_ = 0;
}

void ColorHistogram::Clear()
{
    std::memset(heads_.Data(), 0, heads_.Bytes());
    size_ = 0;
}

int ColorHistogram::BucketOf(uint8_t r, uint8_t g, uint8_t b)
{
    const uint32_t key =
        (uint32_t(r) * 33023u + uint32_t(g) * 30013u + uint32_t(b) * 27011u + 24007u) & 0x7FFFFFFFu;
    return int(key % uint32_t(BucketCount));
}

bool ColorHistogram::Add(uint8_t r, uint8_t g, uint8_t b)
{
    int32_t& head = heads_.Data()[BucketOf(r, g, b)];
    for (int32_t link = head; link != 0;) {
        Slot& slot = slots_.Data()[link - 1];
        if (slot.Entry.R == r && slot.Entry.G == g && slot.Entry.B == b) {
            ++slot.Entry.Count;
            return true;
        }
        link = slot.Next;
    }
    if (size_ == Capacity)
        return false;
    slots_.Data()[size_] = {{r, g, b, 1}, head};
    head = ++size_;
    return true;
}

std::vector<HistogramEntry> ColorHistogram::List() const
{
    std::vector<HistogramEntry> list;
    list.reserve(size_t(size_));
    for (int bucket = 0; bucket < BucketCount && heads_; ++bucket)
        for (int32_t link = heads_.Data()[bucket]; link != 0; link = slots_.Data()[link - 1].Next)
            list.push_back(slots_.Data()[link - 1].Entry);
    return list;
}

namespace {

bool IsPaperWhite(const uint8_t* pixel)
{
    const int r = 255 - pixel[0], g = 255 - pixel[1], b = 255 - pixel[2];
    return r * r + g * g + b * b < 100;
}

// Counts the colours of `levels` (the sample, or its coarsened copy), leaving
// out the pixels that are white in the unaltered `sample`.
bool CountColors(const uint8_t* sample, const uint8_t* levels, size_t pixels, ColorHistogram& histogram)
{
    histogram.Clear();
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t* p = levels + 4 * i;
        if (!IsPaperWhite(sample + 4 * i) && !histogram.Add(p[0], p[1], p[2]))
            return false;
    }
    if (histogram.Size() == 0 && pixels > 0)
        histogram.Add(levels[0], levels[1], levels[2]);
    return true;
}

// Halves the number of levels per channel, rounding to the nearest level.
int Coarsen(uint8_t* levels, size_t pixels, int max)
{
    const int reduced = max / 2;
    const int divisor = max > 0 ? max : 1;
    ForEachBand(
        int64_t(pixels),
        [&](int, int64_t first, int64_t end) {
            for (size_t i = size_t(first); i < size_t(end); ++i)
                for (int k = 0; k < 3; ++k) {
                    uint8_t& v = levels[4 * i + size_t(k)];
                    v = uint8_t((v * reduced + max / 2) / divisor);
                }
        },
        16384);
    return reduced;
}

} // namespace

int BuildColorHistogram(const Plane<uint8_t>& sample, ColorHistogram& histogram)
{
    if (!histogram && !histogram.Allocate())
        return -1;
    const size_t pixels = sample.Bytes() / 4;
    if (CountColors(sample.Data(), sample.Data(), pixels, histogram))
        return 255;

    Plane<uint8_t> levels;
    if (!levels.Allocate(int(pixels), 1, 4)) {
        histogram.Release();
        return -1;
    }
    std::memcpy(levels.Data(), sample.Data(), pixels * 4);
    int max = 255;
    do
        max = Coarsen(levels.Data(), pixels, max);
    while (!CountColors(sample.Data(), levels.Data(), pixels, histogram));
    return max;
}

} // namespace vel
