#include "ImageWriter.h"

#include <wincodec.h>
#include <windows.h>

#include <vector>

namespace vel {
namespace {

template <typename T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr()
    {
        if (p)
            p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() { return p; }
};

const GUID& ContainerFor(const std::string& ext)
{
    if (ext == "jpg" || ext == "jpeg")
        return GUID_ContainerFormatJpeg;
    if (ext == "tif" || ext == "tiff")
        return GUID_ContainerFormatTiff;
    if (ext == "bmp")
        return GUID_ContainerFormatBmp;
    return GUID_ContainerFormatPng;
}

std::wstring Wide(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(size_t(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

} // namespace

std::string WriteImageRGBA(const std::string& path, const std::string& formatPath, const Plane<uint8_t>& image)
{
    const std::string ext = LowerExtension(formatPath);
    if (!CanWriteImage(formatPath))
        return "cannot write ." + ext + " files (use png, jpg, tif or bmp)";
    const bool opaque = ext == "jpg" || ext == "jpeg" || ext == "bmp";
    const UINT width = UINT(image.Width()), height = UINT(image.Height());

    // WIC takes blue, green, red (and alpha) in that order.
    const UINT channels = opaque ? 3 : 4;
    const UINT stride = width * channels;
    std::vector<BYTE> pixels(size_t(stride) * height);
    for (UINT y = 0; y < height; ++y)
        for (UINT x = 0; x < width; ++x) {
            const uint8_t* in = image.Row(int(y)) + 4 * x;
            BYTE* out = &pixels[size_t(y) * stride + size_t(x) * channels];
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            if (!opaque)
                out[3] = in[3];
        }

    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::string error;
    {
        ComPtr<IWICImagingFactory> factory;
        ComPtr<IWICStream> stream;
        ComPtr<IWICBitmapEncoder> encoder;
        ComPtr<IWICBitmapFrameEncode> frame;
        ComPtr<IPropertyBag2> options;
        WICPixelFormatGUID format = opaque ? GUID_WICPixelFormat24bppBGR : GUID_WICPixelFormat32bppBGRA;
        const bool ok =
            SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                       reinterpret_cast<void**>(&factory))) &&
            SUCCEEDED(factory->CreateStream(&stream)) &&
            SUCCEEDED(stream->InitializeFromFilename(Wide(path).c_str(), GENERIC_WRITE)) &&
            SUCCEEDED(factory->CreateEncoder(ContainerFor(ext), nullptr, &encoder)) &&
            SUCCEEDED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) &&
            SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options.p)) &&
            SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
            SUCCEEDED(frame->WritePixels(height, stride, UINT(pixels.size()), pixels.data())) &&
            SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
        if (!ok)
            error = "cannot write " + path;
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return error;
}

} // namespace vel
