#include "color/ImageLoader.h"

#include <FreeImage.h>

#include <cstring>

namespace vel {

namespace {

bool MessageShown = false;

void ShowLibraryMessage(FREE_IMAGE_FORMAT format, const char* message)
{
    MessageShown = true;
    ReportImageProblem(format != FIF_UNKNOWN ? FreeImage_GetFormatFromFIF(format) : nullptr,
                       message ? message : "");
}

// Keeps the library initialised for one load and releases what it decoded.
class Decoding {
  public:
    Decoding()
    {
        FreeImage_Initialise(FALSE);
        FreeImage_SetOutputMessage(ShowLibraryMessage);
        MessageShown = false;
    }
    ~Decoding()
    {
        if (converted_)
            FreeImage_Unload(converted_);
        if (loaded_)
            FreeImage_Unload(loaded_);
        FreeImage_DeInitialise();
    }
    Decoding(const Decoding&) = delete;
    Decoding& operator=(const Decoding&) = delete;

    FIBITMAP* Load(FREE_IMAGE_FORMAT format, const std::string& path)
    {
        loaded_ = FreeImage_Load(format, path.c_str(), 0);
        return loaded_;
    }
    FIBITMAP* ConvertTo32Bits()
    {
        converted_ = FreeImage_ConvertTo32Bits(loaded_);
        return converted_;
    }

  private:
    FIBITMAP* loaded_ = nullptr;
    FIBITMAP* converted_ = nullptr;
};

FREE_IMAGE_FORMAT ReadableFormat(const std::string& path)
{
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    if (format == FIF_UNKNOWN)
        format = FreeImage_GetFIFFromFilename(path.c_str());
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format))
        return FIF_UNKNOWN;
    return format;
}

// The library's rows run bottom-up in blue, green, red, alpha order.
void CopyRows(FIBITMAP* bitmap, Plane<uint8_t>& image)
{
    const unsigned pitch = FreeImage_GetPitch(bitmap);
    const uint8_t* bits = FreeImage_GetBits(bitmap);
    for (int y = 0; y < image.Height(); ++y) {
        const uint8_t* in = bits + size_t(image.Height() - 1 - y) * pitch;
        uint8_t* out = image.Row(y);
        for (int x = 0; x < image.Width(); ++x, in += 4, out += 4) {
            out[0] = in[FI_RGBA_RED];
            out[1] = in[FI_RGBA_GREEN];
            out[2] = in[FI_RGBA_BLUE];
            out[3] = in[FI_RGBA_ALPHA];
        }
    }
}

// A failure the library reported itself has been shown already.
bool Fail(FREE_IMAGE_FORMAT format, const std::string& message, Plane<uint8_t>& image)
{
    image.Release();
    if (!MessageShown)
        ReportImageProblem(format != FIF_UNKNOWN ? FreeImage_GetFormatFromFIF(format) : nullptr, message);
    return false;
}

} // namespace

bool LoadImageRGBA(const std::string& path, Plane<uint8_t>& image)
{
    Decoding decoding;
    const FREE_IMAGE_FORMAT format = ReadableFormat(path);
    if (format == FIF_UNKNOWN)
        return Fail(format, "Unknown image format: " + path, image);
    if (!decoding.Load(format, path))
        return Fail(format, "Cannot read " + path, image);
    FIBITMAP* bitmap = decoding.ConvertTo32Bits();
    if (!bitmap || !FreeImage_GetBits(bitmap))
        return Fail(format, "Cannot convert " + path, image);
    const unsigned width = FreeImage_GetWidth(bitmap), height = FreeImage_GetHeight(bitmap);
    if (width == 0 || height == 0 || width > unsigned(INT32_MAX) || height > unsigned(INT32_MAX))
        return Fail(format, "Cannot read " + path, image);
    if (!image.Allocate(int(width), int(height), 4))
        return Fail(format, "Not enough memory for " + path, image);
    CopyRows(bitmap, image);
    return true;
}

} // namespace vel
