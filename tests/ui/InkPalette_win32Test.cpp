// The ink palette editor in a page-like window: the swatch strip's drawing,
// its clicks and the colour chooser, the screen picker and ink removal,
// driven by window messages.

#include "ControlHarness.h"

#include "InkTestPalette.h"
#include "ui/pages/InkPaletteWindow.h"

#include <cstring>
#include <optional>

namespace vel::ui::test {
namespace {

constexpr wchar_t PageClass[] = L"Vellisto Ink Test Page";
InkPaletteView* PageView = nullptr;

// What the "Effects" page does for the editor: paints after the default
// painting and hands over its mouse messages and the three buttons' commands.
LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
        if (PageView)
            PageView->Paint();
        return result;
    }
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, Kit().DialogBrush);
        return 1;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_CAPTURECHANGED:
        if (PageView && PageView->Mouse(message, wParam, lParam))
            return 0;
        break;
    case WM_COMMAND:
        if (PageView && PageView->Command(LOWORD(wParam), HIWORD(wParam)))
            return 0;
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The strip's place on the page.
constexpr int StripX = 10, StripY = 10, StripWidth = 202, StripHeight = 30;

class InkPaletteWindow : public ControlHarness {
  protected:
    void SetUp() override
    {
        ControlHarness::SetUp();
        ResetToDefaults(block);
        std::memset(block.RemovedColors, NoRemovedColor, sizeof block.RemovedColors);
        state.DialogUp = true;
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = PageProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = PageClass;
        RegisterClassExW(&wc);
        Page = CreateWindowExW(0, PageClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 300, 120,
                               Parent, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(Page, nullptr);
        Strip = Child(L"STATIC", InkSwatchesId, StripX, StripY, StripWidth, StripHeight, SS_ETCHEDFRAME);
        PickButton = Child(L"BUTTON", PickInkColorId, 10, 60, 40, 24, BS_PUSHBUTTON);
        DeleteButton = Child(L"BUTTON", DeleteInkId, 60, 60, 40, 24, BS_PUSHBUTTON);
        ScreenButton = Child(L"BUTTON", ScreenPickerId, 110, 60, 40, 24, BS_AUTOCHECKBOX | BS_PUSHLIKE);
        SetInkColorChooser([this](HWND, COLORREF& color) {
            ++ChooserOpened;
            Offered = color;
            if (Inside)
                Inside();
            if (!Answer)
                return false;
            color = *Answer;
            return true;
        });
        view.Editor().ActiveInk = 0;
        view.Attach(Page, {&block, &state, [this] { ++Refreshes; }, [this] { ++PageReloads; },
                           [this] { ++EffectsReloads; }});
        view.SetInteraction(true);
        PageView = &view;
    }

    void TearDown() override
    {
        view.Detach();
        PageView = nullptr;
        SetInkColorChooser(nullptr);
        if (Page)
            DestroyWindow(Page);
        UnregisterClassW(PageClass, GetModuleHandleW(nullptr));
        ControlHarness::TearDown();
    }

    HWND Child(const wchar_t* className, int id, int x, int y, int width, int height, DWORD style)
    {
        return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, width, height, Page,
                               reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
    }

    void Derive(ColorSchemaKind schema, int inks)
    {
        DeriveInks(block, state, schema, inks);
        RedrawWindow(Page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }

    void MakeSample() { ASSERT_TRUE(MakeBandedSample(state)); }

    // The page point at the middle of swatch `ink` of `count`.
    static POINT OnSwatch(int ink, int count)
    {
        const SwatchRect r = SwatchRects(StripWidth, StripHeight, count)[size_t(ink)];
        return {StripX + (r.Left + r.Right) / 2, StripY + (r.Top + r.Bottom) / 2};
    }

    // A pixel of the strip as the screen shows it after a repaint.
    COLORREF StripPixel(int x, int y) const
    {
        RedrawWindow(Strip, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(Strip);
        const COLORREF color = GetPixel(dc, x, y);
        ReleaseDC(Strip, dc);
        return color;
    }

    static COLORREF Ref(InkColor color) { return RGB(color.R, color.G, color.B); }

    // The block's bytes, to see that nothing was stored.
    std::vector<uint8_t> BlockBytes() const
    {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&block);
        return {bytes, bytes + sizeof block};
    }

    ParameterBlock block{};
    PrintState state;
    InkPaletteView view;
    HWND Page = nullptr, Strip = nullptr, PickButton = nullptr, DeleteButton = nullptr,
         ScreenButton = nullptr;
    int Refreshes = 0, PageReloads = 0, EffectsReloads = 0;
    int ChooserOpened = 0;
    COLORREF Offered = 0;
    std::optional<COLORREF> Answer; // none: the chooser is cancelled
    std::function<void()> Inside;   // runs while the chooser is open
};

TEST_F(InkPaletteWindow, AFirstClickSelectsASecondOpensTheChooserARightClickOpensAtOnce)
{
    Derive(ColorSchemaKind::RgbPalette, 3);
    const POINT second = OnSwatch(1, 3), third = OnSwatch(2, 3);
    const SwatchRect secondRect = SwatchRects(StripWidth, StripHeight, 3)[1];

    // Hovering holds the capture and sinks the swatch; leaving lets go.
    const COLORREF raisedCorner = StripPixel(secondRect.Left, secondRect.Top);
    Move(Page, second.x, second.y, false);
    EXPECT_EQ(GetCapture(), Page);
    EXPECT_EQ(view.HotSwatch(), 1);
    EXPECT_NE(StripPixel(secondRect.Left, secondRect.Top), raisedCorner) << "sunken edge";
    Move(Page, second.x, StripY + StripHeight + 20, false);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(view.HotSwatch(), -1);

    Click(Page, second.x, second.y);
    EXPECT_EQ(view.Editor().ActiveInk, 1);
    EXPECT_EQ(ChooserOpened, 0) << "a first click only selects";
    EXPECT_EQ(PageReloads, 1) << "the button's release reloads the pages";
    EXPECT_EQ(GetCapture(), nullptr);

    struct Step {
        const char* What;
        std::function<void()> Do;
        int ActiveAfter;
    };
    const Step steps[] = {
        {"second click on the active swatch", [&] { Click(Page, second.x, second.y); }, 1},
        // The first press selects, the second (a double-click) opens.
        {"double-click on another swatch", [&] { DoubleClick(Page, third.x, third.y); }, 2},
        {"right click on another swatch", [&] { RightClick(Page, second.x, second.y); }, 1},
        {"the colour-picker button", [&] { Click(PickButton, 5, 5); }, 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.What);
        ChooserOpened = 0;
        step.Do();
        EXPECT_EQ(ChooserOpened, 1);
        EXPECT_EQ(view.Editor().ActiveInk, step.ActiveAfter);
        EXPECT_EQ(Offered, Ref(RgbBase[step.ActiveAfter])) << "the chooser starts from the ink's colour";
    }

    // While a chooser is open a click on the active swatch opens no other.
    ChooserOpened = 0;
    Inside = [&] {
        Inside = nullptr;
        Press(Page, second.x, second.y);
    };
    Press(Page, second.x, second.y);
    EXPECT_EQ(ChooserOpened, 1);
    EXPECT_FALSE(view.Editor().ChooserOpen);

    // The Original view: no hover, no selection, no chooser, no reload.
    view.SetInteraction(false);
    ChooserOpened = PageReloads = 0;
    Move(Page, third.x, third.y, false);
    EXPECT_EQ(GetCapture(), nullptr);
    Click(Page, third.x, third.y);
    RightClick(Page, third.x, third.y);
    Click(PickButton, 5, 5);
    EXPECT_EQ(view.Editor().ActiveInk, 1);
    EXPECT_EQ(ChooserOpened, 0);
    EXPECT_EQ(PageReloads, 0);
}

TEST_F(InkPaletteWindow, AChosenColourIsStoredAsTheSchemasAdjustmentAndACancelChangesNothing)
{
    struct Case {
        ColorSchemaKind Schema;
        int Inks, Ink;
        int32_t* Adjustments;
    };
    const Case cases[] = {
        {ColorSchemaKind::Monotone, 1, 0, block.PaletteColorADD},
        {ColorSchemaKind::CmykPalette, 4, 2, block.PaletteCMYKADD},
        {ColorSchemaKind::RgbPalette, 3, 1, block.PaletteRGBADD},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.Schema));
        Derive(c.Schema, c.Inks);
        const InkColor base = state.Palette.Inks[c.Ink];
        view.Editor().ActiveInk = uint8_t(c.Ink);
        const POINT at = OnSwatch(c.Ink, c.Inks);
        const int refreshes = Refreshes;

        Answer = RGB(base.R ^ 0x40, 77, 200);
        RightClick(Page, at.x, at.y);
        EXPECT_EQ(c.Adjustments[3 * c.Ink + 0], (base.R ^ 0x40) - base.R);
        EXPECT_EQ(c.Adjustments[3 * c.Ink + 1], 77 - base.G);
        EXPECT_EQ(c.Adjustments[3 * c.Ink + 2], 200 - base.B);
        EXPECT_EQ(StripPixel(at.x - StripX, at.y - StripY), *Answer) << "the swatch shows it";
        EXPECT_EQ(Refreshes, refreshes + 1);

        // Exactly the base colour: no adjustment is left.
        Answer = Ref(base);
        Click(PickButton, 5, 5);
        for (int channel = 0; channel < 3; ++channel)
            EXPECT_EQ(c.Adjustments[3 * c.Ink + channel], 0);
        EXPECT_EQ(state.Palette.Inks[c.Ink], base);

        // A cancelled chooser changes nothing and asks for no render.
        Answer.reset();
        const auto before = BlockBytes();
        const int refreshesBefore = Refreshes;
        RightClick(Page, at.x, at.y);
        Click(PickButton, 5, 5);
        EXPECT_EQ(BlockBytes(), before);
        EXPECT_EQ(state.Palette.Inks[c.Ink], base);
        EXPECT_EQ(Refreshes, refreshesBefore);
    }
}

