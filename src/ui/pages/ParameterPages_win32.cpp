// The parameter pages: one page procedure for "Engrave", "Randomize" and
// "Effects". Every control is found through the page tables; a command
// stores its whole group into the block and does what follows it, a reload
// sets every control from the block without notifying, and the enable rules
// go to the controls and their labels.

#include "ui/pages/ParameterPages.h"

#include "color/Paper.h"
#include "engine/RenderDriver.h"
#include "ui/controls/Artwork.h"
#include "ui/controls/Controls.h"
#include "ui/controls/ValueText.h"
#include "ui/pages/PageBinding.h"
#include "ui/pages/PaperStripWindow.h"

#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace vel::ui {
namespace {

constexpr int RefreshCommand = 7777;
constexpr int TypedFieldLimit = 15;
constexpr int CentreRotorId = 1935, AngleRotorId = 1182, EmbossRotorId = 1190;
constexpr int CentreXId = 1015, CentreYId = 1016, AlphaId = 1191, BetaId = 1192, SeedId = 1915;
constexpr int LinkToggleId = 1295, LineWidthId = 1002, InkNumberId = 2007, PaperStripId = 1902;
constexpr int PaperColorId = 1195, RandomId = 2;

struct PageRecord {
    PageKind Kind = PageKind::Engrave;
    PageLinks Links;
    InkPaletteView Inks; // "Effects" only
    HICON Icons[3] = {};
};

PageRecord* RecordOf(HWND page)
{
    return reinterpret_cast<PageRecord*>(GetWindowLongPtrW(page, DWLP_USER));
}

std::wstring Wide(const char* text)
{
    if (!text || !*text)
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(size_t(std::max(length, 1)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

ParameterBlock& Block(const PageRecord& record)
{
    return *record.Links.Session->State.Params;
}
RenderState& Render(const PageRecord& record)
{
    return record.Links.Session->Render;
}
PageView ViewOf(const PageRecord& record)
{
    return record.Links.ViewOf ? record.Links.ViewOf(record.Kind) : PageView::Composite;
}

void SetText(HWND page, int id, const std::string& text)
{
    SetWindowTextA(GetDlgItem(page, id), text.c_str());
}

// What a typed field shows for the stored value: the rotor buddies two
// decimals, the seed an integer.
std::string FieldText(const PageRecord& record, int id)
{
    const ParameterBlock& block = Block(record);
    const LayerParameters& layer = SelectLayer(block, EditedLayer(ViewOf(record)));
    switch (id) {
    case CentreXId:
        return FormatDialBuddy(layer.CenterX);
    case CentreYId:
        return FormatDialBuddy(layer.CenterY);
    case AlphaId:
        return FormatDialBuddy(block.EmbossAlpha);
    case BetaId:
        return FormatDialBuddy(block.EmbossBeta);
    case SeedId:
        return std::to_string(layer.CoverageRandom);
    }
    return {};
}

// The centre rotor and its X/Y fields for the edited layer's centre (the
// rotor's y points down the screen).
void ShowCentre(HWND page, const PageRecord& record)
{
    const LayerParameters& layer = SelectLayer(Block(record), EditedLayer(ViewOf(record)));
    if (Rotor* dial = FindControl<Rotor>(page, CentreRotorId))
        SetRotorCentre(*dial, layer.CenterX, -layer.CenterY);
    SetText(page, CentreXId, FieldText(record, CentreXId));
    SetText(page, CentreYId, FieldText(record, CentreYId));
}

void ShowEmbossAngles(HWND page, const PageRecord& record)
{
    const ParameterBlock& block = Block(record);
    if (Rotor* dial = FindControl<Rotor>(page, EmbossRotorId))
        SetRotorAngles(*dial, block.EmbossAlpha, block.EmbossBeta);
    SetText(page, AlphaId, FieldText(record, AlphaId));
    SetText(page, BetaId, FieldText(record, BetaId));
}

void RedrawStrip(HWND page, const PageRecord& record)
{
    const ParameterBlock& block = Block(record);
    RedrawPaperStrip(GetDlgItem(page, PaperStripId), COLORREF(block.PaperColor), block.PaperName);
}

// The enable rules of the page; the preview's centre mark follows the
// "Engrave" rules and is hidden by the others.
void ApplyRules(HWND page, PageRecord& record)
{
    const ParameterBlock& block = Block(record);
    const PageView view = ViewOf(record);
    const PageEnables rules = PageEnablesFor(record.Kind, block, view);
    for (const ControlEnable& control : rules.Controls)
        if (HWND window = GetDlgItem(page, control.Id))
            EnableControl(window, control.Enabled);
    if (record.Links.Crosshair) {
        const LayerParameters& layer = SelectLayer(block, EditedLayer(view));
        record.Links.Crosshair(page, record.Kind == PageKind::Engrave && rules.CrosshairShown, layer.CenterX,
                               layer.CenterY);
    }
    if (record.Kind == PageKind::Effects)
        record.Inks.SetInteraction(rules.PaletteInteraction);
}

void Reload(HWND page, PageRecord& record)
{
    const ParameterBlock& block = Block(record);
    const PageView view = ViewOf(record);
    const LayerIndex layer = EditedLayer(view);
    const int inkCount = Render(record).Inks.InkCount;
    for (const ControlBinding& control : PageControls(record.Kind)) {
        HWND window = GetDlgItem(page, control.Id);
        const double value = ReloadValue(control, block, view, 0, inkCount);
        switch (control.Kind) {
        case ControlKind::Numeric:
            if (SpinEdit* field = FindControl<SpinEdit>(window)) {
                field->Default = float(DoubleClickDefault(control, layer));
                SetSpinEditValue(*field, float(value));
            }
            break;
        case ControlKind::Combo:
            SendMessageW(window, CB_SETCURSEL, WPARAM(int(value)), 0);
            break;
        case ControlKind::Check:
            SendMessageW(window, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case ControlKind::Toggle:
            if (BitmapButton* toggle = FindControl<BitmapButton>(window))
                SetButtonChecked(*toggle, value == 1);
            break;
        case ControlKind::Rotor:
            if (control.Id == CentreRotorId) {
                ShowCentre(page, record);
            } else if (control.Id == EmbossRotorId) {
                ShowEmbossAngles(page, record);
            } else if (Rotor* dial = FindControl<Rotor>(window)) {
                dial->DefaultAngle = float(DoubleClickDefault(control, layer));
                SetRotorAngles(*dial, float(value), dial->DialElevation);
            }
            break;
        case ControlKind::Edit:
            if (control.Id == SeedId)
                SetText(page, SeedId, FieldText(record, SeedId));
            break;
        case ControlKind::ColorSwatch:
            if (ColorSwatch* swatch = FindControl<ColorSwatch>(window))
                SetSwatchColor(*swatch, COLORREF(block.PaperColor));
            break;
        case ControlKind::PaperStrip:
            RedrawStrip(page, record);
            break;
        default:
            break;
        }
    }
    ApplyRules(page, record);
    if (record.Kind == PageKind::Effects)
        InvalidateRect(page, nullptr, TRUE);
}

// The value a control shows, as the storing rules read it.
double ReadControl(HWND page, PageKind kind, int id, int part)
{
    HWND window = GetDlgItem(page, id);
    const ControlBinding* control = FindControl(kind, id);
    if (!control || !window)
        return 0;
    switch (control->Kind) {
    case ControlKind::Numeric:
        if (const SpinEdit* field = FindControl<SpinEdit>(window))
            return field->Values.Value;
        return 0;
    case ControlKind::Combo:
        return double(SendMessageW(window, CB_GETCURSEL, 0, 0));
    case ControlKind::Check:
        return SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    case ControlKind::Toggle:
        if (const BitmapButton* toggle = FindControl<BitmapButton>(window))
            return toggle->Checked ? 1 : 0;
        return 0;
    case ControlKind::Rotor:
        if (const Rotor* dial = FindControl<Rotor>(window)) {
            if (dial->CentreMode) {
                float x = 0, y = 0;
                RotorCentre(*dial, x, y);
                return part == 0 ? x : y;
            }
            return part == 0 ? dial->DialAngle : dial->DialElevation;
        }
        return 0;
    case ControlKind::ColorSwatch:
        if (const ColorSwatch* swatch = FindControl<ColorSwatch>(window))
            return double(swatch->Color);
        return 0;
    default:
        return 0;
    }
}

void Refresh(const PageRecord& record)
{
    if (record.Links.Refresh)
        record.Links.Refresh();
}
void RefreshNow(const PageRecord& record)
{
    if (record.Links.RefreshNow)
        record.Links.RefreshNow();
}

// Esc in a typed field: the dialog closes when the field shows the stored
// value; otherwise the field shows it again.
void EscapeField(HWND page, PageRecord& record, int id)
{
    HWND edit = GetDlgItem(page, id);
    const EscapeAnswer answer =
        EscapeInField(Block(record), ViewOf(record), id, ControlEditText(edit, TypedFieldLimit));
    if (answer.CloseDialog) {
        EndDialog(record.Links.Dialog, 2);
        return;
    }
    SetText(page, id, FieldText(record, id));
}

void CommitField(HWND page, PageRecord& record, int id)
{
    ParameterBlock& block = Block(record);
    const PageView view = ViewOf(record);
    const std::string text = ControlEditText(GetDlgItem(page, id), TypedFieldLimit);
    switch (id) {
    case CentreXId:
    case CentreYId:
        if (CommitCenterField(block, view, id, text)) {
            ShowCentre(page, record);
            ApplyRules(page, record); // the shown centre follows
            Refresh(record);
        }
        return;
    case AlphaId:
    case BetaId:
        if (CommitEmbossAngleField(block, id, text)) {
            ShowEmbossAngles(page, record);
            Refresh(record);
        }
        return;
    case SeedId: {
        int32_t& seed = SelectLayer(block, EditedLayer(view)).CoverageRandom;
        const int32_t before = seed;
        CommitSeed(block, view, text);
        if (text != FieldText(record, SeedId))
            SetText(page, SeedId, FieldText(record, SeedId));
        if (seed != before)
            RefreshNow(record);
        return;
    }
    }
}

void DrawRandomSeed(HWND page, PageRecord& record)
{
    SetText(page, SeedId, DrawSeed(Block(record), ViewOf(record), std::rand()));
    RefreshNow(record);
}

void ChangeSchema(HWND page, PageRecord& record)
{
    const int selection = int(SendDlgItemMessageW(page, 1036, CB_GETCURSEL, 0, 0));
    if (selection < 0)
        return;
    const int shown =
        ChangeColorSchema(Block(record), Render(record), uint8_t(selection), record.Inks.Editor().ActiveInk);
    if (SpinEdit* field = FindControl<SpinEdit>(page, InkNumberId))
        SetSpinEditValue(*field, float(shown));
    Reload(page, record);
    Refresh(record);
}

void ChangeInks(HWND page, PageRecord& record)
{
    SpinEdit* field = FindControl<SpinEdit>(page, InkNumberId);
    if (!field)
        return;
    const int shown =
        ChangeInkNumber(Block(record), Render(record), field->Values.Value, record.Inks.Editor().ActiveInk);
    SetSpinEditValue(*field, float(shown));
    RefreshNow(record);
    Reload(page, record);
}

void PaperPicked(HWND page, PageRecord& record, int code)
{
    ParameterBlock& block = Block(record);
    if (code == StripChooseColorCode) {
        COLORREF color = COLORREF(block.PaperColor);
        if (!ChooseColorFor(page, color))
            return;
        block.PaperColor = int32_t(color);
    } else if (code == 0) {
        const std::string name = SelectedPaperName(GetDlgItem(page, PaperStripId));
        if (name.empty())
            return;
        ApplyParameterChanges(Render(record), SetPaperName(block, name.c_str()));
    } else {
        return;
    }
    Reload(page, record);
    Refresh(record);
}

// Whether a notification is the one that completes a change of the control.
bool Completes(const ControlBinding& control, int code)
{
    switch (control.Kind) {
    case ControlKind::Combo:
        return code == CBN_SELCHANGE;
    case ControlKind::Check:
    case ControlKind::Button:
        return code == BN_CLICKED;
    default:
        return code == 0;
    }
}

void Command(HWND page, PageRecord& record, int id, int code)
{
    if (id == RefreshCommand) {
        Refresh(record);
        return;
    }
    const ControlBinding* control = FindControl(record.Kind, id);
    if (!control)
        return;
    if (control->Kind == ControlKind::Edit) {
        if (code == EscapeCode)
            EscapeField(page, record, id);
        else if (code == EN_KILLFOCUS || code == EN_MAXTEXT)
            CommitField(page, record, id);
        return;
    }
    if (control->Store == StoreGroup::Inks) {
        record.Inks.Command(id, code);
        return;
    }
    if (control->Kind == ControlKind::PaperStrip) {
        PaperPicked(page, record, code);
        return;
    }
    if (!Completes(*control, code))
        return;
    switch (control->Store) {
    case StoreGroup::None:
        return;
    case StoreGroup::RandomSeed:
        DrawRandomSeed(page, record);
        return;
    case StoreGroup::ColorSchema:
        ChangeSchema(page, record);
        return;
    case StoreGroup::InkNumber:
        ChangeInks(page, record);
        return;
    default:
        break;
    }
    const StoreFollowUp after =
        StoreCommand(Block(record), ViewOf(record), control->Store,
                     [&](int stored, int part) { return ReadControl(page, record.Kind, stored, part); });
    if (after.EngraveRules || after.RandomizeRules || after.EffectsRules ||
        control->Store == StoreGroup::Center)
        ApplyRules(page, record);
    if (after.DropPaperTexture)
        DropPaperTexture(Render(record));
    if (after.RedrawStrip)
        RedrawStrip(page, record);
    if (after.ReloadEffects)
        Reload(page, record);
    if (after.Refresh)
        Refresh(record);
}

// ---------------------------------------------------------------------------
// Setup.

void SetUpRotors(HWND page, PageKind kind)
{
    const auto tip = [kind](int id) { return Wide(FindControl(kind, id)->Tooltip); };
    if (kind == PageKind::Engrave) {
        const std::wstring centreTip = tip(CentreRotorId), angleTip = tip(AngleRotorId);
        RotorSetup centre;
        centre.Mode = DialMode::TwoAngle;
        centre.CentreMode = true;
        centre.Caption = L"Position of Center";
        centre.BuddyIds[0] = CentreXId;
        centre.BuddyIds[1] = CentreYId;
        centre.Tooltip = centreTip.c_str();
        SetUpRotor(page, CentreRotorId, centre);
        RotorSetup angle;
        angle.Mode = DialMode::Angle;
        angle.Caption = L"Angle";
        angle.EmbeddedEdit = true;
        angle.Tooltip = angleTip.c_str();
        SetUpRotor(page, AngleRotorId, angle);
    } else if (kind == PageKind::Effects) {
        const std::wstring embossTip = tip(EmbossRotorId);
        RotorSetup emboss;
        emboss.Mode = DialMode::TwoAngle;
        emboss.Caption = L"Emboss direction";
        emboss.BuddyIds[0] = AlphaId;
        emboss.BuddyIds[1] = BetaId;
        emboss.Tooltip = embossTip.c_str();
        SetUpRotor(page, EmbossRotorId, emboss);
    }
}

// The bind toggle: 15 × 19, 3 pixels right of "Line Width" and centred on it.
void SetUpLinkToggle(HWND page)
{
    HWND toggle = GetDlgItem(page, LinkToggleId);
    BitmapButton* button = FindControl<BitmapButton>(toggle);
    if (!button)
        return;
    RECT width;
    GetWindowRect(GetDlgItem(page, LineWidthId), &width);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&width), 2);
    const int w = Scaled(15), h = Scaled(19);
    SetWindowPos(toggle, nullptr, width.right + Scaled(3), (width.top + width.bottom - h) / 2, w, h,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    HBITMAP bitmaps[4];
    MakeLinkToggleBitmaps(bitmaps);
    SetButtonBitmaps(*button, bitmaps[0], bitmaps[1], bitmaps[2], bitmaps[3], true);
}

void SetUpEffects(HWND page, PageRecord& record)
{
    const struct {
        int Id;
        InkIcon Icon;
    } buttons[] = {{1000, InkIcon::PickColor}, {1001, InkIcon::DeleteInk}, {1505, InkIcon::ScreenPicker}};
    for (int k = 0; k < 3; ++k) {
        record.Icons[k] = MakeInkIcon(buttons[k].Icon);
        SendDlgItemMessageW(page, buttons[k].Id, BM_SETIMAGE, IMAGE_ICON, LPARAM(record.Icons[k]));
    }
    // The strip keeps its size in pixels, centred where the template puts it.
    HWND strip = GetDlgItem(page, PaperStripId);
    RECT place;
    GetWindowRect(strip, &place);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&place), 2);
    const int w = Scaled(292), h = Scaled(63);
    SetWindowPos(strip, nullptr, (place.left + place.right - w) / 2, (place.top + place.bottom - h) / 2, w, h,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    PluginSession& session = *record.Links.Session;
    InkPaletteLinks inks;
    inks.Block = session.State.Params;
    inks.State = &session.Render;
    inks.Refresh = record.Links.Refresh;
    inks.ReloadPages = record.Links.ReloadPages;
    inks.ReloadEffects = [page] { ReloadParameterPage(page); };
    record.Inks.Attach(page, std::move(inks));

    const ParameterBlock& block = Block(record);
    PaperStripSources sources;
    sources.PapersFolder = session.Folders.PapersFolder;
    sources.ThumbsFolder = session.Folders.ThumbsFolder;
    sources.Names = ListPapers(session.Folders.PapersFolder);
    sources.Current = block.PaperName;
    sources.Progress = record.Links.Progress;
    BindPaperStrip(strip, std::move(sources), COLORREF(block.PaperColor));
}

void SetUp(HWND page, PageRecord& record)
{
    const PageKind kind = record.Kind;
    for (const ControlBinding& control : PageControls(kind)) {
        HWND window = GetDlgItem(page, control.Id);
        if (!window)
            continue;
        const std::wstring tip = Wide(control.Tooltip);
        switch (control.Kind) {
        case ControlKind::Numeric: {
            const std::wstring name = Wide(control.ValueName);
            SpinEditSetup setup;
            setup.LabelId = control.LabelId;
            setup.Values = NumericSetup(control);
            setup.Default = float(DoubleClickDefault(control, LayerIndex::One));
            setup.ValueName = name.c_str();
            setup.Tooltip = tip.c_str();
            SetUpSpinEdit(page, control.Id, setup);
            break;
        }
        case ControlKind::Combo:
            SendMessageW(window, WM_SETFONT, WPARAM(Kit().LabelFont), FALSE);
            for (const char* entry : ComboEntries(control))
                SendMessageW(window, CB_ADDSTRING, 0, LPARAM(Wide(entry).c_str()));
            AttachTooltip(window, tip.c_str());
            break;
        case ControlKind::Edit:
            SendMessageW(window, WM_SETFONT, WPARAM(Kit().LabelFont), FALSE);
            SendMessageW(window, EM_LIMITTEXT, TypedFieldLimit, 0);
            AttachTooltip(window, tip.c_str());
            break;
        case ControlKind::Rotor:
            break; // bound below, with their captions and buddies
        default:
            AttachTooltip(window, tip.c_str());
            break;
        }
    }
    SetUpRotors(page, kind);
    if (kind == PageKind::Engrave)
        SetUpLinkToggle(page);
    if (kind == PageKind::Effects)
        SetUpEffects(page, record);
    if (kind == PageKind::Randomize)
        SendDlgItemMessageW(page, RandomId, WM_SETFONT, WPARAM(Kit().ButtonFont), FALSE);
}

// Pointer messages, and the loss of the capture the ink strip holds while
// the pointer is over it or while it picks from the screen.
bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_CAPTURECHANGED;
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        PageRecord* record = reinterpret_cast<PageRecord*>(lParam);
        SetWindowLongPtrW(page, DWLP_USER, LONG_PTR(record));
        SetUp(page, *record);
        Reload(page, *record);
        return FALSE;
    }
    PageRecord* record = RecordOf(page);
    if (!record)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        Command(page, *record, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_PAINT:
        if (record->Kind != PageKind::Effects)
            return FALSE;
        {
            PAINTSTRUCT paint;
            BeginPaint(page, &paint);
            EndPaint(page, &paint);
        }
        record->Inks.Paint();
        return TRUE;
    case WM_CTLCOLORDLG:
        return INT_PTR(Kit().DialogBrush);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        HDC dc = HDC(wParam);
        SetTextColor(dc, TextColor);
        SetBkColor(dc, DialogColor);
        SetBkMode(dc, TRANSPARENT);
        return INT_PTR(Kit().DialogBrush);
    }
    case WM_DESTROY:
        if (record->Kind == PageKind::Effects)
            record->Inks.Detach();
        return FALSE;
    case WM_NCDESTROY:
        for (HICON icon : record->Icons)
            if (icon)
                DestroyIcon(icon);
        SetWindowLongPtrW(page, DWLP_USER, 0);
        delete record;
        return FALSE;
    }
    if (record->Kind == PageKind::Effects && IsMouseMessage(message) &&
        record->Inks.Mouse(message, wParam, lParam))
        return TRUE;
    return FALSE;
}

int TemplateOf(PageKind kind)
{
    switch (kind) {
    case PageKind::Engrave:
        return EngravePageTemplate;
    case PageKind::Randomize:
        return RandomizePageTemplate;
    case PageKind::Effects:
        return EffectsPageTemplate;
    }
    return EngravePageTemplate;
}

} // namespace

HWND CreateParameterPage(HWND dialog, PageKind kind, const PageLinks& links)
{
    auto record = std::make_unique<PageRecord>();
    record->Kind = kind;
    record->Links = links;
    HWND page = CreateDialogParamW(Kit().Instance, MAKEINTRESOURCEW(TemplateOf(kind)), dialog, PageProc,
                                   LPARAM(record.get()));
    if (page)
        record.release(); // owned by the page from here, deleted with it
    return page;
}

void ReloadParameterPage(HWND page)
{
    if (PageRecord* record = page ? RecordOf(page) : nullptr)
        Reload(page, *record);
}

InkPaletteView* PageInkPalette(HWND page)
{
    PageRecord* record = page ? RecordOf(page) : nullptr;
    return record && record->Kind == PageKind::Effects ? &record->Inks : nullptr;
}

} // namespace vel::ui
