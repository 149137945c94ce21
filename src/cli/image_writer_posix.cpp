#include "ImageWriter.h"

#include <FreeImage.h>

#include <cstring>

namespace vel {

std::string WriteImageRGBA(const std::string& path, const std::string& formatPath, const Plane<uint8_t>& image)
{
    if (!CanWriteImage(formatPath))
        return "cannot write ." + LowerExtension(formatPath) + " files (use png, jpg, tif or bmp)";
    const FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(formatPath.c_str());
    FIBITMAP* bitmap = FreeImage_Allocate(image.Width(), image.Height(), 32);
    if (!bitmap)
        return "not enough memory for the picture";
    for (int y = 0; y < image.Height(); ++y) {
        // FreeImage keeps rows bottom-up, pixels as blue, green, red, alpha.
        BYTE* out = FreeImage_GetScanLine(bitmap, image.Height() - 1 - y);
        const uint8_t* in = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            out[4 * x + FI_RGBA_RED] = in[4 * x];
            out[4 * x + FI_RGBA_GREEN] = in[4 * x + 1];
            out[4 * x + FI_RGBA_BLUE] = in[4 * x + 2];
            out[4 * x + FI_RGBA_ALPHA] = in[4 * x + 3];
        }
    }
    FIBITMAP* saved = bitmap;
    if (format == FIF_JPEG)
        saved = FreeImage_ConvertTo24Bits(bitmap);
    const bool ok = saved && FreeImage_Save(format, saved, path.c_str(), format == FIF_JPEG ? JPEG_QUALITYSUPERB : 0);
    if (saved && saved != bitmap)
        FreeImage_Unload(saved);
    FreeImage_Unload(bitmap);
    return ok ? std::string() : "the picture cannot be encoded";
}

} // namespace vel
