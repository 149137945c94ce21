#include "engine/PixelTransfer.h"

#include "platform/Threads.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vel {
namespace {

constexpr int MaxRecords = 32767; // the converter's count is a signed 16-bit value

// Expands an 8-bit value to the host's 16-bit range 0..32768, rounding.
constexpr uint16_t Expand16(uint8_t v)
{
    return uint16_t((uint32_t(v) * 32768u + 127u) / 255u);
}

// Reads and writes samples of interleaved host rows at either depth.
class HostRow {
  public:
    HostRow(const HostImage& image, const void* data, int32_t rowBytes, int y)
        : row_(static_cast<const uint8_t*>(data) + ptrdiff_t(y) * rowBytes), planes_(image.Planes),
          wide_(image.Depth == 16)
    {
    }

    // The sample of plane c at column x, reduced to 8 bits.
    uint8_t At(int x, int c) const
    {
        const size_t index = size_t(x) * size_t(planes_) + size_t(c);
        if (!wide_)
            return row_[index];
        return Reduce16(Wide(index));
    }

    uint16_t Wide(size_t index) const
    {
        uint16_t v;
        std::memcpy(&v, row_ + 2 * index, sizeof v);
        return v;
    }

  private:
    const uint8_t* row_;
    int planes_;
    bool wide_;
};

void Store(void* data, int32_t rowBytes, const HostImage& image, int x, int y, int c, uint8_t v)
{
    const size_t index = size_t(x) * size_t(image.Planes) + size_t(c);
    uint8_t* row = static_cast<uint8_t*>(data) + ptrdiff_t(y) * rowBytes;
    if (image.Depth == 16) {
        const uint16_t wide = Expand16(v);
        std::memcpy(row + 2 * index, &wide, sizeof wide);
    } else {
        row[index] = v;
    }
}

// Converts one row of CMYK pixels (columns 0..width-1) to RGB, in chunks of
// at most MaxRecords; writes red, green, blue through `put`. Without a
// converter, or when a conversion fails, the formula is used.
template <typename Put>
void ConvertCmykRow(const HostImage& image, const HostRow& row, int width, ColorConverter* converter, Put put)
{
    const bool wide = image.Depth == 16;
    std::vector<uint8_t> narrow;
    std::vector<uint16_t> wideRecords;
    for (int start = 0; start < width; start += MaxRecords) {
        const int count = std::min(MaxRecords, width - start);
        bool converted = false;
        if (converter && !wide) {
            narrow.resize(size_t(count) * 4);
            for (int i = 0; i < count; ++i)
                for (int c = 0; c < 4; ++c)
                    narrow[size_t(i) * 4 + size_t(c)] = row.At(start + i, c);
            converted = converter->CmykToRgb8(narrow.data(), int16_t(count));
            if (converted)
                for (int i = 0; i < count; ++i)
                    put(start + i, &narrow[size_t(i) * 4 + 1]);
        } else if (converter) {
            wideRecords.resize(size_t(count) * 4);
            for (int i = 0; i < count; ++i)
                for (int c = 0; c < 4; ++c)
                    wideRecords[size_t(i) * 4 + size_t(c)] =
                        row.Wide(size_t(start + i) * size_t(image.Planes) + size_t(c));
            converted = converter->CmykToRgb16(wideRecords.data(), int16_t(count));
            if (converted)
                for (int i = 0; i < count; ++i) {
                    const uint16_t* r = &wideRecords[size_t(i) * 4];
                    const uint8_t rgb[3] = {Reduce16(r[1]), Reduce16(r[2]), Reduce16(r[3])};
                    put(start + i, rgb);
                }
        }
        if (!converted)
            for (int i = 0; i < count; ++i) {
                uint8_t rgb[3];
                const int x = start + i;
                const uint8_t cmyk[4] = {row.At(x, 0), row.At(x, 1), row.At(x, 2), row.At(x, 3)};
                CmykToRgbFormula(cmyk, rgb);
                put(x, rgb);
            }
    }
}

// Fills an RGBA plane of width × height from the input buffer.
void ReadInto(Plane<uint8_t>& plane, int width, int height, const HostImage& image, ColorConverter* converter)
{
    if (!plane || !image.Input.Data)
        return;
    width = std::min(width, plane.Width());
    height = std::min(height, plane.Height());
    const bool cmyk = IsCmykMode(image.Mode);
    const int alphaPlane = cmyk ? 4 : 3;
    const bool hasAlpha = image.Planes > alphaPlane;
    // The host's colour converter is called from this thread only; RGB rows
    // are read by bands.
    const auto readRows = [&](int, int64_t first, int64_t end) {
        for (int y = int(first); y < int(end); ++y) {
            const HostRow row(image, image.Input.Data, image.Input.RowBytes, y);
            uint8_t* out = plane.Row(y);
            if (cmyk) {
                ConvertCmykRow(image, row, width, converter,
                               [&](int x, const uint8_t* rgb) { std::memcpy(out + 4 * x, rgb, 3); });
            } else if (image.Depth != 16) {
                // 8-bit samples, read straight from the row.
                const uint8_t* in =
                    static_cast<const uint8_t*>(image.Input.Data) + ptrdiff_t(y) * image.Input.RowBytes;
                const size_t planes = size_t(image.Planes);
                for (int x = 0; x < width; ++x)
                    for (int c = 0; c < 3; ++c)
                        out[4 * x + c] = in[size_t(x) * planes + size_t(c)];
            } else {
                for (int x = 0; x < width; ++x)
                    for (int c = 0; c < 3; ++c)
                        out[4 * x + c] = row.At(x, c);
            }
            for (int x = 0; x < width; ++x)
                out[4 * x + 3] = hasAlpha ? row.At(x, alphaPlane) : 255;
        }
    };
    if (cmyk)
        readRows(0, 0, std::max(height, 0));
    else
        ForEachBand(height, readRows);
}

// A working colour as a plane without transparency shows it: darkened
// towards black by its alpha.
uint8_t Flatten(uint8_t channel, uint8_t alpha)
{
    return alpha == 255 ? channel : uint8_t(float(channel) * (float(alpha) / 255.0f));
}

// The smallest complement (255 - ink) whose level under the formula's
// divisor is `level`, for every level the divisor reaches.
struct InverseLevels {
    uint8_t Complement[256] = {};
    int Top = 0; // the highest level

