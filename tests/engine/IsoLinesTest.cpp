#include "engine/IsoLines.h"
#include "engine/LineField.h"
#include "engine/Modulation.h"

#include "FieldFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace vel {
namespace {

TEST(Quantize, CutsTheRootOfTheValueIntoBands)
{
    struct Case {
        float V, Bands;
        int Level;
    };
    // 25 bands: band height 10.2 on a scale of 1000 × sqrt(v).
    const Case cases[] = {{1.0f, 25, 999}, {0.25f, 25, 499}, {0.0f, 25, 0},   {-0.2f, 25, 0},
                          {0.5f, 0, 0},    {0.5f, -3, 0},    {1.0f, 300, 999}};
    for (const Case& c : cases)
        EXPECT_EQ(Quantize(c.V, c.Bands), c.Level) << c.V << " in " << c.Bands;
}

TEST(MarkBandBorders, MarksTheBlocksThatStraddleAStep)
{
    constexpr int W = 10, H = 6;
    std::vector<uint8_t> flat(W * H, 77);
    MarkBandBorders(flat.data(), W, H);
    for (const uint8_t v : flat)
        ASSERT_EQ(v, 0);

    // A vertical step at column 5 and a faint one (2) at row 3 that stays
    // below the threshold of 8.
    std::vector<uint8_t> plane(W * H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            plane[y * W + x] = uint8_t((x >= 5 ? 20 : 0) + (y >= 3 ? 1 : 0));
    MarkBandBorders(plane.data(), W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            EXPECT_EQ(plane[y * W + x], x == 3 || x == 4 ? 255 : 0) << x << "," << y;
}

struct IsoFixture : ::testing::Test {
    RenderState State;
    LayerParameters Layer = test::DefaultLayer();

    void SetUp() override
    {
        test::PrepareFieldState(State, 40, 30, 128);
        Layer.BRelief = 0;
        Layer.Noise = 0;
        Layer.LoNoiseIntensity = 0;
        Layer.RoughnessIntensity = 0;
    }

    size_t Inked() const
    {
        size_t count = 0;
        for (size_t i = 0; i < State.FinePlane.Count(); ++i)
            count += State.FinePlane.Data()[i] != 0;
        return count;
    }
};

TEST_F(IsoFixture, FlatDensityHasNoContours)
{
    Layer.Geometry = uint8_t(PatternGeometry::IsoLines2);
    Layer.Noise = 30;
    const RandomSequence start = State.Random;
    ASSERT_TRUE(LineField(State, Layer, 0));
    EXPECT_EQ(Inked(), 0u);
    EXPECT_EQ(State.Random.State, start.State);
}

TEST_F(IsoFixture, DrawsRandomNumbersOnlyForReliefNoiseOrLoFrequency)
{
    // A density ramp gives Iso Lines 2 contours too.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            State.DensityPlane.Data()[y * 40 + x] = uint8_t(x * 6);
    for (const auto geometry : {PatternGeometry::IsoLines1, PatternGeometry::IsoLines2}) {
        Layer.Geometry = uint8_t(geometry);
        for (const int variant : {0, 1, 2, 3}) {
            LayerParameters layer = Layer;
            layer.BRelief = variant == 1 ? 20.0f : 0.0f;
            layer.Noise = variant == 2 ? 30.0f : 0.0f;
            layer.LoNoiseIntensity = variant == 3 ? 50.0f : 0.0f;
            PrepareModulation(State, layer);
            const uint32_t start = State.Random.State;
            ASSERT_TRUE(LineField(State, layer, 0));
            EXPECT_GT(Inked(), 100u) << int(geometry);
            EXPECT_EQ(State.Random.State == start, variant == 0) << int(geometry) << " variant " << variant;
        }
    }
}

TEST_F(IsoFixture, WithoutInkMaskPlaneIsoLinesTwoDrawNothing)
{
    // A density plane too small for the working size cannot be contoured;
    // the field stays empty and LineField still succeeds.
    Layer.Geometry = uint8_t(PatternGeometry::IsoLines2);
    State.DensityPlane.Allocate(4, 4);
    ASSERT_TRUE(LineField(State, Layer, 0));
    EXPECT_EQ(Inked(), 0u);
}

} // namespace
} // namespace vel
