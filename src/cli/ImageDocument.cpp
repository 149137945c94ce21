#include "ImageDocument.h"

#include <cstdio>

namespace vel {

ImageMode ImageDocument::Mode() const
{
    if (Cmyk)
        return Depth == 16 ? ImageMode::Cmyk64 : ImageMode::Cmyk;
    return Depth == 16 ? ImageMode::Rgb48 : ImageMode::Rgb;
}

bool ImageDocument::Allocate()
{
    return Pixels.Allocate(RowBytes(), Height);
}

uint64_t RenderMemory(int64_t width, int64_t height, int planes, int sampleBytes)
{
    // Input and output buffers, FullSource (4), the working planes (25: four
    // of 4 bytes and the 3 × 3 finer plane) and a paper texture (4).
    const uint64_t perPixel = 2 * uint64_t(planes) * uint64_t(sampleBytes) + 4 + 25 + 4;
    return uint64_t(width) * uint64_t(height) * perPixel;
}

namespace {

std::string Size(uint64_t bytes)
{
    char text[32];
    const double mb = double(bytes) / (1024.0 * 1024.0);
    if (mb >= 1024.0)
        std::snprintf(text, sizeof text, "%.1f GB", mb / 1024.0);
    else
        std::snprintf(text, sizeof text, "%.0f MB", mb);
    return text;
}

} // namespace

std::string CheckRenderMemory(int64_t width, int64_t height, int planes, int sampleBytes)
{
    const uint64_t need = RenderMemory(width, height, planes, sampleBytes);
    const uint64_t have = PhysicalMemory();
    // Rows of the document and of the 3 × finer plane are measured in int.
    const bool addressable = width > 0 && height > 0 && width <= 0x7FFFFFFF / 12 && height <= 0x7FFFFFFF / 3;
    if (addressable && (have == 0 || need <= have))
        return {};
    char line[160];
    std::snprintf(line, sizeof line, "%lld x %lld pixels need %s of memory to engrave; this computer has %s",
                  static_cast<long long>(width), static_cast<long long>(height), Size(need).c_str(),
                  have ? Size(have).c_str() : "less");
    return line;
}

} // namespace vel
