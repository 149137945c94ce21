#include "color/InkSeparation.h"

#include "color/PrintState.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

TEST(CmykSplit, MovesAQuarterOfTheGreyIntoBlack)
{
    struct Case {
        uint8_t R, G, B;
        CmykInks Expected;
    };
    const Case cases[] = {
        {128, 128, 128, {96, 96, 96, 31}},
        {255, 255, 255, {0, 0, 0, 0}},
        {0, 0, 0, {192, 192, 192, 63}},
        {255, 0, 100, {0, 255, 155, 0}},
    };
    for (const Case& c : cases) {
        const CmykInks k = CmykSplit(c.R, c.G, c.B);
        EXPECT_EQ(k.C, c.Expected.C) << int(c.R);
        EXPECT_EQ(k.M, c.Expected.M) << int(c.R);
        EXPECT_EQ(k.Y, c.Expected.Y) << int(c.R);
        EXPECT_EQ(k.K, c.Expected.K) << int(c.R);
    }
}

struct Pixel {
    uint8_t R, G, B, A;
};

// One row of source pixels and a density plane beside it.
struct SeparationFixture : ::testing::Test {
    void Source(std::initializer_list<Pixel> pixels)
    {
        state.WorkWidth = int(pixels.size());
        state.WorkHeight = 1;
        ASSERT_TRUE(state.SourcePlane.Allocate(state.WorkWidth, 1, 4));
        ASSERT_TRUE(state.DensityPlane.Allocate(state.WorkWidth, 1, 4));
        uint8_t* p = state.SourcePlane.Data();
        for (const Pixel& px : pixels) {
            *p++ = px.R;
            *p++ = px.G;
            *p++ = px.B;
            *p++ = px.A;
        }
    }
    uint8_t Density(int x) const { return state.DensityPlane.Data()[x]; }

    PrintState state;
    ParameterBlock params{};
};

TEST_F(SeparationFixture, WhiteIsNoInkInEverySchemaAndFullInkWhenNegative)
{
    Source({{255, 255, 255, 255}});
    state.Palette.Inks[0] = {255, 0, 0};
    for (uint8_t schema = 0; schema < 5; ++schema)
        for (int32_t invert : {0, 1}) {
            params.ColorSchema = schema;
            params.Layers[1].Invert = invert;
            ASSERT_TRUE(SeparateInk(state, params, 1, 0));
            EXPECT_EQ(Density(0), invert ? 255 : 0) << "schema " << int(schema);
        }
}

TEST_F(SeparationFixture, DensityFollowsTheSchema)
{
    Source({{0, 0, 0, 255}, {252, 252, 252, 255}, {200, 40, 40, 255}, {128, 128, 128, 128}, {0, 0, 0, 0}});
    state.Palette.Inks[0] = {200, 40, 40};
    state.Palette.Inks[3] = {0, 0, 0};
    struct Case {
        uint8_t Schema;
        int Ink;
        uint8_t Expected[5];
    };
    const Case cases[] = {
        // darkness: black is full ink, 252 fades to 3 × 153 / 255, and
        // 200,40,40 lies 120 from black
        {0, 0, {255, 1, 135, 63, 0}},
        // closeness to the ink: its own colour is full ink
        {1, 0, {135, 47, 255, 86, 0}},
        // CMYK: black ink takes a quarter of the grey, scaled by alpha
        {2, 3, {63, 0, 13, 15, 0}},
        {2, 0, {192, 3, 42, 48, 0}},
    };
    for (const Case& c : cases) {
        params.ColorSchema = c.Schema;
        ASSERT_TRUE(SeparateInk(state, params, 0, c.Ink));
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(Density(x), c.Expected[x]) << "schema " << int(c.Schema) << " pixel " << x;
    }
}

TEST_F(SeparationFixture, MissingPlanesOrInksAreRefused)
{
    Source({{0, 0, 0, 255}});
    EXPECT_FALSE(SeparateInk(state, params, 0, 4));
    EXPECT_FALSE(SeparateInk(state, params, 0, -1));
    state.DensityPlane.Release();
    EXPECT_FALSE(SeparateInk(state, params, 0, 0));
}

} // namespace
} // namespace vel
