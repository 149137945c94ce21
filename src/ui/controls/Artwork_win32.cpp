#include "ui/controls/Artwork.h"

#include <algorithm>
#include <cmath>

namespace vel::ui {

namespace {

constexpr double Radians = 3.14159265358979323846 / 180.0;

struct Pen {
    HPEN Handle;
    Pen(COLORREF color, int width = 1) : Handle(CreatePen(PS_SOLID, width, color)) {}
    ~Pen() { DeleteObject(Handle); }
};
struct Brush {
    HBRUSH Handle;
    explicit Brush(COLORREF color) : Handle(CreateSolidBrush(color)) {}
    ~Brush() { DeleteObject(Handle); }
};

// Selects a pen and brush for the lifetime of the object.
struct Selected {
    HDC Dc;
    HGDIOBJ OldPen, OldBrush;
    Selected(HDC dc, HPEN pen, HBRUSH brush)
        : Dc(dc), OldPen(SelectObject(dc, pen)),
          OldBrush(SelectObject(dc, brush ? static_cast<HGDIOBJ>(brush) : GetStockObject(NULL_BRUSH)))
    {
    }
    ~Selected()
    {
        SelectObject(Dc, OldPen);
        SelectObject(Dc, OldBrush);
    }
};

} // namespace

void FillRectColor(HDC dc, const RECT& rect, COLORREF color)
{
    Brush brush(color);
    FillRect(dc, &rect, brush.Handle);
}

void FrameRectColor(HDC dc, const RECT& rect, COLORREF color)
{
    Brush brush(color);
    FrameRect(dc, &rect, brush.Handle);
}

void DrawLabelText(HDC dc, RECT rect, const wchar_t* text, HFONT font, COLORREF color, UINT format)
{
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    DrawTextW(dc, text, -1, &rect, format | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

void DrawButtonFace(HDC dc, const RECT& rect, ControlLook look, bool isDefault, bool enabled,
                    const wchar_t* text)
{
    FillRectColor(dc, rect, DialogColor);
    // The face is 24 pixels high (at 96 dpi); a taller control keeps the
    // dialog colour below it.
    RECT face = rect;
    face.bottom = std::min<LONG>(rect.bottom, rect.top + Scaled(24));
    COLORREF fill = RGB(247, 247, 247), border = RGB(158, 158, 158), ink = TextColor;
    if (!enabled) {
        fill = RGB(238, 238, 238);
        border = RGB(200, 200, 200);
        ink = DisabledColor;
    } else if (look == ControlLook::Pressed) {
        fill = RGB(210, 214, 220);
        border = RGB(96, 112, 136);
    } else if (look == ControlLook::Hover) {
        fill = RGB(255, 255, 255);
        border = RGB(96, 124, 168);
    } else if (isDefault) {
        border = RGB(80, 104, 140);
    }
    const int round = Scaled(6);
    {
        Pen pen(border, isDefault && enabled ? std::max(1, Scaled(2)) : 1);
        Brush brush(fill);
        Selected selected(dc, pen.Handle, brush.Handle);
        const int inset = isDefault && enabled ? 1 : 0;
        RoundRect(dc, face.left + inset, face.top + inset, face.right - inset, face.bottom - inset, round,
                  round);
    }
    RECT textRect = face;
    textRect.top += Scaled(4);
    DrawLabelText(dc, textRect, text, Kit().ButtonFont, ink, DT_CENTER | DT_TOP);
}

void DrawSlider(HDC dc, const RECT& rect, int knob, bool vertical, bool enabled, bool dragging)
{
    FillRectColor(dc, rect, DialogColor);
    const COLORREF line = enabled ? RGB(0, 0, 0) : DisabledColor;
    const int margin = 5;
    const int half = Scaled(4);  // half the knob's width along the track
    const int depth = Scaled(6); // half the knob's height across the track
    const int centre = vertical ? (rect.right - rect.left) / 2 : (rect.bottom - rect.top) / 2;
    // The track: one pixel of the line colour over a lighter groove.
    RECT track = vertical ? RECT{centre - 1, margin, centre + 1, rect.bottom - margin}
                          : RECT{margin, centre - 1, rect.right - margin, centre + 1};
    FillRectColor(dc, track, enabled ? RGB(150, 150, 150) : RGB(200, 200, 200));
    Pen pen(line);
    Brush brush(!enabled ? RGB(226, 226, 226) : dragging ? RGB(170, 170, 170) : RGB(205, 205, 205));
    Selected selected(dc, pen.Handle, brush.Handle);
    if (vertical)
        RoundRect(dc, centre - depth, knob - half, centre + depth + 1, knob + half + 1, Scaled(3), Scaled(3));
    else
        RoundRect(dc, knob - half, centre - depth, knob + half + 1, centre + depth + 1, Scaled(3), Scaled(3));
}

void DrawDial(HDC dc, const RECT& rect, const DialPicture& picture)
{
    FillRectColor(dc, rect, DialogColor);
    const int cx = (rect.right - rect.left) / 2, cy = (rect.bottom - rect.top) / 2;
    const int radius = std::min(cx, cy) - Scaled(2);
    if (radius <= 2)
        return;
    const COLORREF ring = !picture.Enabled      ? RGB(180, 180, 180)
                          : picture.Highlighted ? RGB(80, 110, 160)
                                                : RGB(120, 120, 120);
    const COLORREF face = !picture.Enabled      ? RGB(236, 236, 236)
                          : picture.Highlighted ? RGB(252, 252, 252)
                                                : RGB(244, 244, 244);
    {
        Pen pen(ring);
        Brush brush(face);
        Selected selected(dc, pen.Handle, brush.Handle);
        Ellipse(dc, cx - radius, cy - radius, cx + radius + 1, cy + radius + 1);
    }
    // Ticks every 45 degrees.
    {
        Pen pen(picture.Enabled ? RGB(170, 170, 170) : RGB(205, 205, 205));
        Selected selected(dc, pen.Handle, nullptr);
        for (int k = 0; k < 8; ++k) {
            const double a = k * 45 * Radians;
            const double inner = radius - Scaled(k % 2 ? 3 : 5);
            MoveToEx(dc, cx + int(std::lround(inner * std::cos(a))),
                     cy - int(std::lround(inner * std::sin(a))), nullptr);
            LineTo(dc, cx + int(std::lround((radius - 1) * std::cos(a))),
                   cy - int(std::lround((radius - 1) * std::sin(a))));
        }
    }
    const double a = picture.ScreenAngle * Radians;
    const double reach = std::clamp(double(picture.Reach), 0.0, 1.0) * (radius - Scaled(5));
    const int tipX = cx + int(std::lround(reach * std::cos(a)));
    const int tipY = cy - int(std::lround(reach * std::sin(a)));
    const COLORREF hand = picture.Enabled ? RGB(40, 44, 50) : RGB(160, 160, 160);
    {
        Pen pen(hand, std::max(1, Scaled(2)));
        Selected selected(dc, pen.Handle, nullptr);
        // With an edit in the middle the pointer starts at its corner circle.
        const double start = picture.EmbeddedEdit ? std::min(reach, double(Scaled(30))) : 0;
        MoveToEx(dc, cx + int(std::lround(start * std::cos(a))), cy - int(std::lround(start * std::sin(a))),
                 nullptr);
        LineTo(dc, tipX, tipY);
    }
    Pen pen(hand);
    Brush brush(picture.Enabled ? (picture.Highlighted ? RGB(80, 110, 160) : RGB(60, 64, 70))
                                : RGB(190, 190, 190));
    Selected selected(dc, pen.Handle, brush.Handle);
    const int dot = Scaled(3);
    Ellipse(dc, tipX - dot, tipY - dot, tipX + dot + 1, tipY + dot + 1);
    if (!picture.EmbeddedEdit)
        Ellipse(dc, cx - 2, cy - 2, cx + 3, cy + 3);
}

void MakeDeleteButtonBitmaps(HBITMAP bitmaps[4])
{
    const int size = Scaled(13);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    const COLORREF fills[4] = {RGB(70, 70, 70), RGB(200, 60, 50), RGB(150, 40, 30), RGB(50, 50, 50)};
    const COLORREF crosses[4] = {RGB(220, 220, 220), RGB(255, 255, 255), RGB(255, 255, 255),
                                 RGB(110, 110, 110)};
    for (int k = 0; k < 4; ++k) {
        bitmaps[k] = CreateCompatibleBitmap(screen, size, size);
        HGDIOBJ old = SelectObject(dc, bitmaps[k]);
        RECT all = {0, 0, size, size};
        FillRectColor(dc, all, RGB(0, 0, 0)); // the dark strip the buttons sit on
        {
            Pen pen(fills[k]);
            Brush brush(fills[k]);
            Selected selected(dc, pen.Handle, brush.Handle);
            RoundRect(dc, 0, 0, size, size, Scaled(4), Scaled(4));
        }
        Pen pen(crosses[k], std::max(1, Scaled(13) / 7));
        Selected selected(dc, pen.Handle, nullptr);
        const int lo = size / 4, hi = size - size / 4 - 1;
        MoveToEx(dc, lo, lo, nullptr);
        LineTo(dc, hi + 1, hi + 1);
        MoveToEx(dc, hi, lo, nullptr);
        LineTo(dc, lo - 1, hi + 1);
        SelectObject(dc, old);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

} // namespace vel::ui

namespace vel::ui {

namespace {

// One chain link: a rounded outline `thick` pixels wide.
void DrawLink(HDC dc, int left, int top, int right, int bottom, COLORREF color, int thick)
{
    Pen pen(color, thick);
    Selected selected(dc, pen.Handle, nullptr);
    const int round = std::max(2, (right - left) * 2 / 3);
    RoundRect(dc, left, top, right, bottom, round, round);
}

} // namespace

void MakeLinkToggleBitmaps(HBITMAP bitmaps[4])
{
    const int width = Scaled(15), height = Scaled(19);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    const COLORREF inks[4] = {RGB(110, 116, 124), RGB(40, 46, 54), RGB(30, 90, 160), RGB(185, 185, 185)};
    const int thick = std::max(1, Scaled(2));
    for (int k = 0; k < 4; ++k) {
        bitmaps[k] = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ old = SelectObject(dc, bitmaps[k]);
        const RECT all = {0, 0, width, height};
        FillRectColor(dc, all, DialogColor);
        const bool joined = k == 2;
        const int linkHeight = height * 9 / 19;
        const int gap = joined ? -Scaled(3) : Scaled(2);
        const int left = Scaled(3), right = width - Scaled(3);
        const int upperBottom = (height - gap) / 2;
        DrawLink(dc, left, upperBottom - linkHeight, right, upperBottom, inks[k], thick);
        DrawLink(dc, left, upperBottom + gap, right, upperBottom + gap + linkHeight, inks[k], thick);
        if (joined) {
            Pen pen(inks[k], thick);
            Selected selected(dc, pen.Handle, nullptr);
            MoveToEx(dc, width / 2, upperBottom - linkHeight / 2, nullptr);
            LineTo(dc, width / 2, upperBottom + gap + linkHeight / 2);
        }
        SelectObject(dc, old);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

HICON MakeInkIcon(InkIcon icon)
{
    const int size = Scaled(16);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP color = CreateCompatibleBitmap(screen, size, size);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    ReleaseDC(nullptr, screen);

    // The mask: white where the button shows through, black where the
    // picture is drawn; the picture is drawn in the same shapes.
    for (int pass = 0; pass < 2; ++pass) {
        HGDIOBJ old = SelectObject(dc, pass == 0 ? static_cast<HGDIOBJ>(mask) : static_cast<HGDIOBJ>(color));
        const RECT all = {0, 0, size, size};
        FillRectColor(dc, all, pass == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0));
        const COLORREF ink = pass == 0 ? RGB(0, 0, 0) : RGB(60, 66, 74);
        const int s = size, u = std::max(1, size / 16);
        switch (icon) {
        case InkIcon::PickColor: {
            // Four colour squares.
            const COLORREF fills[4] = {RGB(200, 50, 40), RGB(240, 190, 40), RGB(50, 140, 70),
                                       RGB(40, 90, 190)};
            const int half = s / 2;
            for (int q = 0; q < 4; ++q) {
                const int x = (q % 2) * half, y = (q / 2) * half;
                const RECT cell = {x + u, y + u, x + half - u, y + half - u};
                FillRectColor(dc, cell, pass == 0 ? RGB(0, 0, 0) : fills[q]);
            }
            break;
        }
        case InkIcon::DeleteInk: {
            Pen pen(pass == 0 ? RGB(0, 0, 0) : RGB(180, 50, 40), std::max(2, 2 * u));
            Selected selected(dc, pen.Handle, nullptr);
            MoveToEx(dc, 3 * u, 3 * u, nullptr);
            LineTo(dc, s - 3 * u, s - 3 * u);
            MoveToEx(dc, s - 4 * u, 3 * u, nullptr);
            LineTo(dc, 2 * u, s - 3 * u);
            break;
        }
        case InkIcon::ScreenPicker: {
            // An eyedropper: a slanted tube with a bulb at its top right.
            Pen pen(ink, std::max(2, 2 * u));
            Selected selected(dc, pen.Handle, nullptr);
            MoveToEx(dc, 2 * u, s - 3 * u, nullptr);
            LineTo(dc, s - 6 * u, 5 * u);
            Brush brush(ink);
            Selected bulb(dc, pen.Handle, brush.Handle);
            Ellipse(dc, s - 7 * u, 1 * u, s - 1 * u, 7 * u);
            break;
        }
        }
        SelectObject(dc, old);
    }
    DeleteDC(dc);
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmMask = mask;
    info.hbmColor = color;
    HICON result = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(color);
    return result;
}

} // namespace vel::ui
