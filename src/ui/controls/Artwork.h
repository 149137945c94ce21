#pragma once
// The controls' artwork, drawn with GDI at the kit's dpi so that it stays
// crisp at every screen setting (Windows only).

#include "ui/controls/ControlKit.h"

namespace vel::ui {

void FillRectColor(HDC dc, const RECT& rect, COLORREF color);
void FrameRectColor(HDC dc, const RECT& rect, COLORREF color);

// Text in a font and colour, on a transparent background.
void DrawLabelText(HDC dc, RECT rect, const wchar_t* text, HFONT font, COLORREF color, UINT format);

// A flat push-button face with its text centred.
void DrawButtonFace(HDC dc, const RECT& rect, ControlLook look, bool isDefault, bool enabled,
                    const wchar_t* text);

// The slider: a thin track with a small knob centred at `knob`.
void DrawSlider(HDC dc, const RECT& rect, int knob, bool vertical, bool enabled, bool dragging);

struct DialPicture {
    float ScreenAngle; // the pointer's direction, degrees counter-clockwise from the right on the screen
    float Reach;       // 0..1 of the radius where the pointer ends (two-angle dials), 1 otherwise
    bool Highlighted;
    bool Enabled;
    bool EmbeddedEdit; // the pointer starts outside the edit in the middle
};
void DrawDial(HDC dc, const RECT& rect, const DialPicture& picture);

// The four looks (normal, hover, pressed, disabled) of the 13 x 13 delete
// button (scaled to the dpi): a cross in a rounded square.
void MakeDeleteButtonBitmaps(HBITMAP bitmaps[4]);

// The four looks of the 15 x 19 bind toggle (scaled to the dpi): two chain
// links, apart when it is up (normal, hover) and joined when it is down
// (pressed), greyed when disabled.
void MakeLinkToggleBitmaps(HBITMAP bitmaps[4]);

// The 16 x 16 icons (scaled to the dpi) of the ink buttons.
enum class InkIcon { PickColor, DeleteInk, ScreenPicker };
HICON MakeInkIcon(InkIcon icon);

} // namespace vel::ui
