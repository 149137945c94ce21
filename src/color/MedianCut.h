#pragma once
// Median cut of a colour list into at most 32 representative colours.

#include "color/ColorHistogram.h"
#include "color/InkColor.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vel {

// Splits `colors` (modified: reordered inside each box) into boxes, starting
// from one box of weight `samplePixels`, always splitting the first box in
// weight order that holds two colours or more. Writes each box's
// count-weighted mean colour, limited to `max`, to `list` in box order
// (heaviest first) and returns the number of boxes; later entries are left
// as they are.
int MedianCut(std::vector<HistogramEntry>& colors, uint32_t samplePixels, int max,
              std::span<ExtractedColor, ExtractedListSize> list);

} // namespace vel
