#include "color/Emboss.h"

#include "color/PrintState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace vel {
namespace {

TEST(EmbossKernelSize, GrowsWithDepthInDoublePrecision)
{
    struct Case {
        float Depth;
        unsigned Taps;
    };
    // 70 / 50 and 90 / 50 fall just below 1.4 and 1.8 in single precision.
    const Case cases[] = {{10, 7},  {50, 15}, {-50, 15}, {60, 17},  {70, 17},
                          {80, 21}, {90, 21}, {100, 25}, {200, 45}, {-200, 45}};
    for (const Case& c : cases)
        EXPECT_EQ(EmbossKernelSize(c.Depth / 50.0f), c.Taps) << c.Depth;
}

constexpr int W = 40, H = 30;

// A W × H working area with an ink mask drawn by `inked` and a flat relief.
struct EmbossFixture : ::testing::Test {
    void Mask(const std::function<bool(int x, int y)>& inked)
    {
        state.WorkWidth = W;
        state.WorkHeight = H;
        ASSERT_TRUE(state.InkMaskPlane.Allocate(W, H));
        ASSERT_TRUE(state.EmbossPlane.Allocate(W, H));
        std::memset(state.EmbossPlane.Data(), 127, state.EmbossPlane.Bytes());
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                state.InkMaskPlane.Data()[y * W + x] = inked(x, y) ? 255 : 0;
    }
    int Relief(int x, int y) const { return state.EmbossPlane.Data()[y * W + x]; }

    PrintState state;
};

bool VerticalStroke(int x, int)
{
    return x >= 16 && x < 24;
}
bool HorizontalStroke(int, int y)
{
    return y >= 5 && y < 25;
}

TEST_F(EmbossFixture, LightAlongTheRowsLightensTheRightEdgeOfAVerticalStroke)
{
    Mask(VerticalStroke);
    AccumulateRelief(state, 1.0f, 0.0f, 0.0f);
    const int y = H / 2;
    EXPECT_GT(Relief(24, y), 127);
    EXPECT_LT(Relief(15, y), 127);
    EXPECT_EQ(Relief(2, y), 127) << "blank paper far from the stroke stays flat";
}

TEST_F(EmbossFixture, LightFromNinetyDegreesLightensTheUpperEdgeOfAHorizontalStroke)
{
    Mask(HorizontalStroke);
    AccumulateRelief(state, 1.0f, 90.0f, 0.0f);
    const int x = W / 2;
    EXPECT_GT(Relief(x, 4), 127);
    EXPECT_LT(Relief(x, 25), 127);
    EXPECT_EQ(Relief(x, 15), 127) << "the inside of a wide stroke is flat";
}

TEST_F(EmbossFixture, DebossMirrorsTheEmboss)
{
    Mask(VerticalStroke);
    AccumulateRelief(state, 1.0f, 30.0f, 20.0f);
    std::vector<int> emboss(W * H);
    for (int i = 0; i < W * H; ++i)
        emboss[size_t(i)] = state.EmbossPlane.Data()[i] - 127;
    Mask(VerticalStroke);
    AccumulateRelief(state, -1.0f, 30.0f, 20.0f);
    int changed = 0;
    for (int i = 0; i < W * H; ++i) {
        const int deboss = state.EmbossPlane.Data()[i] - 127;
        EXPECT_LE(std::abs(emboss[size_t(i)] + deboss), 1) << i; // truncation differs by one
        changed += emboss[size_t(i)] != 0;
    }
    EXPECT_GT(changed, 0);
}

TEST_F(EmbossFixture, BordersAndSmallPicturesAreNeverChanged)
{
    Mask([](int x, int y) { return (x + y) % 7 < 3; });
    AccumulateRelief(state, 4.0f, 45.0f, 10.0f);
    for (int x = 0; x < W; ++x) {
        EXPECT_EQ(Relief(x, 0), 127);
        EXPECT_EQ(Relief(x, H - 1), 127);
    }
    for (int y = 0; y < H; ++y) {
        EXPECT_EQ(Relief(0, y), 127);
        EXPECT_EQ(Relief(W - 1, y), 127);
    }

    state.WorkWidth = 2;
    state.WorkHeight = 2;
    std::memset(state.EmbossPlane.Data(), 127, state.EmbossPlane.Bytes());
    AccumulateRelief(state, 1.0f, 0.0f, 0.0f);
    AccumulateRelief(state, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(Relief(0, 0), 127);
    EXPECT_EQ(Relief(1, 0), 127);
}

TEST_F(EmbossFixture, MissingPlanesSkipTheRelief)
{
    Mask(VerticalStroke);
    state.InkMaskPlane.Release();
    AccumulateRelief(state, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(Relief(24, H / 2), 127);
}

TEST(ApplyEmboss, AddsTheReliefToColourNotAlpha)
{
    PrintState state;
    state.WorkWidth = 3;
    state.WorkHeight = 1;
    ASSERT_TRUE(state.OutputPlane.Allocate(3, 1, 4));
    ASSERT_TRUE(state.EmbossPlane.Allocate(3, 1));
    const uint8_t out[12] = {10, 100, 200, 50, 10, 100, 200, 50, 10, 100, 200, 50};
    const uint8_t relief[3] = {127, 255, 0};
    std::memcpy(state.OutputPlane.Data(), out, 12);
    std::memcpy(state.EmbossPlane.Data(), relief, 3);
    ApplyEmboss(state);
    const uint8_t expected[12] = {10, 100, 200, 50, 138, 228, 255, 50, 0, 0, 73, 50};
    EXPECT_EQ(std::memcmp(state.OutputPlane.Data(), expected, 12), 0);
}

} // namespace
} // namespace vel
