// The preview's and the navigator's arithmetic.

#include "ui/preview/PreviewMath.h"

#include <gtest/gtest.h>

namespace vel::ui {
namespace {

struct ZoomCase {
    int FilterWidth, FilterHeight, PaneWidth, PaneHeight;
    int Levels;
    std::vector<std::string> Labels; // from 100 % down by zoom-out commands
};

TEST(PreviewZoom, LevelsAndLabelsFollowTheImageToPaneRatio)
{
    const ZoomCase cases[] = {
        {300, 200, 800, 600, 1, {"100%"}},                // smaller than the pane
        {800, 600, 800, 600, 1, {"100%"}},                // exactly the pane
        {800, 1260, 800, 600, 3, {"100%", "50%", "33%"}}, // 2.1 times the pane's height
        {6000, 4000, 1000, 700, 6, {"100%", "50%", "33%", "25%", "20%", "16%"}},
    };
    for (const ZoomCase& c : cases) {
        SCOPED_TRACE(c.FilterWidth);
        ZoomState zoom;
        ComputeZoomLevels(zoom, c.FilterWidth, c.FilterHeight, c.PaneWidth, c.PaneHeight);
        EXPECT_EQ(zoom.ZoomLevelCount, float(c.Levels));
        EXPECT_EQ(zoom.PreviewScale, 1); // -1 resolves to 100 %
        std::vector<std::string> labels{ZoomLabel(zoom)};
        for (int i = 1; i < c.Levels; ++i) {
            ApplyZoomCommand(zoom, ZoomCommand::Out);
            ComputeZoomLevels(zoom, c.FilterWidth, c.FilterHeight, c.PaneWidth, c.PaneHeight);
            labels.push_back(ZoomLabel(zoom));
        }
        EXPECT_EQ(labels, c.Labels);
    }
}

TEST(PreviewZoom, CommandsSetIndexAndButtons)
{
    ZoomState zoom;
    ComputeZoomLevels(zoom, 800, 1260, 800, 600); // three levels, at 100 %
    EXPECT_EQ(ButtonsFor(zoom), (ZoomButtons{false, true}));
    EXPECT_EQ(ApplyZoomCommand(zoom, ZoomCommand::Out), (ZoomButtons{true, true}));
    EXPECT_EQ(ApplyZoomCommand(zoom, ZoomCommand::Out), (ZoomButtons{true, false}));
    EXPECT_EQ(ApplyZoomCommand(zoom, ZoomCommand::Out), (ZoomButtons{true, false})); // stays at 0
    EXPECT_EQ(zoom.ZoomIndex, 0);
    EXPECT_EQ(ApplyZoomCommand(zoom, ZoomCommand::In), (ZoomButtons{true, true}));
    EXPECT_EQ(ApplyZoomCommand(zoom, ZoomCommand::In), (ZoomButtons{false, true}));
    EXPECT_EQ(ApplyZoomCommand(zoom, ZoomCommand::In), (ZoomButtons{false, true})); // at the limit
    EXPECT_EQ(zoom.ZoomIndex, 2);

    EXPECT_EQ(ApplyZoomCommand(zoom, ZoomCommand::Fit), (ZoomButtons{true, false}));
    ComputeZoomLevels(zoom, 800, 1260, 800, 600);
    EXPECT_EQ(ZoomLabel(zoom), "33%");
    EXPECT_EQ(ApplyZoomCommand(zoom, ZoomCommand::Actual), (ZoomButtons{false, true}));
    ComputeZoomLevels(zoom, 800, 1260, 800, 600);
    EXPECT_EQ(ZoomLabel(zoom), "100%");

    // One level: every command leaves both buttons disabled.
    ZoomState small;
    ComputeZoomLevels(small, 300, 200, 800, 600);
    for (ZoomCommand command : {ZoomCommand::Actual, ZoomCommand::Fit, ZoomCommand::In, ZoomCommand::Out}) {
        const ZoomButtons buttons = ApplyZoomCommand(small, command);
        ComputeZoomLevels(small, 300, 200, 800, 600);
        EXPECT_EQ(buttons, (ZoomButtons{false, false}));
        EXPECT_EQ(small.PreviewScale, 1);
    }
}

TEST(PreviewZoom, EmptyPaneDoesNotDivideByZero)
{
    ZoomState zoom;
    ComputeZoomLevels(zoom, 640, 480, 0, 0);
    EXPECT_GE(zoom.ZoomLevelCount, 1);
    EXPECT_GE(zoom.PreviewScale, 1);
}

TEST(PreviewArea, RequestClampsScrollAndKeepsTheCentreAcrossZoom)
{
    const IntRect filter{0, 0, 1260, 1600};
    ZoomState zoom;
    PreviewScroll scroll;
    // 100 %: the top-left pane.
    EXPECT_EQ(ComputeVisibleArea(zoom, scroll, filter, 1600, 1260, 800, 600), (IntRect{0, 0, 600, 800}));
    EXPECT_EQ(scroll.ScaledWidth, 1600);

    // Scrolled past the end: clamped to the last full pane.
    scroll.ScrollX = 5000;
    scroll.ScrollY = -30;
    EXPECT_EQ(ComputeVisibleArea(zoom, scroll, filter, 1600, 1260, 800, 600), (IntRect{0, 800, 600, 1600}));

    // Zooming out from the middle shifts the scroll by half the change of the
    // reduced image: (800 − 1600) / 2 = −400.
    scroll.ScrollX = 400;
    scroll.ScrollY = 330;
    ApplyZoomCommand(zoom, ZoomCommand::Out);
    const IntRect half = ComputeVisibleArea(zoom, scroll, filter, 1600, 1260, 800, 600);
    EXPECT_EQ(zoom.PreviewScale, 2);
    EXPECT_EQ(scroll.ScrollX, 0);
    EXPECT_EQ(scroll.ScrollY, 15); // 330 − 315 = 15, within 630 − 600 = 30
    EXPECT_EQ(half, (IntRect{15, 0, 615, 800}));
    EXPECT_EQ(InputRateFor(zoom.PreviewScale), 2 * 65536);

    // An image that fits: the scroll stays at 0, 0 and the area is the image.
    ZoomState small;
    PreviewScroll none{40, 40, 0, 0};
    EXPECT_EQ(ComputeVisibleArea(small, none, {0, 0, 200, 300}, 300, 200, 800, 600),
              (IntRect{0, 0, 200, 300}));
    EXPECT_EQ(none.ScrollX, 0);
    EXPECT_EQ(none.ScrollY, 0);
}

TEST(PreviewBitmap, PlacementCentresAndRoundsTheWidthDown)
{
    EXPECT_EQ(PlacePreviewBitmap(800, 600, 301, 200), (BitmapPlacement{300, 200, 249, 200}));
    EXPECT_EQ(PlacePreviewBitmap(800, 600, 1600, 1260), (BitmapPlacement{800, 600, 0, 0}));
}

TEST(PreviewBitmap, PixelsFollowDepthCoverageAndBackdrop)
{
    const BitmapPlacement placement{4, 2, 0, 0};
    // 8-bit RGBA: opaque, half covered, transparent, opaque; two rows.
    const uint8_t rgba[2][16] = {{200, 100, 50, 255, 200, 100, 50, 128, 200, 100, 50, 0, 1, 2, 3, 255},
                                 {9, 9, 9, 255, 9, 9, 9, 255, 9, 9, 9, 255, 9, 9, 9, 255}};
    std::vector<uint8_t> backdrop(4 * 2 * 3, 204);
    OutputPixels out{&rgba[0][0], 16, 4, 8, false};

    const std::vector<uint8_t> over = BuildPreviewPixels(placement, out, backdrop.data(), 4, 2);
    // The first output row is the last bitmap row, blue first.
    const uint8_t* top = over.data() + 4 * 3;
    EXPECT_EQ(top[0], 50);
    EXPECT_EQ(top[2], 200);
    EXPECT_EQ(top[3 + 2], uint8_t(int(204.0f * (1 - 128 / 255.0f) + 200.0f * (128 / 255.0f))));
    EXPECT_EQ(top[6 + 0], 204); // transparent: the backdrop
    EXPECT_EQ(over[0], 9);

    const std::vector<uint8_t> dark = BuildPreviewPixels(placement, out, nullptr, 0, 0);
    EXPECT_EQ(dark[4 * 3 + 3 + 2], 100); // trunc(200 × 128 / 255)
    EXPECT_EQ(dark[4 * 3 + 6 + 2], 0);

    out.Cmyk = true; // four-plane CMYK shown in RGB: darkened, never composed
    EXPECT_EQ(BuildPreviewPixels(placement, out, backdrop.data(), 4, 2), dark);
    out.Opaque = true; // the untouched CMYK source: its fourth plane is black ink
    EXPECT_EQ(BuildPreviewPixels(placement, out, backdrop.data(), 4, 2)[4 * 3 + 6 + 2], 200);

    // 16-bit: 32768 and above is 255, 32767 is 255, 128 is 1.
    const uint16_t wide[12] = {32768, 32767, 128, 0, 65535, 256, 0, 0, 0, 0, 0, 0};
    const OutputPixels deep{reinterpret_cast<const uint8_t*>(wide), 24, 3, 16, false};
    const std::vector<uint8_t> sixteen = BuildPreviewPixels({4, 1, 0, 0}, deep, nullptr, 0, 0);
    EXPECT_EQ(sixteen[0], 1);
    EXPECT_EQ(sixteen[1], 255);
    EXPECT_EQ(sixteen[2], 255);
    EXPECT_EQ(sixteen[3], 2);
    EXPECT_EQ(sixteen[4], 255);
    EXPECT_EQ(sixteen[5], 0);
}

TEST(Navigator, ThumbnailFrameAndDragBackClamped)
{
    const NavigatorGeometry nav = PlaceNavigator(200, 150, 1600, 1260);
    EXPECT_FLOAT_EQ(nav.NavScale, 150.0f / 1260.0f);
    EXPECT_EQ(nav.Width, 188); // 190.47 rounded down to a multiple of 4
    EXPECT_EQ(nav.Height, 150);
    EXPECT_EQ(nav.Left, 6);
    EXPECT_EQ(NavigatorSourceIndex(149, nav.NavScale, 1260), 1251);
    EXPECT_EQ(PlaceNavigator(200, 150, 100, 50).NavScale, 1); // never enlarged

    // Drag the frame far beyond the thumbnail: the scroll is clamped and the
    // frame put back where the clamped scroll says.
    ZoomState zoom;
    PreviewScroll scroll;
    const IntRect filter{0, 0, 1260, 1600};
    ComputeVisibleArea(zoom, scroll, filter, 1600, 1260, 800, 600);
    NavigatorFrame frame = FrameFor(nav, scroll, zoom.PreviewScale, 800, 600);
    EXPECT_EQ(frame.Width, int(800 * nav.NavScale + 1.5f));
    frame.X += 1000;
    frame.Y += 1000;
    ScrollFromFrame(nav, frame, zoom.PreviewScale, scroll);
    ComputeVisibleArea(zoom, scroll, filter, 1600, 1260, 800, 600);
    EXPECT_EQ(scroll.ScrollX, 800);
    EXPECT_EQ(scroll.ScrollY, 660);
    frame = FrameFor(nav, scroll, zoom.PreviewScale, 800, 600);
    EXPECT_EQ(frame.X, int(nav.NavScale * 800 + 0.5f));
    EXPECT_EQ(frame.Y, int(nav.NavScale * 660 + 0.5f));

    EXPECT_EQ(NavigatorChecker(0, 0), 204);
    EXPECT_EQ(NavigatorChecker(0, 15), 255);
    EXPECT_EQ(NavigatorChecker(15, 15), 204);
}

TEST(Crosshair, CentreAndPointerAreInverse)
{
    const PreviewScroll scroll{100, 50, 800, 630};
    const PanePoint at = CrosshairAt(0, 0, 1600, 1260, 2, scroll, 0, 0);
    EXPECT_EQ(at.X, 300); // the image centre, 400, less the scroll
    EXPECT_EQ(at.Y, 265);
    EXPECT_EQ(CrosshairAt(100, 100, 1600, 1260, 2, scroll, 0, 0).Y, -50); // +100 is the top edge

    float x = 0, y = 0;
    ASSERT_TRUE(CentreFromPointer(300, 265, 1600, 1260, 2, scroll, 0, 0, x, y));
    EXPECT_FLOAT_EQ(x, 0);
    EXPECT_FLOAT_EQ(y, 0);
    // Beyond the image's edge the centre goes beyond 100.
    ASSERT_TRUE(CentreFromPointer(799, 0, 1600, 1260, 2, {800, 0, 800, 630}, 0, 0, x, y));
    EXPECT_GT(x, 100);
    EXPECT_FALSE(CentreFromPointer(10, 10, 0, 1260, 2, scroll, 0, 0, x, y));

    // 40 + 40 line pixels and 4 × 20 square pixels; clipped at the pane.
    EXPECT_EQ(CrosshairPixels({100, 100}, 400, 400).size(), 160u);
    EXPECT_LT(CrosshairPixels({0, 0}, 400, 400).size(), 160u);
}

} // namespace
} // namespace vel::ui
