// The numeric field and its slider, driven by window messages.

#include "ControlHarness.h"

#include <commctrl.h>

namespace vel::ui::test {
namespace {

constexpr int FieldId = 1002;

class SpinEditWindow : public ControlHarness {
  protected:
    SpinEdit* Field = nullptr;
    HWND Window = nullptr;
    TMacSlider* Slider = nullptr;

    // A field like "Line Width": slider 0..100, widest 0..200, default 8, two
    // decimals. The slider is 210 pixels long: x = 5 + value * 2.
    void Make(float value, bool editable = true, float limitMax = 200)
    {
        Window = Create(SpinEdit::ClassName, FieldId, 20, 20, 210, 46);
        SpinEditSetup setup;
        setup.Values.RangeMin = 0;
        setup.Values.RangeMax = 100;
        setup.Values.LimitMin = 0;
        setup.Values.LimitMax = limitMax;
        setup.Values.RangeEditable = editable;
        setup.Values.Value = value;
        setup.Default = 8;
        setup.ValueName = L"Width";
        setup.Tooltip = L"Thickness of engraving elements";
        Field = SetUpSpinEdit(Parent, FieldId, setup);
        ASSERT_NE(Field, nullptr);
        Slider = FindControl<TMacSlider>(Field->Slider);
        ASSERT_NE(Slider, nullptr);
        Pump(10);
    }

    void ClickUpArrow()
    {
        RECT r;
        GetClientRect(Field->UpDown, &r);
        Press(Field->UpDown, r.right / 2, r.bottom / 4);
        Release(Field->UpDown, r.right / 2, r.bottom / 4);
    }
    int SliderY() const { return Slider->Height / 2; }
};

TEST_F(SpinEditWindow, ThreeQuickUpDownClicksNotifyOnceHalfASecondAfterTheLast)
{
    Make(10);
    ClickUpArrow();
    Pump(60);
    ClickUpArrow();
    Pump(60);
    ClickUpArrow();
    const DWORD last = GetTickCount();
    EXPECT_EQ(Field->Values.Value, 13);
    EXPECT_EQ(Text(Field->Edit), "13.00");
    EXPECT_TRUE(Field->PendingSpin);
    Pump(350);
    EXPECT_TRUE(Commands(FieldId).empty()) << "notified before the delay";
    Pump(400);
    const auto commands = Commands(FieldId);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_GE(commands[0].Time - last, 480u);
    EXPECT_FALSE(Field->PendingSpin);
}

TEST_F(SpinEditWindow, ASliderDragNotifiesOnRelease200msLater)
{
    Make(10);
    Press(Slider->Window, 25, SliderY());
    for (int x = 35; x <= 105; x += 10)
        Move(Slider->Window, x, SliderY(), true);
    EXPECT_EQ(Field->Values.Value, 50); // the field follows the drag...
    EXPECT_EQ(Text(Field->Edit), "50.00");
    Release(Slider->Window, 105, SliderY());
    const DWORD released = GetTickCount();
    Pump(120);
    EXPECT_TRUE(Commands(FieldId).empty()); // ...but tells its parent only after the release
    Pump(250);
    const auto commands = Commands(FieldId);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].Code, 0);
    EXPECT_GE(commands[0].Time - released, 190u);
    EXPECT_EQ(Field->Values.Value, 50);
}

TEST_F(SpinEditWindow, ADoubleClickOnTheSliderResetsToTheDefaultAndNotifiesOnce)
{
    Make(60);
    DoubleClick(Slider->Window, 155, SliderY());
    Pump(500);
    EXPECT_EQ(Field->Values.Value, 8);
    EXPECT_EQ(Text(Field->Edit), "8.00");
    EXPECT_EQ(Slider->Position, 8);
    EXPECT_EQ(Commands(FieldId).size(), 1u);
}

TEST_F(SpinEditWindow, TypedValuesCommitOnFocusLossAndEscRestores)
{
    Make(10);
    HWND other = Create(L"EDIT", 77, 300, 20, 80, 22);

    Type(Field->Edit, "77");
    SendMessageW(Field->Edit, WM_CHAR, VK_ESCAPE, 1);
    EXPECT_EQ(Text(Field->Edit), "10.00");
    EXPECT_EQ(Field->Values.Value, 10);

    struct Case {
        const char* typed;
        float value;
        size_t notices; // in total so far
    };
    const Case cases[] = {
        {"250", 100, 1},    // limited to the range
        {"99.995", 100, 1}, // within 0.01: nothing
        {"42.5", 42.5f, 2},
        {"x", 0, 3}, // not a number: 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Type(Field->Edit, c.typed);
        SetFocus(other);
        Pump(10);
        EXPECT_EQ(Field->Values.Value, c.value);
        EXPECT_EQ(Commands(FieldId).size(), c.notices);
    }
}

