// The main dialog: banner, navigator, the preview between its two dark
// strips with the layers bar, the tab control, the zoom row and the progress
// bar. Every parameter edit posts the refresh command; the dialog renders the
// visible area through the render driver and repaints the preview.

#include "ui/dialog/MainDialog.h"

#include "color/InkState.h"
#include "engine/RenderDriver.h"
#include "params/SettingsFile.h"
#include "platform/Folders.h"
#include "session/DocumentLayers.h"
#include "session/FilterRecordHost.h"
#include "session/ImageRequests.h"
#include "ui/controls/Artwork.h"
#include "ui/controls/Controls.h"
#include "ui/dialog/DialogLogic.h"
#include "ui/help/AboutBox.h"
#include "ui/pages/ParameterPages.h"
#include "ui/pages/PresetsPanelWindow.h"
#include "ui/preview/PreviewPane.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace vel::ui {
namespace {

constexpr int TabCount = 3;
constexpr int DefaultPageWidth = 250; // at 96 dpi, until the first page brings its own width
constexpr UINT_PTR TabSubclassId = 1;
const wchar_t* const TabTitles[TabCount] = {L"   Engrave ", L" Randomize ", L"  Effects  "};
constexpr COLORREF StripText = RGB(127, 127, 127);

struct MainDialogState {
    PluginSession* Session = nullptr;
    HWND Dialog = nullptr;
    int ScreenDpi = 96;
    int CurrentTab = 0, PreviousTab = 0;
    HWND Tabs = nullptr;
    Box PresetsPanelRect; // left, top and width; the layout gives the height
    RECT TabRects[TabCount] = {};
    int HotTab = -1;
    HFONT TabFont = nullptr;
    HWND Pages[TabCount] = {}; // "Engrave", "Randomize", "Effects"; created on first selection
    int PageWidth = DefaultPageWidth;
    int FrameLeft = 0, FrameTop = 0;
    int BarLeft = 0, BarTop = 0;
    int BarTab = 0;
    bool BarTwoLayers = false;
    ViewSlots Views;
    DialogLayout Layout;
    ZoomState Zoom;
    PaneContext Context;
    PreviewPane* Preview = nullptr;
    PreviewPane* Navigator = nullptr;
    DocumentBuffers Document;
    RefreshCoalescer Refresh;
    ProgressSink SavedProgress;
    bool Closing = false;
    int Renders = 0;
};

MainDialogState* Open = nullptr;
HelpLauncher::OpenFn HelpOpener = ShellOpen;

// Help pages and web pages open through one launcher for the module's life,
// so a launch still running when the dialog closes finishes on its own.
HelpLauncher& Launcher()
{
    static HelpLauncher launcher([](const std::string& target) { HelpOpener(target); });
    return launcher;
}

FilterRecord& Record()
{
    return *Open->Session->State.HostRecord;
}
ParameterBlock& Params()
{
    return *Open->Session->State.Params;
}
RenderState& Render()
{
    return Open->Session->Render;
}
HWND Item(int id)
{
    return GetDlgItem(Open->Dialog, id);
}

void Place(int id, const Box& box)
{
    SetWindowPos(Item(id), nullptr, box.X, box.Y, box.Width, box.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

IntRect FilterRect()
{
    const VRect r = FilterRectOf(Record());
    return {r.top, r.left, r.bottom, r.right};
}

void ImageSize(int& width, int& height)
{
    const FilterRecord& record = Record();
    if (UsesBigDocument(record) && record.bigDocumentData) {
        width = record.bigDocumentData->imageSize32.h;
        height = record.bigDocumentData->imageSize32.v;
    } else {
        width = record.imageSize.h;
        height = record.imageSize.v;
    }
}

// ---------------------------------------------------------------------------
// Progress, the render and the preview bitmap.

void ReportToBar(void* context, float done, float total)
{
    auto* state = static_cast<MainDialogState*>(context);
    HWND bar = GetDlgItem(state->Dialog, IdProgress);
    SendMessageW(bar, PBM_SETRANGE32, 0, LPARAM(std::max(int(total), 0)));
    SendMessageW(bar, PBM_SETPOS, WPARAM(std::max(int(done), 0)), 0);
    UpdateWindow(bar);
}

// The rendered output area as the preview's bitmap, over the backdrop of the
// layers below.
void BuildPreviewBitmap()
{
    PreviewPane& pane = *Open->Preview;
    const FilterRecord& record = Record();
    const VRect out = OutRectOf(record);
    const BitmapPlacement placement =
        PlacePreviewBitmap(pane.PaneWidth, pane.PaneHeight, out.right - out.left, out.bottom - out.top);
    if (!record.outData) {
        ClearPaneBitmap(pane);
        pane.Placement = placement;
        return;
    }
    OutputPixels output;
    output.Data = static_cast<const uint8_t*>(record.outData);
    output.RowBytes = record.outRowBytes;
    output.Planes = std::max(record.outHiPlane - record.outLoPlane + 1, 1);
    output.Depth = record.depth == 16 ? 16 : 8;
    output.Cmyk = IsCmykMode(record.imageMode);
    // The Original view of a CMYK document passes the black plane through
    // where a render leaves its coverage.
    output.Opaque = output.Cmyk && CurrentView(Render()) == ViewMode::Original;
    const Plane<uint8_t>& backdrop = Open->Document.PreviewBackdrop;
    SetPanePixels(pane, placement,
                  BuildPreviewPixels(placement, output, backdrop ? backdrop.Data() : nullptr,
                                     backdrop.Width(), backdrop.Height()));
}

void RenderPreview()
{
    RenderState& render = Render();
    render.View = ViewForTab(Open->Views, Open->CurrentTab);
    render.WorkOffsetX = Open->Preview->Scroll.ScrollX;
    render.WorkOffsetY = Open->Preview->Scroll.ScrollY;
    FilterRecordHost host(Record());
    host.ShowTargetLayer(&Open->Document.TargetLayerPixels);
    // A preview that cannot be rendered has told the user why; the pane then
    // shows what the output buffer holds (the original).
    static_cast<void>(RenderImage(render, Params(), host));
    ++Open->Renders;
    SetPropW(Open->Dialog, RenderCountProperty, HANDLE(intptr_t(Open->Renders)));
    BuildPreviewBitmap();
    InvalidateRect(Open->Preview->Window, nullptr, FALSE);
}

void RequestRefresh()
{
    if (Open->Refresh.Request())
        PostMessageW(Open->Dialog, WM_COMMAND, MAKEWPARAM(IdRefresh, 0), 0);
}

// ---------------------------------------------------------------------------
// The visible area and the navigator.

void UpdateNavigatorFrame()
{
    PreviewPane& nav = *Open->Navigator;
    PreviewPane& preview = *Open->Preview;
    const IntRect filter = FilterRect();
    const int areaWidth = std::min(preview.PaneWidth, preview.Scroll.ScaledWidth);
    const int areaHeight = std::min(preview.PaneHeight, preview.Scroll.ScaledHeight);
    (void)filter;
    nav.Frame = FrameFor(nav.Nav, preview.Scroll, Open->Zoom.PreviewScale, areaWidth & ~3, areaHeight);
    InvalidateRect(nav.Window, nullptr, FALSE);
}

// Asks the host for the visible area at the integer reduction and prepares
// the working planes and the backdrop for it.
void UpdateVisibleArea()
{
    PreviewPane& pane = *Open->Preview;
    int imageWidth = 0, imageHeight = 0;
    ImageSize(imageWidth, imageHeight);
    const IntRect area = ComputeVisibleArea(Open->Zoom, pane.Scroll, FilterRect(), imageWidth, imageHeight,
                                            pane.PaneWidth, pane.PaneHeight);
    FilterRecord& record = Record();
    Open->Session->State.Result() = RequestPreviewArea(
        record, VRect{area.Top, area.Left, area.Bottom, area.Right}, Open->Zoom.PreviewScale);
    RenderState& render = Render();
    render.PreviewScale = Open->Zoom.PreviewScale;
    render.WorkOffsetX = pane.Scroll.ScrollX;
    render.WorkOffsetY = pane.Scroll.ScrollY;
    FilterRecordHost host(record);
    host.ShowTargetLayer(&Open->Document.TargetLayerPixels);
    PrepareWorkingPlanes(render, host);
    BuildPreviewBackdrop(render, Open->Document);
}

void StorePreviewRect()
{
    PrivateBlock* block = Open->Session->State.Private;
    if (!block)
        return;
    block->PreviewRect = {0, 0, int16_t(Open->Preview->PaneHeight), int16_t(Open->Preview->PaneWidth)};
}

bool PreviewRectChanged()
{
    const PrivateBlock* block = Open->Session->State.Private;
    return !block || block->PreviewRect.Bottom != Open->Preview->PaneHeight ||
           block->PreviewRect.Right != Open->Preview->PaneWidth || block->PreviewRect.Top != 0 ||
           block->PreviewRect.Left != 0;
}

void SetZoomButtons(ZoomButtons buttons)
{
    EnableControl(Item(IdZoomIn), buttons.In);
    EnableControl(Item(IdZoomOut), buttons.Out);
}

void ShowZoomLabel()
{
    SetWindowTextA(Item(IdZoomLabel), ZoomLabel(Open->Zoom).c_str());
}

// The navigator's thumbnail of the whole source, over the layers below or a
// checkerboard where the target layer is transparent.
void BuildNavigatorThumbnail()
{
    PreviewPane& pane = *Open->Navigator;
    const IntRect filter = FilterRect();
    pane.Nav = PlaceNavigator(pane.PaneWidth, pane.PaneHeight, filter.Width(), filter.Height());
    const NavigatorGeometry& nav = pane.Nav;
    if (nav.Width <= 0 || nav.Height <= 0)
        return;
    const RenderState& render = Render();
    const PixelBuffer& layer = Open->Document.TargetLayerPixels;
    const PixelBuffer& below = Open->Document.LayersBelow;
    const bool fromLayer = bool(layer) && !IsCmykMode(Record().imageMode);
    if (!fromLayer && !render.FullSource)
        return;
    const auto sample = [](const PixelBuffer& buffer, int k, int row, int column) -> uint8_t {
        const size_t index = size_t(row) * size_t(buffer.Width()) + size_t(column);
        const uint8_t* plane = buffer.PlaneData(std::min(k, int(buffer.ChannelCount) - 1));
        if (buffer.Depth != 16)
            return plane[index];
        uint16_t v;
        std::memcpy(&v, plane + 2 * index, 2);
        return v >= 32768 ? 255 : uint8_t(v >> 7);
    };
    std::vector<uint8_t> pixels(size_t(nav.Width) * size_t(nav.Height) * 3);
    const int width = fromLayer ? layer.Width() : render.FullSource.Width();
    const int height = fromLayer ? layer.Height() : render.FullSource.Height();
    for (int i = 0; i < nav.Height; ++i) {
        const int row = NavigatorSourceIndex(i, nav.NavScale, height);
        uint8_t* out = pixels.data() + size_t(nav.Height - 1 - i) * size_t(nav.Width) * 3;
        for (int j = 0; j < nav.Width; ++j, out += 3) {
            const int column = NavigatorSourceIndex(j, nav.NavScale, width);
            uint8_t rgba[4];
            if (fromLayer) {
                for (int k = 0; k < 3; ++k)
                    rgba[k] = sample(layer, k, row, column);
                rgba[3] = layer.ChannelCount > 3 ? sample(layer, 3, row, column) : 255;
            } else {
                std::memcpy(rgba, render.FullSource.Row(row) + 4 * column, 4);
            }
            const float w = float(rgba[3]) / 255.0f;
            uint8_t under[3];
            const bool hasBelow = below && row < below.Height() && column < below.Width();
            for (int k = 0; k < 3; ++k)
                under[k] = hasBelow ? sample(below, k, row, column) : NavigatorChecker(i, j);
            for (int k = 0; k < 3; ++k)
                out[2 - k] = uint8_t(int(float(rgba[k]) * w + float(under[k]) * (1.0f - w)));
        }
    }
    SetPanePixels(pane, {nav.Width, nav.Height, nav.Left, nav.Top}, std::move(pixels));
}

// Recomputes the area, renders and repaints after any change of zoom, pane
// size or scroll position.
void AreaChanged(bool render)
{
    UpdateVisibleArea();
    UpdateNavigatorFrame();
    ShowZoomLabel();
    if (render)
        RenderPreview();
    InvalidateRect(Open->Preview->Window, nullptr, FALSE);
}

void Zoom(ZoomCommand command)
{
    if (PreviewRectChanged())
        StorePreviewRect();
    SetZoomButtons(ApplyZoomCommand(Open->Zoom, command));
    AreaChanged(true);
}

// ---------------------------------------------------------------------------
// The layers bar.

const int BarButtons[] = {IdComposite, IdLayerOne, IdLayerTwo, IdAddLayer, IdOriginal};
const int BarSeparators[] = {3001, 3002, 3003, 3004};

void LayOutBar(int tab)
{
    MainDialogState& s = *Open;
    s.BarTab = tab;
    s.BarTwoLayers = Params().LayerTwoExist != 0;
    const ViewMode view = ViewForTab(s.Views, tab);
    const ViewMode viewOf[] = {ViewMode::Composite, ViewMode::LayerOne, ViewMode::LayerTwo,
                               ViewMode::Composite, ViewMode::Original};
    for (size_t i = 0; i < std::size(BarButtons); ++i)
        if (TContaner* button = FindControl<TContaner>(s.Dialog, BarButtons[i])) {
            const bool current = BarButtons[i] != IdAddLayer && viewOf[i] == view;
            button->Clickable = !current;
            button->Look = current ? ControlLook::Current : ControlLook::Normal;
            InvalidateRect(button->Window, nullptr, FALSE);
        }
    std::vector<int> hidden{IdComposite, IdLayerOne,  IdLayerTwo, IdAddLayer,
                            IdOriginal,  IdDeleteOne, IdDeleteTwo};
    size_t separator = 0;
    for (const BarItem& item : LayOutLayersBar(tab, s.BarTwoLayers, s.ScreenDpi)) {
        const int id = item.Id ? item.Id : BarSeparators[separator++];
        hidden.erase(std::remove(hidden.begin(), hidden.end(), id), hidden.end());
        SetWindowPos(Item(id), nullptr, s.BarLeft + item.X, s.BarTop + item.Y, item.Width, item.Height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    // Where the bar would run into "Reset All" (large fonts at the minimum
    // size), the button moves to the right end of the strip below.
    int barRight = 0;
    for (const BarItem& item : LayOutLayersBar(tab, s.BarTwoLayers, s.ScreenDpi))
        barRight = std::max(barRight, s.BarLeft + item.X + item.Width);
    Box reset = s.Layout.ResetAll;
    if (barRight + Scaled(8) > reset.X)
        reset.Y = s.Layout.BottomStrip.Top + (StripHeight - reset.Height) / 2;
    Place(IdResetAll, reset);
    for (; separator < std::size(BarSeparators); ++separator)
        hidden.push_back(BarSeparators[separator]);
    for (int id : hidden)
        ShowWindow(Item(id), SW_HIDE);
    const int show = s.BarTwoLayers ? SW_SHOW : SW_HIDE;
    ShowWindow(Item(IdCompositeCheck), show);
    ShowWindow(Item(IdCompositeLabel), show);
    // Hidden and moved buttons leave their old pixels on the strips; only
    // the strips are painted again, not the pages beside them.
    for (const IntRect& strip : {s.Layout.TopStrip, s.Layout.BottomStrip}) {
        const RECT area = {strip.Left, strip.Top, strip.Right, strip.Bottom};
        RedrawWindow(s.Dialog, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

HWND MakeBarText(int id, const wchar_t* text, const wchar_t* tip)
{
    HWND window = CreateWindowExW(0, TContaner::ClassName, text, WS_CHILD, 0, 0, 10, 10, Open->Dialog,
                                  HMENU(intptr_t(id)), Kit().Instance, nullptr);
    if (tip)
        AttachTooltip(window, tip);
    return window;
}

void CreateLayersBar()
{
    MakeBarText(IdComposite, L"Composite", L"View all combined image effects");
    MakeBarText(IdLayerOne, L"Layer One", L"View and edit only Layer One");
    MakeBarText(IdLayerTwo, L"Layer Two", L"View and edit only Layer Two");
    MakeBarText(IdAddLayer, L"Add Layer", L"Add a new layer");
    MakeBarText(IdOriginal, L"Original", L"View the original image");
    MakeBarText(IdResetAll, L"Reset All", L"Set all parameters as default");
    ShowWindow(Item(IdResetAll), SW_SHOW);
    for (int id : {IdDeleteOne, IdDeleteTwo}) {
        HWND button = CreateWindowExW(0, BitmapButton::ClassName, L"", WS_CHILD, 0, 0, 13, 13, Open->Dialog,
                                      HMENU(intptr_t(id)), Kit().Instance, nullptr);
        HBITMAP bitmaps[4];
        MakeDeleteButtonBitmaps(bitmaps);
        if (BitmapButton* record = FindControl<BitmapButton>(button))
            SetButtonBitmaps(*record, bitmaps[0], bitmaps[1], bitmaps[2], bitmaps[3], false);
        AttachTooltip(button, L"Delete the layer");
    }
    for (int id : BarSeparators) {
        HWND separator = CreateWindowExW(0, L"STATIC", L"|", WS_CHILD | SS_CENTER | SS_CENTERIMAGE, 0, 0, 8,
                                         16, Open->Dialog, HMENU(intptr_t(id)), Kit().Instance, nullptr);
        SendMessageW(separator, WM_SETFONT, WPARAM(Kit().LabelFont), FALSE);
    }
}

// ---------------------------------------------------------------------------
// The parameter pages in the tabs.

void LayOut(int width, int height);
void SizeTabs();

constexpr PageKind PageOfTab[TabCount] = {PageKind::Engrave, PageKind::Randomize, PageKind::Effects};

int TabOfPage(PageKind kind)
{
    return kind == PageKind::Effects ? EffectsTab : kind == PageKind::Randomize ? 1 : 0;
}

// The tab control's display area in dialog coordinates.
RECT PageArea()
{
    RECT area;
    GetWindowRect(Open->Tabs, &area);
    MapWindowPoints(nullptr, Open->Dialog, reinterpret_cast<POINT*>(&area), 2);
    TabCtrl_AdjustRect(Open->Tabs, FALSE, &area);
    return area;
}

void PlacePages()
{
    if (!Open->Tabs)
        return;
    const RECT area = PageArea();
    for (HWND page : Open->Pages)
        if (page)
            SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                         SWP_NOACTIVATE);
}

// The centre mark follows the rules of the page shown; a page reloaded while
// hidden (command 9777) leaves it alone.
void PageCrosshair(HWND page, bool shown, float x, float y)
{
    MainDialogState& s = *Open;
    if (!s.Preview || page != s.Pages[s.CurrentTab])
        return;
    const uint8_t before = s.Preview->Crosshair;
    const bool moved = s.Context.ShownCenterX != x || s.Context.ShownCenterY != y;
    s.Context.ShownCenterX = x;
    s.Context.ShownCenterY = y;
    s.Preview->Crosshair = shown ? (before ? before : 1) : 0;
    if (before != s.Preview->Crosshair || (shown && moved))
        InvalidateRect(s.Preview->Window, nullptr, FALSE);
}

PageLinks LinksForPages()
{
    PageLinks links;
    links.Session = Open->Session;
    links.Dialog = Open->Dialog;
    links.ViewOf = [](PageKind kind) { return PageView(ViewForTab(Open->Views, TabOfPage(kind))); };
    links.Refresh = [] { RequestRefresh(); };
    links.RefreshNow = [] { SendMessageW(Open->Dialog, WM_COMMAND, MAKEWPARAM(IdRefresh, 0), 0); };
    links.ReloadPages = [] { SendMessageW(Open->Dialog, WM_COMMAND, MAKEWPARAM(IdReloadPages, 0), 0); };
    links.Progress = [](int done, int count) { ReportToBar(Open, float(done), float(count)); };
    links.Crosshair = PageCrosshair;
    return links;
}

void ReloadPage(int tab)
{
    if (HWND page = Open->Pages[tab])
        ReloadParameterPage(page);
}

// The first page created gives every page its width, and the tab control
// and the preview make room for it.
void CreatePage(int tab)
{
    MainDialogState& s = *Open;
    HWND page = CreateParameterPage(s.Dialog, PageOfTab[tab], LinksForPages());
    if (!page)
        return;
    s.Pages[tab] = page;
    const bool first = std::count_if(std::begin(s.Pages), std::end(s.Pages), [](HWND p) { return p; }) == 1;
    if (first) {
        RECT own, tabs;
        GetWindowRect(page, &own);
        GetWindowRect(s.Tabs, &tabs);
        const RECT area = PageArea();
        s.PageWidth = int(own.right - own.left) + int(tabs.right - tabs.left) - int(area.right - area.left);
        SizeTabs();
        RECT client;
        GetClientRect(s.Dialog, &client);
        if (client.right > 0)
            LayOut(client.right, client.bottom);
    }
    PlacePages();
    ShowWindow(page, SW_SHOW);
    ReloadParameterPage(page);
}

void ShowPage(int tab)
{
    MainDialogState& s = *Open;
    for (int other = 0; other < TabCount; ++other)
        if (other != tab && s.Pages[other])
            ShowWindow(s.Pages[other], SW_HIDE);
    if (!s.Pages[tab]) {
        CreatePage(tab);
        RedrawWindow(s.Dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        return;
    }
    ShowWindow(s.Pages[tab], SW_SHOW);
    ReloadPage(tab);
}

// The smallest the dialog may be: its dpi class's size, wider where the
// pages leave the preview too little room for the layers bar above it or for
// the buttons centred under it.
Size MinimumWindowSize()
{
    MainDialogState& s = *Open;
    Size minimum = MinimumTrackSize(s.ScreenDpi);
    if (!s.Dialog)
        return minimum;
    int barRight = 0;
    for (const BarItem& item : LayOutLayersBar(0, true, s.ScreenDpi))
        barRight = std::max(barRight, item.X + item.Width);
    const int frame = std::max(s.BarLeft - s.FrameLeft + barRight + Scaled(8), Scaled(2 * 180 + 8));
    RECT window = {0, 0, s.FrameLeft + frame + s.PageWidth + 13, minimum.Height};
    AdjustWindowRectEx(&window, DWORD(GetWindowLongPtrW(s.Dialog, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrW(s.Dialog, GWL_EXSTYLE)));
    minimum.Width = std::max<int>(minimum.Width, window.right - window.left);
    return minimum;
}

// Command 9777: every page that exists, "Effects" first.
void ReloadAllPages()
{
    for (int tab : {2, 1, 0})
        ReloadPage(tab);
}

void CancelInkPicking()
{
    if (InkPaletteView* inks = PageInkPalette(Open->Pages[EffectsTab]))
        inks->CancelPicking();
}

// ---------------------------------------------------------------------------
// Layout.

void LayOut(int width, int height)
{
    MainDialogState& s = *Open;
    s.Layout = LayOutDialog(width, height, s.PageWidth, s.FrameLeft, s.FrameTop, s.BarTop, s.ScreenDpi,
                            GetSystemMetrics(SM_CYSMCAPTION), s.PresetsPanelRect);
    const DialogLayout& l = s.Layout;
    Place(IdBannerRight, l.BannerRight);
    Place(IdManual, l.Manual);
    Place(IdTabs, l.Tabs);
    Place(IdOk, l.Ok);
    Place(IdCancel, l.Cancel);
    Place(IdZoomIn, l.ZoomIn);
    Place(IdZoomOut, l.ZoomOut);
    Place(IdZoomLabel, l.ZoomLabel);
    Place(IdProgress, l.Progress);
    Place(IdCompositeCheck, l.CompositeCheck);
    Place(IdCompositeLabel, l.CompositeLabel);
    Place(IdPreview, l.Preview);
    Place(PresetsPanelTemplate, l.PresetsPanel);
    PlacePages();
    LayOutBar(s.BarTab); // "Reset All" follows the frame's right edge
    // The whole client, the banner's moved buttons included.
    RedrawWindow(s.Dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Shaded ends of the strips: the dialog colour fading into black over 20
// pixels, rounder towards the outer edge.
uint8_t StripMask(int column, int row)
{
    const int edge = std::min(row, 32 - row); // distance from the strip's outer edge
    const int fade = std::max(0, 19 - column) * 255 / 19;
    return uint8_t(std::min(255, fade + std::max(0, 3 - edge) * 40));
}

void PaintStrip(HDC dc, const IntRect& strip, bool top)
{
    RECT r = {strip.Left, strip.Top, strip.Right, strip.Bottom};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const int height = strip.Height();
    for (int row = 0; row < height; ++row) {
        const int maskRow = top ? height - 1 - row : row;
        for (int column = 0; column < 20; ++column) {
            const uint8_t m = StripMask(column, std::min(maskRow, 32));
            const uint8_t v = uint8_t(232 * m / 255);
            SetPixelV(dc, strip.Left + column, strip.Top + row, RGB(v, v, v));
            SetPixelV(dc, strip.Right - 1 - column, strip.Top + row, RGB(v, v, v));
        }
    }
}

void PaintDialog(HDC dc, const RECT& client)
{
    const DialogLayout& l = Open->Layout;
    FillRect(dc, &client, Kit().DialogBrush);
    // The banner's tile between the two pictures.
    RECT tile = {475, 0, 475 + l.BannerTileWidth, 46};
    FillRectColor(dc, tile, RGB(222, 222, 222));
    PaintStrip(dc, l.TopStrip, true);
    PaintStrip(dc, l.BottomStrip, false);
}

// ---------------------------------------------------------------------------
// Banner artwork, drawn here.

HBITMAP DrawBitmap(int width, int height, void (*draw)(HDC, const RECT&))
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT r = {0, 0, width, height};
    draw(dc, r);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

HFONT BannerFont(int height, int weight)
{
    return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

// A small engraved disc: concentric lines, the product's mark.
void DrawMark(HDC dc, const RECT& r, COLORREF ink)
{
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const int radius = std::min(r.right - r.left, r.bottom - r.top) / 2 - 1;
    HPEN pen = CreatePen(PS_SOLID, 1, ink);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    for (int k = radius; k > 1; k -= 3)
        Ellipse(dc, cx - k, cy - k, cx + k + 1, cy + k + 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

constexpr COLORREF BannerColor = RGB(222, 222, 222);

void DrawBannerLeft(HDC dc, const RECT& r)
{
    FillRectColor(dc, r, BannerColor);
    RECT mark = {24, 9, 52, 35};
    DrawMark(dc, mark, RGB(90, 96, 104));
    HFONT big = BannerFont(20, FW_BOLD);
    RECT name = {66, 0, 470, 20};
    DrawLabelText(dc, name, L"Vellisto III", big, RGB(60, 66, 74), DT_LEFT | DT_TOP | DT_SINGLELINE);
    DeleteObject(big);
}

// The About button is the byline under the name; under the pointer it
// darkens and is underlined, like a link.
void DrawAboutFace(HDC dc, const RECT& r, bool hover)
{
    FillRectColor(dc, r, BannerColor);
    HFONT small = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, hover, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    DrawLabelText(dc, r, L"engraving filter by Nimbara", small, hover ? RGB(30, 36, 44) : RGB(110, 116, 124),
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    DeleteObject(small);
}

void DrawBannerRight(HDC dc, const RECT& r)
{
    FillRectColor(dc, r, RGB(222, 222, 222));
}

void DrawManualButton(HDC dc, const RECT& r, COLORREF face, COLORREF ink)
{
    FillRectColor(dc, r, RGB(222, 222, 222));
    RECT inner = {r.left + 9, r.top, r.left + 25, r.bottom};
    FillRectColor(dc, inner, face);
    FrameRectColor(dc, inner, RGB(170, 170, 170));
    HFONT font = BannerFont(13, FW_BOLD);
    DrawLabelText(dc, inner, L"?", font, ink, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    DeleteObject(font);
}

void SetBannerButton(int id, HBITMAP normal, HBITMAP hover)
{
    if (BitmapButton* button = FindControl<BitmapButton>(Open->Dialog, id))
        SetButtonBitmaps(*button, normal, hover, hover, nullptr, false);
}

void CreateBanner()
{
    if (PictureControl* left = FindControl<PictureControl>(Open->Dialog, IdBannerLeft)) {
        SetPicture(*left, DrawBitmap(475, 46, DrawBannerLeft));
        SetWindowPos(left->Window, nullptr, 0, 0, 475, 46, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (PictureControl* right = FindControl<PictureControl>(Open->Dialog, IdBannerRight))
        SetPicture(*right, DrawBitmap(96, 46, DrawBannerRight));
    SetBannerButton(
        IdManual,
        DrawBitmap(34, 16,
                   [](HDC dc, const RECT& r) { DrawManualButton(dc, r, RGB(232, 232, 232), TextColor); }),
        DrawBitmap(34, 16,
                   [](HDC dc, const RECT& r) { DrawManualButton(dc, r, RGB(250, 250, 250), RGB(0, 0, 0)); }));
    SetBannerButton(IdProductPage,
                    DrawBitmap(28, 26,
                               [](HDC dc, const RECT& r) {
                                   FillRectColor(dc, r, RGB(222, 222, 222));
                                   DrawMark(dc, r, RGB(90, 96, 104));
                               }),
                    DrawBitmap(28, 26, [](HDC dc, const RECT& r) {
                        FillRectColor(dc, r, RGB(222, 222, 222));
                        DrawMark(dc, r, RGB(30, 36, 44));
                    }));
    SetBannerButton(IdAbout, DrawBitmap(191, 15, [](HDC dc, const RECT& r) { DrawAboutFace(dc, r, false); }),
                    DrawBitmap(191, 15, [](HDC dc, const RECT& r) { DrawAboutFace(dc, r, true); }));
    SetWindowPos(Item(IdAbout), nullptr, 114, 18, 191, 15, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Item(IdProductPage), nullptr, 24, 9, 28, 26, SWP_NOZORDER | SWP_NOACTIVATE);
    AttachTooltip(Item(IdAbout), L"About Nimbara VellistoIII");
    AttachTooltip(Item(IdManual), L"View VellistoIII manual");
    AttachTooltip(Item(IdProductPage), L"Visit the product page on site");
}

// ---------------------------------------------------------------------------
// Tabs.

LRESULT CALLBACK TabSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_MOUSEMOVE: {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
        const POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        int hot = -1;
        for (int i = 0; i < TabCount; ++i)
            if (PtInRect(&Open->TabRects[i], p))
                hot = i;
        if (hot != Open->HotTab) {
            Open->HotTab = hot;
            InvalidateRect(window, nullptr, FALSE);
        }
        break;
    }
    case WM_MOUSELEAVE:
        if (Open->HotTab != -1) {
            Open->HotTab = -1;
            InvalidateRect(window, nullptr, FALSE);
        }
        break;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(HDC(wParam), &client, Kit().DialogBrush);
        return 1;
    }
    case WM_PAINT: {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        // The strip right of the tabs takes the dialog's colour.
        RECT client, last = {};
        GetClientRect(window, &client);
        TabCtrl_GetItemRect(window, TabCount - 1, &last);
        HDC dc = GetDC(window);
        RECT rest = {last.right + 2, 0, client.right, last.bottom};
        FillRect(dc, &rest, Kit().DialogBrush);
        // The page area: flat, in the dialog's colour, with a thin frame.
        RECT body = {client.left, last.bottom, client.right, client.bottom};
        FillRect(dc, &body, Kit().DialogBrush);
        FrameRectColor(dc, body, RGB(200, 200, 200));
        ReleaseDC(window, dc);
        return result;
    }
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void DrawTab(const DRAWITEMSTRUCT& item)
{
    const int index = int(item.itemID);
    if (index < 0 || index >= TabCount)
        return;
    Open->TabRects[index] = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    COLORREF face = DialogColor;
    if (!selected)
        face = index == Open->HotTab ? RGB(242, 242, 242) : RGB(214, 214, 214);
    FillRectColor(item.hDC, item.rcItem, face);
    RECT text = item.rcItem;
    text.left += selected ? 6 : 3;
    text.top += 3;
    DrawLabelText(item.hDC, text, TabTitles[index], Open->TabFont, TextColor,
                  DT_LEFT | DT_TOP | DT_SINGLELINE);
}

// Every tab wide enough for the longest title in the tab font, the three
// within the page's width.
void SizeTabs()
{
    MainDialogState& s = *Open;
    HDC dc = GetDC(s.Tabs);
    HGDIOBJ old = SelectObject(dc, s.TabFont);
    SIZE widest = {};
    for (const wchar_t* title : TabTitles) {
        SIZE extent = {};
        GetTextExtentPoint32W(dc, title, lstrlenW(title), &extent);
        widest.cx = std::max(widest.cx, extent.cx);
        widest.cy = std::max(widest.cy, extent.cy);
    }
    SelectObject(dc, old);
    ReleaseDC(s.Tabs, dc);
    SetWindowLongPtrW(s.Tabs, GWL_STYLE, GetWindowLongPtrW(s.Tabs, GWL_STYLE) | TCS_FIXEDWIDTH);
    TabCtrl_SetItemSize(s.Tabs, std::min<int>(widest.cx + Scaled(12), (s.PageWidth - 6) / TabCount),
                        widest.cy + Scaled(8));
}

void CreateTabs()
{
    MainDialogState& s = *Open;
    s.Tabs = CreateWindowExW(
        0, WC_TABCONTROLW, L"",
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_OWNERDRAWFIXED | TCS_HOTTRACK | TCS_FOCUSONBUTTONDOWN,
        s.FrameLeft + 400, 50, s.PageWidth, 300, s.Dialog, HMENU(intptr_t(IdTabs)), Kit().Instance, nullptr);
    SendMessageW(s.Tabs, WM_SETFONT, WPARAM(s.TabFont), FALSE);
    for (int i = 0; i < TabCount; ++i) {
        TCITEMW tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<wchar_t*>(TabTitles[i]);
        TabCtrl_InsertItem(s.Tabs, i, &tab);
    }
    SizeTabs();
    SetWindowSubclass(s.Tabs, TabSubclass, TabSubclassId, 0);
}

void SwitchTab(int tab)
{
    MainDialogState& s = *Open;
    s.CurrentTab = tab;
    s.Context.EngraveTabCurrent = tab == 0;
    ShowPage(tab);
    LayOutBar(tab);
    if (TabSwitchNeedsRender(s.Views, s.PreviousTab, tab, Render().AlwaysComposite,
                             Params().LayerTwoExist != 0))
        RequestRefresh();
    s.PreviousTab = tab;
    BuildPreviewBitmap();
    InvalidateRect(s.Preview->Window, nullptr, FALSE);
}

// ---------------------------------------------------------------------------
// Commands.

bool FocusIsEdit(HWND& focus)
{
    focus = GetFocus();
    wchar_t name[16] = {};
    return focus && IsChild(Open->Dialog, focus) && GetClassNameW(focus, name, 16) &&
           lstrcmpiW(name, L"Edit") == 0;
}

void BarCommand(int id)
{
    int32_t two = Params().LayerTwoExist;
    if (!ApplyLayersBarCommand(id, Open->CurrentTab, Open->Views, two))
        return;
    Params().LayerTwoExist = uint8_t(two);
    LayOutBar(Open->CurrentTab);
    ReloadPage(Open->CurrentTab);
    RequestRefresh();
}

// After the whole block changed: both views back to Composite, the bar laid
// out for the block's layers.
void ResynchroniseBar()
{
    Open->Views = {};
    LayOutBar(Open->BarTab);
}

void ResetAll()
{
    ApplyParameterChanges(Render(), ResetToDefaults(Params()));
    ApplyParameterChanges(Render(), ReloadInkState(Params(), Render().Inks));
    ResynchroniseBar();
    ReloadPage(Open->CurrentTab);
    RequestRefresh();
}

// "Default" or a preset replaced the block from the presets panel.
void PresetApplied(const SelectionOutcome& outcome)
{
    ApplyParameterChanges(Render(), outcome.Changes);
    ResynchroniseBar();
    SendMessageW(Open->Dialog, WM_COMMAND, MAKEWPARAM(IdReloadPages, 0), 0);
    RequestRefresh();
}

// The presets panel under the navigator, as wide as the left column.
void CreatePresets()
{
    MainDialogState& s = *Open;
    RECT nav;
    GetWindowRect(Item(IdNavigator), &nav);
    MapWindowPoints(nullptr, s.Dialog, reinterpret_cast<POINT*>(&nav), 2);
    s.PresetsPanelRect = {nav.left, nav.bottom + Scaled(8), s.FrameLeft - Scaled(10) - nav.left, 0};
    PresetsPanelSetup setup;
    setup.Library.PresetsFolder = s.Session->Folders.PresetsFolder;
    setup.Params = &Params();
    setup.Inks = &Render().Inks;
    setup.Applied = PresetApplied;
    CreatePresetsPanel(s.Dialog, s.PresetsPanelRect.X, s.PresetsPanelRect.Y, s.PresetsPanelRect.Width,
                       std::move(setup));
}

void SetAlwaysComposite(bool on)
{
    Render().AlwaysComposite = on;
    Button_SetCheck(Item(IdCompositeCheck), on ? BST_CHECKED : BST_UNCHECKED);
    ReloadPage(Open->CurrentTab);
    RequestRefresh();
}

// After a drag of the preview or of the navigator's frame.
void DragEnded(int id)
{
    if (id == IdNavigator) {
        PreviewPane& nav = *Open->Navigator;
        ScrollFromFrame(nav.Nav, nav.Frame, Open->Zoom.PreviewScale, Open->Preview->Scroll);
    }
    AreaChanged(true);
}

void CentreDropped()
{
    const int layer = ViewForTab(Open->Views, Open->CurrentTab) == ViewMode::LayerTwo ? 1 : 0;
    Params().Layers[layer].CenterX = Open->Context.ShownCenterX;
    Params().Layers[layer].CenterY = Open->Context.ShownCenterY;
    ReloadPage(0); // the centre rotor and its X and Y fields follow
    RequestRefresh();
}

void Command(HWND window, int id, int code)
{
    HWND focus = nullptr;
    switch (id) {
    case IdOk:
        if (code != 0)
            return;
        if (FocusIsEdit(focus))
            SendMessageW(window, WM_NEXTDLGCTL, 0, FALSE); // the edit commits as it loses the focus
        else
            EndDialog(window, 1);
        return;
    case IdCancel:
        if (InkPaletteView* inks = PageInkPalette(Open->Pages[EffectsTab]);
            inks && inks->Editor().PickingScreen) {
            inks->CancelPicking();
            return;
        }
        if (code != 0)
            return;
        if (FocusIsEdit(focus)) {
            // Restored before the focus moves: losing the focus commits
            // whatever the edit holds.
            SendMessageW(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), EscapeCode),
                         LPARAM(focus));
            SendMessageW(window, WM_NEXTDLGCTL, WPARAM(Item(IdOk)), TRUE);
        } else {
            EndDialog(window, 2);
        }
        return;
    case IdComposite:
    case IdLayerOne:
    case IdLayerTwo:
    case IdAddLayer:
    case IdDeleteOne:
    case IdDeleteTwo:
    case IdOriginal:
        BarCommand(id);
        return;
    case IdResetAll:
        ResetAll();
        return;
    case IdZoomIn:
        Zoom(ZoomCommand::In);
        return;
    case IdZoomOut:
        Zoom(ZoomCommand::Out);
        return;
    case IdZoomFit:
        Zoom(ZoomCommand::Fit);
        return;
    case IdZoomActual:
        Zoom(ZoomCommand::Actual);
        return;
    case IdPreview:
    case IdNavigator:
        if (code == DragEndCode)
            DragEnded(id);
        else if (code == CentreDroppedCode)
            CentreDropped();
        return;
    case IdReloadPages:
        ReloadAllPages();
        return;
    case IdRefresh:
    case IdRefreshButton:
        Open->Refresh.Take();
        RenderPreview();
        return;
    case IdAbout:
        ShowAboutBox(Kit().Instance, window, Launcher());
        return;
    case IdManual:
        Launcher().OpenHelp(Open->Session->Folders.HelpFolder, ManualHelpRequest);
        return;
    case IdProductPage:
        Launcher().OpenWebPage(ProductPageAddress);
        return;
    case IdCompositeCheck:
        SetAlwaysComposite(Button_GetCheck(Item(IdCompositeCheck)) == BST_CHECKED);
        return;
    case IdCompositeLabel:
        SetAlwaysComposite(Button_GetCheck(Item(IdCompositeCheck)) != BST_CHECKED);
        return;
    default:
        return;
    }
}

// ---------------------------------------------------------------------------
// Opening and closing.

void RegisterHotKeys(HWND window)
{
    RegisterHotKey(window, 1, MOD_CONTROL, VK_ADD);
    RegisterHotKey(window, 2, MOD_CONTROL, VK_SUBTRACT);
    RegisterHotKey(window, 3, MOD_CONTROL, '0');
    RegisterHotKey(window, 4, MOD_CONTROL, '1');
}

void HotKey(HWND window, int id)
{
    if (id == 1 && IsWindowEnabled(Item(IdZoomIn)))
        PostMessageW(window, WM_COMMAND, IdZoomIn, 0);
    else if (id == 2 && IsWindowEnabled(Item(IdZoomOut)))
        PostMessageW(window, WM_COMMAND, IdZoomOut, 0);
    else if (id == 3)
        PostMessageW(window, WM_COMMAND, IdZoomFit, 0);
    else if (id == 4)
        PostMessageW(window, WM_COMMAND, IdZoomActual, 0);
}

// Where the dialog opens: the saved rectangle, at least the minimum size,
// moved onto the nearest screen when none of it would be visible.
RECT OpeningRect()
{
    const ParameterBlock& p = Params();
    const Size minimum = MinimumWindowSize();
    RECT r = {p.WindowLeft, p.WindowTop, p.WindowLeft + std::max<int>(p.WindowWidth, minimum.Width),
              p.WindowTop + std::max<int>(p.WindowHeight, minimum.Height)};
    if (!MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) {
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info);
        const int width = r.right - r.left, height = r.bottom - r.top;
        r.left = std::max(info.rcWork.left, (info.rcWork.left + info.rcWork.right - width) / 2);
        r.top = std::max(info.rcWork.top, (info.rcWork.top + info.rcWork.bottom - height) / 2);
        r.right = r.left + width;
        r.bottom = r.top + height;
    }
    return r;
}

bool Initialise(HWND window, PluginSession& session)
{
    MainDialogState& s = *Open;
    // 1. The window, the flag the render driver reads, the dpi, hot keys.
    s.Dialog = window;
    s.Session = &session;
    s.PageWidth = Scaled(DefaultPageWidth);
    session.Render.DialogUp = true;
    HDC screen = GetDC(nullptr);
    s.ScreenDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RegisterHotKeys(window);
    s.SavedProgress = session.Render.Progress;
    session.Render.Progress = {ReportToBar, &s};

    // 2. Buttons and their tips.
    AttachTooltip(Item(IdOk), L"Apply effect");
    AttachTooltip(Item(IdCancel), L"Don't apply effect. Just close window");
    AttachTooltip(Item(IdZoomIn), L"Enlarge preview size (Use Ctrl+'+' or Ctrl+'1')");
    AttachTooltip(Item(IdZoomOut), L"Decrease preview size (Use Ctrl+'-' or Ctrl+'0')");
    AttachTooltip(Item(IdZoomLabel), L"Preview scale (also can use Ctrl+0 or Crtl+1 keys)");
    for (int id : {IdOk, IdCancel, IdZoomIn, IdZoomOut, IdZoomLabel})
        SendMessageW(Item(id), WM_SETFONT, WPARAM(Kit().ButtonFont), FALSE);

    // 3. The banner.
    CreateBanner();

    // 4. The composite switch's label.
    HWND check = Item(IdCompositeCheck);
    RECT checkRect;
    GetWindowRect(check, &checkRect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&checkRect), 2);
    HWND label = CreateWindowExW(0, TContaner::ClassName, L"Always show layers in composite", WS_CHILD,
                                 checkRect.right + 5, checkRect.top - 4, 300, 20, window,
                                 HMENU(intptr_t(IdCompositeLabel)), Kit().Instance, nullptr);
    if (TContaner* text = FindControl<TContaner>(label))
        text->Colors[0] = RGB(200, 200, 200);
    const wchar_t* compositeTip = L"Always draw composition of Layer One and Layer Two in preview";
    AttachTooltip(check, compositeTip);
    AttachTooltip(label, compositeTip);
    Button_SetCheck(check, session.Render.AlwaysComposite ? BST_CHECKED : BST_UNCHECKED);

    // 5. The preview frame from the pane's template rectangle.
    RECT pane;
    GetWindowRect(Item(IdPreview), &pane);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&pane), 2);
    s.FrameLeft = FrameLeftForDpi(pane.left, s.ScreenDpi);
    // From 144 dpi the left column gives up more room, or the layers bar
    // would not fit above the preview at the minimum size.
    if (ClassOfDpi(s.ScreenDpi) == DpiClass::Huge)
        s.FrameLeft = pane.left - Scaled(50);
    s.FrameTop = pane.top - StripHeight;
    // The navigator ends a little left of the preview frame.
    RECT nav;
    GetWindowRect(Item(IdNavigator), &nav);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&nav), 2);
    const int navWidth = std::min<int>(nav.right - nav.left, s.FrameLeft - Scaled(10) - nav.left);
    SetWindowPos(Item(IdNavigator), nullptr, nav.left, s.FrameTop, navWidth,
                 MulDiv(navWidth, nav.bottom - nav.top, nav.right - nav.left), SWP_NOZORDER | SWP_NOACTIVATE);

    // 6. Fonts and the layers bar, centred in the strip above the preview.
    s.TabFont =
        CreateFontW(-Scaled(14), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    RECT reference;
    GetWindowRect(Item(IdReference), &reference);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&reference), 2);
    s.BarLeft = reference.left - 15 - (pane.left - s.FrameLeft);
    s.BarTop = s.FrameTop + (StripHeight - Scaled(16)) / 2;
    CreateLayersBar();

    // 7. The panes; the source for the navigator.
    s.Preview = FindPane(Item(IdPreview));
    s.Navigator = FindPane(Item(IdNavigator));
    if (!s.Preview || !s.Navigator)
        return false;
    s.Context.Zoom = &s.Zoom;
    const IntRect filter = FilterRect();
    s.Context.FilterWidth = filter.Width();
    s.Context.FilterHeight = filter.Height();
    s.Context.EngraveTabCurrent = true;
    s.Preview->Context = s.Navigator->Context = &s.Context;
    FilterRecordHost host(Record());
    int16_t& result = session.State.Result();
    if (!PrepareFullSource(session.Render, host, result))
        return false;

    // 8. The derived session values.
    BuildPaletteSample(session.Render);
    session.Render.Inks.InkCount = uint8_t(Params().NInks & 0xFF);
    session.Render.Inks.PaletteValid = false;
    session.Render.Inks.NeedNewHistogram = true;
    RefreshInkCount(session.Render, Params());

    // 9. The tab control, the presets panel and the first page.
    CreateTabs();
    CreatePresets();
    CreatePage(0);

    // 11. The saved geometry.
    const RECT opening = OpeningRect();
    SetWindowPos(window, nullptr, opening.left, opening.top, opening.right - opening.left,
                 opening.bottom - opening.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    RECT client;
    GetClientRect(window, &client);
    LayOut(client.right, client.bottom);
    LayOutBar(0);

    // 12. 100 %, the document's layers, the thumbnail, the visible area.
    s.Preview->Crosshair = 0;
    ReloadPage(0); // the page's rules decide whether the mark shows
    s.Zoom = {};
    ReadTargetLayer(Record(), s.Document, result);
    if (result != noErr) {
        // Without the layers the preview reads the host's merged buffers.
        s.Document = {};
        result = noErr;
    }
    BuildNavigatorThumbnail();
    StorePreviewRect();

    // 13. "+" is off at 100 %.
    // 14. The planes for the visible area and the first render.
    UpdateVisibleArea();
    s.Navigator->Frame = {};
    UpdateNavigatorFrame();
    SetZoomButtons({false, s.Zoom.ZoomIndex > 0});
    ShowZoomLabel();
    if (result != noErr)
        result = noErr;
    else
        RenderPreview();
    return true;
}

void Close(HWND window)
{
    MainDialogState& s = *Open;
    for (int id = 1; id <= 4; ++id)
        UnregisterHotKey(window, id);
    if (s.Tabs)
        RemoveWindowSubclass(s.Tabs, TabSubclass, TabSubclassId);
    if (s.TabFont)
        DeleteObject(s.TabFont);
    s.TabFont = nullptr;
    if (s.Session) {
        RenderState& render = s.Session->Render;
        Release(render);
        s.Document = {};
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        RECT r;
        GetWindowRect(window, &r);
        if (IsZoomed(window) && GetWindowPlacement(window, &placement))
            r = placement.rcNormalPosition;
        if (ParameterBlock* params = s.Session->State.Params) {
            params->WindowLeft = r.left;
            params->WindowTop = r.top;
            params->WindowWidth = r.right - r.left;
            params->WindowHeight = r.bottom - r.top;
        }
        render.DialogUp = false;
        render.PreviewScale = 1;
        render.WorkOffsetX = render.WorkOffsetY = 0;
        render.Progress = s.SavedProgress;
    }
    RemovePropW(window, RenderCountProperty);
}

INT_PTR Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        if (!Initialise(window, *reinterpret_cast<PluginSession*>(lParam)))
            EndDialog(window, 2);
        return TRUE;
    case WM_COMMAND:
        Command(window, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IdTabs && header->code == TCN_SELCHANGE)
            SwitchTab(TabCtrl_GetCurSel(Open->Tabs));
        return TRUE;
    }
    case WM_DRAWITEM:
        if (wParam == IdTabs) {
            DrawTab(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return FALSE;
    case WM_HOTKEY:
        HotKey(window, int(wParam));
        return TRUE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && Open->Tabs)
            CancelInkPicking();
        return FALSE;
    case WM_HELP:
        Launcher().OpenHelp(Open->Session->Folders.HelpFolder, ContextHelpRequest + Open->CurrentTab);
        return TRUE;
    case WM_SIZE:
        if (Open->Preview && wParam != SIZE_MINIMIZED)
            LayOut(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_GETMINMAXINFO: {
        const Size minimum = MinimumWindowSize();
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {minimum.Width, minimum.Height};
        return TRUE;
    }
    case WM_EXITSIZEMOVE:
        if (Open->Preview && PreviewRectChanged()) {
            StorePreviewRect();
            ComputeZoomLevels(Open->Zoom, Open->Context.FilterWidth, Open->Context.FilterHeight,
                              Open->Preview->PaneWidth, Open->Preview->PaneHeight);
            AreaChanged(false);
            SetZoomButtons(ButtonsFor(Open->Zoom));
            RenderPreview();
            UpdateNavigatorFrame();
        }
        return TRUE;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE:
        case SC_RESTORE:
            PostMessageW(window, WM_EXITSIZEMOVE, 0, 0);
            return FALSE;
        case SC_CLOSE:
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(IdCancel, 0), 0);
            return TRUE;
        }
        return FALSE;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        PaintDialog(dc, client);
        EndPaint(window, &paint);
        return TRUE;
    }
    case WM_CTLCOLORDLG:
        return INT_PTR(Kit().DialogBrush);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        HDC dc = HDC(wParam);
        const int id = GetDlgCtrlID(HWND(lParam));
        SetBkMode(dc, TRANSPARENT);
        if (id == IdCompositeCheck || (id >= BarSeparators[0] && id <= BarSeparators[3])) {
            SetTextColor(dc, StripText);
            SetBkColor(dc, RGB(0, 0, 0));
            return INT_PTR(GetStockObject(BLACK_BRUSH));
        }
        SetTextColor(dc, TextColor);
        SetBkColor(dc, DialogColor);
        return INT_PTR(Kit().DialogBrush);
    }
    case WM_DESTROY:
        Close(window);
        return TRUE;
    }
    return FALSE;
}

} // namespace

HWND MainDialogWindow()
{
    return Open ? Open->Dialog : nullptr;
}
int PreviewRenderCount()
{
    return Open ? Open->Renders : 0;
}
void SetHelpOpener(HelpLauncher::OpenFn open)
{
    HelpOpener = open ? std::move(open) : HelpLauncher::OpenFn(ShellOpen);
}

bool ShowMainDialog(PluginSession& session)
{
    FilterRecord* record = session.State.HostRecord;
    if (!record || !session.State.Params)
        return false;
    HINSTANCE instance = static_cast<HINSTANCE>(StoredModuleHandle());
    if (!instance)
        instance = GetModuleHandleW(nullptr);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (!OpenControlKit(instance, dpi))
        return false;
    Kit().HostColorServices = record->colorServices;
    INT_PTR ended = 2;
    if (RegisterPreviewPaneClass(instance)) {
        MainDialogState state;
        Open = &state;
        const HWND parent = record->platformData ? HWND(record->platformData->hwnd) : nullptr;
        ended = DialogBoxParamW(instance, L"DISSOLVEDIALOG", parent, DissolveProc, LPARAM(&session));
        Open = nullptr;
        UnregisterPreviewPaneClass(instance);
    }
    CloseControlKit();
    WriteSettings(session.Folders.ModuleFolder, *session.State.Params);
    return ended == 1;
}

} // namespace vel::ui

bool vel::RunMainDialogWindow(PluginSession& session)
{
    return ui::ShowMainDialog(session);
}

extern "C" INT_PTR CALLBACK DissolveProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!vel::ui::Open)
        return FALSE;
    return vel::ui::Dispatch(window, message, wParam, lParam);
}
