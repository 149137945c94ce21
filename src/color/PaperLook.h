#pragma once
// How a paper texture is interpreted: "Colorized" (grey texture tinted by the
// paper colour) and "Surface" (the paper colour's hue on the texture's own
// saturation and lightness, with added contrast), and the colour arithmetic
// they use. Hue, saturation and lightness are in 0..255 units, a full hue
// turn being 255.

#include <cstdint>

namespace vel {

struct Hsl {
    int H;
    int S;
    int L;
};

Hsl RgbToHsl(int r, int g, int b);
void HslToRgb(Hsl hsl, uint8_t rgb[3]);

// A soft contrast curve: darkens below 128, lightens above.
uint8_t SelfOverlay(int x);

// The paper parameters a mode needs, fixed for a render.
struct PaperLook {
    float Intensity;    // PaperIntensity / 100
    float Colorization; // PaperColorization / 100
    uint8_t Color[3];   // PaperColor red, green, blue
    int ColorHue;       // hue of Color
};

// Intensity and colorization in percent, limited to 0..200 and 0..100.
PaperLook MakePaperLook(float intensity, float colorization, int32_t paperColor);

// Both map one RGBA texture pixel to one RGBA output pixel; alpha is kept.
void ColorizedPixel(const PaperLook& look, const uint8_t* texture, uint8_t* out);
void SurfacePixel(const PaperLook& look, const uint8_t* texture, uint8_t* out);

} // namespace vel
