#include "color/PaletteExtraction.h"

#include "color/MedianCut.h"
#include "platform/Threads.h"

#include <algorithm>
#include <array>

namespace vel {

namespace {

// The colours of the median cut; only the first `Size` entries are in use.
struct Candidates {
    std::array<ExtractedColor, ExtractedListSize> Colors;
    int Size;
    ExtractedColor* begin() { return Colors.data(); }
    ExtractedColor* end() { return Colors.data() + Size; }
};

int SquaredDistance(const InkColor& a, int r, int g, int b)
{
    const int dr = a.R - r, dg = a.G - g, db = a.B - b;
    return dr * dr + dg * dg + db * db;
}

// Stretches colours of a coarsened histogram back to 0..255.
void ExpandLevels(Candidates& colors, int max)
{
    if (max >= 255)
        return;
    const int divisor = max > 0 ? max : 1;
    for (ExtractedColor& c : colors)
        for (uint8_t* v : {&c.Color.R, &c.Color.G, &c.Color.B})
            *v = uint8_t((*v * 255 + max / 2) / divisor);
}

// Gives every sample pixel, white ones included, to its nearest colour; the
// lowest index wins ties.
void CountNearest(Candidates& colors, const Plane<uint8_t>& sample)
{
    const size_t pixels = sample.Bytes() / 4;
    const uint8_t* data = sample.Data();
    // Each band counts on its own; the counts are added up afterwards.
    constexpr int64_t Grain = 16384;
    const int bands = BandCount(int64_t(pixels), Grain);
    std::array<std::array<uint32_t, ExtractedListSize>, MaxRenderThreads> counts{};
    RunBands(bands, int64_t(pixels), [&](int band, int64_t first, int64_t end) {
        const uint8_t* p = data + 4 * size_t(first);
        for (int64_t i = first; i < end; ++i, p += 4) {
            int best = 3 * 255 * 255;
            size_t nearest = 0;
            for (size_t k = 0; k < size_t(colors.Size); ++k) {
                const int d = SquaredDistance(colors.Colors[k].Color, p[0], p[1], p[2]);
                if (d < best) {
                    best = d;
                    nearest = k;
                }
            }
            ++counts[size_t(band)][nearest];
        }
    });
    for (size_t k = 0; k < size_t(colors.Size); ++k) {
        uint32_t total = 0;
        for (const auto& band : counts)
            total += band[k];
        colors.Colors[k].Count = total;
    }
}

// Deletes colours close to an earlier (more frequent) one, widening the
// notion of "close" pass by pass, until `count` colours remain. Only the
// median cut's own colours take part: unused entries are no colours of the
// image and must not become inks.
void MergeClose(Candidates& colors, int count)
{
    int& m = colors.Size;
    for (int threshold = 64; m > count; threshold *= 2)
        for (int r = 0; r < m && m > count; ++r)
            for (int j = r + 1; j < m && m > count;) {
                const InkColor& c = colors.Colors[size_t(j)].Color;
                if (SquaredDistance(colors.Colors[size_t(r)].Color, c.R, c.G, c.B) <= threshold) {
                    std::copy(colors.begin() + j + 1, colors.end(), colors.begin() + j);
                    --m;
                } else {
                    ++j;
                }
            }
}

int Lightness(const InkColor& c)
{
    return c.R + c.G + c.B;
}

void OrderDarkestFirst(InkColor* inks, int count)
{
    for (int pass = 1; pass < count; ++pass)
        for (int i = 0; i + 1 < count; ++i)
            if (Lightness(inks[i]) > Lightness(inks[i + 1]))
                std::swap(inks[i], inks[i + 1]);
}

} // namespace

void ExtractPalette(InkPalette& palette, InkState& inks, const ParameterBlock& params,
                    const Plane<uint8_t>& sample, int count)
{
    std::fill(std::begin(palette.ExtractedList), std::end(palette.ExtractedList), ExtractedColor{});
    std::vector<HistogramEntry> colors = palette.Histogram.List();
    Candidates candidates{};
    candidates.Size =
        MedianCut(colors, uint32_t(sample.Bytes() / 4), palette.HistogramMax, palette.ExtractedList);
    count = std::min(count, candidates.Size);
    inks.InkCount = uint8_t(count);
    std::copy(std::begin(palette.ExtractedList), std::end(palette.ExtractedList), candidates.Colors.begin());
    ExpandLevels(candidates, palette.HistogramMax);
    CountNearest(candidates, sample);
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const ExtractedColor& a, const ExtractedColor& b) { return a.Count > b.Count; });
    MergeClose(candidates, count);

    for (int i = 0; i < count; ++i)
        palette.Inks[i] = candidates.Colors[size_t(i)].Color;
    OrderDarkestFirst(palette.Inks, inks.InkCount);
    for (uint8_t removed : params.RemovedColors) {
        if (!HoldsRemovedInk(removed))
            break;
        DeleteInk(palette, inks, params.ColorSchema, removed);
    }
    std::copy(std::begin(palette.Inks), std::end(palette.Inks), palette.ExtractedColors);
    inks.HistogramFresh = false;
    inks.PaletteChanged = true;
}

} // namespace vel
