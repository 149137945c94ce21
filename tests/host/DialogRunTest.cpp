// The module's main dialog as a user meets it: opened by a menu run, driven
// with window messages from a second thread while the host's thread runs
// the dialog, and closed with OK or Cancel.

#include "DialogWatcher.h"
#include "FreshModule.h"

#include "params/FieldTable.h"
#include "session/DescriptorKeys.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace vel::test {
namespace {

constexpr int IdZoomIn = 1000, IdZoomOut = 1001, IdPreview = 1002, IdZoomLabel = 1003, IdNavigator = 1005;
constexpr int IdComposite = 500, IdLayerOne = 502, IdLayerTwo = 503, IdAddLayer = 504, IdDeleteOne = 505,
              IdDeleteTwo = 506, IdOriginal = 508, IdCompositeCheck = 1020;

using DialogRuns = FreshModule;

SIZE PaneSize(HWND dialog)
{
    RECT r;
    GetClientRect(GetDlgItem(dialog, IdPreview), &r);
    return {r.right, r.bottom};
}

std::wstring ZoomText(HWND dialog)
{
    return TextOf(GetDlgItem(dialog, IdZoomLabel));
}
bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != 0;
}
bool Shown(HWND dialog, int id)
{
    return IsWindowVisible(GetDlgItem(dialog, id)) != 0;
}

void HotKey(HWND dialog, int id)
{
    PostMessageW(dialog, WM_HOTKEY, WPARAM(id), 0);
    Settle(dialog);
}

// A pixel of a control as it is on the screen.
COLORREF PixelOf(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

// The dialog's requests of the visible area: between the whole source it
// reads when it opens and the final render's two whole-image requests.
std::vector<AdvanceCall> PreviewRequests(FakeHost& host)
{
    const std::vector<AdvanceCall>& calls = host.AdvanceCalls();
    if (calls.size() < 3)
        return {};
    return std::vector<AdvanceCall>(calls.begin() + 1, calls.end() - 2);
}

// The size of the preview pane at the dialog's opening geometry.
SIZE MeasurePane(const PluginEntryFn& entry)
{
    SIZE pane = {};
    DialogWatcher watcher([&](HWND dialog) {
        pane = PaneSize(dialog);
        DialogWatcher::PressCancel(dialog);
    });
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(64, 48, 3));
    host.Run(entry, Invocation::Menu);
    return pane;
}

TEST_F(DialogRuns, MenuRunOpensTheDialogAndARepeatRunDoesNot)
{
    DialogWatcher watcher;
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(40, 30, 3));
    HWND parent = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    host.SetParentWindow(intptr_t(parent));
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    EXPECT_EQ(watcher.DialogsSeen(), 1);
    const FakeImage first = host.Output();
    EXPECT_NE(first, host.Source());
    ASSERT_EQ(host.Run(entry, Invocation::Repeat), noErr);
    EXPECT_EQ(watcher.DialogsSeen(), 1);
    EXPECT_EQ(host.Output(), first);
    DestroyWindow(parent);
}

