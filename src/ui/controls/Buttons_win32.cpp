// The button-like controls: "MacStyleBtn", "Control Button CPP",
// "Contaner CPP", "Control CPP" and "ContainerLinkC".

#include "ui/controls/Artwork.h"
#include "ui/controls/Controls.h"

#include <windowsx.h>

#include <string>

namespace vel::ui {

namespace {

bool PointerInside(HWND window, LPARAM lParam)
{
    RECT client;
    GetClientRect(window, &client);
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, point) != FALSE;
}

void SetLook(HWND window, ControlLook& look, ControlLook next)
{
    if (look != next) {
        look = next;
        InvalidateRect(window, nullptr, FALSE);
    }
}

enum class Press { Other, Handled, Clicked };

// Hover and press for a control that holds the pointer capture while the
// pointer is over it: Clicked when a press ended over the control, Other for
// messages that are not the pointer's.
template <class Record> Press TrackPress(Record& record, HWND window, UINT message, LPARAM lParam)
{
    if (message != WM_MOUSEMOVE && message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK &&
        message != WM_LBUTTONUP && message != WM_CAPTURECHANGED)
        return Press::Other;
    if (!IsWindowEnabled(window))
        return Press::Handled;
    switch (message) {
    case WM_MOUSEMOVE:
        if (PointerInside(window, lParam)) {
            if (GetCapture() != window)
                SetCapture(window);
            SetLook(window, record.Look, record.Pressing ? ControlLook::Pressed : ControlLook::Hover);
        } else if (record.Pressing) {
            SetLook(window, record.Look, ControlLook::Normal);
        } else {
            SetLook(window, record.Look, ControlLook::Normal);
            if (GetCapture() == window)
                ReleaseCapture();
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        record.Pressing = true;
        SetCapture(window);
        SetLook(window, record.Look, ControlLook::Pressed);
        break;
    case WM_LBUTTONUP: {
        const bool click = record.Pressing && PointerInside(window, lParam);
        record.Pressing = false;
        SetLook(window, record.Look, click ? ControlLook::Hover : ControlLook::Normal);
        if (!click && GetCapture() == window)
            ReleaseCapture();
        return click ? Press::Clicked : Press::Handled;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window) {
            record.Pressing = false;
            SetLook(window, record.Look, ControlLook::Normal);
        }
        break;
    }
    return Press::Handled;
}

void PostCommand(HWND window, int id)
{
    PostMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(window));
}

std::wstring WindowText(HWND window)
{
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y)
{
    if (!bitmap)
        return;
    BITMAP info;
    GetObjectW(bitmap, sizeof info, &info);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

LRESULT CommonMessage(ControlShared& record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_ENABLE:
        record.EnabledLook = wParam != 0;
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, FALSE);
        return result;
    }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

LRESULT MacStyleButton::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const Press press = TrackPress(*this, window, message, lParam); press != Press::Other) {
        if (press == Press::Clicked) {
            SetFocus(window);
            PostCommand(window, Id);
        }
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        IsDefault = (GetWindowLongW(window, GWL_STYLE) & BS_DEFPUSHBUTTON) != 0;
        return 0;
    case WM_PAINT:
        PaintBuffered(window, [&](HDC dc, const RECT& client) {
            DrawButtonFace(dc, client, Look, IsDefault, EnabledLook, WindowText(window).c_str());
        });
        return 0;
    case WM_COMMAND:
        // Commands from anywhere (accelerators, children) go to the parent.
        return SendMessageW(GetParent(window), message, wParam, lParam);
    }
    return CommonMessage(*this, window, message, wParam, lParam);
}

BitmapButton::~BitmapButton()
{
    for (HBITMAP bitmap : Bitmaps)
        if (bitmap)
            DeleteObject(bitmap);
}

void SetButtonBitmaps(BitmapButton& button, HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled,
                      bool toggle)
{
    for (HBITMAP bitmap : button.Bitmaps)
        if (bitmap)
            DeleteObject(bitmap);
    button.Bitmaps[0] = normal;
    button.Bitmaps[1] = hover;
    button.Bitmaps[2] = pressed;
    button.Bitmaps[3] = disabled;
    button.Toggle = toggle;
    InvalidateRect(button.Window, nullptr, FALSE);
}

void SetButtonChecked(BitmapButton& button, bool checked)
{
    button.Checked = checked;
    InvalidateRect(button.Window, nullptr, FALSE);
}

