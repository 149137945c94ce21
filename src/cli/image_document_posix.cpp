// Picture files through libvips: every format it reads, 8 and 16 bits, grey,
// palette, RGB and CMYK, with or without transparency.

#include "ImageDocument.h"
#include "ImageWriter.h"
#include "PngWriter.h"
#include "engine/PixelTransfer.h"

#include <vips/vips8>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace vel {
namespace {

using vips::VError;
using vips::VImage;

// A prefix without libvips' loadable format modules beneath it.
constexpr const char* ModuleFreePrefix = "/nonexistent/vellisto";

// Starts libvips once; the first call decides whether its loadable format
// modules load. Leaving them out saves most of the library's start-up (they
// pull in ImageMagick, poppler and more), but only the formats libvips
// decodes itself can then be read.
bool StartVips(bool withModules = true)
{
    static const bool started = [withModules] {
        // The library looks for its modules under VIPSHOME when that is set;
        // the variable is only set for the start, and never over the user's.
        const bool hideModules = !withModules && !std::getenv("VIPSHOME");
        if (hideModules)
            setenv("VIPSHOME", ModuleFreePrefix, 1);
        const int status = VIPS_INIT("vellisto");
        if (hideModules)
            unsetenv("VIPSHOME");
        if (status != 0)
            return false;
        // Problems reach the user as the one line of the failed call; the
        // library's own warnings would only repeat them.
        g_log_set_handler(
            "VIPS", GLogLevelFlags(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE | G_LOG_LEVEL_INFO),
            [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
        // Decoded pictures go straight into the document; the operation cache
        // would only keep a second copy.
        vips_cache_set_max(0);
        return true;
    }();
    return started;
}

// The first line of libvips' message, without the "VipsForeignLoad: "-style
// prefix of the operation that failed.
std::string OneLine(const std::string& message)
{
    std::string line;
    size_t start = 0;
    while (start < message.size()) {
        const size_t end = message.find('\n', start);
        line = message.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty())
            break;
        start = end == std::string::npos ? message.size() : end + 1;
    }
    const size_t colon = line.find(": ");
    if (colon != std::string::npos && line.compare(0, 4, "Vips") == 0 && line.find(' ') > colon)
        line.erase(0, colon + 2);
    return line.empty() ? "the picture cannot be decoded" : line;
}

// The colour space an ICC profile describes ('RGB ', 'CMYK', 'GRAY').
std::string ProfileSpace(const std::vector<uint8_t>& profile)
{
    return profile.size() >= 20 ? std::string(profile.begin() + 16, profile.begin() + 20) : std::string();
}

bool IsCmykImage(const VImage& image)
{
    return image.interpretation() == VIPS_INTERPRETATION_CMYK && image.bands() >= 4;
}

// The picture's colour planes and transparency as RGB or CMYK samples of 8
// or 16 bits: grey spreads over three planes, anything else becomes sRGB.
VImage Normalised(VImage image, bool& cmyk, bool& alpha)
{
    const VipsInterpretation space = image.interpretation();
    cmyk = IsCmykImage(image);
    const bool known = cmyk || space == VIPS_INTERPRETATION_sRGB || space == VIPS_INTERPRETATION_RGB16 ||
                       space == VIPS_INTERPRETATION_B_W || space == VIPS_INTERPRETATION_GREY16 ||
                       space == VIPS_INTERPRETATION_MULTIBAND;
    if (!known)
        image = image.colourspace(VIPS_INTERPRETATION_sRGB);
    if (image.format() != VIPS_FORMAT_UCHAR && image.format() != VIPS_FORMAT_USHORT) {
        if (!cmyk && image.interpretation() != VIPS_INTERPRETATION_sRGB)
            image = image.colourspace(VIPS_INTERPRETATION_sRGB);
        if (image.format() != VIPS_FORMAT_UCHAR)
            image = image.cast(VIPS_FORMAT_UCHAR);
    }
    const int bands = image.bands();
    VImage colour;
    if (cmyk) {
        colour = image.extract_band(0, VImage::option()->set("n", 4));
        alpha = bands > 4;
        if (alpha)
            colour = colour.bandjoin(image[4]);
    } else if (bands <= 2) {
        colour = image[0].bandjoin(image[0]).bandjoin(image[0]);
        alpha = bands == 2;
        if (alpha)
            colour = colour.bandjoin(image[1]);
    } else {
        colour = image.extract_band(0, VImage::option()->set("n", 3));
        alpha = bands > 3;
        if (alpha)
            colour = colour.bandjoin(image[3]);
    }
    return colour;
}

// Filter hosts hand CMYK over inverted (255, or 32768 at 16 bits, is no
// ink), which is what the engine's CMYK formulas expect; files store ink.
void InvertInks(ImageDocument& document)
{
    const uint16_t full = document.Depth == 16 ? 32768 : 255;
    for (int y = 0; y < document.Height; ++y) {
        uint8_t* row = document.Pixels.Data() + size_t(y) * size_t(document.RowBytes());
        for (int x = 0; x < document.Width; ++x)
            for (int c = 0; c < 4; ++c) {
                const size_t index = size_t(x) * size_t(document.Planes) + size_t(c);
                if (document.Depth == 16) {
                    uint16_t v;
                    std::memcpy(&v, row + 2 * index, 2);
                    v = uint16_t(full - std::min(v, full));
                    std::memcpy(row + 2 * index, &v, 2);
                } else {
                    row[index] = uint8_t(full - row[index]);
                }
            }
    }
}

int Orientation(const VImage& image)
{
    return image.get_typeof(VIPS_META_ORIENTATION) ? image.get_int(VIPS_META_ORIENTATION) : 1;
}

// True when the file starts as a PNG, JPEG, TIFF, WebP or GIF file does:
// the formats libvips decodes without its modules.
bool DecodedWithoutModules(const std::string& path)
{
    unsigned char head[12] = {};
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    const size_t length = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    const auto starts = [&](const char* magic, size_t size, size_t at = 0) {
        return length >= at + size && std::memcmp(head + at, magic, size) == 0;
    };
    return starts("\x89PNG\r\n\x1a\n", 8) || starts("\xff\xd8\xff", 3) || starts("II*\0", 4) ||
           starts("MM\0*", 4) || starts("II+\0", 4) || starts("MM\0+", 4) || starts("GIF8", 4) ||
           (starts("RIFF", 4) && starts("WEBP", 4, 8));
}

} // namespace

void PrepareImageLibrary(const std::vector<std::string>& inputs)
{
    StartVips(!std::all_of(inputs.begin(), inputs.end(), DecodedWithoutModules));
}

uint64_t PhysicalMemory()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? uint64_t(pages) * uint64_t(pageSize) : 0;
}

