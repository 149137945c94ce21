#include "engine/IsoLines.h"

#include "engine/ConeStamp.h"
#include "engine/FieldDensity.h"
#include "engine/Modulation.h"
#include "engine/RenderState.h"
#include "engine/ScratchPlane.h"
#include "engine/StampQueue.h"
#include "numeric/GaussianSmooth.h"
#include "numeric/PortableMath.h"
#include "numeric/SimplexNoise.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace vel {
namespace {

// Samples a w × h byte plane at a fractional position; neighbours beyond
// the last column or row wrap around to the first.
float SampleWrapped(const uint8_t* plane, int w, int h, float fx, float fy)
{
    const int x0 = int(fx), y0 = int(fy);
    const float tx = fx - float(x0), ty = fy - float(y0);
    const uint8_t* row0 = plane + size_t(y0 % h) * size_t(w);
    const uint8_t* row1 = plane + size_t((y0 + 1) % h) * size_t(w);
    const int a = x0 % w, b = (x0 + 1) % w;
    return float(row0[a]) * (1.0f - tx) * (1.0f - ty) + float(row0[b]) * tx * (1.0f - ty) +
           float(row1[a]) * (1.0f - tx) * ty + float(row1[b]) * tx * ty;
}

// The values every stamp of one call shares.
struct IsoSetup {
    bool Density = false; // "Iso Lines 2": contours of the smoothed density
    float Frequency = 0;  // f, per field pixel
    float OriginX = 0;
    float OriginY = 0;
    float Bands = 0;
    float Bias = 0;      // S: shifts the landscape against the bands
    float BaseWidth = 0; // bw
    float K = 0;
    float O = 0;
    float Scale = 3;                   // field pixels per working pixel
    const uint8_t* Smoothed = nullptr; // InkMaskPlane, W × H
    int WorkWidth = 0;
    int WorkHeight = 0;
    bool Negative = false;
};

float SignedRoot(float v)
{
    return v < 0 ? -std::sqrt(-v) : std::sqrt(v);
}

IsoSetup DeriveSetup(const RenderState& state, const FieldPlane& field, const PatternQuantities& pattern,
                     const LayerParameters& layer, int ink)
{
    const float s = state.PreviewScale;
    IsoSetup iso;
    iso.Density = layer.Geometry == uint8_t(PatternGeometry::IsoLines2);
    iso.Frequency = SignedRoot(pattern.RingFrequency / 10.0f) / 1250.0f;
    const float origin = float(ink + 1) * pattern.Phase * 1000.0f;
    iso.OriginX = origin - pattern.CenterX;
    iso.OriginY = origin - pattern.CenterY;
    const float sp = pattern.Spacing;
    iso.Bands = (25.0f * (1.0f - sp / 50.0f) + 2.0f * sp / 50.0f) * s;
    iso.Bias = (pattern.Offset - 20.0f) / 2000.0f;
    iso.BaseWidth = pattern.LineWidth * 3.0f / (10.0f * s) + pattern.ContrastWidth;
    iso.K = (pattern.Threshold + 1.0f) / 2.0f;
    iso.O = 4.0f * iso.K * pattern.ContrastPositive;
    iso.Scale = float(field.Scale);
    iso.WorkWidth = state.WorkWidth;
    iso.WorkHeight = state.WorkHeight;
    iso.Negative = EngraveType(layer.Invert) == EngraveType::Negative;
    return iso;
}

// Copies the density into InkMaskPlane and smooths it; false when there is
// no memory (or no density) for it.
bool SmoothDensity(RenderState& state, const PatternQuantities& pattern)
{
    const int w = state.WorkWidth, h = state.WorkHeight;
    const Plane<uint8_t>& density = state.DensityPlane;
    if (!density || density.Bytes() / size_t(w) < size_t(h) || !EnsureScratchPlane(state.InkMaskPlane, w, h))
        return false;
    std::memcpy(state.InkMaskPlane.Data(), density.Data(), size_t(w) * size_t(h));
    const float spread = std::max(SignedRoot(pattern.RingFrequency / 10.0f) + 3.5f, 0.0f);
    const unsigned kernel = 2u * unsigned(TruncateToInt(3.5f * spread)) + 1u;
    GaussianSmooth(state.InkMaskPlane.Data(), nullptr, unsigned(w), unsigned(h), kernel);
    return true;
}

float SmoothedAt(const IsoSetup& iso, float fx, float fy)
{
    return SampleWrapped(iso.Smoothed, iso.WorkWidth, iso.WorkHeight, fx, fy) / 255.0f;
}

void FillLevels(const IsoSetup& iso, uint8_t* levels, int width, int height)
{
    for (int y = 0; y < height; ++y) {
        uint8_t* row = levels + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) {
            float v;
            if (iso.Density) {
                v = SmoothedAt(iso, float(x) / iso.Scale, float(y) / iso.Scale) + iso.Bias;
                if (iso.Negative)
                    v = 1.0f - v;
            } else {
                float n = SimplexNoise((float(x) + iso.OriginX) * iso.Frequency,
                                       (float(y) + iso.OriginY) * iso.Frequency) +
                          iso.Bias;
                if (n > 0.9f)
                    n = n * std::sqrt(n);
                v = (n + 1.0f) / 2.0f;
            }
            row[x] = uint8_t(Quantize(v, iso.Bands) & 255);
        }
    }
}

