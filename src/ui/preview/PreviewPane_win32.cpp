#include "ui/preview/PreviewPane.h"

#include "ui/controls/ControlKit.h"

#include <windowsx.h>

#include <utility>

namespace vel::ui {
namespace {

void SendToParent(HWND window, int id, WORD code)
{
    SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(id, code), LPARAM(window));
}

void DrawDiagonals(HDC dc, int width, int height, int dx, int dy, COLORREF color)
{
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, dx, dy, nullptr);
    LineTo(dc, width + dx, height + dy);
    MoveToEx(dc, width + dx, dy, nullptr);
    LineTo(dc, dx, height + dy);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void InvertRect(HDC dc, int x, int y, int width, int height)
{
    PatBlt(dc, x, y, width, height, DSTINVERT);
}

void PaintPreview(PreviewPane& pane, HDC dc, const RECT& client)
{
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const int x = pane.Placement.Left + pane.DragDX;
    const int y = pane.Placement.Top + pane.DragDY;
    if (pane.Bitmap) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, pane.Bitmap);
        BitBlt(dc, x, y, pane.Placement.Width, pane.Placement.Height, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    } else {
        DrawDiagonals(dc, client.right, client.bottom, pane.DragDX, pane.DragDY, RGB(90, 90, 90));
    }
    if (pane.Crosshair && pane.Context && pane.Context->Zoom) {
        const PaneContext& context = *pane.Context;
        PreviewScroll scroll = pane.Scroll;
        const PanePoint at = CrosshairAt(context.ShownCenterX, context.ShownCenterY, context.FilterWidth,
                                         context.FilterHeight, context.Zoom->PreviewScale, scroll,
                                         pane.Placement.Left + pane.DragDX, pane.Placement.Top + pane.DragDY);
        for (const PanePoint& p : CrosshairPixels(at, client.right, client.bottom))
            InvertRect(dc, p.X, p.Y, 1, 1);
    }
}

void PaintNavigator(PreviewPane& pane, HDC dc, const RECT& client)
{
    HBRUSH face = CreateSolidBrush(DialogColor);
    FillRect(dc, &client, face);
    DeleteObject(face);
    if (!pane.Bitmap) {
        DrawDiagonals(dc, client.right, client.bottom, 0, 0, RGB(160, 160, 160));
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, pane.Bitmap);
    BitBlt(dc, pane.Placement.Left, pane.Placement.Top, pane.Placement.Width, pane.Placement.Height, source,
           0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    // The frame's four edges, inverted, limited to the pane.
    const int left = pane.Placement.Left + pane.Frame.X;
    const int top = pane.Placement.Top + pane.Frame.Y;
    const int right = std::min<int>(left + pane.Frame.Width, client.right - 1);
    const int bottom = std::min<int>(top + pane.Frame.Height, client.bottom - 1);
    if (right < left || bottom < top)
        return;
    InvertRect(dc, left, top, right - left + 1, 1);
    if (bottom > top)
        InvertRect(dc, left, bottom, right - left + 1, 1);
    if (bottom - top > 1) {
        InvertRect(dc, left, top + 1, 1, bottom - top - 1);
        if (right > left)
            InvertRect(dc, right, top + 1, 1, bottom - top - 1);
    }
}

LRESULT CALLBACK PaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    PreviewPane* pane = FindPane(window);
    if (message == WM_NCCREATE) {
        pane = new PreviewPane;
        pane->Window = window;
        pane->Id = GetDlgCtrlID(window);
        pane->Mode = pane->Id == 1005 ? PaneMode::Navigator : PaneMode::Preview;
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(pane));
    }
    if (!pane)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete pane;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return pane->HandleMessage(window, message, wParam, lParam);
}

} // namespace

PreviewPane::~PreviewPane()
{
    ClearPaneBitmap(*this);
}

