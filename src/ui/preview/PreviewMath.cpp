#include "ui/preview/PreviewMath.h"

#include <algorithm>
#include <cstdio>

namespace vel::ui {

void ComputeZoomLevels(ZoomState& zoom, int filterWidth, int filterHeight, int paneWidth, int paneHeight)
{
    // A pane not laid out yet counts as one pixel, so the ratio stays finite.
    const float ratio = std::max(float(filterHeight) / float(std::max(paneHeight, 1)),
                                 float(filterWidth) / float(std::max(paneWidth, 1)));
    int count = int(ratio);
    if (ratio > float(count))
        ++count;
    zoom.ZoomLevelCount = float(std::max(count, 1));
    if (zoom.ZoomIndex == -1)
        zoom.ZoomIndex = zoom.ZoomLevelCount - 1;
    zoom.PreviewScale =
        float(std::clamp(int(zoom.ZoomLevelCount - zoom.ZoomIndex), 1, int(zoom.ZoomLevelCount)));
}

ZoomButtons ApplyZoomCommand(ZoomState& zoom, ZoomCommand command)
{
    // With a single level neither direction leads anywhere.
    const float last = zoom.ZoomLevelCount - 1;
    switch (command) {
    case ZoomCommand::In:
        zoom.ZoomIndex += 1;
        if (zoom.ZoomIndex >= last)
            zoom.ZoomIndex = last;
        return {zoom.ZoomIndex<last, zoom.ZoomIndex> 0};
    case ZoomCommand::Out:
        zoom.ZoomIndex -= 1;
        if (zoom.ZoomIndex <= 0)
            zoom.ZoomIndex = 0;
        return {zoom.ZoomIndex<last, zoom.ZoomIndex> 0};
    case ZoomCommand::Fit:
        // Fit shows the smallest level; "+" leads back unless that is 100 %.
        zoom.ZoomIndex = 0;
        return {zoom.ZoomLevelCount > 1, false};
    case ZoomCommand::Actual:
        zoom.PreviewScale = 1;
        zoom.ZoomIndex = -1;
        return {false, zoom.ZoomLevelCount > 1};
    }
    return {};
}

ZoomButtons ButtonsFor(const ZoomState& zoom)
{
    return {zoom.PreviewScale != 1, zoom.ZoomIndex > 0};
}

std::string ZoomLabel(const ZoomState& zoom)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", int(100.0f / std::max(zoom.PreviewScale, 1.0f)));
    return text;
}

IntRect ComputeVisibleArea(ZoomState& zoom, PreviewScroll& scroll, const IntRect& filter, int imageWidth,
                           int imageHeight, int paneWidth, int paneHeight)
{
    const float oldScale = std::max(zoom.PreviewScale, 1.0f);
    const int oldWidth = int(float(imageWidth) / oldScale);
    const int oldHeight = int(float(imageHeight) / oldScale);
    ComputeZoomLevels(zoom, filter.Width(), filter.Height(), paneWidth, paneHeight);
    const float scale = zoom.PreviewScale;
    const auto reduce = [scale](int c) { return int(float(c) / scale + 0.5f); };
    const IntRect scaled{reduce(filter.Top), reduce(filter.Left), reduce(filter.Bottom),
                         reduce(filter.Right)};
    scroll.ScaledWidth = scaled.Width();
    scroll.ScaledHeight = scaled.Height();

    // Half the change of the reduced image keeps what was in the middle there.
    scroll.ScrollX += (int(float(imageWidth) / scale) - oldWidth) / 2;
    scroll.ScrollY += (int(float(imageHeight) / scale) - oldHeight) / 2;
    scroll.ScrollX = std::max(scroll.ScrollX, 0);
    scroll.ScrollY = std::max(scroll.ScrollY, 0);
    if (zoom.ZoomLevelCount <= 1) {
        scroll.ScrollX = scroll.ScrollY = 0;
    } else {
        scroll.ScrollX =
            std::max(std::min(scroll.ScrollX, int(float(imageWidth) / scale - float(paneWidth))), 0);
        scroll.ScrollY =
            std::max(std::min(scroll.ScrollY, int(float(imageHeight) / scale - float(paneHeight))), 0);
    }
    return {scaled.Top + scroll.ScrollY, scaled.Left + scroll.ScrollX,
            scroll.ScrollY + std::min(paneHeight, scaled.Bottom),
            scroll.ScrollX + std::min(paneWidth, scaled.Right)};
}

int32_t InputRateFor(float previewScale)
{
    return int32_t(previewScale * 65536.0f);
}

BitmapPlacement PlacePreviewBitmap(int paneWidth, int paneHeight, int areaWidth, int areaHeight)
{
    BitmapPlacement placement;
    placement.Width = std::max(std::min(paneWidth, areaWidth), 0) & ~3;
    placement.Height = std::max(std::min(paneHeight, areaHeight), 0);
    placement.Left = std::max((paneWidth - areaWidth) >> 1, 0);
    placement.Top = std::max((paneHeight - areaHeight) >> 1, 0);
    return placement;
}

