// "Contaner Color CPP", the colour swatch, and the colour choosers it opens:
// the host's picker when the host offers one, else the system dialog.

#include "ui/controls/Artwork.h"
#include "ui/controls/Controls.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>

namespace vel::ui {

namespace {

enum class Choice { Chosen, Cancelled, Unavailable };

uint8_t Channel(int16_t component)
{
    return uint8_t(std::clamp<int>(component, 0, 255));
}

// The host's colour picker with the prompt "Select a Color".
Choice ChooseWithHost(COLORREF& color)
{
    ColorServicesProc services = Kit().HostColorServices;
    if (!services)
        return Choice::Unavailable;
    static const char prompt[] = "Select a Color";
    Str255 pascalPrompt = {};
    pascalPrompt[0] = uint8_t(sizeof prompt - 1);
    std::memcpy(pascalPrompt + 1, prompt, sizeof prompt - 1);
    ColorServicesInfo info = {};
    info.infoSize = int32_t(sizeof info);
    info.selector = plugIncolorServicesChooseColor;
    info.sourceSpace = plugIncolorServicesRGBSpace;
    info.resultSpace = plugIncolorServicesRGBSpace;
    info.colorComponents[0] = GetRValue(color);
    info.colorComponents[1] = GetGValue(color);
    info.colorComponents[2] = GetBValue(color);
    info.selectorParameter.pickerPrompt = &pascalPrompt;
    const OSErr result = services(&info);
    if (result == userCanceledErr)
        return Choice::Cancelled;
    if (result != noErr)
        return Choice::Unavailable;
    color = RGB(Channel(info.colorComponents[0]), Channel(info.colorComponents[1]),
                Channel(info.colorComponents[2]));
    return Choice::Chosen;
}

Choice ChooseWithSystem(HWND owner, COLORREF& color)
{
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.rgbResult = color;
    choose.lpCustColors = Kit().CustomColors;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&choose))
        return Choice::Cancelled;
    color = choose.rgbResult;
    return Choice::Chosen;
}

// A border that stands out from the fill: dark on light colours, light on dark.
COLORREF ContrastOf(COLORREF color)
{
    const int luma = (GetRValue(color) * 299 + GetGValue(color) * 587 + GetBValue(color) * 114) / 1000;
    return luma > 140 ? RGB(90, 90, 90) : RGB(210, 210, 210);
}

COLORREF ComplementOf(COLORREF color)
{
    return RGB(255 - GetRValue(color), 255 - GetGValue(color), 255 - GetBValue(color));
}

} // namespace

bool ChooseColorFor(HWND owner, COLORREF& color)
{
    COLORREF chosen = color;
    Choice choice = ChooseWithHost(chosen);
    if (choice == Choice::Unavailable)
        choice = ChooseWithSystem(owner, chosen);
    if (choice != Choice::Chosen)
        return false;
    color = chosen;
    return true;
}

void SetSwatchColor(ColorSwatch& swatch, COLORREF color)
{
    swatch.Color = color & 0x00FFFFFF;
    InvalidateRect(swatch.Window, nullptr, FALSE);
}

LRESULT ColorSwatch::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintBuffered(window, [&](HDC dc, const RECT& client) {
            FillRectColor(dc, client, DialogColor);
            if (EnabledLook) {
                FillRectColor(dc, client, Color);
                FrameRectColor(dc, client, Hover ? ComplementOf(Color) : ContrastOf(Color));
            } else {
                RECT inset = {client.left + 4, client.top + 3, client.right - 4, client.bottom - 3};
                if (inset.right > inset.left && inset.bottom > inset.top)
                    FillRectColor(dc, inset, Color);
            }
        });
        return 0;
    case WM_ENABLE:
        EnabledLook = wParam != 0;
        Hover = Hover && EnabledLook;
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_MOUSEMOVE:
        if (!Hover && IsWindowEnabled(window)) {
            Hover = true;
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_MOUSELEAVE:
        Hover = false;
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        if (!IsWindowEnabled(window))
            return 0;
        COLORREF chosen = Color;
        if (ChooseColorFor(window, chosen)) {
            SetSwatchColor(*this, chosen);
            SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(Id, 0), reinterpret_cast<LPARAM>(window));
        }
        return 0;
    }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace vel::ui
