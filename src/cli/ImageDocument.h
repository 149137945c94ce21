#pragma once
// A picture file as the document a filter host would make of it: RGB or
// CMYK, 8 or 16 bits per sample, with a transparency plane only when the
// picture has one (or when the paper is to be transparent), and what the
// file says about itself that the engraving should keep.

#include "engine/RenderHost.h"
#include "platform/PageMemory.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vel {

struct ImageDocument {
    int Width = 0;
    int Height = 0;
    int Planes = 0; // colour planes (3 RGB, 4 CMYK), then transparency when present
    int Depth = 8;  // 8 or 16; 16-bit samples use the host range 0..32768
    bool Cmyk = false;
    // Height rows of Width × Planes samples (one or two bytes, host order).
    Plane<uint8_t> Pixels;

    // Carried from the input file to the output.
    std::vector<uint8_t> IccProfile; // empty: none
    double XResolution = 0;          // pixels per millimetre; 0 unknown
    double YResolution = 0;

    ImageMode Mode() const;
    int ColorPlanes() const { return Cmyk ? 4 : 3; }
    bool HasTransparency() const { return Planes > ColorPlanes(); }
    int32_t RowBytes() const { return Width * Planes * (Depth == 16 ? 2 : 1); }
    // Creates the zero-filled pixel storage for the fields above.
    bool Allocate();
};

// How a picture is to be opened.
struct LoadRequest {
    // The paper is transparent ("None"): the document gets a transparency
    // plane even when the picture has none, so that the output keeps it.
    bool Transparency = false;
};

// Conversions between full 16-bit samples (0..65535) and the host range.
constexpr uint16_t ToHostRange(uint16_t v)
{
    return uint16_t((uint32_t(v) * 32768u + 32767u) / 65535u);
}
constexpr uint16_t FromHostRange(uint16_t v)
{
    return v >= 32768 ? 65535 : uint16_t((uint32_t(v) * 65535u + 16384u) / 32768u);
}

// The memory an engraving of width × height pixels needs at least: the
// document's input and output buffers (`sampleBytes` per plane) and the
// render's planes.
uint64_t RenderMemory(int64_t width, int64_t height, int planes, int sampleBytes);

// The physical memory of this computer, in bytes (0 when unknown).
uint64_t PhysicalMemory();

// An empty string when the render of a picture of this size can fit in
// memory, else the one-line reason ("W x H pixels need ... of memory; this
// computer has ...").
std::string CheckRenderMemory(int64_t width, int64_t height, int planes, int sampleBytes);

// Readies the picture library for opening `inputs` (the first call decides;
// later ones do nothing). When every input is in a format the library
// decodes by itself, the formats it loads as modules are left out: loading
// them takes a good part of the time a picture takes to engrave.
void PrepareImageLibrary(const std::vector<std::string>& inputs);

// Opens the picture at `path` as a document. Returns an empty string, or
// one line saying why it cannot be opened (without the file name). A
// picture whose render cannot fit in memory is refused before its pixels
// are decoded.
std::string LoadDocument(const std::string& path, const LoadRequest& request, ImageDocument& document);

// Writes `document` to `path` in the format that `formatPath`'s extension
// names (the two differ when writing to a temporary file first). CMYK stays
// CMYK where the format holds it (TIFF, JPEG) and 16 bits stay 16 where the
// format holds them (PNG, TIFF). The pixels may be changed on the way.
// Returns an empty string, or one line saying what went wrong.
std::string WriteDocument(const std::string& path, const std::string& formatPath, ImageDocument& document);

// Writes a separation plate as a greyscale TIFF: width × height bytes, 0
// where the ink prints fully and 255 where it does not. With `oneBit` the
// file holds one bit a pixel (the bytes are then only 0 or 255). Returns an
// empty string, or one line saying what went wrong.
std::string WritePlate(const std::string& path, const uint8_t* grey, int width, int height, bool oneBit);

} // namespace vel