// The direction across the contour at field pixel (x, y).
void ContourNormal(const IsoSetup& iso, int x, int y, float& dx, float& dy)
{
    if (iso.Density) {
        const float fx = float(x) / iso.Scale, fy = float(y) / iso.Scale;
        const float b0 = SmoothedAt(iso, fx, fy);
        dx = (SmoothedAt(iso, fx + 1.0f, fy) - b0) * 100.0f;
        dy = (SmoothedAt(iso, fx, fy + 1.0f) - b0) * 100.0f;
        return;
    }
    const float f = iso.Frequency;
    const float u = (float(x) + iso.OriginX) * f, v = (float(y) + iso.OriginY) * f;
    const float e0 = SimplexNoise(u, v);
    dx = (SimplexNoise(u + f, v) - e0) * 400.0f;
    dy = (SimplexNoise(u, v + f) - e0) * 400.0f;
}

void ReportIso(const RenderState& state, int done, int total)
{
    ReportProgress(state, float(std::max(0, done)), float(total));
}

void StampBorders(RenderState& state, const FieldPlane& field, const PatternQuantities& pattern,
                  const IsoSetup& iso, const uint8_t* borders, int ink)
{
    const ModulationState& modulation = state.Modulation;
    const FieldDensity density(state);
    const int scale = field.Scale;
    const bool displaced = pattern.Relief != 0 || pattern.Noise != 0 || modulation.LoAmp != 0;
    const float reliefFactor = iso.Density ? 1.0f : 2.0f;
    const int inkRows = ink * field.Height;
    ConeShape cone;
    for (int y = 0; y < field.Height; ++y) {
        if (y % 5 == 0)
            ReportIso(state, y + inkRows + 20, state.Inks.InkCount * field.Height + 20);
        const uint8_t* row = borders + size_t(y) * size_t(field.Width);
        for (int x = 0; x < field.Width; ++x) {
            if (row[x] != 255)
                continue;
            const float g0 = density(x / scale, y / scale);
            float px = float(x), py = float(y);
            float m = g0 * iso.O + 0.5f * (1.0f - iso.K);
            if (displaced) {
                const float jitter = NextJitter(state.Random) * pattern.Noise;
                float dx, dy;
                ContourNormal(iso, x, y, dx, dy);
                const float d = reliefFactor * g0 * pattern.Relief + jitter;
                px = float(x) + d * dx;
                py = float(y) + d * dy;
                if (modulation.LoAmp != 0) {
                    const float lo = LoFrequencyNoise(state, x / scale, y / scale) * 2.0f * modulation.LoAmp;
                    px = px + lo * dx;
                    py = py + lo * dy;
                }
                const float sx = float(scale);
                m = density(TruncateToInt(px / sx + 0.5f), TruncateToInt(py / sx + 0.5f)) * iso.O +
                    (1.0f - iso.K);
            }
            float wd = m + 0.5f;
            if (modulation.RoughAmp != 0)
                wd = Roughness(state, wd, float(x), float(y));
            StampCone(field, cone, state.Disk, wd * iso.BaseWidth, TruncateToInt(px), TruncateToInt(py));
        }
    }
}

} // namespace

int Quantize(float v, float bands)
{
    if (!(bands > 0))
        return 0;
    float height = 255.0f / bands;
    if (!(height > 0))
        height = 1.0f;
    const int t = TruncateToInt(std::sqrt(std::max(v, 0.0f)) * 1000.0f);
    return TruncateToInt(height * float(TruncateToInt(float(t) / height)));
}

void MarkBandBorders(uint8_t* plane, int width, int height)
{
    const size_t w = size_t(width);
    for (int y = 0; y < height; ++y) {
        const uint8_t* r0 = plane + size_t(y) * w;
        const uint8_t* r1 = plane + size_t(std::min(y + 1, height - 1)) * w;
        const uint8_t* r2 = plane + size_t(std::min(y + 2, height - 1)) * w;
        uint8_t* out = plane + size_t(y) * w;
        for (int x = 0; x < width; ++x) {
            const int c0 = x, c1 = std::min(x + 1, width - 1), c2 = std::min(x + 2, width - 1);
            const int sx = (r0[c2] + 2 * r1[c2] + r2[c2]) - (r0[c0] + 2 * r1[c0] + r2[c0]);
            const int sy = (r0[c0] + 2 * r0[c1] + r0[c2]) - (r2[c0] + 2 * r2[c1] + r2[c2]);
            out[x] = std::abs(sx) + std::abs(sy) >= 8 ? 255 : 0;
        }
    }
}

void DrawIsoLines(RenderState& state, const FieldPlane& field, const PatternQuantities& pattern,
                  const LayerParameters& layer, int ink)
{
    IsoSetup iso = DeriveSetup(state, field, pattern, layer, ink);
    if (iso.Density) {
        if (!SmoothDensity(state, pattern))
            return;
        iso.Smoothed = state.InkMaskPlane.Data();
    }
    const int total = state.Inks.InkCount * field.Height + 30;
    ReportIso(state, ink * field.Height, total);
    Plane<uint8_t> levels;
    if (!levels.Allocate(field.Width, field.Height))
        return;
    FillLevels(iso, levels.Data(), field.Width, field.Height);
    ReportIso(state, ink * field.Height + 10, total);
    MarkBandBorders(levels.Data(), field.Width, field.Height);
    StampBorders(state, field, pattern, iso, levels.Data(), ink);
}

} // namespace vel
