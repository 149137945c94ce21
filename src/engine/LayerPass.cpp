#include "engine/LayerPass.h"

#include "color/InkPrinting.h"
#include "color/InkSeparation.h"
#include "engine/Coverage.h"
#include "engine/Edges.h"
#include "engine/LineField.h"
#include "engine/Modulation.h"
#include "numeric/GaussianSmooth.h"
#include "platform/Alert.h"
#include "platform/Threads.h"
#include "platform/Truncate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace vel {
namespace {

constexpr unsigned FieldKernel = 11;
constexpr float TwentyNinths = 2.2222223f; // 20 / 9 in single precision

// Truncates toward zero, limited to a range where the integer arithmetic
// that follows cannot overflow whatever float arrives; NaN gives 0.
int64_t TruncateLimited(float value)
{
    constexpr int64_t limit = int64_t(1e12f);
    return TruncateBetween(value, -limit, limit, 0);
}

// One row of the tone shaping; with three field pixels to a working pixel
// (the common case) the density is read once for each three.
void ShapeRow(uint8_t* row, int fieldWidth, const uint8_t* densityRow, int scale, const ToneTable& table)
{
    if (scale != 3) {
        for (int x = 0; x < fieldWidth; ++x)
            row[x] = table.Value[densityRow[x / scale]][row[x]];
        return;
    }
    int x = 0;
    for (int g = 0; x + 3 <= fieldWidth; ++g, x += 3) {
        const uint8_t* values = table.Value[densityRow[g]];
        row[x] = values[row[x]];
        row[x + 1] = values[row[x + 1]];
        row[x + 2] = values[row[x + 2]];
    }
    for (; x < fieldWidth; ++x)
        row[x] = table.Value[densityRow[x / 3]][row[x]];
}

} // namespace

bool FoldCombine(RenderState& state)
{
    if (!state.CombineMask && !state.CombineMask.Allocate(state.WorkWidth, state.WorkHeight)) {
        ShowAlert(NotEnoughMemoryMessage, PluginAlertTitle, AlertIcon::Warning);
        return false;
    }
    uint8_t* density = state.DensityPlane.Data();
    uint8_t* mask = state.CombineMask.Data();
    const size_t width = size_t(state.WorkWidth);
    ForEachBand(state.WorkHeight, [&](int, int64_t first, int64_t end) {
        for (size_t i = size_t(first) * width, last = size_t(end) * width; i < last; ++i) {
            const bool fold = density[i] > 127;
            if (fold)
                density[i] = uint8_t(255 - density[i]);
            mask[i] = fold ? 255 : 0;
        }
    });
    return true;
}

namespace {

// Inverts the fine field where the Combine mask, sampled bilinearly with
// wrap-around, marks a folded density.
void FlipCombine(RenderState& state)
{
    const int w = state.WorkWidth, h = state.WorkHeight;
    const uint8_t* mask = state.CombineMask.Data();
    ForEachBand(state.FineHeight, [&](int, int64_t first, int64_t end) {
        for (int y = int(first); y < int(end); ++y) {
            const float fy = float(y) / 3.0f;
            const int y0 = int(fy);
            const float ty = fy - float(y0);
            const uint8_t* row0 = mask + size_t(y0 % h) * size_t(w);
            const uint8_t* row1 = mask + size_t((y0 + 1) % h) * size_t(w);
            uint8_t* field = state.FinePlane.Row(y);
            for (int x = 0; x < state.FineWidth; ++x) {
                const float fx = float(x) / 3.0f;
                const int x0 = int(fx);
                const float tx = fx - float(x0);
                const int a = x0 % w, b = (x0 + 1) % w;
                const float sample = float(row0[a]) * (1.0f - tx) * (1.0f - ty) +
                                     float(row0[b]) * tx * (1.0f - ty) + float(row1[a]) * (1.0f - tx) * ty +
                                     float(row1[b]) * tx * ty;
                if (sample > 127.0f)
                    field[x] = uint8_t(255 - field[x]);
            }
        }
    });
}

// Keeps the fine field for the other layer to interact with; with Interfere
// and Cross the last ink softens the capture.
void CaptureField(RenderState& state, const ParameterBlock& params, int ink)
{
    if (!state.CapturePlane && !state.CapturePlane.Allocate(state.FineWidth, state.FineHeight))
        return;
    const size_t count = state.FinePlane.Count();
    const uint8_t* field = state.FinePlane.Data();
    uint8_t* capture = state.CapturePlane.Data();
    if (ink == 0)
        std::memcpy(capture, field, count);
    else
        ForEachBand(state.FineHeight, [&](int, int64_t first, int64_t end) {
            const size_t width = size_t(state.FineWidth);
            for (size_t i = size_t(first) * width, last = size_t(end) * width; i < last; ++i)
                capture[i] = uint8_t(std::min(255, capture[i] + field[i]));
        });

    const auto mode = LayerInteraction(params.Interfere);
    if ((mode == LayerInteraction::Interfere || mode == LayerInteraction::Cross) &&
        ink == state.Inks.InkCount - 1) {
        const float s = state.PreviewScale;
        const LayerParameters& one = params.Layers[0];
        const int64_t half = TruncateLimited((one.Width / s + one.Space / s) * 0.5f + 3.0f);
        const int64_t n = 2 * half + 1;
        if (n > 0 && n < int64_t(1u << 30))
            GaussianSmooth(capture, nullptr, unsigned(state.FineWidth), unsigned(state.FineHeight),
                           unsigned(n));
    }
}

void Invert(Plane<uint8_t>& plane)
{
    uint8_t* p = plane.Data();
    const size_t n = plane.Count();
    ForEachBand(
        int64_t(n),
        [&](int, int64_t first, int64_t end) {
            for (size_t i = size_t(first); i < size_t(end); ++i)
                p[i] = uint8_t(255 - p[i]);
        },
        65536);
}

} // namespace