TEST_F(DialogRuns, ZoomByButtonsAndKeys)
{
    const SIZE pane = MeasurePane(entry);
    ASSERT_GT(pane.cy, 100);

    // Smaller than the pane: one level, both buttons off whatever is asked.
    {
        std::vector<std::wstring> labels;
        bool anyEnabled = false;
        DialogWatcher watcher([&](HWND dialog) {
            labels.push_back(ZoomText(dialog));
            anyEnabled |= Enabled(dialog, IdZoomIn) || Enabled(dialog, IdZoomOut);
            for (int key : {3, 4, 1, 2}) {
                HotKey(dialog, key);
                labels.push_back(ZoomText(dialog));
                anyEnabled |= Enabled(dialog, IdZoomIn) || Enabled(dialog, IdZoomOut);
            }
            DialogWatcher::PressOk(dialog);
        });
        FakeHost host(plugInModeRGBColor, FakeImage::Gradient(64, 48, 3));
        ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
        EXPECT_EQ(labels, std::vector<std::wstring>(5, L"100%"));
        EXPECT_FALSE(anyEnabled);
    }

    // 2.1 times the pane's height: 100 %, 50 % and 33 %.
    std::vector<std::wstring> labels;
    std::vector<std::pair<bool, bool>> buttons;
    DialogWatcher watcher([&](HWND dialog) {
        const auto note = [&] {
            labels.push_back(ZoomText(dialog));
            buttons.push_back({Enabled(dialog, IdZoomIn), Enabled(dialog, IdZoomOut)});
        };
        note();
        Click(GetDlgItem(dialog, IdZoomOut));
        note();
        Click(GetDlgItem(dialog, IdZoomOut));
        note();
        Click(GetDlgItem(dialog, IdZoomIn));
        note();
        HotKey(dialog, 4); // Ctrl+1
        note();
        HotKey(dialog, 3); // Ctrl+0
        note();
        HotKey(dialog, 1); // Ctrl+plus
        note();
        HotKey(dialog, 2); // Ctrl+minus
        note();
        DialogWatcher::PressOk(dialog);
    });
    const int height = int(pane.cy * 2.1);
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(pane.cx / 2, height, 3));
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    EXPECT_EQ(labels,
              (std::vector<std::wstring>{L"100%", L"50%", L"33%", L"50%", L"100%", L"33%", L"50%", L"33%"}));
    const std::vector<std::pair<bool, bool>> expected = {{false, true}, {true, true},  {true, false},
                                                         {true, true},  {false, true}, {true, false},
                                                         {true, true},  {true, false}};
    EXPECT_EQ(buttons, expected);
    // Each preview request asks for the visible area at the integer
    // reduction: one per zoom step between the source and the final render.
    const std::vector<AdvanceCall> previews = PreviewRequests(host);
    std::vector<Fixed> rates;
    for (const AdvanceCall& call : previews)
        rates.push_back(call.InputRate);
    const Fixed one = 65536;
    EXPECT_EQ(rates, (std::vector<Fixed>{one, 2 * one, 3 * one, 2 * one, one, 3 * one, 2 * one, 3 * one}));
    EXPECT_EQ(previews.back().Out.bottom - previews.back().Out.top, int(float(height) / 3 + 0.5f));
}

TEST_F(DialogRuns, DraggingScrollsClampedToTheImage)
{
    const SIZE pane = MeasurePane(entry);
    const int width = pane.cx * 2, height = pane.cy * 3;
    int rendersBefore = 0, rendersAfterCtrl = 0;
    DialogWatcher watcher([&](HWND dialog) {
        HWND preview = GetDlgItem(dialog, IdPreview);
        // Far beyond the bottom-right: the last full pane.
        Drag(preview, 300, 300, -5000, -5000);
        // The navigator's frame far beyond the top-left: back to 0, 0.
        Drag(GetDlgItem(dialog, IdNavigator), 20, 20, -500, -500);
        // With Ctrl: no render at the end.
        rendersBefore = Renders(dialog);
        Drag(preview, 100, 100, -40, -40, true);
        rendersAfterCtrl = Renders(dialog);
        DialogWatcher::PressOk(dialog);
    });
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(width, height, 3));
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    // The first area, the two drags; none for the Ctrl-drag.
    const std::vector<AdvanceCall> calls = PreviewRequests(host);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].In.left, 0);
    EXPECT_EQ(calls[1].In.left, width - pane.cx);
    EXPECT_EQ(calls[1].In.top, height - pane.cy);
    EXPECT_EQ(calls[1].In.right, width);
    EXPECT_EQ(calls[2].In.left, 0);
    EXPECT_EQ(calls[2].In.top, 0);
    EXPECT_EQ(rendersAfterCtrl, rendersBefore);
}

