#include "engine/Coverage.h"

#include "FieldFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace vel {
namespace {

constexpr int W = 96, H = 64;

// Applies the coverage field to an engrave plane filled with `value` and
// returns the W × H result.
std::vector<uint8_t> Covered(const LayerParameters& layer, uint8_t value, int offsetX = 0)
{
    RenderState state;
    test::PrepareFieldState(state, W, H, 128, false);
    state.WorkOffsetX = offsetX;
    std::memset(state.EngravePlane.Data(), value, size_t(W) * H);
    ApplyCoverage(state, layer);
    return {state.EngravePlane.Data(), state.EngravePlane.Data() + size_t(W) * H};
}

LayerParameters CoverageLayer(float coverage, float contrast, bool smooth, int seed)
{
    LayerParameters layer = test::DefaultLayer();
    layer.Coverage = coverage;
    layer.CoverageContrast = contrast;
    layer.CoverageSmooth = smooth;
    layer.CoverageRandom = seed;
    return layer;
}

TEST(Coverage, ZeroClearsAndNeverExceedsTheCoverage)
{
    for (const bool smooth : {false, true})
        for (const int seed : {0, 7}) {
            for (const uint8_t v : Covered(CoverageLayer(0, 50, smooth, seed), 255))
                ASSERT_EQ(v, 0);
            // At 40 % the largest factor is 0.4.
            for (const uint8_t v : Covered(CoverageLayer(-40, 50, smooth, seed), 250))
                ASSERT_LE(v, 100);
        }
}

TEST(Coverage, InvertedMaskComplementsTheSameSeed)
{
    for (const bool smooth : {false, true}) {
        LayerParameters layer = CoverageLayer(50, 50, smooth, 3);
        const auto plain = Covered(layer, 200);
        EXPECT_EQ(plain, Covered(layer, 200)); // the same seed gives the same mask
        layer.CoverageInvert = 1;
        const auto inverted = Covered(layer, 200);
        // cov − D (1 − cov) + cov − (1 − D)(1 − cov) = 2 cov − (1 − cov) = 0.5 at cov 0.5.
        for (size_t i = 0; i < plain.size(); ++i) {
            ASSERT_GE(plain[i] + inverted[i], 99) << i;
            ASSERT_LE(plain[i] + inverted[i], 100) << i;
        }
        EXPECT_NE(plain, Covered(CoverageLayer(50, 50, smooth, 4), 200)); // another seed, another mask
    }
}

TEST(Coverage, ContrastPushesTowardsATwoValuedMask)
{
    // Share of pixels that are neither cleared nor at full coverage.
    const auto graded = [](float contrast) {
        int count = 0;
        for (const uint8_t v : Covered(CoverageLayer(50, contrast, true, 1), 200))
            count += v > 1 && v < 99;
        return double(count) / (W * H);
    };
    EXPECT_GT(graded(0), 0.9);
    EXPECT_LT(graded(100), 0.25);
}

TEST(Coverage, MaskStaysFixedToTheImageWhileScrolling)
{
    const LayerParameters layer = CoverageLayer(60, 70, false, 2);
    const auto still = Covered(layer, 180);
    const auto scrolled = Covered(layer, 180, 10);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x + 10 < W; ++x)
            ASSERT_EQ(scrolled[size_t(y) * W + x], still[size_t(y) * W + x + 10]);
}

} // namespace
} // namespace vel
