#pragma once
// A test window for the controls (Windows only): it opens the control kit,
// holds the controls as children, records every command and scroll message
// it receives, and drives controls with real window messages.

#include "ui/controls/Controls.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vel::ui::test {

struct Notice {
    UINT Message;
    int Id;
    int Code;
    DWORD Time; // GetTickCount when it arrived
};

class ControlHarness : public testing::Test {
  public:
    // Everything the test window received, in order.
    static std::vector<Notice> Notices;

  protected:
    void SetUp() override;
    void TearDown() override;

    HWND Create(const wchar_t* className, int id, int x, int y, int width, int height,
                const wchar_t* text = L"", DWORD style = 0, void* prepared = nullptr);

    // Runs the message loop for `ms` milliseconds (timers included).
    static void Pump(DWORD ms);

    // Mouse and keys, sent as the window system would deliver them.
    static void Press(HWND window, int x, int y);
    static void Release(HWND window, int x, int y);
    static void Click(HWND window, int x, int y);
    static void DoubleClick(HWND window, int x, int y);
    static void Move(HWND window, int x, int y, bool buttonDown);
    static void RightClick(HWND window, int x, int y);
    static void Type(HWND edit, const char* text); // focus, select all, then one WM_CHAR per character
    static std::string Text(HWND window);

    // Commands with this id that reached the test window.
    std::vector<Notice> Commands(int id) const;

    // Runs `script` on the first dialog that opens on this thread (found by
    // its caption), from inside that dialog's own message loop.
    static void WhenDialogOpens(const wchar_t* caption, std::function<void(HWND)> script);
    static bool DialogScriptRan();

    // Counts client pixels of a window that have exactly this colour.
    static int CountPixels(HWND window, COLORREF color);

    HWND Parent = nullptr;
};

} // namespace vel::ui::test
