#include "ImageWriter.h"

#include "platform/AsciiText.h"

namespace vel {
namespace {

#ifdef _WIN32
constexpr bool WritesWebp = false;
#else
constexpr bool WritesWebp = true; // libvips
#endif

} // namespace

std::string LowerExtension(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        c = AsciiLower(c);
    return ext;
}

bool CanWriteImage(const std::string& path)
{
    const std::string ext = LowerExtension(path);
    if (ext == "webp")
        return WritesWebp;
    return ext == "png" || ext == "jpg" || ext == "jpeg" || ext == "tif" || ext == "tiff" || ext == "bmp";
}

std::string WritableExtensions()
{
    return WritesWebp ? ".png, .jpg, .tif, .webp or .bmp" : ".png, .jpg, .tif or .bmp";
}

} // namespace vel
