// The ink palette editor on the "Effects" page: the swatch strip drawn into
// frame 1197, its hover and clicks, the colour chooser, the screen picker
// and ink removal. The decisions live in InkSwatches; this file moves them
// to and from the windows.

#include "ui/pages/InkPaletteWindow.h"

#include "color/InkPalette.h"
#include "ui/controls/Artwork.h"
#include "ui/controls/Controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace vel::ui {

namespace {

InkEditor SessionEditor; // the active ink outlives a dialog
InkColorChooser Chooser;

constexpr UINT_PTR StripSubclassId = 1197;
constexpr COLORREF StripFrameColor = RGB(128, 128, 128);
constexpr COLORREF CheckerGrey = RGB(210, 210, 210);
constexpr COLORREF CheckerWhite = RGB(255, 255, 255);

COLORREF ToColorRef(InkColor color)
{
    return RGB(color.R, color.G, color.B);
}

InkColor ToInkColor(COLORREF color)
{
    return {GetRValue(color), GetGValue(color), GetBValue(color)};
}

bool ChooseInkColor(HWND owner, COLORREF& color)
{
    return Chooser ? Chooser(owner, color) : ChooseColorFor(owner, color);
}

// The colour of the screen pixel under a point of `window`'s client area;
// nothing above or left of the screen or without a screen device context.
std::optional<InkColor> ScreenColorAt(HWND window, POINT at)
{
    ClientToScreen(window, &at);
    if (at.x < 0 || at.y < 0)
        return std::nullopt;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return std::nullopt;
    const COLORREF color = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    if (color == CLR_INVALID)
        return std::nullopt;
    return ToInkColor(color);
}

float SegmentDistance(float x, float y, float ax, float ay, float bx, float by)
{
    const float dx = bx - ax, dy = by - ay;
    float t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy);
    t = std::clamp(t, 0.0f, 1.0f);
    const float ex = x - (ax + t * dx), ey = y - (ay + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

// An eyedropper pointing down-left, its tip the hot spot: a white glass tube
// with a black collar and bulb, outlined in black and then white so that it
// shows on any colour. Monochrome masks: AND 1 keeps the screen, AND 0 with XOR 0 is
// black and with XOR 1 white.
HCURSOR MakeEyedropperCursor(HINSTANCE instance)
{
    constexpr int Size = 32;
    constexpr int RowBytes = Size / 8;
    BYTE andMask[Size * RowBytes];
    BYTE xorMask[Size * RowBytes] = {};
    std::fill(std::begin(andMask), std::end(andMask), BYTE(0xFF));
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            const float px = float(x) + 0.5f, py = float(y) + 0.5f;
            const float tube = SegmentDistance(px, py, 2.5f, 29.5f, 19.0f, 13.0f);
            const float collar = SegmentDistance(px, py, 15.5f, 9.5f, 22.5f, 16.5f);
            const float bulb = SegmentDistance(px, py, 21.0f, 11.0f, 26.0f, 6.0f);
            const bool glass = tube <= 1.8f;
            const bool dark = collar <= 1.3f || bulb <= 3.6f;
            const bool outline = tube <= 2.9f || collar <= 2.4f || bulb <= 4.7f;
            const bool halo = tube <= 3.9f || collar <= 3.4f || bulb <= 5.7f;
            if (!halo)
                continue;
            const int byte = y * RowBytes + x / 8;
            const BYTE bit = BYTE(0x80 >> (x % 8));
            andMask[byte] &= BYTE(~bit);
            if ((glass && !dark) || !outline)
                xorMask[byte] |= bit;
        }
    return CreateCursor(instance, 2, 29, Size, Size, andMask, xorMask);
}

// The frame paints the strip itself, so that the page's clipping of its
// children and the order of painting do not matter, and hands the mouse
// messages it receives to the view in the page's coordinates.
LRESULT CALLBACK StripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* view = reinterpret_cast<InkPaletteView*>(data);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        view->DrawStrip(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP: {
        POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        MapWindowPoints(window, GetParent(window), &at, 1);
        if (view->Mouse(message, wParam, MAKELPARAM(at.x, at.y)))
            return 0;
        break;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, StripProc, StripSubclassId);
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void SetInkColorChooser(InkColorChooser chooser)
{
    Chooser = std::move(chooser);
}

void InkPaletteView::Attach(HWND page, InkPaletteLinks links)
{
    if (page_)
        Detach();
    page_ = page;
    links_ = std::move(links);
    hot_ = -1;
    hoverCapture_ = false;
    // Every dialog starts without a chooser or the screen picker.
    SessionEditor.PickingScreen = false;
    SessionEditor.ChooserOpen = false;
    strip_ = GetDlgItem(page, InkSwatchesId);
    if (strip_)
        SetWindowSubclass(strip_, StripProc, StripSubclassId, reinterpret_cast<DWORD_PTR>(this));
    pickerCursor_ =
        MakeEyedropperCursor(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE)));
    ShowPickerState();
}

