// The parameter pages in the running dialog: a menu run in this process over
// the test host, and a script that runs once on the dialog's own thread (from
// a thread timer the dialog's loop dispatches), changes controls with the
// messages they get from the user or send to their page, and reads the
// parameter block between the steps.

#include "engine/RenderDriver.h"
#include "params/FieldTable.h"
#include "platform/Alert.h"
#include "session/FakeHost.h"
#include "session/SessionState.h"
#include "ui/controls/Controls.h"
#include "ui/dialog/MainDialog.h"
#include "ui/pages/PageBinding.h"
#include "ui/pages/PageTables.h"
#include "ui/preview/PreviewPane.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace vel::ui {
namespace {

constexpr int IdTabs = 999, IdAddLayer = 504, IdLayerOne = 502, IdLayerTwo = 503, IdComposite = 500,
              IdOriginal = 508, IdReloadPages = 9777;

PluginSession* Session = nullptr;
std::function<void(HWND)> Script;
bool Started = false;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = MainDialogWindow();
    // Once the first preview is up and the dialog shows.
    if (Started || !dialog || PreviewRenderCount() == 0 || GetActiveWindow() != dialog ||
        !IsWindowVisible(dialog))
        return;
    Started = true;
    Script(dialog);
    // Whatever the script left open ends as applied.
    if (IsWindowVisible(dialog))
        EndDialog(dialog, 1);
}

// A menu run with the dialog; `script` runs once inside it. Returns the
// run's result word (0 applied, -128 cancelled).
int16_t RunPages(const std::function<void(HWND)>& script)
{
    PluginSession session;
    session.ShowMainDialog = RunMainDialogWindow;
    session.RenderImage = RenderForHost;
    test::FakeHost host(plugInModeRGBColor, test::FakeImage::Gradient(64, 48, 3));
    // A paper texture that is not there is reported by an alert: answered here.
    const AlertSink previous = SetAlertSink([](const AlertMessage&) { return AlertAnswer::Ok; });
    Session = &session;
    Script = script;
    Started = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, Tick);
    const int16_t result =
        host.Run([&](int16_t selector, void* record, intptr_t* data,
                     int16_t* word) { PluginEntry(session, selector, record, data, word); },
                 test::Invocation::Menu);
    KillTimer(nullptr, timer);
    SetAlertSink(previous);
    Session = nullptr;
    EXPECT_TRUE(Started) << "the script never ran";
    return result;
}

ParameterBlock& Block()
{
    return *Session->State.Params;
}

// Handles what the controls and the page posted.
void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void ShowTab(HWND dialog, int tab)
{
    HWND tabs = GetDlgItem(dialog, IdTabs);
    SendMessageW(tabs, TCM_SETCURSEL, WPARAM(tab), 0);
    NMHDR header = {tabs, UINT_PTR(IdTabs), UINT(TCN_SELCHANGE)};
    SendMessageW(dialog, WM_NOTIFY, IdTabs, LPARAM(&header));
    Pump();
}

void Send(HWND dialog, int command)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    Pump();
}