TEST_F(SpinEditWindow, ValuesFromOutsideWidenTheSliderButNeverNotify)
{
    Make(10);
    SetSpinEditValue(*Field, 150);
    EXPECT_EQ(Field->Values.RangeMax, 150);
    EXPECT_EQ(Slider->Scale.Max, 150);
    EXPECT_EQ(SendMessageW(Field->UpDown, UDM_GETPOS32, 0, 0), 150);
    SetSpinEditValue(*Field, 900); // beyond the limit: shown as it is
    EXPECT_EQ(Field->Values.RangeMax, 200);
    EXPECT_EQ(Text(Field->Edit), "900.00");
    Pump(10);
    EXPECT_TRUE(Notices.empty());
}

TEST_F(SpinEditWindow, SetValueWidensTheRangeAndNotifies)
{
    Make(40);
    bool sawLimitedMax = false;
    WhenDialogOpens(L"Set value", [&](HWND dialog) {
        EXPECT_EQ(Text(GetDlgItem(dialog, 15901)), "Width");
        EXPECT_EQ(Text(GetDlgItem(dialog, 15902)), "40.00");
        EXPECT_EQ(Text(GetDlgItem(dialog, 15903)), "Not used");
        EXPECT_EQ(Text(GetDlgItem(dialog, 15904)), "Float slider");
        EXPECT_EQ(Text(GetDlgItem(dialog, 15905)), "0.00 ... 200.00");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 15907)));
        Type(GetDlgItem(dialog, 15909), "250");
        SetFocus(GetDlgItem(dialog, 15906)); // the maximum is checked as it loses the focus
        sawLimitedMax = Text(GetDlgItem(dialog, 15909)) == "200.00";
        Type(GetDlgItem(dialog, 15909), "150");
        Type(GetDlgItem(dialog, 15906), "140");
        // Enter in an edit checks it and moves on to OK; a second Enter applies.
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    RightClick(Slider->Window, 50, SliderY());
    Pump(20);
    EXPECT_TRUE(DialogScriptRan());
    EXPECT_TRUE(sawLimitedMax);
    EXPECT_EQ(Field->Values.RangeMax, 150);
    EXPECT_EQ(Field->Values.Value, 140);
    EXPECT_EQ(Slider->Scale.Max, 150);
    EXPECT_EQ(Text(Field->Edit), "140.00");
    EXPECT_EQ(Commands(FieldId).size(), 1u);
}

TEST_F(SpinEditWindow, SetValueRefusesAValueOutsideTheNewRangeAndCancelChangesNothing)
{
    Make(40);
    std::string shown;
    WhenDialogOpens(L"Set value", [&](HWND dialog) {
        Type(GetDlgItem(dialog, 15909), "150");
        Type(GetDlgItem(dialog, 15906), "140");
        SetFocus(GetDlgItem(dialog, IDOK));
        // A maximum changed without its check on focus loss is caught by OK.
        SetDlgItemTextA(dialog, 15909, "120");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindow(dialog));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 15906));
        shown = Text(GetDlgItem(dialog, 15906));
        SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    RightClick(Field->Window, 5, 5);
    Pump(20);
    EXPECT_TRUE(DialogScriptRan());
    EXPECT_EQ(shown, "120.00");
    EXPECT_EQ(Field->Values.Value, 40);
    EXPECT_EQ(Field->Values.RangeMax, 100);
    EXPECT_TRUE(Commands(FieldId).empty());
}

TEST_F(SpinEditWindow, AFieldThatCannotWidenOpensNothingOnARightClick)
{
    Make(2, false, 100);
    WhenDialogOpens(L"Set value", [](HWND dialog) { EndDialog(dialog, IDCANCEL); });
    RightClick(Slider->Window, 50, SliderY());
    Pump(100);
    EXPECT_FALSE(DialogScriptRan());
}

TEST_F(SpinEditWindow, ADisabledFieldDrawsDisabledAndNotifiesNothing)
{
    Make(50);
    EXPECT_GT(CountPixels(Slider->Window, RGB(0, 0, 0)), 0); // the knob's black outline
    EnableControl(Window, false);
    EXPECT_FALSE(Field->EnabledLook);
    EXPECT_FALSE(Slider->EnabledLook);
    EXPECT_EQ(CountPixels(Slider->Window, RGB(0, 0, 0)), 0);
    EXPECT_GT(CountPixels(Slider->Window, DisabledColor), 0);

    Press(Slider->Window, 25, SliderY());
    Move(Slider->Window, 200, SliderY(), true);
    Release(Slider->Window, 200, SliderY());
    DoubleClick(Slider->Window, 25, SliderY());
    ClickUpArrow();
    WhenDialogOpens(L"Set value", [](HWND dialog) { EndDialog(dialog, IDCANCEL); });
    RightClick(Slider->Window, 50, SliderY());
    Pump(700);
    EXPECT_FALSE(DialogScriptRan());
    EXPECT_EQ(Field->Values.Value, 50);
    EXPECT_TRUE(Notices.empty());

    EnableControl(Window, true);
    EXPECT_GT(CountPixels(Slider->Window, RGB(0, 0, 0)), 0);
}

} // namespace
} // namespace vel::ui::test
