#include "color/PaperLook.h"

#include "color/ColorMath.h"

#include <algorithm>

namespace vel {

Hsl RgbToHsl(int r, int g, int b)
{
    const int mx = std::max({r, g, b}), mn = std::min({r, g, b}), s = mx + mn;
    const int l = int(float(s) / 2.0f + 0.5f);
    if (mx == mn)
        return {0, 0, l};
    const int d = mx - mn;
    const float saturation =
        float(s) / 2.0f < 128.0f ? float(255 * d) / float(s) : float(255 * d) / float(511 - s);
    float h;
    if (r == mx)
        h = float(g - b) / float(d);
    else if (g == mx)
        h = float(b - r) / float(d) + 2.0f;
    else
        h = float(r - g) / float(d) + 4.0f;
    float hue = h * 42.5f;
    if (hue < 0.0f)
        hue += 255.0f;
    else if (hue > 255.0f)
        hue -= 255.0f;
    return {int(hue + 0.5f), int(saturation + 0.5f), l};
}

namespace {

uint8_t HueChannel(float t1, float t2, float h)
{
    if (h > 255.0f)
        h -= 255.0f;
    else if (h < 0.0f)
        h += 255.0f;
    float v;
    if (h < 42.5f)
        v = t1 + (t2 - t1) * h / 42.5f;
    else if (h < 127.5f)
        v = t2;
    else if (h < 170.0f)
        v = t1 + (t2 - t1) * (170.0f - h) / 42.5f;
    else
        v = t1;
    return ClampByte(255.0f * v + 0.5f);
}

} // namespace

void HslToRgb(Hsl hsl, uint8_t rgb[3])
{
    if (hsl.S == 0) {
        rgb[0] = rgb[1] = rgb[2] = ClampByte(int64_t(hsl.L));
        return;
    }
    const float l = float(hsl.L), s = float(hsl.S);
    const float t2 =
        hsl.L < 128 ? float(hsl.L * (hsl.S + 255)) / 65025.0f : (l + s - l * s / 255.0f) / 255.0f;
    const float t1 = l / 127.5f - t2;
    const float h = float(hsl.H);
    rgb[0] = HueChannel(t1, t2, h + 85.0f);
    rgb[1] = HueChannel(t1, t2, h);
    rgb[2] = HueChannel(t1, t2, h - 85.0f);
}

uint8_t SelfOverlay(int x)
{
    const int h = x / 2;
    if (x < 128)
        return uint8_t(int(float((2 * h + 128) * x) / 255.0f));
    return uint8_t(int(255.0f - float((382 - 2 * h) * (255 - x)) / 255.0f));
}

PaperLook MakePaperLook(float intensity, float colorization, int32_t paperColor)
{
    PaperLook look{LimitReal(intensity, 0.0f, 200.0f) / 100.0f,
                   LimitReal(colorization, 0.0f, 100.0f) / 100.0f,
                   {uint8_t(paperColor), uint8_t(paperColor >> 8), uint8_t(paperColor >> 16)},
                   0};
    look.ColorHue = RgbToHsl(look.Color[0], look.Color[1], look.Color[2]).H;
    return look;
}

void ColorizedPixel(const PaperLook& look, const uint8_t* texture, uint8_t* out)
{
    const float a = look.Intensity, w = look.Colorization;
    const int grey = (texture[0] + texture[1] + texture[2]) / 3;
    const int q = int(float(grey) * a + (1.0f - a) * 255.0f);
    for (int k = 0; k < 3; ++k)
        out[k] = ClampByte(float(q * look.Color[k] / 255) * w + float(q) * (1.0f - w));
    out[3] = texture[3];
}

void SurfacePixel(const PaperLook& look, const uint8_t* texture, uint8_t* out)
{
    const float a = look.Intensity, w = look.Colorization;
    const Hsl own = RgbToHsl(texture[0], texture[1], texture[2]);
    uint8_t tinted[3];
    HslToRgb({look.ColorHue, own.S, own.L}, tinted);
    for (int k = 0; k < 3; ++k) {
        const int mixed = int(float(texture[k]) * (1.0f - w) + float(tinted[k]) * w);
        const int contrasted = int(0.25f * float(SelfOverlay(mixed)) + 0.75f * float(mixed));
        float value;
        if (a <= 1.0f) {
            value = 255.0f * (1.0f - a) + float(contrasted) * a;
        } else {
            const float b = 2.0f - a;
            value = float(mixed) * (1.0f - b) + float(contrasted) * b;
        }
        out[k] = ClampByte(value);
    }
    out[3] = texture[3];
}

} // namespace vel
