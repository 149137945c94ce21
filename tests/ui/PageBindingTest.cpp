// The pages' bindings to the block, their typed fields, the colour schema
// and ink count, and the enable rules.

#include "ui/pages/PageBinding.h"

#include "color/InkPalette.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>

namespace vel::ui {
namespace {

constexpr PageKind AllPages[] = {PageKind::Engrave, PageKind::Randomize, PageKind::Effects};

ParameterBlock Defaults()
{
    ParameterBlock block{};
    ResetToDefaults(block);
    return block;
}

TEST(PageTables, EveryBindingNamesAFieldOfTheTableAndStoresThroughItsOwnGroup)
{
    for (PageKind page : AllPages)
        for (const ControlBinding& control : PageControls(page)) {
            SCOPED_TRACE(control.Id);
            if (control.Field) {
                EXPECT_NE(BoundField(control), nullptr) << control.Field;
            }
            if (control.Field2) {
                EXPECT_NE(BoundSecondField(control), nullptr) << control.Field2;
            }
            if (control.Kind == ControlKind::Combo) {
                EXPECT_FALSE(ComboEntries(control).empty());
            }
            const auto stored = StoredControls(control.Store);
            if (!stored.empty()) {
                EXPECT_NE(std::find(stored.begin(), stored.end(), control.Id), stored.end());
            }
            EXPECT_EQ(FindControl(page, control.Id), &control) << "ids are unique within a page";
        }
}

TEST(PageTables, NumericSetupAndDoubleClickDefaultsComeFromTheFieldTable)
{
    const ControlBinding& width = *FindControl(PageKind::Engrave, 1002);
    const ControlBinding& angle = *FindControl(PageKind::Engrave, 1182);
    EXPECT_EQ(DoubleClickDefault(width, LayerIndex::One), 8);
    EXPECT_EQ(DoubleClickDefault(width, LayerIndex::Two), 20);
    EXPECT_EQ(DoubleClickDefault(angle, LayerIndex::One), 30);
    EXPECT_EQ(DoubleClickDefault(angle, LayerIndex::Two), 120);
    EXPECT_EQ(DoubleClickDefault(*FindControl(PageKind::Effects, 1197), LayerIndex::Two), 0);
    EXPECT_EQ(EditedLayer(PageView::LayerTwo), LayerIndex::Two);
    EXPECT_EQ(EditedLayer(PageView::Composite), LayerIndex::One);

    const SpinValues roughness = NumericSetup(*FindControl(PageKind::Randomize, 1813));
    EXPECT_FALSE(roughness.RangeEditable);
    const SpinValues inks = NumericSetup(*FindControl(PageKind::Effects, 2007));
    EXPECT_TRUE(inks.IntegerOnly);
    EXPECT_EQ(inks.RangeMax, 4);
    const SpinValues threshold = NumericSetup(*FindControl(PageKind::Engrave, 1006));
    EXPECT_TRUE(threshold.RangeEditable);
    EXPECT_FALSE(threshold.IntegerOnly);
    EXPECT_EQ(threshold.LimitMax, 300);
    EXPECT_EQ(ComboEntries(*FindControl(PageKind::Engrave, 1035)).size(), 47u);
    EXPECT_STREQ(ComboEntries(*FindControl(PageKind::Engrave, 1035)).back(), "Iso Lines 2");
}

// Every control that a group stores lands in its own field of the edited
// layer (or of the block), and no other field changes.
TEST(PageBinding, EachStoredControlLandsInItsFieldOfTheEditedLayer)
{
    for (PageView view : {PageView::Composite, PageView::LayerOne, PageView::LayerTwo})
        for (PageKind page : AllPages)
            for (const ControlBinding& control : PageControls(page)) {
                const auto stored = StoredControls(control.Store);
                if (stored.empty() || !control.Field)
                    continue;
                SCOPED_TRACE(testing::Message() << control.Id << " view " << int(view));
                ParameterBlock block = Defaults();
                // Every control of the group shows what the block holds, the
                // sender a new value (and a rotor a new second value).
                const LayerIndex layer = EditedLayer(view);
                const FieldInfo& field = *BoundField(control);
                const double old = GetFieldValue(block, field, layer);
                const double fresh = field.Shape == ValueShape::Flag || field.Shape == ValueShape::Choice ||
                                             (field.Shape == ValueShape::Integer && field.Typed.Max <= 2)
                                         ? (old == 1 ? 0 : 1)
                                         : old + 3;
                // The controls show the block as it was before the command.
                const ParameterBlock before = block;
                const ControlReader read = [&](int id, int part) {
                    for (PageKind p : AllPages)
                        if (const ControlBinding* c = FindControl(p, id); c && c->Field) {
                            if (id == 1935) // the centre rotor shows y downward
                                return part == 0 ? GetFieldValue(before, *BoundField(*c), layer) +
                                                       (id == control.Id ? 3 : 0)
                                                 : -GetFieldValue(before, *BoundSecondField(*c), layer);
                            const FieldInfo& f = part == 0 ? *BoundField(*c) : *BoundSecondField(*c);
                            const double shown = GetFieldValue(before, f, layer);
                            return id == control.Id && part == 0 ? fresh : shown;
                        }
                    return 0.0;
                };
                const StoreFollowUp after = StoreCommand(block, view, control.Store, read);
                EXPECT_TRUE(after.Refresh);
                EXPECT_EQ(GetFieldValue(block, field, layer), fresh);
                ParameterBlock expected = before;
                SetFieldValue(expected, field, layer, fresh);
                EXPECT_EQ(std::memcmp(&expected, &block, sizeof block), 0) << "another field changed";
            }
}

TEST(PageBinding, ReloadShowsTheEditedLayer)
{
    ParameterBlock block = Defaults();
    block.Layers[1].CenterX = 12;
    block.Layers[1].CenterY = 30;
    block.Layers[1].Width = 66;
    block.NInks = 4;
    const ControlBinding& centre = *FindControl(PageKind::Engrave, 1935);
    EXPECT_EQ(ReloadValue(centre, block, PageView::LayerTwo, 0, 1), 12);
    EXPECT_EQ(ReloadValue(centre, block, PageView::LayerTwo, 1, 1), -30) << "the rotor's y points down";
    EXPECT_EQ(ReloadValue(centre, block, PageView::LayerOne, 1, 1), 0);
    EXPECT_EQ(ReloadValue(*FindControl(PageKind::Engrave, 1002), block, PageView::LayerTwo, 0, 1), 66);
    EXPECT_EQ(ReloadValue(*FindControl(PageKind::Engrave, 1002), block, PageView::Composite, 0, 1), 8);
    EXPECT_EQ(ReloadValue(*FindControl(PageKind::Effects, 2007), block, PageView::Composite, 0, 2), 2)
        << "the inks in use, not NInks";
    EXPECT_EQ(ReloadValue(*FindControl(PageKind::Effects, 1190), block, PageView::Composite, 1, 1), 45);
}

TEST(PageBinding, FollowUpsOfTheGroups)
{
    EXPECT_TRUE(FollowUpOf(StoreGroup::Pattern).EngraveRules);
    EXPECT_TRUE(FollowUpOf(StoreGroup::RandomizeEnablers).RandomizeRules);
    EXPECT_TRUE(FollowUpOf(StoreGroup::EdgeType).RandomizeRules);
    EXPECT_TRUE(FollowUpOf(StoreGroup::PaperLook).RedrawStrip);
    EXPECT_TRUE(FollowUpOf(StoreGroup::PaperScale).DropPaperTexture);
    EXPECT_TRUE(FollowUpOf(StoreGroup::EmbossDepth).EffectsRules);
    EXPECT_TRUE(FollowUpOf(StoreGroup::PaperName).ReloadEffects);
    EXPECT_FALSE(FollowUpOf(StoreGroup::EngraveShape).EngraveRules);
}

TEST(PageBinding, CentreFieldsLimitAndIgnoreTheUnchangedValue)
{
    struct Case {
        int id;
        const char* text;
        bool changed;
        float x, y;
    };
    const Case cases[] = {
        {1015, "42.5", true, 42.5f, 0}, {1016, "-250", true, 0, -100},
        {1015, "100", true, 100, 0},    {1015, "abc", false, 0, 0},
        {1016, "0", false, 0, 0},       {1015, "12345678901234567", true, 100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ParameterBlock block = Defaults();
        EXPECT_EQ(CommitCenterField(block, PageView::LayerTwo, c.id, c.text), c.changed);
        EXPECT_EQ(block.Layers[1].CenterX, c.x);
        EXPECT_EQ(block.Layers[1].CenterY, c.y);
        EXPECT_EQ(block.Layers[0].CenterX, 0);
    }
}

TEST(PageBinding, EmbossAnglesAreStoredAsTyped)
{
    ParameterBlock block = Defaults();
    EXPECT_TRUE(CommitEmbossAngleField(block, 1191, "725"));
    EXPECT_EQ(block.EmbossAlpha, 725);
    EXPECT_FALSE(CommitEmbossAngleField(block, 1192, "45"));
}

TEST(PageBinding, SeedKeepsThreeDigitsAndItsSign)
{
    ParameterBlock block = Defaults();
    CommitSeed(block, PageView::LayerOne, "123456.9");
    EXPECT_EQ(block.Layers[0].CoverageRandom, 456);
    CommitSeed(block, PageView::LayerOne, "-2345");
    EXPECT_EQ(block.Layers[0].CoverageRandom, -345);
    EXPECT_EQ(DrawSeed(block, PageView::LayerTwo, 32767), "767");
    EXPECT_EQ(block.Layers[1].CoverageRandom, 767);
}

TEST(PageBinding, EscapeClosesOnlyWhenTheFieldShowsTheStoredValue)
{
    ParameterBlock block = Defaults();
    block.Layers[0].CenterX = 37.8f;
    EXPECT_TRUE(EscapeInField(block, PageView::LayerOne, 1015, "37").CloseDialog);
    const EscapeAnswer edited = EscapeInField(block, PageView::LayerOne, 1015, "55");
    EXPECT_FALSE(edited.CloseDialog);
    EXPECT_EQ(edited.Text, "37");
    block.Layers[1].CoverageRandom = -12;
    EXPECT_TRUE(EscapeInField(block, PageView::LayerTwo, 1915, "-12").CloseDialog);
    EXPECT_TRUE(EscapeInField(block, PageView::Composite, 1191, "45").CloseDialog);
    // The field as the rotor shows it, with two decimals.
    block.Layers[0].CenterX = 12.5f;
    EXPECT_TRUE(EscapeInField(block, PageView::LayerOne, 1015, "12.50").CloseDialog);
    EXPECT_FALSE(EscapeInField(block, PageView::LayerOne, 1015, "12.49").CloseDialog);
    EXPECT_FALSE(EscapeInField(block, PageView::LayerOne, 1015, "").CloseDialog);
}

// A picture with `colors` flat colours, for the custom palette's extraction.
void MakeSample(PrintState& state, int colors)
{
    ASSERT_TRUE(state.AnalysisSample.Allocate(64, 64, 4));
    const InkColor palette[] = {{200, 30, 30}, {30, 200, 30}, {30, 30, 200}, {220, 220, 40}};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const InkColor c = palette[(x / 16) % colors];
            uint8_t* p = state.AnalysisSample.Row(y) + 4 * x;
            p[0] = c.R;
            p[1] = c.G;
            p[2] = c.B;
            p[3] = 255;
        }
}

struct SchemaFixture : ::testing::Test {
    SchemaFixture()
    {
        ResetToDefaults(block);
        state.DialogUp = true;
    }
    ParameterBlock block{};
    PrintState state;
    uint8_t activeInk = 0;
};

TEST_F(SchemaFixture, ASchemaChangeResetsTheAdjustmentsOfEverySchema)
{
    MakeSample(state, 4);
    block.PaletteColorADD[0] = 5;
    block.PaletteCMYKADD[11] = -7;
    block.PaletteRGBADD[4] = 9;
    EXPECT_EQ(ChangeColorSchema(block, state, uint8_t(ColorSchemaKind::CmykPalette), activeInk), 4);
    for (int32_t add : block.PaletteColorADD)
        EXPECT_EQ(add, 0);
    for (int32_t add : block.PaletteCMYKADD)
        EXPECT_EQ(add, 0);
    for (int32_t add : block.PaletteRGBADD)
        EXPECT_EQ(add, 0);
    EXPECT_EQ(state.Inks.InkCount, 4);
    activeInk = 3;
    EXPECT_EQ(ChangeColorSchema(block, state, uint8_t(ColorSchemaKind::RgbPalette), activeInk), 3);
    EXPECT_EQ(activeInk, 2);
    EXPECT_EQ(ChangeColorSchema(block, state, uint8_t(ColorSchemaKind::Monotone), activeInk), 1);
    EXPECT_EQ(activeInk, 0);
}

TEST_F(SchemaFixture, ACustomPaletteLowersNInksToTheColoursThePictureHas)
{
    MakeSample(state, 2);
    block.NInks = 4;
    state.Inks.InkCount = 4;
    activeInk = 3;
    EXPECT_EQ(ChangeColorSchema(block, state, uint8_t(ColorSchemaKind::CustomPalette), activeInk), 2);
    EXPECT_EQ(block.NInks, 2);
    EXPECT_EQ(activeInk, 1);
}

TEST_F(SchemaFixture, ANewInkNumberForgetsRemovedInks)
{
    MakeSample(state, 4);
    ChangeColorSchema(block, state, uint8_t(ColorSchemaKind::CustomPalette), activeInk);
    block.RemovedColors[0] = 1;
    EXPECT_EQ(ChangeInkNumber(block, state, 3.7, activeInk), 3);
    EXPECT_EQ(block.NInks, 3);
    EXPECT_EQ(state.Inks.InkCount, 3);
    for (uint8_t removed : block.RemovedColors)
        EXPECT_EQ(removed, NoRemovedColor);
}

struct RuleCase {
    const char* what;
    PageKind page;
    PageView view;
    std::function<void(ParameterBlock&)> set;
    std::map<int, bool> expected;
    int crosshair = -1; // -1: not checked
};

TEST(PageRules, EnableRules)
{
    const auto geometry = [](int g) { return [g](ParameterBlock& b) { b.Layers[0].Geometry = uint8_t(g); }; };
    const auto none = [](ParameterBlock&) {};
    const auto twoLayers = [](ParameterBlock& b) {
        b.LayerTwoExist = 1;
        b.Layers[1].Geometry = 8;
    };
    const RuleCase cases[] = {
        {"Composite with two layers disables every per-layer control",
         PageKind::Engrave,
         PageView::Composite,
         twoLayers,
         {{1035, false}, {1002, false}, {1182, false}, {1935, false}, {1021, false}, {1775, true}},
         0},
        {"choosing Layer One enables them again",
         PageKind::Engrave,
         PageView::LayerOne,
         twoLayers,
         {{1035, true}, {1002, true}, {1182, true}, {1775, true}}},
        {"Randomize in Composite with two layers",
         PageKind::Randomize,
         PageView::Composite,
         twoLayers,
         {{1811, false}, {1013, false}, {1198, false}, {1816, false}}},
        {"Rings",
         PageKind::Engrave,
         PageView::LayerOne,
         geometry(8),
         {{1935, true}, {1015, true}, {1182, false}, {1007, false}, {1008, false}, {1009, false}},
         1},
        {"Lines",
         PageKind::Engrave,
         PageView::LayerOne,
         geometry(0),
         {{1935, false}, {1182, true}, {1007, false}, {1008, false}, {1009, false}, {1021, true}},
         0},
        {"a wave",
         PageKind::Engrave,
         PageView::LayerOne,
         geometry(1),
         {{1935, false}, {1182, true}, {1007, true}, {1008, true}, {1009, true}}},
        {"a star",
         PageKind::Engrave,
         PageView::LayerOne,
         geometry(42),
         {{1935, true}, {1182, true}, {1007, true}, {1008, false}, {1009, false}}},
        {"Iso Lines 1",
         PageKind::Engrave,
         PageView::LayerOne,
         geometry(45),
         {{1935, false},
          {1182, false},
          {1007, false},
          {1021, false},
          {1295, false},
          {1008, true},
          {1009, true}},
         0},
        {"Iso Lines 1 has no discontinuity",
         PageKind::Randomize,
         PageView::LayerOne,
         geometry(45),
         {{1816, false}}},
        {"Iso Lines 2",
         PageKind::Engrave,
         PageView::LayerOne,
         geometry(46),
         {{1007, false}, {1008, true}, {1009, false}}},
        {"combine needs two layers",
         PageKind::Engrave,
         PageView::LayerOne,
         none,
         {{1775, false}, {1200, false}}},
        {"Original disables the combine",
         PageKind::Engrave,
         PageView::Original,
         [](ParameterBlock& b) { b.LayerTwoExist = 1; },
         {{1775, false}, {1002, false}}},
        {"bind toggle needs Use Circles",
         PageKind::Engrave,
         PageView::LayerOne,
         [](ParameterBlock& b) { b.Layers[0].Big = 1; },
         {{1295, true}}},
        {"coverage 100 disables the seed",
         PageKind::Randomize,
         PageView::LayerOne,
         none,
         {{1013, true},
          {1915, false},
          {2, false},
          {1014, false},
          {1815, false},
          {1215, false},
          {1905, false}}},
        {"coverage 99.99 enables it",
         PageKind::Randomize,
         PageView::LayerOne,
         [](ParameterBlock& b) { b.Layers[0].Coverage = 99.99f; },
         {{1915, true}, {2, true}, {1014, true}}},
        {"roughness, polar only for radial patterns",
         PageKind::Randomize,
         PageView::LayerOne,
         [](ParameterBlock& b) { b.Layers[0].RoughnessIntensity = 5; },
         {{1814, true}, {1820, true}, {1995, true}, {1895, false}, {1012, false}}},
        {"continuity and edges",
         PageKind::Randomize,
         PageView::LayerTwo,
         [](ParameterBlock& b) {
             b.Layers[1].Discontinuous = 1;
             b.Layers[1].EdgeType = 2;
             b.Layers[1].Geometry = 20;
             b.Layers[1].RoughnessIntensity = 1;
         },
         {{1817, true}, {1818, true}, {1819, true}, {1812, true}, {1895, true}}},
        {"no edges, no thickness",
         PageKind::Randomize,
         PageView::LayerOne,
         none,
         {{1812, false}, {1817, false}}},
        {"Effects in Original",
         PageKind::Effects,
         PageView::Original,
         none,
         {{1036, false}, {1902, false}, {2006, false}, {1000, false}, {2008, false}}},
        {"a solid paper",
         PageKind::Effects,
         PageView::Composite,
         none,
         {{1837, false},
          {2003, false},
          {2004, false},
          {1195, true},
          {2008, true},
          {2007, false},
          {1001, false}}},
        {"an original texture",
         PageKind::Effects,
         PageView::Composite,
         [](ParameterBlock& b) { std::strcpy(b.PaperName, "Laid.png"); },
         {{1837, true}, {2003, true}, {2004, false}, {2005, false}, {1195, false}}},
        {"a colorized texture",
         PageKind::Effects,
         PageView::Composite,
         [](ParameterBlock& b) {
             std::strcpy(b.PaperName, "Laid.png");
             b.PaperSchema = 2;
         },
         {{2004, true}, {2005, true}, {1195, true}, {1196, true}}},
        {"no paper (any case), initial colours",
         PageKind::Effects,
         PageView::LayerOne,
         [](ParameterBlock& b) {
             std::strcpy(b.PaperName, "NONE");
             b.ColorSchema = 4;
         },
         {{1837, false}, {1195, false}, {2008, false}, {1000, false}, {1505, false}}},
        {"custom palette and emboss",
         PageKind::Effects,
         PageView::LayerOne,
         [](ParameterBlock& b) {
             b.ColorSchema = 1;
             b.EmbossDepth = -3;
         },
         {{2007, true}, {1001, true}, {1000, true}, {1190, true}, {1205, true}}},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.what);
        ParameterBlock block = Defaults();
        c.set(block);
        const PageEnables rules = PageEnablesFor(c.page, block, c.view);
        for (const auto& [id, enabled] : c.expected)
            EXPECT_EQ(rules.Enabled(id), enabled) << id;
        if (c.crosshair >= 0) {
            EXPECT_EQ(rules.CrosshairShown, c.crosshair == 1);
        }
    }
}

} // namespace
} // namespace vel::ui
