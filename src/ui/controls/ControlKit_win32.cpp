// The control classes' registration, the window procedure they share, and
// the resources every control uses while the dialog is open.

#include "ui/controls/Controls.h"

#include <commctrl.h>

#include <new>

namespace vel::ui {

namespace {

ControlKit TheKit;

// Every message goes to the record's handler; the shared part of the record
// is kept here. A control created with a prepared record gets it through the
// creation parameters, otherwise a fresh one is allocated; the record is
// freed with the window.
template <class Record> LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* record = reinterpret_cast<Record*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        record =
            create->lpCreateParams ? static_cast<Record*>(create->lpCreateParams) : new (std::nothrow) Record;
        if (!record)
            return FALSE;
        record->Window = window;
        record->Width = create->cx;
        record->Height = create->cy;
        record->Id = int(reinterpret_cast<INT_PTR>(create->hMenu));
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    }
    if (!record)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        record->Width = LOWORD(lParam);
        record->Height = HIWORD(lParam);
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete record;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return record->HandleMessage(window, message, wParam, lParam);
}

struct ClassEntry {
    const wchar_t* Name;
    WNDPROC Procedure;
    UINT Style;
};

const ClassEntry Classes[] = {
    {SpinEdit::ClassName, ControlProc<SpinEdit>, 0},
    {TMacSlider::ClassName, ControlProc<TMacSlider>, CS_DBLCLKS},
    {Rotor::ClassName, ControlProc<Rotor>, CS_DBLCLKS},
    {MacStyleButton::ClassName, ControlProc<MacStyleButton>, 0},
    {BitmapButton::ClassName, ControlProc<BitmapButton>, 0},
    {TContaner::ClassName, ControlProc<TContaner>, 0},
    {PictureControl::ClassName, ControlProc<PictureControl>, 0},
    {ColorSwatch::ClassName, ControlProc<ColorSwatch>, 0},
    {LinkLabel::ClassName, ControlProc<LinkLabel>, 0},
    {TFilmstripControl::ClassName, ControlProc<TFilmstripControl>, 0},
};

HFONT MakeFont(int pixels, int weight, bool underline)
{
    return CreateFontW(-Scaled(pixels), 0, 0, 0, weight, FALSE, underline, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       L"Arial");
}

void ReleaseKitResources()
{
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(TheKit.DialogBrush), static_cast<HGDIOBJ>(TheKit.LabelFont),
                           static_cast<HGDIOBJ>(TheKit.ButtonFont), static_cast<HGDIOBJ>(TheKit.BoldFont),
                           static_cast<HGDIOBJ>(TheKit.LinkFont)})
        if (object)
            DeleteObject(object);
    TheKit.DialogBrush = nullptr;
    TheKit.LabelFont = TheKit.ButtonFont = TheKit.BoldFont = TheKit.LinkFont = nullptr;
}

} // namespace

ControlKit& Kit()
{
    return TheKit;
}

int Scaled(int pixels)
{
    return MulDiv(pixels, TheKit.Dpi, 96);
}

bool OpenControlKit(HINSTANCE instance, int dpi)
{
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);

    ReleaseKitResources(); // of a kit left open
    TheKit.Instance = instance;
    TheKit.Dpi = dpi > 0 ? dpi : 96;
    TheKit.DialogBrush = CreateSolidBrush(DialogColor);
    TheKit.Arrow = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    TheKit.Hand = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
    TheKit.LabelFont = MakeFont(13, FW_NORMAL, false);
    TheKit.ButtonFont = MakeFont(13, FW_NORMAL, false);
    TheKit.BoldFont = MakeFont(13, FW_BOLD, false);
    TheKit.LinkFont = MakeFont(13, FW_NORMAL, true);
    for (COLORREF& custom : TheKit.CustomColors)
        custom = RGB(255, 255, 255);

    for (size_t i = 0; i < std::size(Classes); ++i) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.style = Classes[i].Style;
        wc.lpfnWndProc = Classes[i].Procedure;
        wc.cbWndExtra = sizeof(void*);
        wc.hInstance = instance;
        wc.hCursor = TheKit.Arrow;
        wc.hbrBackground = TheKit.DialogBrush;
        wc.lpszClassName = Classes[i].Name;
        // A class left registered by an earlier dialog of this module (one
        // that never closed properly) is replaced rather than blocking this one.
        ATOM atom = RegisterClassExW(&wc);
        if (!atom && GetLastError() == ERROR_CLASS_ALREADY_EXISTS &&
            UnregisterClassW(wc.lpszClassName, instance))
            atom = RegisterClassExW(&wc);
        if (!atom) {
            while (i-- > 0)
                UnregisterClassW(Classes[i].Name, instance);
            ReleaseKitResources();
            return false;
        }
    }
    return true;
}

void CloseControlKit()
{
    for (const ClassEntry& entry : Classes)
        UnregisterClassW(entry.Name, TheKit.Instance);
    ReleaseKitResources();
    TheKit.Instance = nullptr;
}

void* ControlRecordOf(HWND window, const wchar_t* className)
{
    wchar_t name[64];
    if (!window || !GetClassNameW(window, name, int(std::size(name))) || lstrcmpW(name, className) != 0)
        return nullptr;
    return reinterpret_cast<void*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND AttachTooltip(HWND control, const wchar_t* text, const wchar_t* title)
{
    if (!control || !text)
        return nullptr;
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_BALLOON,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                               TheKit.Instance, nullptr);
    if (!tip)
        return nullptr;
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS | TTF_CENTERTIP;
    tool.hwnd = control;
    tool.hinst = TheKit.Instance;
    tool.lpszText = const_cast<wchar_t*>(text);
    GetClientRect(control, &tool.rect);
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 100);
    if (title)
        SendMessageW(tip, TTM_SETTITLEW, TTI_INFO, reinterpret_cast<LPARAM>(title));
    return tip;
}

void EnableSibling(HWND control, int id, bool enable)
{
    if (HWND sibling = id ? GetDlgItem(GetParent(control), id) : nullptr)
        EnableWindow(sibling, enable);
}

} // namespace vel::ui