// The page shown in the tabs.
HWND ShownPage(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

// Puts `block` into the session's block as a preset would and reloads the
// pages (command 9777).
void Load(HWND dialog, const ParameterBlock& block)
{
    std::memcpy(&Block(), &block, sizeof block);
    Send(dialog, IdReloadPages);
}

// The names of the fields that differ, for messages.
std::string Differences(const ParameterBlock& expected, const ParameterBlock& actual)
{
    std::string names;
    for (const FieldInfo& field : ParameterFields())
        for (LayerIndex layer : {LayerIndex::One, LayerIndex::Two}) {
            if (field.Scope == FieldScope::Common && layer == LayerIndex::Two)
                continue;
            if (field.Shape == ValueShape::Text) {
                if (std::strcmp(static_cast<const char*>(FieldAddress(expected, field, layer)),
                                static_cast<const char*>(FieldAddress(actual, field, layer))) != 0)
                    names += FieldName(field, layer) + " ";
            } else if (GetFieldValue(expected, field, layer) != GetFieldValue(actual, field, layer)) {
                names += FieldName(field, layer) + " ";
            }
        }
    if (names.empty() && std::memcmp(&expected, &actual, sizeof expected) != 0)
        names = "(bytes outside the field table)";
    return names;
}

void TypeInto(HWND page, int id, const std::string& text)
{
    SpinEdit* field = FindControl<SpinEdit>(page, id);
    ASSERT_NE(field, nullptr) << id;
    SetWindowTextA(field->Edit, text.c_str());
    SendMessageW(field->Window, WM_COMMAND, MAKEWPARAM(1, EN_KILLFOCUS), LPARAM(field->Edit));
    Pump();
}

void Choose(HWND page, int id, int entry)
{
    HWND combo = GetDlgItem(page, id);
    SendMessageW(combo, CB_SETCURSEL, WPARAM(entry), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(combo));
    Pump();
}

void ClickButton(HWND page, int id)
{
    HWND button = GetDlgItem(page, id);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Pump();
}

// Every control of every page enabled: two layers, a radial pattern with
// waves, circles, noise, roughness, partial coverage, broken lines, edges,
// a paper texture read as "Surface" and an emboss.
ParameterBlock AllEnabled()
{
    ParameterBlock block = Block();
    block.LayerTwoExist = 1;
    for (LayerParameters& layer : block.Layers) {
        layer.Geometry = 9;
        layer.Big = 1;
        layer.LoNoiseIntensity = 10;
        layer.RoughnessIntensity = 10;
        layer.Coverage = 99.99f;
        layer.Discontinuous = 10;
        layer.EdgeType = 1;
    }
    block.EmbossDepth = 10;
    std::memset(block.PaperName, 0, sizeof block.PaperName);
    std::strcpy(block.PaperName, "Canvas");
    block.PaperSchema = 1;
    return block;
}

// Each numeric field, check box, combo and the bind toggle, changed the way
// the user changes it, in Layer One and in Layer Two view (the "Effects"
// page edits the block's own fields): exactly its field of the edited layer
// changes.
TEST(ParameterPages, EachControlStoresItsFieldOfTheEditedLayerOnly)
{
    std::vector<std::string> failures;
    int cases = 0;
    RunPages([&](HWND dialog) {
        Send(dialog, IdAddLayer);
        const ParameterBlock baseline = AllEnabled();
        const struct {
            PageKind Kind;
            int Tab;
            std::vector<int> Views;
        } pages[] = {{PageKind::Engrave, 0, {IdLayerOne, IdLayerTwo}},
                     {PageKind::Randomize, 1, {IdLayerOne, IdLayerTwo}},
                     {PageKind::Effects, 2, {IdComposite}}};
        for (const auto& p : pages) {
            ShowTab(dialog, p.Tab);
            for (int viewCommand : p.Views) {
                Send(dialog, viewCommand);
                const LayerIndex layer = viewCommand == IdLayerTwo ? LayerIndex::Two : LayerIndex::One;
                for (const ControlBinding& control : PageControls(p.Kind)) {
                    // The schema, the number of inks and the colour swatch
                    // have their own rules (and a chooser); see below.
                    if (control.Id == 1036 || control.Id == 2007)
                        continue;
                    const FieldInfo* field = BoundField(control);
                    Load(dialog, baseline);
                    HWND page = ShownPage(dialog);
                    ParameterBlock expected = baseline;
                    const double before = field ? GetFieldValue(baseline, *field, layer) : 0;
                    double value = 0;
                    switch (control.Kind) {
                    case ControlKind::Numeric: {
                        const SpinValues setup = NumericSetup(control);
                        char text[32];
                        std::snprintf(text, sizeof text, "%.2f",
                                      setup.RangeMin + (setup.RangeMax - setup.RangeMin) * 0.37);
                        value = double(float(std::strtod(text, nullptr)));
                        TypeInto(page, control.Id, text);
                        break;
                    }
                    case ControlKind::Check:
                        value = before != 0 ? 0 : 1;
                        SendDlgItemMessageW(page, control.Id, BM_CLICK, 0, 0);
                        Pump();
                        break;
                    case ControlKind::Toggle:
                        value = before != 0 ? 0 : 1;
                        ClickButton(page, control.Id);
                        break;
                    case ControlKind::Combo:
                        value = before == 1 ? 2 : 1;
                        Choose(page, control.Id, int(value));
                        break;
                    default:
                        continue;
                    }
                    ++cases;
                    SetFieldValue(expected, *field, layer, value);
                    const std::string wrong = Differences(expected, Block());
                    if (!wrong.empty())
                        failures.push_back(std::to_string(control.Id) + " in view " +
                                           std::to_string(viewCommand) + ": " + wrong);
                }
            }
        }
    });
    EXPECT_EQ(cases, 2 * (14 + 19) + 6);
    EXPECT_TRUE(failures.empty()) << [&] {
        std::string all;
        for (const std::string& f : failures)
            all += f + "\n";
        return all;
    }();
}

struct EnableCase {
    const char* What;
    int ViewCommand;
    int Geometry;
    float Coverage;
    std::vector<int> Enabled, Disabled;
    int Crosshair; // -1: not checked
};

// The enable rules as the controls show them, labels included, and the
// preview's centre mark.
TEST(ParameterPages, EnableRulesReachTheControlsAndTheirLabels)
{
    const int engraveLayer[] = {1035, 1201, 1020, 1202, 1002, 1170, 1003, 1004, 1005, 1006, 1011};
    const std::vector<int> engraveAll(std::begin(engraveLayer), std::end(engraveLayer));
    const EnableCase cases[] = {
        {"composite with two layers", IdComposite, 0, 100, {1775, 1200}, engraveAll, 0},
        {"layer one", IdLayerOne, 0, 100, engraveAll, {1935, 1015, 1183, 1007, 1175, 1008, 1009}, 0},
        {"rings", IdLayerOne, 8, 100, {1935, 1015, 1016, 1183, 1184}, {1182, 1007, 1008, 1009}, 1},
        {"star", IdLayerOne, 41, 100, {1935, 1007, 1175, 1182}, {1008, 1176, 1009}, 1},
        {"iso lines 1", IdLayerOne, 45, 100, {1008, 1009}, {1935, 1015, 1182, 1007, 1021}, 0},
        {"iso lines 2", IdLayerOne, 46, 100, {1008}, {1009, 1177, 1935}, 0},
        {"original", IdOriginal, 8, 100, {}, {1035, 1775, 1935, 1002, 1170}, 0},
    };
    std::vector<std::string> failures;
    const auto check = [&](const char* what, HWND page, int id, bool enabled) {
        HWND window = GetDlgItem(page, id);
        bool shown = window && IsWindowEnabled(window);
        if (const SpinEdit* field = FindControl<SpinEdit>(window))
            shown =
                shown && field->EnabledLook && IsWindowEnabled(field->Slider) && IsWindowEnabled(field->Edit);
        if (!window || shown != enabled)
            failures.push_back(std::string(what) + ": " + std::to_string(id) +
                               (enabled ? " disabled" : " enabled"));
    };
    RunPages([&](HWND dialog) {
        Send(dialog, IdAddLayer);
        PreviewPane* preview = FindPane(GetDlgItem(dialog, 1002));
        for (const EnableCase& c : cases) {
            ParameterBlock block = Block();
            block.Layers[0].Geometry = uint8_t(c.Geometry);
            Load(dialog, block);
            Send(dialog, c.ViewCommand);
            HWND page = ShownPage(dialog);
            for (int id : c.Enabled)
                check(c.What, page, id, true);
            for (int id : c.Disabled)
                check(c.What, page, id, false);
            if (c.Crosshair >= 0 && preview && (preview->Crosshair != 0) != (c.Crosshair != 0))
                failures.push_back(std::string(c.What) + ": crosshair");
        }
        // Layer One in Composite view again: its own values come back.
        ParameterBlock block = Block();
        block.Layers[0].Width = 33;
        block.Layers[1].Width = 44;
        Load(dialog, block);
        Send(dialog, IdComposite);
        Send(dialog, IdLayerOne);
        const SpinEdit* width = FindControl<SpinEdit>(ShownPage(dialog), 1002);
        if (!width || width->Values.Value != 33)
            failures.push_back("layer one's width not shown");
        Send(dialog, IdLayerTwo);
        if (!width || width->Values.Value != 44)
            failures.push_back("layer two's width not shown");

        // Randomize: the coverage controls follow "Intensity": enabled at
        // 99.99, disabled once 100 is typed.
        ShowTab(dialog, 1);
        Send(dialog, IdLayerOne);
        block = Block();
        block.Layers[0].Coverage = 99.99f;
        Load(dialog, block);
        HWND page = ShownPage(dialog);
        for (int id : {1014, 1815, 1915, 2, 1215, 1905})
            check("coverage 99.99", page, id, true);
        // (The field takes a typed value that moves it by more than 0.01.)
        block.Layers[0].Coverage = 50;
        Load(dialog, block);
        TypeInto(page, 1013, "100");
        for (int id : {1014, 1815, 1915, 2, 1215, 1905})
            check("coverage 100", page, id, false);
        if (preview && preview->Crosshair != 0)
            failures.push_back("the Randomize page shows the crosshair");
    });
    EXPECT_TRUE(failures.empty()) << [&] {
        std::string all;
        for (const std::string& f : failures)
            all += f + "\n";
        return all;
    }();
}

// A new colour schema clears the adjustments of every schema; "Number of
// Inks" shows the schema's inks; a new number of inks clears the removed
// colours.
TEST(ParameterPages, ColorSchemaAndNumberOfInks)
{
    bool adjustmentsCleared = false;
    std::vector<float> inksShown;
    int32_t nInks = 0;
    bool removedCleared = false;
    RunPages([&](HWND dialog) {
        ShowTab(dialog, 2);
        HWND page = ShownPage(dialog);
        ParameterBlock block = Block();
        const auto fill = [](auto& adjustments) {
            for (auto& entry : adjustments)
                std::memset(&entry, 7, sizeof entry);
        };
        fill(block.PaletteColorADD);
        fill(block.PaletteCMYKADD);
        fill(block.PaletteRGBADD);
        Load(dialog, block);
        Choose(page, 1036, 3); // "RGB palette"
        const ParameterBlock after = Block();
        ParameterBlock zero{};
        adjustmentsCleared =
            std::memcmp(after.PaletteColorADD, zero.PaletteColorADD, sizeof zero.PaletteColorADD) == 0 &&
            std::memcmp(after.PaletteCMYKADD, zero.PaletteCMYKADD, sizeof zero.PaletteCMYKADD) == 0 &&
            std::memcmp(after.PaletteRGBADD, zero.PaletteRGBADD, sizeof zero.PaletteRGBADD) == 0;
        SpinEdit* inks = FindControl<SpinEdit>(page, 2007);
        for (int schema : {3, 2, 0, 1}) {
            Choose(page, 1036, schema);
            inksShown.push_back(inks ? inks->Values.Value : -1);
        }
        std::memset(Block().RemovedColors, 0, sizeof Block().RemovedColors);
        TypeInto(page, 2007, "3");
        nInks = Block().NInks;
        removedCleared = true;
        for (auto removed : Block().RemovedColors)
            removedCleared = removedCleared && removed == 255;
    });
    EXPECT_TRUE(adjustmentsCleared);
    ASSERT_EQ(inksShown.size(), 4u);
    EXPECT_EQ(inksShown[0], 3); // RGB
    EXPECT_EQ(inksShown[1], 4); // CMYK
    EXPECT_EQ(inksShown[2], 1); // Monotone
    EXPECT_EQ(nInks, 3);
    EXPECT_TRUE(removedCleared);
}

// Esc in "X:": after a change the stored value comes back and the dialog
// stays; showing the stored value it closes the dialog.
TEST(ParameterPages, EscInTheCentreFieldRestoresThenCloses)
{
    std::string restored;
    bool openAfterFirst = false;
    const int16_t result = RunPages([&](HWND dialog) {
        ParameterBlock block = Block();
        block.Layers[0].Geometry = 8;
        block.Layers[0].CenterX = 12.5f;
        Load(dialog, block);
        HWND page = ShownPage(dialog);
        HWND x = GetDlgItem(page, 1015);
        SetFocus(x);
        SetWindowTextA(x, "77");
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); // Esc
        Pump();
        openAfterFirst = IsWindowVisible(dialog) != 0;
        restored = ControlEditText(x, 15);
        SetFocus(x);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        Pump();
    });
    EXPECT_TRUE(openAfterFirst);
    EXPECT_EQ(restored, "12.50");
    EXPECT_EQ(result, -128); // the second Esc cancelled the dialog
}

