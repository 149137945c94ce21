#include "color/ImageLoader.h"
#include "platform/ComObjects_win32.h"

#include <wincodec.h>
#include <windows.h>

#include <cstdio>

namespace vel {

namespace {

struct Container {
    const GUID* Format;
    const char* Name;
};

// The formats the plug-in reads here; other decoders the system may have
// are refused so that every Windows installation reads the same files.
const Container ReadableContainers[] = {
    {&GUID_ContainerFormatBmp, "BMP"},   {&GUID_ContainerFormatPng, "PNG"},
    {&GUID_ContainerFormatJpeg, "JPEG"}, {&GUID_ContainerFormatGif, "GIF"},
    {&GUID_ContainerFormatTiff, "TIFF"},
};

const char* ReadableContainerName(const GUID& format)
{
    for (const Container& c : ReadableContainers)
        if (IsEqualGUID(format, *c.Format))
            return c.Name;
    return nullptr;
}

std::string Describe(const char* what, const std::string& path, HRESULT error)
{
    char code[16];
    std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(error));
    return std::string(what) + path + " (error 0x" + code + ")";
}

bool Fail(const char* formatName, const std::string& message, Plane<uint8_t>& image)
{
    image.Release();
    ReportImageProblem(formatName, message);
    return false;
}

// WIC delivers blue, green, red, alpha; the plug-in keeps red first.
void SwapRedAndBlue(Plane<uint8_t>& image)
{
    uint8_t* p = image.Data();
    for (size_t i = 0, n = image.Count() / 4; i < n; ++i, p += 4) {
        const uint8_t blue = p[0];
        p[0] = p[2];
        p[2] = blue;
    }
}

} // namespace

bool LoadImageRGBA(const std::string& path, Plane<uint8_t>& image)
{
    ComScope com;
    ComRef<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out()));
    if (FAILED(hr))
        return Fail(nullptr, Describe("No image decoders for ", path, hr), image);

    ComRef<IWICBitmapDecoder> decoder;
    const std::wstring widePath = WidePath(path);
    hr = factory->CreateDecoderFromFilename(widePath.c_str(), nullptr, GENERIC_READ,
                                            WICDecodeMetadataCacheOnDemand, decoder.Out());
    if (FAILED(hr))
        return Fail(nullptr, Describe("Cannot read ", path, hr), image);

    GUID container{};
    decoder->GetContainerFormat(&container);
    const char* formatName = ReadableContainerName(container);
    if (!formatName)
        return Fail(nullptr, "Unknown image format: " + path, image);

    ComRef<IWICBitmapFrameDecode> frame;
    ComRef<IWICBitmapSource> converted;
    UINT width = 0, height = 0;
    hr = decoder->GetFrame(0, frame.Out());
    if (SUCCEEDED(hr))
        hr = WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.Get(), converted.Out());
    if (SUCCEEDED(hr))
        hr = converted->GetSize(&width, &height);
    if (FAILED(hr) || width == 0 || height == 0 || width > UINT(INT32_MAX) || height > UINT(INT32_MAX))
        return Fail(formatName, Describe("Cannot read ", path, hr), image);
    if (!image.Allocate(int(width), int(height), 4) || image.Bytes() > UINT_MAX)
        return Fail(formatName, "Not enough memory for " + path, image);

    hr = converted->CopyPixels(nullptr, width * 4, UINT(image.Bytes()), image.Data());
    if (FAILED(hr))
        return Fail(formatName, Describe("Cannot read ", path, hr), image);
    SwapRedAndBlue(image);
    return true;
}

} // namespace vel