std::vector<uint8_t> BuildPreviewPixels(const BitmapPlacement& placement, const OutputPixels& output,
                                        const uint8_t* backdrop, int backdropWidth, int backdropHeight)
{
    const int width = placement.Width;
    const int height = placement.Height;
    std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 3, 0);
    if (!output.Data || output.Planes < 1)
        return pixels;
    const int planes = output.Planes;
    const bool compose = backdrop && !(output.Cmyk && planes == 4);
    for (int r = 0; r < height; ++r) {
        const uint8_t* row = output.Data + size_t(r) * size_t(output.RowBytes);
        uint8_t* out = pixels.data() + size_t(height - 1 - r) * size_t(width) * 3;
        for (int c = 0; c < width; ++c, out += 3) {
            uint8_t rgb[3];
            if (output.Depth == 16) {
                for (int k = 0; k < 3; ++k) {
                    const uint8_t* at =
                        row + (size_t(c) * size_t(planes) + size_t(std::min(k, planes - 1))) * 2;
                    const unsigned v = unsigned(at[0]) | unsigned(at[1]) << 8;
                    rgb[k] = v >= 32768 ? 255 : uint8_t(v >> 7);
                }
            } else {
                const uint8_t* at = row + size_t(c) * size_t(planes);
                for (int k = 0; k < 3; ++k)
                    rgb[k] = at[std::min(k, planes - 1)];
                if (planes >= 4 && !output.Opaque && at[3] != 255) {
                    const float w = float(at[3]) / 255.0f;
                    const bool inside = compose && r < backdropHeight && c < backdropWidth;
                    const uint8_t* under =
                        inside ? backdrop + (size_t(r) * size_t(backdropWidth) + size_t(c)) * 3 : nullptr;
                    for (int k = 0; k < 3; ++k)
                        rgb[k] = under ? uint8_t(int(float(under[k]) * (1.0f - w) + float(rgb[k]) * w))
                                       : uint8_t(int(float(rgb[k]) * w));
                }
            }
            out[0] = rgb[2];
            out[1] = rgb[1];
            out[2] = rgb[0];
        }
    }
    return pixels;
}

NavigatorGeometry PlaceNavigator(int paneWidth, int paneHeight, int filterWidth, int filterHeight)
{
    NavigatorGeometry nav;
    float scale = 1;
    if (filterWidth > 0 && filterHeight > 0)
        scale = std::min(float(paneHeight) / float(filterHeight), float(paneWidth) / float(filterWidth));
    if (scale > 1 || !(scale > 0))
        scale = 1;
    nav.NavScale = scale;
    nav.Width = int(float(filterWidth) * scale) & ~3;
    nav.Height = int(float(filterHeight) * scale);
    nav.Left = std::max((paneWidth - nav.Width) / 2, 0);
    nav.Top = std::max((paneHeight - nav.Height) / 2, 0);
    return nav;
}

NavigatorFrame FrameFor(const NavigatorGeometry& nav, const PreviewScroll& scroll, float previewScale,
                        int bitmapWidth, int bitmapHeight)
{
    const float f = nav.NavScale * previewScale;
    return {int(f * float(scroll.ScrollX) + 0.5f), int(f * float(scroll.ScrollY) + 0.5f),
            int(float(bitmapWidth) * f + 1.5f), int(float(bitmapHeight) * f + 1.5f)};
}

void ScrollFromFrame(const NavigatorGeometry& nav, const NavigatorFrame& frame, float previewScale,
                     PreviewScroll& scroll)
{
    float f = nav.NavScale * previewScale;
    if (f == 0)
        f = 1;
    scroll.ScrollX = int(float(frame.X) / f);
    scroll.ScrollY = int(float(frame.Y) / f);
}

int NavigatorSourceIndex(int thumbIndex, float navScale, int size)
{
    return std::clamp(int(float(thumbIndex) / navScale), 0, std::max(size - 1, 0));
}

uint8_t NavigatorChecker(int row, int column)
{
    return (row / 15 + column / 15) % 2 == 0 ? 204 : 255;
}

PanePoint CrosshairAt(float centerX, float centerY, int filterWidth, int filterHeight, float previewScale,
                      const PreviewScroll& scroll, int bitmapLeft, int bitmapTop)
{
    const float x = (centerX / 200.0f + 0.5f) * float(filterWidth) / previewScale;
    const float y = (0.5f - centerY / 200.0f) * float(filterHeight) / previewScale;
    return {int(x) - scroll.ScrollX + bitmapLeft, int(y) - scroll.ScrollY + bitmapTop};
}

bool CentreFromPointer(int x, int y, int filterWidth, int filterHeight, float previewScale,
                       const PreviewScroll& scroll, int bitmapLeft, int bitmapTop, float& centerX,
                       float& centerY)
{
    const float sw = float(filterWidth) / previewScale;
    const float sh = float(filterHeight) / previewScale;
    if (!(sw > 0) || !(sh > 0))
        return false;
    x = std::max(x, 0);
    y = std::max(y, 0);
    centerX = (float(scroll.ScrollX + x - bitmapLeft) - sw * 0.5f) * 200.0f / sw;
    centerY = (sh * 0.5f - float(scroll.ScrollY + y - bitmapTop)) * 200.0f / sh;
    return true;
}

std::vector<PanePoint> CrosshairPixels(PanePoint at, int paneWidth, int paneHeight)
{
    std::vector<PanePoint> points;
    const auto put = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < paneWidth && y < paneHeight)
            points.push_back({x, y});
    };
    for (int d = -20; d < 20; ++d) {
        put(at.X + d, at.Y);
        put(at.X, at.Y + d);
    }
    for (int d = -10; d < 10; ++d) {
        put(at.X - 10, at.Y + d);
        put(at.X + 10, at.Y + d);
        put(at.X + d, at.Y - 10);
        put(at.X + d, at.Y + 10);
    }
    return points;
}

} // namespace vel::ui