std::string LoadDocument(const std::string& path, const LoadRequest& request, ImageDocument& document)
{
    if (!StartVips())
        return "the image library cannot start";
    try {
        // Opening reads the header only; the pixels are decoded by the write
        // into the document below.
        VImage header = VImage::new_from_file(path.c_str());
        const bool rotate = Orientation(header) > 1;
        VImage image = VImage::new_from_file(
            path.c_str(), VImage::option()
                              ->set("access", rotate ? VIPS_ACCESS_RANDOM : VIPS_ACCESS_SEQUENTIAL)
                              ->set("fail_on", VIPS_FAIL_ON_ERROR));

        const bool cmyk = IsCmykImage(image);
        const bool wide = image.format() == VIPS_FORMAT_USHORT;
        const int colourPlanes = cmyk ? 4 : 3;
        const std::string refusal =
            CheckRenderMemory(image.width(), image.height(), colourPlanes + 1, wide ? 2 : 1);
        if (!refusal.empty())
            return refusal;

        if (image.get_typeof(VIPS_META_ICC_NAME)) {
            size_t length = 0;
            const void* data = image.get_blob(VIPS_META_ICC_NAME, &length);
            const auto* bytes = static_cast<const uint8_t*>(data);
            document.IccProfile.assign(bytes, bytes + length);
        }
        document.XResolution = image.xres();
        document.YResolution = image.yres();

        bool isCmyk = false;
        bool alpha = false;
        VImage pixels = Normalised(image, isCmyk, alpha);
        if (!alpha && request.Transparency) {
            pixels = pixels.bandjoin_const({pixels.format() == VIPS_FORMAT_USHORT ? 65535.0 : 255.0});
            alpha = true;
        }
        if (rotate)
            pixels = pixels.autorot();

        document.Width = pixels.width();
        document.Height = pixels.height();
        document.Cmyk = isCmyk;
        document.Depth = pixels.format() == VIPS_FORMAT_USHORT ? 16 : 8;
        document.Planes = pixels.bands();
        if (!document.Allocate())
            return "not enough memory for its " + std::to_string(document.Width) + " x " +
                   std::to_string(document.Height) + " pixels";

        // Decode straight into the document's pages.
        VImage target =
            VImage::new_from_memory(document.Pixels.Data(), document.Pixels.Bytes(), document.Width,
                                    document.Height, document.Planes, pixels.format());
        pixels.write(target);
        if (document.Depth == 16) {
            auto* samples = reinterpret_cast<uint16_t*>(document.Pixels.Data());
            const size_t count = document.Pixels.Bytes() / 2;
            for (size_t i = 0; i < count; ++i)
                samples[i] = ToHostRange(samples[i]);
        }
        if (document.Cmyk)
            InvertInks(document);
        // A grey profile does not describe the RGB document the grey became.
        const std::string space = ProfileSpace(document.IccProfile);
        if (space != (document.Cmyk ? "CMYK" : "RGB "))
            document.IccProfile.clear();
    } catch (const VError& error) {
        document.Pixels.Release();
        // The caller names the file.
        std::string line = OneLine(error.what());
        const std::string quoted = "\"" + path + "\" ";
        if (const size_t at = line.find(quoted); at != std::string::npos)
            line.erase(at, quoted.size());
        return line;
    }
    return {};
}

