#pragma once
// The distinct colours of the analysis sample with their pixel counts: a
// hashed table of at most 32767 colours. A sample with more colours is
// coarsened (fewer levels per channel) until its colours fit.

#include "platform/PageMemory.h"

#include <cstdint>
#include <vector>

namespace vel {

struct HistogramEntry {
    uint8_t R;
    uint8_t G;
    uint8_t B;
    uint32_t Count;
};

class ColorHistogram {
  public:
    static constexpr int Capacity = 32767;
    static constexpr int BucketCount = 20023;

    // Reserves the table (empty). False when the memory is not available.
    bool Allocate();
    void Release();
    explicit operator bool() const { return bool(heads_); }

    // Empties the table, keeping its storage.
    void Clear();

    // Counts one pixel. False, changing nothing, when the colour is new and
    // the table is full.
    bool Add(uint8_t r, uint8_t g, uint8_t b);

    int Size() const { return size_; }

    // The entries in table order: buckets 0 upwards, each chain from its
    // head (the colour that entered the bucket last).
    std::vector<HistogramEntry> List() const;

  private:
    struct Slot {
        HistogramEntry Entry;
        int32_t Next; // slot index + 1 of the next colour in the chain, 0 at the end
    };

    static int BucketOf(uint8_t r, uint8_t g, uint8_t b);

    Plane<int32_t> heads_; // slot index + 1 of each chain's head, 0 when empty
    Plane<Slot> slots_;
    int size_ = 0;
};

// Builds `histogram` from the RGB bytes of `sample` (4 bytes a pixel) and
// returns the largest channel value the counted colours can hold: 255, or
// less when the sample had to be coarsened. Pixels near white in the sample
// are left out as paper; when all are, the first pixel is counted once. The
// sample itself is never altered. Returns -1 when memory is missing.
int BuildColorHistogram(const Plane<uint8_t>& sample, ColorHistogram& histogram);

} // namespace vel