void InkPaletteView::Detach()
{
    if (!page_)
        return;
    CancelPicking();
    EndHover();
    if (strip_) {
        RemoveWindowSubclass(strip_, StripProc, StripSubclassId);
        strip_ = nullptr;
    }
    if (pickerCursor_) {
        if (GetCursor() == pickerCursor_)
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
        DestroyCursor(pickerCursor_);
        pickerCursor_ = nullptr;
    }
    page_ = nullptr;
    links_ = {};
}

bool InkPaletteView::Ready() const
{
    return page_ && links_.Block && links_.State;
}

void InkPaletteView::DrawStrip(HDC target) const
{
    if (!strip_ || !Ready())
        return;
    RECT client;
    GetClientRect(strip_, &client);
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0)
        return;
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
    HGDIOBJ previousBitmap = SelectObject(dc, bitmap);

    FillRectColor(dc, client, DialogColor);
    FrameRectColor(dc, RECT{2, 2, width, height}, StripFrameColor);
    const PrintState& state = *links_.State;
    const int count = std::min<int>(state.Inks.InkCount, MaxInks);
    const bool initialColors = ColorSchemaKind(links_.Block->ColorSchema) == ColorSchemaKind::InitialColors;
    const auto rects = SwatchRects(width, height, count);
    for (int i = 0; i < count; ++i) {
        const SwatchRect& s = rects[size_t(i)];
        RECT swatch = {s.Left, s.Top, s.Right, s.Bottom};
        const InkColor ink = state.Palette.Inks[i];
        if (initialColors) {
            // The inks take the source's colours: nothing to show or choose.
            for (int y = swatch.top; y < swatch.bottom; y += InkCheckerSquare)
                for (int x = swatch.left; x < swatch.right; x += InkCheckerSquare) {
                    const RECT square = {x, y, std::min<int>(x + InkCheckerSquare, swatch.right),
                                         std::min<int>(y + InkCheckerSquare, swatch.bottom)};
                    FillRectColor(dc, square,
                                  CheckerIsGrey(x - swatch.left, y - swatch.top) ? CheckerGrey
                                                                                 : CheckerWhite);
                }
        } else if (i == SessionEditor.ActiveInk) {
            FillRectColor(dc, swatch, DialogColor);
            HPEN pen = CreatePen(PS_INSIDEFRAME, 2, ToColorRef(ContrastColor(ink)));
            HBRUSH brush = CreateSolidBrush(ToColorRef(ink));
            HGDIOBJ previousPen = SelectObject(dc, pen);
            HGDIOBJ previousBrush = SelectObject(dc, brush);
            Rectangle(dc, swatch.left + 2, swatch.top + 2, swatch.right - 2, swatch.bottom - 2);
            SelectObject(dc, previousBrush);
            SelectObject(dc, previousPen);
            DeleteObject(brush);
            DeleteObject(pen);
        } else {
            FillRectColor(dc, swatch, ToColorRef(ink));
        }
        DrawEdge(dc, &swatch, i == hot_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }

    BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void InkPaletteView::Paint()
{
    if (!strip_ || !Ready())
        return;
    HDC dc = GetDC(strip_);
    if (!dc)
        return;
    DrawStrip(dc);
    ReleaseDC(strip_, dc);
}

void InkPaletteView::Redraw()
{
    if (!strip_)
        return;
    InvalidateRect(strip_, nullptr, FALSE);
    UpdateWindow(strip_);
}

bool InkPaletteView::StripInteractive()
{
    return Ready() &&
           InkEditor::Interactive(interactive_, links_.Block->ColorSchema, SessionEditor.PickingScreen);
}

int InkPaletteView::SwatchUnder(POINT at) const
{
    if (!strip_)
        return -1;
    MapWindowPoints(page_, strip_, &at, 1);
    RECT client;
    GetClientRect(strip_, &client);
    return SwatchAt(at.x, at.y, client.right, client.bottom, links_.State->Inks.InkCount);
}

void InkPaletteView::EndHover()
{
    const bool held = hoverCapture_;
    hoverCapture_ = false;
    if (held && GetCapture() == page_)
        ReleaseCapture();
    if (hot_ >= 0) {
        hot_ = -1;
        Redraw();
    }
}

bool InkPaletteView::Mouse(UINT message, WPARAM, LPARAM lParam)
{
    if (!Ready())
        return false;
    const POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (SessionEditor.PickingScreen)
        return PickerMouse(message, at, lParam);
    if (message == WM_CAPTURECHANGED) {
        // Someone else took the pointer: the hover ends without our capture.
        if (hoverCapture_ && reinterpret_cast<HWND>(lParam) != page_) {
            hoverCapture_ = false;
            EndHover();
        }
        return false;
    }
    if (!StripInteractive()) {
        EndHover();
        return false;
    }
    const int swatch = SwatchUnder(at);
    const bool held = hoverCapture_;
    switch (message) {
    case WM_MOUSEMOVE:
        if (swatch < 0) {
            EndHover();
            return held;
        }
        // The capture tells when the pointer leaves the strip, even through
        // a neighbouring control.
        if (GetCapture() != page_)
            SetCapture(page_);
        hoverCapture_ = true;
        if (swatch != hot_) {
            hot_ = swatch;
            Redraw();
        }
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
        if (swatch < 0)
            return false;
        const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
        const SwatchAnswer answer =
            left ? SessionEditor.LeftDown(swatch, true) : SessionEditor.RightDown(swatch, true);
        if (answer.Redraw)
            Redraw();
        if (answer.OpenChooser)
            OpenChooser(SessionEditor.ActiveInk);
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        hoverCapture_ = false;
        if (held && GetCapture() == page_)
            ReleaseCapture();
        const bool wasHot = hot_ >= 0;
        hot_ = -1;
        const SwatchAnswer answer = SessionEditor.ButtonUp(swatch, true);
        if (answer.Redraw || wasHot)
            Redraw();
        if (answer.ReloadPages && links_.ReloadPages)
            links_.ReloadPages();
        return swatch >= 0 || held;
    }
    }
    return false;
}

