// The "Set value" dialog (template 15092) for numeric fields and dials.

#include "ui/controls/Controls.h"
#include "ui/controls/ValueEntry.h"
#include "ui/controls/ValueText.h"

#include <iterator>

namespace vel::ui {

namespace {

constexpr int TemplateId = 15092;
constexpr int NameText = 15901, Current1Text = 15902, Current2Text = 15903, TypeText = 15904,
              RangeText = 15905;
constexpr int EditIds[] = {15906, 15907, 15908, 15909}; // in EntryEdit order

struct EntrySession {
    SpinEdit* Field = nullptr;
    Rotor* Dial = nullptr;
    ValueEntryRules Rules;
    ValueEntryWorking Working;
};

int EditId(EntryEdit edit)
{
    return EditIds[int(edit)];
}

// The entry edit with the focus, or -1.
int FocusedEdit(HWND dialog)
{
    const HWND focus = GetFocus();
    for (size_t k = 0; k < std::size(EditIds); ++k)
        if (focus == GetDlgItem(dialog, EditIds[k]))
            return int(k);
    return -1;
}

double WorkingValue(const ValueEntryWorking& working, EntryEdit edit)
{
    switch (edit) {
    case EntryEdit::Value1:
        return working.Value1;
    case EntryEdit::Value2:
        return working.Value2;
    case EntryEdit::Min:
        return working.Min;
    case EntryEdit::Max:
        break;
    }
    return working.Max;
}

void SetText(HWND dialog, int id, const std::string& text)
{
    SetDlgItemTextA(dialog, id, text.c_str());
}

std::string ItemText(HWND dialog, int id)
{
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, int(sizeof text));
    return text;
}

void ShowWorking(HWND dialog, const EntrySession& session)
{
    for (EntryEdit edit : {EntryEdit::Value1, EntryEdit::Value2, EntryEdit::Min, EntryEdit::Max})
        if (IsWindowEnabled(GetDlgItem(dialog, EditId(edit))))
            SetText(dialog, EditId(edit),
                    EntryEditText(session.Rules, edit, WorkingValue(session.Working, edit)));
}

void OpenForField(HWND dialog, EntrySession& session)
{
    const SpinEdit& field = *session.Field;
    SetDlgItemTextW(dialog, NameText, field.ValueName);
    SetText(dialog, TypeText, field.Values.IntegerOnly ? "Integer slider" : "Float slider");
    SetText(dialog, Current1Text, FormatNumber(field.Values.Value, field.Values.IntegerOnly));
    SetText(dialog, Current2Text, "Not used");
    EnableWindow(GetDlgItem(dialog, EditId(EntryEdit::Value2)), FALSE);
    SetText(dialog, RangeText,
            FormatRange(field.Values.LimitMin, field.Values.LimitMax, field.Values.IntegerOnly));
    session.Rules.IntegerDisplay = field.Values.IntegerOnly;
    session.Rules.LimitMin = field.Values.LimitMin;
    session.Rules.LimitMax = field.Values.LimitMax;
    session.Working = {field.Values.Value, 0, field.Values.RangeMin, field.Values.RangeMax};
}

void OpenForDial(HWND dialog, EntrySession& session)
{
    const Rotor& dial = *session.Dial;
    SetDlgItemTextW(dialog, NameText, dial.Caption);
    session.Rules.WidestLimits = false;
    session.Rules.IntegerDisplay = dial.Integer;
    session.Rules.LimitValue = dial.Limits || dial.Mode == DialMode::ValueMapped;
    session.Working = {dial.DialAngle, dial.DialElevation, dial.AngleMin, dial.AngleMax};
    const bool ranged = dial.Mode == DialMode::ValueMapped;
    if (dial.Mode == DialMode::TwoAngle) {
        SetText(dialog, TypeText, "Light position");
        SetText(dialog, Current1Text, FormatDialBuddy(dial.DialAngle));
        SetText(dialog, Current2Text, FormatDialBuddy(dial.DialElevation));
    } else {
        const float value = ranged ? dial.Value : dial.DialAngle;
        SetText(dialog, TypeText,
                ranged ? (dial.Integer ? "Integer slider" : "Float slider")
                       : (dial.Integer ? "Integer angle" : "Float angle"));
        SetText(dialog, Current1Text, FormatNumber(value, dial.Integer));
        SetText(dialog, Current2Text, "Not used");
        EnableWindow(GetDlgItem(dialog, EditId(EntryEdit::Value2)), FALSE);
        session.Working.Value1 = value;
    }
    if (ranged) {
        SetText(dialog, RangeText, FormatRange(dial.ValueMap.ValueMin, dial.ValueMap.ValueMax, dial.Integer));
        session.Working.Min = dial.ValueMap.ValueMin;
        session.Working.Max = dial.ValueMap.ValueMax;
    } else {
        SetText(dialog, RangeText, "Not limit");
    }
    // The range edits show the value range of a value-mapped dial and are
    // offered only when that range may change.
    for (EntryEdit edit : {EntryEdit::Min, EntryEdit::Max}) {
        EnableWindow(GetDlgItem(dialog, EditId(edit)), ranged && dial.RangeEditable);
        if (ranged)
            SetText(dialog, EditId(edit),
                    EntryEditText(session.Rules, edit, WorkingValue(session.Working, edit)));
    }
}

void CheckEdit(HWND dialog, EntrySession& session, EntryEdit edit)
{
    const EditVerdict verdict =
        CheckEntryEdit(session.Rules, session.Working, edit, ItemText(dialog, EditId(edit)));
    if (verdict.Text)
        SetText(dialog, EditId(edit), *verdict.Text);
    if (verdict.Beep)
        MessageBeep(MB_OK);
}

void Notify(HWND control, int id)
{
    PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(control));
}