LRESULT BitmapButton::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const Press press = TrackPress(*this, window, message, lParam); press != Press::Other) {
        if (press == Press::Clicked) {
            if (Toggle)
                SetButtonChecked(*this, !Checked);
            PostCommand(window, Id);
        }
        return 0;
    }
    switch (message) {
    case WM_PAINT:
        PaintBuffered(window, [&](HDC dc, const RECT& client) {
            FillRectColor(dc, client, DialogColor);
            HBITMAP bitmap = Bitmaps[0];
            if (!EnabledLook && Bitmaps[3])
                bitmap = Bitmaps[3];
            else if (EnabledLook && (Look == ControlLook::Pressed || (Toggle && Checked)) && Bitmaps[2])
                bitmap = Bitmaps[2];
            else if (EnabledLook && Look == ControlLook::Hover && Bitmaps[1])
                bitmap = Bitmaps[1];
            DrawBitmap(dc, bitmap, 0, 0);
        });
        return 0;
    }
    return CommonMessage(*this, window, message, wParam, lParam);
}

LRESULT TContaner::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The current view's button ignores the pointer.
    if (const Press press = Clickable ? TrackPress(*this, window, message, lParam) : Press::Other;
        press != Press::Other) {
        if (press == Press::Clicked)
            PostCommand(window, Id);
        return 0;
    }
    switch (message) {
    case WM_PAINT:
        PaintBuffered(window, [&](HDC dc, const RECT& client) {
            FillRectColor(dc, client, Background);
            COLORREF ink = Colors[0];
            if (!EnabledLook)
                ink = Colors[3];
            else if (!Clickable || Checked || Look == ControlLook::Current)
                ink = Colors[2];
            else if (Look == ControlLook::Hover || Look == ControlLook::Pressed)
                ink = Colors[1];
            DrawLabelText(dc, client, WindowText(window).c_str(),
                          SecondFont ? Kit().BoldFont : Kit().LabelFont, ink, DT_CENTER | DT_VCENTER);
        });
        return 0;
    }
    return CommonMessage(*this, window, message, wParam, lParam);
}

PictureControl::~PictureControl()
{
    if (Picture)
        DeleteObject(Picture);
}

void SetPicture(PictureControl& control, HBITMAP picture)
{
    if (control.Picture)
        DeleteObject(control.Picture);
    control.Picture = picture;
    InvalidateRect(control.Window, nullptr, FALSE);
}

HBITMAP BitmapFromPixels(const uint32_t* pixels, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits)
        CopyMemory(bits, pixels, size_t(width) * size_t(height) * 4);
    return bitmap;
}

LRESULT PictureControl::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintBuffered(window, [&](HDC dc, const RECT& client) {
            FillRectColor(dc, client, DialogColor);
            DrawBitmap(dc, Picture, 0, 0);
        });
        return 0;
    case WM_COMMAND:
        return SendMessageW(GetParent(window), message, wParam, lParam);
    }
    return CommonMessage(*this, window, message, wParam, lParam);
}

LRESULT LinkLabel::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintBuffered(window, [&](HDC dc, const RECT& client) {
            FillRectColor(dc, client, DialogColor);
            DrawLabelText(dc, client, WindowText(window).c_str(), Kit().LinkFont,
                          EnabledLook ? RGB(30, 80, 170) : DisabledColor, DT_LEFT | DT_VCENTER);
        });
        return 0;
    case WM_SETCURSOR:
        SetCursor(IsWindowEnabled(window) ? Kit().Hand : Kit().Arrow);
        return TRUE;
    case WM_LBUTTONDOWN:
        if (IsWindowEnabled(window))
            SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(Id, 0), reinterpret_cast<LPARAM>(window));
        return 0;
    }
    return CommonMessage(*this, window, message, wParam, lParam);
}

void ShowLook(HWND control, ControlLook look)
{
    if (auto* button = FindControl<MacStyleButton>(control))
        SetLook(control, button->Look, look);
    else if (auto* bitmap = FindControl<BitmapButton>(control))
        SetLook(control, bitmap->Look, look);
    else if (auto* text = FindControl<TContaner>(control))
        SetLook(control, text->Look, look);
    else if (auto* swatch = FindControl<ColorSwatch>(control)) {
        swatch->Hover = look != ControlLook::Normal;
        InvalidateRect(control, nullptr, FALSE);
    } else if (auto* dial = FindControl<Rotor>(control)) {
        dial->Hover = look != ControlLook::Normal;
        InvalidateRect(control, nullptr, FALSE);
    } else if (auto* slider = FindControl<TMacSlider>(control)) {
        slider->Dragging = look == ControlLook::Pressed;
        InvalidateRect(control, nullptr, FALSE);
    }
}

void EnableControl(HWND control, bool enable)
{
    if (auto* field = FindControl<SpinEdit>(control))
        EnableSpinEdit(*field, enable);
    else if (auto* dial = FindControl<Rotor>(control))
        EnableRotor(*dial, enable);
    else
        EnableWindow(control, enable); // WM_ENABLE sets the enabled look
}

} // namespace vel::ui