TEST_F(InkPaletteWindow, InitialColorsShowCheckerboardsAndIgnoreTheMouseAndButtons)
{
    Derive(ColorSchemaKind::InitialColors, 1);
    // 6 × 6 squares of grey 210 and white from the swatch's corner at (2, 2).
    struct Square {
        int X, Y; // from the swatch's corner
        COLORREF Color;
    };
    const Square squares[] = {
        {5, 3, RGB(210, 210, 210)},  {7, 3, RGB(255, 255, 255)},   {7, 7, RGB(210, 210, 210)},
        {13, 7, RGB(255, 255, 255)}, {12, 12, RGB(210, 210, 210)},
    };
    for (const Square& square : squares)
        EXPECT_EQ(StripPixel(2 + square.X, 2 + square.Y), square.Color) << square.X << "," << square.Y;
    const int grey = CountPixels(Strip, RGB(210, 210, 210));
    const int white = CountPixels(Strip, RGB(255, 255, 255));
    EXPECT_GT(grey, 1500);
    EXPECT_GT(white, 1500);

    const auto before = BlockBytes();
    const POINT at = OnSwatch(0, 1);
    Move(Page, at.x, at.y, false);
    EXPECT_EQ(GetCapture(), nullptr) << "no hover";
    Click(Page, at.x, at.y);
    Click(Page, at.x, at.y);
    RightClick(Page, at.x, at.y);
    Answer = RGB(1, 2, 3);
    Click(PickButton, 5, 5);
    Click(ScreenButton, 5, 5);
    EXPECT_FALSE(view.Editor().PickingScreen);
    EXPECT_EQ(SendMessageW(ScreenButton, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(ChooserOpened, 0);
    EXPECT_EQ(PageReloads, 0);
    EXPECT_EQ(BlockBytes(), before);
}

TEST_F(InkPaletteWindow, TheScreenPickerPreviewsLiveThenCancelsOrStores)
{
    // A patch of a known colour on the screen, below the page.
    const COLORREF patch = RGB(12, 200, 77);
    HWND target = Create(ColorSwatch::ClassName, 4321, 40, 200, 80, 60);
    SetSwatchColor(*FindControl<ColorSwatch>(target), patch);
    UpdateWindow(target);
    Pump(50);
    POINT onPatch = {40, 30};
    MapWindowPoints(target, Page, &onPatch, 1);

    Derive(ColorSchemaKind::RgbPalette, 3);
    view.Editor().ActiveInk = 1;
    const POINT swatch = OnSwatch(1, 3);
    POINT onButton = {5, 5};
    MapWindowPoints(ScreenButton, Page, &onButton, 1);

    struct Way {
        const char* What;
        std::function<void()> Cancel;
    };
    const Way cancels[] = {
        {"right click", [&] { RightClick(Page, onPatch.x, onPatch.y); }},
        {"click on the picker button", [&] { Click(Page, onButton.x, onButton.y); }},
        {"Esc, Cancel or deactivation", [&] { view.CancelPicking(); }},
    };
    const auto before = BlockBytes();
    for (const Way& way : cancels) {
        SCOPED_TRACE(way.What);
        Click(ScreenButton, 5, 5);
        ASSERT_TRUE(view.Editor().PickingScreen);
        EXPECT_EQ(SendMessageW(ScreenButton, BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(GetCapture(), Page);

        Move(Page, onPatch.x, onPatch.y, false);
        EXPECT_EQ(GetCursor(), view.PickerCursor());
        EXPECT_EQ(state.Palette.Inks[1], (InkColor{12, 200, 77})) << "live in the active ink";
        EXPECT_EQ(StripPixel(swatch.x - StripX, swatch.y - StripY), patch);
        EXPECT_EQ(BlockBytes(), before) << "nothing stored while moving";

        way.Cancel();
        EXPECT_FALSE(view.Editor().PickingScreen);
        EXPECT_EQ(SendMessageW(ScreenButton, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_NE(GetCapture(), Page);
        EXPECT_EQ(state.Palette.Inks[1], RgbBase[1]) << "the previous colour is back";
        EXPECT_EQ(StripPixel(swatch.x - StripX, swatch.y - StripY), Ref(RgbBase[1]));
        EXPECT_EQ(BlockBytes(), before);
        EXPECT_EQ(Refreshes, 0);
    }

    // Points left of or above the screen are ignored, moved over or clicked.
    Click(ScreenButton, 5, 5);
    POINT offScreen = {-30, 10};
    ScreenToClient(Page, &offScreen);
    Move(Page, offScreen.x, offScreen.y, false);
    Click(Page, offScreen.x, offScreen.y);
    EXPECT_TRUE(view.Editor().PickingScreen);
    EXPECT_EQ(state.Palette.Inks[1], RgbBase[1]);

    // A left click stores the colour as the schema's adjustment.
    Move(Page, onPatch.x, onPatch.y, false);
    Click(Page, onPatch.x, onPatch.y);
    EXPECT_FALSE(view.Editor().PickingScreen);
    EXPECT_EQ(SendMessageW(ScreenButton, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_NE(GetCapture(), Page);
    EXPECT_EQ(block.PaletteRGBADD[3], 12);
    EXPECT_EQ(block.PaletteRGBADD[4], 200 - 255);
    EXPECT_EQ(block.PaletteRGBADD[5], 77);
    EXPECT_EQ(Refreshes, 1);
    EXPECT_EQ(StripPixel(swatch.x - StripX, swatch.y - StripY), patch);
}

TEST_F(InkPaletteWindow, RemovingAnInkOfATwoInkCustomPaletteLeavesOneSwatchFillingTheStrip)
{
    MakeSample();
    Derive(ColorSchemaKind::CustomPalette, 2);
    ASSERT_EQ(state.Inks.InkCount, 2);
    const InkColor first = state.Palette.Inks[0], second = state.Palette.Inks[1];
    ASSERT_NE(first, second);
    view.Editor().ActiveInk = 1;
    const int nearRightEnd = StripWidth - 8, middle = StripHeight / 2;
    EXPECT_EQ(StripPixel(nearRightEnd, middle), Ref(second));

    Click(DeleteButton, 5, 5);
    EXPECT_EQ(state.Inks.InkCount, 1);
    EXPECT_EQ(view.Editor().ActiveInk, 0);
    EXPECT_EQ(EffectsReloads, 1);
    EXPECT_EQ(Refreshes, 1);
    EXPECT_EQ(StripPixel(nearRightEnd, middle), Ref(first)) << "one swatch across the strip";
    EXPECT_EQ(StripPixel(8, middle), Ref(first));
    EXPECT_EQ(CountPixels(Strip, Ref(second)), 0);

    // The last ink stays.
    Click(DeleteButton, 5, 5);
    EXPECT_EQ(state.Inks.InkCount, 1);
    EXPECT_EQ(EffectsReloads, 1);
}

} // namespace
} // namespace vel::ui::test