void InteractFields(uint8_t* field, const uint8_t* capture, size_t count, uint8_t interfere)
{
    ForEachBand(
        int64_t(count),
        [&](int, int64_t first, int64_t end) {
            for (size_t i = size_t(first); i < size_t(end); ++i) {
                const int p = field[i], q = capture[i];
                int v = p;
                switch (LayerInteraction(interfere)) {
                case LayerInteraction::Subtract:
                case LayerInteraction::Interfere:
                    v = std::max(0, p - 10 * q);
                    break;
                case LayerInteraction::LogicalAnd:
                case LayerInteraction::Cross:
                    v = std::min(255, (10 * p * q) / 255);
                    break;
                case LayerInteraction::LogicalXor:
                    v = std::abs(p - q);
                    break;
                default:
                    break;
                }
                field[i] = uint8_t(v);
            }
        },
        65536);
}

void BuildToneTable(ToneTable& table, float threshold)
{
    const float k = (threshold + 100.0f) / 25.0f;
    for (int d = 0; d < 256; ++d) {
        const int64_t e = TruncateLimited(float(d - 127) * k + 127.0f);
        for (int p = 0; p < 256; ++p) {
            const int64_t r = p < 128 ? (2 * e * p) / 255 : 255 + (2 * (e - 255) * (255 - p)) / 255;
            const int64_t t = (r - 127) * 4 + 127;
            const int64_t v = TruncateLimited(float(t) * TwentyNinths);
            table.Value[d][p] = uint8_t(std::clamp<int64_t>(v, 0, 255));
        }
    }
}

void ShapeTone(uint8_t* field, int fieldWidth, int fieldHeight, const uint8_t* density, int densityWidth,
               int scale, const ToneTable& table)
{
    ForEachBand(fieldHeight, [&](int, int64_t first, int64_t end) {
        for (int y = int(first); y < int(end); ++y) {
            const uint8_t* densityRow = density + size_t(y / scale) * size_t(densityWidth);
            uint8_t* row = field + size_t(y) * size_t(fieldWidth);
            ShapeRow(row, fieldWidth, densityRow, scale, table);
        }
    });
}

void ReduceFine(const uint8_t* fine, int workWidth, int workHeight, uint8_t* work)
{
    const size_t fineWidth = size_t(workWidth) * 3;
    ForEachBand(workHeight, [&](int, int64_t first, int64_t end) {
        for (int y = int(first); y < int(end); ++y) {
            const uint8_t* r0 = fine + size_t(3 * y) * fineWidth;
            const uint8_t* r1 = r0 + fineWidth;
            const uint8_t* r2 = r1 + fineWidth;
            uint8_t* out = work + size_t(y) * size_t(workWidth);
            for (int x = 0; x < workWidth; ++x) {
                const size_t c = size_t(3 * x);
                const int sum = r0[c] + r0[c + 1] + r0[c + 2] + r1[c] + r1[c + 1] + r1[c + 2] + r2[c] +
                                r2[c + 1] + r2[c + 2];
                out[x] = uint8_t(sum / 9);
            }
        }
    });
}

void LayerPass(RenderState& state, const ParameterBlock& params, int layer, int ink)
{
    const LayerParameters& L = params.Layers[layer == 1 ? 1 : 0];
    if (!SeparateInk(state, params, layer, ink))
        return;
    PrepareModulation(state, L);
    const bool combine = EngraveType(L.Invert) == EngraveType::Combine;
    if (combine && !FoldCombine(state))
        return;
    if (!LineField(state, L, ink))
        return;

    const bool fine = bool(state.FinePlane);
    Plane<uint8_t>& field = fine ? state.FinePlane : state.EngravePlane;
    const int scale = fine ? 3 : 1;
    const int fieldWidth = state.WorkWidth * scale, fieldHeight = state.WorkHeight * scale;
    GaussianSmooth(field.Data(), nullptr, unsigned(fieldWidth), unsigned(fieldHeight), FieldKernel);
    const auto table = std::make_unique<ToneTable>(); // 64 KiB: too large for a host thread's stack
    BuildToneTable(*table, L.Threshold);
    ShapeTone(field.Data(), fieldWidth, fieldHeight, state.DensityPlane.Data(), state.WorkWidth, scale,
              *table);

    const auto edge = EdgeKind(L.EdgeType);
    if (fine) {
        if (combine)
            FlipCombine(state);
        if (edge == EdgeKind::Doubles)
            ApplyEdges(state, state.FinePlane, state.FineWidth, state.FineHeight, L, layer);
        if (state.CapturePass) {
            CaptureField(state, params, ink);
            return;
        }
        if (state.InteractPass && state.CapturePlane)
            InteractFields(state.FinePlane.Data(), state.CapturePlane.Data(), state.FinePlane.Count(),
                           params.Interfere);
        ReduceFine(state.FinePlane.Data(), state.WorkWidth, state.WorkHeight, state.EngravePlane.Data());
    }
    if (EngraveType(L.Invert) == EngraveType::Negative)
        Invert(state.EngravePlane);
    if (std::fabs(L.Coverage) < 100.0f)
        ApplyCoverage(state, L);
    if (edge == EdgeKind::Nodules || edge == EdgeKind::Bruise)
        ApplyEdges(state, state.EngravePlane, state.WorkWidth, state.WorkHeight, L, layer);
    if (state.Plates.Receive)
        state.Plates.Receive(state.Plates.Context, ink, state.EngravePlane.Data(), state.WorkWidth,
                             state.WorkHeight);
    ApplyInk(state, params, state.EngravePlane, ink);
}

} // namespace vel
