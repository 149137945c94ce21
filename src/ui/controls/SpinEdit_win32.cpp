// "Spin Edit CPP", the numeric field, and "Mac Slider CPP", its slider.

#include "ui/controls/Artwork.h"
#include "ui/controls/Controls.h"
#include "ui/controls/ValueText.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

namespace vel::ui {

namespace {

constexpr int EditId = 1, UpDownId = 2, SliderId = 3;
constexpr UINT_PTR ReleaseTimer = 1, SpinTimer = 1;
constexpr UINT ReleaseDelay = 200, SpinDelay = 500;

void Notify(HWND window, int id, WORD code = 0)
{
    SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(window));
}

// Edits of the controls: Esc asks the control to restore the text, as the
// dialog does for the focused edit when Esc reaches it instead.
LRESULT CALLBACK ControlEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_CHAR && wParam == VK_ESCAPE) {
        SendMessageW(GetParent(edit), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), EscapeCode),
                     reinterpret_cast<LPARAM>(edit));
        return 0;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

} // namespace

std::string ControlEditText(HWND edit, size_t limit)
{
    char text[64] = {};
    GetWindowTextA(edit, text, int(std::min(limit + 1, sizeof text)));
    return text;
}

HWND CreateControlEdit(HWND parent, int id, DWORD style, int limit)
{
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | style, 0, 0, 10, 10,
                                parent, reinterpret_cast<HMENU>(INT_PTR(id)), Kit().Instance, nullptr);
    if (edit) {
        SendMessageW(edit, EM_LIMITTEXT, WPARAM(limit), 0);
        SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(Kit().LabelFont), FALSE);
        SetWindowSubclass(edit, ControlEditProc, 1, 0);
    }
    return edit;
}

// ---------------------------------------------------------------------------
// The slider.

void SetSliderPosition(TMacSlider& slider, float position)
{
    slider.Position = LimitSliderPosition(slider.Scale, position);
    HWND parent = GetParent(slider.Window);
    if (slider.BuddyLabel)
        SetDlgItemInt(parent, slider.BuddyLabel, UINT(IntegerPart(slider.Position)), TRUE);
    if (slider.BuddyUpDown)
        SendDlgItemMessageW(parent, slider.BuddyUpDown, UDM_SETPOS32, 0, IntegerPart(slider.Position));
    InvalidateRect(slider.Window, nullptr, FALSE);
}

void SetSliderRange(TMacSlider& slider, float low, float high)
{
    slider.Scale.Min = low;
    slider.Scale.Max = high;
    SetSliderPosition(slider, slider.Position);
}

namespace {
void SliderFromPointer(TMacSlider& slider)
{
    const int coord = slider.Vertical ? slider.LastPointer.y : slider.LastPointer.x;
    SetSliderPosition(slider,
                      SliderPositionAt(slider.Scale, coord, slider.Vertical ? slider.Height : slider.Width));
}

void FinishSliderRelease(TMacSlider& slider, HWND window)
{
    SliderFromPointer(slider);
    UpdateWindow(window);
    SendMessageW(GetParent(window), WM_HSCROLL, SB_THUMBPOSITION, reinterpret_cast<LPARAM>(window));
    Notify(window, slider.Id, 0);
}
} // namespace