    explicit InverseLevels(float divisor)
    {
        for (int d = 255; d >= 0; --d) {
            const int level = int(float(d) / divisor);
            Complement[level] = uint8_t(d);
            Top = std::max(Top, level);
        }
    }
};

// The layer's sample of plane k at (row, column), reduced to 8 bits.
uint8_t LayerSample(const LayerPixels& layer, int k, int row, int column)
{
    const uint8_t* plane = layer.Data + size_t(k) * layer.PlaneBytes + size_t(row) * size_t(layer.RowBytes);
    if (layer.Depth != 16)
        return plane[column];
    uint16_t v;
    std::memcpy(&v, plane + 2 * size_t(column), sizeof v);
    return Reduce16(v);
}

// Working position → layer position at the preview's scale and scroll.
int LayerIndex(int working, int offset, float scale, int size)
{
    return std::clamp(int(float(working + offset) * scale), 0, size - 1);
}

// While the dialog is up the source of the visible area is sampled from the
// target layer's own pixels (the host's buffers hold the merged document).
void FillFromLayer(RenderState& state, const HostImage& image, ColorConverter* converter)
{
    const LayerPixels& layer = image.TargetLayer;
    Plane<uint8_t>& plane = state.SourcePlane;
    if (!plane || layer.Width <= 0 || layer.Height <= 0)
        return;
    const int width = std::min({state.WorkWidth, plane.Width(), layer.Width});
    const int height = std::min({state.WorkHeight, plane.Height(), layer.Height});
    const bool cmyk = IsCmykMode(image.Mode);
    if (cmyk && layer.Channels < 4)
        return;
    const bool inputAlpha = cmyk && image.Planes > 4 && image.Input.Data;
    const bool layerAlpha = !cmyk && image.Planes > 3 && layer.Channels > 3;
    std::vector<uint8_t> cmykRow;
    for (int y = 0; y < height; ++y) {
        const int sy = LayerIndex(y, state.WorkOffsetY, state.PreviewScale, layer.Height);
        uint8_t* out = plane.Row(y);
        if (cmyk) {
            // Convert through a one-row 8-bit CMYK image of the sampled pixels.
            cmykRow.resize(size_t(width) * 4);
            for (int x = 0; x < width; ++x) {
                const int sx = LayerIndex(x, state.WorkOffsetX, state.PreviewScale, layer.Width);
                for (int c = 0; c < 4; ++c)
                    cmykRow[size_t(x) * 4 + size_t(c)] = LayerSample(layer, c, sy, sx);
            }
            HostImage rowImage = image;
            rowImage.Depth = 8;
            rowImage.Planes = 4;
            const HostRow row(rowImage, cmykRow.data(), 0, 0);
            ConvertCmykRow(rowImage, row, width, converter,
                           [&](int x, const uint8_t* rgb) { std::memcpy(out + 4 * x, rgb, 3); });
            for (int x = 0; x < width; ++x)
                out[4 * x + 3] = 255;
            if (inputAlpha && y < image.OutHeight) {
                const HostRow input(image, image.Input.Data, image.Input.RowBytes, y);
                for (int x = 0; x < std::min(width, image.OutWidth); ++x)
                    out[4 * x + 3] = input.At(x, 4);
            }
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const int sx = LayerIndex(x, state.WorkOffsetX, state.PreviewScale, layer.Width);
            for (int c = 0; c < 3; ++c)
                out[4 * x + c] = LayerSample(layer, std::min(c, layer.Channels - 1), sy, sx);
            out[4 * x + 3] = layerAlpha ? LayerSample(layer, 3, sy, sx) : 255;
        }
    }
}

} // namespace