namespace {

bool HoldsCmyk(const std::string& ext)
{
    return ext == "tif" || ext == "tiff" || ext == "jpg" || ext == "jpeg";
}
bool HoldsWide(const std::string& ext)
{
    return ext == "png" || ext == "tif" || ext == "tiff";
}
bool HoldsTransparency(const std::string& ext)
{
    return ext != "jpg" && ext != "jpeg";
}

// A CMYK document as RGB through the built-in formula, for formats without
// CMYK; 16-bit samples are reduced first and widened again after.
void CmykToRgb(ImageDocument& document)
{
    const int planes = document.HasTransparency() ? 4 : 3;
    const bool wide = document.Depth == 16;
    for (int y = 0; y < document.Height; ++y) {
        uint8_t* row = document.Pixels.Row(y);
        for (int x = 0; x < document.Width; ++x) {
            uint8_t cmyk[5] = {};
            uint16_t samples[5] = {};
            const int count = std::min(document.Planes, 5);
            for (int c = 0; c < count; ++c) {
                if (wide) {
                    std::memcpy(&samples[c], row + 2 * (size_t(x) * size_t(document.Planes) + size_t(c)), 2);
                    cmyk[c] = Reduce16(samples[c]);
                } else {
                    cmyk[c] = row[size_t(x) * size_t(document.Planes) + size_t(c)];
                }
            }
            uint8_t rgb[3];
            CmykToRgbFormula(cmyk, rgb);
            for (int c = 0; c < planes; ++c) {
                const size_t index = size_t(x) * size_t(planes) + size_t(c);
                if (wide) {
                    const uint16_t v =
                        c < 3 ? uint16_t((uint32_t(rgb[c]) * 32768u + 127u) / 255u) : samples[4];
                    std::memcpy(row + 2 * index, &v, 2);
                } else {
                    row[index] = c < 3 ? rgb[c] : cmyk[4];
                }
            }
        }
    }
    document.Cmyk = false;
    document.Planes = planes;
    document.IccProfile.clear();
}

} // namespace