PreviewPane* FindPane(HWND window)
{
    wchar_t name[64] = {};
    if (!window || !GetClassNameW(window, name, 64) || lstrcmpW(name, PreviewPane::ClassName) != 0)
        return nullptr;
    return reinterpret_cast<PreviewPane*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void ClearPaneBitmap(PreviewPane& pane)
{
    if (pane.Bitmap)
        DeleteObject(pane.Bitmap);
    pane.Bitmap = nullptr;
    pane.Pixels.clear();
}

void SetPanePixels(PreviewPane& pane, const BitmapPlacement& placement, std::vector<uint8_t> pixels)
{
    ClearPaneBitmap(pane);
    pane.Placement = placement;
    if (placement.Width <= 0 || placement.Height <= 0 || pixels.empty())
        return;
    pane.Pixels = std::move(pixels);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = placement.Width;
    info.bmiHeader.biHeight = placement.Height; // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    pane.Bitmap =
        CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, pane.Pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
}

LRESULT PreviewPane::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_SIZE:
        PaneWidth = LOWORD(lParam);
        PaneHeight = HIWORD(lParam);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintBuffered(window, [&](HDC dc, const RECT& client) {
            if (Mode == PaneMode::Preview)
                PaintPreview(*this, dc, client);
            else
                PaintNavigator(*this, dc, client);
        });
        return 0;
    case WM_LBUTTONDOWN:
        SetCapture(window);
        LeftDown = true;
        CtrlDrag = (wParam & MK_CONTROL) != 0;
        DragStartX = x;
        DragStartY = y;
        DragDX = DragDY = 0;
        return 0;
    case WM_RBUTTONDOWN:
        if (Mode == PaneMode::Preview && Context && Context->Zoom) {
            const float scale = Context->Zoom->PreviewScale;
            if (int(float(Context->FilterWidth) / scale) == 0 ||
                int(float(Context->FilterHeight) / scale) == 0)
                return 0;
        }
        SetCapture(window);
        RightDown = true;
        return 0;
    case WM_MOUSEMOVE:
        if (LeftDown && (wParam & MK_LBUTTON)) {
            if (Mode == PaneMode::Preview) {
                DragDX += x - DragStartX;
                DragDY += y - DragStartY;
                if (!CtrlDrag)
                    InvalidateRect(window, nullptr, FALSE);
            } else {
                Frame.X += x - DragStartX;
                Frame.Y += y - DragStartY;
                InvalidateRect(window, nullptr, FALSE);
            }
            DragStartX = x;
            DragStartY = y;
        } else if (RightDown && Mode == PaneMode::Preview && Crosshair && Context && Context->Zoom) {
            float cx = 0, cy = 0;
            if (CentreFromPointer(x, y, Context->FilterWidth, Context->FilterHeight,
                                  Context->Zoom->PreviewScale, Scroll, Placement.Left, Placement.Top, cx,
                                  cy)) {
                Context->ShownCenterX = cx;
                Context->ShownCenterY = cy;
                Crosshair = 2;
                SendToParent(window, Id, CentreMovedCode);
                InvalidateRect(window, nullptr, FALSE);
            }
        }
        return 0;
    case WM_LBUTTONUP:
        if (!LeftDown)
            return 0;
        LeftDown = false;
        ReleaseCapture();
        if (Mode == PaneMode::Preview) {
            Scroll.ScrollX -= DragDX;
            Scroll.ScrollY -= DragDY;
        }
        DragDX = DragDY = 0;
        if (!CtrlDrag)
            SendToParent(window, Id, 9);
        CtrlDrag = false;
        return 0;
    case WM_RBUTTONUP:
        if (!RightDown)
            return 0;
        RightDown = false;
        ReleaseCapture();
        if (Mode == PaneMode::Preview && Crosshair && Context && Context->EngraveTabCurrent)
            SendToParent(window, Id, CentreDroppedCode);
        return 0;
    case WM_CAPTURECHANGED:
        LeftDown = RightDown = false;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterPreviewPaneClass(HINSTANCE instance)
{
    WNDCLASSEXW type = {};
    type.cbSize = sizeof type;
    type.style = CS_HREDRAW | CS_VREDRAW;
    type.lpfnWndProc = PaneProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)) /* the arrow */;
    type.lpszClassName = PreviewPane::ClassName;
    UnregisterClassW(PreviewPane::ClassName, instance); // one left behind by an earlier dialog
    return RegisterClassExW(&type) != 0;
}

void UnregisterPreviewPaneClass(HINSTANCE instance)
{
    UnregisterClassW(PreviewPane::ClassName, instance);
}

} // namespace vel::ui
