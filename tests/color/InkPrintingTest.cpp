#include "color/InkPrinting.h"

#include "color/PrintState.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace vel {
namespace {

using Rgba = std::array<uint8_t, 4>;

TEST(SoftDarken, HalvesUnderBlackAndKeepsUnderWhite)
{
    struct Case {
        int Ink, Beneath, Expected;
    };
    const Case cases[] = {{0, 255, 127}, {0, 100, 50}, {255, 100, 100}, {255, 0, 0}, {128, 200, 132}};
    for (const Case& c : cases)
        EXPECT_EQ(SoftDarken(c.Ink, c.Beneath), c.Expected) << c.Ink << " over " << c.Beneath;
}

// One row of pixels: output (paper), source, and the coverage to print.
struct PrintingFixture : ::testing::Test {
    void Row(const std::vector<Rgba>& paper, const std::vector<Rgba>& source, const std::vector<uint8_t>& cov)
    {
        const int w = int(paper.size());
        state.WorkWidth = w;
        state.WorkHeight = 1;
        ASSERT_TRUE(state.OutputPlane.Allocate(w, 1, 4));
        ASSERT_TRUE(state.SourcePlane.Allocate(w, 1, 4));
        ASSERT_TRUE(coverage.Allocate(w, 1, 4));
        std::memcpy(state.OutputPlane.Data(), paper.data(), 4 * paper.size());
        std::memcpy(state.SourcePlane.Data(), source.data(), 4 * source.size());
        std::memcpy(coverage.Data(), cov.data(), cov.size());
    }
    void InkLayer()
    {
        ASSERT_TRUE(state.InkLayerPlane.Allocate(state.WorkWidth, 1, 3));
        std::memset(state.InkLayerPlane.Data(), 255, state.InkLayerPlane.Bytes());
        state.InkLayerOn = true;
    }
    Rgba Out(int x) const
    {
        const uint8_t* p = state.OutputPlane.Data() + 4 * x;
        return {p[0], p[1], p[2], p[3]};
    }

    PrintState state;
    ParameterBlock params{};
    Plane<uint8_t> coverage;
};

constexpr Rgba White{255, 255, 255, 255}, Texture{200, 150, 100, 255};

TEST_F(PrintingFixture, BlackInkAtFullCoverageFollowsTheOpacity)
{
    struct Case {
        float Opacity;
        Rgba Paper;
        Rgba Expected;
    };
    const Case cases[] = {
        {0, White, {0, 0, 0, 255}},   {-100, White, {127, 127, 127, 255}}, {-50, White, {63, 63, 63, 255}},
        {100, White, {0, 0, 0, 255}}, {100, Texture, {0, 0, 0, 255}},      {50, Texture, {0, 0, 0, 255}},
    };
    for (const Case& c : cases) {
        Row({c.Paper}, {White}, {255});
        InkLayer();
        params.InksOpacity = c.Opacity;
        ApplyInk(state, params, coverage, 0);
        EXPECT_EQ(Out(0), c.Expected) << c.Opacity;
    }
}

TEST_F(PrintingFixture, OpaqueInkCoversThePaperInProportionToCoverage)
{
    Row({Texture, Texture}, {White, White}, {128, 0});
    InkLayer();
    state.Palette.Inks[0] = {0, 0, 255};
    params.InksOpacity = 100;
    ApplyInk(state, params, coverage, 0);
    EXPECT_EQ(Out(0), (Rgba{99, 74, 177, 255}));
    EXPECT_EQ(Out(1), Texture);
    const uint8_t* layer = state.InkLayerPlane.Data();
    EXPECT_EQ(layer[0], 127);
    EXPECT_EQ(layer[2], 255);

    state.InkLayerOn = false;
    state.InkLayerPlane.Release();
    const Rgba before = Out(0);
    ApplyInk(state, params, coverage, 0);
    EXPECT_EQ(Out(0), before) << "an opaque ink without its layer is skipped";
}

TEST_F(PrintingFixture, TransparentPaperTakesTheInkColourAndCoverageAsAlpha)
{
    std::strcpy(params.PaperName, "none");
    state.HasTransparency = true;
    const Rgba clear{255, 255, 255, 0};
    Row({clear, clear}, {{10, 20, 30, 0}, {10, 20, 30, 0}}, {100, 0});
    state.Palette.Inks[0] = {200, 0, 0};
    ApplyInk(state, params, coverage, 0);
    EXPECT_EQ(Out(0), (Rgba{200, 0, 0, 100}));
    EXPECT_EQ(Out(1), (Rgba{200, 0, 0, 0}));

    // Without a transparency channel "None" prints like white paper.
    state.HasTransparency = false;
    Row({clear}, {{10, 20, 30, 255}}, {255});
    state.Palette.Inks[0] = {0, 0, 0};
    ApplyInk(state, params, coverage, 0);
    EXPECT_EQ(Out(0), (Rgba{0, 0, 0, 255}));
}

TEST_F(PrintingFixture, InitialColorsPrintTheSourceColours)
{
    params.ColorSchema = uint8_t(ColorSchemaKind::InitialColors);
    const Rgba a{10, 20, 30, 255}, b{200, 100, 0, 255};
    std::strcpy(params.PaperName, "None");
    Row({White, White}, {a, b}, {0, 255});
    ApplyInk(state, params, coverage, 0);
    EXPECT_EQ(Out(0), a) << "without paper the source shows everywhere";
    EXPECT_EQ(Out(1), b);

    params.PaperName[0] = '\0';
    Row({Texture, Texture, Texture}, {a, b, b}, {0, 255, 51});
    ApplyInk(state, params, coverage, 0);
    EXPECT_EQ(Out(0), Texture);
    EXPECT_EQ(Out(1), b);
    EXPECT_EQ(Out(2), (Rgba{200, 140, 80, 255}));
}

TEST_F(PrintingFixture, LeavesTheInkMaskForTheEmboss)
{
    Row({White, White, White}, {White, White, White}, {0, 1, 255});
    state.EmbossOn = true;
    params.EmbossDepth = 0; // mask only, no relief
    ApplyInk(state, params, coverage, 0);
    ASSERT_TRUE(state.InkMaskPlane);
    EXPECT_EQ(state.InkMaskPlane.Data()[0], 0);
    EXPECT_EQ(state.InkMaskPlane.Data()[1], 255);
    EXPECT_EQ(state.InkMaskPlane.Data()[2], 255);
}

} // namespace
} // namespace vel
