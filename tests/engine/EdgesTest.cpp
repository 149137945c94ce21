#include "engine/Edges.h"

#include "FieldFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace vel {
namespace {

constexpr int W = 40, H = 30;

LayerParameters EdgeLayer(EdgeKind kind, float width)
{
    LayerParameters layer = test::DefaultLayer();
    layer.EdgeType = uint8_t(kind);
    layer.EdgeWidth = width;
    return layer;
}

// Diagonal stripes, so that every warp and displacement shows.
void FillStripes(Plane<uint8_t>& plane, int w, int h)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            plane.Data()[size_t(y) * w + x] = (x + y) % 12 < 4 ? 255 : 0;
}

std::vector<uint8_t> Pixels(const Plane<uint8_t>& plane, int w, int h)
{
    return {plane.Data(), plane.Data() + size_t(w) * h};
}

TEST(Edges, WidthZeroOrNoKindLeavesThePlane)
{
    for (const auto& layer : {EdgeLayer(EdgeKind::Nodules, 0), EdgeLayer(EdgeKind::Doubles, -5),
                              EdgeLayer(EdgeKind::NoEdges, 60)}) {
        RenderState state;
        test::PrepareFieldState(state, W, H, 100, false);
        FillStripes(state.EngravePlane, W, H);
        const auto before = Pixels(state.EngravePlane, W, H);
        ApplyEdges(state, state.EngravePlane, W, H, layer, 0);
        EXPECT_EQ(Pixels(state.EngravePlane, W, H), before);
        EXPECT_FALSE(state.EdgePlane);
    }
}

// On a uniform plane the warp, the displacement and the smoothing change
// nothing, so the result shows the tone curve and the screening alone.
TEST(Edges, ToneCurveSwitchesAtWidthFifty)
{
    struct Case {
        EdgeKind Kind;
        float Width;
        int Expected;
    };
    // Fixed curve: 3.2 (100 − 75) + 123 = 203, screened: 203 + (52 / 255) × 100.
    // Blended at 49: 197, screened: 197 + (58 / 255) × 100.
    const Case cases[] = {{EdgeKind::Nodules, 50, 223}, {EdgeKind::Bruise, 50, 223},
                          {EdgeKind::Nodules, 49, 219}, {EdgeKind::Bruise, 49, 219},
                          {EdgeKind::Doubles, 49, 223}, {EdgeKind::Doubles, 50, 223}};
    for (const Case& c : cases) {
        RenderState state;
        test::PrepareFieldState(state, 16, 16, 100, false);
        std::memset(state.EngravePlane.Data(), 100, 256);
        ApplyEdges(state, state.EngravePlane, 16, 16, EdgeLayer(c.Kind, c.Width), 1);
        for (const uint8_t v : Pixels(state.EngravePlane, 16, 16))
            ASSERT_EQ(v, c.Expected) << int(c.Kind) << " at " << c.Width;
    }
}

TEST(Edges, NodulesWarpACopyAndBruiseWarpsInPlace)
{
    RenderState nodules, bruise;
    for (RenderState* state : {&nodules, &bruise}) {
        test::PrepareFieldState(*state, W, H, 100, false);
        FillStripes(state->EngravePlane, W, H);
    }
    const auto before = Pixels(nodules.EngravePlane, W, H);
    ApplyEdges(nodules, nodules.EngravePlane, W, H, EdgeLayer(EdgeKind::Nodules, 100), 0);
    ApplyEdges(bruise, bruise.EngravePlane, W, H, EdgeLayer(EdgeKind::Bruise, 100), 0);
    // "Nodules" reads its warp from the unwarped copy in InkMaskPlane;
    // "Bruise" needs no second plane.
    ASSERT_TRUE(nodules.InkMaskPlane);
    EXPECT_EQ(Pixels(nodules.InkMaskPlane, W, H), before);
    EXPECT_FALSE(bruise.InkMaskPlane);
    EXPECT_NE(Pixels(nodules.EngravePlane, W, H), before);
    EXPECT_NE(Pixels(bruise.EngravePlane, W, H), Pixels(nodules.EngravePlane, W, H));
}

TEST(Edges, LayersGetDifferentNoise)
{
    RenderState one, two;
    for (RenderState* state : {&one, &two}) {
        test::PrepareFieldState(*state, W, H, 100, false);
        FillStripes(state->EngravePlane, W, H);
    }
    ApplyEdges(one, one.EngravePlane, W, H, EdgeLayer(EdgeKind::Bruise, 100), 0);
    ApplyEdges(two, two.EngravePlane, W, H, EdgeLayer(EdgeKind::Bruise, 100), 1);
    EXPECT_NE(Pixels(one.EngravePlane, W, H), Pixels(two.EngravePlane, W, H));
}

TEST(Edges, DoublesGrowScratchPlanesToTheFineSize)
{
    RenderState state;
    test::PrepareFieldState(state, W, H, 200);
    state.EdgePlane.Allocate(W, H);
    state.InkMaskPlane.Allocate(W, H);
    FillStripes(state.FinePlane, 3 * W, 3 * H);
    const auto before = Pixels(state.FinePlane, 3 * W, 3 * H);
    ApplyEdges(state, state.FinePlane, 3 * W, 3 * H, EdgeLayer(EdgeKind::Doubles, 60), 0);
    EXPECT_EQ(state.EdgePlane.Bytes(), size_t(9) * W * H);
    EXPECT_EQ(state.InkMaskPlane.Bytes(), size_t(9) * W * H);
    // Screening only adds ink (a full pixel may lose one to truncation).
    const auto after = Pixels(state.FinePlane, 3 * W, 3 * H);
    EXPECT_NE(after, before);
    for (size_t i = 0; i < after.size(); ++i)
        ASSERT_GE(after[i] + 1, before[i]) << i;

    // A later working-size call reuses the larger planes.
    ApplyEdges(state, state.EngravePlane, W, H, EdgeLayer(EdgeKind::Nodules, 60), 0);
    EXPECT_EQ(state.EdgePlane.Bytes(), size_t(9) * W * H);
}

TEST(ChamferDistance, CountsThreeAcrossAndFourDiagonally)
{
    constexpr int N = 11;
    std::vector<uint8_t> plane(N * N, 255);
    plane[5 * N + 5] = 0;
    ChamferDistance(plane.data(), N, N);
    const auto at = [&](int x, int y) { return int(plane[size_t(y) * N + x]); };
    EXPECT_EQ(at(5, 5), 0);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0) {
                EXPECT_EQ(at(5 + dx, 5 + dy), dx != 0 && dy != 0 ? 4 : 3) << dx << "," << dy;
            }
    EXPECT_EQ(at(5, 3), 6);
    EXPECT_EQ(at(5, 2), 9);
}

} // namespace
} // namespace vel
