// Picture files through the Windows Imaging Component: 8-bit pictures in any
// layout WIC decodes, 16-bit RGB, RGBA and grey where WIC offers them.

#include "ImageDocument.h"
#include "ImageWriter.h"
#include "platform/ComObjects_win32.h"

#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace vel {
namespace {

// A 16-bit layout WIC decodes: its samples per pixel, where red, green, blue
// and alpha are (-1: absent; grey repeats its one sample).
struct WideLayout {
    const GUID* Format;
    int Samples;
    int Red, Green, Blue, Alpha;
};

const WideLayout WideLayouts[] = {
    {&GUID_WICPixelFormat48bppRGB, 3, 0, 1, 2, -1},  {&GUID_WICPixelFormat48bppBGR, 3, 2, 1, 0, -1},
    {&GUID_WICPixelFormat64bppRGBA, 4, 0, 1, 2, 3},  {&GUID_WICPixelFormat64bppBGRA, 4, 2, 1, 0, 3},
    {&GUID_WICPixelFormat16bppGray, 1, 0, 0, 0, -1},
};

const WideLayout* WideLayoutOf(const GUID& format)
{
    for (const WideLayout& layout : WideLayouts)
        if (IsEqualGUID(format, *layout.Format))
            return &layout;
    return nullptr;
}

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

std::string Failed(const char* what, HRESULT error)
{
    char code[16];
    std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(error));
    return std::string(what) + " (error 0x" + code + ")";
}

// Encodes one frame of `wanted` pixels into a new file of the container.
std::string EncodeFrame(const std::string& path, const GUID& container, const GUID& wanted, UINT width, UINT height,
                        UINT stride, const Plane<uint8_t>& pixels)
{
    ComScope com;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapEncoder> encoder;
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IPropertyBag2> options;
    WICPixelFormatGUID format = wanted;
    const bool ok =
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out()))) &&
        SUCCEEDED(factory->CreateStream(stream.Out())) &&
        SUCCEEDED(stream->InitializeFromFilename(WidePath(path).c_str(), GENERIC_WRITE)) &&
        SUCCEEDED(factory->CreateEncoder(container, nullptr, encoder.Out())) &&
        SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(frame.Out(), options.Out())) &&
        SUCCEEDED(frame->Initialize(options.Get())) && SUCCEEDED(frame->SetSize(width, height)) &&
        SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, wanted) &&
        SUCCEEDED(frame->WritePixels(height, stride, UINT(pixels.Bytes()), const_cast<uint8_t*>(pixels.Data()))) &&
        SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    return ok ? std::string() : "the picture cannot be encoded";
}

} // namespace

// The Windows Imaging Component starts with the first picture.
void PrepareImageLibrary(const std::vector<std::string>&) {}

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
    ComScope com;
    ComRef<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out()));
    if (FAILED(hr))
        return Failed("no picture decoders", hr);
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    hr = factory->CreateDecoderFromFilename(WidePath(path).c_str(), nullptr, GENERIC_READ,
                                            WICDecodeMetadataCacheOnDemand, decoder.Out());
    if (SUCCEEDED(hr))
        hr = decoder->GetFrame(0, frame.Out());
    if (FAILED(hr))
        return Failed("not a picture WIC can read", hr);
    UINT width = 0, height = 0;
    WICPixelFormatGUID format = {};
    if (FAILED(hr = frame->GetSize(&width, &height)) || FAILED(hr = frame->GetPixelFormat(&format)))
        return Failed("the picture's header cannot be read", hr);
    const WideLayout* wide = WideLayoutOf(format);
    // Before a pixel is decoded: can its render fit in memory?
    const std::string refusal = CheckRenderMemory(width, height, 4, wide ? 2 : 1);
    if (!refusal.empty())
        return refusal;

    // The decoded pixels: the 16-bit layout as it is, everything else as
    // 8-bit blue, green, red, alpha.
    const int samples = wide ? wide->Samples : 4;
    const int sampleBytes = wide ? 2 : 1;
    const UINT stride = width * UINT(samples * sampleBytes);
    Plane<uint8_t> decoded;
    if (!decoded.Allocate(int(stride), int(height)))
        return "not enough memory for its " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels";
    ComRef<IWICFormatConverter> converter;
    IWICBitmapSource* source = frame.Get();
    if (!wide) {
        if (FAILED(hr = factory->CreateFormatConverter(converter.Out())) ||
            FAILED(hr = converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                              WICBitmapDitherTypeNone, nullptr, 0.0,
                                              WICBitmapPaletteTypeCustom)))
            return Failed("the picture cannot be converted", hr);
        source = converter.Get();
    }
    if (FAILED(hr = source->CopyPixels(nullptr, stride, UINT(decoded.Bytes()), decoded.Data())))
        return Failed("the picture cannot be decoded", hr);

    auto sample = [&](UINT x, UINT y, int index) -> uint16_t {
        const uint8_t* row = decoded.Data() + size_t(y) * stride;
        if (!wide)
            return row[size_t(x) * 4 + size_t(index)];
        uint16_t v;
        std::memcpy(&v, row + (size_t(x) * size_t(samples) + size_t(index)) * 2, 2);
        return ToHostRange(v);
    };
    const int red = wide ? wide->Red : 2, green = wide ? wide->Green : 1, blue = wide ? wide->Blue : 0;
    const int alpha = wide ? wide->Alpha : 3;
    bool transparent = request.Transparency;
    const uint16_t opaque = wide ? 32768 : 255;
    for (UINT y = 0; y < height && !transparent && alpha >= 0; ++y)
        for (UINT x = 0; x < width && !transparent; ++x)
            transparent = sample(x, y, alpha) != opaque;

    document.Width = int(width);
    document.Height = int(height);
    document.Depth = wide ? 16 : 8;
    document.Cmyk = false;
    document.Planes = transparent ? 4 : 3;
    if (!document.Allocate())
        return "not enough memory for its " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels";
    const int order[4] = {red, green, blue, alpha};
    for (UINT y = 0; y < height; ++y) {
        uint8_t* out = document.Pixels.Row(int(y));
        for (UINT x = 0; x < width; ++x)
            for (int c = 0; c < document.Planes; ++c) {
                const uint16_t v = order[c] >= 0 ? sample(x, y, order[c]) : opaque;
                const size_t index = size_t(x) * size_t(document.Planes) + size_t(c);
                if (wide)
                    std::memcpy(out + 2 * index, &v, 2);
                else
                    out[index] = uint8_t(v);
            }
    }
    return {};
}

