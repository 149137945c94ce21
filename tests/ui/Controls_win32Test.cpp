// The dials, buttons, swatch and link, and the classes' lifecycle, driven by
// window messages.

#include "ControlHarness.h"

#include "ui/controls/Artwork.h"

#include <commctrl.h>

#include <cmath>

#include <cstring>

namespace vel::ui::test {
namespace {

using ControlWindows = ControlHarness;

TEST_F(ControlWindows, ClassesRegisterAndUnregisterTwiceInOneProcess)
{
    // SetUp opened the kit once; a host running the filter again opens it again.
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        if (run > 0) {
            ASSERT_TRUE(OpenControlKit(GetModuleHandleW(nullptr), 96));
        }
        HWND button = Create(MacStyleButton::ClassName, 1, 10, 10, 89, 22, L"OK");
        ASSERT_NE(button, nullptr);
        EXPECT_NE(FindControl<MacStyleButton>(button), nullptr);
        EXPECT_EQ(FindControl<BitmapButton>(button), nullptr); // another class: no record
        DestroyWindow(button);
        CloseControlKit();
        WNDCLASSEXW info = {};
        info.cbSize = sizeof info;
        EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), MacStyleButton::ClassName, &info));
    }
    // A kit left open (a dialog that never closed) does not block the next one.
    ASSERT_TRUE(OpenControlKit(GetModuleHandleW(nullptr), 96));
    ASSERT_TRUE(OpenControlKit(GetModuleHandleW(nullptr), 96));
    EXPECT_NE(Create(SpinEdit::ClassName, 5, 10, 10, 100, 46), nullptr);
}

TEST_F(ControlWindows, AControlTakesAPreparedRecord)
{
    auto* prepared = new TContaner;
    prepared->Clickable = false;
    HWND label =
        Create(TContaner::ClassName, 9111, 10, 10, 200, 20, L"Always show layers in composite", 0, prepared);
    EXPECT_EQ(FindControl<TContaner>(label), prepared);
    EXPECT_EQ(prepared->Id, 9111);
    EXPECT_EQ(prepared->Width, 200);
    Click(label, 5, 5); // the current view's button ignores clicks
    Pump(10);
    EXPECT_TRUE(Notices.empty());
}

TEST_F(ControlWindows, TooltipsAreBalloonsAtMost100PixelsWide)
{
    HWND button = Create(MacStyleButton::ClassName, 1, 10, 10, 89, 22, L"OK");
    HWND tip = AttachTooltip(button, L"Apply effect", L"OK");
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON);
    EXPECT_EQ(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 100);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    ASSERT_TRUE(SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(tool.hwnd, button);
    EXPECT_TRUE(tool.uFlags & TTF_CENTERTIP);
    EXPECT_EQ(tool.rect.right, 89);
}

class DialWindow : public ControlHarness {
  protected:
    Rotor* Dial = nullptr;
    static constexpr int DialId = 1182;
    int C = 0; // the centre of the 101 x 101 dial

    void Make(DialMode mode, bool centre = false, bool embeddedEdit = false)
    {
        Create(L"EDIT", 1191, 200, 20, 60, 20);
        Create(L"EDIT", 1192, 200, 50, 60, 20);
        Create(Rotor::ClassName, DialId, 20, 20, 101, 101);
        RotorSetup setup;
        setup.Mode = mode;
        setup.CentreMode = centre;
        setup.Caption = L"Angle";
        setup.DefaultAngle = 30;
        setup.EmbeddedEdit = embeddedEdit;
        if (mode == DialMode::TwoAngle) {
            setup.BuddyIds[0] = 1191;
            setup.BuddyIds[1] = 1192;
        }
        Dial = SetUpRotor(Parent, DialId, setup);
        ASSERT_NE(Dial, nullptr);
        C = 50;
        Pump(10);
    }
};