// "Random" draws a seed into the edit and never closes the dialog, however
// often it is pressed (its id is the one Cancel has).
TEST(ParameterPages, RandomDrawsASeedAndKeepsTheDialogOpen)
{
    std::vector<int32_t> seeds;
    bool shownMatches = true;
    const int16_t result = RunPages([&](HWND dialog) {
        ShowTab(dialog, 1);
        ParameterBlock block = Block();
        block.Layers[0].Coverage = 50;
        Load(dialog, block);
        HWND page = ShownPage(dialog);
        std::srand(1);
        for (int k = 0; k < 3; ++k) {
            std::srand(1); // the same draw as the seed already shown
            ClickButton(page, 2);
            seeds.push_back(Block().Layers[0].CoverageRandom);
            shownMatches = shownMatches && ControlEditText(GetDlgItem(page, 1915), 15) ==
                                               std::to_string(Block().Layers[0].CoverageRandom);
        }
    });
    EXPECT_EQ(result, 0); // still open when the script ended, then applied
    ASSERT_EQ(seeds.size(), 3u);
    std::srand(1);
    EXPECT_EQ(seeds[0], std::rand() % 1000);
    EXPECT_EQ(seeds[1], seeds[0]);
    EXPECT_TRUE(shownMatches);
}

// A double-click on a slider restores the default of the edited layer.
TEST(ParameterPages, DoubleClickRestoresTheEditedLayersDefault)
{
    float widths[2] = {}, angles[2] = {};
    RunPages([&](HWND dialog) {
        Send(dialog, IdAddLayer);
        ParameterBlock block = Block();
        for (LayerParameters& layer : block.Layers) {
            layer.Width = 50;
            layer.Angle = 77;
        }
        Load(dialog, block);
        for (int k = 0; k < 2; ++k) {
            Send(dialog, k == 0 ? IdLayerOne : IdLayerTwo);
            HWND page = ShownPage(dialog);
            SpinEdit* width = FindControl<SpinEdit>(page, 1002);
            ASSERT_NE(width, nullptr);
            SendMessageW(width->Slider, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
            Pump();
            HWND angle = GetDlgItem(page, 1182);
            RECT r;
            GetClientRect(angle, &r);
            SendMessageW(angle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.right / 2 + 4, r.bottom / 2 + 30));
            Pump();
            widths[k] = Block().Layers[k].Width;
            angles[k] = Block().Layers[k].Angle;
        }
    });
    EXPECT_EQ(widths[0], 8);
    EXPECT_EQ(widths[1], 20);
    EXPECT_EQ(angles[0], 30);
    EXPECT_EQ(angles[1], 120);
}

