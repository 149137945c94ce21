#include "ui/pages/SavePresetDialog.h"

#include <string>

namespace vel::ui {
namespace {

void EnableSave(HWND dialog)
{
    EnableWindow(GetDlgItem(dialog, IDOK), GetWindowTextLengthA(GetDlgItem(dialog, PresetNameEditId)) > 0);
}

INT_PTR CALLBACK SavePresetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* name = reinterpret_cast<std::string*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        name = reinterpret_cast<std::string*>(lParam);
        HWND edit = GetDlgItem(dialog, PresetNameEditId);
        SendMessageA(edit, EM_LIMITTEXT, PresetNameLimit, 0);
        SetWindowTextA(edit, name->c_str());
        SendMessageA(edit, EM_SETSEL, 0, -1);
        EnableSave(dialog);
        SetFocus(edit);
        return FALSE; // the focus is set
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case PresetNameEditId:
            if (HIWORD(wParam) == EN_CHANGE)
                EnableSave(dialog);
            return TRUE;
        case IDOK: {
            char typed[PresetNameLimit + 1] = {};
            GetDlgItemTextA(dialog, PresetNameEditId, typed, int(sizeof typed));
            if (!typed[0])
                return TRUE; // Enter in an empty field saves nothing
            *name = typed;
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

bool WindowSavePrompts::AskName(std::string& name)
{
    return DialogBoxParamW(instance_, MAKEINTRESOURCEW(SavePresetTemplate), owner_, SavePresetProc,
                           reinterpret_cast<LPARAM>(&name)) == IDOK;
}

} // namespace vel::ui
