#include "color/InkPrinting.h"

#include "color/ColorMath.h"
#include "color/Emboss.h"
#include "color/Paper.h"
#include "color/PrintState.h"
#include "platform/Threads.h"

#include <algorithm>

namespace vel {

int SoftDarken(int a, int b)
{
    const float p = float(a * b) / 255.0f;
    const float q = float(a + b) * 0.5f;
    return int((float(a) * p + float(255 - a) * q) / 255.0f);
}

namespace {

// How one ink is laid, fixed for the plane.
struct Printing {
    bool PaperPresent;
    bool TransparentPaper; // no paper on an image with a transparency channel
    bool InitialColors;
    bool Opaque; // printed against the accumulated inks rather than the paper
    float Gain;  // g: weight of what lies beneath
    float Loss;  // l = 1 - g
    uint8_t Ink[3];
    // The ink's tone over each level beneath, for inks laid over paper: a
    // function of the ink and the level only, so computed once per plane.
    int Tone[3][256];
};

Printing SetUp(const PrintState& state, const ParameterBlock& params, int ink)
{
    Printing p{};
    p.PaperPresent = PaperPresent(params);
    p.TransparentPaper = !p.PaperPresent && state.HasTransparency;
    p.InitialColors = ColorSchemaKind(params.ColorSchema) == ColorSchemaKind::InitialColors;
    const float a = LimitReal(params.InksOpacity, -100.0f, 100.0f) + 100.0f;
    p.Opaque = a > 100.0f;
    p.Gain = p.Opaque ? (200.0f - a) / 100.0f : a / 100.0f;
    p.Loss = 1.0f - p.Gain;
    const InkColor& color = state.Palette.Inks[ink];
    p.Ink[0] = color.R;
    p.Ink[1] = color.G;
    p.Ink[2] = color.B;
    for (int k = 0; k < 3; ++k)
        for (int beneath = 0; beneath < 256; ++beneath) {
            const int ink = std::min(int(p.Ink[k]), beneath);
            p.Tone[k][beneath] = int(float(SoftDarken(p.Ink[k], beneath)) * p.Loss + float(ink) * p.Gain);
        }
    return p;
}

// One pixel: out is the output RGBA pixel, source the source RGBA pixel,
// layer the ink-layer RGB pixel (opaque inks only). Returns the ink amount.
int PrintPixel(const Printing& p, int cov, uint8_t* out, const uint8_t* source, uint8_t* layer)
{
    int limit;
    if (p.PaperPresent)
        limit = out[3];
    else if (p.TransparentPaper && p.InitialColors)
        limit = source[3] * cov / 255;
    else
        limit = std::max(cov, int(source[3]));
    const int amount = std::min(cov, limit), rest = 255 - amount;

    for (int k = 0; k < 3; ++k) {
        const int beneath = out[k];
        if (p.InitialColors) {
            out[k] = p.PaperPresent ? uint8_t((beneath * rest + source[k] * amount) / 255) : source[k];
        } else if (p.Opaque) {
            const int mixed = int(float(beneath) * p.Gain + float(layer[k]) * p.Loss);
            const int ink = std::min(int(p.Ink[k]), mixed);
            out[k] = uint8_t((beneath * rest + ink * amount) / 255);
            layer[k] = uint8_t((layer[k] * rest + ink * amount) / 255);
        } else if (p.TransparentPaper && out[3] == 0) {
            out[k] = p.Ink[k];
        } else {
            const int tone = p.Tone[k][beneath];
            out[k] = uint8_t((tone * amount + beneath * rest) / 255);
        }
    }
    out[3] = uint8_t(std::min(255, (p.TransparentPaper ? out[3] : limit) + amount));
    return amount;
}

// PrintPixel for an ink laid over what is there (not the initial colours,
// not opaque, not on transparent paper), without the per-channel tests.
int PrintOver(const Printing& p, int cov, uint8_t* out, const uint8_t* source)
{
    const int limit = p.PaperPresent ? int(out[3]) : std::max(cov, int(source[3]));
    const int amount = std::min(cov, limit), rest = 255 - amount;
    for (int k = 0; k < 3; ++k) {
        const int beneath = out[k];
        out[k] = uint8_t((p.Tone[k][beneath] * amount + beneath * rest) / 255);
    }
    out[3] = uint8_t(std::min(255, limit + amount));
    return amount;
}

// The emboss mask of this ink, created on first need; null when it cannot be.
uint8_t* InkMask(PrintState& state, size_t pixels)
{
    if (state.InkMaskPlane.Bytes() < pixels &&
        !state.InkMaskPlane.Allocate(state.WorkWidth, state.WorkHeight))
        return nullptr;
    return state.InkMaskPlane.Data();
}

} // namespace

void ApplyInk(PrintState& state, const ParameterBlock& params, const Plane<uint8_t>& coverage, int ink)
{
    const size_t pixels = size_t(std::max(state.WorkWidth, 0)) * size_t(std::max(state.WorkHeight, 0));
    if (pixels == 0 || ink < 0 || ink >= MaxInks || coverage.Bytes() < pixels ||
        state.OutputPlane.Bytes() < pixels * 4 || state.SourcePlane.Bytes() < pixels * 4)
        return;
    const Printing printing = SetUp(state, params, ink);
    const bool opaqueInk = printing.Opaque && !printing.InitialColors;
    if (opaqueInk && !(state.InkLayerOn && state.InkLayerPlane.Bytes() >= pixels * 3))
        return;
    uint8_t* mask = state.EmbossOn ? InkMask(state, pixels) : nullptr;

    const uint8_t* cov = coverage.Data();
    const uint8_t* source = state.SourcePlane.Data();
    uint8_t* out = state.OutputPlane.Data();
    uint8_t* layer = opaqueInk ? state.InkLayerPlane.Data() : nullptr;
    const bool over = !printing.InitialColors && !printing.Opaque && !printing.TransparentPaper;
    const size_t width = size_t(state.WorkWidth);
    ForEachBand(state.WorkHeight, [&](int, int64_t first, int64_t end) {
        for (size_t i = size_t(first) * width, last = size_t(end) * width; i < last; ++i) {
            const int amount = over ? PrintOver(printing, cov[i], out + 4 * i, source + 4 * i)
                                    : PrintPixel(printing, cov[i], out + 4 * i, source + 4 * i,
                                                 layer ? layer + 3 * i : nullptr);
            if (mask)
                mask[i] = amount > 0 ? 255 : 0;
        }
    });
    if (mask)
        AccumulateRelief(state, LimitReal(params.EmbossDepth, -200.0f, 200.0f) / 50.0f, params.EmbossAlpha,
                         params.EmbossBeta);
}

} // namespace vel
