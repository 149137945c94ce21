#include "engine/PatternQuantities.h"

#include "engine/RenderState.h"
#include "numeric/PortableMath.h"

#include <algorithm>
#include <cmath>

namespace vel {
namespace {

bool IsWavyParallel(uint8_t geometry)
{
    return geometry >= 1 && geometry <= 7;
}

} // namespace

PatternQuantities DerivePatternQuantities(const RenderState& state, const LayerParameters& layer, int scale)
{
    const float s = state.PreviewScale;
    const float f = float(scale);
    PatternQuantities q;

    q.Spacing = layer.Space / 2.5f / s;
    const float widthRoot = std::sqrt(layer.Width / 100.0f);
    q.LineWidth = f * 10.0f * widthRoot / s;
    q.Step = layer.Big == 0 ? f * (q.Spacing + 10.0f * widthRoot / s / 4.0f) : f * q.Spacing;
    if (q.Step < 1.0f)
        q.Step = 1.0f;
    q.Offset = -q.Step * (f * layer.Offset / s) / 100.0f;
    q.Threshold = layer.Threshold / 100.0f;
    q.Relief = f * (layer.BRelief / 10.0f) / s;
    q.Amplitude = f * layer.Amplitude / s;
    q.LineFrequency = (layer.Frequency / 500.0f) * s / f;
    q.RingFrequency = layer.Frequency * s;
    q.Phase = layer.Shift / 100.0f;
    const float contrast = layer.Contrast / 100.0f;
    q.ContrastPositive = std::max(contrast, 0.0f);
    q.ContrastWidth = contrast * q.LineWidth;
    q.Noise = layer.Noise / 3.0f;
    q.CenterX =
        f * ((0.5f + layer.CenterX / 200.0f) * float(state.FilterWidth) / s - float(state.WorkOffsetX));
    q.CenterY =
        f * ((0.5f - layer.CenterY / 200.0f) * float(state.FilterHeight) / s - float(state.WorkOffsetY));

    const double angle = double(layer.Angle) * 3.141592 / 180.0;
    q.Cos = float(PortableCos(angle));
    q.Sin = float(PortableSin(angle));

    q.FieldWidth = scale * state.WorkWidth;
    q.FieldHeight = scale * state.WorkHeight;
    q.HalfWidth = float(q.FieldWidth) / 2.0f;
    q.HalfHeight = float(q.FieldHeight) / 2.0f;
    q.ScrollX = f * float(state.WorkOffsetX);
    q.ScrollY = f * float(state.WorkOffsetY);

    if (layer.Big != 0)
        q.CircleSpacing = layer.LinkWidth ? q.Step : 2.0f * q.LineWidth;

    q.AmplitudeExtent = IsWavyParallel(layer.Geometry) ? std::fabs(q.Amplitude) : 0.0f;
    q.Extent =
        TruncateToInt((1.0f + std::fabs(q.Sin * q.Cos)) * float(std::max(q.FieldWidth, q.FieldHeight)) +
                      4.0f * q.AmplitudeExtent);
    return q;
}

} // namespace vel
