#include "ControlHarness.h"

#include <windowsx.h>

namespace vel::ui::test {

std::vector<Notice> ControlHarness::Notices;

namespace {

constexpr wchar_t ParentClass[] = L"Vellisto Control Test";

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
        ControlHarness::Notices.push_back({message, LOWORD(wParam), HIWORD(wParam), GetTickCount()});
        return 0;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, Kit().DialogBrush);
        return 1;
    }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

struct DialogScript {
    const wchar_t* Caption = nullptr;
    std::function<void(HWND)> Run;
    bool Ran = false;
    UINT_PTR Timer = 0;
} Script;

BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    wchar_t caption[64];
    GetWindowTextW(window, caption, 64);
    if (IsWindowVisible(window) && lstrcmpW(caption, Script.Caption) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK LookForDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    KillTimer(nullptr, Script.Timer);
    Script.Timer = 0;
    Script.Ran = true;
    Script.Run(dialog);
}

LPARAM Point(int x, int y)
{
    return MAKELPARAM(x, y);
}

} // namespace

void ControlHarness::SetUp()
{
    Notices.clear();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_TRUE(OpenControlKit(GetModuleHandleW(nullptr), dpi));
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = ParentClass;
    RegisterClassExW(&wc);
    Parent = CreateWindowExW(0, ParentClass, L"Controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                             0, 0, 900, 640, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(Parent, nullptr);
    Pump(20);
}

void ControlHarness::TearDown()
{
    if (Script.Timer)
        KillTimer(nullptr, Script.Timer);
    Script = {};
    if (Parent)
        DestroyWindow(Parent);
    UnregisterClassW(ParentClass, GetModuleHandleW(nullptr));
    CloseControlKit();
    Pump(10);
}

HWND ControlHarness::Create(const wchar_t* className, int id, int x, int y, int width, int height,
                            const wchar_t* text, DWORD style, void* prepared)
{
    HWND window =
        CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, Parent,
                        reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), prepared);
    UpdateWindow(window);
    return window;
}

void ControlHarness::Pump(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(2);
    } while (GetTickCount() - start < ms);
}

void ControlHarness::Press(HWND window, int x, int y)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
}
void ControlHarness::Release(HWND window, int x, int y)
{
    SendMessageW(window, WM_LBUTTONUP, 0, Point(x, y));
}

void ControlHarness::Click(HWND window, int x, int y)
{
    Move(window, x, y, false);
    Press(window, x, y);
    Release(window, x, y);
}

void ControlHarness::DoubleClick(HWND window, int x, int y)
{
    Press(window, x, y);
    Release(window, x, y);
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(x, y));
    Release(window, x, y);
}

void ControlHarness::Move(HWND window, int x, int y, bool buttonDown)
{
    SendMessageW(window, WM_MOUSEMOVE, buttonDown ? MK_LBUTTON : 0, Point(x, y));
}

void ControlHarness::RightClick(HWND window, int x, int y)
{
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, Point(x, y));
    SendMessageW(window, WM_RBUTTONUP, 0, Point(x, y));
}

void ControlHarness::Type(HWND edit, const char* text)
{
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const char* c = text; *c; ++c)
        SendMessageW(edit, WM_CHAR, WPARAM(static_cast<unsigned char>(*c)), 1);
}

std::string ControlHarness::Text(HWND window)
{
    char text[128] = {};
    GetWindowTextA(window, text, int(sizeof text));
    return text;
}

std::vector<Notice> ControlHarness::Commands(int id) const
{
    std::vector<Notice> found;
    for (const Notice& notice : Notices)
        if (notice.Message == WM_COMMAND && notice.Id == id)
            found.push_back(notice);
    return found;
}

void ControlHarness::WhenDialogOpens(const wchar_t* caption, std::function<void(HWND)> script)
{
    Script.Caption = caption;
    Script.Run = std::move(script);
    Script.Ran = false;
    Script.Timer = SetTimer(nullptr, 0, 30, LookForDialog);
}

bool ControlHarness::DialogScriptRan()
{
    return Script.Ran;
}

int ControlHarness::CountPixels(HWND window, COLORREF color)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            count += GetPixel(dc, x, y) == color;
    ReleaseDC(window, dc);
    return count;
}

} // namespace vel::ui::test
