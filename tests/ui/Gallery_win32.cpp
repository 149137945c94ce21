// The controls' gallery: every control in its normal, hover, pressed and
// disabled looks on one window, with the "Set value" dialog open beside it,
// at the screen's dpi. scripts/ui-gallery.sh photographs it under Xvfb; the
// program stays up until it is ended.

#include "ui/controls/Artwork.h"
#include "ui/controls/Controls.h"
#include "ui/help/AboutBox.h"

#include <cstdio>
#include <cstring>
#include <vector>

using namespace vel::ui;

namespace {

constexpr wchar_t GalleryClass[] = L"Vellisto Control Gallery";
constexpr int Columns = 4;
const wchar_t* const LookNames[Columns] = {L"normal", L"hover", L"pressed", L"disabled"};
constexpr int RowLabelWidth = 170, ColumnWidth = 130, Top = 34, Left = 12;
HWND Gallery = nullptr;
HWND EntryField = nullptr;

struct Row {
    const wchar_t* Name;
    int Height; // at 96 dpi, the row's room
    bool Dark;  // on the dark strip around the preview
    // Creates the control of one column and returns its window.
    HWND (*Make)(HWND parent, int id, int x, int y);
};

HWND Make(const wchar_t* cls, HWND parent, int id, int x, int y, int w, int h, const wchar_t* text = L"",
          DWORD style = 0)
{
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, Scaled(w), Scaled(h), parent,
                           reinterpret_cast<HMENU>(INT_PTR(id)), Kit().Instance, nullptr);
}

HWND MakeDefaultButton(HWND parent, int id, int x, int y)
{
    return Make(MacStyleButton::ClassName, parent, id, x, y, 89, 22, L"OK", BS_DEFPUSHBUTTON);
}
HWND MakeButton(HWND parent, int id, int x, int y)
{
    return Make(MacStyleButton::ClassName, parent, id, x, y, 89, 22, L"Cancel");
}
HWND MakeDeleteButton(HWND parent, int id, int x, int y)
{
    HWND button = Make(BitmapButton::ClassName, parent, id, x + Scaled(4), y + Scaled(2), 13, 13);
    HBITMAP bitmaps[4];
    MakeDeleteButtonBitmaps(bitmaps);
    SetButtonBitmaps(*FindControl<BitmapButton>(button), bitmaps[0], bitmaps[1], bitmaps[2], bitmaps[3],
                     false);
    return button;
}
HWND MakeTextButton(HWND parent, int id, int x, int y)
{
    return Make(TContaner::ClassName, parent, id, x, y, 75, 16, L"Layer One");
}
HWND MakeCurrentTextButton(HWND parent, int id, int x, int y)
{
    HWND window = Make(TContaner::ClassName, parent, id, x, y, 75, 16, L"Composite");
    FindControl<TContaner>(window)->Clickable = false;
    return window;
}
HWND MakeField(HWND parent, int id, int x, int y)
{
    HWND window = Make(SpinEdit::ClassName, parent, id, x, y, 110, 46);
    SpinEditSetup setup;
    setup.Values.RangeMin = 0;
    setup.Values.RangeMax = 100;
    setup.Values.LimitMin = 0;
    setup.Values.LimitMax = 200;
    setup.Values.RangeEditable = true;
    setup.Values.Value = 42.5f;
    setup.Default = 8;
    setup.ValueName = L"Width";
    SetUpSpinEdit(parent, id, setup);
    if (!EntryField)
        EntryField = window;
    return window;
}
HWND MakeDial(HWND parent, int id, int x, int y, DialMode mode, bool centre, bool edit, float a, float e)
{
    HWND window = Make(Rotor::ClassName, parent, id, x, y, 101, 101);
    RotorSetup setup;
    setup.Mode = mode;
    setup.CentreMode = centre;
    setup.EmbeddedEdit = edit;
    setup.DefaultAngle = 30;
    Rotor* dial = SetUpRotor(parent, id, setup);
    if (centre)
        SetRotorCentre(*dial, a, e);
    else
        SetRotorAngles(*dial, a, e);
    return window;
}
HWND MakeAngleDial(HWND parent, int id, int x, int y)
{
    return MakeDial(parent, id, x, y, DialMode::Angle, false, true, 30, 90);
}
HWND MakeEmbossDial(HWND parent, int id, int x, int y)
{
    return MakeDial(parent, id, x, y, DialMode::TwoAngle, false, false, 45, 45);
}
HWND MakeCentreDial(HWND parent, int id, int x, int y)
{
    return MakeDial(parent, id, x, y, DialMode::TwoAngle, true, false, 40, -30);
}
HWND MakeSwatch(HWND parent, int id, int x, int y)
{
    HWND window = Make(ColorSwatch::ClassName, parent, id, x, y, 40, 20);
    SetSwatchColor(*FindControl<ColorSwatch>(window), RGB(214, 190, 140));
    return window;
}
HWND MakeLink(HWND parent, int id, int x, int y)
{
    return Make(LinkLabel::ClassName, parent, id, x, y, 110, 16, L"nimbara.example");
}
HWND MakePicture(HWND parent, int id, int x, int y)
{
    // A small banner made here: a grey ramp with a darker band.
    const int w = Scaled(96), h = Scaled(30);
    std::vector<uint32_t> pixels(size_t(w) * size_t(h));
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const uint32_t v = uint32_t(120 + 100 * i / w - (j > h / 3 && j < 2 * h / 3 ? 60 : 0));
            pixels[size_t(j) * size_t(w) + size_t(i)] = (v << 16) | (v << 8) | v;
        }
    HWND window = Make(PictureControl::ClassName, parent, id, x, y, 96, 30);
    SetPicture(*FindControl<PictureControl>(window), BitmapFromPixels(pixels.data(), w, h));
    return window;
}

