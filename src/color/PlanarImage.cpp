#include "color/PlanarImage.h"

#include "color/ColorMath.h"

#include <vector>

namespace vel {

bool PlanarImage::Allocate(int width, int height, int channels)
{
    Release();
    if (!Planes.Allocate(width, height, channels))
        return false;
    Width = width;
    Height = height;
    Channels = channels;
    return true;
}

void PlanarImage::Release()
{
    Planes.Release();
    Width = Height = Channels = 0;
    Ready = false;
}

namespace {

// Wraps a texture coordinate into 0..n-1 so the texture repeats seamlessly.
int Wrap(int v, int n)
{
    if (v < 0)
        v = v % n + n;
    if (v >= n)
        v %= n;
    return v;
}

// One axis of the bilinear sampling: the two neighbouring texture indexes
// and the weight of the second.
struct Taps {
    int First;
    int Second;
    float Weight;
};

std::vector<Taps> AxisTaps(int count, float step, int offset, int textureSize)
{
    std::vector<Taps> taps(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const float t = float(i) * step + float(offset);
        const int t0 = int(t);
        taps[size_t(i)] = {Wrap(t0, textureSize), Wrap(t0 + 1, textureSize), t - float(t0)};
    }
    return taps;
}

} // namespace

bool TilePaper(PlanarImage& destination, const PlanarImage& texture, float stepX, float stepY, int offsetX,
               int offsetY)
{
    if (!destination || !texture || destination.Channels != texture.Channels || texture.Channels < 1 ||
        texture.Channels > 5 || destination.Width < 1 || destination.Height < 1 || texture.Width < 1 ||
        texture.Height < 1)
        return false;
    const std::vector<Taps> columns = AxisTaps(destination.Width, stepX, offsetX, texture.Width);
    const std::vector<Taps> rows = AxisTaps(destination.Height, stepY, offsetY, texture.Height);
    const size_t textureWidth = size_t(texture.Width);
    for (int c = 0; c < texture.Channels; ++c) {
        const uint8_t* source = texture.Channel(c);
        uint8_t* out = destination.Channel(c);
        for (const Taps& row : rows) {
            const uint8_t* upper = source + size_t(row.First) * textureWidth;
            const uint8_t* lower = source + size_t(row.Second) * textureWidth;
            const float fy = row.Weight, gy = 1.0f - fy;
            for (const Taps& col : columns) {
                const float fx = col.Weight, gx = 1.0f - fx;
                const float value = float(upper[col.Second]) * fx * gy + float(upper[col.First]) * gx * gy +
                                    float(lower[col.First]) * gx * fy + float(lower[col.Second]) * fx * fy;
                *out++ = ClampByte(value);
            }
        }
    }
    destination.Ready = true;
    return true;
}

} // namespace vel
