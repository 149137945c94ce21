// Picture files through the Windows Imaging Component: 8-bit RGB with or
// without transparency.

#include "ImageDocument.h"
#include "ImageWriter.h"
#include "color/ImageLoader.h"
#include "platform/Alert.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace vel {

uint64_t PhysicalMemory()
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return 0;
    // A 32-bit process cannot use more than its address space.
    return std::min<uint64_t>(status.ullTotalPhys, status.ullTotalVirtual);
}

std::string LoadDocument(const std::string& path, const LoadRequest& request, ImageDocument& document)
{
    Plane<uint8_t> rgba;
    const AlertSink previous = SetAlertSink([](const AlertMessage&) { return AlertAnswer::Ok; });
    const bool loaded = LoadImageRGBA(path, rgba);
    SetAlertSink(previous);
    if (!loaded)
        return "the picture cannot be decoded";
    const std::string refusal = CheckRenderMemory(rgba.Width(), rgba.Height(), 4, 1);
    if (!refusal.empty())
        return refusal;
    bool transparent = request.Transparency;
    const size_t pixels = size_t(rgba.Width()) * size_t(rgba.Height());
    for (size_t i = 0; i < pixels && !transparent; ++i)
        transparent = rgba.Data()[4 * i + 3] != 255;
    document.Width = rgba.Width();
    document.Height = rgba.Height();
    document.Depth = 8;
    document.Cmyk = false;
    document.Planes = transparent ? 4 : 3;
    if (!document.Allocate())
        return "not enough memory for its " + std::to_string(document.Width) + " x " +
               std::to_string(document.Height) + " pixels";
    for (int y = 0; y < document.Height; ++y) {
        const uint8_t* in = rgba.Row(y);
        uint8_t* out = document.Pixels.Row(y);
        for (int x = 0; x < document.Width; ++x)
            std::memcpy(out + size_t(x) * size_t(document.Planes), in + 4 * size_t(x),
                        size_t(document.Planes));
    }
    return {};
}

std::string WriteDocument(const std::string& path, const std::string& formatPath, ImageDocument& document)
{
    Plane<uint8_t> rgba;
    if (!rgba.Allocate(document.Width, document.Height, 4))
        return "not enough memory for the picture";
    for (int y = 0; y < document.Height; ++y) {
        const uint8_t* in = document.Pixels.Row(y);
        uint8_t* out = rgba.Row(y);
        for (int x = 0; x < document.Width; ++x)
            for (int c = 0; c < 4; ++c)
                out[4 * x + c] =
                    c < document.Planes ? in[size_t(x) * size_t(document.Planes) + size_t(c)] : 255;
    }
    return WriteImageRGBA(path, formatPath, rgba);
}

} // namespace vel