LRESULT TMacSlider::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintBuffered(window, [&](HDC dc, const RECT& client) {
            DrawSlider(dc, client, SliderKnobCoord(Scale, Position, Vertical ? Height : Width), Vertical,
                       EnabledLook, Dragging);
        });
        return 0;
    case WM_ENABLE:
        EnabledLook = wParam != 0;
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
        if (!IsWindowEnabled(window))
            return 0;
        SetCapture(window);
        DoubleClick = false;
        Dragging = true;
        LastPointer = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        SliderFromPointer(*this);
        return 0;
    case WM_MOUSEMOVE:
        if (!Dragging || GetCapture() != window)
            return 0;
        LastPointer = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        SliderFromPointer(*this);
        SendMessageW(GetParent(window), WM_HSCROLL, SB_THUMBTRACK, reinterpret_cast<LPARAM>(window));
        UpdateWindow(window);
        if (NotifyWhileDragging)
            Notify(window, Id, 1);
        return 0;
    case WM_LBUTTONUP:
        if (!Dragging)
            return 0;
        Dragging = false;
        LastPointer = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (GetCapture() == window)
            ReleaseCapture();
        InvalidateRect(window, nullptr, FALSE);
        // The delay lets a double-click replace the ordinary release.
        if (!SetTimer(window, ReleaseTimer, ReleaseDelay, nullptr))
            FinishSliderRelease(*this, window);
        return 0;
    case WM_TIMER:
        if (wParam == ReleaseTimer) {
            KillTimer(window, ReleaseTimer);
            if (!DoubleClick)
                FinishSliderRelease(*this, window);
        }
        return 0;
    case WM_LBUTTONDBLCLK:
        if (!IsWindowEnabled(window))
            return 0;
        DoubleClick = true;
        Notify(window, Id, 2);
        return 0;
    case WM_CAPTURECHANGED:
        Dragging = Dragging && reinterpret_cast<HWND>(lParam) == window;
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        if (ForwardRightClicks && IsWindowEnabled(window))
            return SendMessageW(GetParent(window), message, wParam, lParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// The numeric field.

namespace {

TMacSlider* SliderOf(const SpinEdit& field)
{
    return FindControl<TMacSlider>(field.Slider);
}

void ShowSpinValue(SpinEdit& field)
{
    SendMessageW(field.UpDown, UDM_SETPOS32, 0, IntegerPart(field.Values.Value));
    SetWindowTextA(field.Edit, SpinEditText(field.Values).c_str());
}

void ApplySpinRange(SpinEdit& field)
{
    if (TMacSlider* slider = SliderOf(field))
        SetSliderRange(*slider, field.Values.RangeMin, field.Values.RangeMax);
    SendMessageW(field.UpDown, UDM_SETRANGE32, WPARAM(IntegerPart(field.Values.RangeMin)),
                 LPARAM(IntegerPart(field.Values.RangeMax)));
}

void LayOutSpinEdit(SpinEdit& field)
{
    const int dpi = Kit().Dpi;
    const int upDown = dpi >= 144 ? 30 : dpi >= 120 ? 25 : 20;
    const int slider = Scaled(20);
    const int editHeight = std::max(0, field.Height - slider);
    MoveWindow(field.Edit, 0, 0, std::max(0, field.Width - upDown), editHeight, TRUE);
    MoveWindow(field.UpDown, field.Width - upDown, 0, upDown, editHeight, TRUE);
    MoveWindow(field.Slider, 0, editHeight, field.Width, field.Height - editHeight, TRUE);
}

void CommitTypedText(SpinEdit& field)
{
    if (CommitTypedValue(field.Values, ControlEditText(field.Edit, 31))) {
        SetSpinEditValue(field, field.Values.Value);
        Notify(field.Window, field.Id);
    }
}

} // namespace

void SetSpinEditValue(SpinEdit& field, float value)
{
    if (SetSpinValue(field.Values, value))
        ApplySpinRange(field);
    ShowSpinValue(field);
    if (TMacSlider* slider = SliderOf(field))
        SetSliderPosition(*slider, value);
}

void SetSpinEditRange(SpinEdit& field, float low, float high)
{
    SetSpinRange(field.Values, low, high);
    ApplySpinRange(field);
}

void EnableSpinEdit(SpinEdit& field, bool enable)
{
    for (HWND window : {field.Window, field.Edit, field.UpDown, field.Slider, field.Label})
        if (window)
            EnableWindow(window, enable);
    field.EnabledLook = enable;
}

SpinEdit* SetUpSpinEdit(HWND parent, int id, const SpinEditSetup& setup)
{
    SpinEdit* field = FindControl<SpinEdit>(parent, id);
    if (!field)
        return nullptr;
    field->Label = setup.LabelId ? GetDlgItem(parent, setup.LabelId) : nullptr;
    field->Values = setup.Values;
    field->Default = setup.Default;
    field->Immediate = setup.Immediate;
    lstrcpynW(field->ValueName, setup.ValueName ? setup.ValueName : L"", int(std::size(field->ValueName)));
    ApplySpinRange(*field);
    SetSpinEditValue(*field, setup.Values.Value);
    if (setup.Tooltip)
        for (HWND child : {field->Edit, field->UpDown, field->Slider})
            AttachTooltip(child, setup.Tooltip);
    return field;
}

LRESULT SpinEdit::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        Edit = CreateControlEdit(window, EditId, ES_LEFT, 31);
        UpDown = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                 WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 10, 10,
                                 window, reinterpret_cast<HMENU>(INT_PTR(UpDownId)), Kit().Instance, nullptr);
        Slider = CreateWindowExW(0, TMacSlider::ClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window,
                                 reinterpret_cast<HMENU>(INT_PTR(SliderId)), Kit().Instance, nullptr);
        if (!Edit || !UpDown || !Slider)
            return -1;
        SendMessageW(UpDown, WM_SETFONT, reinterpret_cast<WPARAM>(Kit().LabelFont), FALSE);
        SliderOf(*this)->ForwardRightClicks = true;
        ApplySpinRange(*this);
        ShowSpinValue(*this);
        return 0;
    }
    case WM_SIZE:
        LayOutSpinEdit(*this);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintBuffered(window, [](HDC dc, const RECT& client) { FillRectColor(dc, client, DialogColor); });
        return 0;
    case WM_SETFOCUS:
        SetFocus(Edit);
        SendMessageW(Edit, EM_SETSEL, 0, -1);
        return 0;
    case WM_ENABLE:
        EnabledLook = wParam != 0;
        return 0;
    case WM_COMMAND: {
        const int child = LOWORD(wParam);
        const WORD code = HIWORD(wParam);
        if (code == EscapeCode) {
            SetSpinEditValue(*this, Values.Value);
        } else if (child == EditId && (code == EN_KILLFOCUS || code == EN_MAXTEXT)) {
            CommitTypedText(*this);
        } else if (child == SliderId) {
            if (TMacSlider* slider = SliderOf(*this))
                Values.Value = slider->Position;
            if (code == 2) {
                SetSpinEditValue(*this, Default);
                PostMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(Id, 0),
                             reinterpret_cast<LPARAM>(window));
            } else {
                Notify(window, Id, code);
            }
        }
        return 0;
    }
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == Slider) {
            TMacSlider* slider = SliderOf(*this);
            const float position =
                Values.IntegerOnly ? float(IntegerPart(slider->Position)) : slider->Position;
            if (position != Values.Value) {
                Values.Value = position;
                ShowSpinValue(*this);
                if (Immediate)
                    Notify(window, Id);
            }
            SetFocus(Edit);
            SendMessageW(Edit, EM_SETSEL, 0, -1);
        }
        return 0;
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) == UpDown) {
            const float position = float(SendMessageW(UpDown, UDM_GETPOS32, 0, 0));
            if (LOWORD(wParam) == SB_THUMBPOSITION) {
                SetSpinEditValue(*this, position);
                if (Immediate)
                    Notify(window, Id);
            } else if (LOWORD(wParam) == SB_ENDSCROLL && !Immediate) {
                SetSpinEditValue(*this, position);
                SetTimer(window, SpinTimer, SpinDelay, nullptr);
                PendingSpin = true;
            }
        }
        return 0;
    case WM_TIMER:
        if (wParam == SpinTimer) {
            KillTimer(window, SpinTimer);
            PendingSpin = false;
            Notify(window, Id);
        }
        return 0;
    case WM_RBUTTONUP:
        if (Values.RangeEditable && IsWindowEnabled(window))
            RunValueEntry(*this);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace vel::ui