TEST_F(DialogRuns, ResizingLaysOutAndRendersOnceAtTheEnd)
{
    int duringSizing = -1, afterSizing = -1, afterMaximize = -1, start = 0;
    SIZE paneBefore = {}, paneAfter = {};
    MINMAXINFO limits = {};
    DialogWatcher watcher([&](HWND dialog) {
        // From a known place and size: whatever an earlier run left in the
        // settings file, the grown dialog stays on the screen.
        MINMAXINFO minimum = {};
        SendMessageW(dialog, WM_GETMINMAXINFO, 0, LPARAM(&minimum));
        SendMessageW(dialog, WM_ENTERSIZEMOVE, 0, 0);
        SetWindowPos(dialog, nullptr, 10, 10, minimum.ptMinTrackSize.x, minimum.ptMinTrackSize.y, SWP_NOZORDER);
        SendMessageW(dialog, WM_EXITSIZEMOVE, 0, 0);
        Settle(dialog);
        start = Renders(dialog);
        paneBefore = PaneSize(dialog);
        SendMessageW(dialog, WM_ENTERSIZEMOVE, 0, 0);
        RECT r;
        GetWindowRect(dialog, &r);
        for (int step = 1; step <= 3; ++step)
            SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left + 40 * step, r.bottom - r.top + 30 * step,
                         SWP_NOMOVE | SWP_NOZORDER);
        Settle(dialog);
        duringSizing = Renders(dialog) - start;
        paneAfter = PaneSize(dialog);
        SendMessageW(dialog, WM_EXITSIZEMOVE, 0, 0);
        Settle(dialog);
        afterSizing = Renders(dialog) - start;
        PostMessageW(dialog, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        Settle(dialog);
        afterMaximize = Renders(dialog) - start;
        SendMessageW(dialog, WM_GETMINMAXINFO, 0, LPARAM(&limits));
        DialogWatcher::PressOk(dialog);
    });
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(1600, 1200, 3));
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    EXPECT_EQ(duringSizing, 0);
    EXPECT_NEAR(paneAfter.cx - paneBefore.cx, 120, 3) << "re-laid out";
    EXPECT_EQ(paneAfter.cy - paneBefore.cy, 90);
    EXPECT_EQ(afterSizing, 1);
    EXPECT_EQ(afterMaximize, 2);
    EXPECT_EQ(limits.ptMinTrackSize.x, 990); // the test prefix is at 96 dpi
    EXPECT_EQ(limits.ptMinTrackSize.y, 690);
}

TEST_F(DialogRuns, LayersBarAndTabsRenderWhenTheViewChanges)
{
    struct Step {
        const char* What;
        int Renders;
    };
    std::vector<Step> steps;
    bool twoShown = false, deleteShown = false, checkShown = false, addShownAfterDelete = false;
    DialogWatcher watcher([&](HWND dialog) {
        int last = Renders(dialog);
        const auto note = [&](const char* what) {
            steps.push_back({what, Renders(dialog) - last});
            last = Renders(dialog);
        };
        Click(GetDlgItem(dialog, IdAddLayer));
        note("add layer");
        twoShown = Shown(dialog, IdLayerTwo);
        deleteShown = Shown(dialog, IdDeleteOne) && Shown(dialog, IdDeleteTwo);
        checkShown = Shown(dialog, IdCompositeCheck);
        Click(GetDlgItem(dialog, IdLayerOne));
        note("layer one");
        ClickTab(dialog, 2);
        note("to Effects: layer one alone to composite");
        ClickTab(dialog, 1);
        note("to Randomize: back to layer one");
        ClickTab(dialog, 0);
        note("to Engrave: the same view");
        Click(GetDlgItem(dialog, IdCompositeCheck));
        note("always composite");
        ClickTab(dialog, 2);
        note("to Effects with the switch: the same picture");
        Click(GetDlgItem(dialog, IdOriginal));
        note("original");
        ClickTab(dialog, 0);
        note("back to Engrave");
        Click(GetDlgItem(dialog, IdDeleteTwo));
        note("delete layer two");
        addShownAfterDelete = Shown(dialog, IdAddLayer) && !Shown(dialog, IdLayerTwo);
        Click(GetDlgItem(dialog, IdComposite));
        note("composite");
        DialogWatcher::PressOk(dialog);
    });
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(80, 60, 3));
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    EXPECT_TRUE(twoShown);
    EXPECT_TRUE(deleteShown);
    EXPECT_TRUE(checkShown);
    EXPECT_TRUE(addShownAfterDelete);
    const int expected[] = {1, 1, 1, 1, 0, 1, 0, 1, 1, 1, 1};
    ASSERT_EQ(steps.size(), std::size(expected));
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(steps[i].Renders, expected[i]) << steps[i].What;
    EXPECT_EQ(host.Parameters().LayerTwoExist, 0);
}

