#include "session/DocumentLayers.h"

#include "engine/PixelTransfer.h"

#include <algorithm>
#include <cstring>

namespace vel {
namespace {

// The sample of plane k at (row, column), reduced to 8 bits.
uint8_t SampleAt(const PixelBuffer& buffer, int k, int row, int column)
{
    const size_t index = size_t(row) * size_t(buffer.Width()) + size_t(column);
    const uint8_t* plane = buffer.PlaneData(k);
    if (buffer.Depth != 16)
        return plane[index];
    uint16_t v;
    std::memcpy(&v, plane + 2 * index, sizeof v);
    return Reduce16(v);
}

// Working position → buffer position at the preview's scale and scroll.
int SourceIndex(int working, int offset, float scale, int size)
{
    return std::clamp(int(float(working + offset) * scale), 0, size - 1);
}

// Grey squares of 7 × 7 source pixels show through transparent areas.
uint8_t Checker(int row, int column)
{
    return (row / 7) % 2 != (column / 7) % 2 ? 255 : 204;
}

void BackdropPixel(const PixelBuffer& below, int row, int column, uint8_t* rgb)
{
    const int channels = below.ChannelCount;
    if (channels == 1) {
        rgb[0] = rgb[1] = rgb[2] = SampleAt(below, 0, row, column);
    } else if (channels == 2) {
        rgb[0] = SampleAt(below, 0, row, column);
        rgb[1] = rgb[2] = SampleAt(below, 1, row, column);
    } else if (channels == 3) {
        for (int k = 0; k < 3; ++k)
            rgb[k] = SampleAt(below, k, row, column);
    } else {
        const float a = float(SampleAt(below, 3, row, column)) / 255.0f;
        const float checker = Checker(row, column);
        for (int k = 0; k < 3; ++k)
            rgb[k] = uint8_t(int(float(SampleAt(below, k, row, column)) * a + checker * (1.0f - a)));
    }
}

} // namespace

void BuildPreviewBackdrop(const RenderState& state, DocumentBuffers& buffers)
{
    const PixelBuffer& below = buffers.LayersBelow;
    if (!below)
        return;
    Plane<uint8_t> backdrop;
    if (backdrop.Allocate(state.WorkWidth, state.WorkHeight, 3)) {
        for (int y = 0; y < state.WorkHeight; ++y) {
            const int row = SourceIndex(y, state.WorkOffsetY, state.PreviewScale, below.Height());
            uint8_t* out = backdrop.Row(y);
            for (int x = 0; x < state.WorkWidth; ++x, out += 3)
                BackdropPixel(below, row,
                              SourceIndex(x, state.WorkOffsetX, state.PreviewScale, below.Width()), out);
        }
    }
    buffers.PreviewBackdrop = std::move(backdrop);
}

} // namespace vel
