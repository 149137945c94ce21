// The ink palette editor: swatch geometry, clicks, chosen colours, the
// screen picker and ink removal.

#include "ui/pages/InkSwatches.h"

#include "InkTestPalette.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vel::ui {
namespace {

TEST(InkSwatches, GeometryAndHitTest)
{
    EXPECT_TRUE(SwatchRects(100, 30, 0).empty());
    EXPECT_EQ(SwatchRects(102, 30, 1), (std::vector<SwatchRect>{{2, 2, 102, 30}}));
    const auto three = SwatchRects(102, 30, 3);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[1], (SwatchRect{35, 2, 68, 30}));
    EXPECT_EQ(three[2].Right, 102);

    struct Case {
        int x, y, count, swatch;
    };
    const Case cases[] = {
        {2, 10, 2, -1},   {3, 10, 2, 0},  {50, 10, 2, 0},  {52, 10, 2, 1},  {99, 10, 2, 1},
        {100, 10, 2, -1}, {50, 2, 2, -1}, {50, 28, 2, -1}, {50, 10, 0, -1}, {60, 10, 4, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SwatchAt(c.x, c.y, 102, 30, c.count), c.swatch) << c.x << "," << c.y << " of " << c.count;
    EXPECT_TRUE(CheckerIsGrey(0, 0));
    EXPECT_FALSE(CheckerIsGrey(6, 0));
    EXPECT_TRUE(CheckerIsGrey(6, 6));
    EXPECT_EQ(ContrastColor({250, 250, 200}), (InkColor{0, 0, 0}));
    EXPECT_EQ(ContrastColor({20, 0, 90}), (InkColor{255, 255, 255}));
}

TEST(InkSwatches, ClickSequence)
{
    InkEditor editor;
    // A first click on another swatch selects it; a second opens the chooser.
    SwatchAnswer answer = editor.LeftDown(1, true);
    EXPECT_TRUE(answer.Redraw);
    EXPECT_FALSE(answer.OpenChooser);
    EXPECT_EQ(editor.ActiveInk, 1);
    EXPECT_TRUE(editor.ButtonUp(1, true).ReloadPages);
    EXPECT_TRUE(editor.LeftDown(1, true).OpenChooser);
    editor.ChooserOpen = true;
    EXPECT_FALSE(editor.LeftDown(1, true).OpenChooser) << "one chooser at a time";
    editor.ChooserOpen = false;
    // A right click opens it at once.
    answer = editor.RightDown(2, true);
    EXPECT_TRUE(answer.OpenChooser);
    EXPECT_EQ(editor.ActiveInk, 2);
    // Nothing answers outside the swatches or without interaction.
    EXPECT_FALSE(editor.LeftDown(-1, true).Redraw);
    EXPECT_FALSE(editor.RightDown(0, false).OpenChooser);
    EXPECT_EQ(editor.ActiveInk, 2);
    EXPECT_FALSE(InkEditor::Interactive(true, uint8_t(ColorSchemaKind::InitialColors), false));
    EXPECT_FALSE(InkEditor::Interactive(false, 0, false));
    EXPECT_FALSE(InkEditor::Interactive(true, 0, true));
    EXPECT_TRUE(InkEditor::Interactive(true, uint8_t(ColorSchemaKind::RgbPalette), false));
}

struct EditorFixture : ::testing::Test {
    EditorFixture()
    {
        ResetToDefaults(block);
        state.DialogUp = true;
    }
    void Derive(ColorSchemaKind schema, int inks) { DeriveInks(block, state, schema, inks); }
    void MakeSample() { ASSERT_TRUE(MakeBandedSample(state)); }
    ParameterBlock block{};
    PrintState state;
    InkEditor editor;
};

TEST_F(EditorFixture, AChosenColourIsStoredAsTheSchemasAdjustment)
{
    Derive(ColorSchemaKind::RgbPalette, 2);
    ApplyInkColor(block, state, 1, {10, 250, 40});
    EXPECT_EQ(block.PaletteRGBADD[3], 10);
    EXPECT_EQ(block.PaletteRGBADD[4], -5);
    EXPECT_EQ(block.PaletteRGBADD[5], 40);
    EXPECT_EQ(state.Palette.Inks[1], (InkColor{10, 250, 40}));
    ApplyInkColor(block, state, 1, RgbBase[1]);
    EXPECT_EQ(block.PaletteRGBADD[3], 0);
    EXPECT_EQ(block.PaletteRGBADD[4], 0);
    EXPECT_EQ(block.PaletteRGBADD[5], 0);
    for (int32_t add : block.PaletteColorADD)
        EXPECT_EQ(add, 0) << "other schemas keep theirs";
}

TEST_F(EditorFixture, TheScreenPickerPreviewsLiveAndCancelRestores)
{
    Derive(ColorSchemaKind::CmykPalette, 2);
    editor.ActiveInk = 2;
    editor.PickingScreen = true;
    PreviewPickedColor(state, editor, {1, 2, 3});
    EXPECT_EQ(state.Palette.Inks[2], (InkColor{1, 2, 3}));
    EXPECT_EQ(block.PaletteCMYKADD[6], 0) << "nothing stored while moving";
    CancelScreenPicking(block, state, editor);
    EXPECT_FALSE(editor.PickingScreen);
    EXPECT_EQ(state.Palette.Inks[2], CmykBase[2]);

    editor.PickingScreen = true;
    FinishScreenPicking(block, state, editor, {255, 255, 10});
    EXPECT_FALSE(editor.PickingScreen);
    EXPECT_EQ(block.PaletteCMYKADD[8], 10);
    CancelScreenPicking(block, state, editor);
    EXPECT_EQ(state.Palette.Inks[2], (InkColor{255, 255, 10})) << "a picked colour stays";
}

TEST_F(EditorFixture, RemovingAnInkOfACustomPalette)
{
    MakeSample();
    std::memset(block.RemovedColors, NoRemovedColor, sizeof block.RemovedColors);
    Derive(ColorSchemaKind::CustomPalette, 2);
    ASSERT_EQ(state.Inks.InkCount, 2);
    editor.ActiveInk = 1;
    EXPECT_EQ(RemoveActiveInk(block, state, editor), 1);
    EXPECT_EQ(editor.ActiveInk, 0);
    EXPECT_EQ(block.RemovedColors[0], 1);
    EXPECT_EQ(SwatchRects(102, 30, state.Inks.InkCount), (std::vector<SwatchRect>{{2, 2, 102, 30}}))
        << "one swatch fills the strip";
    // The last ink stays, and nothing more is recorded.
    EXPECT_EQ(RemoveActiveInk(block, state, editor), 1);
    EXPECT_EQ(block.RemovedColors[1], NoRemovedColor);

    Derive(ColorSchemaKind::RgbPalette, 2);
    editor.ActiveInk = 1;
    EXPECT_EQ(RemoveActiveInk(block, state, editor), 3) << "only a custom palette loses inks";
}

TEST_F(EditorFixture, InksKeepTheirColoursWhenTheNextDerivationReplaysARemoval)
{
    MakeSample();
    std::memset(block.RemovedColors, NoRemovedColor, sizeof block.RemovedColors);
    Derive(ColorSchemaKind::CustomPalette, 3);
    ASSERT_EQ(state.Inks.InkCount, 3);
    // Every ink has a colour of its own before the first one goes.
    const InkColor chosen[] = {{10, 20, 30}, {90, 100, 110}, {170, 180, 190}};
    for (int ink = 0; ink < 3; ++ink)
        ApplyInkColor(block, state, ink, chosen[ink]);
    editor.ActiveInk = 0;
    ASSERT_EQ(RemoveActiveInk(block, state, editor), 2);
    EXPECT_EQ(state.Palette.Inks[0], chosen[1]);
    EXPECT_EQ(state.Palette.Inks[1], chosen[2]);

    // What the next render derives from the block shows the same inks...
    const auto rederive = [&] {
        state.Inks.InkCount = uint8_t(block.NInks);
        MarkPaletteStale(state);
        DerivePalette(state, block);
    };
    rederive();
    ASSERT_EQ(state.Inks.InkCount, 2);
    EXPECT_EQ(state.Palette.Inks[0], chosen[1]);
    EXPECT_EQ(state.Palette.Inks[1], chosen[2]);

    // ...and a colour chosen right after a removal stays what was chosen.
    Derive(ColorSchemaKind::CustomPalette, 3);
    std::memset(block.RemovedColors, NoRemovedColor, sizeof block.RemovedColors);
    std::fill(std::begin(block.PaletteColorADD), std::end(block.PaletteColorADD), 0);
    rederive();
    editor.ActiveInk = 0;
    ASSERT_EQ(RemoveActiveInk(block, state, editor), 2);
    ApplyInkColor(block, state, 0, {1, 2, 3});
    rederive();
    EXPECT_EQ(state.Palette.Inks[0], (InkColor{1, 2, 3}));
}

} // namespace
} // namespace vel::ui