const Row Rows[] = {
    {L"MacStyleBtn (default)", 36, false, MakeDefaultButton},
    {L"MacStyleBtn", 36, false, MakeButton},
    {L"Control Button CPP", 30, true, MakeDeleteButton},
    {L"Contaner CPP", 30, true, MakeTextButton},
    {L"Contaner CPP (current)", 30, true, MakeCurrentTextButton},
    {L"Spin Edit CPP", 58, false, MakeField},
    {L"Rotor CPP (Angle)", 110, false, MakeAngleDial},
    {L"Rotor CPP (Emboss)", 110, false, MakeEmbossDial},
    {L"Rotor CPP (Center)", 110, false, MakeCentreDial},
    {L"Contaner Color CPP", 32, false, MakeSwatch},
    {L"ContainerLinkC", 28, false, MakeLink},
    {L"Control CPP", 40, false, MakePicture},
};

// The dark strips behind the controls that sit on them in the dialog.
void PaintStrips(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    int y = Top;
    for (const Row& row : Rows) {
        if (row.Dark) {
            RECT strip = {Scaled(Left + RowLabelWidth - 8), Scaled(y - 5),
                          Scaled(Left + RowLabelWidth + Columns * ColumnWidth - 20), Scaled(y + 21)};
            FillRect(dc, &strip, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
        y += row.Height;
    }
    EndPaint(window, &paint);
}

void MakeLabel(HWND parent, const wchar_t* text, int x, int y, int w)
{
    HWND label = Make(L"STATIC", parent, -1, x, y, w, 16, text);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(Kit().LabelFont), FALSE);
}

void Populate(HWND window)
{
    for (int c = 0; c < Columns; ++c)
        MakeLabel(window, LookNames[c], Scaled(Left + RowLabelWidth + c * ColumnWidth), Scaled(10), 100);
    int y = Top;
    int id = 100;
    for (const Row& row : Rows) {
        MakeLabel(window, row.Name, Scaled(Left), Scaled(y + 3), RowLabelWidth - 8);
        for (int c = 0; c < Columns; ++c) {
            HWND control = row.Make(window, id++, Scaled(Left + RowLabelWidth + c * ColumnWidth), Scaled(y));
            if (c == 1)
                ShowLook(control, ControlLook::Hover);
            if (c == 2) {
                ShowLook(control, ControlLook::Pressed);
                if (auto* field = FindControl<SpinEdit>(control))
                    ShowLook(field->Slider, ControlLook::Pressed);
            }
            if (c == 3)
                EnableControl(control, false);
        }
        y += row.Height;
    }
}

// Tells the screenshot script where a window lies on the screen, as an
// ImageMagick crop geometry.
void PrintPlace(const char* name, HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    std::printf("%s %ldx%ld+%ld+%ld\n", name, r.right - r.left, r.bottom - r.top, r.left, r.top);
    std::fflush(stdout);
}

// Puts the value-entry dialog beside the gallery once it is open.
void CALLBACK PlaceDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(nullptr, L"Set value");
    if (!dialog)
        return;
    KillTimer(nullptr, timer);
    RECT gallery;
    GetWindowRect(Gallery, &gallery);
    SetWindowPos(dialog, nullptr, gallery.right + Scaled(16), gallery.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PrintPlace("value-entry", dialog);
}

// "About": the About box alone at the top left, for its picture.
void CALLBACK PlaceAbout(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = FindWindowW(nullptr, L"About Nimbara VellistoIII");
    if (!box)
        return;
    KillTimer(nullptr, timer);
    SetWindowPos(box, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PrintPlace("about", box);
}

LRESULT CALLBACK GalleryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wParam), DialogColor);
        SetTextColor(reinterpret_cast<HDC>(wParam), TextColor);
        return reinterpret_cast<LRESULT>(Kit().DialogBrush);
    case WM_PAINT:
        PaintStrips(window);
        return 0;
    case WM_APP:
        SetTimer(nullptr, 0, 50, PlaceDialog);
        RunValueEntry(*FindControl<SpinEdit>(EntryField));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    std::printf("dpi %d\n", dpi);
    std::fflush(stdout);
    if (argc > 1 && std::strcmp(argv[1], "about") == 0) {
        HelpLauncher launcher([](const std::string&) {});
        SetTimer(nullptr, 0, 50, PlaceAbout);
        ShowAboutBox(GetModuleHandleW(nullptr), nullptr, launcher);
        return 0;
    }
    if (!OpenControlKit(GetModuleHandleW(nullptr), dpi))
        return 1;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = GalleryProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = Kit().Arrow;
    wc.hbrBackground = Kit().DialogBrush;
    wc.lpszClassName = GalleryClass;
    RegisterClassExW(&wc);
    int height = Top + 10;
    for (const Row& row : Rows)
        height += row.Height;
    RECT frame = {0, 0, Scaled(Left + RowLabelWidth + Columns * ColumnWidth), Scaled(height)};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    Gallery = CreateWindowExW(0, GalleryClass, L"Vellisto III controls",
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Populate(Gallery);
    ShowWindow(Gallery, SW_SHOW);
    UpdateWindow(Gallery);
    PostMessageW(Gallery, WM_APP, 0, 0);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    CloseControlKit();
    return 0;
}
