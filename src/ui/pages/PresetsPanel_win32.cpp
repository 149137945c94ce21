// The presets panel window: two owner-drawn lists of presets and folders,
// "Save" and "Delete". What an entry is and what a click does come from
// PresetsPanelModel; this file shows the model and passes the clicks on.

#include "ui/pages/PresetsPanelWindow.h"

#include "platform/ComObjects_win32.h"
#include "ui/controls/Artwork.h"
#include "ui/controls/Controls.h"
#include "ui/dialog/DialogLogic.h"
#include "ui/pages/SavePresetDialog.h"

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vel::ui {
namespace {

constexpr int GroupLabelId = -1; // the factory group box has no id
constexpr int UserGroupId = 1118;

struct PanelState {
    PresetsPanelSetup Setup;
    PresetsPanelModel Model{Setup.Library};
    HFONT ListFont = nullptr;
    // The children's rectangles at the template's size, and that size; the
    // layout moves them by how much the panel differs from it.
    struct Placed {
        HWND Window;
        RECT Rect;
    };
    std::vector<Placed> Children;
    SIZE TemplateSize = {};

    explicit PanelState(PresetsPanelSetup setup) : Setup(std::move(setup)) {}
};

PanelState* StateOf(HWND panel)
{
    return reinterpret_cast<PanelState*>(GetWindowLongPtrW(panel, DWLP_USER));
}

PresetTree TreeOfList(int id)
{
    return id == UserListId ? PresetTree::User : PresetTree::Factory;
}

int ListIdOf(PresetTree tree)
{
    return tree == PresetTree::User ? UserListId : FactoryListId;
}

// The list window shows the model's entries in the model's order, with the
// model's selection.
void ShowList(HWND panel, PanelState& state, PresetTree tree)
{
    HWND list = GetDlgItem(panel, ListIdOf(tree));
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : state.Model.Entries(tree))
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidePath(entry).c_str()));
    SendMessageW(list, LB_SETCURSEL, WPARAM(state.Model.Selected(tree)), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    SetDlgItemTextW(panel, tree == PresetTree::User ? UserFolderLabelId : FactoryFolderLabelId,
                    WidePath(state.Model.FolderLabel(tree)).c_str());
}

void UpdateDelete(HWND panel, const PanelState& state)
{
    EnableControl(GetDlgItem(panel, DeletePresetButtonId), state.Model.DeleteEnabled());
}

// A folder of 16 × 14 pixels at (x, y): a tab on the back's top left and
// the front; the parent entry gets an arrow pointing up on the front.
void DrawFolderIcon(HDC dc, int x, int y, bool up)
{
    const COLORREF edge = RGB(150, 118, 52), back = RGB(222, 184, 98), front = RGB(240, 206, 128);
    FillRectColor(dc, {x, y, x + 7, y + 3}, back);
    FrameRectColor(dc, {x, y, x + 7, y + 3}, edge);
    FillRectColor(dc, {x, y + 2, x + 16, y + 14}, front);
    FrameRectColor(dc, {x, y + 2, x + 16, y + 14}, edge);
    FillRectColor(dc, {x + 1, y + 3, x + 15, y + 5}, back);
    if (!up)
        return;
    const COLORREF arrow = RGB(60, 70, 80);
    const int cx = x + 8;
    for (int row = 0; row < 4; ++row) // the head, widening downwards
        FillRectColor(dc, {cx - row, y + 5 + row, cx + row + 1, y + 6 + row}, arrow);
    FillRectColor(dc, {cx - 1, y + 9, cx + 2, y + 13}, arrow);
}

