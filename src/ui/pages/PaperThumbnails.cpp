#include "ui/pages/PaperThumbnails.h"

#include "color/ImageLoader.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace vel::ui {
namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File Open(const std::string& path, const char* mode)
{
    return File(std::fopen(path.c_str(), mode), &std::fclose);
}

void Put16(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

void Put32(uint8_t* p, uint32_t v)
{
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

uint32_t Get16(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8;
}

uint32_t Get32(const uint8_t* p)
{
    return Get16(p) | Get16(p + 2) << 16;
}

constexpr size_t BmpHeaderSize = 54;

size_t RowBytes(int width)
{
    return (size_t(width) * 3 + 3) & ~size_t(3);
}

bool SameName(const std::string& a, const char* b)
{
    return EqualIgnoringCase(a.c_str(), b, size_t(-1));
}

} // namespace

std::string ThumbnailPath(const std::string& thumbsFolder, const std::string& textureName)
{
    return thumbsFolder + textureName + ".bmp";
}

std::vector<uint8_t> SampleThumbnail(const Plane<uint8_t>& rgba)
{
    std::vector<uint8_t> rgb(size_t(ThumbnailSize) * ThumbnailSize * 3);
    const int width = rgba.Width();
    const int height = rgba.Height();
    if (width <= 0 || height <= 0)
        return rgb;
    const int regionWidth = std::clamp(width, ThumbnailSize, 2 * ThumbnailSize);
    const int regionHeight = std::clamp(height, ThumbnailSize, 2 * ThumbnailSize);
    const int left = (width - regionWidth) / 2;
    const int top = (height - regionHeight) / 2;
    const auto wrap = [](int v, int size) { return ((v % size) + size) % size; };
    for (int y = 0; y < ThumbnailSize; ++y) {
        const uint8_t* row = rgba.Row(wrap(top + y * regionHeight / ThumbnailSize, height));
        for (int x = 0; x < ThumbnailSize; ++x) {
            const uint8_t* p = row + 4 * wrap(left + x * regionWidth / ThumbnailSize, width);
            uint8_t* q = rgb.data() + 3 * (size_t(y) * ThumbnailSize + x);
            for (int c = 0; c < 3; ++c)
                q[c] = uint8_t(p[c] * p[3] / 255);
        }
    }
    return rgb;
}

bool WriteBmp24(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb)
{
    if (width <= 0 || height <= 0 || rgb.size() < size_t(width) * height * 3)
        return false;
    const size_t rowBytes = RowBytes(width);
    const size_t imageBytes = rowBytes * size_t(height);
    uint8_t header[BmpHeaderSize] = {'B', 'M'};
    Put32(header + 2, uint32_t(BmpHeaderSize + imageBytes));
    Put32(header + 10, BmpHeaderSize);
    Put32(header + 14, 40);
    Put32(header + 18, uint32_t(width));
    Put32(header + 22, uint32_t(height)); // rows bottom to top
    Put16(header + 26, 1);
    Put16(header + 28, 24);
    Put32(header + 34, uint32_t(imageBytes));
    Put32(header + 38, 2835); // 72 dots per inch
    Put32(header + 42, 2835);
    File file = Open(path, "wb");
    if (!file || std::fwrite(header, 1, sizeof header, file.get()) != sizeof header)
        return false;
    std::vector<uint8_t> row(rowBytes);
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* p = rgb.data() + size_t(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            row[3 * size_t(x)] = p[3 * x + 2];
            row[3 * size_t(x) + 1] = p[3 * x + 1];
            row[3 * size_t(x) + 2] = p[3 * x];
        }
        if (std::fwrite(row.data(), 1, rowBytes, file.get()) != rowBytes)
            return false;
    }
    return std::fflush(file.get()) == 0;
}

bool ReadBmp24(const std::string& path, int& width, int& height, std::vector<uint8_t>& rgb)
{
    File file = Open(path, "rb");
    uint8_t header[BmpHeaderSize];
    if (!file || std::fread(header, 1, sizeof header, file.get()) != sizeof header)
        return false;
    const int32_t w = int32_t(Get32(header + 18));
    const int32_t h = int32_t(Get32(header + 22));
    if (header[0] != 'B' || header[1] != 'M' || Get16(header + 28) != 24 || Get32(header + 30) != 0 ||
        w <= 0 || h == 0 || w > 4096 || h > 4096 || h < -4096)
        return false;
    const bool bottomUp = h > 0;
    width = w;
    height = bottomUp ? h : -h;
    if (std::fseek(file.get(), long(Get32(header + 10)), SEEK_SET) != 0)
        return false;
    const size_t rowBytes = RowBytes(width);
    std::vector<uint8_t> row(rowBytes);
    rgb.assign(size_t(width) * height * 3, 0);
    for (int i = 0; i < height; ++i) {
        if (std::fread(row.data(), 1, rowBytes, file.get()) != rowBytes)
            return false;
        const int y = bottomUp ? height - 1 - i : i;
        uint8_t* p = rgb.data() + size_t(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            p[3 * x] = row[3 * size_t(x) + 2];
            p[3 * x + 1] = row[3 * size_t(x) + 1];
            p[3 * x + 2] = row[3 * size_t(x)];
        }
    }
    return true;
}

bool TextureThumbnail(const std::string& papersFolder, const std::string& thumbsFolder,
                      const std::string& name, std::vector<uint8_t>& rgb)
{
    const std::string cached = ThumbnailPath(thumbsFolder, name);
    int width = 0;
    int height = 0;
    if (ReadBmp24(cached, width, height, rgb) && width == ThumbnailSize && height == ThumbnailSize)
        return true;
    Plane<uint8_t> texture;
    if (!LoadImageRGBA(papersFolder + name, texture))
        return false;
    rgb = SampleThumbnail(texture);
    WriteBmp24(cached, ThumbnailSize, ThumbnailSize, rgb); // without a cache it is made again next time
    return true;
}

std::vector<PaperThumbnail> BuildPaperThumbnails(const std::string& papersFolder,
                                                 const std::string& thumbsFolder,
                                                 std::vector<std::string>& names,
                                                 const std::function<void(int, int)>& progress)
{
    std::vector<PaperThumbnail> thumbs;
    std::vector<std::string> kept;
    const int count = int(names.size());
    for (int i = 0; i < count; ++i) {
        if (progress)
            progress(i, count);
        const std::string& name = names[size_t(i)];
        PaperThumbnail thumb;
        if (SameName(name, "None"))
            thumb.Kind = CellKind::NoPaper;
        else if (SameName(name, "Solid"))
            thumb.Kind = CellKind::Solid;
        else if (!TextureThumbnail(papersFolder, thumbsFolder, name, thumb.Rgb))
            continue;
        thumbs.push_back(std::move(thumb));
        kept.push_back(name);
    }
    if (progress)
        progress(0, count);
    names = std::move(kept);
    return thumbs;
}

} // namespace vel::ui
