// "Rotor CPP", the angle dial: angle, two-angle (with the centre variant)
// and value-mapped modes.

#include "ui/controls/Artwork.h"
#include "ui/controls/Controls.h"
#include "ui/controls/ValueText.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

namespace vel::ui {

namespace {

constexpr int EmbeddedEditId = 1;
constexpr UINT_PTR ReleaseTimer = 1;
constexpr UINT ReleaseDelay = 200;

void Notify(HWND window, int id)
{
    SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(window));
}

int Radius(const Rotor& dial)
{
    return std::min(dial.Width, dial.Height) / 2 - Scaled(2);
}

float LimitAngle(const Rotor& dial, float angle)
{
    return dial.Limits ? std::clamp(angle, dial.AngleMin, std::max(dial.AngleMin, dial.AngleMax)) : angle;
}

// The pointer's direction on the screen, counter-clockwise from the right.
float ScreenAngle(const Rotor& dial)
{
    switch (dial.Mode) {
    case DialMode::Angle:
        return -dial.DialAngle;
    case DialMode::TwoAngle:
        return dial.DialAngle;
    case DialMode::ValueMapped:
        break;
    }
    return 90 - dial.DialAngle;
}

void SetText(HWND window, const std::string& text)
{
    if (window)
        SetWindowTextA(window, text.c_str());
}

// Repaints the dial and rewrites its buddies and its edit.
void ShowRotor(Rotor& dial)
{
    if (dial.Mode == DialMode::TwoAngle && dial.CentreMode) {
        float x = 0, y = 0;
        RotorCentre(dial, x, y);
        SetText(dial.Buddies[0], FormatDialBuddy(x));
        SetText(dial.Buddies[1], FormatDialBuddy(y));
    } else if (dial.Mode == DialMode::TwoAngle) {
        SetText(dial.Buddies[0], FormatDialBuddy(dial.DialAngle));
        SetText(dial.Buddies[1], FormatDialBuddy(dial.DialElevation));
    } else {
        const float shown = dial.Mode == DialMode::ValueMapped ? dial.Value : dial.DialAngle;
        SetText(dial.Buddies[0], FormatDialBuddy(shown));
        SetText(dial.EmbeddedEdit, dial.Integer ? FormatNumber(shown, true) : FormatDialBuddy(shown));
    }
    InvalidateRect(dial.Window, nullptr, FALSE);
}

void SetAngleKeepingTurns(Rotor& dial, float angle)
{
    dial.DialAngle = angle;
    dial.DialTurns = int(angle / 360); // toward zero: -90 stays in turn 0
    dial.Direction = angle - float(dial.DialTurns) * 360;
}

void FollowPointer(Rotor& dial, int x, int y)
{
    const float dx = float(x - dial.Width / 2), dy = float(y - dial.Height / 2);
    const float direction = DialDirection(dial.Mode, dx, dy, dial.Direction);
    dial.DialTurns = CountTurns(dial.DialTurns, dial.Direction, direction);
    dial.Direction = direction;
    dial.DialAngle = LimitAngle(dial, float(dial.DialTurns) * 360 + direction);
    if (dial.Mode == DialMode::ValueMapped)
        dial.Value = DialValueAtAngle(dial.ValueMap, dial.DialAngle);
    if (dial.Mode == DialMode::TwoAngle)
        dial.DialElevation = ElevationAtDistance(std::hypot(dx, dy), float(Radius(dial)));
    ShowRotor(dial);
    UpdateWindow(dial.Window);
}

bool InsideCircle(const Rotor& dial, LPARAM lParam)
{
    const float dx = float(GET_X_LPARAM(lParam) - dial.Width / 2),
                dy = float(GET_Y_LPARAM(lParam) - dial.Height / 2);
    return std::hypot(dx, dy) <= float(Radius(dial));
}

void CommitEmbeddedEdit(Rotor& dial)
{
    const float typed = float(ReadTypedNumber(ControlEditText(dial.EmbeddedEdit, 15), 15));
    const float before = dial.Mode == DialMode::ValueMapped ? dial.Value : dial.DialAngle;
    if (dial.Mode == DialMode::ValueMapped)
        SetRotorValue(dial, typed);
    else
        SetRotorAngles(dial, LimitAngle(dial, typed), dial.DialElevation);
    const float after = dial.Mode == DialMode::ValueMapped ? dial.Value : dial.DialAngle;
    if (after != before)
        Notify(dial.Window, dial.Id);
}

void ResetRotor(Rotor& dial)
{
    if (dial.Mode == DialMode::TwoAngle && dial.CentreMode)
        SetRotorCentre(dial, 0, 0);
    else if (dial.Mode == DialMode::TwoAngle)
        SetRotorAngles(dial, 45, 45);
    else
        SetRotorAngles(dial, dial.DefaultAngle, dial.DialElevation);
}

} // namespace

void SetRotorAngles(Rotor& dial, float angle, float elevation)
{
    SetAngleKeepingTurns(dial, angle);
    dial.DialElevation = elevation;
    if (dial.Mode == DialMode::ValueMapped)
        dial.Value = DialValueAtAngle(dial.ValueMap, angle);
    ShowRotor(dial);
}

void SetRotorCentre(Rotor& dial, float x, float y)
{
    const DialAngles angles = CentreToAngles(x, y);
    SetRotorAngles(dial, angles.Angle, angles.Elevation);
}

