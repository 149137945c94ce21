#pragma once
// The dialog's custom window classes (Windows only): the resources they
// share while the dialog is open, the shared part of every control record,
// and how a window finds its record.

#include "session/HostRecords.h"

#include <windows.h>

#include <string>

namespace vel::ui {

// Resources every control uses, created when the dialog is about to open and
// released after it closed.
struct ControlKit {
    HINSTANCE Instance = nullptr; // holds the dialog templates
    int Dpi = 96;
    HBRUSH DialogBrush = nullptr; // RGB(232, 232, 232)
    HFONT LabelFont = nullptr;    // edits, up-downs, labels
    HFONT ButtonFont = nullptr;   // push buttons
    HFONT BoldFont = nullptr;     // the second font of text buttons
    HFONT LinkFont = nullptr;     // underlined links
    HCURSOR Arrow = nullptr, Hand = nullptr;
    // The host's colour services; null when the host offers none.
    ColorServicesProc HostColorServices = nullptr;
    COLORREF CustomColors[16] = {};
};

inline constexpr COLORREF DialogColor = RGB(232, 232, 232);
inline constexpr COLORREF TextColor = RGB(50, 55, 60);
inline constexpr COLORREF DisabledColor = RGB(127, 127, 127);

// Registers every control class and creates the shared resources for a
// screen of `dpi` logical pixels per inch. Returns false (with nothing left
// registered) when a class cannot be registered.
bool OpenControlKit(HINSTANCE instance, int dpi);
// Releases the resources and unregisters the classes.
void CloseControlKit();
ControlKit& Kit();

// A length in 96-dpi pixels at the kit's dpi.
int Scaled(int pixels);

// The shared part of every control record.
struct ControlShared {
    HWND Window = nullptr;
    int Width = 0, Height = 0;
    int Id = 0;
    bool EnabledLook = true; // selects the disabled drawing
};

// How a control with hover tracking looks.
enum class ControlLook { Normal, Hover, Pressed, Current };

// The record of a control window: null for a window of another class (the
// exact registered name is compared) or without a record.
void* ControlRecordOf(HWND window, const wchar_t* className);
template <class Record> Record* FindControl(HWND window)
{
    return static_cast<Record*>(ControlRecordOf(window, Record::ClassName));
}
template <class Record> Record* FindControl(HWND parent, int id)
{
    return FindControl<Record>(GetDlgItem(parent, id));
}

// Draws through an off-screen bitmap of the control's size, copied in one
// piece. `draw` gets the memory DC and the client rectangle.
template <class Draw> void PaintBuffered(HWND window, Draw draw)
{
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HDC memory = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, client.right > 0 ? client.right : 1,
                                            client.bottom > 0 ? client.bottom : 1);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    draw(memory, client);
    BitBlt(target, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(window, &paint);
}

// Attaches a balloon tooltip to one control: a centred tip 100 pixels wide at
// most, covering the control's client area, with an optional title and the
// information icon. The tooltip goes with the control's top-level window.
HWND AttachTooltip(HWND control, const wchar_t* text, const wchar_t* title = nullptr);

// Enables a child window of a control's parent by id (labels, buddies).
void EnableSibling(HWND control, int id, bool enable);

// An edit child of a control, in the label font, holding at most `limit`
// characters; Esc in it sends the parent the command (id, EscapeCode).
inline constexpr WORD EscapeCode = 27;
HWND CreateControlEdit(HWND parent, int id, DWORD style, int limit);
// At most `limit` characters of an edit's text.
std::string ControlEditText(HWND edit, size_t limit);

} // namespace vel::ui
