#include "engine/RenderDriver.h"
#include "engine/LayerPass.h"
#include "support/MemoryHost.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace vel {
namespace {

class RenderDriverTest : public testing::Test {
protected:
    void SetUp() override { ResetWindowGeometry(params); }

    RenderState state;
    ParameterBlock params{};
};

TEST_F(RenderDriverTest, PassOrderFollowsViewAndInteraction)
{
    using Steps = std::vector<PassStep>;
    struct Case {
        const char* Name;
        bool LayerTwo;
        uint8_t Interfere;
        bool DialogUp;
        ViewMode View;
        bool AlwaysComposite;
        Steps Expected;
    };
    const Case cases[] = {
        {"one layer ignores the interaction", false, 3, false, ViewMode::Composite, false,
         {{0, 0, false, false}, {0, 1, false, false}}},
        {"add: layer two first", true, 0, false, ViewMode::Composite, false,
         {{1, 0, false, false}, {1, 1, false, false}, {0, 0, false, false}, {0, 1, false, false}}},
        {"subtract: layer two captured, layer one combined", true, 1, false, ViewMode::Composite, false,
         {{1, 0, true, true}, {1, 1, true, true}, {0, 0, false, true}, {0, 1, false, true}}},
        {"interfere: layer one captured, layer two combined, layer one alone", true, 4, false,
         ViewMode::Composite, false,
         {{0, 0, true, true}, {0, 1, true, true}, {1, 0, false, true}, {1, 1, false, true},
          {0, 0, false, false}, {0, 1, false, false}}},
        {"layer two view renders it alone", true, 4, true, ViewMode::LayerTwo, false,
         {{1, 0, false, false}, {1, 1, false, false}}},
        {"layer one view without a dialog is composite", true, 0, false, ViewMode::LayerOne, false,
         {{1, 0, false, false}, {1, 1, false, false}, {0, 0, false, false}, {0, 1, false, false}}},
        {"always composite overrides the layer view", true, 0, true, ViewMode::LayerOne, true,
         {{1, 0, false, false}, {1, 1, false, false}, {0, 0, false, false}, {0, 1, false, false}}},
    };
    for (const Case& c : cases) {
        params.LayerTwoExist = c.LayerTwo;
        params.Interfere = c.Interfere;
        state.DialogUp = c.DialogUp;
        state.View = c.View;
        state.AlwaysComposite = c.AlwaysComposite;
        state.Inks.InkCount = 2;
        EXPECT_EQ(PlanPasses(state, params), c.Expected) << c.Name;
    }
}

TEST_F(RenderDriverTest, PaletteSampleIsAtMost512Square)
{
    state.SourceLoaded = true;
    state.FilterWidth = 600;
    state.FilterHeight = 300;
    ASSERT_TRUE(state.FullSource.Allocate(600, 300, 4));
    for (int x = 0; x < 600; ++x)
        state.FullSource.Row(7)[4 * x] = uint8_t(x % 256);
    BuildPaletteSample(state);
    EXPECT_EQ(state.AnalysisSample.Width(), 512);
    EXPECT_EQ(state.AnalysisSample.Height(), 300);
    // Column 511 samples trunc(511 × 600 / 512) = 598.
    EXPECT_EQ(state.AnalysisSample.Row(7)[4 * 511], 598 % 256);
}

TEST_F(RenderDriverTest, RendersAreRepeatableAndDifferFromTheSource)
{
    test::MemoryHost first(90, 60, 3), second(90, 60, 3);
    EXPECT_EQ(RenderImage(state, params, first), NoErr);
    RenderState other;
    EXPECT_EQ(RenderImage(other, params, second), NoErr);
    EXPECT_EQ(first.Output, second.Output);
    EXPECT_NE(first.Output, first.Input);
    EXPECT_FALSE(state.FullSource) << "a final render releases its planes";
}

TEST_F(RenderDriverTest, WrongModeAndMissingSourcePassTheImageThrough)
{
    struct Case {
        int32_t Mode;
        bool Refuse;
        const char* Message;
        RenderResult Result;
    };
    const Case cases[] = {
        {int32_t(ImageMode::Grayscale), false, WrongModeMessage, RenderResult::WrongMode},
        {int32_t(ImageMode::Rgb), true, HostMemoryMessage, RenderResult::NoSource},
    };
    for (const Case& c : cases) {
        test::AlertRecorder alerts;
        test::MemoryHost host(20, 10, 3, c.Mode);
        host.RefuseBuffer = c.Refuse;
        host.Output.assign(host.Output.size(), 0);
        const RenderOutcome outcome = RenderImage(state, params, host);
        EXPECT_EQ(outcome.Result, c.Result);
        EXPECT_FALSE(outcome.Rendered());
        EXPECT_NE(outcome.Code(), NoErr);
        EXPECT_EQ(outcome.ResultWord(), NoErr) << "a filter host still gets noErr";
        ASSERT_EQ(alerts.Shown().size(), 1u);
        EXPECT_EQ(alerts.Shown()[0].Text, c.Message);
        EXPECT_EQ(alerts.Shown()[0].Title, "Plugin Alert");
        if (!c.Refuse) {
            EXPECT_EQ(host.Output, host.Input);
        }
    }
}

TEST_F(RenderDriverTest, EmbossPlaneExistsOnlyWithDepth)
{
    for (float depth : {0.0f, 30.0f}) {
        test::MemoryHost host(30, 20, 3);
        params.EmbossDepth = depth;
        state.DialogUp = true; // keeps the planes after the render
        int16_t result = NoErr;
        ASSERT_TRUE(PrepareFullSource(state, host, result));
        BuildPaletteSample(state);
        ASSERT_TRUE(PrepareWorkingPlanes(state, host));
        ASSERT_TRUE(RunLayers(state, params));
        EXPECT_EQ(bool(state.EmbossPlane), depth != 0) << depth;
        EXPECT_FALSE(state.InkLayerPlane) << "the ink layer lives only during the passes";
        Release(state);
    }
}

TEST_F(RenderDriverTest, ParameterChangesReachOnlyTheStateTheyName)
{
    struct Case {
        ParameterChanges Changes;
        bool TextureKept;
        bool PaletteValid;
        bool TablesReady;
    };
    const Case cases[] = {
        {{}, true, true, true},
        {{true, false, false}, false, true, true},
        {{false, true, false}, true, false, true},
        {{false, false, true}, true, true, false},
    };
    for (const Case& c : cases) {
        RenderState state;
        ASSERT_TRUE(state.Paper.Texture.Allocate(2, 2, 4));
        state.Inks.PaletteValid = true;
        state.TablesReady = true;
        ApplyParameterChanges(state, c.Changes);
        EXPECT_EQ(bool(state.Paper.Texture), c.TextureKept);
        EXPECT_EQ(state.Inks.PaletteValid, c.PaletteValid);
        EXPECT_EQ(state.TablesReady, c.TablesReady);
    }
}

TEST(ToneShaping, LineCentresInkAndGapsStayClearWhateverTheDensity)
{
    ToneTable table;
    for (float threshold : {-100.0f, 0.0f, 100.0f, 300.0f}) {
        BuildToneTable(table, threshold);
        for (int d = 0; d < 256; ++d) {
            EXPECT_EQ(table.Value[d][255], 255) << threshold << " " << d;
            EXPECT_EQ(table.Value[d][0], 0) << threshold << " " << d;
        }
    }
    BuildToneTable(table, -100.0f); // k = 0: the profile ignores the density
    for (int p = 0; p < 256; ++p)
        for (int d = 1; d < 256; ++d)
            ASSERT_EQ(table.Value[d][p], table.Value[0][p]) << p;
    // Hand-computed: k = 4, d = 200 → e = 419; p = 100 → r = (2·419·100)/255 = 328,
    // t = 931, trunc(931 × 2.2222223) clamps to 255; p = 20 → r = 65, t = -121 → 0.
    BuildToneTable(table, 0.0f);
    EXPECT_EQ(table.Value[200][100], 255);
    EXPECT_EQ(table.Value[200][20], 0);
    // d = 127: e = 127; p = 120 → r = 119, t = 95, trunc(95 × 2.2222223) = 211.
    EXPECT_EQ(table.Value[127][120], 211);
}

TEST(LayerSteps, CombineFoldsAboveTheMiddleAndMarksIt)
{
    RenderState state;
    state.WorkWidth = 4;
    state.WorkHeight = 1;
    ASSERT_TRUE(state.DensityPlane.Allocate(4, 1));
    const uint8_t density[4] = {0, 127, 128, 255};
    std::copy(density, density + 4, state.DensityPlane.Data());
    ASSERT_TRUE(FoldCombine(state));
    const uint8_t* d = state.DensityPlane.Data();
    const uint8_t* m = state.CombineMask.Data();
    EXPECT_EQ(std::vector<uint8_t>(d, d + 4), (std::vector<uint8_t>{0, 127, 127, 0}));
    EXPECT_EQ(std::vector<uint8_t>(m, m + 4), (std::vector<uint8_t>{0, 0, 255, 255}));
}

TEST(LayerSteps, InteractionModes)
{
    const std::vector<uint8_t> field = {0, 10, 100, 200, 255};
    const std::vector<uint8_t> capture = {0, 1, 10, 200, 255};
    struct Case {
        uint8_t Mode;
        std::vector<uint8_t> Expected;
    };
    const Case cases[] = {
        {1, {0, 0, 0, 0, 0}},         // Subtract: p − 10q
        {2, {0, 0, 39, 255, 255}},    // Logical And: 10pq / 255
        {3, {0, 9, 90, 0, 0}},        // Logical Xor: |p − q|
        {4, {0, 0, 0, 0, 0}},
        {5, {0, 0, 39, 255, 255}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> p = field;
        InteractFields(p.data(), capture.data(), p.size(), c.Mode);
        EXPECT_EQ(p, c.Expected) << int(c.Mode);
    }
    std::vector<uint8_t> same = field;
    InteractFields(same.data(), field.data(), same.size(), 3);
    EXPECT_EQ(same, std::vector<uint8_t>(field.size(), 0)) << "Xor of identical fields is empty";
}

TEST(LayerSteps, ReductionAveragesEachThreeByThreeBlock)
{
    std::vector<uint8_t> fine(6 * 3);
    for (size_t i = 0; i < fine.size(); ++i)
        fine[i] = uint8_t(i < 3 || (i >= 6 && i < 9) || (i >= 12 && i < 15) ? 255 : 8);
    uint8_t work[2];
    ReduceFine(fine.data(), 2, 1, work);
    EXPECT_EQ(work[0], 255);
    EXPECT_EQ(work[1], 8);
}

} // namespace
} // namespace vel