void InkPaletteView::OpenChooser(int ink)
{
    if (SessionEditor.ChooserOpen || ink < 0 || ink >= std::min<int>(links_.State->Inks.InkCount, MaxInks))
        return;
    // The chooser is modal: the hover ends before it opens.
    EndHover();
    COLORREF color = ToColorRef(links_.State->Palette.Inks[ink]);
    SessionEditor.ChooserOpen = true;
    const bool chosen = ChooseInkColor(page_, color);
    SessionEditor.ChooserOpen = false;
    if (!chosen || !Ready())
        return;
    ApplyInkColor(*links_.Block, *links_.State, ink, ToInkColor(color));
    Redraw();
    if (links_.Refresh)
        links_.Refresh();
}

bool InkPaletteView::Command(int id, int code)
{
    if (!Ready() || code != BN_CLICKED)
        return false;
    const bool inkColors = ColorSchemaKind(links_.Block->ColorSchema) != ColorSchemaKind::InitialColors;
    switch (id) {
    case PickInkColorId:
        if (interactive_ && inkColors && !SessionEditor.PickingScreen)
            OpenChooser(SessionEditor.ActiveInk);
        return true;
    case DeleteInkId: {
        if (!interactive_ || SessionEditor.PickingScreen)
            return true;
        const int before = links_.State->Inks.InkCount;
        if (RemoveActiveInk(*links_.Block, *links_.State, SessionEditor) != before) {
            Redraw();
            if (links_.ReloadEffects)
                links_.ReloadEffects();
            if (links_.Refresh)
                links_.Refresh();
        }
        return true;
    }
    case ScreenPickerId:
        if (SessionEditor.PickingScreen)
            CancelPicking();
        else if (interactive_ && inkColors)
            StartPicking();
        else
            ShowPickerState();
        return true;
    }
    return false;
}

