#include "params/FieldTable.h"
#include "params/ParameterBlock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace vel {
namespace {

class ParameterBlockTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::memset(&block, 0xA5, sizeof block); // host handles come uninitialised
        block.PaperName[0] = '\0';
    }

    ParameterBlock block;
};

TEST_F(ParameterBlockTest, FreshBlockEngravesOneWavesLayerOnWhiteSolidPaper)
{
    ResetWindowGeometry(block);

    EXPECT_EQ(block.WindowLeft, 100);
    EXPECT_EQ(block.WindowTop, 100);
    EXPECT_EQ(block.WindowWidth, 828);
    EXPECT_EQ(block.WindowHeight, 602);
    EXPECT_EQ(block.CharWindowLeft, 100);
    EXPECT_EQ(block.CharWindowTop, 100);
    EXPECT_EQ(block.CharWindowHeight, 400);
    EXPECT_EQ(block.CharWindowWidth, 450);

    const LayerParameters& one = block.Layers[0];
    const LayerParameters& two = block.Layers[1];
    EXPECT_EQ(one.Geometry, uint8_t(PatternGeometry::Waves1));
    EXPECT_EQ(two.Geometry, uint8_t(PatternGeometry::Waves1));
    EXPECT_EQ(one.Angle, 30.0f);
    EXPECT_EQ(two.Angle, 120.0f);
    EXPECT_EQ(one.Width, 8.0f);
    EXPECT_EQ(two.Width, 20.0f);
    EXPECT_EQ(one.LinkWidth, 1);
    EXPECT_EQ(one.Space, 15.0f);
    EXPECT_EQ(one.Offset, 20.0f);
    EXPECT_EQ(one.Coverage, 100.0f);
    EXPECT_EQ(one.DiscontinuousRandom, 50.0f);
    EXPECT_EQ(one.EdgeWidth, 50.0f);
    EXPECT_EQ(block.LayerTwoExist, 0);
    EXPECT_EQ(block.NInks, 2);
    EXPECT_EQ(block.Interfere, 0);
    EXPECT_EQ(block.ColorSchema, 0);

    EXPECT_STREQ(block.PaperName, "Solid");
    EXPECT_EQ(block.PaperColor, 0x00FFFFFF);
    EXPECT_EQ(block.PaperScale, 100.0f);
    EXPECT_EQ(block.PaperIntensity, 50.0f);
    EXPECT_EQ(block.EmbossAlpha, 45.0f);
    EXPECT_EQ(block.EmbossBeta, 45.0f);
    EXPECT_EQ(block.EmbossDepth, 0.0f);

    for (uint8_t removed : block.RemovedColors)
        EXPECT_EQ(removed, NoRemovedColor);
    for (int32_t v : block.PaletteColorADD)
        EXPECT_EQ(v, 0);
    for (int32_t v : block.PaletteCMYKADD)
        EXPECT_EQ(v, 0);
    for (int32_t v : block.PaletteRGBADD)
        EXPECT_EQ(v, 0);
}

TEST_F(ParameterBlockTest, ResetToDefaultsKeepsWindowGeometryAndMarksPaletteStale)
{
    ResetWindowGeometry(block);
    block.WindowLeft = 7;
    block.CharWindowWidth = 9;
    block.Layers[1].Angle = 1;
    block.PaletteRGBADD[8] = 5;
    block.RemovedColors[0] = 2;

    const ParameterChanges changes = ResetToDefaults(block);

    EXPECT_EQ(block.WindowLeft, 7);
    EXPECT_EQ(block.CharWindowWidth, 9);
    EXPECT_EQ(block.Layers[1].Angle, 120.0f);
    EXPECT_EQ(block.PaletteRGBADD[8], 0);
    EXPECT_EQ(block.RemovedColors[0], NoRemovedColor);
    EXPECT_TRUE(changes.PaletteStale);
    EXPECT_FALSE(changes.TablesStale);
    EXPECT_FALSE(changes.PaperNameChanged) << "the default name was there already";
}