void CmykToRgbFormula(const uint8_t cmyk[4], uint8_t rgb[3])
{
    const int kp = int(float(255 - cmyk[3]) / 2.55f);
    for (int i = 0; i < 3; ++i) {
        const int p = int(float(255 - cmyk[i]) / 1.5f);
        rgb[i] = p + kp >= 255 ? 0 : uint8_t(255 - p - kp);
    }
}

void RgbToCmykFormula(const uint8_t rgb[3], uint8_t cmyk[4])
{
    static const InverseLevels black(2.55f);
    static const InverseLevels colour(1.5f);
    // As much black as the lightest channel allows, the rest in the three
    // colour inks; each level is the lightest ink that the formula reads
    // back as that level, so that colours inside its gamut return exactly.
    const int lightest = std::max({rgb[0], rgb[1], rgb[2]});
    const int kp = std::min(black.Top, 255 - lightest);
    cmyk[3] = uint8_t(255 - black.Complement[kp]);
    for (int i = 0; i < 3; ++i) {
        const int p = std::min(colour.Top, std::max(0, 255 - rgb[i] - kp));
        cmyk[i] = uint8_t(255 - colour.Complement[p]);
    }
}

void ReadFullSource(RenderState& state, const HostImage& image, ColorConverter* converter)
{
    ReadInto(state.FullSource, image.OutWidth, image.OutHeight, image, converter);
}

void FillSourcePlane(RenderState& state, const HostImage& image, ColorConverter* converter)
{
    if (state.DialogUp && image.TargetLayer.Data)
        FillFromLayer(state, image, converter);
    else
        ReadInto(state.SourcePlane, state.WorkWidth, state.WorkHeight, image, converter);
}