// A pattern with a centre shows the preview's crosshair; dragging it moves
// the centre of the edited layer, and the page's X and Y fields follow.
TEST(ParameterPages, CentreDraggedOnThePreviewReachesThePage)
{
    bool shownForRings = false;
    std::string x, y;
    float centerX = -1;
    RunPages([&](HWND dialog) {
        ParameterBlock block = Block();
        block.Layers[0].Geometry = 8;
        Load(dialog, block);
        HWND window = GetDlgItem(dialog, 1002);
        PreviewPane* pane = FindPane(window);
        ASSERT_NE(pane, nullptr);
        shownForRings = pane->Crosshair != 0;
        // From the middle of the 64 × 48 picture to its right edge.
        const int left = pane->Placement.Left, top = pane->Placement.Top;
        SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(left + 32, top + 24));
        SendMessageW(window, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(left + 48, top + 24));
        SendMessageW(window, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(left + 64, top + 24));
        SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(left + 64, top + 24));
        Pump();
        HWND page = ShownPage(dialog);
        x = ControlEditText(GetDlgItem(page, 1015), 15);
        y = ControlEditText(GetDlgItem(page, 1016), 15);
        centerX = Block().Layers[0].CenterX;
    });
    EXPECT_TRUE(shownForRings);
    EXPECT_FLOAT_EQ(centerX, 100);
    EXPECT_EQ(x, "100.00");
    EXPECT_EQ(y, "0.00");
}

} // namespace
} // namespace vel::ui