TEST_F(DialogRuns, ABurstOfEditsRendersOnce)
{
    int renders = -1;
    bool checked = false;
    DialogWatcher watcher([&](HWND dialog) {
        Click(GetDlgItem(dialog, IdAddLayer));
        const int before = Renders(dialog);
        // Three toggles of the composite switch's label before the dialog
        // gets to the first refresh.
        for (int i = 0; i < 3; ++i)
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(9111, 0), 0);
        Settle(dialog);
        renders = Renders(dialog) - before;
        checked = SendMessageW(GetDlgItem(dialog, IdCompositeCheck), BM_GETCHECK, 0, 0) == BST_CHECKED;
        DialogWatcher::PressOk(dialog);
    });
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(30, 20, 3));
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    EXPECT_EQ(renders, 1);
    EXPECT_TRUE(checked);
}

TEST_F(DialogRuns, AddedLayerTwoIsKeptByOk)
{
    DialogWatcher watcher([](HWND dialog) {
        Click(GetDlgItem(dialog, IdAddLayer));
        DialogWatcher::PressOk(dialog);
    });
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(30, 20, 3));
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    EXPECT_EQ(host.Parameters().LayerTwoExist, 1);
}

TEST_F(DialogRuns, ResetAllRestoresTheDefaultsAndTheCompositeView)
{
    // A recorded run with a wider line, played with the dialog.
    FakeDescriptor recorded;
    LayerIndex layer = LayerIndex::One;
    const FieldInfo* width = FindField("Width1", &layer);
    ASSERT_NE(width, nullptr);
    recorded.PutFloat(DescriptorKey(*width, layer), 12);
    int renders = 0;
    bool compositeAgain = false;
    DialogWatcher watcher([&](HWND dialog) {
        Click(GetDlgItem(dialog, IdAddLayer));
        const int before = Renders(dialog);
        Click(GetDlgItem(dialog, 524));
        renders = Renders(dialog) - before;
        // The bar is laid out for one layer in the Composite view again.
        compositeAgain = Shown(dialog, IdAddLayer) && !Shown(dialog, IdLayerTwo);
        DialogWatcher::PressOk(dialog);
    });
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(30, 20, 3));
    host.SetDescriptor(recorded, plugInDialogDisplay);
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    EXPECT_EQ(renders, 1);
    EXPECT_TRUE(compositeAgain);
    ParameterBlock defaults{};
    ResetWindowGeometry(defaults);
    EXPECT_EQ(host.Parameters().Layers[0].Width, defaults.Layers[0].Width);
    EXPECT_EQ(host.Parameters().LayerTwoExist, defaults.LayerTwoExist);
}

TEST_F(DialogRuns, CancelLeavesTheImageAndReportsUserCanceled)
{
    DialogWatcher watcher([](HWND dialog) {
        Click(GetDlgItem(dialog, IdZoomOut));
        Drag(GetDlgItem(dialog, IdPreview), 50, 50, 10, 10);
        DialogWatcher::PressCancel(dialog);
    });
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(900, 700, 4));
    EXPECT_EQ(host.Run(entry, Invocation::Menu), userCanceledErr);
    EXPECT_EQ(host.Output(), host.Source());
    EXPECT_EQ(host.RecordedDescriptor(), nullptr) << "nothing recorded for a cancelled run";
}

std::string SettingsText()
{
    const std::string path =
        std::string(ModulePath).substr(0, std::string(ModulePath).size() - 15) + "VellistoIII.ini";
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(DialogRuns, TheDialogReopensWhereItWasClosedEvenAfterCancel)
{
    const RECT wanted = {37, 41, 37 + 1011, 41 + 707};
    {
        DialogWatcher watcher([&](HWND dialog) {
            SetWindowPos(dialog, nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
                         wanted.bottom - wanted.top, SWP_NOZORDER);
            Settle(dialog);
            DialogWatcher::PressCancel(dialog);
        });
        FakeHost host(plugInModeRGBColor, FakeImage::Gradient(30, 20, 3));
        EXPECT_EQ(host.Run(entry, Invocation::Menu), userCanceledErr);
    }
    const std::string settings = SettingsText();
    EXPECT_NE(settings.find("tfeL 37 "), std::string::npos) << settings;
    EXPECT_NE(settings.find(" poT 41 "), std::string::npos) << settings;
    EXPECT_NE(settings.find("htdW 1011 "), std::string::npos) << settings;
    EXPECT_NE(settings.find("thgH 707 "), std::string::npos) << settings;

    // A new host session: the blocks are new, the settings file is read.
    RECT reopened = {};
    DialogWatcher watcher([&](HWND dialog) {
        GetWindowRect(dialog, &reopened);
        DialogWatcher::PressOk(dialog);
    });
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(30, 20, 3));
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    EXPECT_EQ(reopened.left, wanted.left);
    EXPECT_EQ(reopened.top, wanted.top);
    EXPECT_EQ(reopened.right, wanted.right);
    EXPECT_EQ(reopened.bottom, wanted.bottom);
}

