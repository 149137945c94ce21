#include "color/InkSeparation.h"

#include "color/ColorMath.h"
#include "color/PrintState.h"
#include "platform/Threads.h"

#include <algorithm>
#include <cmath>

namespace vel {

CmykInks CmykSplit(uint8_t r, uint8_t g, uint8_t b)
{
    const int c = 255 - r, m = 255 - g, y = 255 - b;
    const int k = std::min({c, m, y}) >> 2;
    return {uint8_t(c - k), uint8_t(m - k), uint8_t(y - k), uint8_t(k)};
}

namespace {

// Density of one pixel for the palette schemas: closeness to the ink colour
// ("Custom palette", "RGB palette") or darkness, faded out over the last
// five levels before white.
float PaletteDensity(const uint8_t* pixel, ColorSchemaKind schema, const InkColor& ink)
{
    const int r = pixel[0], g = pixel[1], b = pixel[2], a = pixel[3];
    const int average = (r + g + b) / 3;
    const float weight = average >= 250 ? float(a * (255 - average)) / 5.0f : float(a);
    float distance;
    if (schema == ColorSchemaKind::CustomPalette || schema == ColorSchemaKind::RgbPalette) {
        const int dr = r - ink.R, dg = g - ink.G, db = b - ink.B;
        distance = std::sqrt(float(dr * dr + dg * dg + db * db) / 3.0f);
        if (schema == ColorSchemaKind::RgbPalette)
            distance = std::min(distance, 255.0f);
    } else {
        distance = std::sqrt(float(r * r + g * g + b * b) / 3.0f);
    }
    return (255.0f - distance) * weight / 255.0f;
}

float CmykDensity(const uint8_t* pixel, int ink)
{
    const CmykInks split = CmykSplit(pixel[0], pixel[1], pixel[2]);
    const uint8_t component[4] = {split.C, split.M, split.Y, split.K};
    return float(component[ink] * pixel[3]) / 255.0f;
}

} // namespace

bool SeparateInk(PrintState& state, const ParameterBlock& params, int layer, int ink)
{
    const size_t pixels = size_t(std::max(state.WorkWidth, 0)) * size_t(std::max(state.WorkHeight, 0));
    if (pixels == 0 || state.DensityPlane.Bytes() < pixels || state.SourcePlane.Bytes() < pixels * 4 ||
        ink < 0 || ink >= MaxInks)
        return false;
    const ColorSchemaKind schema = ColorSchemaKind(params.ColorSchema);
    const InkColor color = state.Palette.Inks[ink];
    const bool negative = SelectLayer(params, LayerIndex(layer)).Invert == int32_t(EngraveType::Negative);
    const uint8_t* source = state.SourcePlane.Data();
    uint8_t* density = state.DensityPlane.Data();
    const size_t width = size_t(state.WorkWidth);
    ForEachBand(state.WorkHeight, [&](int, int64_t first, int64_t end) {
        for (size_t i = size_t(first) * width, last = size_t(end) * width; i < last; ++i) {
            const uint8_t* pixel = source + 4 * i;
            float value = schema == ColorSchemaKind::CmykPalette ? CmykDensity(pixel, ink)
                                                                 : PaletteDensity(pixel, schema, color);
            if (negative)
                value = 255.0f - value;
            density[i] = ClampByte(value);
        }
    });
    return true;
}

} // namespace vel