void DrawEntry(const PanelState& state, const DRAWITEMSTRUCT& item)
{
    const PresetTree tree = TreeOfList(int(item.CtlID));
    const std::vector<std::string>& entries = state.Model.Entries(tree);
    if (item.itemID >= entries.size()) {
        if (item.itemState & ODS_FOCUS)
            DrawFocusRect(item.hDC, &item.rcItem);
        return;
    }
    const EntryLook look = LookOfEntry(entries[item.itemID], tree, int(item.itemID));

    const RECT& r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRectColor(item.hDC, r, selected ? RGB(214, 222, 232) : GetSysColor(COLOR_WINDOW));
    if (look.Kind == EntryKind::Folder || look.Kind == EntryKind::Parent)
        DrawFolderIcon(item.hDC, r.left + 2, r.top + 1, look.Kind == EntryKind::Parent);
    RECT text = r;
    text.left += look.TextLeft;
    const std::wstring shown = WidePath(look.Text);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, TextColor);
    DrawTextW(item.hDC, shown.c_str(), int(shown.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &r);
}

void LayOutPanel(HWND panel, const PanelState& state, int width, int height)
{
    if (state.Children.empty())
        return;
    const int dx = width - state.TemplateSize.cx;
    const int dy = height - state.TemplateSize.cy;
    HWND userGroup = GetDlgItem(panel, UserGroupId);
    RECT group = {};
    for (const PanelState::Placed& child : state.Children)
        if (child.Window == userGroup)
            group = child.Rect;
    // The user group never shrinks above its label and a few entries.
    const int minimumGroup = Scaled(70);
    const int stretch = std::max(dy, minimumGroup - int(group.bottom - group.top));
    HDWP moves = BeginDeferWindowPos(int(state.Children.size()));
    for (const PanelState::Placed& child : state.Children) {
        RECT r = child.Rect;
        const int id = GetDlgCtrlID(child.Window);
        if (id == SavePresetButtonId || id == DeletePresetButtonId) {
            // Side by side across the whole width, whatever it is.
            const int gap = Scaled(6);
            const int half = (width - gap) / 2;
            OffsetRect(&r, 0, stretch);
            r.left = id == SavePresetButtonId ? 0 : width - half;
            r.right = r.left + half;
        } else {
            r.right += dx;
            if (id == UserGroupId || id == UserListId)
                r.bottom += stretch;
        }
        if (moves)
            moves = DeferWindowPos(moves, child.Window, nullptr, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves)
        EndDeferWindowPos(moves);
    InvalidateRect(panel, nullptr, TRUE);
}

void Initialise(HWND panel, PanelState& state)
{
    RECT client;
    GetClientRect(panel, &client);
    state.TemplateSize = {client.right, client.bottom};
    for (HWND child = GetWindow(panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&r), 2);
        state.Children.push_back({child, r});
    }

    state.ListFont =
        CreateFontW(-Scaled(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    for (int id : {FactoryListId, UserListId}) {
        HWND list = GetDlgItem(panel, id);
        SendMessageW(list, WM_SETFONT, WPARAM(state.ListFont), FALSE);
        HDC dc = GetDC(list);
        HGDIOBJ old = SelectObject(dc, state.ListFont);
        TEXTMETRICW metrics = {};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(list, dc);
        // Room for the 16 × 14 icon at one pixel down, or for the text.
        SendMessageW(list, LB_SETITEMHEIGHT, 0, std::max<int>(16, metrics.tmHeight + 2));
    }
    for (int id : {FactoryFolderLabelId, UserFolderLabelId, GroupLabelId, UserGroupId})
        if (HWND label = id == GroupLabelId ? GetWindow(panel, GW_CHILD) : GetDlgItem(panel, id))
            SendMessageW(label, WM_SETFONT, WPARAM(Kit().LabelFont), FALSE);
    for (int id : {SavePresetButtonId, DeletePresetButtonId})
        SendMessageW(GetDlgItem(panel, id), WM_SETFONT, WPARAM(Kit().ButtonFont), FALSE);
    AttachTooltip(GetDlgItem(panel, SavePresetButtonId), L"Save current parameters");
    AttachTooltip(GetDlgItem(panel, DeletePresetButtonId), L"Delete selected preset");
    AttachTooltip(GetDlgItem(panel, FactoryListId), L"Click to apply a factory parameters preset");
    AttachTooltip(GetDlgItem(panel, UserListId), L"Click to apply an user saved parameters preset");

    for (PresetTree tree : {PresetTree::Factory, PresetTree::User}) {
        state.Model.Fill(tree);
        ShowList(panel, state, tree);
    }
    UpdateDelete(panel, state);
}

void SelectionChanged(HWND panel, PanelState& state, PresetTree tree)
{
    const int index = int(SendMessageW(GetDlgItem(panel, ListIdOf(tree)), LB_GETCURSEL, 0, 0));
    // Reading a preset may ask the user (a damaged file); nothing else of the
    // dialog may run meanwhile.
    HWND dialog = GetParent(panel);
    EnableWindow(dialog, FALSE);
    const SelectionOutcome outcome = state.Model.Select(tree, index, *state.Setup.Params, *state.Setup.Inks);
    EnableWindow(dialog, TRUE);
    UpdateDelete(panel, state);
    if (outcome.Action != SelectionAction::Nothing && state.Setup.Applied)
        state.Setup.Applied(outcome);
}

void Command(HWND panel, PanelState& state, int id, int code)
{
    switch (id) {
    case FactoryListId:
    case UserListId: {
        const PresetTree tree = TreeOfList(id);
        if (code == LBN_SELCHANGE) {
            SelectionChanged(panel, state, tree);
        } else if (code == LBN_DBLCLK) {
            const int index = int(SendMessageW(GetDlgItem(panel, id), LB_GETCURSEL, 0, 0));
            if (state.Model.OpenEntry(tree, index)) {
                ShowList(panel, state, tree);
                UpdateDelete(panel, state);
            }
        }
        return;
    }
    case SavePresetButtonId: {
        WindowSavePrompts prompts(Kit().Instance, panel);
        const PresetSaveOutcome outcome = state.Model.Save(*state.Setup.Params, prompts);
        if (outcome.Result != PresetSaveResult::Cancelled)
            ShowList(panel, state, PresetTree::User);
        UpdateDelete(panel, state);
        return;
    }
    case DeletePresetButtonId:
        if (!state.Model.DeleteEnabled())
            return;
        state.Model.DeleteSelected();
        ShowList(panel, state, PresetTree::User);
        UpdateDelete(panel, state);
        return;
    case IdRefresh:
    case IdReloadPages:
        SendMessageW(GetParent(panel), WM_COMMAND, MAKEWPARAM(id, code), 0);
        return;
    }
}

INT_PTR CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    PanelState* state = StateOf(panel);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(panel, DWLP_USER, lParam);
        Initialise(panel, *reinterpret_cast<PanelState*>(lParam));
        return FALSE;
    case WM_SIZE:
        if (state)
            LayOutPanel(panel, *state, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_COMMAND:
        if (state)
            Command(panel, *state, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DRAWITEM:
        if (state && (wParam == FactoryListId || wParam == UserListId)) {
            DrawEntry(*state, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return FALSE;
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(Kit().DialogBrush);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, TextColor);
        SetBkColor(dc, DialogColor);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(Kit().DialogBrush);
    }
    case WM_NCDESTROY:
        if (state) {
            SetWindowLongPtrW(panel, DWLP_USER, 0);
            if (state->ListFont)
                DeleteObject(state->ListFont);
            delete state;
        }
        return FALSE;
    }
    return FALSE;
}

} // namespace

HWND CreatePresetsPanel(HWND dialog, int x, int y, int width, PresetsPanelSetup setup)
{
    if (!setup.Params || !setup.Inks)
        return nullptr;
    // The panel frees its state with its window.
    auto* state = new PanelState(std::move(setup));
    HWND panel = CreateDialogParamW(Kit().Instance, MAKEINTRESOURCEW(PresetsPanelTemplate), dialog, PanelProc,
                                    reinterpret_cast<LPARAM>(state));
    if (!panel)
        return nullptr;
    SetWindowLongPtrW(panel, GWLP_ID, PresetsPanelTemplate);
    RECT r;
    GetWindowRect(panel, &r);
    SetWindowPos(panel, nullptr, x, y, width, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return panel;
}

} // namespace vel::ui
