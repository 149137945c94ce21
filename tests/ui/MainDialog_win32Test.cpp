// Keys and the crosshair in the main dialog: the dialog runs
// in this process over the test host's records, and a thread timer, which
// the dialog's own message loop dispatches, types into a field and presses
// the keys as the keyboard would deliver them.

#include "engine/RenderDriver.h"
#include "session/FakeHost.h"
#include "session/SessionState.h"
#include "ui/controls/Controls.h"
#include "ui/dialog/MainDialog.h"
#include "ui/preview/PreviewPane.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace vel::ui {
namespace {

constexpr int FieldId = 4242;

// The steps of a script, one per timer tick, and what they observed.
std::vector<std::function<void(HWND)>> Steps;
size_t NextStep = 0;

void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = MainDialogWindow();
    // Once the first preview is up and the dialog is shown and active
    // (activation puts the focus on the default button).
    if (!dialog || PreviewRenderCount() == 0 || GetActiveWindow() != dialog || !IsWindowVisible(dialog))
        return;
    if (NextStep < Steps.size())
        Steps[NextStep++](dialog);
    else
        KillTimer(nullptr, timer);
}

void Key(HWND window, UINT key)
{
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

void Type(HWND edit, const wchar_t* text)
{
    SetWindowTextW(edit, L"");
    for (const wchar_t* c = text; *c; ++c)
        PostMessageW(edit, WM_CHAR, *c, 1);
}

SpinEdit* AddField(HWND dialog)
{
    CreateWindowExW(0, SpinEdit::ClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 300, 110, 46, dialog,
                    HMENU(intptr_t(FieldId)), GetModuleHandleW(nullptr), nullptr);
    SpinEditSetup setup;
    setup.Values.RangeMin = 0;
    setup.Values.RangeMax = 100;
    setup.Values.Value = 10;
    return SetUpSpinEdit(dialog, FieldId, setup);
}

// A menu run of the filter in this process with the dialog installed;
// `after` looks at the host when the run is over.
int16_t RunWithDialog(const std::function<void(test::FakeHost&)>& after = nullptr)
{
    PluginSession session;
    session.ShowMainDialog = RunMainDialogWindow;
    session.RenderImage = RenderForHost;
    test::FakeHost host(plugInModeRGBColor, test::FakeImage::Gradient(64, 48, 3));
    const UINT_PTR timer = SetTimer(nullptr, 0, 60, Tick);
    const int16_t result =
        host.Run([&](int16_t selector, void* record, intptr_t* data,
                     int16_t* word) { PluginEntry(session, selector, record, data, word); },
                 test::Invocation::Menu);
    KillTimer(nullptr, timer);
    if (after)
        after(host);
    return result;
}

TEST(MainDialogWindow, EnterCommitsTheFieldThenApplies)
{
    SpinEdit* field = nullptr;
    bool openAfterFirstEnter = false, focusLeftTheEdit = false;
    float committed = 0;
    NextStep = 0;
    Steps = {
        [&](HWND dialog) {
            field = AddField(dialog);
            SetFocus(field->Edit);
            Type(field->Edit, L"42");
        },
        [&](HWND) {
            SetFocus(field->Edit);
            Key(field->Edit, VK_RETURN);
        },
        [&](HWND dialog) {
            openAfterFirstEnter = IsWindow(dialog) != 0;
            focusLeftTheEdit = GetFocus() != field->Edit;
            committed = field->Values.Value;
            Key(GetFocus(), VK_RETURN);
        },
    };
    EXPECT_EQ(RunWithDialog(), 0); // the second Enter applied the effect
    EXPECT_TRUE(openAfterFirstEnter);
    EXPECT_TRUE(focusLeftTheEdit);
    EXPECT_EQ(committed, 42);
}

TEST(MainDialogWindow, EscRestoresTheFieldThenCancels)
{
    SpinEdit* field = nullptr;
    bool openAfterFirstEsc = false, focusOnOk = false;
    wchar_t shown[16] = {};
    float restored = 0;
    NextStep = 0;
    Steps = {
        [&](HWND dialog) {
            field = AddField(dialog);
            SetFocus(field->Edit);
            Type(field->Edit, L"77");
        },
        [&](HWND) {
            SetFocus(field->Edit);
            Key(field->Edit, VK_ESCAPE);
        },
        [&](HWND dialog) {
            openAfterFirstEsc = IsWindow(dialog) != 0;
            focusOnOk = GetFocus() == GetDlgItem(dialog, IDOK);
            GetWindowTextW(field->Edit, shown, 16);
            restored = field->Values.Value;
            Key(GetFocus(), VK_ESCAPE);
        },
    };
    EXPECT_EQ(RunWithDialog(), -128); // the second Esc closed the dialog: userCanceledErr
    EXPECT_TRUE(openAfterFirstEsc);
    EXPECT_TRUE(focusOnOk);
    EXPECT_EQ(wcstof(shown, nullptr), 10.0f) << "the typed 77 was not kept";
    EXPECT_EQ(restored, 10.0f);
}

// F1 and the manual button hand their page to the opener on a thread of its
// own: with an opener that takes two seconds, F1 returns at once, the page
// is the current tab's, and a second request while the first runs is dropped.
TEST(MainDialogWindow, HelpOpensOnItsOwnThreadAndF1ReturnsAtOnce)
{
    std::mutex lock;
    std::vector<std::string> opened;
    SetHelpOpener([&](const std::string& target) {
        {
            std::lock_guard<std::mutex> hold(lock);
            opened.push_back(target);
        }
        Sleep(2000);
    });
    DWORD f1Took = 0, manualTook = 0;
    NextStep = 0;
    Steps = {
        [&](HWND dialog) {
            HELPINFO info{};
            info.cbSize = sizeof info;
            const DWORD start = GetTickCount();
            SendMessageW(dialog, WM_HELP, 0, LPARAM(&info));
            f1Took = GetTickCount() - start;
        },
        [&](HWND dialog) {
            const DWORD start = GetTickCount();
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1155, BN_CLICKED), LPARAM(GetDlgItem(dialog, 1155)));
            manualTook = GetTickCount() - start;
        },
        [&](HWND dialog) { EndDialog(dialog, 2); },
    };
    RunWithDialog();
    for (int waited = 0; waited < 100; ++waited) {
        {
            std::lock_guard<std::mutex> hold(lock);
            if (!opened.empty())
                break;
        }
        Sleep(50);
    }
    Sleep(2200); // the launch finishes before the opener goes out of scope
    SetHelpOpener(nullptr);
    EXPECT_LT(f1Took, 500u);
    EXPECT_LT(manualTook, 500u);
    ASSERT_EQ(opened.size(), 1u) << "the manual was asked for while F1's page was still opening";
    EXPECT_NE(opened[0].find("vellisto_engrave.html"), std::string::npos) << opened[0];
}

