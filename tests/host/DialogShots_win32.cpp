// Puts the module's dialog into the states that docs/ui shows, one after the
// other, on a picture: for each it writes "<out>/ready-<n>.txt" (the name and
// the screen rectangle to keep: the dialog, the tab control for a page, the
// presets panel) and waits for "<out>/taken-<n>.txt", which
// scripts/dialog-shots.sh writes once it has photographed the screen. The
// dialog series ends with the paper strip in a window of its own on its
// second page; "<out>/done.txt" ends the series.
//
//   dialog_shots MODULE PICTURE OUTFOLDER [dialog|pages]

#include "DialogWatcher.h"
#include "LoadedModule.h"
#include "session/FakeHost.h"

#include "color/ImageLoader.h"
#include "color/Paper.h"
#include "ui/controls/Controls.h"
#include "ui/pages/PaperStrip.h"
#include "ui/pages/PaperStripWindow.h"

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <string>

using namespace vel;
using namespace vel::test;

namespace {

constexpr int IdZoomOut = 1001, IdAddLayer = 504, IdLayerTwo = 503, IdComposite = 500, IdOriginal = 508;
constexpr int IdZoomFit = 9001, IdZoomActual = 9002, IdTabs = 999;

std::string Folder;
int Shot = 0;

bool Exists(const std::string& path)
{
    std::ifstream in(path);
    return bool(in);
}

// Announces a picture of the screen rectangle `r` and waits until it was
// taken, running `pump` meanwhile.
template <class Pump> void Announce(const std::string& name, const RECT& r, Pump pump)
{
    const std::string ready = Folder + "/ready-" + std::to_string(Shot) + ".txt";
    {
        std::ofstream out(ready + ".part");
        out << name << " " << r.right - r.left << "x" << r.bottom - r.top << "+" << r.left << "+" << r.top
            << "\n";
    }
    MoveFileA((ready + ".part").c_str(), ready.c_str());
    const std::string taken = Folder + "/taken-" + std::to_string(Shot) + ".txt";
    for (int wait = 0; wait < 600 && !Exists(taken); ++wait)
        pump(100);
    ++Shot;
}

// The dialog, or a part of it with a margin around it.
void Photograph(HWND dialog, const std::string& name, HWND part = nullptr)
{
    Settle(dialog);
    Sleep(400);
    RECT r;
    GetWindowRect(part ? part : dialog, &r);
    if (part)
        InflateRect(&r, 6, 6);
    Announce(name, r, [](DWORD ms) { Sleep(ms); });
}

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

void Command(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Settle(dialog);
}

void MinimumSize(HWND dialog)
{
    MINMAXINFO limits = {};
    SendMessageW(dialog, WM_GETMINMAXINFO, 0, LPARAM(&limits));
    SendMessageW(dialog, WM_ENTERSIZEMOVE, 0, 0);
    SetWindowPos(dialog, nullptr, 20, 20, limits.ptMinTrackSize.x, limits.ptMinTrackSize.y, SWP_NOZORDER);
    SendMessageW(dialog, WM_EXITSIZEMOVE, 0, 0);
    Settle(dialog);
}

void DialogScript(HWND dialog)
{
    MinimumSize(dialog);
    Command(dialog, IdZoomActual);
    Photograph(dialog, "dialog-minimum-100-composite");
    Command(dialog, IdZoomFit);
    Photograph(dialog, "dialog-minimum-fit-composite");
    Click(GetDlgItem(dialog, IdAddLayer));
    Photograph(dialog, "dialog-minimum-fit-layer-two");

    PostMessageW(dialog, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Settle(dialog);
    Command(dialog, IdZoomActual);
    Photograph(dialog, "dialog-maximized-100-layer-two");
    Click(GetDlgItem(dialog, IdComposite));
    Command(dialog, IdZoomOut);
    Photograph(dialog, "dialog-maximized-50-composite");
    Click(GetDlgItem(dialog, IdOriginal));
    Photograph(dialog, "dialog-maximized-50-original");

    // The presets panel inside a factory folder, at the minimum size.
    PostMessageW(dialog, WM_SYSCOMMAND, SC_RESTORE, 0);
    Settle(dialog);
    MinimumSize(dialog);
    HWND panel = GetDlgItem(dialog, PresetsPanelId);
    ClickListEntry(GetDlgItem(panel, 1084), L"\tPapers", true);
    Photograph(dialog, "presets-panel-folder", panel);
    DialogWatcher::PressCancel(dialog);
}

// A control of the page shown in the tabs (a child dialog of the dialog).
HWND PageControl(HWND dialog, int id)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(child))
            if (HWND control = GetDlgItem(child, id))
                return control;
    }
    return nullptr;
}

