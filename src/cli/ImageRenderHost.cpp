#include "ImageRenderHost.h"

#include <cstdio>

namespace vel {

ImageRenderHost::ImageRenderHost(const ImageDocument& source, ImageDocument& result, bool showProgress)
    : source_(source), result_(result), showProgress_(showProgress)
{
}

HostImage ImageRenderHost::Describe()
{
    HostImage image;
    image.Mode = int32_t(source_.Mode());
    image.Depth = source_.Depth;
    image.Planes = source_.Planes;
    image.FilterWidth = image.OutWidth = source_.Width;
    image.FilterHeight = image.OutHeight = source_.Height;
    const int32_t rowBytes = source_.RowBytes();
    if (delivered_)
        image.Input = {source_.Pixels.Data(), rowBytes};
    image.Output = {result_.Pixels.Data(), rowBytes};
    return image;
}

int16_t ImageRenderHost::RequestWholeImage()
{
    delivered_ = true;
    return 0;
}

void ImageRenderHost::Progress(int32_t done, int32_t total)
{
    if (showProgress_)
        DrawProgress(nullptr, float(done), float(total));
}

void DrawProgress(void*, float done, float total)
{
    constexpr int Width = 40;
    const float fraction = total > 0 ? done / total : 0.0f;
    const int filled = fraction <= 0 ? 0 : fraction >= 1 ? Width : int(fraction * Width);
    char bar[Width + 1];
    for (int i = 0; i < Width; ++i)
        bar[i] = i < filled ? '#' : '.';
    bar[Width] = '\0';
    std::fprintf(stderr, "\r[%s] %3d%%", bar, int(fraction * 100.0f));
    std::fflush(stderr);
}

} // namespace vel
