#include "engine/Edges.h"

#include "engine/ScratchPlane.h"
#include "numeric/GaussianSmooth.h"
#include "numeric/PortableMath.h"
#include "numeric/SimplexNoise.h"
#include "platform/Threads.h"

#include <algorithm>
#include <cstring>

namespace vel {
namespace {

constexpr unsigned DoublesKernel = 11;
constexpr unsigned DistanceKernel = 9;

int ClampIndex(float v, int last)
{
    return std::clamp(TruncateToInt(v), 0, last);
}

// The curve that steepens the smoothed halo. Below width 50 it blends from
// the identity towards the fixed curve that every wider halo (and "Doubles")
// uses.
void BuildEdgeCurve(uint8_t (&curve)[256], float edgeWidth, EdgeKind kind)
{
    float u = 1.0f, rest = 0.0f, pivot = 75.0f, slope = 3.2f, level = 123.0f;
    if (edgeWidth < 50.0f && kind != EdgeKind::Doubles) {
        u = edgeWidth / 50.0f;
        rest = 1.0f - u;
        pivot = 127.0f * rest + 75.0f * u;
        slope = 80.0f * u / 25.0f + 1.5f * rest;
        level = 48.0f * u + pivot + 50.0f * rest;
    }
    for (int value = 0; value < 256; ++value) {
        const float mapped = u * (slope * (float(value) - pivot) + level) + rest * float(value);
        curve[value] = uint8_t(TruncateToInt(std::clamp(mapped, 0.0f, 255.0f)));
    }
}

// Moves every pixel of `target` by a smooth noise vector. `source` is either
// a copy (a clean warp) or the target itself, so that the warp reads pixels
// it has already moved and smears them.
void WarpEdges(const RenderState& state, uint8_t* target, const uint8_t* source, int width, int height,
               float edgeWidth, int layerIndex)
{
    const float s = state.PreviewScale;
    const float step = 0.075f * s;
    const float ox = float(state.WorkOffsetX) * step + float(layerIndex) * 11.2267f / s;
    const float oy = float(state.WorkOffsetY) * step + float(layerIndex) * 54.1123f / s;
    const float amplitude = edgeWidth / 100.0f;
    const auto warpRows = [&](int, int64_t first, int64_t end) {
        for (int i = int(first); i < int(end); ++i) {
            const float ny = float(i) * step + oy;
            uint8_t* row = target + size_t(i) * size_t(width);
            for (int j = 0; j < width; ++j) {
                const float nx = float(j) * step + ox;
                const float a = SimplexNoise(nx, ny);
                const float b = SimplexNoise(nx + 111.0f, ny + 222.0f);
                const int sourceRow = ClampIndex(float(i) + b * amplitude + 0.5f, height - 1);
                const int sourceColumn = ClampIndex(float(j) + a * amplitude + 0.5f, width - 1);
                row[j] = source[size_t(sourceRow) * size_t(width) + size_t(sourceColumn)];
            }
        }
    };
    // Warping in place reads pixels already moved, row after row: one thread.
    if (source == target)
        warpRows(0, 0, height);
    else
        ForEachBand(height, warpRows);
}

} // namespace

void ChamferDistance(uint8_t* q, int width, int height)
{
    const size_t w = size_t(width);
    const auto at = [&](int x, int y) -> uint8_t& { return q[size_t(y) * w + size_t(x)]; };
    const int far = int64_t(width) * height < 255 ? width * height : 255;
    ForEachBand(height, [&](int, int64_t first, int64_t end) {
        for (size_t i = size_t(first) * w; i < size_t(end) * w; ++i)
            if (q[i] != 0)
                q[i] = uint8_t(far);
    });

    for (int y = 1; y <= height - 2; ++y)
        for (int x = width - 1; x >= 1; --x)
            if (at(x, y) != 0)
                at(x, y) = uint8_t(std::min(
                    {255, at(x, y - 1) + 3, at(x - 1, y - 1) + 4, at(x - 1, y) + 3, at(x - 1, y + 1) + 4}));
    for (int y = height - 2; y >= 1; --y)
        for (int x = 0; x <= width - 2; ++x)
            if (at(x, y) != 0)
                at(x, y) = uint8_t(std::min({255, int(at(x, y)), at(x, y + 1) + 3, at(x + 1, y + 1) + 4,
                                             at(x + 1, y) + 3, at(x + 1, y - 1) + 4}));

    if (width < 2 || height < 2)
        return;
    for (int x = 0; x < width; ++x) {
        if (at(x, 0) != 0)
            at(x, 0) = uint8_t(std::max(at(x, 1) - 1, 0));
        if (at(x, height - 1) != 0)
            at(x, height - 1) = uint8_t(std::max(at(x, height - 2) - 1, 0));
    }
    for (int y = 0; y <= height - 2; ++y) {
        if (at(0, y) != 0)
            at(0, y) = uint8_t(std::max(at(1, y) - 1, 0));
        if (at(width - 1, y) != 0)
            at(width - 1, y) = uint8_t(std::max(at(width - 2, y) - 1, 0));
    }
}

namespace {

// Density (0..255) of the working pixel under a fine pixel; 0 outside.
int DensityUnder(const RenderState& state, int x, int y)
{
    const int gx = x / 3, gy = y / 3;
    const Plane<uint8_t>& density = state.DensityPlane;
    if (!density || gx >= state.WorkWidth || gy >= state.WorkHeight ||
        density.Bytes() / size_t(state.WorkWidth) < size_t(state.WorkHeight))
        return 0;
    return density.Data()[size_t(gy) * size_t(state.WorkWidth) + size_t(gx)];
}

// Rewrites `target` as a copy of `plane` whose empty pixels fetch ink from
// the nearest line, displaced along the gradient of the smoothed distance
// to the ink and by noise: a second, offset copy of every line.
void DisplaceDouble(RenderState& state, const uint8_t* plane, uint8_t* target, int width, int height,
                    float edgeWidth, int layerIndex)
{
    if (!EnsureScratchPlane(state.InkMaskPlane, width, height))
        return;
    uint8_t* distance = state.InkMaskPlane.Data();
    ForEachBand(height, [&](int, int64_t first, int64_t end) {
        for (size_t i = size_t(first) * size_t(width); i < size_t(end) * size_t(width); ++i)
            distance[i] = target[i] == 0 ? 255 : 0;
    });
    ChamferDistance(distance, width, height);
    GaussianSmooth(distance, nullptr, unsigned(width), unsigned(height), DistanceKernel);

    const float s = state.PreviewScale;
    const float layer = float(layerIndex);
    const float ox = float(state.WorkOffsetX) * 0.005f + 11.234f * layer / s;
    const float oy = float(state.WorkOffsetY) * 0.005f + 7.567f * layer / s;
    const float step = 0.005f * (0.1f * layer / s + 1.0f);
    const float amplitude = -edgeWidth / 60.0f;
    const size_t w = size_t(width);
    ForEachBand(height, [&](int, int64_t first, int64_t end) {
        for (int y = int(first); y < int(end); ++y) {
            const uint8_t* z = distance + size_t(y) * w;
            for (int x = 0; x < width; ++x) {
                int gx = 0, gy = 0;
                if (x >= 1 && y >= 1) {
                    gx = z[x] - z[x - 1];
                    gy = z[x] - z[x - width];
                }
                const float n = SimplexNoise(float(x) * step + ox + (gx >= 0 ? 123.0f : 0.0f),
                                             float(y) * step + oy + (gy >= 0 ? 221.0f : 0.0f));
                const float k = (n + 1.0f) * amplitude * (1.0f + float(DensityUnder(state, x, y)) / 255.0f);
                const int sourceRow = ClampIndex(k * float(gy) + float(y) + 0.5f, height - 1);
                const int sourceColumn = ClampIndex(k * float(gx) + float(x) + 0.5f, width - 1);
                target[size_t(y) * w + size_t(x)] = plane[size_t(sourceRow) * w + size_t(sourceColumn)];
            }
        }
    });
}

// Screens the halo over the plane: t + (1 - t / 255) × P where t is not 0.
void ScreenBack(uint8_t* plane, const uint8_t* halo, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const float t = float(halo[i]);
        if (t != 0)
            plane[i] = uint8_t(std::clamp(TruncateToInt(t + (1.0f - t / 255.0f) * float(plane[i])), 0, 255));
    }
}

} // namespace

