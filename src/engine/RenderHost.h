#pragma once
// The render driver's view of whoever supplies and receives the pixels: the
// plug-in's host (through its filter record), the command-line tool (image
// files) or a test (memory). The engine never sees host types.

#include <cstddef>
#include <cstdint>

namespace vel {

// Document modes the driver distinguishes, with the host's mode numbers.
enum class ImageMode : int32_t {
    Grayscale = 1,
    Rgb = 3,
    Cmyk = 4,
    Rgb48 = 11,  // 16 bits per channel
    Cmyk64 = 13, // 16 bits per channel
};

// Whether a host mode number is CMYK at either depth.
constexpr bool IsCmykMode(int32_t mode)
{
    return mode == int32_t(ImageMode::Cmyk) || mode == int32_t(ImageMode::Cmyk64);
}

// One pixel area exchanged with the host: interleaved planes, `RowBytes`
// apart; one byte per plane per pixel at depth 8, two (host byte order) at 16.
struct HostPixels {
    const void* Data = nullptr;
    int32_t RowBytes = 0;
};
struct HostOutput {
    void* Data = nullptr;
    int32_t RowBytes = 0;
};

// A planar copy of the document's target layer over the filter rectangle:
// Channels planes of PlaneBytes each, rows RowBytes apart, Depth 8 or 16.
struct LayerPixels {
    const uint8_t* Data = nullptr;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Depth = 8;
    int32_t Channels = 0;
    int32_t RowBytes = 0;
    size_t PlaneBytes = 0;
};

struct HostImage {
    int32_t Mode = 0;         // host mode number (ImageMode values and others)
    int32_t Depth = 8;        // bits per channel; the host's 0 is taken as 8
    int32_t Planes = 0;       // planes per pixel
    int32_t FilterWidth = 0;  // the whole filter rectangle
    int32_t FilterHeight = 0;
    int32_t OutWidth = 0;     // the area to write: the output rectangle
    int32_t OutHeight = 0;
    HostPixels Input;         // the delivered input buffer (null: none)
    HostOutput Output;        // the output buffer to write
    LayerPixels TargetLayer;  // the dialog's copy of the target layer (null: none)
};

// The host's colour conversions, in arrays of four-component records. An
// RGB record is (filler, red, green, blue); a CMYK record is (cyan, magenta,
// yellow, black). At most 32767 records a call. False: the conversion failed
// and the records are unspecified.
class ColorConverter {
public:
    virtual ~ColorConverter() = default;
    virtual bool CmykToRgb8(uint8_t* records, int16_t count) = 0;
    virtual bool CmykToRgb16(uint16_t* records, int16_t count) = 0;
    virtual bool RgbToCmyk8(uint8_t* records, int16_t count) = 0;
};

class RenderHost {
public:
    virtual ~RenderHost() = default;

    // The document as the host describes it now (buffers as last delivered).
    virtual HostImage Describe() = 0;

    // Asks for the whole filter rectangle at full resolution, padding 255.
    // Returns the host's result code (0 when it went through); afterwards
    // Describe() shows the delivered input buffer, or none.
    virtual int16_t RequestWholeImage() = 0;

    // The host's colour-space conversion, or null when it offers none.
    virtual ColorConverter* Converter() = 0;

    // Progress of the final render, 0..total.
    virtual void Progress(int32_t done, int32_t total) = 0;
};

} // namespace vel