// OK with the focus outside the edits. Returns true when the dialog closes.
bool ApplyEntry(HWND dialog, EntrySession& session)
{
    if (SpinEdit* field = session.Field) {
        const OkVerdict ok = CheckFieldEntryOk(session.Rules, ItemText(dialog, EditId(EntryEdit::Value1)),
                                               ItemText(dialog, EditId(EntryEdit::Min)),
                                               ItemText(dialog, EditId(EntryEdit::Max)));
        if (!ok.Accept) {
            SetText(dialog, EditId(ok.Focus), ok.Text);
            SetFocus(GetDlgItem(dialog, EditId(ok.Focus)));
            MessageBeep(MB_OK);
            return false;
        }
        SetSpinEditValue(*field, float(ok.Value1));
        SetSpinEditRange(*field, float(ok.Min), float(ok.Max));
        SetSpinEditValue(*field, float(ok.Value1));
        InvalidateRect(field->Window, nullptr, TRUE);
        Notify(field->Window, field->Id);
        return true;
    }
    Rotor& dial = *session.Dial;
    const float value1 = float(session.Working.Value1);
    switch (dial.Mode) {
    case DialMode::Angle:
        SetRotorAngles(dial, value1, dial.DialElevation);
        break;
    case DialMode::TwoAngle:
        SetRotorAngles(dial, value1, float(session.Working.Value2));
        break;
    case DialMode::ValueMapped:
        if (dial.RangeEditable) {
            dial.ValueMap.ValueMin = float(session.Working.Min);
            dial.ValueMap.ValueMax = float(session.Working.Max);
        }
        SetRotorValue(dial, value1);
        break;
    }
    Notify(dial.Window, dial.Id);
    return true;
}

INT_PTR CALLBACK ValueEntryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* session = reinterpret_cast<EntrySession*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        session = reinterpret_cast<EntrySession*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        if (session->Field)
            OpenForField(dialog, *session);
        else
            OpenForDial(dialog, *session);
        ShowWorking(dialog, *session);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        for (size_t k = 0; k < std::size(EditIds); ++k)
            if (id == EditIds[k] && HIWORD(wParam) == EN_KILLFOCUS)
                CheckEdit(dialog, *session, EntryEdit(k));
        if (id == IDOK) {
            // Enter in an edit checks it by taking the focus to OK, so that a
            // second Enter applies.
            if (FocusedEdit(dialog) >= 0)
                SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)), TRUE);
            else if (ApplyEntry(dialog, *session))
                EndDialog(dialog, IDOK);
        } else if (id == IDCANCEL) {
            const int focused = FocusedEdit(dialog);
            if (focused >= 0) {
                const EntryEdit edit = EntryEdit(focused);
                SetText(dialog, EditId(edit),
                        EntryEditText(session->Rules, edit, WorkingValue(session->Working, edit)));
            } else {
                EndDialog(dialog, IDCANCEL);
            }
        }
        return TRUE;
    }
    }
    return FALSE;
}

INT_PTR RunEntry(HWND owner, EntrySession& session)
{
    const INT_PTR result = DialogBoxParamW(Kit().Instance, MAKEINTRESOURCEW(TemplateId), owner,
                                           ValueEntryProc, reinterpret_cast<LPARAM>(&session));
    return result == IDOK ? IDOK : IDCANCEL;
}

} // namespace

INT_PTR RunValueEntry(SpinEdit& field)
{
    EntrySession session;
    session.Field = &field;
    return RunEntry(field.Window, session);
}

INT_PTR RunValueEntry(Rotor& dial)
{
    EntrySession session;
    session.Dial = &dial;
    return RunEntry(dial.Window, session);
}

} // namespace vel::ui