void WriteBackOutput(const RenderState& state, const HostImage& image, ColorConverter* converter)
{
    if (!state.OutputPlane || !image.Output.Data)
        return;
    const int width = std::min(state.WorkWidth, state.OutputPlane.Width());
    const int height = std::min(state.WorkHeight, state.OutputPlane.Height());
    const bool asCmyk = IsCmykMode(image.Mode) && !state.DialogUp;
    const bool keepAlpha = image.Planes >= (asCmyk ? 5 : 4);
    if (!asCmyk) {
        ForEachBand(height, [&](int, int64_t first, int64_t end) {
            for (int y = int(first); y < int(end); ++y) {
                const uint8_t* in = state.OutputPlane.Row(y);
                if (image.Depth != 16) {
                    // 8-bit samples, written straight into the row.
                    uint8_t* row =
                        static_cast<uint8_t*>(image.Output.Data) + ptrdiff_t(y) * image.Output.RowBytes;
                    const size_t planes = size_t(image.Planes);
                    for (int x = 0; x < width; ++x) {
                        const uint8_t* p = in + 4 * x;
                        uint8_t* q = row + size_t(x) * planes;
                        for (int c = 0; c < 3; ++c)
                            q[c] = keepAlpha ? p[c] : Flatten(p[c], p[3]);
                        if (keepAlpha)
                            q[3] = p[3];
                    }
                    continue;
                }
                for (int x = 0; x < width; ++x) {
                    const uint8_t* p = in + 4 * x;
                    for (int c = 0; c < 3; ++c)
                        Store(image.Output.Data, image.Output.RowBytes, image, x, y, c,
                              keepAlpha ? p[c] : Flatten(p[c], p[3]));
                    if (keepAlpha)
                        Store(image.Output.Data, image.Output.RowBytes, image, x, y, 3, p[3]);
                }
            }
        });
        return;
    }
    std::vector<uint8_t> records;
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = state.OutputPlane.Row(y);
        for (int start = 0; start < width; start += MaxRecords) {
            const int count = std::min(MaxRecords, width - start);
            records.resize(size_t(count) * 4);
            for (int i = 0; i < count; ++i) {
                const uint8_t* p = in + 4 * (start + i);
                uint8_t* r = &records[size_t(i) * 4];
                r[0] = 255;
                for (int c = 0; c < 3; ++c)
                    r[1 + c] = keepAlpha ? p[c] : Flatten(p[c], p[3]);
            }
            // Without the host's conversion (or when it fails) the inverse of
            // the formula that read the source gives the inks.
            if (!converter || !converter->RgbToCmyk8(records.data(), int16_t(count)))
                for (int i = 0; i < count; ++i) {
                    uint8_t* r = &records[size_t(i) * 4];
                    const uint8_t rgb[3] = {r[1], r[2], r[3]};
                    RgbToCmykFormula(rgb, r);
                }
            for (int i = 0; i < count; ++i) {
                const int x = start + i;
                for (int c = 0; c < 4; ++c)
                    Store(image.Output.Data, image.Output.RowBytes, image, x, y, c,
                          records[size_t(i) * 4 + size_t(c)]);
                if (keepAlpha)
                    Store(image.Output.Data, image.Output.RowBytes, image, x, y, 4, in[4 * x + 3]);
            }
        }
    }
}

void PassThrough(const RenderState& state, const HostImage& image, ColorConverter* converter)
{
    if (!image.Input.Data || !image.Output.Data)
        return;
    const int sampleBytes = image.Depth == 16 ? 2 : 1;
    const size_t rowBytes = size_t(image.OutWidth) * size_t(image.Planes) * size_t(sampleBytes);
    const bool showRgb = state.DialogUp && IsCmykMode(image.Mode);
    for (int y = 0; y < image.OutHeight; ++y) {
        const auto* in = static_cast<const uint8_t*>(image.Input.Data) + ptrdiff_t(y) * image.Input.RowBytes;
        auto* out = static_cast<uint8_t*>(image.Output.Data) + ptrdiff_t(y) * image.Output.RowBytes;
        if (!showRgb) {
            std::memcpy(out, in, rowBytes);
            continue;
        }
        const HostRow row(image, image.Input.Data, image.Input.RowBytes, y);
        ConvertCmykRow(image, row, image.OutWidth, converter, [&](int x, const uint8_t* rgb) {
            for (int c = 0; c < 3; ++c)
                Store(image.Output.Data, image.Output.RowBytes, image, x, y, c, rgb[c]);
        });
        if (image.Planes > 4)
            for (int x = 0; x < image.OutWidth; ++x)
                std::memcpy(out + (size_t(x) * size_t(image.Planes) + 4) * size_t(sampleBytes),
                            in + (size_t(x) * size_t(image.Planes) + 4) * size_t(sampleBytes),
                            size_t(sampleBytes));
    }
}

} // namespace vel
