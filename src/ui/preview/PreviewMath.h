#pragma once
// The preview's and the navigator's arithmetic, without a window: zoom
// levels and commands, the visible area asked of the host at the integer
// reduction, scroll clamping, where the bitmap sits, the navigator's scale
// and frame, the crosshair and the centre a right-drag sets.

#include <cstdint>
#include <string>
#include <vector>

namespace vel::ui {

struct IntRect {
    int Top = 0, Left = 0, Bottom = 0, Right = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const IntRect&) const = default;
};

// The dialog's zoom: the image is shown reduced by PreviewScale (an integer
// ≥ 1); the levels are the reductions 1..ZoomLevelCount and
// PreviewScale = ZoomLevelCount − ZoomIndex. ZoomIndex −1 asks the next
// computation for 100 %.
struct ZoomState {
    float PreviewScale = 1;
    float ZoomIndex = -1;
    float ZoomLevelCount = 1;
};

// Sets the level count for a filter rectangle of filterWidth × filterHeight
// shown in a pane of paneWidth × paneHeight, resolves ZoomIndex −1 and
// derives PreviewScale.
void ComputeZoomLevels(ZoomState& zoom, int filterWidth, int filterHeight, int paneWidth, int paneHeight);

// The enabled states of "+" and "-" after a zoom command.
struct ZoomButtons {
    bool In = false;
    bool Out = false;
    bool operator==(const ZoomButtons&) const = default;
};
enum class ZoomCommand { In, Out, Fit, Actual };
// Applies a command to the zoom index (PreviewScale follows at the next
// ComputeZoomLevels) and returns the buttons' states.
ZoomButtons ApplyZoomCommand(ZoomState& zoom, ZoomCommand command);
// The buttons' states that a zoom state implies (after sizing).
ZoomButtons ButtonsFor(const ZoomState& zoom);

// "100%", "50%", "33%": the integer part of 100 / PreviewScale.
std::string ZoomLabel(const ZoomState& zoom);

// The preview's position over the reduced image.
struct PreviewScroll {
    int ScrollX = 0, ScrollY = 0;
    int ScaledWidth = 0, ScaledHeight = 0;
};

// Recomputes the zoom levels for the pane and the scroll position for a
// change of scale (keeping the view centred across it, clamped to the
// reduced image), and returns the rectangle to ask of the host, in reduced
// coordinates. `imageWidth`/`imageHeight` are the whole image's.
IntRect ComputeVisibleArea(ZoomState& zoom, PreviewScroll& scroll, const IntRect& filter, int imageWidth,
                           int imageHeight, int paneWidth, int paneHeight);

// The host's 16.16 sampling rate for a reduction.
int32_t InputRateFor(float previewScale);

// Where the preview bitmap sits in the pane: its width is a multiple of 4.
struct BitmapPlacement {
    int Width = 0, Height = 0;
    int Left = 0, Top = 0;
    bool operator==(const BitmapPlacement&) const = default;
};
BitmapPlacement PlacePreviewBitmap(int paneWidth, int paneHeight, int areaWidth, int areaHeight);

// The host's output area as the renderer left it, and what the bitmap is
// built from.
struct OutputPixels {
    const uint8_t* Data = nullptr;
    int32_t RowBytes = 0;
    int Planes = 3;
    int Depth = 8;
    bool Cmyk = false;
    bool Opaque = false; // the fourth plane is not coverage (a CMYK source shown as it is)
};
// Bottom-up BGR rows of the placement's size (width a multiple of 4, so no
// row padding): 16-bit samples reduced (32768 and above is 255); 8-bit with
// coverage composed over `backdrop` (RGB rows of backdropWidth pixels) when
// there is one and the document is not a four-plane CMYK one, else darkened.
std::vector<uint8_t> BuildPreviewPixels(const BitmapPlacement& placement, const OutputPixels& output,
                                        const uint8_t* backdrop, int backdropWidth, int backdropHeight);

// The navigator: the whole filter rectangle reduced to fit the pane.
struct NavigatorGeometry {
    float NavScale = 1;
    int Width = 0, Height = 0; // the thumbnail (width a multiple of 4)
    int Left = 0, Top = 0;     // centred in the pane
};
NavigatorGeometry PlaceNavigator(int paneWidth, int paneHeight, int filterWidth, int filterHeight);

// The frame marking the visible area on the thumbnail.
struct NavigatorFrame {
    int X = 0, Y = 0, Width = 0, Height = 0;
};
NavigatorFrame FrameFor(const NavigatorGeometry& nav, const PreviewScroll& scroll, float previewScale,
                        int bitmapWidth, int bitmapHeight);
// The preview scroll that a dragged frame asks for (before clamping).
void ScrollFromFrame(const NavigatorGeometry& nav, const NavigatorFrame& frame, float previewScale,
                     PreviewScroll& scroll);

// Nearest sample of the source for thumbnail pixel (row, column).
int NavigatorSourceIndex(int thumbIndex, float navScale, int size);
// The checkerboard under transparent thumbnail pixels: 15 × 15 squares.
uint8_t NavigatorChecker(int row, int column);

// Where the crosshair of the centre (in −100..100 units, +y up) is drawn in
// the pane.
struct PanePoint {
    int X = 0, Y = 0;
};
PanePoint CrosshairAt(float centerX, float centerY, int filterWidth, int filterHeight, float previewScale,
                      const PreviewScroll& scroll, int bitmapLeft, int bitmapTop);
// The centre under the pointer during a right-drag; false when the reduced
// image is empty.
bool CentreFromPointer(int x, int y, int filterWidth, int filterHeight, float previewScale,
                       const PreviewScroll& scroll, int bitmapLeft, int bitmapTop, float& centerX,
                       float& centerY);

// The pixels the crosshair inverts, for a pane of the given size: two
// 40-pixel lines and a 21-pixel square outline (clipped to the pane).
std::vector<PanePoint> CrosshairPixels(PanePoint at, int paneWidth, int paneHeight);

} // namespace vel::ui
