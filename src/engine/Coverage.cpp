#include "engine/Coverage.h"

#include "numeric/PortableMath.h"
#include "numeric/SimplexNoise.h"
#include "platform/Threads.h"

#include <algorithm>
#include <cmath>

namespace vel {
namespace {

// How steeply the noise is pushed towards a two-valued mask: 0.5 at
// contrast 0, 1 at 50, 11 at 100.
float CoverageSteepness(float contrast)
{
    if (contrast < 50.0f)
        return contrast / 50.0f + 0.5f;
    return (contrast - 50.0f) / 5.0f + 1.0f;
}

} // namespace

void ApplyCoverage(RenderState& state, const LayerParameters& layer)
{
    const int width = state.WorkWidth;
    const int height = state.WorkHeight;
    Plane<uint8_t>& plane = state.EngravePlane;
    if (!plane || width <= 0 || height <= 0 || plane.Bytes() / size_t(width) < size_t(height))
        return;

    const float cover = std::fabs(layer.Coverage) / 100.0f;
    const float frequency = ((2.0f - (layer.CoverageScale / 200.0f) * 1.75f) / 100.0f) * state.PreviewScale;
    const float steepness = CoverageSteepness(layer.CoverageContrast);
    // Each random seed picks another part of the noise plane; the scroll
    // offset keeps the mask fixed to the image.
    const float seed = float(layer.CoverageRandom);
    const float ox = seed * 123.456f + float(state.WorkOffsetX);
    const float oy = seed * 112.334f + float(state.WorkOffsetY);

    ForEachBand(height, [&](int, int64_t first, int64_t end) {
        for (int y = int(first); y < int(end); ++y) {
            uint8_t* row = plane.Data() + size_t(y) * size_t(width);
            const float ny = (float(y) + oy) * frequency;
            for (int x = 0; x < width; ++x) {
                const float nx = (float(x) + ox) * frequency;
                const float n = layer.CoverageSmooth ? SimplexNoise(nx, ny) : FractalNoise(nx, ny);
                float mask = std::clamp((n * steepness + 1.0f) / 2.0f, 0.0f, 1.0f);
                if (layer.CoverageInvert)
                    mask = 1.0f - mask;
                const float factor = std::clamp(cover - mask * (1.0f - cover), 0.0f, 1.0f);
                row[x] = uint8_t(TruncateToInt(float(row[x]) * factor));
            }
        }
    });
}

} // namespace vel