// The preview always shows RGB: a CMYK document and a 16-bit one, in the
// Original view, show their colours.
TEST_F(DialogRuns, CmykAndSixteenBitDocumentsPreviewInRgb)
{
    struct Case {
        const char* Name;
        int16_t Mode;
        FakeImage Image;
    };
    FakeImage cmyk(40, 30, 4);
    FakeImage wide(40, 30, 3, 16);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            // Cyan-free, full magenta and yellow in the host's model (255 is no ink): red.
            cmyk.Set(x, y, 0, 255);
            cmyk.Set(x, y, 1, 0);
            cmyk.Set(x, y, 2, 0);
            cmyk.Set(x, y, 3, 255);
            wide.Set(x, y, 0, 32768);
            wide.Set(x, y, 1, 128 << 7);
            wide.Set(x, y, 2, 0);
        }
    const Case cases[] = {{"cmyk", plugInModeCMYKColor, cmyk}, {"rgb48", plugInModeRGB48, wide}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        COLORREF shown = 0;
        DialogWatcher watcher([&](HWND dialog) {
            Click(GetDlgItem(dialog, IdOriginal));
            const SIZE pane = PaneSize(dialog);
            // The pane paints once the dialog's queue has run dry.
            WaitFor([&] {
                shown = PixelOf(GetDlgItem(dialog, IdPreview), pane.cx / 2, pane.cy / 2);
                return GetRValue(shown) > 200 && GetBValue(shown) < 60;
            });
            DialogWatcher::PressCancel(dialog);
        });
        FakeHost host(c.Mode, c.Image);
        EXPECT_EQ(host.Run(entry, Invocation::Menu), userCanceledErr);
        EXPECT_GT(GetRValue(shown), 200);
        EXPECT_LT(GetBValue(shown), 60);
        if (c.Mode == plugInModeRGB48) {
            EXPECT_EQ(GetGValue(shown), 128);
        }
    }
}

// A transparent target layer shows the layers below, in the preview and the
// navigator.
TEST_F(DialogRuns, LayeredDocumentShowsTheLayersBelowThroughTransparency)
{
    const int w = 60, h = 40;
    FakeImage merged(w, h, 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            merged.Set(x, y, 0, 250);
            merged.Set(x, y, 1, 250);
            merged.Set(x, y, 2, 250);
            merged.Set(x, y, 3, 0); // the target layer is transparent everywhere
        }
    FakeLayer below{
        "Below",
        true,
        {std::vector<uint8_t>(w * h, 20), std::vector<uint8_t>(w * h, 40), std::vector<uint8_t>(w * h, 220)},
        {}};
    FakeLayer target{"Target",
                     true,
                     {std::vector<uint8_t>(w * h, 250), std::vector<uint8_t>(w * h, 250),
                      std::vector<uint8_t>(w * h, 250)},
                     std::vector<uint8_t>(w * h, 0)};
    COLORREF preview = 0, navigator = 0;
    DialogWatcher watcher([&](HWND dialog) {
        Click(GetDlgItem(dialog, IdOriginal));
        const SIZE pane = PaneSize(dialog);
        RECT nav;
        GetClientRect(GetDlgItem(dialog, IdNavigator), &nav);
        // The panes paint once the dialog's queue has run dry.
        WaitFor([&] {
            preview = PixelOf(GetDlgItem(dialog, IdPreview), pane.cx / 2, pane.cy / 2);
            navigator = PixelOf(GetDlgItem(dialog, IdNavigator), nav.right / 2, nav.bottom / 2);
            return preview == RGB(20, 40, 220) && navigator == RGB(20, 40, 220);
        });
        DialogWatcher::PressCancel(dialog);
    });
    FakeHost host(plugInModeRGBColor, merged);
    host.SetLayers({below, target}, 1);
    EXPECT_EQ(host.Run(entry, Invocation::Menu), userCanceledErr);
    EXPECT_EQ(preview, RGB(20, 40, 220));
    EXPECT_EQ(navigator, RGB(20, 40, 220));
}

} // namespace
} // namespace vel::test
