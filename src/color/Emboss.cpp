#include "color/Emboss.h"

#include "color/ColorMath.h"
#include "color/PrintState.h"
#include "numeric/GaussianSmooth.h"
#include "numeric/PortableMath.h"
#include "platform/Threads.h"

#include <algorithm>
#include <cmath>

namespace vel {

namespace {

// Degrees to radians with pi taken as 3.141592.
constexpr double RadiansPerDegree = 0.01745328888888889;

struct Light {
    float X;
    float Y;
    float Z;
};

Light LightFrom(float alpha, float beta)
{
    const double a = double(alpha) * RadiansPerDegree, b = double(beta) * RadiansPerDegree;
    const double cosB = PortableCos(b);
    return {float(PortableCos(a) * cosB), float(PortableSin(a) * cosB), float(PortableSin(b))};
}

// Light and shade of one pixel's 3 × 3 neighbourhood of the blurred mask;
// 0 where the mask is flat.
float Shading(const uint8_t* above, const uint8_t* row, const uint8_t* below, int c, const Light& light)
{
    const int gx = (above[c - 1] + row[c - 1] + below[c - 1]) - (above[c + 1] + row[c + 1] + below[c + 1]);
    const int gy = (below[c - 1] + below[c] + below[c + 1]) - (above[c - 1] + above[c] + above[c + 1]);
    if (gx == 0 && gy == 0)
        return 0.0f;
    return (float(gx) * light.X + float(gy) * light.Y + light.Z) / std::sqrt(float(gx * gx + gy * gy + 1));
}

bool HasPlane(const Plane<uint8_t>& plane, size_t bytes)
{
    return plane.Bytes() >= bytes && bytes > 0;
}

} // namespace

unsigned EmbossKernelSize(float depth)
{
    const double spread = std::min(5.0 * std::fabs(double(depth)), 1.0e6);
    return 5u + 2u * unsigned(spread);
}

void AccumulateRelief(PrintState& state, float depth, float alpha, float beta)
{
    const int w = state.WorkWidth, h = state.WorkHeight;
    if (!(std::fabs(depth) > 0.0f) || w < 1 || h < 1)
        return;
    const size_t pixels = size_t(w) * size_t(h);
    if (!HasPlane(state.InkMaskPlane, pixels) || !HasPlane(state.EmbossPlane, pixels))
        return;
    uint8_t* mask = state.InkMaskPlane.Data();
    // A plane too small for the kernel keeps its unblurred mask.
    GaussianSmooth(mask, nullptr, unsigned(w), unsigned(h), EmbossKernelSize(depth));

    const Light light = LightFrom(std::isfinite(alpha) ? alpha : 0.0f, std::isfinite(beta) ? beta : 0.0f);
    ForEachBand(h, [&](int, int64_t first, int64_t end) {
        for (int r = std::max(1, int(first)); r < int(end) && r + 1 < h; ++r) {
            const uint8_t* above = mask + size_t(r - 1) * size_t(w);
            const uint8_t* row = above + w;
            const uint8_t* below = row + w;
            uint8_t* relief = state.EmbossPlane.Data() + size_t(r) * size_t(w);
            for (int c = 1; c + 1 < w; ++c) {
                const float q = Shading(above, row, below, c, light);
                const int v = above[c];
                const int edge = v < 127 ? v : 254 - v; // strongest half way between ink and paper
                const float delta = 127.0f * (float(edge) / 127.0f * q * depth);
                relief[c] = ClampByte(float(relief[c]) + delta);
            }
        }
    });
}

void ApplyEmboss(PrintState& state)
{
    const size_t pixels = size_t(std::max(state.WorkWidth, 0)) * size_t(std::max(state.WorkHeight, 0));
    if (!HasPlane(state.EmbossPlane, pixels) || !HasPlane(state.OutputPlane, pixels * 4))
        return;
    const uint8_t* relief = state.EmbossPlane.Data();
    uint8_t* out = state.OutputPlane.Data();
    const size_t width = size_t(state.WorkWidth);
    ForEachBand(state.WorkHeight, [&](int, int64_t first, int64_t end) {
        for (size_t i = size_t(first) * width, last = size_t(end) * width; i < last; ++i) {
            uint8_t* pixel = out + 4 * i;
            const int e = relief[i] - 127;
            for (int k = 0; k < 3; ++k)
                pixel[k] = ClampByte(int64_t(pixel[k] + e));
        }
    });
}

} // namespace vel
