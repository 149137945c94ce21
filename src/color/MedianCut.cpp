#include "color/MedianCut.h"

#include <algorithm>

namespace vel {

namespace {

struct Box {
    size_t Begin;
    size_t End;
    uint32_t Weight;
    size_t Colors() const { return End - Begin; }
};

uint8_t Channel(const HistogramEntry& entry, int axis)
{
    return axis == 0 ? entry.R : axis == 1 ? entry.G : entry.B;
}

// The channel with the widest range over the box: red, then green, then blue
// on ties.
int WidestAxis(const HistogramEntry* first, const HistogramEntry* last)
{
    int range[3];
    for (int axis = 0; axis < 3; ++axis) {
        const auto [lo, hi] = std::minmax_element(first, last, [axis](const auto& a, const auto& b) {
            return Channel(a, axis) < Channel(b, axis);
        });
        range[axis] = Channel(*hi, axis) - Channel(*lo, axis);
    }
    if (range[0] >= range[1] && range[0] >= range[2])
        return 0;
    return range[1] >= range[2] ? 1 : 2;
}

// Sorts the box's colours along its widest axis and cuts it where the
// running count first reaches half its weight; the rest becomes a new box.
Box SplitBox(Box& box, std::vector<HistogramEntry>& colors)
{
    HistogramEntry* first = colors.data() + box.Begin;
    HistogramEntry* last = colors.data() + box.End;
    const int axis = WidestAxis(first, last);
    std::stable_sort(first, last,
                     [axis](const auto& a, const auto& b) { return Channel(a, axis) < Channel(b, axis); });

    const uint32_t half = box.Weight / 2;
    size_t k = 1;
    uint32_t kept = first[0].Count;
    while (k < box.Colors() - 1 && kept < half)
        kept += first[k++].Count;

    const Box rest{box.Begin + k, box.End, box.Weight - kept};
    box.End = box.Begin + k;
    box.Weight = kept;
    return rest;
}

InkColor MeanColor(const HistogramEntry* first, const HistogramEntry* last, int max)
{
    uint64_t sum[3] = {}, count = 0;
    for (const HistogramEntry* e = first; e != last; ++e) {
        sum[0] += uint64_t(e->R) * e->Count;
        sum[1] += uint64_t(e->G) * e->Count;
        sum[2] += uint64_t(e->B) * e->Count;
        count += e->Count;
    }
    uint8_t mean[3];
    for (int k = 0; k < 3; ++k)
        mean[k] = uint8_t(std::min<uint64_t>(count ? sum[k] / count : 0, uint64_t(max)));
    return {mean[0], mean[1], mean[2]};
}

} // namespace

int MedianCut(std::vector<HistogramEntry>& colors, uint32_t samplePixels, int max,
              std::span<ExtractedColor, ExtractedListSize> list)
{
    if (colors.empty())
        return 0;
    std::vector<Box> boxes{{0, colors.size(), samplePixels}};
    boxes.reserve(ExtractedListSize);
    while (boxes.size() < ExtractedListSize) {
        const auto splittable =
            std::find_if(boxes.begin(), boxes.end(), [](const Box& b) { return b.Colors() >= 2; });
        if (splittable == boxes.end())
            break;
        const Box rest = SplitBox(*splittable, colors);
        boxes.push_back(rest);
        std::stable_sort(boxes.begin(), boxes.end(),
                         [](const Box& a, const Box& b) { return a.Weight > b.Weight; });
    }
    for (size_t i = 0; i < boxes.size(); ++i)
        list[i] = {MeanColor(colors.data() + boxes[i].Begin, colors.data() + boxes[i].End, max),
                   boxes[i].Weight};
    return int(boxes.size());
}

} // namespace vel
