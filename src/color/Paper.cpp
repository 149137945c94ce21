#include "color/Paper.h"

#include "color/ColorMath.h"
#include "color/ImageLoader.h"
#include "color/PaperLook.h"
#include "color/PrintState.h"
#include "platform/Alert.h"
#include "platform/AsciiText.h"
#include "platform/Folders.h"
#include "platform/Threads.h"

#include <cstring>

namespace vel {

namespace {

constexpr char NoPaperName[] = "None";
constexpr char SolidPaperName[] = "Solid";
const char* const TextureExtensions[] = {"bmp", "png", "jpg", "gif", "tga", "tif", "tiff"};

bool NameIs(const char* name, const char* wanted)
{
    return EqualIgnoringCase(name, wanted, PaperNameSize);
}

bool IsTextureFile(const std::string& name)
{
    const size_t dot = name.rfind('.');
    if (name.size() <= 3 || dot == std::string::npos)
        return false;
    const std::string extension = name.substr(dot + 1);
    for (const char* candidate : TextureExtensions)
        if (EqualIgnoringCase(extension.c_str(), candidate, extension.size() + 1))
            return true;
    return false;
}

// The output plane as W × H RGBA pixels, or null when it does not exist.
uint8_t* OutputPixels(PrintState& state)
{
    if (state.WorkWidth <= 0 || state.WorkHeight <= 0 ||
        state.OutputPlane.Bytes() < size_t(state.WorkWidth) * size_t(state.WorkHeight) * 4)
        return nullptr;
    return state.OutputPlane.Data();
}

// Pixels are filled and laid by bands of this many at least.
constexpr int64_t PixelGrain = 65536;

void Fill(uint8_t* out, size_t pixels, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    ForEachBand(
        int64_t(pixels),
        [&](int, int64_t first, int64_t end) {
            for (uint8_t* p = out + 4 * size_t(first); p != out + 4 * size_t(end); p += 4) {
                p[0] = r;
                p[1] = g;
                p[2] = b;
                p[3] = a;
            }
        },
        PixelGrain);
}

// Texture pixels per output pixel for PaperScale x: 100 keeps the texture's
// own size, 0 halves it, 400 enlarges it four times.
float PaperStep(float scale, float previewScale)
{
    const float f = scale >= 100.0f ? 1.0f - (scale - 100.0f) / 400.0f : 1.0f + (100.0f - scale) / 100.0f;
    return f * previewScale;
}

bool CacheHolds(const PaperCache& cache, const PrintState& state, const char* name, float scale)
{
    return cache.Texture && cache.Width == state.WorkWidth && cache.Height == state.WorkHeight &&
           cache.OffsetX == state.WorkOffsetX && cache.OffsetY == state.WorkOffsetY &&
           cache.PreviewScale == state.PreviewScale && cache.Scale == scale && NameIs(cache.Name, name);
}

bool ToPlanar(const Plane<uint8_t>& pixels, PlanarImage& image)
{
    if (!image.Allocate(pixels.Width(), pixels.Height(), 4))
        return false;
    const size_t count = size_t(pixels.Width()) * size_t(pixels.Height());
    for (int c = 0; c < 4; ++c) {
        const uint8_t* in = pixels.Data() + c;
        uint8_t* out = image.Channel(c);
        for (size_t i = 0; i < count; ++i, in += 4)
            out[i] = *in;
    }
    return true;
}

// Loads the named texture and tiles it over the working area into the
// cache. False (nothing cached) when the file cannot be used.
bool LoadPaperTexture(PrintState& state, const char* name, float scale, const std::string& papersFolder)
{
    PaperCache& cache = state.Paper;
    cache.Texture.Release();
    PlanarImage texture;
    {
        Plane<uint8_t> pixels;
        if (!LoadImageRGBA(papersFolder + name, pixels))
            return false;
        if (!ToPlanar(pixels, texture)) {
            ShowAlert(NotEnoughMemoryMessage);
            return false;
        }
    }
    if (!cache.Texture.Allocate(state.WorkWidth, state.WorkHeight, 4)) {
        ShowAlert(NotEnoughMemoryMessage);
        return false;
    }
    const float step = PaperStep(scale, state.PreviewScale);
    if (!TilePaper(cache.Texture, texture, step, step, int(float(state.WorkOffsetX) * step),
                   int(float(state.WorkOffsetY) * step)))
        ShowAlert(TilingFailedMessage);
    cache.Width = state.WorkWidth;
    cache.Height = state.WorkHeight;
    cache.OffsetX = state.WorkOffsetX;
    cache.OffsetY = state.WorkOffsetY;
    cache.PreviewScale = state.PreviewScale;
    cache.Scale = scale;
    std::memcpy(cache.Name, name, PaperNameSize);
    return true;
}

void LayTexture(const PlanarImage& texture, uint8_t paperSchema, const PaperLook& look, uint8_t* out)
{
    const size_t count = size_t(texture.Width) * size_t(texture.Height);
    const uint8_t* channel[4] = {texture.Channel(0), texture.Channel(1), texture.Channel(2),
                                 texture.Channel(3)};
    ForEachBand(
        int64_t(count),
        [&](int, int64_t first, int64_t end) {
            for (size_t i = size_t(first); i < size_t(end); ++i) {
                const uint8_t pixel[4] = {channel[0][i], channel[1][i], channel[2][i], channel[3][i]};
                uint8_t* target = out + 4 * i;
                switch (PaperSchemaKind(paperSchema)) {
                case PaperSchemaKind::Surface:
                    SurfacePixel(look, pixel, target);
                    break;
                case PaperSchemaKind::Colorized:
                    ColorizedPixel(look, pixel, target);
                    break;
                default:
                    std::memcpy(target, pixel, 4);
                    break;
                }
            }
        },
        PixelGrain);
}

} // namespace

std::vector<std::string> ListPapers(const std::string& papersFolder)
{
    const std::vector<FolderEntry> entries = ListFolder(papersFolder, "*");
    if (entries.empty())
        return {};
    std::vector<std::string> names{NoPaperName, SolidPaperName};
    for (const FolderEntry& entry : entries)
        if (!entry.IsDirectory && entry.IsArchive && IsTextureFile(entry.Name))
            names.push_back(entry.Name);
    return names;
}

bool PaperPresent(const ParameterBlock& params)
{
    return !NameIs(params.PaperName, NoPaperName);
}

void PreparePaper(PrintState& state, const ParameterBlock& params, const std::string& papersFolder)
{
    uint8_t* out = OutputPixels(state);
    if (!out)
        return;
    const size_t pixels = size_t(state.WorkWidth) * size_t(state.WorkHeight);
    char name[PaperNameSize] = {};
    std::memcpy(name, params.PaperName, PaperNameSize - 1);

    if (name[0] == '\0') {
        Fill(out, pixels, 255, 255, 255, 255);
    } else if (NameIs(name, NoPaperName)) {
        Fill(out, pixels, 255, 255, 255, 0);
    } else if (NameIs(name, SolidPaperName)) {
        const uint32_t color = uint32_t(params.PaperColor);
        Fill(out, pixels, uint8_t(color), uint8_t(color >> 8), uint8_t(color >> 16), 255);
    } else {
        const float scale = LimitReal(params.PaperScale, 0.0f, 400.0f);
        if (!CacheHolds(state.Paper, state, name, scale) &&
            !LoadPaperTexture(state, name, scale, papersFolder)) {
            Fill(out, pixels, 255, 255, 255, 255);
            return;
        }
        LayTexture(state.Paper.Texture, params.PaperSchema,
                   MakePaperLook(params.PaperIntensity, params.PaperColorization, params.PaperColor), out);
    }
}

void DropPaperTexture(PrintState& state)
{
    state.Paper.Texture.Release();
}

} // namespace vel
