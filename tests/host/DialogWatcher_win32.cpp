#include "DialogWatcher.h"

#include <commctrl.h>

#include <chrono>

namespace vel::test {
namespace {

// A top-level window's title, read without a message: GetWindowText would
// send one to the window's thread, and a test's main thread that waits for
// this watcher (joining it) would never answer.
std::wstring TitleOf(HWND window)
{
    wchar_t title[256] = {};
    InternalGetWindowText(window, title, 256);
    return title;
}

BOOL CALLBACK MatchDialog(HWND window, LPARAM data)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const std::wstring title = TitleOf(window);
    if (process == GetCurrentProcessId() && title == DialogTitle && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindOurDialog()
{
    HWND found = nullptr;
    EnumWindows(MatchDialog, LPARAM(&found));
    return found;
}

} // namespace

bool WaitFor(const std::function<bool()>& done)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        Sleep(10);
    }
    return true;
}

// A message sent after the posted ones returns only once the dialog's
// thread took it, which it does when its queue has run dry; a second round
// catches what the first one's handling posted.
void Settle(HWND dialog)
{
    for (int round = 0; round < 3; ++round) {
        Sleep(30);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    }
}

void ClickTab(HWND dialog, int index)
{
    HWND tabs = GetDlgItem(dialog, 999);
    RECT r = {};
    SendMessageW(tabs, TCM_GETITEMRECT, WPARAM(index), LPARAM(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(tabs, WM_LBUTTONUP, 0, at);
    Settle(dialog);
}

int Renders(HWND dialog)
{
    return int(intptr_t(GetPropW(dialog, L"VellistoPreviewRenders")));
}

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

void Click(HWND control, bool ctrl)
{
    RECT r;
    GetClientRect(control, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    const WPARAM keys = ctrl ? MK_CONTROL : 0;
    PostMessageW(control, WM_MOUSEMOVE, keys, at);
    PostMessageW(control, WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
    PostMessageW(control, WM_LBUTTONUP, keys, at);
    Settle(GetAncestor(control, GA_ROOT));
}

void Drag(HWND window, int x0, int y0, int dx, int dy, bool ctrl)
{
    const WPARAM keys = ctrl ? MK_CONTROL : 0;
    PostMessageW(window, WM_LBUTTONDOWN, keys | MK_LBUTTON, MAKELPARAM(x0, y0));
    for (int step = 1; step <= 4; ++step)
        PostMessageW(window, WM_MOUSEMOVE, keys | MK_LBUTTON,
                     MAKELPARAM(x0 + dx * step / 4, y0 + dy * step / 4));
    PostMessageW(window, WM_LBUTTONUP, keys, MAKELPARAM(x0 + dx, y0 + dy));
    Settle(GetAncestor(window, GA_ROOT));
}

namespace {

struct TitledWindow {
    const wchar_t* Title;
    HWND Window;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM data)
{
    auto* found = reinterpret_cast<TitledWindow*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && TitleOf(window) == found->Title) {
        found->Window = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND WaitForWindow(const wchar_t* title)
{
    TitledWindow found = {title, nullptr};
    WaitFor([&] {
        found.Window = nullptr;
        EnumWindows(MatchTitle, LPARAM(&found));
        return found.Window != nullptr;
    });
    return found.Window;
}

std::vector<std::wstring> ListEntries(HWND list)
{
    std::vector<std::wstring> entries;
    const int count = int(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(size_t(SendMessageW(list, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
        text.resize(size_t(SendMessageW(list, LB_GETTEXT, WPARAM(i), LPARAM(text.data()))));
        entries.push_back(text);
    }
    return entries;
}

int ListIndexOf(HWND list, const std::wstring& entry)
{
    const std::vector<std::wstring> entries = ListEntries(list);
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == entry)
            return int(i);
    return -1;
}

bool ClickListEntry(HWND list, const std::wstring& entry, bool twice)
{
    const int index = ListIndexOf(list, entry);
    if (index < 0)
        return false;
    SendMessageW(list, LB_SETTOPINDEX, WPARAM(index), 0);
    RECT r = {};
    SendMessageW(list, LB_GETITEMRECT, WPARAM(index), LPARAM(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    if (twice) {
        PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageW(list, WM_LBUTTONUP, 0, at);
    }
    Settle(GetAncestor(list, GA_ROOT));
    return true;
}

bool SavePresetAs(HWND dialog, const wchar_t* name)
{
    Click(GetDlgItem(GetDlgItem(dialog, PresetsPanelId), 1300));
    HWND ask = WaitForWindow(L"Save Parameters Preset");
    if (!ask)
        return false;
    SetDlgItemTextW(ask, 1301, name);
    PostMessageW(ask, WM_COMMAND, IDOK, 0);
    Settle(dialog);
    return true;
}

void DialogWatcher::PressOk(HWND dialog)
{
    Click(GetDlgItem(dialog, IDOK));
}
void DialogWatcher::PressCancel(HWND dialog)
{
    Click(GetDlgItem(dialog, IDCANCEL));
}

DialogWatcher::DialogWatcher(Script script) : script_(std::move(script)), thread_([this] { Watch(); }) {}

DialogWatcher::~DialogWatcher()
{
    stop_ = true;
    thread_.join();
}

void DialogWatcher::Watch()
{
    while (!stop_) {
        HWND dialog = FindOurDialog();
        if (!dialog) {
            Sleep(20);
            continue;
        }
        // Ready once the first preview has been rendered.
        WaitFor([&] { return Renders(dialog) > 0 || !IsWindow(dialog); });
        ++seen_;
        Settle(dialog);
        script_(dialog);
        WaitFor([&] { return !IsWindow(dialog); });
    }
}

} // namespace vel::test