TEST_F(ParameterBlockTest, ResetWindowGeometryAlsoResetsParametersAndTables)
{
    block.Layers[0].Width = 77;
    const ParameterChanges changes = ResetWindowGeometry(block);
    EXPECT_EQ(block.Layers[0].Width, 8.0f);
    EXPECT_EQ(changes, (ParameterChanges{true, true, true})) << "an empty name became \"Solid\"";
}

TEST_F(ParameterBlockTest, PaperNameSetterReportsOnlyAnotherName)
{
    ResetToDefaults(block);

    struct Case {
        const char* Name;
        const char* Stored;
        bool Changed;
    };
    const Case cases[] = {
        {"sOLID", "sOLID", false},          // same name in other case keeps the texture
        {nullptr, "sOLID", false},          // null changes nothing
        {"Canvas.jpg", "Canvas.jpg", true}, // another name drops it
        {"CANVAS.JPG", "CANVAS.JPG", false}, {"None", "None", true},
    };
    for (const Case& c : cases) {
        const ParameterChanges changes = SetPaperName(block, c.Name);
        EXPECT_STREQ(block.PaperName, c.Stored) << (c.Name ? c.Name : "null");
        EXPECT_EQ(changes, (ParameterChanges{c.Changed, false, false})) << (c.Name ? c.Name : "null");
    }
}

TEST_F(ParameterBlockTest, OverlongPaperNameIsCutTo64Characters)
{
    const std::string longName(100, 'x');
    SetPaperName(block, longName.c_str());
    EXPECT_EQ(std::strlen(block.PaperName), 64u);
    EXPECT_EQ(block.PaperName[64], '\0');
    EXPECT_EQ(std::string(block.PaperName), longName.substr(0, 64));
}

TEST_F(ParameterBlockTest, ChangingSchemaClearsEveryAdjustmentArray)
{
    for (int i = 0; i < 12; ++i)
        block.PaletteColorADD[i] = block.PaletteCMYKADD[i] = i + 1;
    for (int i = 0; i < 9; ++i)
        block.PaletteRGBADD[i] = -i - 1;
    ClearPaletteAdjustments(block);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(block.PaletteColorADD[i] | block.PaletteCMYKADD[i], 0);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(block.PaletteRGBADD[i], 0);
}

TEST_F(ParameterBlockTest, LayerSelectorAddressesEachLayer)
{
    ResetToDefaults(block);
    EXPECT_EQ(&SelectLayer(block, LayerIndex::One), &block.Layers[0]);
    EXPECT_EQ(&SelectLayer(block, LayerIndex::Two), &block.Layers[1]);
    EXPECT_EQ(SelectLayer(block, LayerIndex::Two).Angle, 120.0f);
}

TEST(EnumerationNames, MatchTheComboOrder)
{
    EXPECT_STREQ(PatternGeometryNames[0], "Lines");
    EXPECT_STREQ(PatternGeometryNames[int(PatternGeometry::Spiral)], "Spiral");
    EXPECT_STREQ(PatternGeometryNames[int(PatternGeometry::Box)], "Box");
    EXPECT_STREQ(PatternGeometryNames[int(PatternGeometry::BoxZigZagNonuniform)], "Box ZigZag Nonuniform");
    EXPECT_STREQ(PatternGeometryNames[int(PatternGeometry::Star8)], "Star 8");
    EXPECT_STREQ(PatternGeometryNames[46], "Iso Lines 2");
    EXPECT_EQ(int(PatternGeometry::IsoLines2), PatternGeometryCount - 1);
    EXPECT_STREQ(LayerInteractionNames[int(LayerInteraction::Cross)], "Cross");
    EXPECT_STREQ(EdgeKindNames[int(EdgeKind::Doubles)], "Doubles");
    EXPECT_STREQ(ColorSchemaNames[int(ColorSchemaKind::InitialColors)], "Initial colors");
    EXPECT_STREQ(PaperSchemaNames[int(PaperSchemaKind::Colorized)], "Colorized");
    EXPECT_STREQ(EngraveTypeNames[int(EngraveType::Combine)], "Combine");
}

} // namespace
} // namespace vel