TEST_F(DialWindow, DraggingTheAngleDialDownGives90AndNotifiesAfterTheRelease)
{
    Make(DialMode::Angle, false, true);
    EXPECT_EQ(Text(Dial->EmbeddedEdit), "30.00");
    Press(Dial->Window, C + 30, C + 1);
    Move(Dial->Window, C + 20, C + 20, true);
    Move(Dial->Window, C, C + 40, true);
    EXPECT_FLOAT_EQ(Dial->DialAngle, 90);
    EXPECT_EQ(Text(Dial->EmbeddedEdit), "90.00");
    Release(Dial->Window, C, C + 40);
    Pump(100);
    EXPECT_TRUE(Commands(DialId).empty());
    Pump(250);
    EXPECT_EQ(Commands(DialId).size(), 1u);

    // Clockwise past straight up: from about 270 to about -90, no turn.
    Press(Dial->Window, C - 1, C - 40);
    EXPECT_NEAR(Dial->DialAngle, 268.57, 0.01);
    Move(Dial->Window, C + 1, C - 40, true);
    EXPECT_NEAR(Dial->DialAngle, -88.57, 0.01);
    Release(Dial->Window, C + 1, C - 40);
    Pump(300);

    // A double-click resets to the default angle and notifies once.
    Notices.clear();
    DoubleClick(Dial->Window, C + 40, C);
    Pump(400);
    EXPECT_FLOAT_EQ(Dial->DialAngle, 30);
    EXPECT_EQ(Commands(DialId).size(), 1u);
}

TEST_F(DialWindow, TheEmbeddedEditTakesTypedAnglesAndEscRestores)
{
    Make(DialMode::Angle, false, true);
    HWND other = Create(L"EDIT", 77, 300, 20, 80, 22);
    Type(Dial->EmbeddedEdit, "400");
    SetFocus(other);
    EXPECT_FLOAT_EQ(Dial->DialAngle, 400);
    EXPECT_EQ(Commands(DialId).size(), 1u);
    Type(Dial->EmbeddedEdit, "12");
    SendMessageW(Dial->EmbeddedEdit, WM_CHAR, VK_ESCAPE, 1);
    EXPECT_EQ(Text(Dial->EmbeddedEdit), "400.00");
    SetFocus(other);
    EXPECT_FLOAT_EQ(Dial->DialAngle, 400);
    EXPECT_EQ(Commands(DialId).size(), 1u);
}

TEST_F(DialWindow, TheEmbossDialPointsUpAt90WithElevation90AtTheCentre)
{
    Make(DialMode::TwoAngle);
    EXPECT_EQ(Text(GetDlgItem(Parent, 1191)), "45.00");
    Press(Dial->Window, C, C - 30);
    EXPECT_FLOAT_EQ(Dial->DialAngle, 90);
    Move(Dial->Window, C + 1, C, true);
    // dy is 0: the direction stays, the pointer is at the centre.
    EXPECT_FLOAT_EQ(Dial->DialAngle, 90);
    Move(Dial->Window, C, C - 1, true);
    EXPECT_FLOAT_EQ(Dial->DialAngle, 90);
    EXPECT_NEAR(Dial->DialElevation, 88.8, 0.1);
    EXPECT_EQ(Text(GetDlgItem(Parent, 1191)), "90.00");
    Release(Dial->Window, C, C - 1);
    Pump(300);
    EXPECT_EQ(Commands(DialId).size(), 1u);
    DoubleClick(Dial->Window, C, C);
    EXPECT_FLOAT_EQ(Dial->DialAngle, 45);
    EXPECT_FLOAT_EQ(Dial->DialElevation, 45);
}

TEST_F(DialWindow, TheCentreDialMapsTheSquareToTheDiscAndBack)
{
    Make(DialMode::TwoAngle, true);
    SetRotorCentre(*Dial, 100, 100);
    EXPECT_NEAR(Dial->DialElevation, 0, 1e-3);
    float x = 0, y = 0;
    RotorCentre(*Dial, x, y);
    EXPECT_NEAR(x, 100, 1e-3);
    EXPECT_NEAR(y, 100, 1e-3);
    EXPECT_EQ(Text(GetDlgItem(Parent, 1191)), "100.00");
    DoubleClick(Dial->Window, C + 10, C);
    RotorCentre(*Dial, x, y);
    EXPECT_NEAR(x, 0, 1e-3);
    EXPECT_EQ(Text(GetDlgItem(Parent, 1192)), "0.00");
}