void InkPaletteView::StartPicking()
{
    if (SessionEditor.ActiveInk >= std::min<int>(links_.State->Inks.InkCount, MaxInks)) {
        ShowPickerState();
        return;
    }
    EndHover();
    SessionEditor.PickingScreen = true;
    ShowPickerState();
    // The page takes every click until picking ends, wherever the pointer is.
    SetCapture(page_);
    if (pickerCursor_)
        SetCursor(pickerCursor_);
}

void InkPaletteView::ShowPickerState()
{
    if (HWND button = page_ ? GetDlgItem(page_, ScreenPickerId) : nullptr)
        SendMessageW(button, BM_SETCHECK, SessionEditor.PickingScreen ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool InkPaletteView::OnPickerButton(POINT at) const
{
    HWND button = GetDlgItem(page_, ScreenPickerId);
    if (!button)
        return false;
    RECT rect;
    GetWindowRect(button, &rect);
    MapWindowPoints(nullptr, page_, reinterpret_cast<POINT*>(&rect), 2);
    return PtInRect(&rect, at) != FALSE;
}

bool InkPaletteView::PickerMouse(UINT message, POINT at, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        if (pickerCursor_)
            SetCursor(pickerCursor_);
        if (const auto color = ScreenColorAt(page_, at)) {
            PreviewPickedColor(*links_.State, SessionEditor, *color);
            Redraw();
        }
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (OnPickerButton(at)) {
            CancelPicking();
            return true;
        }
        const auto color = ScreenColorAt(page_, at);
        if (!color)
            return true;
        FinishScreenPicking(*links_.Block, *links_.State, SessionEditor, *color);
        ShowPickerState();
        if (GetCapture() == page_)
            ReleaseCapture();
        Redraw();
        if (links_.Refresh)
            links_.Refresh();
        return true;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        CancelPicking();
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        return true;
    case WM_CAPTURECHANGED:
        // Another window took the pointer (a system dialog, a switch to
        // another application): picking cannot go on without it.
        if (reinterpret_cast<HWND>(lParam) != page_)
            CancelPicking();
        return true;
    }
    return false;
}

void InkPaletteView::CancelPicking()
{
    if (!Ready())
        return;
    if (!SessionEditor.PickingScreen) {
        ShowPickerState();
        return;
    }
    CancelScreenPicking(*links_.Block, *links_.State, SessionEditor);
    ShowPickerState();
    if (GetCapture() == page_)
        ReleaseCapture();
    Redraw();
}

void InkPaletteView::SetInteraction(bool interactive)
{
    interactive_ = interactive;
    if (!interactive) {
        CancelPicking();
        EndHover();
    }
    // The page calls this on every reload, after the schema, the ink count
    // or the colours may have changed.
    Redraw();
}

InkEditor& InkPaletteView::Editor()
{
    return SessionEditor;
}

} // namespace vel::ui