void RotorCentre(const Rotor& dial, float& x, float& y)
{
    AnglesToCentre({dial.DialAngle, dial.DialElevation}, x, y);
}

void SetRotorValue(Rotor& dial, float value)
{
    SetAngleKeepingTurns(dial, DialAngleOfValue(dial.ValueMap, value));
    dial.Value = value;
    ShowRotor(dial);
}

void EnableRotor(Rotor& dial, bool enable)
{
    for (HWND window : {dial.Window, dial.Buddies[0], dial.Buddies[1], dial.EmbeddedEdit})
        if (window)
            EnableWindow(window, enable);
    dial.EnabledLook = enable;
    InvalidateRect(dial.Window, nullptr, FALSE);
}

Rotor* SetUpRotor(HWND parent, int id, const RotorSetup& setup)
{
    Rotor* dial = FindControl<Rotor>(parent, id);
    if (!dial)
        return nullptr;
    dial->Mode = setup.Mode;
    dial->CentreMode = setup.CentreMode && setup.Mode == DialMode::TwoAngle;
    lstrcpynW(dial->Caption, setup.Caption ? setup.Caption : L"", int(std::size(dial->Caption)));
    for (int k = 0; k < 2; ++k)
        dial->Buddies[k] = setup.BuddyIds[k] ? GetDlgItem(parent, setup.BuddyIds[k]) : nullptr;
    dial->DefaultAngle = setup.DefaultAngle;
    dial->Limits = setup.Limits;
    dial->AngleMin = setup.AngleMin;
    dial->AngleMax = setup.AngleMax;
    dial->ValueMap = setup.ValueMap;
    dial->ValueMap.AngleMin = setup.AngleMin;
    dial->ValueMap.AngleMax = setup.AngleMax;
    dial->RangeEditable = setup.RangeEditable;
    dial->Integer = setup.Integer;
    if (setup.EmbeddedEdit && !dial->EmbeddedEdit) {
        dial->EmbeddedEdit = CreateControlEdit(dial->Window, EmbeddedEditId, ES_CENTER, 15);
        const int w = Scaled(50), h = Scaled(22);
        MoveWindow(dial->EmbeddedEdit, (dial->Width - w) / 2, (dial->Height - h) / 2, w, h, FALSE);
    }
    if (setup.Tooltip)
        AttachTooltip(dial->Window, setup.Tooltip);
    if (dial->Mode == DialMode::TwoAngle && dial->CentreMode)
        SetRotorCentre(*dial, 0, 0);
    else if (dial->Mode == DialMode::TwoAngle)
        SetRotorAngles(*dial, 45, 45);
    else
        SetRotorAngles(*dial, setup.DefaultAngle, 90);
    return dial;
}

LRESULT Rotor::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintBuffered(window, [&](HDC dc, const RECT& client) {
            DialPicture picture;
            picture.ScreenAngle = ScreenAngle(*this);
            picture.Reach =
                Mode == DialMode::TwoAngle ? float(std::cos(DialElevation * 3.14159265 / 180)) : 1.0f;
            picture.Highlighted = (Hover || Dragging) && EnabledLook;
            picture.Enabled = EnabledLook;
            picture.EmbeddedEdit = EmbeddedEdit != nullptr;
            DrawDial(dc, client, picture);
        });
        return 0;
    case WM_ENABLE:
        EnabledLook = wParam != 0;
        if (!EnabledLook)
            Hover = false;
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_MOUSEMOVE:
        if (Dragging) {
            FollowPointer(*this, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        } else {
            const bool over = IsWindowEnabled(window) && InsideCircle(*this, lParam);
            if (over && GetCapture() != window)
                SetCapture(window);
            else if (!over && GetCapture() == window)
                ReleaseCapture();
            if (over != Hover) {
                Hover = over;
                InvalidateRect(window, nullptr, FALSE);
            }
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (!IsWindowEnabled(window))
            return 0;
        SetCapture(window);
        Dragging = true;
        DoubleClick = false;
        Direction = DialAngle - float(DialTurns) * 360;
        FollowPointer(*this, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (!Dragging)
            return 0;
        Dragging = false;
        if (GetCapture() == window && !InsideCircle(*this, lParam))
            ReleaseCapture();
        InvalidateRect(window, nullptr, FALSE);
        if (!SetTimer(window, ReleaseTimer, ReleaseDelay, nullptr))
            Notify(window, Id);
        return 0;
    case WM_TIMER:
        if (wParam == ReleaseTimer) {
            KillTimer(window, ReleaseTimer);
            if (!DoubleClick)
                Notify(window, Id);
        }
        return 0;
    case WM_LBUTTONDBLCLK:
        if (!IsWindowEnabled(window))
            return 0;
        DoubleClick = true;
        ResetRotor(*this);
        Notify(window, Id);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window && Hover) {
            Hover = false;
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_RBUTTONUP:
        if (IsWindowEnabled(window))
            RunValueEntry(*this);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == EmbeddedEditId) {
            if (HIWORD(wParam) == EscapeCode)
                ShowRotor(*this);
            else if (HIWORD(wParam) == EN_KILLFOCUS || HIWORD(wParam) == EN_MAXTEXT)
                CommitEmbeddedEdit(*this);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace vel::ui
