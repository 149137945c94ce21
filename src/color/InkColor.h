#pragma once
// Ink colours as the palette stores them.

#include <cstdint>

namespace vel {

struct InkColor {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
    friend bool operator==(const InkColor&, const InkColor&) = default;
};

// A colour of the median cut with the number of sample pixels it stands for.
struct ExtractedColor {
    InkColor Color;
    uint32_t Count = 0;
};

inline constexpr int MaxInks = 4;
inline constexpr int ExtractedListSize = 32;

inline constexpr InkColor Black{0, 0, 0};
inline constexpr InkColor RgbBase[3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
inline constexpr InkColor CmykBase[4] = {{0, 255, 255}, {255, 0, 255}, {255, 255, 0}, {0, 0, 0}};

} // namespace vel