// Picks an entry of a page's combo box as the user would.
void Choose(HWND dialog, int id, int entry)
{
    HWND combo = PageControl(dialog, id);
    SendMessageW(combo, CB_SETCURSEL, WPARAM(entry), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(combo));
    Settle(dialog);
}

// Each page for a parallel, a radial and an iso-line pattern, then the
// "Effects" page with each colour schema.
void PagesScript(HWND dialog)
{
    MinimumSize(dialog);
    Command(dialog, IdZoomFit);
    HWND tabs = GetDlgItem(dialog, IdTabs);
    const char* const pageNames[] = {"engrave", "randomize", "effects"};
    const struct {
        const char* Name;
        int Geometry;
    } patterns[] = {{"lines", 0}, {"rings", 8}, {"iso-lines-1", 45}};
    for (const auto& pattern : patterns) {
        ClickTab(dialog, 0);
        Choose(dialog, 1035, pattern.Geometry);
        for (int tab = 0; tab < 3; ++tab) {
            ClickTab(dialog, tab);
            Photograph(dialog, std::string("page-") + pageNames[tab] + "-" + pattern.Name, tabs);
        }
    }
    ClickTab(dialog, 2);
    for (int schema = 0; schema < 5; ++schema) {
        Choose(dialog, 1036, schema);
        Photograph(dialog, "effects-schema-" + std::to_string(schema), tabs);
    }
    DialogWatcher::PressCancel(dialog);
}

LRESULT CALLBACK BackdropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(window, &r);
        FillRect(HDC(wParam), &r, vel::ui::Kit().DialogBrush);
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The paper strip of the module's papers on its second page, in a plain
// window of the dialog's colour.
void PhotographStrip(const std::string& papersFolder)
{
    using namespace vel::ui;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!OpenControlKit(instance, dpi))
        return;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = BackdropProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"StripBackdrop";
    RegisterClassExW(&wc);
    const int margin = 12;
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40,
                                  StripWidth + 2 * margin, StripHeight + 2 * margin, nullptr, nullptr,
                                  instance, nullptr);
    HWND strip =
        CreateWindowExW(0, TFilmstripControl::ClassName, L"", WS_CHILD | WS_VISIBLE, margin, margin,
                        StripWidth, StripHeight, window, HMENU(intptr_t(PaperStripId)), instance, nullptr);
    PaperStripSources sources;
    sources.PapersFolder = papersFolder;
    CreateDirectoryA((Folder + "\\Thumb").c_str(), nullptr);
    sources.ThumbsFolder = Folder + "\\Thumb\\";
    sources.Names = vel::ListPapers(papersFolder);
    sources.Current = sources.Names.size() > 5 ? sources.Names[5] : "Solid";
    BindPaperStrip(strip, std::move(sources), RGB(238, 226, 200));
    PumpFor(200);
    PostMessageW(strip, WM_COMMAND, MAKEWPARAM(StripNextId, 0), 0);
    PumpFor(800);
    RECT r;
    GetWindowRect(window, &r);
    Announce("paper-strip-page2", r, PumpFor);
    DestroyWindow(window);
    CloseControlKit();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "dialog_shots MODULE PICTURE OUTFOLDER\n");
        return 2;
    }
    Folder = argv[3];
    Plane<uint8_t> picture;
    if (!LoadImageRGBA(argv[2], picture)) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 1;
    }
    FakeImage image(picture.Width(), picture.Height(), 3);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            for (int k = 0; k < 3; ++k)
                image.Set(x, y, k, picture.Row(y)[4 * x + k]);
    LoadedModule module(argv[1]);
    const FilterEntryProc main = module.FindFilterEntry();
    if (!main) {
        std::fprintf(stderr, "cannot load %s\n", argv[1]);
        return 1;
    }
    const PluginEntryFn entry = [main](int16_t selector, void* record, intptr_t* data, int16_t* result) {
        main(selector, record, data, result);
    };
    const bool pages = argc > 4 && std::string(argv[4]) == "pages";
    DialogWatcher watcher(pages ? PagesScript : DialogScript);
    FakeHost host(plugInModeRGBColor, image);
    host.Run(entry, Invocation::Menu);
    if (!pages) {
        const std::string modulePath = argv[1];
        const size_t cut = modulePath.find_last_of("\\/");
        PhotographStrip((cut == std::string::npos ? std::string() : modulePath.substr(0, cut + 1)) +
                        "VellistoIII\\Papers\\");
    }
    std::printf("%d shots\n", Shot);
    std::ofstream(Folder + "/done.txt") << Shot << "\n";
    return 0;
}