void ApplyEdges(RenderState& state, Plane<uint8_t>& plane, int width, int height,
                const LayerParameters& layer, int layerIndex)
{
    const auto kind = EdgeKind(layer.EdgeType);
    const float edgeWidth = layer.EdgeWidth;
    if (!(edgeWidth > 0) || kind == EdgeKind::NoEdges || kind > EdgeKind::Doubles)
        return;
    if (!plane || width <= 0 || height <= 0 || plane.Bytes() / size_t(width) < size_t(height))
        return;
    if (!EnsureScratchPlane(state.EdgePlane, width, height))
        return;
    const size_t count = size_t(width) * size_t(height);
    uint8_t* pixels = plane.Data();
    uint8_t* halo = state.EdgePlane.Data();
    std::memcpy(halo, pixels, count);

    if (kind == EdgeKind::Doubles) {
        DisplaceDouble(state, pixels, halo, width, height, edgeWidth, layerIndex);
    } else if (kind == EdgeKind::Bruise) {
        WarpEdges(state, halo, halo, width, height, edgeWidth, layerIndex);
    } else if (EnsureScratchPlane(state.InkMaskPlane, width, height)) {
        std::memcpy(state.InkMaskPlane.Data(), halo, count);
        WarpEdges(state, halo, state.InkMaskPlane.Data(), width, height, edgeWidth, layerIndex);
    }

    const unsigned kernel =
        kind == EdgeKind::Doubles ? DoublesKernel : 2u * unsigned(TruncateToInt(edgeWidth) / 50) + 3u;
    GaussianSmooth(halo, nullptr, unsigned(width), unsigned(height), kernel);
    uint8_t curve[256];
    BuildEdgeCurve(curve, edgeWidth, kind);
    ForEachBand(height, [&](int, int64_t first, int64_t end) {
        const size_t from = size_t(first) * size_t(width), to = size_t(end) * size_t(width);
        for (size_t i = from; i < to; ++i)
            halo[i] = curve[halo[i]];
        ScreenBack(pixels + from, halo + from, to - from);
    });
}

} // namespace vel