TEST_F(DialWindow, TheAngleDialsSetValueTakesAnyAngle)
{
    Make(DialMode::Angle, false, true);
    WhenDialogOpens(L"Set value", [](HWND dialog) {
        EXPECT_EQ(Text(GetDlgItem(dialog, 15901)), "Angle");
        EXPECT_EQ(Text(GetDlgItem(dialog, 15904)), "Float angle");
        EXPECT_EQ(Text(GetDlgItem(dialog, 15905)), "Not limit");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 15908)));
        Type(GetDlgItem(dialog, 15906), "400");
        SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    RightClick(Dial->Window, C, C);
    Pump(20);
    EXPECT_TRUE(DialogScriptRan());
    EXPECT_FLOAT_EQ(Dial->DialAngle, 400);
    EXPECT_EQ(Commands(DialId).size(), 1u);
}

TEST_F(DialWindow, AValueMappedDialTurnsAndTakesANewRangeFromSetValue)
{
    Create(Rotor::ClassName, 7, 20, 150, 101, 101);
    RotorSetup setup;
    setup.Mode = DialMode::ValueMapped;
    setup.Caption = L"Amount";
    setup.ValueMap.ValueMin = 0;
    setup.ValueMap.ValueMax = 100;
    setup.RangeEditable = true;
    Rotor* dial = SetUpRotor(Parent, 7, setup);
    ASSERT_NE(dial, nullptr);
    const int c = 50;
    // Clockwise from up, once round and a quarter more (just below the
    // horizontal: on it the direction would stay).
    Press(dial->Window, c, c - 40);
    for (int step = 1; step < 20; ++step) {
        const double a = step * 22.5 * 3.14159265358979 / 180;
        Move(dial->Window, c + int(std::lround(40 * std::sin(a))), c - int(std::lround(40 * std::cos(a))),
             true);
    }
    Move(dial->Window, c + 40, c + 1, true);
    EXPECT_EQ(dial->DialTurns, 1);
    EXPECT_NEAR(dial->DialAngle, 451.43, 0.01);
    EXPECT_NEAR(dial->Value, 125.40, 0.01);
    Release(dial->Window, c + 40, c);
    Pump(300);

    WhenDialogOpens(L"Set value", [](HWND dialog) {
        EXPECT_EQ(Text(GetDlgItem(dialog, 15904)), "Float slider");
        EXPECT_EQ(Text(GetDlgItem(dialog, 15905)), "0.00 ... 100.00");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 15909)));
        Type(GetDlgItem(dialog, 15909), "200");
        Type(GetDlgItem(dialog, 15906), "50");
        SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    RightClick(dial->Window, c, c);
    Pump(20);
    EXPECT_TRUE(DialogScriptRan());
    EXPECT_EQ(dial->ValueMap.ValueMax, 200);
    EXPECT_FLOAT_EQ(dial->Value, 50);
    EXPECT_FLOAT_EQ(dial->DialAngle, 90);
    EXPECT_EQ(Commands(7).size(), 2u); // the release and the dialog's OK
}

TEST_F(ControlWindows, AVerticalSliderWritesItsBuddiesAndNotifiesWhileDragging)
{
    HWND label = Create(L"STATIC", 41, 200, 10, 40, 16);
    HWND upDown = Create(UPDOWN_CLASSW, 42, 250, 10, 20, 30);
    SendMessageW(upDown, UDM_SETRANGE32, 0, 1000);
    HWND window = Create(TMacSlider::ClassName, 40, 10, 10, 20, 110);
    TMacSlider* slider = FindControl<TMacSlider>(window);
    slider->Vertical = true;
    slider->NotifyWhileDragging = true;
    slider->BuddyLabel = 41;
    slider->BuddyUpDown = 42;
    SetSliderRange(*slider, 0, 200);
    // 100 pixels of track for 200 units: y = 5 + position / 2.
    Press(window, 10, 5);
    Move(window, 10, 30, true);
    Move(window, 10, 42, true);
    EXPECT_FLOAT_EQ(slider->Position, 74);
    EXPECT_EQ(Text(label), "74");
    EXPECT_EQ(SendMessageW(upDown, UDM_GETPOS32, 0, 0), 74);
    Release(window, 10, 42);
    Pump(300);
    int moves = 0, releases = 0;
    for (const Notice& notice : Notices) {
        moves += notice.Message == WM_COMMAND && notice.Id == 40 && notice.Code == 1;
        releases += notice.Message == WM_COMMAND && notice.Id == 40 && notice.Code == 0;
    }
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(releases, 1);
}