// The crosshair that the Engrave page shows for patterns with a centre: a
// right-drag moves it and the release writes the centre into the layer.
TEST(MainDialogWindow, RightDragMovesTheCentreWrittenOnRelease)
{
    float centerX = -1, centerY = -1;
    NextStep = 0;
    Steps = {
        [&](HWND dialog) {
            HWND window = GetDlgItem(dialog, 1002);
            PreviewPane* pane = FindPane(window);
            ASSERT_NE(pane, nullptr);
            pane->Crosshair = 1;
            // From the middle of the 64 × 48 picture to its right edge.
            const int left = pane->Placement.Left, top = pane->Placement.Top;
            PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(left + 32, top + 24));
            PostMessageW(window, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(left + 48, top + 24));
            PostMessageW(window, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(left + 64, top + 24));
            PostMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(left + 64, top + 24));
        },
        [&](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); },
    };
    EXPECT_EQ(RunWithDialog([&](test::FakeHost& host) {
                  centerX = host.Parameters().Layers[0].CenterX;
                  centerY = host.Parameters().Layers[0].CenterY;
              }),
              0);
    EXPECT_FLOAT_EQ(centerX, 100); // the right edge
    EXPECT_FLOAT_EQ(centerY, 0);
}

// The byline on the banner is the About button: a click shows the About box
// over the dialog, which stays open after the box is closed.
std::wstring AboutTitle;
void CALLBACK CloseAbout(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = GetActiveWindow();
    wchar_t title[64] = {};
    if (!box || box == MainDialogWindow() || !GetWindowTextW(box, title, 64))
        return;
    AboutTitle = title;
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    KillTimer(nullptr, timer);
}

TEST(MainDialogWindow, TheBannerBylineOpensTheAboutBox)
{
    AboutTitle.clear();
    bool dialogStayed = false;
    NextStep = 0;
    Steps = {
        [&](HWND dialog) {
            HWND about = GetDlgItem(dialog, 1154);
            ASSERT_TRUE(IsWindowVisible(about));
            SetTimer(nullptr, 0, 50, CloseAbout);
            PostMessageW(about, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 7));
            PostMessageW(about, WM_LBUTTONUP, 0, MAKELPARAM(20, 7));
        },
        [&](HWND dialog) {
            dialogStayed = IsWindow(dialog) != FALSE;
            EndDialog(dialog, 2);
        },
    };
    RunWithDialog();
    EXPECT_EQ(AboutTitle, L"About Nimbara VellistoIII");
    EXPECT_TRUE(dialogStayed);
}

} // namespace
} // namespace vel::ui