std::string WriteDocument(const std::string& path, const std::string& formatPath, ImageDocument& document)
{
    const std::string ext = LowerExtension(formatPath);
    if (!CanWriteImage(formatPath))
        return "." + ext + " files cannot be written (use " + WritableExtensions() + ")";
    if (!StartVips())
        return "the image library cannot start";
    if (document.Cmyk && !HoldsCmyk(ext)) {
        // Rows keep their length: the RGB pixels are packed at their start.
        const int32_t rowBytes = document.RowBytes();
        CmykToRgb(document);
        const int32_t packed = document.RowBytes();
        uint8_t* base = document.Pixels.Data();
        for (int y = 1; y < document.Height; ++y)
            std::memmove(base + size_t(y) * size_t(packed), base + size_t(y) * size_t(rowBytes),
                         size_t(packed));
    }
    if (document.Cmyk)
        InvertInks(document);
    if (document.Depth == 16) {
        auto* samples = reinterpret_cast<uint16_t*>(document.Pixels.Data());
        const size_t count = size_t(document.RowBytes()) * size_t(document.Height) / 2;
        for (size_t i = 0; i < count; ++i)
            samples[i] = FromHostRange(samples[i]);
    }
    if (ext == "png") {
        PngPicture picture;
        picture.Pixels = document.Pixels.Data();
        picture.Width = document.Width;
        picture.Height = document.Height;
        picture.Channels = document.Planes;
        picture.Depth = document.Depth;
        picture.RowBytes = size_t(document.RowBytes());
        picture.IccProfile = &document.IccProfile;
        picture.XResolution = document.XResolution > 0 ? document.XResolution : 72.0 / 25.4;
        picture.YResolution = document.YResolution > 0 ? document.YResolution : 72.0 / 25.4;
        return WritePng(path, picture);
    }
    if (ext == "bmp") {
        // FreeImage writes BMP; it takes 8-bit RGBA.
        Plane<uint8_t> rgba;
        if (!rgba.Allocate(document.Width, document.Height, 4))
            return "not enough memory for the picture";
        const bool wide = document.Depth == 16;
        for (int y = 0; y < document.Height; ++y) {
            const uint8_t* in = document.Pixels.Data() + size_t(y) * size_t(document.RowBytes());
            uint8_t* out = rgba.Row(y);
            for (int x = 0; x < document.Width; ++x)
                for (int c = 0; c < 4; ++c) {
                    const size_t index = size_t(x) * size_t(document.Planes) + size_t(c);
                    uint8_t v = 255;
                    if (c < document.Planes && wide) {
                        uint16_t sample;
                        std::memcpy(&sample, in + 2 * index, 2);
                        v = uint8_t(sample >> 8);
                    } else if (c < document.Planes) {
                        v = in[index];
                    }
                    out[4 * x + c] = v;
                }
        }
        return WriteImageRGBA(path, formatPath, rgba);
    }
    try {
        const VipsBandFormat format = document.Depth == 16 ? VIPS_FORMAT_USHORT : VIPS_FORMAT_UCHAR;
        VImage image = VImage::new_from_memory(document.Pixels.Data(),
                                               size_t(document.RowBytes()) * size_t(document.Height),
                                               document.Width, document.Height, document.Planes, format);
        VipsInterpretation space = document.Cmyk          ? VIPS_INTERPRETATION_CMYK
                                   : document.Depth == 16 ? VIPS_INTERPRETATION_RGB16
                                                          : VIPS_INTERPRETATION_sRGB;
        if (!HoldsTransparency(ext) && document.HasTransparency())
            image = image.extract_band(0, VImage::option()->set("n", document.ColorPlanes()));
        if (document.Depth == 16 && !HoldsWide(ext)) {
            image = image.cast(VIPS_FORMAT_UCHAR, VImage::option()->set("shift", true));
            if (!document.Cmyk)
                space = VIPS_INTERPRETATION_sRGB;
        }
        image = image.copy(VImage::option()
                               ->set("interpretation", space)
                               ->set("xres", document.XResolution > 0 ? document.XResolution : 72.0 / 25.4)
                               ->set("yres", document.YResolution > 0 ? document.YResolution : 72.0 / 25.4));
        if (!document.IccProfile.empty())
            vips_image_set_blob_copy(image.get_image(), VIPS_META_ICC_NAME, document.IccProfile.data(),
                                     document.IccProfile.size());
        vips::VOption* options = VImage::option();
        if (ext == "jpg" || ext == "jpeg")
            options->set("Q", 95);
        else if (ext == "webp")
            options->set("lossless", true);
        else if (ext == "tif" || ext == "tiff")
            options->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_DEFLATE);
        image.write_to_target(("." + ext).c_str(), vips::VTarget::new_to_file(path.c_str()), options);
    } catch (const VError& error) {
        return OneLine(error.what());
    }
    return {};
}

std::string WritePlate(const std::string& path, const uint8_t* grey, int width, int height, bool oneBit)
{
    if (!StartVips())
        return "the image library cannot start";
    try {
        VImage plate = VImage::new_from_memory(const_cast<uint8_t*>(grey), size_t(width) * size_t(height),
                                               width, height, 1, VIPS_FORMAT_UCHAR)
                           .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_B_W));
        // Bilevel plates take the fax coding made for them.
        vips::VOption* options = VImage::option();
        if (oneBit)
            options->set("bitdepth", 1)->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_CCITTFAX4);
        else
            options->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_DEFLATE);
        plate.tiffsave(path.c_str(), options);
    } catch (const VError& error) {
        return OneLine(error.what());
    }
    return {};
}

} // namespace vel