TEST_F(ControlWindows, ButtonsPostTheirCommandOnRelease)
{
    HWND push = Create(MacStyleButton::ClassName, 1, 10, 10, 89, 22, L"OK", BS_DEFPUSHBUTTON);
    EXPECT_TRUE(FindControl<MacStyleButton>(push)->IsDefault);
    HWND toggle = Create(BitmapButton::ClassName, 1295, 110, 10, 15, 19);
    HBITMAP bitmaps[4];
    MakeDeleteButtonBitmaps(bitmaps);
    SetButtonBitmaps(*FindControl<BitmapButton>(toggle), bitmaps[0], bitmaps[1], bitmaps[2], bitmaps[3],
                     true);
    HWND text = Create(TContaner::ClassName, 502, 140, 10, 62, 16, L"Layer One");
    HWND link = Create(LinkLabel::ClassName, 77, 220, 10, 100, 16, L"Visit");

    Click(push, 20, 10);
    Click(toggle, 5, 5);
    Click(text, 5, 5);
    Press(link, 5, 5);
    // A press that ends outside the button is no click.
    Press(push, 20, 10);
    Move(push, 200, 10, true);
    Release(push, 200, 10);
    Pump(20);
    EXPECT_EQ(Commands(1).size(), 1u);
    EXPECT_EQ(Commands(1295).size(), 1u);
    EXPECT_TRUE(FindControl<BitmapButton>(toggle)->Checked);
    EXPECT_EQ(Commands(502).size(), 1u);
    EXPECT_EQ(Commands(77).size(), 1u);

    Notices.clear();
    for (HWND window : {push, toggle, text, link})
        EnableControl(window, false);
    EXPECT_FALSE(FindControl<MacStyleButton>(push)->EnabledLook);
    EXPECT_EQ(CountPixels(push, TextColor), 0);
    EXPECT_GT(CountPixels(push, DisabledColor), 0);
    Click(push, 20, 10);
    Click(toggle, 5, 5);
    Click(text, 5, 5);
    Press(link, 5, 5);
    Pump(20);
    EXPECT_TRUE(Notices.empty());
}

// The host's colour picker, as a host offers it through colour services.
struct FakePicker {
    static inline OSErr Result = noErr;
    static inline std::string Prompt;
    static inline int Calls = 0;
    static OSErr VEL_HOSTCALL Choose(ColorServicesInfo* info)
    {
        ++Calls;
        const unsigned char* prompt = *info->selectorParameter.pickerPrompt;
        Prompt.assign(reinterpret_cast<const char*>(prompt + 1), prompt[0]);
        if (Result == noErr) {
            info->colorComponents[0] = 10;
            info->colorComponents[1] = 20;
            info->colorComponents[2] = 30;
        }
        return Result;
    }
};

TEST_F(ControlWindows, TheSwatchAsksTheHostFirstThenTheSystemDialog)
{
    HWND window = Create(ColorSwatch::ClassName, 1195, 10, 10, 40, 20);
    ColorSwatch* swatch = FindControl<ColorSwatch>(window);
    SetSwatchColor(*swatch, RGB(255, 255, 255));
    Kit().HostColorServices = FakePicker::Choose;

    FakePicker::Result = noErr;
    Release(window, 5, 5);
    EXPECT_EQ(FakePicker::Prompt, "Select a Color");
    EXPECT_EQ(swatch->Color, RGB(10, 20, 30));
    EXPECT_EQ(Commands(1195).size(), 1u);

    FakePicker::Result = userCanceledErr; // cancelled: nothing changes, no other chooser
    SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(swatch->Color, RGB(10, 20, 30));
    EXPECT_EQ(Commands(1195).size(), 1u);

    // A host that cannot pick: the system dialog opens on the current colour.
    FakePicker::Result = -30900;
    WhenDialogOpens(L"Color", [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    Release(window, 5, 5);
    EXPECT_TRUE(DialogScriptRan());
    EXPECT_EQ(swatch->Color, RGB(10, 20, 30));
    EXPECT_EQ(Commands(1195).size(), 1u);
    Kit().HostColorServices = nullptr;
}

} // namespace
} // namespace vel::ui::test