std::string WriteDocument(const std::string& path, const std::string& formatPath, ImageDocument& document)
{
    const std::string ext = LowerExtension(formatPath);
    if (!CanWriteImage(formatPath))
        return "." + ext + " files cannot be written (use " + WritableExtensions() + ")";
    // 16 bits stay 16 in PNG and TIFF; JPEG and BMP take 8.
    const bool wide = document.Depth == 16 && (ext == "png" || ext == "tif" || ext == "tiff");
    const bool alpha = document.HasTransparency() && ext != "jpg" && ext != "jpeg" && ext != "bmp";
    const UINT channels = alpha ? 4 : 3;
    const UINT width = UINT(document.Width), height = UINT(document.Height);
    const UINT stride = width * channels * (wide ? 2 : 1);
    Plane<uint8_t> pixels;
    if (!pixels.Allocate(int(stride), int(height)))
        return "not enough memory for the picture";
    for (UINT y = 0; y < height; ++y) {
        const uint8_t* in = document.Pixels.Row(int(y));
        uint8_t* out = pixels.Row(int(y));
        for (UINT x = 0; x < width; ++x)
            for (UINT c = 0; c < channels; ++c) {
                // 16-bit layouts are red first; 8-bit ones blue first.
                const UINT from = wide || c == 3 ? c : 2 - c;
                const size_t index = size_t(x) * size_t(document.Planes) + from;
                const size_t to = size_t(x) * channels + c;
                if (document.Depth == 16) {
                    uint16_t v;
                    std::memcpy(&v, in + 2 * index, 2);
                    v = FromHostRange(v);
                    if (wide)
                        std::memcpy(out + 2 * to, &v, 2);
                    else
                        out[to] = uint8_t(v >> 8);
                } else {
                    out[to] = in[index];
                }
            }
    }

    const GUID& wanted = wide ? (alpha ? GUID_WICPixelFormat64bppRGBA : GUID_WICPixelFormat48bppRGB)
                              : (alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR);
    return EncodeFrame(path, ContainerFor(ext), wanted, width, height, stride, pixels);
}

std::string WritePlate(const std::string& path, const uint8_t* grey, int width, int height, bool oneBit)
{
    // One bit a pixel: rows of whole bytes, the leftmost pixel in the high
    // bit, 1 for white.
    const UINT stride = oneBit ? (UINT(width) + 7) / 8 : UINT(width);
    Plane<uint8_t> pixels;
    if (!pixels.Allocate(int(stride), height))
        return "not enough memory for the plate";
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = grey + size_t(y) * size_t(width);
        uint8_t* out = pixels.Row(y);
        if (!oneBit)
            std::memcpy(out, in, size_t(width));
        else
            for (int x = 0; x < width; ++x)
                if (in[x] >= 128)
                    out[x / 8] = uint8_t(out[x / 8] | (0x80 >> (x % 8)));
    }
    return EncodeFrame(path, GUID_ContainerFormatTiff,
                       oneBit ? GUID_WICPixelFormatBlackWhite : GUID_WICPixelFormat8bppGray, UINT(width),
                       UINT(height), stride, pixels);
}

} // namespace vel
