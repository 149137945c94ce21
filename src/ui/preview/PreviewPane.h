#pragma once
// "Preview Contaner CPP" (Windows only): the preview pane, which shows the
// rendered visible area, and the navigator, which shows the whole source
// with the visible area framed.

#include "ui/preview/PreviewMath.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace vel::ui {

enum class PaneMode : uint8_t { Navigator, Preview };

// What a pane reads of the dialog's zoom and the image.
struct PaneContext {
    const ZoomState* Zoom = nullptr;
    int FilterWidth = 0, FilterHeight = 0;
    float ShownCenterX = 0, ShownCenterY = 0; // the centre of the layer being edited
    bool EngraveTabCurrent = false;
};

struct PreviewPane {
    static constexpr wchar_t ClassName[] = L"Preview Contaner CPP";
    PaneMode Mode = PaneMode::Preview;
    HWND Window = nullptr;
    int Id = 0;
    int PaneWidth = 0, PaneHeight = 0;
    PreviewScroll Scroll;        // preview
    BitmapPlacement Placement;   // where the bitmap sits
    HBITMAP Bitmap = nullptr;    // null until built
    std::vector<uint8_t> Pixels; // bottom-up BGR rows of the bitmap
    int DragStartX = 0, DragStartY = 0;
    int DragDX = 0, DragDY = 0;
    bool CtrlDrag = false;
    bool LeftDown = false, RightDown = false;
    uint8_t Crosshair = 0; // 0 hidden, 1 shown, 2 moved by the user
    NavigatorGeometry Nav; // navigator
    NavigatorFrame Frame;  // navigator
    PaneContext* Context = nullptr;

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    ~PreviewPane();
};

bool RegisterPreviewPaneClass(HINSTANCE instance);
void UnregisterPreviewPaneClass(HINSTANCE instance);
PreviewPane* FindPane(HWND window);

// Replaces the pane's bitmap by one made from bottom-up BGR pixels.
void SetPanePixels(PreviewPane& pane, const BitmapPlacement& placement, std::vector<uint8_t> pixels);
void ClearPaneBitmap(PreviewPane& pane);

// The right-drag's notification while it moves the centre (notification
// code), and the one when it ends.
inline constexpr WORD CentreMovedCode = 10;
inline constexpr WORD CentreDroppedCode = 11;

} // namespace vel::ui
