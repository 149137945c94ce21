#include "ui/help/AboutBox.h"

#include "platform/Folders.h"
#include "ui/controls/Controls.h"

#include <cmath>
#include <vector>

namespace vel::ui {
namespace {

struct AboutState {
    HelpLauncher* Launcher;
};

// The box's picture: engraved rings whose lines swell towards the lower
// left, in the dialog's ink colour on paper white.
HBITMAP MakeAboutPicture(int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    const double cx = width * 0.62, cy = height * 0.38;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double r = std::hypot(x - cx, y - cy);
            const double tone = 0.15 + 0.7 * (double(height - y) / height) * (double(width - x) / width);
            const double line = 0.5 + 0.5 * std::cos(r * 0.9);
            const bool ink = line > tone + 0.25;
            pixels[size_t(y) * size_t(width) + size_t(x)] = ink ? 0x32373Cu : 0xF4F3EFu;
        }
    return BitmapFromPixels(pixels.data(), width, height);
}

void InitAbout(HWND box)
{
    SetDlgItemTextW(box, AboutVersionId, AboutVersionText);
    SetDlgItemTextA(box, AboutMakerLinkId, MakerSiteAddress);
    AttachTooltip(GetDlgItem(box, AboutProductLinkId), L"Visit the VellistoIII product page on our site");
    AttachTooltip(GetDlgItem(box, AboutMakerLinkId), L"Visit our site and look at other products");
    AttachTooltip(GetDlgItem(box, IDCANCEL), L"Close About window");
    if (auto* picture = FindControl<PictureControl>(box, AboutPictureId)) {
        RECT area;
        GetClientRect(picture->Window, &area);
        SetPicture(*picture, MakeAboutPicture(area.right, area.bottom));
    }
}

INT_PTR CALLBACK AboutProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<AboutState*>(GetWindowLongPtrW(box, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(box, DWLP_USER, lParam);
        InitAbout(box);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), TextColor);
        SetBkColor(reinterpret_cast<HDC>(wParam), DialogColor);
        return reinterpret_cast<INT_PTR>(Kit().DialogBrush);
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(Kit().DialogBrush);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case AboutProductLinkId:
            if (state)
                state->Launcher->OpenWebPage(ProductPageAddress);
            return TRUE;
        case AboutMakerLinkId:
            if (state)
                state->Launcher->OpenWebPage(MakerSiteAddress);
            return TRUE;
        case IDOK:
        case IDCANCEL:
            EndDialog(box, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi;
}

} // namespace

void ShowAboutBox(HINSTANCE instance, HWND owner, HelpLauncher& launcher)
{
    const bool ownKit = Kit().Instance == nullptr;
    if (ownKit && !OpenControlKit(instance, ScreenDpi()))
        return;
    AboutState state{&launcher};
    DialogBoxParamW(Kit().Instance, MAKEINTRESOURCEW(AboutBoxTemplate), owner, AboutProc,
                    reinterpret_cast<LPARAM>(&state));
    if (ownKit)
        CloseControlKit();
}

} // namespace vel::ui

namespace vel {

void ShowAboutWindow(PluginSession&)
{
    // The module lives as long as the host keeps it, and so does a launch.
    static ui::HelpLauncher launcher(ui::ShellOpen);
    ui::ShowAboutBox(static_cast<HINSTANCE>(StoredModuleHandle()), GetActiveWindow(), launcher);
}

} // namespace vel
